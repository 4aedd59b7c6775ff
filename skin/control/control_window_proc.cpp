// The control layer's procedure: it lets a control paint itself over its
// parent's skinned background.
#include "skin/control/control_skin.h"

#include <commctrl.h>

#include "platform/gdi_object.h"
#include "skin/control/toolbar_paint.h"
#include "skin/core/child_layer.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/control_background.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/skin_canvas.h"
#include "skin/core/skin_message.h"
#include "skin/draw/drawing_values.h"

namespace korvath::skin {

namespace {

constexpr COLORREF kFrameModeKey = 0xFFFFFF;
constexpr int32_t kFrameModeFramed = 1;

ToolbarRef Find(HWND window) { return SkinFindEntry(window, &SkinWindowRecord::Toolbars, kControlLayerSlot); }

bool IsClass(HWND window, const char* name) { return SkinGetClassNameText(window) == name; }

void OnMouseMove(const SkinMessage& m, const ToolbarRef& control) {
  if (!control) return;
  control->repaint = true;
  if (control->mouseTracking) return;
  control->mouseTracking = true;
  TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m.window, 0};
  TrackMouseEvent(&track);
}

void OnMouseLeave(const ToolbarRef& control) {
  if (!control) return;
  control->mouseTracking = false;
  control->repaint = true;
}

void SetRepaint(const ToolbarRef& control) {
  if (control) control->repaint = true;
}

LRESULT OnEraseBackground(const SkinMessage& m, const ToolbarRef& control) {
  if (!SkinEngine.options.SkinTransparentMode) return m.Forward();
  if (control && SkinIsToolbar(m.window) && !control->repaint) control->repaint = SkinFindParentSkin(*control.record);
  SetBkMode(m.dc(), TRANSPARENT);
  return 1;
}

// A toolbar is drawn by the skin when it changed, else restored from the
// child layer; its own procedure never sees the WM_PAINT. A print draws the
// same onto the DC it is given.
LRESULT PaintToolbar(const SkinMessage& m, const ToolbarRef& toolbar) {
  platform::PaintScope paint(m.window);
  if (toolbar->repaint) {
    ToolbarSkinPaint(toolbar);
  } else {
    SkinReleaseDC(*toolbar.record, m.window, paint.dc());
  }
  return 0;
}

LRESULT PrintToolbar(const SkinMessage& m, const ToolbarRef& toolbar) {
  if (toolbar->repaint) {
    ToolbarSkinPrint(toolbar, m.dc());
  } else {
    SkinReleaseDC(*toolbar.record, m.window, m.dc());
  }
  return 0;
}

COLORREF KeyOf(const SkinToolbarEntry* entry) {
  if (!entry) return GetSysColor(COLOR_BTNFACE);
  return entry->frameMode == kFrameModeFramed ? kFrameModeKey : entry->keyColor;
}

// What lies beneath the control's client area, for it to paint into.
SkinCanvas Beneath(const ToolbarRef& control) {
  RECT client = {};
  GetClientRect(control->window, &client);
  return SkinCanvas(*control.record, control->window, client);
}

// Controls that paint into the DC they are given: `paint` (their WM_PAINT)
// draws them into `own`, which holds the parent background; that is keyed
// over the washed background, onto `target` and into the child layer. The
// control's own procedure may have sent its owner messages: its entry is
// found again after it.
LRESULT PaintIntoMemoryDc(const SkinMessage& paint, SkinCanvas& own, HDC target) {
  const HWND window = paint.window;
  const int width = own.width(), height = own.height();
  const LRESULT result = paint.ForwardOnto(own.dc());
  const ToolbarRef control = Find(window);
  if (!control.record) return result;
  SkinMemoryDc washed = SkinFillControlBackground(*control.record, window);
  if (own.dc() && washed) {
    if (control && control->frameMode == kFrameModeFramed) SkinControlAreaPaint(window, own.dc());
    TransparentBlt(washed.get(), 0, 0, width, height, own.dc(), 0, 0, width, height, KeyOf(control.get()));
    BitBlt(target, 0, 0, width, height, washed.get(), 0, 0, SRCCOPY);
    SkinPaintChildBackground(*control.record, window, washed.get());
  }
  return result;
}

// Controls that paint on their own window: their pixels taken from it and
// laid over the parent background (the entry found again after the
// control's own procedure, as above).
LRESULT PaintOverUpdateRect(const SkinMessage& m, const ToolbarRef& before) {
  const HWND window = m.window;
  platform::WindowDC screen = platform::WindowDC::Client(window);
  RECT update = {};
  GetUpdateRect(window, &update, FALSE);
  const int width = update.right - update.left, height = update.bottom - update.top;
  SkinCanvas under(*before.record, window, update);
  const LRESULT result = m.ForwardOnto(under.dc());
  const ToolbarRef control = Find(window);
  if (control.record && under.dc() && width > 0 && height > 0) {
    TransparentBlt(under.dc(), 0, 0, width, height, screen.get(), update.left, update.top, width, height,
                   KeyOf(control.get()));
    BitBlt(screen.get(), update.left, update.top, width, height, under.dc(), 0, 0, SRCCOPY);
    SkinInvalidateVisibleChildren(window);
    SkinPaintChildBackground(*control.record, window, under.dc());
  }
  { platform::PaintScope validate(window); }
  return result;
}

bool PaintsIntoGivenDc(HWND window) {
  const std::string name = SkinGetClassNameText(window);
  return name == "SysMonthCal32" || name == "SysTabControl32" || name == "msctls_statusbar32" ||
         name == "Button" || name == "msctls_trackbar32";
}

// Painting needs the control's entry: a control whose numbers lead to none
// of its own paints itself.
LRESULT OnPaint(const SkinMessage& m, const ToolbarRef& control) {
  if (!SkinEngine.options.SkinEnabled || !control) return m.Forward();
  if (SkinIsToolbar(m.window)) return PaintToolbar(m, control);
  if (PaintsIntoGivenDc(m.window)) {
    SkinCanvas own = Beneath(control);
    platform::PaintScope paint(m.window);
    return PaintIntoMemoryDc(m, own, paint.dc());
  }
  return PaintOverUpdateRect(m, control);
}

// The client through the same paint onto the DC given. A control that
// paints on its own window cannot answer: the skin takes its pixels back
// from the window, and a print has none there to take; it prints itself.
LRESULT OnPrintClient(const SkinMessage& m, const ToolbarRef& control) {
  if (!SkinEngine.options.SkinEnabled || !control) return m.Forward();
  if (SkinIsToolbar(m.window)) return PrintToolbar(m, control);
  if (!PaintsIntoGivenDc(m.window)) return m.Forward();
  SkinCanvas own = Beneath(control);
  const SkinMessage paint{.window = m.window, .message = WM_PAINT, .wParam = 0, .lParam = 0, .slot = m.slot};
  return PaintIntoMemoryDc(paint, own, m.dc());
}

}  // namespace

