// Geometry, mouse and system commands of the skinned form's procedure.
#include "gdip/graphics.h"
#include "platform/window_geometry.h"
#include "skin/caption/caption_actions.h"
#include "skin/caption/caption_buttons.h"
#include "skin/caption/caption_layout.h"
#include "skin/control/container_skin.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/skin_routine.h"
#include "skin/core/subclass.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/form/edge_resize.h"
#include "skin/form/form_hit_tests.h"
#include "skin/form/form_messages.h"
#include "skin/form/form_paint_path.h"
#include "skin/menu/menu_items.h"
#include "skin/shadow/drop_shadow.h"

namespace korvath::skin {

namespace {

RECT WorkArea() {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

void CallSegmentHandler(const SkinRoutine& handler, int32_t segment) {
  if (segment > 0 && handler) CallFunctionPointer(handler, {segment});
}

void ShowShadow(const SkinWindowRecord& r) {
  if (r.ShadowWindow) ShowWindow(r.ShadowWindow, r.Maximized ? SW_HIDE : SW_SHOWNA);
}

}  // namespace

LRESULT OnGetMinMaxInfo(const SkinMessage& m, SkinWindowRecord& r) {
  const RECT area = WorkArea();
  if (MINMAXINFO* given = m.minMaxInfo(); given && (r.Maximized || r.TrackLimitsOn)) {
    MINMAXINFO info = *given;
    info.ptMinTrackSize = {r.MinTrackWidth, r.MinTrackHeight};
    info.ptMaxTrackSize = r.Maximized ? POINT{area.right - area.left, area.bottom - area.top}
                                      : POINT{r.MaxTrackWidth, r.MaxTrackHeight};
    *given = info;
  }
  return m.Forward();
}

LRESULT OnWindowPosChanging(const SkinMessage& m, SkinWindowRecord& r) {
  if (const WINDOWPOS* given = m.windowPos()) {
    const WINDOWPOS pos = *given;
    const RECT to = platform::WindowPosRect(m.window, pos);
    if (platform::Width(to) > 0 && platform::Height(to) > 0) ShadowWindowFollow(r, false, to);
  }
  return m.Forward();
}

LRESULT OnWindowPosChanged(const SkinMessage& m, SkinWindowRecord& r) {
  SkinWindowRecord* now = &r;
  if (r.HasMaximizeButton) {
    const RECT area = WorkArea();
    RECT client{};
    GetClientRect(m.window, &client);
    if (client.right == GetSystemMetrics(SM_CXSCREEN) && client.bottom == GetSystemMetrics(SM_CYSCREEN)) {
      r.Maximized = true;
      // The work area need not start at the screen's corner.
      SetWindowPos(m.window, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOZORDER | SWP_NOOWNERZORDER);
      // The move ran the program's handlers of its messages: the record is
      // found anew.
      now = SkinRecordOfWindow(m.window);
    }
  }
  if (!now) return m.Forward();
  SkinLayoutCaptionButtons(*now);
  if (now->StatusBarHeight > 0) SkinLayoutStatusBar(*now);
  SkinSyncCompanionWindow(*now, false);
  return m.Forward();
}

LRESULT OnSize(const SkinMessage& m, SkinWindowRecord& r) {
  // However it was minimised (ShowWindow too, not only the system command),
  // the form takes its tip along (its shadow went as it moved to its icon).
  if (m.wParam == SIZE_MINIMIZED) r.Tips.Pop();
  if (!r.Minimized) InvalidateBackgroundCaches(r);
  r.HotCaptionItem = 0;
  if (SkinEngine.forms.SkinOptFormFlag) {
    r.RenderPending = false;
    SkinEngine.forms.SkinOptFormFlag = 0;
  } else if (!r.SizeOption) {
    r.RenderPending = true;
  }
  SkinLayoutOnSize(r);
  return m.Forward();
}

LRESULT OnLButtonDown(const SkinMessage& m, SkinWindowRecord& r) {
  RECT client{};
  GetClientRect(m.window, &client);
  r.HotFade.item = 0;
  const POINT at = m.point();
  if (!r.Maximized && !r.Minimized) SkinStartEdgeResize(r, at, client);
  // The move or sizing loop may have ended the window or renumbered it.
  SkinWindowRecord* now = SkinRecordOfWindow(m.window);
  if (!now) return m.Forward();
  SkinEngine.forms.CaptionHoverItem = SkinFindButtonAtPoint(*now, at.x, at.y);
  if (SkinEngine.forms.CaptionHoverItem > 0) {
    gdip::Graphics graphics;
    SkinPaintCaptionButtons(*now, graphics, {.item = SkinEngine.forms.CaptionHoverItem, .pressed = true});
  }
  CallSegmentHandler(now->StatusBarClickHandler, SkinFindStatusSectionAtPoint(*now, at.x, at.y));
  return m.Forward();
}

LRESULT OnLButtonUp(const SkinMessage& m, SkinWindowRecord& r) {
  // The caption callback takes the form by its number.
  if (SkinEngine.forms.CaptionClickCallback && SkinEngine.forms.CaptionHoverItem >= 1 &&
      size_t(SkinEngine.forms.CaptionHoverItem) <= r.CaptionItems.size() && r.HasBorder)
    CallFunctionPointer(SkinEngine.forms.CaptionClickCallback,
                        {SkinRecordNumber(r), SkinEngine.forms.CaptionHoverItem});
  return m.Forward();
}

LRESULT OnRButtonDown(const SkinMessage& m, SkinWindowRecord& r) {
  const POINT at = m.point();
  CallSegmentHandler(r.StatusBarRightClickHandler, SkinFindStatusSectionAtPoint(r, at.x, at.y));
  return m.Forward();
}

LRESULT OnLButtonDblClk(const SkinMessage& m, SkinWindowRecord& r) {
  const POINT at = m.point();
  if (const int32_t segment = SkinFindStatusSectionAtPoint(r, at.x, at.y)) {
    CallSegmentHandler(r.StatusBarDoubleClickHandler, segment);
  } else if (at.y <= r.CaptionHeight && r.Resizable) {
    if (const int32_t item = SkinFindMaximizeItem(r)) SkinCaptionButtonAction(r, item);
  }
  return m.Forward();
}

LRESULT OnSysCommand(const SkinMessage& m, SkinWindowRecord& r) {
  switch (m.wParam & 0xFFF0) {
    case SC_MAXIMIZE:
      r.Maximized = true;
      r.RenderPending = true;
      ShadowShowWith(r, false);
      break;
    case SC_RESTORE:
      // A restore from elsewhere than the caption (the taskbar, the window
      // menu) of a form that is not minimised ends its maximised state too.
      if (!IsIconic(m.window)) r.Maximized = false;
      r.RenderPending = true;
      r.Minimized = false;
      ShowShadow(r);
      break;
    case SC_MINIMIZE:
      r.RenderPending = true;
      r.Minimized = true;
      ShadowShowWith(r, false);
      // Before the system hides the form's own windows: a tip it hides
      // would come back with the form.
      r.Tips.Pop();
      break;
    default:
      break;
  }
  return m.Forward();
}

LRESULT OnQueryOpen(const SkinMessage& m, SkinWindowRecord& r) {
  r.Minimized = false;
  r.ListViewRepaintPending = true;
  ShowShadow(r);
  return m.Forward();
}

}  // namespace korvath::skin
