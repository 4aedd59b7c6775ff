#include "skin/window/fade_in.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>

namespace korvath::skin {

namespace {

constexpr COLORREF kColorKey = 0xFF00FF;
constexpr int kSteps = 10;

void SetAlpha(HWND box, BYTE alpha) {
  SetLayeredWindowAttributes(box, kColorKey, alpha, LWA_COLORKEY | LWA_ALPHA);
}

}  // namespace

void FadeInThreadProc(std::stop_token stop, HWND box) {
  std::mutex mutex;
  std::condition_variable_any wake;
  std::unique_lock lock(mutex);
  for (int i = 1; i <= kSteps; ++i) {
    // 45, 40, ... 5, 0 ms: 225 ms in all; a stop request ends the pause.
    const auto pause = std::chrono::milliseconds(static_cast<int>(50.0 - 5.0 * i));
    wake.wait_for(lock, stop, pause, [] { return false; });
    if (stop.stop_requested()) return;
    SetAlpha(box, static_cast<BYTE>(24 * i));
  }
}

std::jthread FadeInStart(HWND box) {
  try {
    return std::jthread(FadeInThreadProc, box);
  } catch (const std::system_error&) {
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
