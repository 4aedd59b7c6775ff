#include "skin/window/form_window_proc.h"

#include <utility>

#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "skin/core/callbacks.h"
#include "skin/core/child_layer.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/menu_items.h"
#include "skin/core/shadow_window.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/window/caption_buttons.h"
#include "skin/window/close_animations.h"
#include "skin/window/edge_resize.h"
#include "skin/window/form_hit_tests.h"
#include "skin/window/form_messages.h"
#include "skin/window/form_paint_path.h"
#include "skin/window/form_render.h"
#include "skin/window/layered_painting.h"
#include "skin/window/popup_menu.h"
#include "skin/window/drop_shadow.h"
#include "skin/window/skin_removal.h"

namespace korvath::skin {

namespace {

constexpr int32_t kFadeFrames = 8;
constexpr int32_t kLevelStep = 30;
constexpr UINT kHoverPeriod = 20;

UINT_PTR HoverTimer(HWND window) { return reinterpret_cast<UINT_PTR>(window); }

void RepaintItem(int32_t n, int32_t item, int32_t level) {
  gdip::Graphics graphics;
  SkinPaintCaptionButtons(n, item, graphics, false, false, level);
}

// ---- life ----------------------------------------------------------------

LRESULT OnInitMenuPopup(const FormMessage& m) {
  if (MenuSkinItemFind(reinterpret_cast<HMENU>(m.wParam)) > 0) MenuSkinHookInstall();
  return PassOn(m);
}

LRESULT OnMeasureItem(const FormMessage& m) {
  if (m.wParam == 0 && m.lParam) MenuSkinMeasureItem(m.window, *reinterpret_cast<MEASUREITEMSTRUCT*>(m.lParam));
  return PassOn(m);
}

// A message loop never dispatches WM_QUIT; one sent to the form asks for
// GDI+ to go once the last skinned window has gone, not under this one.
LRESULT OnQuit(const FormMessage& m) {
  SkinGdiplusShutdownAfterLastWindow();
  return PassOn(m);
}

// A previous procedure that kept the window after all gets it back as it was
// before its close effect: not layered, at its place and size, drawn anew.
void UndoCloseEffect(const FormMessage& m, const RECT& before, bool wasLayered) {
  if (!wasLayered) SkinClearLayeredStyle(m.window);
  SetWindowPos(m.window, nullptr, before.left, before.top, before.right - before.left, before.bottom - before.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RedrawWindow(m.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Once the close-query handler agrees, the close effect plays while the form
// still shows itself, with its shadow following the frames; the shadow goes
// with the window (WM_DESTROY). A refused close plays nothing.
LRESULT OnClose(const FormMessage& m, SkinWindowRecord& r) {
  if (r.CloseQueryHandler && CallFunctionPointer(r.CloseQueryHandler, {}) != 1) return 0;
  // The handler may have done anything meanwhile: look the record up again.
  const SkinWindowRecord* now = RecordOf(m);
  RECT before{};
  GetWindowRect(m.window, &before);
  const bool wasLayered = (GetWindowLongW(m.window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
  const bool played = now && SkinPlayCloseEffect(m.window, now->CloseEffect);
  const LRESULT result = PassOn(m);
  if (played && IsWindow(m.window)) UndoCloseEffect(m, before, wasLayered);
  return result;
}

LRESULT OnDestroy(const FormMessage& m, SkinWindowRecord& r) {
  if (r.ShadowWindow) DestroyWindow(std::exchange(r.ShadowWindow, nullptr));
  SkinDeleteControlBrushes(m.window);
  return PassOn(m);
}

LRESULT OnNcDestroy(const FormMessage& m) {
  KillTimer(m.window, HoverTimer(m.window));
  UnskinWindow(m.window);
  return PassOn(m);
}

// A form shown again after a hide is rendered again like the first time.
LRESULT OnShowWindow(const FormMessage& m, SkinWindowRecord& r) {
  if (m.wParam) {
    {
      PAINTSTRUCT paint;
      BeginPaint(m.window, &paint);
      SkinFormRender(m.number);
      EndPaint(m.window, &paint);
    }
    r.ShowPainted = true;
    r.RenderPending = false;
    if (r.ShadowWindow && !r.Maximized) {
      ShowWindow(r.ShadowWindow, SW_SHOWNA);
      ShadowWindowFollow(m.window);
      if (!r.ShadowDrawn) ShadowRedraw(r.ShadowWindow);
    }
    r.Hidden = false;
  } else {
    r.Hidden = true;
    r.ShowPainted = false;
    if (r.ShadowWindow) ShowWindow(r.ShadowWindow, SW_HIDE);
  }
  SkinSyncCompanionWindow(m.window, true);
  return PassOn(m);
}

LRESULT OnEnable(const FormMessage& m, SkinWindowRecord& r) {
  if (r.ShadowWindow && !r.Maximized) EnableWindow(r.ShadowWindow, BOOL(m.wParam));
  return PassOn(m);
}

// ---- painting --------------------------------------------------------------

LRESULT OnEraseBackground(const FormMessage& m, SkinWindowRecord& r) {
  SetBkMode(reinterpret_cast<HDC>(m.wParam), TRANSPARENT);
  if (r.RenderPending && !r.Sizing && r.ChildBackDC && !r.ShowPainted && !r.BackgroundErased) {
    SkinRefreshWindow(m.window, false, true);
    r.BackgroundErased = true;
  }
  return 1;
}

LRESULT OnPaint(const FormMessage& m, SkinWindowRecord& r) {
  PAINTSTRUCT paint;
  BeginPaint(m.window, &paint);
  if (r.Minimized) {
    r.RenderPending = false;
    EndPaint(m.window, &paint);
    return DefWindowProcW(m.window, m.message, m.wParam, m.lParam);
  }
  if (r.RenderPending) {
    SkinFormRender(m.number);
    if (r.ListViewRepaintPending) {
      r.ListViewRepaintPending = false;
      SkinInvalidateListViews(m.window);
    }
    EndPaint(m.window, &paint);
    r.BackgroundErased = false;
    r.ShowPainted = false;
    return 0;
  }
  SkinPaintToDC(m.number);
  r.RenderPending = false;
  EndPaint(m.window, &paint);
  SkinRedrawChildren(m.window);
  return 0;
}

// ---- caption hover -----------------------------------------------------------

LRESULT OnMouseMove(const FormMessage& m, SkinWindowRecord& r) {
  RECT client{};
  GetClientRect(m.window, &client);
  if (!r.MouseTracking) {
    TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, m.window, 1};
    TrackMouseEvent(&track);
  }
  if (!r.HasBorder) return PassOn(m);
  if (SkinPointInButtonStrip(m.number, m.lParam)) {
    if (!r.HoverTimerOn) {
      SetTimer(m.window, HoverTimer(m.window), kHoverPeriod, nullptr);
      r.HoverTimerOn = true;
    }
  } else {
    r.HoverTimerOn = false;
  }
  CaptionHoverItem = SkinFindButtonAtPoint(m.number, PointX(m.lParam), PointY(m.lParam));
  if (r.HotCaptionItem > 0 && r.HotCaptionItem != CaptionHoverItem) {
    if (r.PrevFade.frame < kFadeFrames) RepaintItem(m.number, r.PrevFade.item, 0);
    r.PrevFade = {r.HotCaptionItem, 0};
  }
  if (CaptionHoverItem > 0 && CaptionHoverItem != r.HotCaptionItem) r.HotFade = {CaptionHoverItem, 0};
  r.HotCaptionItem = CaptionHoverItem;
  if (!r.Maximized) SkinSetEdgeCursor(m.number, m.lParam, client);
  return PassOn(m);
}

LRESULT OnMouseHover(const FormMessage& m, SkinWindowRecord& r) {
  r.MouseTracking = true;
  return PassOn(m);
}

LRESULT OnMouseLeave(const FormMessage& m, SkinWindowRecord& r) {
  r.MouseTracking = false;
  if (r.HotCaptionItem > 0 && r.HasBorder) {
    if (r.PrevFade.frame < kFadeFrames && r.HotFade.frame < kFadeFrames) {
      RepaintItem(m.number, r.PrevFade.item, 0);
      r.HotFade = {};
    }
    r.PrevFade = {r.HotCaptionItem, 0};
    r.HotCaptionItem = 0;
  }
  return PassOn(m);
}

LRESULT OnTimer(const FormMessage& m, SkinWindowRecord& r) {
  if (m.wParam != HoverTimer(m.window)) return PassOn(m);
  if (r.HotFade.item > 0 && r.HotFade.frame < kFadeFrames) {
    ++r.HotFade.frame;
    RepaintItem(m.number, r.HotFade.item, r.HotFade.frame * kLevelStep);
  }
  if (r.PrevFade.item > 0 && r.PrevFade.frame < kFadeFrames) {
    ++r.PrevFade.frame;
    RepaintItem(m.number, r.PrevFade.item, (kFadeFrames - r.PrevFade.frame) * kLevelStep);
  }
  if ((!r.MouseTracking || !r.HoverTimerOn) && (r.PrevFade.frame >= kFadeFrames || r.PrevFade.item == 0)) {
    r.HoverTimerOn = false;
    KillTimer(m.window, HoverTimer(m.window));
    r.HotCaptionItem = 0;
    r.HotFade = {};
    r.PrevFade = {};
  }
  return PassOn(m);
}

LRESULT Dispatch(const FormMessage& m, SkinWindowRecord& r) {
  switch (m.message) {
    case WM_INITMENUPOPUP: return OnInitMenuPopup(m);
    case WM_MEASUREITEM: return OnMeasureItem(m);
    case WM_QUIT: return OnQuit(m);
    case WM_CLOSE: return OnClose(m, r);
    case WM_DESTROY: return OnDestroy(m, r);
    case WM_NCDESTROY: return OnNcDestroy(m);
    case WM_SIZING: r.Sizing = true; return PassOn(m);
    case WM_MOVING: r.Moving = true; return PassOn(m);
    case WM_EXITSIZEMOVE: r.Moving = r.Sizing = false; return PassOn(m);
    case WM_SHOWWINDOW: return OnShowWindow(m, r);
    case WM_PARENTNOTIFY: SkinNoteLayoutChange(); return PassOn(m);
    case WM_ENABLE: return OnEnable(m, r);
    case WM_ERASEBKGND: return OnEraseBackground(m, r);
    case WM_PAINT: return OnPaint(m, r);
    case WM_MOUSEMOVE: return OnMouseMove(m, r);
    case WM_MOUSEHOVER: return OnMouseHover(m, r);
    case WM_MOUSELEAVE: return OnMouseLeave(m, r);
    case WM_TIMER: return OnTimer(m, r);
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(m);
    case WM_WINDOWPOSCHANGING: return OnWindowPosChanging(m);
    case WM_WINDOWPOSCHANGED: return OnWindowPosChanged(m);
    case WM_SIZE: return OnSize(m);
    case WM_LBUTTONDOWN: return OnLButtonDown(m);
    case WM_LBUTTONUP: return OnLButtonUp(m);
    case WM_RBUTTONDOWN: return OnRButtonDown(m);
    case WM_LBUTTONDBLCLK: return OnLButtonDblClk(m);
    case WM_SYSCOMMAND: return OnSysCommand(m);
    case WM_QUERYOPEN: return OnQueryOpen(m);
    case WM_SETTEXT: return OnSetText(m);
    case WM_DRAWITEM: return OnDrawItem(m);
    case WM_CTLCOLOREDIT: case WM_CTLCOLORSTATIC: return OnCtlColorEditOrStatic(m);
    case WM_CTLCOLORLISTBOX: return OnCtlColorListBox(m);
    case WM_CTLCOLORBTN: return OnCtlColorButton(m);
    case WM_ACTIVATEAPP: return OnActivateApp(m);
    case WM_ACTIVATE: return OnActivate(m);
    case WM_COMMAND: return OnCommand(m);
    case WM_NOTIFY: return OnNotify(m);
    default: return PassOn(m);
  }
}

}  // namespace

SkinWindowRecord* RecordOf(const FormMessage& m) { return SkinRecordOfWindow(m.window); }

LRESULT PassOn(const FormMessage& m) {
  auto previous = GetSkinPropHandle<WNDPROC>(m.window, prop::Hw_hProc);
  return previous ? CallWindowProcW(previous, m.window, m.message, m.wParam, m.lParam)
                  : DefWindowProcW(m.window, m.message, m.wParam, m.lParam);
}

LRESULT CALLBACK FormSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const FormMessage m{window, message, wParam, lParam, static_cast<int32_t>(GetSkinProp(window, prop::Hw_lbID))};
  SkinWindowRecord* record = RecordOf(m);
  // Between the removal of the record and the end of the window nothing is
  // the skin's any more.
  if (!record) return PassOn(m);
  return Dispatch(m, *record);
}

}  // namespace korvath::skin
