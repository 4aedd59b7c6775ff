#include "skin/window/form_paint_path.h"

#include "platform/gdi_object.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/drawing_values.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"

namespace korvath::skin {

void SkinPaintToDC(int32_t n) {
  const SkinWindowRecord* r = SkinRecordAt(n);
  if (!r) return;
  RECT client{};
  GetClientRect(r->Window, &client);
  platform::WindowDC dc = SkinGetClippedDC(r->Window);
  BitBlt(dc.get(), 0, 0, client.right, client.bottom, r->BackDC.get(), 0, 0, SRCCOPY);
}

void SkinInvalidateListViews(HWND form) {
  SkinWindowRecord* r = SkinRecordOfWindow(form);
  if (!r) return;
  for (SkinChildEntry& entry : r->Children) {
    if (!IsWindowVisible(entry.window) || SkinGetClassNameText(entry.window) != "SysListView32") continue;
    entry.dirty = true;
    InvalidateRect(entry.window, nullptr, TRUE);
  }
}

void SkinSyncCompanionWindow(HWND form, bool visibility) {
  RECT at{};
  GetWindowRect(form, &at);
  const SkinWindowRecord* r = SkinRecordOfWindow(form);
  if (!r) return;
  for (const CompanionEntry& entry : r->CompanionRects) {
    if (!entry.Window || !IsWindow(entry.Window)) continue;
    if (visibility) {
      // WM_SHOWWINDOW comes before the form's own visibility changes.
      const bool wanted = !IsVisibleStyle(form);
      if (IsVisibleStyle(entry.Window) != wanted) ShowWindow(entry.Window, wanted ? SW_SHOWNA : SW_HIDE);
    } else {
      RECT own{};
      GetWindowRect(entry.Window, &own);
      MoveWindow(entry.Window, at.left + entry.OffsetX, at.top + entry.OffsetY, own.right - own.left,
                 own.bottom - own.top, TRUE);
    }
  }
}

void SkinLayoutOnSize(int32_t n) {
  const SkinWindowRecord* r = SkinRecordAt(n);
  if (!r) return;
  RECT client{};
  GetClientRect(r->Window, &client);
  const int W = client.right, H = client.bottom;
  for (const LayoutEntry& e : r->CaptionChildRects) {
    if (!e.Window) continue;
    if (e.FullWidth)
      MoveWindow(e.Window, 2, e.Top, W - 4, H - e.Top - r->StatusBarHeight - 4, TRUE);
    else
      MoveWindow(e.Window, e.Left, e.Top, W - e.Left - 2, H - e.Top - r->StatusBarHeight - 2, TRUE);
  }
}

}  // namespace korvath::skin
