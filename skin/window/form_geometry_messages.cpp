// Geometry, mouse and system commands of the skinned form's procedure.
#include <cstring>
#include <string>

#include "gdip/graphics.h"
#include "platform/gbk_convert.h"
#include "skin/control/container_skin.h"
#include "skin/core/callbacks.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/menu_items.h"
#include "skin/core/owner_draw.h"
#include "skin/core/window_list.h"
#include "skin/core/subclass.h"
#include "skin/core/window_props.h"
#include "skin/window/caption_actions.h"
#include "skin/window/caption_buttons.h"
#include "skin/window/caption_layout.h"
#include "skin/window/caption_title.h"
#include "skin/window/edge_resize.h"
#include "skin/window/form_hit_tests.h"
#include "skin/window/form_messages.h"
#include "skin/window/form_paint_path.h"
#include "skin/window/drop_shadow.h"

namespace korvath::skin {

namespace {

RECT WorkArea() {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

// Structures that come with a message are copied before they are read.
template <class Structure>
Structure CopyIn(LPARAM address) {
  Structure copy{};
  std::memcpy(&copy, reinterpret_cast<const void*>(address), sizeof(copy));
  return copy;
}

void CallSegmentHandler(const SkinRoutine& handler, int32_t segment) {
  if (segment > 0 && handler) CallFunctionPointer(handler, {segment});
}

void ShowShadow(const SkinWindowRecord& r) {
  if (r.ShadowWindow) ShowWindow(r.ShadowWindow, r.Maximized ? SW_HIDE : SW_SHOWNA);
}

}  // namespace

LRESULT OnGetMinMaxInfo(const SkinMessage& m) {
  const RECT area = WorkArea();
  SkinWindowRecord* r = RecordOf(m);
  if (r && m.lParam && (r->Maximized || r->TrackLimitsOn)) {
    auto info = CopyIn<MINMAXINFO>(m.lParam);
    info.ptMinTrackSize = {r->MinTrackWidth, r->MinTrackHeight};
    info.ptMaxTrackSize = r->Maximized ? POINT{area.right - area.left, area.bottom - area.top}
                                       : POINT{r->MaxTrackWidth, r->MaxTrackHeight};
    std::memcpy(reinterpret_cast<void*>(m.lParam), &info, sizeof(info));
  }
  return m.Forward();
}

// The fields SWP_NOMOVE or SWP_NOSIZE mark unchanged are taken from where the
// window is now.
LRESULT OnWindowPosChanging(const SkinMessage& m) {
  if (m.lParam) {
    const auto pos = CopyIn<WINDOWPOS>(m.lParam);
    RECT now{};
    GetWindowRect(m.window, &now);
    const int x = (pos.flags & SWP_NOMOVE) ? now.left : pos.x;
    const int y = (pos.flags & SWP_NOMOVE) ? now.top : pos.y;
    const int cx = (pos.flags & SWP_NOSIZE) ? now.right - now.left : pos.cx;
    const int cy = (pos.flags & SWP_NOSIZE) ? now.bottom - now.top : pos.cy;
    if (cx > 0 && cy > 0) ShadowWindowFollow(m.window, false, RECT{x, y, x + cx, y + cy});
  }
  return m.Forward();
}

LRESULT OnWindowPosChanged(const SkinMessage& m) {
  SkinWindowRecord* r = RecordOf(m);
  if (r && r->HasMaximizeButton) {
    const RECT area = WorkArea();
    RECT client{};
    GetClientRect(m.window, &client);
    if (client.right == GetSystemMetrics(SM_CXSCREEN) && client.bottom == GetSystemMetrics(SM_CYSCREEN)) {
      r->Maximized = true;
      // The work area need not start at the screen's corner.
      SetWindowPos(m.window, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOZORDER | SWP_NOOWNERZORDER);
    }
  }
  SkinLayoutCaptionButtons(m.number);
  if ((r = RecordOf(m)) && r->StatusBarHeight > 0) SkinLayoutStatusBar(m.number);
  SkinSyncCompanionWindow(m.window, false);
  return m.Forward();
}

LRESULT OnSize(const SkinMessage& m) {
  SkinWindowRecord* r = RecordOf(m);
  if (!r) return m.Forward();
  if (!r->Minimized) InvalidateBackgroundCaches(*r);
  r->HotCaptionItem = 0;
  if (SkinEngine.forms.SkinOptFormFlag) {
    r->RenderPending = false;
    SkinEngine.forms.SkinOptFormFlag = 0;
  } else if (!r->SizeOption) {
    r->RenderPending = true;
  }
  SkinLayoutOnSize(m.number);
  return m.Forward();
}

LRESULT OnLButtonDown(const SkinMessage& m) {
  SkinWindowRecord* r = RecordOf(m);
  if (!r) return m.Forward();
  RECT client{};
  GetClientRect(m.window, &client);
  r->HotFade.item = 0;
  if (!r->Maximized && !r->Minimized) SkinStartEdgeResize(m.number, m.lParam, client);
  // The move or sizing loop may have ended the window or renumbered it.
  SkinMessage now = m;
  now.number = static_cast<int32_t>(GetSkinProp(m.window, prop::Hw_lbID));
  if (!(r = RecordOf(now))) return now.Forward();
  const int32_t x = PointX(m.lParam), y = PointY(m.lParam);
  SkinEngine.forms.CaptionHoverItem = SkinFindButtonAtPoint(now.number, x, y);
  if (SkinEngine.forms.CaptionHoverItem > 0) {
    gdip::Graphics graphics;
    SkinPaintCaptionButtons(graphics,
                            {.record = now.number, .item = SkinEngine.forms.CaptionHoverItem, .pressed = true});
  }
  CallSegmentHandler(r->StatusBarClickHandler, SkinFindStatusSectionAtPoint(now.number, x, y));
  return now.Forward();
}

LRESULT OnLButtonUp(const SkinMessage& m) {
  SkinWindowRecord* r = RecordOf(m);
  if (r && SkinEngine.forms.CaptionClickCallback && SkinEngine.forms.CaptionHoverItem >= 1 &&
      size_t(SkinEngine.forms.CaptionHoverItem) <= r->CaptionItems.size() && r->HasBorder)
    CallFunctionPointer(SkinEngine.forms.CaptionClickCallback, {m.number, SkinEngine.forms.CaptionHoverItem});
  return m.Forward();
}

LRESULT OnRButtonDown(const SkinMessage& m) {
  if (SkinWindowRecord* r = RecordOf(m))
    CallSegmentHandler(r->StatusBarRightClickHandler, SkinFindStatusSectionAtPoint(m.number, PointX(m.lParam), PointY(m.lParam)));
  return m.Forward();
}

LRESULT OnLButtonDblClk(const SkinMessage& m) {
  SkinWindowRecord* r = RecordOf(m);
  if (!r) return m.Forward();
  const int32_t x = PointX(m.lParam), y = PointY(m.lParam);
  if (const int32_t segment = SkinFindStatusSectionAtPoint(m.number, x, y)) {
    CallSegmentHandler(r->StatusBarDoubleClickHandler, segment);
  } else if (y <= r->CaptionHeight && r->Resizable) {
    if (const int32_t item = SkinFindMaximizeItem(m.number)) SkinCaptionButtonAction(m.number, item);
  }
  return m.Forward();
}

LRESULT OnSysCommand(const SkinMessage& m) {
  SkinWindowRecord* r = RecordOf(m);
  if (!r) return m.Forward();
  switch (m.wParam & 0xFFF0) {
    case SC_MAXIMIZE:
      r->Maximized = true;
      r->RenderPending = true;
      ShadowShowWith(*r, m.window, false);
      break;
    case SC_RESTORE:
      // A restore from elsewhere than the caption (the taskbar, the window
      // menu) of a form that is not minimised ends its maximised state too.
      if (!IsIconic(m.window)) r->Maximized = false;
      r->RenderPending = true;
      r->Minimized = false;
      ShowShadow(*r);
      break;
    case SC_MINIMIZE:
      r->RenderPending = true;
      r->Minimized = true;
      ShadowShowWith(*r, m.window, false);
      break;
    default:
      break;
  }
  return m.Forward();
}

LRESULT OnQueryOpen(const SkinMessage& m) {
  if (SkinWindowRecord* r = RecordOf(m)) {
    r->Minimized = false;
    r->ListViewRepaintPending = true;
    ShowShadow(*r);
  }
  return m.Forward();
}

// The form's text arrives as UTF-16; a null text is an empty title.
LRESULT OnSetText(const SkinMessage& m) {
  SkinWindowRecord* r = RecordOf(m);
  if (r && r->ShowTitle && r->HasBorder && r->BackDC) {
    const auto* text = reinterpret_cast<const wchar_t*>(m.lParam);
    const std::string title = platform::WideToGbk(text ? text : L"").text;
    gdip::Graphics graphics;
    SkinPaintCaption(m.number, graphics, false, title);
  }
  return m.Forward();
}

LRESULT OnDrawItem(const SkinMessage& m) {
  if (!m.lParam) return m.Forward();
  const auto item = CopyIn<DRAWITEMSTRUCT>(m.lParam);
  const bool skinnedControl =
      GetSkinProp(item.hwndItem, prop::Hw_FuID) > 0 && GetSkinProp(item.hwndItem, prop::Hw_lbID) > 0;
  if (!skinnedControl && MenuSkinItemFind(reinterpret_cast<HMENU>(item.hwndItem)) <= 0) return m.Forward();
  if (SkinWindowRecord* r = RecordOf(m)) SkinDrawItem(*r, item);
  return 1;
}

}  // namespace korvath::skin
