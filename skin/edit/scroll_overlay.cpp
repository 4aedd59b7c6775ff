// The overlay windows over native scroll bars: creation, their procedures,
// placement and the hit tests of their parts.
#include "platform/gdi_object.h"
#include "skin/core/child_walk.h"
#include "skin/core/drawing_values.h"
#include "skin/core/window_list.h"
#include "skin/core/subclass.h"
#include "skin/core/window_props.h"
#include "skin/edit/scroll_bar_slot.h"
#include "skin/edit/scroll_bars.h"

namespace korvath::skin {

namespace {

constexpr DWORD kOverlayStyle = WS_CHILD | WS_CLIPCHILDREN | WS_DISABLED;
constexpr RECT kPlaceholder = {0, 0, 10, 10};

LONG ObjectId(ScrollBarAxis axis) { return axis == ScrollBarAxis::Vertical ? OBJID_VSCROLL : OBJID_HSCROLL; }

// The native bar's rectangle in the client coordinates of the control's
// parent, where the overlay, a child of that parent, is placed.
RECT BarInParent(HWND control, ScrollBarAxis axis) {
  SCROLLBARINFO info = {};
  info.cbSize = sizeof(info);
  GetScrollBarInfo(control, ObjectId(axis), &info);
  const RECT& r = info.rcScrollBar;
  POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
  MapWindowPoints(nullptr, GetParent(control), corners, 2);
  return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void PlaceOnTop(HWND overlay, const RECT& r) {
  SetWindowPos(overlay, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOACTIVATE);
}

HWND OverlayCreate(HWND control, bool visible, ScrollBarAxis axis, WNDPROC procedure) {
  const RECT r = visible ? BarInParent(control, axis) : kPlaceholder;
  HWND overlay = CreateWindowExW(0, L"Static", L"", kOverlayStyle | (visible ? WS_VISIBLE : 0),
                                 r.left, r.top, r.right - r.left, r.bottom - r.top,
                                 GetParent(control), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!overlay) return nullptr;
  // The control's own drawing (its native bar, its frame) must not cover the
  // overlay that lies on it.
  SetWindowLongW(control, GWL_STYLE, GetWindowLongW(control, GWL_STYLE) | WS_CLIPSIBLINGS);
  SetSkinPropHandle(overlay, prop::Mngd_zct, control);
  (void)SkinSubclass(overlay, {.procedure = procedure, .ownerNumber = SkinTopSkinnedAncestor(overlay)});
  PlaceOnTop(overlay, r);
  SkinNoteChildrenChanged(GetParent(control));
  return overlay;
}

LRESULT OverlayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                    void (*paint)(HWND, int32_t)) {
  switch (message) {
    case WM_PAINT: {
      platform::PaintScope validate(window);
      paint(GetSkinPropHandle<HWND>(window, prop::Mngd_zct), kScrollPartNone);
      return 0;
    }
    default: break;
  }
  return SkinForward(window, message, wParam, lParam);
}

bool HasStyle(HWND window, LONG bit) { return (GetWindowLongW(window, GWL_STYLE) & bit) != 0; }

void SyncBar(HWND control, ScrollBarAxis axis, LONG styleBit, std::optional<bool> show) {
  HWND overlay = SkinScrollBarSlot(control, axis).overlay;
  if (!overlay) return;
  if (HasStyle(control, styleBit)) {
    const bool shown = show.value_or(IsVisibleStyle(control));
    ShowWindow(overlay, shown ? SW_SHOWNA : SW_HIDE);
  } else if (IsVisibleStyle(overlay)) {
    ShowWindow(overlay, SW_HIDE);
  }
}

void PlaceBar(HWND control, ScrollBarAxis axis) {
  HWND overlay = SkinScrollBarSlot(control, axis).overlay;
  if (overlay && IsVisibleStyle(control)) PlaceOnTop(overlay, BarInParent(control, axis));
}

void RefreshIfMoved(HWND control, ScrollBarAxis axis, LONG styleBit, void (*paint)(HWND, int32_t)) {
  const ScrollBarSlot slot = SkinScrollBarSlot(control, axis);
  if (!slot.overlay || !slot.parts || !HasStyle(control, styleBit) || !IsVisibleStyle(slot.overlay)) return;
  SCROLLBARINFO info = {};
  info.cbSize = sizeof(info);
  GetScrollBarInfo(control, ObjectId(axis), &info);
  const RECT& thumb = (*slot.parts)[2];
  const bool vertical = axis == ScrollBarAxis::Vertical;
  const LONG start = vertical ? thumb.top : thumb.left, end = vertical ? thumb.bottom : thumb.right;
  if (start != info.xyThumbTop || end != info.xyThumbBottom) paint(control, kScrollPartNone);
}

bool Inside(const RECT& r, POINT p) {
  return r.left <= p.x && p.x <= r.right && r.top <= p.y && p.y <= r.bottom;
}

int32_t PartAt(HWND control, LPARAM lParam, ScrollBarAxis axis) {
  const ScrollBarSlot slot = SkinScrollBarSlot(control, axis);
  if (!slot.overlay || !slot.parts) return kScrollPartNone;
  RECT overlayRect = {};
  GetWindowRect(slot.overlay, &overlayRect);
  const auto packed = static_cast<int32_t>(lParam);
  const POINT p = {int16_t(LoWord(packed)) - overlayRect.left, int16_t(HiWord(packed)) - overlayRect.top};
  const ScrollBarParts& parts = *slot.parts;
  if (Inside(parts[0], p)) return kScrollPartFirstArrow;
  if (Inside(parts[1], p)) return kScrollPartSecondArrow;
  if (Inside(parts[2], p)) return kScrollPartThumb;
  return kScrollPartNone;
}

}  // namespace

HWND VScrollOverlayCreate(HWND control, bool visible) {
  return OverlayCreate(control, visible, ScrollBarAxis::Vertical, VScrollOverlayWndProc);
}

HWND HScrollOverlayCreate(HWND control, bool visible) {
  return OverlayCreate(control, visible, ScrollBarAxis::Horizontal, HScrollOverlayWndProc);
}

LRESULT CALLBACK VScrollOverlayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return OverlayProc(window, message, wParam, lParam, VScrollPaint);
}

