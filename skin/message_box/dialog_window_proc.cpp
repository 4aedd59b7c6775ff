#include "skin/message_box/dialog_window_proc.h"

#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "platform/window_geometry.h"
#include "skin/close_effect/close_animations.h"
#include "skin/control/owner_draw.h"
#include "skin/core/skin_message.h"
#include "skin/core/window_list.h"
#include "skin/form/skin_removal.h"
#include "skin/message_box/dialog_layout.h"
#include "skin/message_box/dialog_paint.h"
#include "skin/message_box/dialog_skin_attach.h"
#include "skin/message_box/fade_in.h"
#include "skin/message_box/message_box.h"
#include "skin/shadow/drop_shadow.h"

namespace korvath::skin {

namespace {

// Posted to a box by its first paint: its fade-in starts and its shadow is
// made now, after the first frame, which needs neither (the box is still
// fully transparent then).
constexpr UINT kAfterFirstFrameMessage = WM_APP + 1;
constexpr int kCloseItem = 1;

// ---- message handlers ------------------------------------------------------------

// A box being minimised hid its shadow (ShadowWindowFollow); restored, it
// shows it again where it is now (one made while the box was minimised shows
// for the first time). Nothing for a box that is closing or hidden.
void OnResized(SkinWindowRecord& record, WPARAM how) {
  DialogApplyRoundRegion(record.Window);
  SkinLayoutCaptionParts(record);
  if (how == SIZE_RESTORED && !record.CloseAnimated && !record.Hidden && IsWindowVisible(record.Window) &&
      record.ShadowWindow && !IsWindowVisible(record.ShadowWindow))
    ShadowShowWith(record, true);
}

void OnPaint(SkinWindowRecord& record) {
  // Each box fades in once, from just after its own first paint; its shadow
  // is made then too. Posted before the paint, and so taken after it: a
  // paint that fails (memory that runs out) must not leave the box
  // invisible.
  if (!record.FadeInStarted) {
    record.FadeInStarted = true;
    PostMessageW(record.Window, kAfterFirstFrameMessage, 0, 0);
  }
  platform::PaintScope paint(record.Window);
  SkinDialogCaptionPaint(record);
}

// A print of the client area is the last paint's picture: it starts no
// fade-in. Before the first paint there is none, and the message goes on.
LRESULT OnPrintClient(const SkinMessage& m, const SkinWindowRecord& record) {
  return SkinDialogPrintClient(record, m.dc()) ? 0 : m.Forward();
}

// The fade-in first, so that its steps keep their times while the shadow is
// made. Neither for a box that has closed meanwhile, no shadow for one hidden.
void OnAfterFirstFrame(SkinWindowRecord& record) {
  if (record.CloseAnimated) return;
  record.FadeInThread = FadeInStart(record.Window);
  if (!record.ShadowWindow && !record.Hidden && IsWindowVisible(record.Window)) DialogShadowAttach(record);
}

// The box is being hidden without having been told to hide (ShowWindow
// tells it first): the dialog has ended, the box is closing. Its shadow goes
// first, then the box shrinks away; both happen once.
void OnClosing(SkinWindowRecord& record) {
  if (record.Hidden || record.CloseAnimated || !IsWindowVisible(record.Window)) return;
  record.CloseAnimated = true;
  FadeInStop(record.FadeInThread);
  ShadowShowWith(record, false);
  SkinAnimateEffect1(record.Window);
}

void OnShowWindow(SkinWindowRecord& record, bool shown) {
  record.Hidden = !shown;
  if (shown && record.BoxLayoutPending) {
    record.BoxLayoutPending = false;
    DialogLayOut(record);
  }
  ShadowShowWith(record, shown);
}

void OnPositionChanging(SkinWindowRecord& record, const WINDOWPOS& pos) {
  if (pos.flags & SWP_HIDEWINDOW) {
    OnClosing(record);
    return;
  }
  const RECT to = platform::WindowPosRect(record.Window, pos);
  if (platform::Width(to) > 0 && platform::Height(to) > 0) ShadowWindowFollow(record, false, to);
}

void RepaintCloseButton(SkinWindowRecord& record, bool hover) {
  gdip::Graphics graphics;
  SkinCaptionBlit(record, kCloseItem, graphics, false, hover);
  record.CloseHot = hover;
}

LRESULT OnNcMouseMove(const SkinMessage& m, SkinWindowRecord& record) {
  if (m.wParam == HTCLOSE) {
    if (!record.CloseHot) RepaintCloseButton(record, true);
    return 0;
  }
  if (record.CloseHot) RepaintCloseButton(record, false);
  return m.Forward();
}

LRESULT OnNcButtonUp(const SkinMessage& m) {
  if (m.wParam != HTCLOSE) return m.Forward();
  SendMessageW(m.window, WM_CLOSE, 0, 0);
  return 0;
}

// The record goes here: only the box's handle is used after it.
LRESULT OnDestroyed(const SkinMessage& m, SkinWindowRecord& record) {
  UnskinWindow(record);
  return m.Forward();
}

}  // namespace

LRESULT DialogSkinHitTest(const SkinWindowRecord& box, POINT screen) {
  const RECT r = platform::WindowRect(box.Window);
  const int32_t x = screen.x, y = screen.y;
  if (r.left + box.ButtonStripLeft < x && x < r.right - 5 && r.top + 3 < y && y <= r.top + 20) return HTCLOSE;
  if (y <= r.top + 25) return HTCAPTION;
  return HTCLIENT;
}

namespace {

// The skin's part of a message to DialogSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  const HWND box = m.window;
  const UINT message = m.message;
  const WPARAM wParam = m.wParam;
  // The one lookup of the message: the handlers get the record.
  SkinWindowRecord* found = SkinRecordOfWindow(box);
  if (!found) return m.Forward();
  SkinWindowRecord& record = *found;
  switch (message) {
    case WM_NCDESTROY: return OnDestroyed(m, record);
    case WM_CHANGEUISTATE: if (LOWORD(wParam) == UIS_INITIALIZE) return 0; break;
    case WM_ACTIVATE: SkinMessageBoxHookRemove(box); break;
    case WM_SIZE: OnResized(record, wParam); break;
    case WM_PAINT: OnPaint(record); return 0;
    case WM_PRINTCLIENT: return OnPrintClient(m, record);
    case WM_NCPAINT: return 0;
    case WM_NCACTIVATE: return TRUE;
    case WM_NCHITTEST: return DialogSkinHitTest(record, m.point());
    case WM_NCLBUTTONDOWN: if (wParam == HTCLOSE) return 0; break;  // the release closes
    case WM_NCMOUSEMOVE: return OnNcMouseMove(m, record);
    case WM_NCLBUTTONUP: return OnNcButtonUp(m);
    case WM_DRAWITEM: if (const DRAWITEMSTRUCT* item = m.drawItem()) SkinDrawItem(record, *item); break;
    case WM_SHOWWINDOW: OnShowWindow(record, wParam != 0); break;
    case kAfterFirstFrameMessage: OnAfterFirstFrame(record); return 0;
    case WM_WINDOWPOSCHANGING: if (const WINDOWPOS* pos = m.windowPos()) OnPositionChanging(record, *pos); break;
  }
  return m.Forward();
}

}  // namespace

LRESULT CALLBACK DialogSkinWndProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({box, message, wParam, lParam}, &SkinPart);
}

}  // namespace korvath::skin
