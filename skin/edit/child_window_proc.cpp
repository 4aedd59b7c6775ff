// The procedure of skinned list-type controls.
#include "platform/gdi_object.h"
#include "skin/core/hover.h"
#include "skin/core/child_layer.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/control_background.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_startup.h"
#include "skin/core/ip_address_dots.h"
#include "skin/core/window_props.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/skin_message.h"
#include "skin/edit/painters.h"
#include "skin/edit/scroll_bars.h"
#include "skin/edit/window_procs.h"

namespace korvath::skin {

namespace {


void FramePaint(HWND control, std::optional<bool> hot = std::nullopt) {
  ChildControlSkinPaintFrame(SkinOwnerNumber(control), SkinEntryNumber(control), hot);
}

void SetDirty(HWND control) {
  if (SkinChildEntry* entry = SkinChildEntryOf(control)) entry->dirty = true;
}

void RepaintOverlays(HWND control, int32_t part, bool vertical = true, bool horizontal = true) {
  const SkinChildEntry* entry = SkinChildEntryOf(control);
  if (!entry) return;
  const bool v = vertical && HasVScrollStyle(control) && entry->vScrollOverlay;
  const bool h = horizontal && HasHScrollStyle(control) && entry->hScrollOverlay;
  if (v) VScrollPaint(control, part);
  if (h) HScrollPaint(control, part);
}

void ClearScrollHighlight(HWND control) {
  SkinChildEntry* entry = SkinChildEntryOf(control);
  if (!entry || entry->hotScrollPart <= 0) return;
  entry->hotScrollPart = kScrollPartNone;
  RepaintOverlays(control, kScrollPartNone);
}

POINT MousePoint(LPARAM lParam) {
  const auto packed = static_cast<int32_t>(lParam);
  return {int16_t(LoWord(packed)), HiWord(packed)};
}

// Leave notifications are always asked for, so that the hot frame goes when
// the mouse does; hover notifications only with the hover-tracking option.
void OnMouseMove(const SkinMessage& m) {
  SkinChildEntry* entry = SkinChildEntryOf(m.window);
  SkinWindowRecord* owner = SkinOwnerRecord(m.window);
  if (!entry || !owner) return;
  const POINT p = MousePoint(m.lParam);
  entry->mouseX = p.x;
  entry->mouseY = p.y;
  const DWORD tracking =
      entry->tracking ? 0 : DWORD(TME_LEAVE | (SkinEngine.options.SkinHoverTracking ? TME_HOVER : 0));
  if (SkinHoverEnter(*owner, {.window = m.window,
                              .number = SkinEntryNumber(m.window),
                              .kind = HoverKind::List,
                              .tracking = tracking})) {
    entry->hot = true;
    FramePaint(m.window, true);
  }
  ClearScrollHighlight(m.window);
}

void OnMouseHover(const SkinMessage& m) {
  if (SkinChildEntry* entry = SkinChildEntryOf(m.window)) entry->tracking = true;
}

void OnMouseLeave(const SkinMessage& m) {
  SkinChildEntry* entry = SkinChildEntryOf(m.window);
  if (!entry) return;
  entry->tracking = false;
  entry->mouseX = entry->mouseY = -1;
  if (SkinWindowRecord* owner = SkinOwnerRecord(m.window)) SkinHoverLeave(*owner);
  if (SkinEntryNumber(m.window) > 0) {
    entry->hot = false;
    FramePaint(m.window, false);
  }
  ClearScrollHighlight(m.window);
}

void OnWindowPosChanged(const SkinMessage& m) {
  SkinSyncScrollOverlays(m.window);
  SetDirty(m.window);
}

LRESULT OnEraseBackground(const SkinMessage& m) {
  if (!SkinEngine.options.SkinTransparentMode) return m.Forward();
  SetBkMode(reinterpret_cast<HDC>(m.wParam), TRANSPARENT);
  return 1;
}

// Renders the control's own painting over its skinned background, shows it
// and keeps it as the control's cached picture in the owner's layer.
LRESULT RenderOffScreen(const SkinMessage& m, SkinChildEntry& entry) {
  RECT r = {};
  GetClientRect(m.window, &r);
  {
    SkinMemoryDc memory = SkinFillControlBackground(m.window);
    platform::WindowDC dc = SkinGetClippedDC(m.window);
    SkinForward(m.window, WM_PAINT, reinterpret_cast<WPARAM>(memory.get()), m.lParam);
    if (SkinGetClassNameText(m.window) == "SysIPAddress32") SkinPaintIpAddressDots(m.window, memory.get());
    BitBlt(dc.get(), 0, 0, r.right - r.left, r.bottom - r.top, memory.get(), 0, 0, SRCCOPY);
    SkinPaintChildBackground(m.window, memory.get());
  }
  SkinInvalidateVisibleChildren(m.window);
  entry.dirty = false;
  return DefWindowProcW(m.window, WM_PAINT, 0, m.lParam);
}

LRESULT OnPaint(const SkinMessage& m) {
  FramePaint(m.window);
  SkinChildEntry* entry = SkinChildEntryOf(m.window);
  SkinWindowRecord* owner = SkinOwnerRecord(m.window);
  if (!entry || !owner) return m.Forward();
  if (!owner->Moving || entry->tracking) entry->dirty = true;
  if (entry->dirty) {
    if (!SkinEngine.options.SkinTransparentMode) return m.Forward();
    const std::string cls = SkinGetClassNameText(m.window);
    if (cls == "SysTreeView32") {
      platform::PaintScope validate(m.window);
      TreeSkinPaint(m.window);
      return 0;
    }
    if (cls == "SysListView32" && owner->ListViewRepaintPending) {
      { platform::PaintScope validate(m.window); }
      return DefWindowProcW(m.window, WM_PAINT, m.wParam, m.lParam);
    }
    return RenderOffScreen(m, *entry);
  }
  {
    platform::PaintScope paint(m.window);
    SkinRefreshWindow(m.window, false, false, paint.dc());
  }
  return DefWindowProcW(m.window, WM_PAINT, m.wParam, m.lParam);
}

void OnFocus(const SkinMessage& m, bool focused) {
  if (SkinChildEntry* entry = SkinChildEntryOf(m.window)) entry->focused = focused;
  FramePaint(m.window);
}

LRESULT OnNcPaint(const SkinMessage& m) {
  FramePaint(m.window);
  if (HasScrollStyle(m.window)) RepaintOverlays(m.window, kScrollPartNone);
  return DefWindowProcW(m.window, WM_NCPAINT, WPARAM(-1), m.lParam);
}

LRESULT OnScroll(const SkinMessage& m, bool vertical) {
  SetDirty(m.window);
  if (SkinEngine.options.SkinTransparentMode) InvalidateRect(m.window, nullptr, TRUE);
  const LRESULT result = m.Forward();
  if (const SkinChildEntry* entry = SkinChildEntryOf(m.window)) {
    RepaintOverlays(m.window, entry->hotScrollPart, vertical, !vertical);
  }
  return result;
}

LRESULT OnMouseWheel(const SkinMessage& m) {
  SetDirty(m.window);
  if (SkinEngine.options.SkinTransparentMode) InvalidateRect(m.window, nullptr, TRUE);
  const LRESULT result = m.Forward();
  if (const SkinChildEntry* entry = SkinChildEntryOf(m.window)) {
    RepaintOverlays(m.window, entry->hotScrollPart);
  }
  return result;
}

void OnKeyDown(const SkinMessage& m) {
  SkinChildEntry* entry = SkinChildEntryOf(m.window);
  if (!entry) return;
  entry->dirty = true;
  if (m.wParam == VK_LEFT || m.wParam == VK_UP || m.wParam == VK_RIGHT || m.wParam == VK_DOWN) {
    entry->keyDown = true;
    RepaintOverlays(m.window, kScrollPartNone);
  }
}

void OnKeyUp(const SkinMessage& m) {
  if (SkinChildEntry* entry = SkinChildEntryOf(m.window)) {
    entry->dirty = true;
    entry->keyDown = false;
  }
}

void OnNcLeftButtonDown(const SkinMessage& m) {
  const SkinChildEntry* entry = SkinChildEntryOf(m.window);
  if (!entry) return;
  if (m.wParam == HTVSCROLL && HasVScrollStyle(m.window) && entry->vScrollOverlay) {
    VScrollPaint(m.window, SkinVScrollMouse(m.window, m.lParam));
  } else if (m.wParam == HTHSCROLL && HasHScrollStyle(m.window) && entry->hScrollOverlay) {
    HScrollPaint(m.window, SkinHScrollMouse(m.window, m.lParam));
  }
}

void OnNcMouseMove(const SkinMessage& m) {
  SkinChildEntry* entry = SkinChildEntryOf(m.window);
  if (!entry) return;
  if (m.wParam == HTVSCROLL) {
    if (HasVScrollStyle(m.window) && entry->vScrollOverlay) {
      entry->hotScrollPart = SkinVScrollMouse(m.window, m.lParam);
      VScrollPaint(m.window, entry->hotScrollPart);
    }
  } else if (m.wParam == HTHSCROLL) {
    if (HasHScrollStyle(m.window) && entry->hScrollOverlay) {
      entry->hotScrollPart = SkinHScrollMouse(m.window, m.lParam);
      HScrollPaint(m.window, entry->hotScrollPart);
    }
  } else {
    ClearScrollHighlight(m.window);
  }
}

LRESULT OnControlColour(const SkinMessage& m) {
  auto child = reinterpret_cast<HWND>(m.lParam);
  const bool fromComboEdit =
      m.message == WM_CTLCOLOREDIT && SkinGetClassNameText(GetParent(child)) == "ComboBox";
  if (fromComboEdit || !SkinEngine.options.SkinEnabled || !SkinEngine.options.SkinTransparentMode) return m.Forward();
  return reinterpret_cast<LRESULT>(SkinChildColourBrush(reinterpret_cast<HDC>(m.wParam), child, true));
}

}  // namespace

HBRUSH SkinChildColourBrush(HDC childDc, HWND child, bool disabledColour) {
  const bool disabled = disabledColour && !IsWindowEnabled(child);
  SetTextColor(childDc, static_cast<COLORREF>(GetSkinProp(child, disabled ? prop::Kj_Jzzts : prop::Kj_Ztys)));
  SetBkMode(childDc, TRANSPARENT);
  return SkinControlBackgroundBrush(child);
}

LRESULT CALLBACK ChildControlSkinWndProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const SkinMessage m{control, message, wParam, lParam};
  switch (message) {
    case WM_MOUSEMOVE:         OnMouseMove(m); break;
    case WM_MOUSEHOVER:        OnMouseHover(m); break;
    case WM_MOUSELEAVE:        OnMouseLeave(m); break;
    case WM_SHOWWINDOW:        SkinSyncScrollOverlays(control, wParam != 0); break;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(control); break;
    case WM_MOVE:              if (SkinEngine.options.SkinTransparentMode) InvalidateRect(control, nullptr, TRUE); break;
    case WM_WINDOWPOSCHANGED:  OnWindowPosChanged(m); break;
    case WM_ERASEBKGND:        return OnEraseBackground(m);
    case WM_PAINT:             return OnPaint(m);
    case WM_SETFOCUS:          OnFocus(m, true); break;
    case WM_KILLFOCUS:         OnFocus(m, false); break;
    case WM_SETTEXT:           SetDirty(control); break;
    case WM_NCPAINT:           return OnNcPaint(m);
    case WM_VSCROLL:           return OnScroll(m, true);
    case WM_HSCROLL:           return OnScroll(m, false);
    case WM_MOUSEWHEEL:        return OnMouseWheel(m);
    case WM_KEYDOWN:           OnKeyDown(m); break;
    case WM_KEYUP:             OnKeyUp(m); break;
    case WM_NCLBUTTONDOWN:     OnNcLeftButtonDown(m); break;
    case WM_NCMOUSEMOVE:       OnNcMouseMove(m); break;
    case WM_NCMOUSELEAVE:      ClearScrollHighlight(control); break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:    return OnControlColour(m);
    default:                   break;
  }
  const LRESULT result = m.Forward();
  if (message != WM_DESTROY && message != WM_NCDESTROY) SkinRefreshMovedScrollBars(control);
  return result;
}

}  // namespace korvath::skin