LRESULT CALLBACK HScrollOverlayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return OverlayProc(window, message, wParam, lParam, HScrollPaint);
}

bool HasScrollStyle(HWND window) { return HasVScrollStyle(window) || HasHScrollStyle(window); }

void SkinSyncScrollOverlays(HWND control, std::optional<bool> show) {
  SyncBar(control, ScrollBarAxis::Vertical, WS_VSCROLL, show);
  SyncBar(control, ScrollBarAxis::Horizontal, WS_HSCROLL, show);
  PlaceBar(control, ScrollBarAxis::Vertical);
  PlaceBar(control, ScrollBarAxis::Horizontal);
}

void SkinRefreshMovedScrollBars(HWND control) {
  RefreshIfMoved(control, ScrollBarAxis::Vertical, WS_VSCROLL, VScrollPaint);
  RefreshIfMoved(control, ScrollBarAxis::Horizontal, WS_HSCROLL, HScrollPaint);
}

void SkinRepaintEditOverlays(HWND edit, bool vertical, bool horizontal) {
  const SkinEditEntry* entry = SkinEditEntryOf(edit);
  if (!entry) return;
  const bool v = vertical && entry->vScrollOverlay && HasVScrollStyle(edit);
  const bool h = horizontal && entry->hScrollOverlay && HasHScrollStyle(edit);
  if (v) VScrollPaint(edit);
  if (h) HScrollPaint(edit);
}

int32_t SkinVScrollMouse(HWND control, LPARAM lParam) {
  return PartAt(control, lParam, ScrollBarAxis::Vertical);
}

int32_t SkinHScrollMouse(HWND control, LPARAM lParam) {
  return PartAt(control, lParam, ScrollBarAxis::Horizontal);
}

}  // namespace korvath::skin
