// The overlay windows over native scroll bars: creation, their procedures,
// placement and the hit tests of their parts.
#include "platform/gdi_object.h"
#include "skin/core/child_walk.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/window_list.h"
#include "skin/core/skin_message.h"
#include "skin/core/subclass.h"
#include "skin/core/window_props.h"
#include "skin/draw/drawing_values.h"
#include "skin/edit/edit_lookup.h"
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

// `owner`: the record of the control's top skinned window.
HWND OverlayCreate(const SkinWindowRecord& owner, HWND control, bool visible, ScrollBarAxis axis,
                   WNDPROC procedure) {
  const RECT r = visible ? BarInParent(control, axis) : kPlaceholder;
  HWND overlay = CreateWindowExW(0, L"Static", L"", kOverlayStyle | (visible ? WS_VISIBLE : 0),
                                 r.left, r.top, r.right - r.left, r.bottom - r.top,
                                 GetParent(control), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!overlay) return nullptr;
  // The control's own drawing (its native bar, its frame) must not cover the
  // overlay that lies on it.
  SetWindowLongW(control, GWL_STYLE, GetWindowLongW(control, GWL_STYLE) | WS_CLIPSIBLINGS);
  SetSkinPropHandle(overlay, prop::Mngd_zct, control);
  (void)SkinSubclass(overlay, {.procedure = procedure, .ownerNumber = SkinRecordNumber(owner)});
  PlaceOnTop(overlay, r);
  SkinNoteChildrenChanged(GetParent(control));
  return overlay;
}

// The bar the overlay shows: its control's, found once per message.
LRESULT OverlayProc(const SkinMessage& m, ScrollBarAxis axis) {
  switch (m.message) {
    case WM_PAINT: {
      platform::PaintScope validate(m.window);
      SkinPaintScrollBar(SkinScrollBarSlot(GetSkinPropHandle<HWND>(m.window, prop::Mngd_zct), axis));
      return 0;
    }
    case WM_PRINTCLIENT: {
      const ScrollBarSlot bar = SkinScrollBarSlot(GetSkinPropHandle<HWND>(m.window, prop::Mngd_zct), axis);
      if (bar.overlay != m.window) break;
      SkinPrintScrollBar(bar, m.dc());
      return 0;
    }
    default: break;
  }
  return m.Forward();
}

void SyncBar(const ScrollBarSlot& bar, std::optional<bool> show) {
  if (!bar.overlay) return;
  if (SkinBarShown(bar)) {
    const bool shown = show.value_or(IsVisibleStyle(bar.control));
    ShowWindow(bar.overlay, shown ? SW_SHOWNA : SW_HIDE);
  } else if (IsVisibleStyle(bar.overlay)) {
    ShowWindow(bar.overlay, SW_HIDE);
  }
}

void PlaceBar(const ScrollBarSlot& bar) {
  if (bar.overlay && IsVisibleStyle(bar.control)) PlaceOnTop(bar.overlay, BarInParent(bar.control, bar.axis));
}

void RefreshIfMoved(const ScrollBarSlot& bar) {
  if (!SkinBarShown(bar) || !bar.parts || !IsVisibleStyle(bar.overlay)) return;
  SCROLLBARINFO info = {};
  info.cbSize = sizeof(info);
  GetScrollBarInfo(bar.control, ObjectId(bar.axis), &info);
  const RECT& thumb = (*bar.parts)[2];
  const bool vertical = bar.axis == ScrollBarAxis::Vertical;
  const LONG start = vertical ? thumb.top : thumb.left, end = vertical ? thumb.bottom : thumb.right;
  if (start != info.xyThumbTop || end != info.xyThumbBottom) SkinPaintScrollBar(bar);
}

bool Inside(const RECT& r, POINT p) {
  return r.left <= p.x && p.x <= r.right && r.top <= p.y && p.y <= r.bottom;
}

LRESULT VerticalPart(const SkinMessage& m) { return OverlayProc(m, ScrollBarAxis::Vertical); }
LRESULT HorizontalPart(const SkinMessage& m) { return OverlayProc(m, ScrollBarAxis::Horizontal); }

}  // namespace

HWND VScrollOverlayCreate(const SkinWindowRecord& owner, HWND control, bool visible) {
  return OverlayCreate(owner, control, visible, ScrollBarAxis::Vertical, VScrollOverlayWndProc);
}

HWND HScrollOverlayCreate(const SkinWindowRecord& owner, HWND control, bool visible) {
  return OverlayCreate(owner, control, visible, ScrollBarAxis::Horizontal, HScrollOverlayWndProc);
}


LRESULT CALLBACK VScrollOverlayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({window, message, wParam, lParam}, &VerticalPart);
}

LRESULT CALLBACK HScrollOverlayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({window, message, wParam, lParam}, &HorizontalPart);
}

bool HasScrollStyle(HWND window) { return HasVScrollStyle(window) || HasHScrollStyle(window); }

void SkinSyncScrollOverlays(const ScrollBarSlot& vertical, const ScrollBarSlot& horizontal,
                            std::optional<bool> show) {
  SyncBar(vertical, show);
  SyncBar(horizontal, show);
  PlaceBar(vertical);
  PlaceBar(horizontal);
}

void SkinRefreshMovedScrollBars(const ScrollBarSlot& vertical, const ScrollBarSlot& horizontal) {
  RefreshIfMoved(vertical);
  RefreshIfMoved(horizontal);
}

void SkinRepaintEditOverlays(HWND edit, bool vertical, bool horizontal) {
  SkinRepaintScrollOverlays(FindEditRecord(edit), kScrollPartNone, vertical, horizontal);
}

int32_t SkinScrollBarPartAt(const ScrollBarSlot& bar, POINT screen) {
  if (!bar.overlay || !bar.parts) return kScrollPartNone;
  RECT overlayRect = {};
  GetWindowRect(bar.overlay, &overlayRect);
  const POINT p = {screen.x - overlayRect.left, screen.y - overlayRect.top};
  const ScrollBarParts& parts = *bar.parts;
  if (Inside(parts[0], p)) return kScrollPartFirstArrow;
  if (Inside(parts[1], p)) return kScrollPartSecondArrow;
  if (Inside(parts[2], p)) return kScrollPartThumb;
  return kScrollPartNone;
}

int32_t SkinVScrollMouse(HWND control, LPARAM lParam) {
  return SkinScrollBarPartAt(SkinScrollBarSlot(control, ScrollBarAxis::Vertical), SkinPointOf(lParam));
}

int32_t SkinHScrollMouse(HWND control, LPARAM lParam) {
  return SkinScrollBarPartAt(SkinScrollBarSlot(control, ScrollBarAxis::Horizontal), SkinPointOf(lParam));
}

}  // namespace korvath::skin
