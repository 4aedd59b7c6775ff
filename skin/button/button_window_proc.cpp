#include "skin/button/button_window_proc.h"

#include <array>

#include "platform/gbk_convert.h"
#include "platform/gdi_object.h"
#include "platform/window_geometry.h"
#include "skin/button/button_lookup.h"
#include "skin/button/button_painters.h"
#include "skin/button/check_box_painter.h"
#include "skin/button/cross_fade.h"
#include "skin/core/child_layer.h"
#include "skin/core/hot_control.h"
#include "skin/core/skin_message.h"
#include "skin/core/window_props.h"

namespace korvath::skin {

namespace {

// The button's kind, as its entry keeps it.
ButtonKind KindOf(const ButtonRef& b) { return b->Kind; }
bool PaintsItself(const ButtonRef& b) {
  const ButtonPainting* painting = ButtonPaintingOf(KindOf(b));
  return painting && painting->paintsItself;
}
bool IsPushButton(const ButtonRef& b) {
  const ButtonPainting* painting = ButtonPaintingOf(KindOf(b));
  return painting && !painting->paintsItself;
}

// A disabled control is painted disabled, whatever the occasion.
UINT WithEnabledState(HWND window, UINT state) {
  return IsWindowEnabled(window) ? state : state | ODS_DISABLED;
}

// The one painter of a radio button, check box or toggle, for WM_PAINT,
// WM_PRINTCLIENT and the repaints after the native control drew: the whole
// face onto `dc`, plain or disabled: these looks show a press only together
// with the hover, and these repaints carry neither. The face is one
// picture; `dc` clips it to what is dirty.
void Paint(const ButtonRef& b, HDC dc, const RECT& dirty) {
  if (IsRectEmpty(&dirty)) return;
  const HWND window = b->window;
  const RECT client = platform::ClientRect(window);
  const ButtonPainting* painting = ButtonPaintingOf(KindOf(b));
  if (!painting || !painting->paintsItself) return;
  painting->paint(b, dc, WithEnabledState(window, 0), client);
}

// The look after the native control changed (or may have drawn over the
// skin), onto the button's own DC.
void RepaintSelf(const ButtonRef& b) {
  if (!b) return;
  platform::WindowDC dc = platform::WindowDC::Client(b->window);
  Paint(b, dc.get(), platform::ClientRect(b->window));
}

// The native procedure may reach the application, which may destroy the
// window with its owner's record and the button's entry: after it, the
// button is found again, once.
LRESULT ForwardThenRepaint(const SkinMessage& m, const ButtonRef& b) {
  if (!PaintsItself(b)) return m.Forward();
  return m.ForwardThen([&] { RepaintSelf(FindButton(m.window)); });
}

// The tick pops in on an unchecked box and out of a checked (or
// indeterminate) one, before the native control changes its state.
void PlayTickAnimation(const ButtonRef& b) {
  if (!b) return;
  const HWND window = b->window;
  if (GetSkinProp(window, prop::Xzk_dhxg) == 0) {
    RepaintSelf(b);
    return;
  }
  const bool unchecked = SendMessageW(window, BM_GETCHECK, 0, 0) == BST_UNCHECKED;
  const std::array<int32_t, 4> frames = unchecked ? std::array{4, 3, 1, 3} : std::array{1, 3, 4, 0};
  const DWORD* pauses = unchecked ? kTickInPauses : kTickOutPauses;
  const RECT client = platform::ClientRect(window);
  platform::WindowDC dc = platform::WindowDC::Client(window);
  for (size_t i = 0; i < frames.size(); ++i) {
    CheckBoxSkinPaint(b, dc.get(), WithEnabledState(window, 0), client, true, frames[i]);
    if (i + 1 < frames.size()) Sleep(pauses[i]);
  }
}

// ---- handlers ------------------------------------------------------------------

LRESULT OnMouseMove(const SkinMessage& m, const ButtonRef& b) {
  if (SkinHotEnter(*b.record, {.window = m.window, .number = b.number, .kind = HoverKind::Button}))
    ButtonSkinRedraw(b, 0, true);
  return m.Forward();
}

LRESULT OnMouseLeave(const SkinMessage& m, const ButtonRef& b) {
  SkinHotLeave(*b.record);
  ButtonSkinRedraw(b, b->Focused ? ODS_FOCUS : 0);
  return m.Forward();
}

LRESULT OnButtonDown(const SkinMessage& m, const ButtonRef& b) {
  b->Pressed = true;
  if (KindOf(b) == ButtonKind::CheckBox) return m.ForwardThen([&] { PlayTickAnimation(FindButton(m.window)); });
  return ForwardThenRepaint(m, b);
}

LRESULT OnButtonUp(const SkinMessage& m, const ButtonRef& b) {
  b->Pressed = false;
  SkinHotLeave(*b.record);  // the next move shows the hot look again
  return m.Forward();
}

LRESULT OnEraseBackground(const SkinMessage& m, const ButtonRef& b) {
  SetBkMode(m.dc(), TRANSPARENT);
  return 1;
}

LRESULT OnPaint(const SkinMessage& m, const ButtonRef& b) {
  if (!PaintsItself(b)) return m.Forward();
  platform::PaintScope paint(m.window);
  Paint(b, paint.dc(), paint.dirty());
  return 0;
}

// Push buttons answer through their owner's WM_DRAWITEM, with this DC.
LRESULT OnPrintClient(const SkinMessage& m, const ButtonRef& b) {
  if (!PaintsItself(b)) return m.Forward();
  Paint(b, m.dc(), platform::ClientRect(m.window));
  return 0;
}

// The native control draws its focus look as it gains the focus: the skin
// shows no focus on these kinds, so it paints over it.
LRESULT OnSetFocus(const SkinMessage& m, const ButtonRef& b) {
  b->Focused = true;
  return ForwardThenRepaint(m, b);
}

// The native control draws itself as it is enabled or disabled.
LRESULT OnEnable(const SkinMessage& m, const ButtonRef& b) {
  return ForwardThenRepaint(m, b);
}

LRESULT OnKillFocus(const SkinMessage& m, const ButtonRef& b) {
  b->Focused = false;
  return ForwardThenRepaint(m, b);
}

// The caption follows the window text, kept in GBK whatever the text's
// origin.
LRESULT OnSetText(const SkinMessage& m, const ButtonRef& b) {
  const wchar_t* text = m.wideText();
  b->Caption = text ? platform::WideToGbk(text).text : std::string();
  return m.Forward();
}

LRESULT OnCheckChange(const SkinMessage& m, const ButtonRef& b) {
  return ForwardThenRepaint(m, b);
}

LRESULT OnKeyDown(const SkinMessage& m, const ButtonRef& b) {
  if (m.wParam != VK_SPACE) return m.Forward();
  return OnCheckChange(m, b);
}

// While the mouse button is held on the control, the release of its pushed
// state is kept from the native control.
LRESULT OnSetState(const SkinMessage& m, const ButtonRef& b) {
  if (m.wParam == 0 && b->Pressed) return 0;
  return m.Forward();
}

// The dialog manager finds its push buttons, and which is the default, by
// their dialog codes; an owner-drawn button would answer neither.
LRESULT OnGetDialogCode(const SkinMessage& m, const ButtonRef& b) {
  if (!IsPushButton(b)) return m.Forward();
  return DLGC_BUTTON | (b->DefaultButton ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

// The dialog manager makes a push button its default, or no longer, by
// setting its type (BS_DEFPUSHBUTTON, BS_PUSHBUTTON): the button stays
// owner-drawn, and the skin draws the default look from the entry.
LRESULT OnSetStyle(const SkinMessage& m, const ButtonRef& b) {
  if (!IsPushButton(b)) return m.Forward();
  b->DefaultButton = (m.wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  return m.ForwardWith((m.wParam & ~WPARAM(BS_TYPEMASK)) | BS_OWNERDRAW);
}

// The entry's texts and pictures go with the window; its place in the list
// stays, so the numbers of the other buttons do not change.
LRESULT OnFinalMessage(const SkinMessage& m, const ButtonRef& b) {
  const LRESULT result = m.Forward();
  if (const ButtonRef button = FindButton(m.window)) *button = SkinButtonEntry{};
  return result;
}

// The skin's part of a message to ButtonSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  const HWND window = m.window;
  const UINT message = m.message;
  const LPARAM lParam = m.lParam;
  // A dying button's fades end while its DC is still valid, whatever became
  // of its owner's record.
  if (message == WM_DESTROY) FadeEndForWindow(window);
  const ButtonRef b = FindButton(window);
  // A button whose numbers no longer lead to its own entry is only passed on.
  if (!b) return m.Forward();
  switch (message) {
    case WM_MOUSEMOVE: return OnMouseMove(m, b);
    case WM_MOUSELEAVE: return OnMouseLeave(m, b);
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(b, window); break;
    case WM_MOVE: InvalidateRect(window, nullptr, TRUE); break;
    case WM_LBUTTONDOWN: return OnButtonDown(m, b);
    case WM_LBUTTONUP: return OnButtonUp(m, b);
    case WM_ERASEBKGND: return OnEraseBackground(m, b);
    case WM_PAINT: return OnPaint(m, b);
    case WM_PRINTCLIENT: return OnPrintClient(m, b);
    case WM_SETFOCUS: return OnSetFocus(m, b);
    case WM_KILLFOCUS: return OnKillFocus(m, b);
    case WM_ENABLE: return OnEnable(m, b);
    case WM_SETTEXT: return OnSetText(m, b);
    case WM_NCPAINT: return DefWindowProcW(window, WM_NCPAINT, 1, lParam);
    case WM_LBUTTONDBLCLK: return 0;  // a double click reaches the control as one click
    case BM_SETCHECK: return OnCheckChange(m, b);
    case WM_KEYDOWN: return OnKeyDown(m, b);
    case BM_SETSTATE: return OnSetState(m, b);
    case BM_SETSTYLE: return OnSetStyle(m, b);
    case WM_GETDLGCODE: return OnGetDialogCode(m, b);
    case WM_NCDESTROY: return OnFinalMessage(m, b);
    default: break;
  }
  return m.Forward();
}

}  // namespace

LRESULT CALLBACK ButtonSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({window, message, wParam, lParam}, &SkinPart);
}

void ButtonSkinRedraw(const ButtonRef& button, UINT state, bool hot) {
  if (!button) return;
  const HWND window = button->window;
  platform::WindowDC dc = platform::WindowDC::Client(window);
  if (hot) state |= ODS_HOTLIGHT;
  RECT client = {};
  GetClientRect(window, &client);
  const ButtonPainting* painting = ButtonPaintingOf(button->Kind);
  if (!painting || !painting->redrawnWhenHot) return;  // image toggles keep their look
  painting->paint(button, dc.get(), painting->paintsItself ? WithEnabledState(window, state) : state, client);
}

}  // namespace korvath::skin
