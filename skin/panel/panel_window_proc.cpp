// The panel's window procedure: hover and press follow the mouse one entry at
// a time, a release after a press on an entry calls the application back,
// the keyboard presses the first entry while the panel has the focus, and
// WM_PAINT shows the back buffer, rebuilding it when a redraw is pending.
#include "skin/panel/panel_window.h"

#include "platform/gdi_object.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/skin_message.h"

namespace korvath::skin {

namespace {
// The entry that the keyboard presses.
constexpr int kKeyboardEntry = 1;
}  // namespace

LRESULT ZqkPanel::WindowProc(const SkinMessage& m) {
  switch (m.message) {
    case WM_DESTROY:     Destroy(); break;
    case WM_MOVE:        redrawPending_ = 1; break;
    case WM_SIZE:        redrawPending_ = 1; break;
    case WM_ERASEBKGND:  SetBkMode(m.dc(), TRANSPARENT); return 1;
    case WM_PAINT:       OnPaint(m.window); return 0;
    case WM_PRINTCLIENT: OnPrintClient(m.dc()); return 0;
    case WM_MOUSEMOVE:   OnMouseMove(m.window, m.point()); break;
    case WM_MOUSELEAVE:  OnMouseLeave(); break;
    case WM_LBUTTONDOWN: OnLeftButtonDown(m.window, m.point()); break;
    // The panel's class asks for double clicks, so a press soon after the
    // last one on the same spot (the next press once a dialog that a click
    // opened has closed) comes as a double click: it is a press all the same.
    case WM_LBUTTONDBLCLK: OnLeftButtonDown(m.window, m.point()); break;
    case WM_LBUTTONUP:   OnLeftButtonUp(); break;
    case WM_SETFOCUS:    OnFocus(true); break;
    case WM_KILLFOCUS:   OnFocus(false); break;
    case WM_KEYDOWN:     OnKeyDown(m.window, m.wParam, m.lParam); return 0;
    case WM_KEYUP:       OnKeyUp(m.wParam); break;
    default:             break;
  }
  return m.Forward();
}

void ZqkPanel::OnPaint(HWND window) {
  const SkinWindowRecord* owner = OwnerRecord();
  EnsureBackBuffer(owner);
  platform::PaintScope paint(window);
  Present(owner, paint.dc());
  SkinInvalidateVisibleChildren(window);
}

void ZqkPanel::OnPrintClient(HDC dc) {
  EnsureBackBuffer(OwnerRecord());
  ShowBackBuffer(dc);
}

void ZqkPanel::ShowCursorFor(int entryNumber) const {
  SetCursor(entryNumber > 0 && cursor_ ? cursor_.get() : LoadCursorA(nullptr, IDC_ARROW));
}

void ZqkPanel::SetEntryHover(int number, bool hover) {
  entries_[number - 1].hover = hover;
  DecodeShownPicture(entries_[number - 1]);
  DrawEntry(number, nullptr);
}

void ZqkPanel::OnMouseMove(HWND window, POINT point) {
  TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, window, 1};
  TrackMouseEvent(&track);
  const int hit = HitTest(point.x, point.y);
  ShowCursorFor(hit);
  if (hit == hoveredEntry_) return;
  if (hoveredEntry_ > 0) SetEntryHover(hoveredEntry_, false);
  if (hit > 0) SetEntryHover(hit, true);
  hoveredEntry_ = hit;
}

void ZqkPanel::OnMouseLeave() {
  if (hoveredEntry_ > 0) SetEntryHover(hoveredEntry_, false);
  hoveredEntry_ = 0;
}

// The mouse takes a press of the keyboard's over: that press ends unclicked,
// as it ends when the focus goes, so that no entry stays drawn pushed that
// nothing holds any more.
void ZqkPanel::OnLeftButtonDown(HWND window, POINT point) {
  const int hit = HitTest(point.x, point.y);
  ShowCursorFor(hit);
  if (hit <= 0) return;
  EndPress();
  SetCapture(window);
  Press(hit);
}

void ZqkPanel::Press(int number) {
  entries_[number - 1].pressed = true;
  DecodeShownPicture(entries_[number - 1]);
  DrawEntry(number, nullptr);
  pressedEntry_ = number;
}

int ZqkPanel::EndPress() {
  const int pressed = pressedEntry_;
  pressedEntry_ = 0;
  if (pressed <= 0 || pressed > int(entries_.size())) return 0;
  entries_[pressed - 1].pressed = false;
  DrawEntry(pressed, nullptr);
  return pressed;
}

// The press ends, and the mouse is given back, before the application is
// called: the routine may open a modal dialog, which must get the mouse.
void ZqkPanel::OnLeftButtonUp() {
  const int pressed = EndPress();
  ReleaseCapture();
  if (pressed > 0 && callback_) callback_(pressed);
}

// The focus ring comes and goes with the whole picture; a press of the
// keyboard's ends with the focus, unclicked, as a push button's does.
void ZqkPanel::OnFocus(bool focused) {
  focused_ = focused;
  if (!focused && GetCapture() != panel_) EndPress();
  Invalidate();
}

// As a push button takes them: Space pushes the entry and its release
// clicks it, Enter clicks it at once; while the mouse holds an entry, Space
// leaves it to the mouse. The top-level window gets every other
// key, as a dialog takes the keys of its controls: Tab goes on from the
// panel, Esc is the window's.
void ZqkPanel::OnKeyDown(HWND window, WPARAM key, LPARAM lp) {
  const bool repeated = (lp & (LPARAM(1) << 30)) != 0;
  if (entries_.empty() || (key != VK_SPACE && key != VK_RETURN)) {
    SendMessageW(GetAncestor(window, GA_ROOT), WM_KEYDOWN, key, lp);
  } else if (key == VK_SPACE) {
    if (!repeated && pressedEntry_ == 0) Press(kKeyboardEntry);
  } else if (callback_) {
    callback_(kKeyboardEntry);
  }
}

void ZqkPanel::OnKeyUp(WPARAM key) {
  if (key != VK_SPACE || pressedEntry_ != kKeyboardEntry || GetCapture() == panel_) return;
  if (EndPress() > 0 && callback_) callback_(kKeyboardEntry);
}

}  // namespace korvath::skin
