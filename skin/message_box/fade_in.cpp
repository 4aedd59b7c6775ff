#include "skin/message_box/fade_in.h"

#include <algorithm>
#include <chrono>

namespace korvath::skin {

namespace {

constexpr COLORREF kColorKey = 0xFF00FF;
constexpr int kSteps = 10;
constexpr long long kStopPollMs = 5;

void SetAlpha(HWND box, BYTE alpha) {
  SetLayeredWindowAttributes(box, kColorKey, alpha, LWA_COLORKEY | LWA_ALPHA);
}

// Waits until `deadline` unless a stop is requested first (false then). The
// stop request is looked at every few milliseconds instead of waking a wait
// through a stop callback: with this toolchain's library, a callback that the
// stopping thread runs while this thread leaves its wait can leave both
// waiting for each other for good (the GUI thread in the join, this thread in
// the callback's deregistration).
bool PauseUntil(const std::stop_token& stop, std::chrono::steady_clock::time_point deadline) {
  using namespace std::chrono;
  while (!stop.stop_requested()) {
    const auto left = ceil<milliseconds>(deadline - steady_clock::now()).count();
    if (left <= 0) return true;
    Sleep(DWORD(std::min<long long>(left, kStopPollMs)));
  }
  return false;
}

}  // namespace

void FadeInThreadProc(std::stop_token stop, HWND box) {
  for (int i = 1; i <= kSteps; ++i) {
    // 45, 40, ... 5, 0 ms: 225 ms in all; a stop request ends the pause.
    const auto pause = std::chrono::milliseconds(static_cast<int>(50.0 - 5.0 * i));
    if (!PauseUntil(stop, std::chrono::steady_clock::now() + pause)) return;
    SetAlpha(box, static_cast<BYTE>(24 * i));
  }
}

std::jthread FadeInStart(HWND box) {
  try {
    return std::jthread(FadeInThreadProc, box);
  } catch (...) {
    // No thread, or no memory for one (std::system_error, std::bad_alloc).
    SetAlpha(box, kFadeInFinalAlpha);
    return {};
  }
}

void FadeInStop(std::jthread& fade) {
  if (!fade.joinable()) return;
  fade.request_stop();
  fade.join();
}

}  // namespace korvath::skin
