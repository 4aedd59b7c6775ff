#include "skin/core/border_geometry.h"

#include "skin/core/drawing_values.h"

namespace korvath::skin {

namespace {
// Asked every time; a failed call leaves the bar's rectangle empty.
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
  const RECT h = ScrollBarRect(window, OBJID_HSCROLL);
  const RECT v = ScrollBarRect(window, OBJID_VSCROLL);

  int innerWidth = cr.right - cr.left;
  int innerHeight = cr.bottom - cr.top;
  // The style bits alone decide whether a bar counts; the corner square
  // between two bars is then inside the inner rectangle already.
  if (HasVScrollStyle(window)) innerWidth += v.right - v.left;
  if (HasHScrollStyle(window)) innerHeight += h.bottom - h.top;

  const int bx = HalfRoundedDown((wr.right - wr.left) - innerWidth);
  const int by = HalfRoundedDown((wr.bottom - wr.top) - innerHeight);
  return RECT{bx, by, bx + innerWidth, by + innerHeight};
}

}  // namespace korvath::skin
