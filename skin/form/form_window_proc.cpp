#include "skin/form/form_window_proc.h"

#include <string>
#include <utility>

#include "gdip/graphics.h"
#include "platform/gbk_convert.h"
#include "platform/gdi_object.h"
#include "platform/message_params.h"
#include "skin/caption/caption_buttons.h"
#include "skin/caption/caption_title.h"
#include "skin/close_effect/close_animations.h"
#include "skin/close_effect/layered_painting.h"
#include "skin/core/child_layer.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/skin_routine.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/form/edge_resize.h"
#include "skin/form/form_hit_tests.h"
#include "skin/form/form_messages.h"
#include "skin/form/form_paint_path.h"
#include "skin/form/form_render.h"
#include "skin/form/skin_removal.h"
#include "skin/menu/menu_items.h"
#include "skin/menu/popup_menu.h"
#include "skin/shadow/drop_shadow.h"

namespace korvath::skin {

namespace {

constexpr int32_t kFadeFrames = 8;
constexpr int32_t kLevelStep = 30;
constexpr UINT kHoverPeriod = 20;

// Each form's hover timer is named after its window.
UINT_PTR HoverTimer(HWND window) { return UINT_PTR(platform::ToParam(window)); }

void RepaintItem(const SkinWindowRecord& r, int32_t item, int32_t level) {
  gdip::Graphics graphics;
  SkinPaintCaptionButtons(r, graphics, {.item = item, .hoverLevel = level});
}

// ---- life ----------------------------------------------------------------

LRESULT OnInitMenuPopup(const SkinMessage& m) {
  if (MenuSkinItemFind(m.menu()) > 0) MenuSkinHookInstall();
  return m.Forward();
}

LRESULT OnMeasureItem(const SkinMessage& m) {
  if (m.wParam == 0 && m.measureItem()) MenuSkinMeasureItem(m.window, *m.measureItem());
  return m.Forward();
}

// A message loop never dispatches WM_QUIT; one sent to the form asks for
// GDI+ to go once the last skinned window has gone, not under this one.
LRESULT OnQuit(const SkinMessage& m) {
  SkinGdiplusShutdownAfterLastWindow();
  return m.Forward();
}

// A previous procedure that kept the window after all gets it back as it was
// before its close effect: not layered, at its place and size, drawn anew.
void UndoCloseEffect(const SkinMessage& m, const RECT& before, bool wasLayered) {
  if (!wasLayered) SkinClearLayeredStyle(m.window);
  SetWindowPos(m.window, nullptr, before.left, before.top, before.right - before.left, before.bottom - before.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RedrawWindow(m.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Once the close-query handler agrees, the close effect plays while the form
// still shows itself, with its shadow following the frames; the shadow goes
// with the window (WM_DESTROY). A refused close plays nothing.
LRESULT OnClose(const SkinMessage& m, SkinWindowRecord& r) {
  if (r.CloseQueryHandler && CallFunctionPointer(r.CloseQueryHandler, {}) != 1) return 0;
  // The handler may have done anything meanwhile: look the record up again.
  const SkinWindowRecord* now = SkinRecordOfWindow(m.window);
  RECT before{};
  GetWindowRect(m.window, &before);
  const bool wasLayered = (GetWindowLongW(m.window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
  const bool played = now && SkinPlayCloseEffect(m.window, now->CloseEffect);
  const LRESULT result = m.Forward();
  if (played && IsWindow(m.window)) UndoCloseEffect(m, before, wasLayered);
  return result;
}

LRESULT OnDestroy(const SkinMessage& m, SkinWindowRecord& r) {
  if (r.ShadowWindow) DestroyWindow(std::exchange(r.ShadowWindow, nullptr));
  SkinDeleteControlBrushes(r);
  return m.Forward();
}

// The record goes here: only the window's handle is used after it.
LRESULT OnNcDestroy(const SkinMessage& m, SkinWindowRecord& r) {
  KillTimer(m.window, HoverTimer(m.window));
  UnskinWindow(r);
  return m.Forward();
}

// A form shown again after a hide is rendered again like the first time.
// The form is not visible yet: the render shapes it and composes its back
// buffer, which the WM_PAINT that showing brings puts on the window; a hidden
// window has nothing to paint or validate.
LRESULT OnShowWindow(const SkinMessage& m, SkinWindowRecord& r) {
  if (m.wParam) {
    SkinFormRender(r);
    r.ShowPainted = true;
    r.RenderPending = false;
    ShadowShowWith(r, true);
    r.Hidden = false;
  } else {
    r.Hidden = true;
    r.ShowPainted = false;
    ShadowShowWith(r, false);
  }
  SkinSyncCompanionWindow(r, true);
  return m.Forward();
}

LRESULT OnEnable(const SkinMessage& m, SkinWindowRecord& r) {
  if (r.ShadowWindow && !r.Maximized) EnableWindow(r.ShadowWindow, BOOL(m.wParam));
  return m.Forward();
}

// ---- painting --------------------------------------------------------------

LRESULT OnEraseBackground(const SkinMessage& m, SkinWindowRecord& r) {
  SetBkMode(m.dc(), TRANSPARENT);
  if (r.RenderPending && !r.Sizing && r.ChildBackDC && !r.ShowPainted && !r.BackgroundErased) {
    SkinRefreshWindow(r, m.window, true);
    r.BackgroundErased = true;
  }
  return 1;
}

// What one WM_PAINT of the form does, between BeginPaint and EndPaint.
enum class FormPaint { Minimized, Rendered, Copied };

FormPaint PaintForm(const SkinMessage& m, SkinWindowRecord& r) {
  platform::PaintScope paint(m.window);
  if (r.Minimized) {
    r.RenderPending = false;
    return FormPaint::Minimized;
  }
  if (r.RenderPending) {
    SkinFormRender(r);
    if (r.ListViewRepaintPending) {
      r.ListViewRepaintPending = false;
      SkinInvalidateListViews(r);
    }
    return FormPaint::Rendered;
  }
  SkinPaintToDC(r);
  r.RenderPending = false;
  return FormPaint::Copied;
}

// Then: a minimised form gets the default processing, a rendered one forgets
// its erase and show state, a copied one has its children drawn again.
LRESULT OnPaint(const SkinMessage& m, SkinWindowRecord& r) {
  switch (PaintForm(m, r)) {
    case FormPaint::Minimized: return DefWindowProcW(m.window, m.message, m.wParam, m.lParam);
    case FormPaint::Rendered:
      r.BackgroundErased = false;
      r.ShowPainted = false;
      return 0;
    case FormPaint::Copied: SkinRedrawChildren(m.window); return 0;
  }
  return 0;
}

// A print of the client area gets what a paint without a render puts on the
// screen: the back buffer with the visible children clipped out. A minimised
// form, or one whose next paint renders, has no such picture: the message
// goes on (a render run here would end the wait for it without the repaint
// of the children that a render on the screen brings).
LRESULT OnPrintClient(const SkinMessage& m, const SkinWindowRecord& r) {
  if (r.Minimized || r.RenderPending || !r.BackDC) return m.Forward();
  SkinPaintToDC(r, m.dc());
  return 0;
}

// ---- the caption: hover and title --------------------------------------------

LRESULT OnMouseMove(const SkinMessage& m, SkinWindowRecord& r) {
  RECT client{};
  GetClientRect(m.window, &client);
  if (!r.MouseTracking) {
    TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, m.window, 1};
    TrackMouseEvent(&track);
  }
  if (!r.HasBorder) return m.Forward();
  const POINT at = m.point();
  if (SkinPointInButtonStrip(r, at)) {
    if (!r.HoverTimerOn) {
      SetTimer(m.window, HoverTimer(m.window), kHoverPeriod, nullptr);
      r.HoverTimerOn = true;
    }
  } else {
    r.HoverTimerOn = false;
  }
  SkinEngine.forms.CaptionHoverItem = SkinFindButtonAtPoint(r, at.x, at.y);
  if (r.HotCaptionItem > 0 && r.HotCaptionItem != SkinEngine.forms.CaptionHoverItem) {
    if (r.PrevFade.frame < kFadeFrames) RepaintItem(r, r.PrevFade.item, 0);
    r.PrevFade = {r.HotCaptionItem, 0};
  }
  if (SkinEngine.forms.CaptionHoverItem > 0 && SkinEngine.forms.CaptionHoverItem != r.HotCaptionItem)
    r.HotFade = {SkinEngine.forms.CaptionHoverItem, 0};
  r.HotCaptionItem = SkinEngine.forms.CaptionHoverItem;
  if (!r.Maximized) SkinSetEdgeCursor(r, at, client);
  return m.Forward();
}

LRESULT OnMouseHover(const SkinMessage& m, SkinWindowRecord& r) {
  r.MouseTracking = true;
  return m.Forward();
}

LRESULT OnMouseLeave(const SkinMessage& m, SkinWindowRecord& r) {
  r.MouseTracking = false;
  if (r.HotCaptionItem > 0 && r.HasBorder) {
    if (r.PrevFade.frame < kFadeFrames && r.HotFade.frame < kFadeFrames) {
      RepaintItem(r, r.PrevFade.item, 0);
      r.HotFade = {};
    }
    r.PrevFade = {r.HotCaptionItem, 0};
    r.HotCaptionItem = 0;
  }
  return m.Forward();
}

LRESULT OnTimer(const SkinMessage& m, SkinWindowRecord& r) {
  if (m.timer() != HoverTimer(m.window)) return m.Forward();
  if (r.HotFade.item > 0 && r.HotFade.frame < kFadeFrames) {
    ++r.HotFade.frame;
    RepaintItem(r, r.HotFade.item, r.HotFade.frame * kLevelStep);
  }
  if (r.PrevFade.item > 0 && r.PrevFade.frame < kFadeFrames) {
    ++r.PrevFade.frame;
    RepaintItem(r, r.PrevFade.item, (kFadeFrames - r.PrevFade.frame) * kLevelStep);
  }
  if ((!r.MouseTracking || !r.HoverTimerOn) && (r.PrevFade.frame >= kFadeFrames || r.PrevFade.item == 0)) {
    r.HoverTimerOn = false;
    KillTimer(m.window, HoverTimer(m.window));
    r.HotCaptionItem = 0;
    r.HotFade = {};
    r.PrevFade = {};
  }
  return m.Forward();
}

// The form's text arrives as UTF-16; a null text is an empty title.
LRESULT OnSetText(const SkinMessage& m, SkinWindowRecord& r) {
  if (r.ShowTitle && r.HasBorder && r.BackDC) {
    const wchar_t* text = m.wideText();
    const std::string title = platform::WideToGbk(text ? text : L"").text;
    gdip::Graphics graphics;
    SkinPaintCaption(r, graphics, false, title);
  }
  return m.Forward();
}

// The mouse messages from which a tooltip control shows and hides its tips.
bool IsRelayedToTips(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP: return true;
    default: return false;
  }
}

// Hands the caption's tips the form's mouse message, first making the
// prepared tips with the first message over one of their items: until then
// the control would take the messages and show nothing, and the mouse often
// lies over the client area when the window first shows. The form relays
// the messages itself rather than letting the control subclass it, so that
// its procedure slot holds only the skin's and the form's own procedures,
// and removal can give the form its own back.
void RelayToCaptionTips(const SkinMessage& m, SkinWindowRecord& r) {
  if (r.Tips.Prepared() && r.Tips.KeptToolAt(m.point())) r.Tips.Realize();
  r.Tips.RelayEvent(m.message, m.wParam, m.lParam);
}

LRESULT Dispatch(const SkinMessage& m, SkinWindowRecord& r) {
  switch (m.message) {
    case WM_INITMENUPOPUP: return OnInitMenuPopup(m);
    case WM_MEASUREITEM: return OnMeasureItem(m);
    case WM_QUIT: return OnQuit(m);
    case WM_CLOSE: return OnClose(m, r);
    case WM_DESTROY: return OnDestroy(m, r);
    case WM_NCDESTROY: return OnNcDestroy(m, r);
    case WM_SIZING: r.Sizing = true; return m.Forward();
    case WM_MOVING: r.Moving = true; return m.Forward();
    case WM_EXITSIZEMOVE: r.Moving = r.Sizing = false; return m.Forward();
    case WM_SHOWWINDOW: return OnShowWindow(m, r);
    case WM_PARENTNOTIFY: SkinNoteLayoutChange(); return m.Forward();
    case WM_ENABLE: return OnEnable(m, r);
    case WM_ERASEBKGND: return OnEraseBackground(m, r);
    case WM_PAINT: return OnPaint(m, r);
    case WM_PRINTCLIENT: return OnPrintClient(m, r);
    case WM_MOUSEMOVE: return OnMouseMove(m, r);
    case WM_MOUSEHOVER: return OnMouseHover(m, r);
    case WM_MOUSELEAVE: return OnMouseLeave(m, r);
    case WM_TIMER: return OnTimer(m, r);
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(m, r);
    case WM_WINDOWPOSCHANGING: return OnWindowPosChanging(m, r);
    case WM_WINDOWPOSCHANGED: return OnWindowPosChanged(m, r);
    case WM_SIZE: return OnSize(m, r);
    case WM_LBUTTONDOWN: return OnLButtonDown(m, r);
    case WM_LBUTTONUP: return OnLButtonUp(m, r);
    case WM_RBUTTONDOWN: return OnRButtonDown(m, r);
    case WM_LBUTTONDBLCLK: return OnLButtonDblClk(m, r);
    case WM_SYSCOMMAND: return OnSysCommand(m, r);
    case WM_QUERYOPEN: return OnQueryOpen(m, r);
    case WM_SETTEXT: return OnSetText(m, r);
    case WM_DRAWITEM: return OnDrawItem(m, r);
    case WM_CTLCOLOREDIT: case WM_CTLCOLORSTATIC: return OnCtlColorEditOrStatic(m, r);
    case WM_CTLCOLORLISTBOX: return OnCtlColorListBox(m);
    case WM_CTLCOLORBTN: return OnCtlColorButton(m);
    case WM_ACTIVATEAPP: return OnActivateApp(m, r);
    case WM_ACTIVATE: return OnActivate(m, r);
    case WM_COMMAND: return OnCommand(m);
    case WM_NOTIFY: return OnNotify(m);
    default: return m.Forward();
  }
}

// The skin's part of a message to FormSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  const HWND window = m.window;
  const UINT message = m.message;
  // The one lookup of the message: the handlers get the record.
  SkinWindowRecord* record = SkinRecordOfWindow(window);
  // Between the removal of the record and the end of the window nothing is
  // the skin's any more.
  if (!record) return m.Forward();
  if (IsRelayedToTips(message)) RelayToCaptionTips(m, *record);
  return Dispatch(m, *record);
}

}  // namespace

LRESULT CALLBACK FormSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({window, message, wParam, lParam}, &SkinPart);
}

}  // namespace korvath::skin
