// The procedure of skinned edits.
#include <utility>

#include "platform/gdi_object.h"
#include "skin/core/child_layer.h"
#include "skin/core/control_background.h"
#include "skin/core/engine_startup.h"
#include "skin/core/hot_control.h"
#include "skin/core/skin_message.h"
#include "skin/core/window_props.h"
#include "skin/draw/drawing_values.h"
#include "skin/edit/edit_lookup.h"
#include "skin/edit/painters.h"
#include "skin/edit/scroll_bar_slot.h"
#include "skin/edit/window_procs.h"

namespace korvath::skin {

namespace {

void CopyPictureToOwner(HWND control, const EditRef& edit) {
  platform::WindowDC dc = platform::WindowDC::Client(control);
  if (edit.record) SkinPaintChildBackground(*edit.record, control, dc.get());
}

void OnMouseMove(const SkinMessage& m, const EditRef& edit) {
  if (edit.record && SkinHotEnter(*edit.record, {.window = m.window,
                                                 .number = edit.number,
                                                 .kind = HoverKind::Edit,
                                                 .parent = GetParent(m.window)})) {
    // The entry keeps the hot state, so that repaints while the mouse rests
    // on the edit keep the hot border.
    if (edit) edit->hot = true;
    EditSkinBorderPaint(m.window, edit, std::nullopt, true);
  }
  if (edit && edit->mouseDown) SkinRepaintScrollOverlays(edit);
}

void OnMouseLeave(const SkinMessage& m, const EditRef& edit) {
  if (edit.record) SkinHotLeave(*edit.record);
  if (!edit) return;
  edit->hot = false;
  EditSkinBorderPaint(m.window, edit, edit->focused, std::nullopt);
}

void OnShowWindow(const SkinMessage& m, const EditRef& edit) {
  SkinSyncScrollOverlays(edit);
  if (GetSkinProp(m.window, prop::Zqk_Szqk) == 1) {
    ShowWindow(GetSkinPropHandle<HWND>(m.window, prop::Zqk_gljb), m.wParam > 0 ? SW_SHOWNA : SW_HIDE);
  }
}

void OnMove(const SkinMessage& m, const EditRef& edit) {
  if (SkinEngine.options.SkinTransparentMode) InvalidateRect(m.window, nullptr, TRUE);
  SkinSyncScrollOverlays(edit);
}

LRESULT OnEraseBackground(const SkinMessage& m, const EditRef& edit) {
  if (!SkinEngine.options.SkinTransparentMode) return m.Forward();
  SetBkMode(m.dc(), TRANSPARENT);
  if (edit.record) SkinPaintWindowDcBackground(*edit.record, m.window, m.dc());
  return 1;
}

// The edit whose WM_PAINT is under way, and whether its ring is still to be
// painted: the native paint's BeginPaint sends WM_NCPAINT when the frame
// needs painting, and the ring painted there serves the paint as well. Not
// engine state: set and put back around one paint on the window's thread.
HWND editInPaint = nullptr;
bool ringPending = false;

// The ring goes on screen once: with the frame, else after the native paint
// of the client area, which it does not overlap.
LRESULT OnPaint(const SkinMessage& m) {
  const HWND outerEdit = std::exchange(editInPaint, m.window);
  const bool outerPending = std::exchange(ringPending, true);
  const LRESULT result = m.Forward();
  const EditRef edit = FindEditRecord(m.window);
  if (ringPending) EditSkinBorderPaint(m.window, edit);
  editInPaint = outerEdit;
  ringPending = outerPending;
  CopyPictureToOwner(m.window, edit);
  return result;
}

void OnKillFocus(const SkinMessage& m, const EditRef& edit) {
  if (!edit) return;
  edit->focused = false;
  if (SkinGetClassNameText(GetParent(m.window)) == "ComboBox") {
    edit->hot = false;
    EditSkinBorderPaint(m.window, edit, std::nullopt, false);
  } else {
    InvalidateRect(m.window, nullptr, TRUE);
  }
}

void OnLeftButtonDown(const SkinMessage& m, const EditRef& edit) {
  if (edit) edit->mouseDown = true;
  if (SkinEngine.options.SkinTransparentMode && !HasScrollStyle(m.window)) InvalidateRect(m.window, nullptr, TRUE);
}

LRESULT OnScroll(const SkinMessage& m, bool vertical) {
  const LRESULT result = m.Forward();
  if (SkinEngine.options.SkinTransparentMode) InvalidateRect(m.window, nullptr, TRUE);
  SkinRepaintScrollOverlays(FindEditRecord(m.window), kScrollPartNone, vertical, !vertical);
  return result;
}

// The native frame is handed to the default processing with the whole
// window as its region, after the skinned ring is on screen.
LRESULT OnNcPaint(const SkinMessage& m, const EditRef& edit) {
  EditSkinBorderPaint(m.window, edit);
  if (m.window == editInPaint) ringPending = false;
  return DefWindowProcW(m.window, WM_NCPAINT, WPARAM(-1), m.lParam);
}

void OnNcMouseMove(const SkinMessage& m, const EditRef& edit) {
  if (!edit) return;
  const ScrollBarSlot v = SkinScrollBarSlot(edit, ScrollBarAxis::Vertical);
  const ScrollBarSlot h = SkinScrollBarSlot(edit, ScrollBarAxis::Horizontal);
  const bool paintV = SkinBarShown(v);
  const bool paintH = SkinBarShown(h);
  if (paintV) SkinPaintScrollBar(v, SkinScrollBarPartAt(v, m.point()));
  if (paintH) SkinPaintScrollBar(h, SkinScrollBarPartAt(h, m.point()));
}

}  // namespace

// WM_PRINTCLIENT goes on to the native edit: its client area is the native
// paint's (the ring lies outside it), on the owner's WM_CTLCOLOREDIT brush
// in a print as on screen.
namespace {

// The skin's part of a message to EditSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  const HWND control = m.window;
  const UINT message = m.message;
  const EditRef edit = FindEditRecord(control);
  switch (message) {
    case WM_DESTROY:           SkinDeleteControlBrush(control); break;
    case WM_MOUSEMOVE:         OnMouseMove(m, edit); break;
    case WM_MOUSELEAVE:        OnMouseLeave(m, edit); break;
    case WM_SHOWWINDOW:        OnShowWindow(m, edit); break;
    case WM_MOVE:              OnMove(m, edit); break;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(edit, control); break;
    case WM_WINDOWPOSCHANGED:  SkinSyncScrollOverlays(edit); break;
    case WM_ERASEBKGND:        return OnEraseBackground(m, edit);
    case WM_PAINT:             return OnPaint(m);
    case WM_SETFOCUS:          if (edit) edit->focused = true; break;
    case WM_KILLFOCUS:         OnKillFocus(m, edit); break;
    case WM_SETTEXT:           SkinRepaintScrollOverlays(edit); break;
    case WM_KEYDOWN:           SkinRepaintScrollOverlays(edit); break;
    case WM_LBUTTONDOWN:       OnLeftButtonDown(m, edit); break;
    case WM_LBUTTONUP:         if (edit) edit->mouseDown = false; break;
    case WM_VSCROLL:           return OnScroll(m, true);
    case WM_HSCROLL:           return OnScroll(m, false);
    case WM_MOUSEWHEEL:        SkinRepaintScrollOverlays(edit); break;
    case WM_NCPAINT:           return OnNcPaint(m, edit);
    case WM_NCLBUTTONDOWN:     SkinRepaintScrollOverlays(edit); break;
    case WM_NCMOUSEMOVE:       OnNcMouseMove(m, edit); break;
    case WM_NCMOUSELEAVE:      SkinRepaintScrollOverlays(edit); break;
    default:                   break;
  }
  // The overlays follow what the procedure behind did to the bars; only an
  // edit that has one finds its entry again for them.
  const bool overlaid = edit && (edit->vScrollOverlay || edit->hScrollOverlay);
  const LRESULT result = m.Forward();
  if (overlaid && message != WM_DESTROY && message != WM_NCDESTROY) {
    SkinRefreshMovedScrollBars(FindEditRecord(control));
  }
  return result;
}

}  // namespace

LRESULT CALLBACK EditSkinWndProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({control, message, wParam, lParam}, &SkinPart);
}

}  // namespace korvath::skin
