#pragma once
// What a window shows, read from its own DC: the screen lags behind it under
// Wine, the window's surface does not.
#include <windows.h>

#include "platform/gdi_object.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin::test {

// The client area.
inline testsupport::PixelBuffer Shown(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  const platform::WindowDC dc = platform::WindowDC::Client(window);
  return testsupport::CaptureDC(dc.get(), 0, 0, client.right, client.bottom);
}

// The whole window, frame included.
inline testsupport::PixelBuffer ShownWhole(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  const platform::WindowDC dc = platform::WindowDC::Whole(window);
  return testsupport::CaptureDC(dc.get(), 0, 0, r.right - r.left, r.bottom - r.top);
}

}  // namespace korvath::skin::test
