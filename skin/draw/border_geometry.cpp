#include "skin/draw/border_geometry.h"

#include "skin/draw/drawing_values.h"

namespace korvath::skin {

namespace {
// A failed call leaves the bar's rectangle empty.
RECT ScrollBarRect(HWND window, LONG objectId) {
  SCROLLBARINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetScrollBarInfo(window, objectId, &info)) return RECT{};
  return info.rcScrollBar;
}

int HalfRoundedDown(int value) { return value >= 0 ? value / 2 : -((1 - value) / 2); }
}  // namespace

RECT SkinScrollBarGeometry(HWND window) {
  RECT wr = {};
  RECT cr = {};
  GetWindowRect(window, &wr);
  GetClientRect(window, &cr);

  int innerWidth = cr.right - cr.left;
  int innerHeight = cr.bottom - cr.top;
  // The style bits alone decide whether a bar counts; the corner square
  // between two bars is then inside the inner rectangle already. A bar is
  // asked for only when it counts: under Wine each question is a round trip
  // to the window server, and most controls have no bars.
  if (HasVScrollStyle(window)) {
    const RECT v = ScrollBarRect(window, OBJID_VSCROLL);
    innerWidth += v.right - v.left;
  }
  if (HasHScrollStyle(window)) {
    const RECT h = ScrollBarRect(window, OBJID_HSCROLL);
    innerHeight += h.bottom - h.top;
  }

  const int bx = HalfRoundedDown((wr.right - wr.left) - innerWidth);
  const int by = HalfRoundedDown((wr.bottom - wr.top) - innerHeight);
  return RECT{bx, by, bx + innerWidth, by + innerHeight};
}

}  // namespace korvath::skin
