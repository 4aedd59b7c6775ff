#include "skin/window/fade_in.h"

namespace korvath::skin {

namespace {

constexpr COLORREF kColorKey = 0xFF00FF;
constexpr int kSteps = 10;

void SetAlpha(HWND box, BYTE alpha) {
  SetLayeredWindowAttributes(box, kColorKey, alpha, LWA_COLORKEY | LWA_ALPHA);
}

}  // namespace

DWORD WINAPI FadeInThreadProc(LPVOID box) {
  HWND window = static_cast<HWND>(box);
  for (int i = 1; i <= kSteps; ++i) {
    // 45, 40, ... 5, 0 ms: 225 ms in all.
    Sleep(static_cast<DWORD>(50.0 - 5.0 * i));
    // A box closed meanwhile: its handle names no window any more, and the
    // call changes nothing.
    SetAlpha(window, static_cast<BYTE>(24 * i));
  }
  return 0;
}

void FadeInStart(HWND box) {
  HANDLE thread = CreateThread(nullptr, 0, FadeInThreadProc, box, 0, nullptr);
  if (!thread) {
    SetAlpha(box, kFadeInFinalAlpha);
    return;
  }
  // Nobody waits for the thread: its handle is closed once, here.
  CloseHandle(thread);
}

}  // namespace korvath::skin
