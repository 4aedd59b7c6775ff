// The procedure of skinned edits.
#include "platform/gdi_object.h"
#include "skin/core/child_layer.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_startup.h"
#include "skin/core/window_props.h"
#include "skin/edit/control_entry_lookup.h"
#include "skin/edit/painters.h"
#include "skin/edit/scroll_bars.h"
#include "skin/edit/window_procs.h"

namespace korvath::skin {

namespace {

constexpr int32_t kHoverKindEdit = 1;

void CopyPictureToOwner(HWND control) {
  platform::WindowDC dc = platform::WindowDC::Client(control);
  SkinPaintChildBackground(control, dc.get());
}

void OnMouseMove(const SkinMessage& m) {
  SkinWindowRecord* owner = SkinOwnerRecord(m.control);
  TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m.control, 0};
  TrackMouseEvent(&track);
  if (owner) {
    const int32_t number = SkinEntryNumber(m.control);
    owner->HotControl = number;
    HWND parent = GetParent(m.control);
    const bool stillHot = owner->HotControl == owner->PrevHotControl &&
                          owner->HoverKind == kHoverKindEdit && owner->HoverEditParent == parent;
    if (!stillHot) {
      // The entry keeps the hot state, so that repaints while the mouse rests
      // on the edit keep the hot border.
      if (SkinEditEntry* entry = SkinEditEntryOf(m.control)) entry->hot = true;
      EditSkinBorderPaint(m.control, std::nullopt, true);
      owner->PrevHotControl = owner->HotControl;
      owner->HoverKind = kHoverKindEdit;
      owner->HoverEditParent = parent;
    }
  }
  const SkinEditEntry* entry = SkinEditEntryOf(m.control);
  if (entry && entry->mouseDown) SkinRepaintEditOverlays(m.control);
}

void OnMouseLeave(const SkinMessage& m) {
  if (SkinWindowRecord* owner = SkinOwnerRecord(m.control)) owner->PrevHotControl = 0;
  SkinEditEntry* entry = SkinEditEntryOf(m.control);
  if (!entry) return;
  entry->hot = false;
  EditSkinBorderPaint(m.control, entry->focused, std::nullopt);
}

void OnShowWindow(const SkinMessage& m) {
  SkinSyncScrollOverlays(m.control);
  if (GetSkinProp(m.control, prop::Zqk_Szqk) == 1) {
    ShowWindow(GetSkinPropHandle<HWND>(m.control, prop::Zqk_gljb), m.wParam > 0 ? SW_SHOWNA : SW_HIDE);
  }
}

void OnMove(const SkinMessage& m) {
  if (SkinTransparentMode) InvalidateRect(m.control, nullptr, TRUE);
  SkinSyncScrollOverlays(m.control);
}

LRESULT OnEraseBackground(const SkinMessage& m) {
  if (!SkinTransparentMode) return SkinPassOn(m);
  auto dc = reinterpret_cast<HDC>(m.wParam);
  SetBkMode(dc, TRANSPARENT);
  SkinPaintWindowDcBackground(m.control, dc);
  return 1;
}

LRESULT OnPaint(const SkinMessage& m) {
  EditSkinBorderPaint(m.control);
  const LRESULT result = SkinPassOn(m);
  CopyPictureToOwner(m.control);
  return result;
}

void OnSetFocus(const SkinMessage& m) {
  if (SkinEditEntry* entry = SkinEditEntryOf(m.control)) entry->focused = true;
}

void OnKillFocus(const SkinMessage& m) {
  SkinEditEntry* entry = SkinEditEntryOf(m.control);
  if (!entry) return;
  entry->focused = false;
  if (SkinGetClassNameText(GetParent(m.control)) == "ComboBox") {
    entry->hot = false;
    EditSkinBorderPaint(m.control, std::nullopt, false);
  } else {
    InvalidateRect(m.control, nullptr, TRUE);
  }
}

void OnLeftButtonDown(const SkinMessage& m) {
  if (SkinEditEntry* entry = SkinEditEntryOf(m.control)) entry->mouseDown = true;
  if (SkinTransparentMode && !HasScrollStyle(m.control)) InvalidateRect(m.control, nullptr, TRUE);
}

void OnLeftButtonUp(const SkinMessage& m) {
  if (SkinEditEntry* entry = SkinEditEntryOf(m.control)) entry->mouseDown = false;
}

LRESULT OnScroll(const SkinMessage& m, bool vertical) {
  const LRESULT result = SkinPassOn(m);
  if (SkinTransparentMode) InvalidateRect(m.control, nullptr, TRUE);
  SkinRepaintEditOverlays(m.control, vertical, !vertical);
  return result;
}

// The native frame is handed to the default processing with the whole
// window as its region, after the skinned ring is on screen.
LRESULT OnNcPaint(const SkinMessage& m) {
  EditSkinBorderPaint(m.control);
  return DefWindowProcW(m.control, WM_NCPAINT, WPARAM(-1), m.lParam);
}

void OnNcMouseMove(const SkinMessage& m) {
  const SkinEditEntry* entry = SkinEditEntryOf(m.control);
  if (!entry) return;
  const bool v = entry->vScrollOverlay && HasVScrollStyle(m.control);
  const bool h = entry->hScrollOverlay && HasHScrollStyle(m.control);
  if (v) VScrollPaint(m.control, SkinVScrollMouse(m.control, m.lParam));
  if (h) HScrollPaint(m.control, SkinHScrollMouse(m.control, m.lParam));
}

}  // namespace

LRESULT CALLBACK EditSkinWndProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const SkinMessage m{control, message, wParam, lParam};
  switch (message) {
    case WM_DESTROY:           SkinDeleteControlBrush(control); break;
    case WM_MOUSEMOVE:         OnMouseMove(m); break;
    case WM_MOUSELEAVE:        OnMouseLeave(m); break;
    case WM_SHOWWINDOW:        OnShowWindow(m); break;
    case WM_MOVE:              OnMove(m); break;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(control); break;
    case WM_WINDOWPOSCHANGED:  SkinSyncScrollOverlays(control); break;
    case WM_ERASEBKGND:        return OnEraseBackground(m);
    case WM_PAINT:             return OnPaint(m);
    case WM_SETFOCUS:          OnSetFocus(m); break;
    case WM_KILLFOCUS:         OnKillFocus(m); break;
    case WM_SETTEXT:           SkinRepaintEditOverlays(control); break;
    case WM_KEYDOWN:           SkinRepaintEditOverlays(control); break;
    case WM_LBUTTONDOWN:       OnLeftButtonDown(m); break;
    case WM_LBUTTONUP:         OnLeftButtonUp(m); break;
    case WM_VSCROLL:           return OnScroll(m, true);
    case WM_HSCROLL:           return OnScroll(m, false);
    case WM_MOUSEWHEEL:        SkinRepaintEditOverlays(control); break;
    case WM_NCPAINT:           return OnNcPaint(m);
    case WM_NCLBUTTONDOWN:     SkinRepaintEditOverlays(control); break;
    case WM_NCMOUSEMOVE:       OnNcMouseMove(m); break;
    case WM_NCMOUSELEAVE:      SkinRepaintEditOverlays(control); break;
    default:                   break;
  }
  const LRESULT result = SkinPassOn(m);
  if (message != WM_DESTROY && message != WM_NCDESTROY) SkinRefreshMovedScrollBars(control);
  return result;
}

}  // namespace korvath::skin
