#include "skin/draw/frame_geometry.h"

#include <cmath>

namespace korvath::skin {

namespace {
// The scroll-bar allowance is a fixed width, not the system metric: the skin
// draws its own bars of this width over the native ones.
constexpr int kScrollBarAllowance = 17;
}  // namespace

RECT SkinGetFrameGeometry(HWND window) {
  RECT windowRect = {};
  RECT client = {};
  GetWindowRect(window, &windowRect);
  GetClientRect(window, &client);
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  const int clientWidth = client.right;
  const int clientHeight = client.bottom;
  int outerWidth = clientWidth;
  int outerHeight = clientHeight;
  if ((style | WS_VSCROLL) == style) outerWidth += kScrollBarAllowance;
  if ((style | WS_HSCROLL) == style) outerHeight += kScrollBarAllowance;
  const int left = static_cast<int>(
      std::floor((windowRect.right - windowRect.left - outerWidth) / 2.0));
  const int top = static_cast<int>(
      std::floor((windowRect.bottom - windowRect.top - outerHeight) / 2.0));
  return RECT{left, top, left + clientWidth, top + clientHeight};
}

}  // namespace korvath::skin
