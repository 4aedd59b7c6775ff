// The procedure of skinned edits.
#include <utility>

#include "platform/gdi_object.h"
#include "skin/core/hover.h"
#include "skin/core/child_layer.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_startup.h"
#include "skin/core/window_props.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/skin_message.h"
#include "skin/edit/painters.h"
#include "skin/edit/scroll_bars.h"
#include "skin/edit/window_procs.h"

namespace korvath::skin {

namespace {


void CopyPictureToOwner(HWND control) {
  platform::WindowDC dc = platform::WindowDC::Client(control);
  SkinPaintChildBackground(control, dc.get());
}

void OnMouseMove(const SkinMessage& m) {
  SkinWindowRecord* owner = SkinOwnerRecord(m.window);
  if (owner && SkinHoverEnter(*owner, {.window = m.window,
                                     .number = SkinEntryNumber(m.window),
                                     .kind = HoverKind::Edit,
                                     .parent = GetParent(m.window)})) {
    // The entry keeps the hot state, so that repaints while the mouse rests
    // on the edit keep the hot border.
    if (SkinEditEntry* entry = SkinEditEntryOf(m.window)) entry->hot = true;
    EditSkinBorderPaint(m.window, std::nullopt, true);
  }
  const SkinEditEntry* entry = SkinEditEntryOf(m.window);
  if (entry && entry->mouseDown) SkinRepaintEditOverlays(m.window);
}

void OnMouseLeave(const SkinMessage& m) {
  if (SkinWindowRecord* owner = SkinOwnerRecord(m.window)) SkinHoverLeave(*owner);
  SkinEditEntry* entry = SkinEditEntryOf(m.window);
  if (!entry) return;
  entry->hot = false;
  EditSkinBorderPaint(m.window, entry->focused, std::nullopt);
}

void OnShowWindow(const SkinMessage& m) {
  SkinSyncScrollOverlays(m.window);
  if (GetSkinProp(m.window, prop::Zqk_Szqk) == 1) {
    ShowWindow(GetSkinPropHandle<HWND>(m.window, prop::Zqk_gljb), m.wParam > 0 ? SW_SHOWNA : SW_HIDE);
  }
}

void OnMove(const SkinMessage& m) {
  if (SkinEngine.options.SkinTransparentMode) InvalidateRect(m.window, nullptr, TRUE);
  SkinSyncScrollOverlays(m.window);
}

LRESULT OnEraseBackground(const SkinMessage& m) {
  if (!SkinEngine.options.SkinTransparentMode) return m.Forward();
  auto dc = reinterpret_cast<HDC>(m.wParam);
  SetBkMode(dc, TRANSPARENT);
  SkinPaintWindowDcBackground(m.window, dc);
  return 1;
}

// The edit whose WM_PAINT is under way, and whether its ring is still to be
// painted: the native paint's BeginPaint sends WM_NCPAINT when the frame
// needs painting, and the ring painted there serves the paint as well.
HWND editInPaint = nullptr;
bool ringPending = false;

// The ring goes on screen once: with the frame, else after the native paint
// of the client area, which it does not overlap.
LRESULT OnPaint(const SkinMessage& m) {
  const HWND outerEdit = std::exchange(editInPaint, m.window);
  const bool outerPending = std::exchange(ringPending, true);
  const LRESULT result = m.Forward();
  if (ringPending) EditSkinBorderPaint(m.window);
  editInPaint = outerEdit;
  ringPending = outerPending;
  CopyPictureToOwner(m.window);
  return result;
}

void OnSetFocus(const SkinMessage& m) {
  if (SkinEditEntry* entry = SkinEditEntryOf(m.window)) entry->focused = true;
}

void OnKillFocus(const SkinMessage& m) {
  SkinEditEntry* entry = SkinEditEntryOf(m.window);
  if (!entry) return;
  entry->focused = false;
  if (SkinGetClassNameText(GetParent(m.window)) == "ComboBox") {
    entry->hot = false;
    EditSkinBorderPaint(m.window, std::nullopt, false);
  } else {
    InvalidateRect(m.window, nullptr, TRUE);
  }
}

void OnLeftButtonDown(const SkinMessage& m) {
  if (SkinEditEntry* entry = SkinEditEntryOf(m.window)) entry->mouseDown = true;
  if (SkinEngine.options.SkinTransparentMode && !HasScrollStyle(m.window)) InvalidateRect(m.window, nullptr, TRUE);
}

void OnLeftButtonUp(const SkinMessage& m) {
  if (SkinEditEntry* entry = SkinEditEntryOf(m.window)) entry->mouseDown = false;
}

LRESULT OnScroll(const SkinMessage& m, bool vertical) {
  const LRESULT result = m.Forward();
  if (SkinEngine.options.SkinTransparentMode) InvalidateRect(m.window, nullptr, TRUE);
  SkinRepaintEditOverlays(m.window, vertical, !vertical);
  return result;
}

// The native frame is handed to the default processing with the whole
// window as its region, after the skinned ring is on screen.
LRESULT OnNcPaint(const SkinMessage& m) {
  EditSkinBorderPaint(m.window);
  if (m.window == editInPaint) ringPending = false;
  return DefWindowProcW(m.window, WM_NCPAINT, WPARAM(-1), m.lParam);
}

void OnNcMouseMove(const SkinMessage& m) {
  const SkinEditEntry* entry = SkinEditEntryOf(m.window);
  if (!entry) return;
  const bool v = entry->vScrollOverlay && HasVScrollStyle(m.window);
  const bool h = entry->hScrollOverlay && HasHScrollStyle(m.window);
  if (v) VScrollPaint(m.window, SkinVScrollMouse(m.window, m.lParam));
  if (h) HScrollPaint(m.window, SkinHScrollMouse(m.window, m.lParam));
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
  const LRESULT result = m.Forward();
  if (message != WM_DESTROY && message != WM_NCDESTROY) SkinRefreshMovedScrollBars(control);
  return result;
}

}  // namespace korvath::skin
