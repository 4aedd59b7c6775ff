#include "skin/form/form_paint_path.h"

#include "platform/gdi_object.h"
#include "skin/caption/caption_surfaces.h"
#include "skin/core/window_props.h"
#include "skin/core/window_record.h"
#include "skin/draw/drawing_values.h"

namespace korvath::skin {

void SkinPaintToDC(const SkinWindowRecord& r, HDC target) {
  RECT client{};
  GetClientRect(r.Window, &client);
  if (target) {
    platform::SavedDCState kept(target);
    BitBlt(SkinFormClippedDC(r, target), 0, 0, client.right, client.bottom, r.BackDC.get(), 0, 0, SRCCOPY);
    return;
  }
  platform::WindowDC dc = SkinFormClippedDC(r);
  BitBlt(dc.get(), 0, 0, client.right, client.bottom, r.BackDC.get(), 0, 0, SRCCOPY);
}

void SkinInvalidateListViews(SkinWindowRecord& r) {
  for (SkinChildEntry& entry : r.Children) {
    if (!IsWindowVisible(entry.window) || SkinGetClassNameText(entry.window) != "SysListView32") continue;
    entry.dirty = true;
    InvalidateRect(entry.window, nullptr, TRUE);
  }
}

void SkinSyncCompanionWindow(const SkinWindowRecord& r, bool visibility) {
  HWND form = r.Window;
  RECT at{};
  GetWindowRect(form, &at);
  for (const CompanionEntry& entry : r.CompanionRects) {
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

void SkinLayoutOnSize(const SkinWindowRecord& r) {
  RECT client{};
  GetClientRect(r.Window, &client);
  const int W = client.right, H = client.bottom;
  for (const LayoutEntry& e : r.CaptionChildRects) {
    if (!e.Window) continue;
    if (e.FullWidth)
      MoveWindow(e.Window, 2, e.Top, W - 4, H - e.Top - r.StatusBarHeight - 4, TRUE);
    else
      MoveWindow(e.Window, e.Left, e.Top, W - e.Left - 2, H - e.Top - r.StatusBarHeight - 2, TRUE);
  }
}

}  // namespace korvath::skin
