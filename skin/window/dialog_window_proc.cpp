#include "skin/window/dialog_window_proc.h"

#include <optional>

#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "skin/core/owner_draw.h"
#include "skin/core/window_list.h"
#include "skin/core/subclass.h"
#include "skin/core/window_props.h"
#include "skin/window/close_animations.h"
#include "skin/window/dialog_paint.h"
#include "skin/window/dialog_skin_attach.h"
#include "skin/window/dialog_layout.h"
#include "skin/window/drop_shadow.h"
#include "skin/window/fade_in.h"
#include "skin/window/message_box.h"
#include "skin/window/skin_removal.h"

namespace korvath::skin {

namespace {

// Posted to a box by its first paint: its fade-in starts and its shadow is
// made now, after the first frame, which needs neither (the box is still
// fully transparent then).
constexpr UINT kAfterFirstFrameMessage = WM_APP + 1;
constexpr int kCloseItem = 1;

LRESULT PassOn(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinForward(box, message, wParam, lParam);
}

int32_t IndexOf(HWND box) { return static_cast<int32_t>(GetSkinProp(box, prop::Hw_lbID)); }

// ---- message handlers ------------------------------------------------------------

void OnResized(HWND box) {
  DialogApplyRoundRegion(box);
  SkinLayoutCaptionParts(IndexOf(box));
}

void OnPaint(SkinWindowRecord& record, HWND box) {
  {
    platform::PaintScope paint(box);
    SkinDialogCaptionPaint(box);
  }
  // Each box fades in once, from just after its own first paint; its shadow
  // is made then too.
  if (!record.FadeInStarted) {
    record.FadeInStarted = true;
    PostMessageW(box, kAfterFirstFrameMessage, 0, 0);
  }
}

// The fade-in first, so that its steps keep their times while the shadow is
// made. Neither for a box that has closed meanwhile, no shadow for one hidden.
void OnAfterFirstFrame(SkinWindowRecord& record, HWND box) {
  if (record.CloseAnimated) return;
  record.FadeInThread = FadeInStart(box);
  if (!record.ShadowWindow && !record.Hidden && IsWindowVisible(box)) DialogShadowAttach(box);
}

// The box is being hidden without having been told to hide (ShowWindow
// tells it first): the dialog has ended, the box is closing. Its shadow goes
// first, then the box shrinks away; both happen once.
void OnClosing(SkinWindowRecord& record, HWND box) {
  if (record.Hidden || record.CloseAnimated || !IsWindowVisible(box)) return;
  record.CloseAnimated = true;
  FadeInStop(record.FadeInThread);
  ShadowShowWith(record, box, false);
  SkinAnimateEffect1(box);
}

void OnShowWindow(SkinWindowRecord& record, HWND box, bool shown) {
  record.Hidden = !shown;
  if (shown) DialogLayOut(box);
  ShadowShowWith(record, box, shown);
}

void OnPositionChanging(SkinWindowRecord& record, HWND box, const WINDOWPOS& pos) {
  if (pos.flags & SWP_HIDEWINDOW) {
    OnClosing(record, box);
    return;
  }
  // Fields that the flags mark unchanged hold nothing: take them from the box.
  RECT r{};
  GetWindowRect(box, &r);
  const int x = (pos.flags & SWP_NOMOVE) ? r.left : pos.x;
  const int y = (pos.flags & SWP_NOMOVE) ? r.top : pos.y;
  const int cx = (pos.flags & SWP_NOSIZE) ? r.right - r.left : pos.cx;
  const int cy = (pos.flags & SWP_NOSIZE) ? r.bottom - r.top : pos.cy;
  if (cx > 0 && cy > 0) ShadowWindowFollow(box, false, RECT{x, y, x + cx, y + cy});
}

void RepaintCloseButton(SkinWindowRecord& record, bool hover) {
  gdip::Graphics graphics;
  SkinCaptionBlit(IndexOf(record.Window), kCloseItem, graphics, false, hover);
  record.CloseHot = hover;
}

LRESULT OnNcMouseMove(SkinWindowRecord& record, HWND box, WPARAM hit, LPARAM lParam) {
  if (hit == HTCLOSE) {
    if (!record.CloseHot) RepaintCloseButton(record, true);
    return 0;
  }
  if (record.CloseHot) RepaintCloseButton(record, false);
  return PassOn(box, WM_NCMOUSEMOVE, hit, lParam);
}

LRESULT OnNcButtonUp(HWND box, WPARAM hit, LPARAM lParam) {
  if (hit != HTCLOSE) return PassOn(box, WM_NCLBUTTONUP, hit, lParam);
  SendMessageW(box, WM_CLOSE, 0, 0);
  return 0;
}

LRESULT OnDestroyed(HWND box, WPARAM wParam, LPARAM lParam) {
  UnskinWindow(box);
  return PassOn(box, WM_NCDESTROY, wParam, lParam);
}

}  // namespace

void SkinLayoutCaptionParts(int32_t index) {
  SkinWindowRecord* record = SkinRecordAt(index);
  if (!record) return;
  RECT r{};
  GetWindowRect(record->Window, &r);
  const int32_t width = r.right - r.left;
  record->ButtonStripLeft = width - 36;
  for (CaptionItem& item : record->CaptionItems) item.Bounds = gdip::RectF{float(width - 36), 2.0f, 36.0f, 22.0f};
}

LRESULT CALLBACK DialogSkinWndProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  SkinWindowRecord* record = SkinRecordOfWindow(box);
  if (!record) return PassOn(box, message, wParam, lParam);
  switch (message) {
    case WM_NCDESTROY: return OnDestroyed(box, wParam, lParam);
    case WM_CHANGEUISTATE: if (LOWORD(wParam) == UIS_INITIALIZE) return 0; break;
    case WM_ACTIVATE: SkinMessageBoxHookRemove(box); break;
    case WM_SIZE: OnResized(box); break;
    case WM_PAINT: OnPaint(*record, box); return 0;
    case WM_NCPAINT: return 0;
    case WM_NCACTIVATE: return TRUE;
    case WM_NCHITTEST: return DialogSkinHitTest(box, lParam);
    case WM_NCLBUTTONDOWN: if (wParam == HTCLOSE) return 0; break;  // the release closes
    case WM_NCMOUSEMOVE: return OnNcMouseMove(*record, box, wParam, lParam);
    case WM_NCLBUTTONUP: return OnNcButtonUp(box, wParam, lParam);
    case WM_DRAWITEM: SkinDrawItem(*record, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); break;
    case WM_SHOWWINDOW: OnShowWindow(*record, box, wParam != 0); break;
    case kAfterFirstFrameMessage: OnAfterFirstFrame(*record, box); return 0;
    case WM_WINDOWPOSCHANGING: OnPositionChanging(*record, box, *reinterpret_cast<const WINDOWPOS*>(lParam)); break;
  }
  return PassOn(box, message, wParam, lParam);
}

}  // namespace korvath::skin
