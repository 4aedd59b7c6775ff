#include "skin/draw/tab_page_rect.h"

#include <commctrl.h>

#include "platform/message_params.h"

namespace korvath::skin {

RECT SkinTabPageRect(HWND tab) {
  RECT cr = {};
  GetClientRect(tab, &cr);
  const int rows = static_cast<int>(SendMessageW(tab, TCM_GETROWCOUNT, 0, 0));
  RECT item = {};
  if (!platform::SendWithPointer(tab, TCM_GETITEMRECT, 0, &item)) item = RECT{};
  const int iw = item.right - item.left;
  const int ih = item.bottom - item.top;

  const LONG style = GetWindowLongW(tab, GWL_STYLE);
  const bool vertical = (style & TCS_VERTICAL) != 0;
  // TCS_RIGHT and TCS_BOTTOM are one bit; TCS_VERTICAL decides which it means.
  const bool farSide = (style & TCS_BOTTOM) != 0;
  if (vertical && farSide) return RECT{0, 0, cr.right - iw * rows - 1, cr.bottom};
  if (farSide) return RECT{0, 0, cr.right, cr.bottom - ih * rows - 1};
  if (vertical) return RECT{iw * rows + 1, 0, cr.right, cr.bottom};
  return RECT{0, ih * rows + 1, cr.right, cr.bottom};
}

}  // namespace korvath::skin
