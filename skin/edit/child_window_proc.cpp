// The procedure of skinned list-type controls.
#include <string>

#include "platform/gdi_object.h"
#include "skin/core/child_layer.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/control_background.h"
#include "skin/core/engine_startup.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/hot_control.h"
#include "skin/core/skin_message.h"
#include "skin/core/window_props.h"
#include "skin/draw/drawing_values.h"
#include "skin/edit/ip_address_dots.h"
#include "skin/edit/painters.h"
#include "skin/edit/scroll_bar_slot.h"
#include "skin/edit/window_procs.h"

namespace korvath::skin {

namespace {

// The control found again: after the procedure behind the skin ran.
ChildRef FindChild(HWND control) { return SkinFindEntry(control, &SkinWindowRecord::Children); }

void SetDirty(const ChildRef& child) {
  if (child) child->dirty = true;
}

void ClearScrollHighlight(const ChildRef& child) {
  if (!child || child->hotScrollPart <= 0) return;
  child->hotScrollPart = kScrollPartNone;
  SkinRepaintScrollOverlays(child);
}

// Leave notifications are always asked for, so that the hot frame goes when
// the mouse does; hover notifications only with the hover-tracking option.
void OnMouseMove(const SkinMessage& m, const ChildRef& child) {
  if (!child) return;
  const POINT p = m.point();
  child->mouseX = p.x;
  child->mouseY = p.y;
  const DWORD tracking =
      child->tracking ? 0 : DWORD(TME_LEAVE | (SkinEngine.options.SkinHoverTracking ? TME_HOVER : 0));
  if (SkinHotEnter(*child.record,
                   {.window = m.window, .number = child.number, .kind = HoverKind::List, .tracking = tracking})) {
    child->hot = true;
    ChildControlSkinPaintFrame(child, true);
  }
  ClearScrollHighlight(child);
}

void OnMouseLeave(const ChildRef& child) {
  if (!child) return;
  child->tracking = false;
  child->mouseX = child->mouseY = -1;
  SkinHotLeave(*child.record);
  child->hot = false;
  ChildControlSkinPaintFrame(child, false);
  ClearScrollHighlight(child);
}

void OnWindowPosChanged(const ChildRef& child) {
  SkinSyncScrollOverlays(child);
  SetDirty(child);
}

LRESULT OnEraseBackground(const SkinMessage& m) {
  if (!SkinEngine.options.SkinTransparentMode) return m.Forward();
  SetBkMode(m.dc(), TRANSPARENT);
  return 1;
}

// The control's own painting onto `picture`, its skinned background of the
// client area's size: its WM_PAINT drawn there (the procedure behind runs
// meanwhile).
void RenderInto(HWND window, HDC picture) {
  const SkinMessage paint{window, WM_PAINT, 0, 0};
  paint.ForwardOnto(picture);
  if (SkinGetClassNameText(window) == "SysIPAddress32") SkinPaintIpAddressDots(window, picture);
}

// Renders the control's own painting over its skinned background, shows it
// and keeps it as the control's cached picture in the owner's layer.
LRESULT RenderOffScreen(const SkinMessage& m, const ChildRef& child) {
  RECT r = {};
  GetClientRect(m.window, &r);
  ChildRef after;
  {
    const SkinMemoryDc picture = SkinFillControlBackground(*child.record, m.window);
    platform::WindowDC dc = SkinGetClippedDC(m.window);
    RenderInto(m.window, picture.get());
    BitBlt(dc.get(), 0, 0, r.right - r.left, r.bottom - r.top, picture.get(), 0, 0, SRCCOPY);
    after = FindChild(m.window);
    if (after.record) SkinPaintChildBackground(*after.record, m.window, picture.get());
  }
  SkinInvalidateVisibleChildren(m.window);
  if (after) after->dirty = false;
  return DefWindowProcW(m.window, WM_PAINT, 0, m.lParam);
}

// Whether a paint now renders the control (else its picture in the owner's
// layer serves): always, but while the owner is being dragged only a control
// that is dirty or has the mouse.
bool Renders(const ChildRef& child) { return child->dirty || !child.record->Moving || child->tracking; }

LRESULT OnPaint(const SkinMessage& m, const ChildRef& child) {
  ChildControlSkinPaintFrame(child);
  if (!child) return m.Forward();
  if (!Renders(child)) {
    {
      // Its erase may have gone to the procedure behind the skin.
      platform::PaintScope paint(m.window);
      if (const ChildRef after = FindChild(m.window); after.record) {
        SkinRefreshWindow(*after.record, m.window, false, paint.dc());
      }
    }
    return DefWindowProcW(m.window, WM_PAINT, m.wParam, m.lParam);
  }
  child->dirty = true;
  if (!SkinEngine.options.SkinTransparentMode) return m.Forward();
  const std::string cls = SkinGetClassNameText(m.window);
  if (cls == "SysTreeView32") {
    platform::PaintScope validate(m.window);
    TreeSkinPaint(child);
    return 0;
  }
  if (cls == "SysListView32" && child.record->ListViewRepaintPending) {
    { platform::PaintScope validate(m.window); }
    return DefWindowProcW(m.window, WM_PAINT, m.wParam, m.lParam);
  }
  return RenderOffScreen(m, child);
}

// The picture WM_PAINT shows, onto the given DC: the same render (a tree's
// own painter) or the layer's copy; the control's own print outside the
// transparent mode. Nothing is shown, kept or marked clean.
LRESULT OnPrintClient(const SkinMessage& m, const ChildRef& child) {
  if (!child) return m.Forward();
  if (!Renders(child)) {
    SkinRefreshWindow(*child.record, m.window, false, m.dc());
    return 0;
  }
  if (!SkinEngine.options.SkinTransparentMode) return m.Forward();
  if (SkinGetClassNameText(m.window) == "SysTreeView32") {
    TreeSkinPrint(child, m.dc());
    return 0;
  }
  RECT r = {};
  GetClientRect(m.window, &r);
  const SkinMemoryDc picture = SkinFillControlBackground(*child.record, m.window);
  RenderInto(m.window, picture.get());
  BitBlt(m.dc(), 0, 0, r.right - r.left, r.bottom - r.top, picture.get(), 0, 0, SRCCOPY);
  return 0;
}

void OnFocus(const ChildRef& child, bool focused) {
  if (child) child->focused = focused;
  ChildControlSkinPaintFrame(child);
}

LRESULT OnNcPaint(const SkinMessage& m, const ChildRef& child) {
  ChildControlSkinPaintFrame(child);
  if (HasScrollStyle(m.window)) SkinRepaintScrollOverlays(child);
  return DefWindowProcW(m.window, WM_NCPAINT, WPARAM(-1), m.lParam);
}

// Scrolling by bar or wheel: the overlays follow, with the part under the
// mouse kept highlighted.
LRESULT OnScroll(const SkinMessage& m, const ChildRef& child, bool vertical, bool horizontal) {
  SetDirty(child);
  if (SkinEngine.options.SkinTransparentMode) InvalidateRect(m.window, nullptr, TRUE);
  const LRESULT result = m.Forward();
  if (const ChildRef after = FindChild(m.window)) {
    SkinRepaintScrollOverlays(after, after->hotScrollPart, vertical, horizontal);
  }
  return result;
}

void OnKeyDown(const SkinMessage& m, const ChildRef& child) {
  if (!child) return;
  child->dirty = true;
  if (m.wParam == VK_LEFT || m.wParam == VK_UP || m.wParam == VK_RIGHT || m.wParam == VK_DOWN) {
    child->keyDown = true;
    SkinRepaintScrollOverlays(child);
  }
}

void OnKeyUp(const ChildRef& child) {
  if (!child) return;
  child->dirty = true;
  child->keyDown = false;
}

void OnNcLeftButtonDown(const SkinMessage& m, const ChildRef& child) {
  if (!child) return;
  const ScrollBarSlot v = SkinScrollBarSlot(child, ScrollBarAxis::Vertical);
  const ScrollBarSlot h = SkinScrollBarSlot(child, ScrollBarAxis::Horizontal);
  if (m.wParam == HTVSCROLL && SkinBarShown(v)) {
    SkinPaintScrollBar(v, SkinScrollBarPartAt(v, m.point()));
  } else if (m.wParam == HTHSCROLL && SkinBarShown(h)) {
    SkinPaintScrollBar(h, SkinScrollBarPartAt(h, m.point()));
  }
}

void OnNcMouseMove(const SkinMessage& m, const ChildRef& child) {
  if (!child) return;
  if (m.wParam == HTVSCROLL || m.wParam == HTHSCROLL) {
    const bool vertical = m.wParam == HTVSCROLL;
    const ScrollBarSlot bar =
        SkinScrollBarSlot(child, vertical ? ScrollBarAxis::Vertical : ScrollBarAxis::Horizontal);
    if (SkinBarShown(bar)) {
      child->hotScrollPart = SkinScrollBarPartAt(bar, m.point());
      SkinPaintScrollBar(bar, child->hotScrollPart);
    }
  } else {
    ClearScrollHighlight(child);
  }
}

LRESULT OnControlColour(const SkinMessage& m, const ChildRef& child) {
  const HWND control = m.control();
  const bool fromComboEdit =
      m.message == WM_CTLCOLOREDIT && SkinGetClassNameText(GetParent(control)) == "ComboBox";
  if (fromComboEdit || !SkinEngine.options.SkinEnabled || !SkinEngine.options.SkinTransparentMode ||
      !child.record) {
    return m.Forward();
  }
  return SkinMessage::Answer(SkinChildColourBrush(*child.record, m.dc(), control, true));
}

}  // namespace

HBRUSH SkinChildColourBrush(const SkinWindowRecord& owner, HDC childDc, HWND child, bool disabledColour) {
  const bool disabled = disabledColour && !IsWindowEnabled(child);
  SetTextColor(childDc, static_cast<COLORREF>(GetSkinProp(child, disabled ? prop::Kj_Jzzts : prop::Kj_Ztys)));
  SetBkMode(childDc, TRANSPARENT);
  return SkinControlBackgroundBrush(owner, child);
}

namespace {

// The skin's part of a message to ChildControlSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  const HWND control = m.window;
  const UINT message = m.message;
  const WPARAM wParam = m.wParam;
  const ChildRef child = FindChild(control);
  switch (message) {
    case WM_MOUSEMOVE:         OnMouseMove(m, child); break;
    case WM_MOUSEHOVER:        if (child) child->tracking = true; break;
    case WM_MOUSELEAVE:        OnMouseLeave(child); break;
    case WM_SHOWWINDOW:        SkinSyncScrollOverlays(child, wParam != 0); break;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(child, control); break;
    case WM_MOVE:              if (SkinEngine.options.SkinTransparentMode) InvalidateRect(control, nullptr, TRUE); break;
    case WM_WINDOWPOSCHANGED:  OnWindowPosChanged(child); break;
    case WM_ERASEBKGND:        return OnEraseBackground(m);
    case WM_PAINT:             return OnPaint(m, child);
    case WM_PRINTCLIENT:       return OnPrintClient(m, child);
    case WM_SETFOCUS:          OnFocus(child, true); break;
    case WM_KILLFOCUS:         OnFocus(child, false); break;
    case WM_SETTEXT:           SetDirty(child); break;
    case WM_NCPAINT:           return OnNcPaint(m, child);
    case WM_VSCROLL:           return OnScroll(m, child, true, false);
    case WM_HSCROLL:           return OnScroll(m, child, false, true);
    case WM_MOUSEWHEEL:        return OnScroll(m, child, true, true);
    case WM_KEYDOWN:           OnKeyDown(m, child); break;
    case WM_KEYUP:             OnKeyUp(child); break;
    case WM_NCLBUTTONDOWN:     OnNcLeftButtonDown(m, child); break;
    case WM_NCMOUSEMOVE:       OnNcMouseMove(m, child); break;
    case WM_NCMOUSELEAVE:      ClearScrollHighlight(child); break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:    return OnControlColour(m, child);
    default:                   break;
  }
  // The overlays follow what the procedure behind did to the bars; only a
  // control that has one finds its entry again for them.
  const bool overlaid = child && (child->vScrollOverlay || child->hScrollOverlay);
  const LRESULT result = m.Forward();
  if (overlaid && message != WM_DESTROY && message != WM_NCDESTROY) SkinRefreshMovedScrollBars(FindChild(control));
  return result;
}

}  // namespace

LRESULT CALLBACK ChildControlSkinWndProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({control, message, wParam, lParam}, &SkinPart);
}

}  // namespace korvath::skin
