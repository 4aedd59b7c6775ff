// The form's keys, as a dialog has them: Esc closes the window (when the form
// says so), Tab and the arrow keys move the focus, Enter presses a push
// button.
#include "platform/form.h"

#include <map>
#include <vector>

#include "platform/message_params.h"

namespace korvath::platform {

bool Form::OnEscape(HWND from) {
  if (!description_ || !description_->escapeCloses || !window_) return false;
  // Esc in an open drop-down list only closes the list.
  int unit = UnitOfHandle(from);
  if (unit >= 0 && Unit(unit)->kind == UnitKind::ComboBox &&
      SendMessageW(from, CB_GETDROPPEDSTATE, 0, 0))
    return false;
  PostMessageW(window_, WM_CLOSE, 0, 0);
  return true;
}

// ---- keyboard navigation --------------------------------------------------------
// Tab and Shift+Tab move through the tab stops in the units' order, from
// whichever window holds a unit now; the arrow keys move within a radio
// group and turn on the button they reach. The units' own procedures take
// the keys, so the navigation needs no particular message loop.

LRESULT Form::DialogCode(HWND control, WPARAM key, LPARAM lp) {
  MSG message = {control, WM_KEYDOWN, key, lp};
  return SendWithPointer(control, WM_GETDLGCODE, key, &message);
}

bool Form::InOneRadioGroup(int a, int b) const {
  const UnitDescription* ua = Unit(a);
  const UnitDescription* ub = Unit(b);
  return ua && ub && ua->kind == UnitKind::RadioButton && ub->kind == UnitKind::RadioButton &&
         ua->parent == ub->parent;
}

bool Form::TakesFocus(int unit) const {
  const HWND hwnd = UnitGetHandle(unit);
  return hwnd && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
}

// A radio group is one stop: its checked button, or its first when none is.
bool Form::IsTabStop(int unit) const {
  if (!TakesFocus(unit)) return false;
  if (Unit(unit)->kind != UnitKind::RadioButton)
    return (GetWindowLongW(units_[size_t(unit)].hwnd, GWL_STYLE) & WS_TABSTOP) != 0;
  if (RadioChecked(unit)) return true;
  for (int other = 0; other < int(units_.size()); ++other) {
    if (other != unit && InOneRadioGroup(unit, other) && (RadioChecked(other) || other < unit)) return false;
  }
  return true;
}

// The units in their order, each window around units that takes the focus
// as a tab stop of its own right after the last unit it holds.
std::vector<Form::TabPlace> Form::TabOrder() const {
  std::map<HWND, int> lastHeld;
  for (int unit = 0; unit < int(units_.size()); ++unit) {
    for (HWND around = GetParent(units_[size_t(unit)].hwnd); around && around != window_;
         around = GetParent(around)) {
      if (UnitOfHandle(around) < 0 && (GetWindowLongW(around, GWL_STYLE) & WS_TABSTOP)) lastHeld[around] = unit;
    }
  }
  std::vector<TabPlace> order;
  for (int unit = 0; unit < int(units_.size()); ++unit) {
    order.push_back({units_[size_t(unit)].hwnd, unit});
    for (const auto& [around, last] : lastHeld) {
      if (last == unit) order.push_back({around, -1});
    }
  }
  return order;
}

// The next stop after `from`, wrapping round; the buttons of `from`'s own
// radio group are no further stop.
HWND Form::NextTabStop(HWND from, bool backwards) const {
  const std::vector<TabPlace> order = TabOrder();
  const int n = int(order.size());
  int at = backwards ? n : -1;  // the window itself: before the first place
  for (int i = 0; i < n; ++i) {
    if (order[size_t(i)].hwnd == from) at = i;
  }
  const int fromUnit = UnitOfHandle(from);
  for (int step = 1; step <= n; ++step) {
    const TabPlace& place = order[size_t(((at + (backwards ? -step : step)) % n + n) % n)];
    if (place.unit >= 0) {
      if (place.unit != fromUnit && InOneRadioGroup(place.unit, fromUnit)) continue;
      if (IsTabStop(place.unit)) return place.hwnd;
    } else if (IsWindowVisible(place.hwnd) && IsWindowEnabled(place.hwnd)) {
      return place.hwnd;
    }
  }
  return nullptr;
}

int Form::NextInRadioGroup(int from, bool backwards) const {
  const int n = int(units_.size());
  for (int step = 1; step < n; ++step) {
    const int unit = ((from + (backwards ? -step : step)) % n + n) % n;
    if (InOneRadioGroup(unit, from) && TakesFocus(unit)) return unit;
  }
  return -1;
}

HWND Form::KeySource() const {
  const HWND focus = GetFocus();
  return focus && IsChild(window_, focus) && UnitOfHandle(focus) < 0 ? focus : window_;
}

// As the dialog manager does it, and for the keys it takes: a control that
// asks for a key through its dialog code keeps it (an open drop-down list
// keeps Esc and Enter; Tab closes it and moves on).
bool Form::OnNavigationKey(HWND from, WPARAM key, LPARAM lp) {
  const bool tab = key == VK_TAB;
  const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
  if (!tab && !arrow) return false;
  const int unit = UnitOfHandle(from);
  if (from != window_ && !IsChild(window_, from)) return false;
  const LRESULT code = from == window_ ? 0 : DialogCode(from, key, lp);
  if (code & DLGC_WANTMESSAGE) return false;
  if (tab) {
    if (code & DLGC_WANTTAB) return false;
    const HWND target = NextTabStop(from, GetKeyState(VK_SHIFT) < 0);
    if (!target) return false;
    // An edit box entered by Tab has its text selected, ready to be typed over.
    if (DialogCode(target, key, lp) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
    SetFocus(target);
    return true;
  }
  if ((code & DLGC_WANTARROWS) || unit < 0 || Unit(unit)->kind != UnitKind::RadioButton) return false;
  const int next = NextInRadioGroup(unit, key == VK_LEFT || key == VK_UP);
  if (next < 0) return false;
  const HWND target = units_[size_t(next)].hwnd;
  SetFocus(target);
  // Turned on by a click of its own, which reaches the button's handler.
  if (IsAlive() && !RadioChecked(next)) SendMessageW(target, BM_CLICK, 0, 0);
  return true;
}

// The click that the dialog manager makes of Enter: the button's own
// notification, without the pushed look that Space shows while it is held.
bool Form::OnEnter(const UnitState& state) {
  if (Unit(state.unit)->kind != UnitKind::PushButton) return false;
  // The handler may destroy the window and with it this unit's state.
  return OnCommand(state.hwnd, BN_CLICKED);
}

}  // namespace korvath::platform
