#include "platform/window_geometry.h"

namespace korvath::platform {

RECT WindowRect(HWND window) {
  RECT r{};
  if (window) GetWindowRect(window, &r);
  return r;
}

RECT ClientRect(HWND window) {
  RECT r{};
  if (window) GetClientRect(window, &r);
  return r;
}

RECT WindowRectIn(HWND window, HWND reference) {
  RECT r = WindowRect(window);
  const RECT origin = WindowRect(reference);
  OffsetRect(&r, -origin.left, -origin.top);
  return r;
}

RECT WindowRectInClient(HWND window, HWND reference) {
  RECT r = WindowRect(window);
  POINT origin{0, 0};
  if (reference) ClientToScreen(reference, &origin);
  OffsetRect(&r, -origin.x, -origin.y);
  return r;
}

RECT WorkAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

RECT WindowPosRect(HWND window, const WINDOWPOS& pos) {
  POINT at{pos.x, pos.y};
  SIZE size{pos.cx, pos.cy};
  if (pos.flags & (SWP_NOMOVE | SWP_NOSIZE)) {
    // The window's place now, in the coordinates the WINDOWPOS uses.
    const bool child = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0;
    const RECT now = WindowRectInClient(window, child ? GetParent(window) : nullptr);
    if (pos.flags & SWP_NOMOVE) at = {now.left, now.top};
    if (pos.flags & SWP_NOSIZE) size = {Width(now), Height(now)};
  }
  return RECT{at.x, at.y, at.x + size.cx, at.y + size.cy};
}

}  // namespace korvath::platform
