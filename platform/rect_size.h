#pragma once
// A rectangle's width and height, which many layouts and probes ask for, and
// a window's rectangle on the screen.
#include <windows.h>

namespace korvath::platform {

constexpr int Width(const RECT& r) { return r.right - r.left; }
constexpr int Height(const RECT& r) { return r.bottom - r.top; }

// The window's rectangle in screen coordinates; empty for no window.
inline RECT WindowBounds(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

}  // namespace korvath::platform
