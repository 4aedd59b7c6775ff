#include "skin/window/shadow_follow.h"

#include "skin/core/shadow_window.h"
#include "skin/core/window_list.h"

namespace korvath::skin {

void ShadowWindowFollow(HWND window, bool redraw, std::optional<RECT> rect) {
  SkinWindowRecord* r = SkinRecordOfWindow(window);
  if (!r || !r->ShadowWindow || !(GetWindowLongPtrW(r->ShadowWindow, GWL_STYLE) & WS_VISIBLE)) return;
  RECT at{};
  if (rect)
    at = *rect;
  else
    GetWindowRect(window, &at);
  const int d = r->ShadowSize;
  MoveWindow(r->ShadowWindow, at.left - d, at.top - d, at.right - at.left + 2 * d, at.bottom - at.top + 2 * d,
             FALSE);
  if (redraw) ShadowRedraw(r->ShadowWindow);
}

}  // namespace korvath::skin
