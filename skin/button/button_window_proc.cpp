#include "skin/button/button_window_proc.h"

#include <array>

#include "platform/gbk_convert.h"
#include "platform/gdi_object.h"
#include "skin/button/button_lookup.h"
#include "skin/button/check_box_painter.h"
#include "skin/button/cross_fade.h"
#include "skin/button/image_button_painter.h"
#include "skin/button/picture_button_painter.h"
#include "skin/button/radio_painter.h"
#include "skin/button/vector_button_painter.h"
#include "skin/core/child_layer.h"
#include "skin/core/window_props.h"

namespace korvath::skin {

namespace {

// One message, unpacked once.
struct Message {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  ButtonRef button;

  LRESULT Forward() const { return ForwardWith(wParam); }
  // The message with another wParam.
  LRESULT ForwardWith(WPARAM given) const {
    const auto saved = GetSkinPropHandle<WNDPROC>(window, prop::Hw_hProc);
    return saved ? CallWindowProcW(saved, window, message, given, lParam)
                 : DefWindowProcW(window, message, given, lParam);
  }
  // The saved procedure first, then `work`.
  template <class Work>
  LRESULT ForwardThen(Work work) const {
    const LRESULT result = Forward();
    work();
    return result;
  }
  int32_t kind() const { return button.entry->Kind; }
  bool IsPushButton() const {
    return kind() == kVectorButton || kind() == kPictureButton || kind() == kImageButton;
  }
  bool PaintsItself() const { return kind() == kRadioButton || kind() == kCheckBox || kind() == kImageToggle; }
};

// A disabled control is painted disabled, whatever the occasion.
UINT WithEnabledState(HWND window, UINT state) {
  return IsWindowEnabled(window) ? state : state | ODS_DISABLED;
}

// The look of a radio button, check box or toggle after the native control
// changed (or may have drawn over the skin): radio buttons in the pressed
// state, the others plain.
void RepaintSelf(HWND window, int32_t kind, UINT radioState) {
  switch (kind) {
    case kRadioButton: RadioSkinPaint(window, WithEnabledState(window, radioState)); break;
    case kCheckBox: CheckBoxSkinPaint(window, WithEnabledState(window, 0)); break;
    case kImageToggle: ToggleSkinPaintImage(window, WithEnabledState(window, 0)); break;
    default: break;
  }
}

// The tick pops in on an unchecked box and out of a checked (or
// indeterminate) one, before the native control changes its state.
void PlayTickAnimation(HWND window) {
  if (GetSkinProp(window, prop::Xzk_dhxg) == 0) {
    RepaintSelf(window, kCheckBox, 0);
    return;
  }
  const bool unchecked = SendMessageW(window, BM_GETCHECK, 0, 0) == BST_UNCHECKED;
  const std::array<int32_t, 4> frames = unchecked ? std::array{4, 3, 1, 3} : std::array{1, 3, 4, 0};
  const DWORD* pauses = unchecked ? kTickInPauses : kTickOutPauses;
  for (size_t i = 0; i < frames.size(); ++i) {
    CheckBoxSkinPaint(window, WithEnabledState(window, 0), true, frames[i]);
    if (i + 1 < frames.size()) Sleep(pauses[i]);
  }
}

// ---- handlers ------------------------------------------------------------------

LRESULT OnMouseMove(const Message& m) {
  TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m.window, 0};
  TrackMouseEvent(&track);
  SkinWindowRecord& record = *m.button.record;
  record.HotControl = m.button.number;
  if (record.HotControl != record.PrevHotControl || record.HoverKind != 0) {
    ButtonSkinRedraw(m.window, 0, true);
    record.PrevHotControl = record.HotControl;
    record.HoverKind = 0;
  }
  return m.Forward();
}

LRESULT OnMouseLeave(const Message& m) {
  m.button.record->PrevHotControl = 0;
  ButtonSkinRedraw(m.window, m.button.entry->Focused ? ODS_FOCUS : 0);
  return m.Forward();
}

LRESULT OnButtonDown(const Message& m) {
  m.button.entry->Pressed = true;
  const int32_t kind = m.kind();
  if (kind == kCheckBox) return m.ForwardThen([&] { PlayTickAnimation(m.window); });
  return m.ForwardThen([&] { RepaintSelf(m.window, kind, ODS_SELECTED); });
}

LRESULT OnButtonUp(const Message& m) {
  m.button.entry->Pressed = false;
  m.button.record->PrevHotControl = 0;  // the next move shows the hover look again
  return m.Forward();
}

LRESULT OnEraseBackground(const Message& m) {
  SetBkMode(reinterpret_cast<HDC>(m.wParam), TRANSPARENT);
  return 1;
}

LRESULT OnPaint(const Message& m) {
  if (!m.PaintsItself()) return m.Forward();
  platform::PaintScope paint(m.window);
  RepaintSelf(m.window, m.kind(), 0);
  return 0;
}

// The native control draws its focus look as it gains the focus: the skin
// shows no focus on these kinds, so it paints over it.
LRESULT OnSetFocus(const Message& m) {
  m.button.entry->Focused = true;
  const int32_t kind = m.kind();
  return m.ForwardThen([&] { RepaintSelf(m.window, kind, 0); });
}

// The native control draws itself as it is enabled or disabled.
LRESULT OnEnable(const Message& m) {
  const int32_t kind = m.kind();
  return m.ForwardThen([&] { RepaintSelf(m.window, kind, 0); });
}

LRESULT OnKillFocus(const Message& m) {
  m.button.entry->Focused = false;
  const int32_t kind = m.kind();
  return m.ForwardThen([&] { RepaintSelf(m.window, kind, 0); });
}

// The caption follows the window text, kept in GBK whatever the text's
// origin.
LRESULT OnSetText(const Message& m) {
  const auto* text = reinterpret_cast<const wchar_t*>(m.lParam);
  m.button.entry->Caption = text ? platform::WideToGbk(text).text : std::string();
  return m.Forward();
}

LRESULT OnCheckChange(const Message& m) {
  const int32_t kind = m.kind();
  return m.ForwardThen([&] { RepaintSelf(m.window, kind, ODS_SELECTED); });
}

LRESULT OnKeyDown(const Message& m) {
  if (m.wParam != VK_SPACE) return m.Forward();
  return OnCheckChange(m);
}

// While the mouse button is held on the control, the release of its pushed
// state is kept from the native control.
LRESULT OnSetState(const Message& m) {
  if (m.wParam == 0 && m.button.entry->Pressed) return 0;
  return m.Forward();
}

// The dialog manager finds its push buttons, and which is the default, by
// their dialog codes; an owner-drawn button would answer neither.
LRESULT OnGetDialogCode(const Message& m) {
  if (!m.IsPushButton()) return m.Forward();
  return DLGC_BUTTON | (m.button.entry->DefaultButton ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

// The dialog manager makes a push button its default, or no longer, by
// setting its type (BS_DEFPUSHBUTTON, BS_PUSHBUTTON): the button stays
// owner-drawn, and the skin draws the default look from the entry.
LRESULT OnSetStyle(const Message& m) {
  if (!m.IsPushButton()) return m.Forward();
  m.button.entry->DefaultButton = (m.wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  return m.ForwardWith((m.wParam & ~WPARAM(BS_TYPEMASK)) | BS_OWNERDRAW);
}

// The entry's texts and pictures go with the window; its place in the list
// stays, so the numbers of the other buttons do not change.
LRESULT OnFinalMessage(const Message& m) {
  const LRESULT result = m.Forward();
  if (const ButtonRef button = FindButton(m.window)) *button.entry = SkinButtonEntry{};
  return result;
}

}  // namespace

LRESULT CALLBACK ButtonSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Message m{window, message, wParam, lParam, {}};
  // A dying button's fades end while its DC is still valid, whatever became
  // of its owner's record.
  if (message == WM_DESTROY) FadeEndForWindow(window);
  m.button = FindButton(window);
  // A button whose numbers no longer lead to its own entry is only passed on.
  if (!m.button) return m.Forward();
  switch (message) {
    case WM_MOUSEMOVE: return OnMouseMove(m);
    case WM_MOUSELEAVE: return OnMouseLeave(m);
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(window); break;
    case WM_MOVE: InvalidateRect(window, nullptr, TRUE); break;
    case WM_LBUTTONDOWN: return OnButtonDown(m);
    case WM_LBUTTONUP: return OnButtonUp(m);
    case WM_ERASEBKGND: return OnEraseBackground(m);
    case WM_PAINT: return OnPaint(m);
    case WM_SETFOCUS: return OnSetFocus(m);
    case WM_KILLFOCUS: return OnKillFocus(m);
    case WM_ENABLE: return OnEnable(m);
    case WM_SETTEXT: return OnSetText(m);
    case WM_NCPAINT: return DefWindowProcW(window, WM_NCPAINT, 1, lParam);
    case WM_LBUTTONDBLCLK: return 0;  // a double click reaches the control as one click
    case BM_SETCHECK: return OnCheckChange(m);
    case WM_KEYDOWN: return OnKeyDown(m);
    case BM_SETSTATE: return OnSetState(m);
    case BM_SETSTYLE: return OnSetStyle(m);
    case WM_GETDLGCODE: return OnGetDialogCode(m);
    case WM_NCDESTROY: return OnFinalMessage(m);
    default: break;
  }
  return m.Forward();
}

void ButtonSkinRedraw(HWND window, UINT state, bool hot) {
  const ButtonRef button = FindButton(window);
  if (!button) return;
  platform::WindowDC dc = platform::WindowDC::Client(window);
  if (hot) state |= ODS_HOTLIGHT;
  RECT client = {};
  GetClientRect(window, &client);
  switch (button.entry->Kind) {
    case kPictureButton: ButtonSkinPaint(window, dc.get(), state, client); break;
    case kVectorButton: ButtonSkinPaintVector(window, dc.get(), state, client); break;
    case kRadioButton: RadioSkinPaint(window, WithEnabledState(window, state)); break;
    case kCheckBox: CheckBoxSkinPaint(window, WithEnabledState(window, state)); break;
    case kImageButton: ButtonSkinPaintImage(window, dc.get(), state, client); break;
    default: break;  // image toggles keep their look
  }
}

}  // namespace korvath::skin