bool SkinIsToolbar(HWND window) { return IsClass(window, "ToolbarWindow32"); }

namespace {

// The skin's part of a message to ControlSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  const HWND window = m.window;
  const UINT message = m.message;
  const ToolbarRef control = Find(window);
  switch (message) {
    case WM_MOUSEMOVE:         OnMouseMove(m, control); break;
    case WM_LBUTTONDOWN:       SetRepaint(control); break;
    case WM_MOUSELEAVE:        OnMouseLeave(control); break;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(control, window); break;
    case WM_MOVE:
      if (SkinEngine.options.SkinTransparentMode) InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_ERASEBKGND:        return OnEraseBackground(m, control);
    case WM_SIZE:              if (SkinIsToolbar(window)) SetRepaint(control); break;
    case WM_PAINT:             return OnPaint(m, control);
    case WM_PRINTCLIENT:       return OnPrintClient(m, control);
    case WM_HSCROLL:
    case WM_VSCROLL:           if (IsClass(window, "RichEdit20A")) InvalidateRect(window, nullptr, FALSE); break;
    default:                   break;
  }
  return m.Forward();
}

}  // namespace

LRESULT CALLBACK ControlSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary(
      {.window = window, .message = message, .wParam = wParam, .lParam = lParam, .slot = &kControlLayerSlot},
      &SkinPart);
}

bool SkinFindParentSkin(const SkinWindowRecord& owner) { return owner.Sizing ? owner.Moving : owner.Active; }

void SkinReleaseDC(const SkinWindowRecord& owner, HWND window, HDC dc) { SkinRefreshWindow(owner, window, false, dc); }

}  // namespace korvath::skin
