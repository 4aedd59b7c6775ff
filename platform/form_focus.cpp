// The form's focus across its window's activation and minimising, as a
// dialog keeps it: the control that had it gets it back when the window is
// active again, and a minimised window holds none.
#include "platform/form.h"

#include <utility>

namespace korvath::platform {

// As a dialog keeps it: a focus already elsewhere leaves the last one kept.
void Form::KeepFocus() {
  const HWND focus = GetFocus();
  if (focus && IsChild(window_, focus)) focusKept_ = focus;
}

bool Form::GiveFocusBack() {
  const HWND back = focusKept_;
  if (!back || !IsChild(window_, back) || !IsWindowVisible(back) || !IsWindowEnabled(back)) return false;
  SetFocus(back);
  return true;
}

// DefWindowProc gives the focus to the window itself on activation; the
// control that had it before gets it back instead, if it still can take it.
// Not while the window is minimised: it keeps the control for its restoring,
// and lets go the focus that the system gives it then (OnWindowFocus).
bool Form::OnActivate(WPARAM wp) {
  if (LOWORD(wp) == WA_INACTIVE) {
    KeepFocus();
    return false;
  }
  return !HIWORD(wp) && GiveFocusBack();
}

// Minimised, the window keeps its focus as when it is deactivated: it may
// stay the active window (under Wine it does), and restoring it gives the
// focus to the window itself. It holds no focus meanwhile, as on Windows,
// where its keys come as system keys and reach no control nobody sees (Enter
// restores it); Wine takes the focus from the window itself, not from a
// control in it. Restored while active, it gives the focus back, whether its
// activation comes before its restoring or after; restored while another
// window is active, it gives nothing, since a control given the focus would
// take the activation from that window (Wine makes a restored window active
// all the same, right after).
void Form::OnSize(WPARAM wp) {
  if (wp == SIZE_MINIMIZED) {
    KeepFocus();
    minimisedAtLastSize_ = true;
    if (IsChild(window_, GetFocus())) SetFocus(nullptr);
  } else if (std::exchange(minimisedAtLastSize_, false) && GetActiveWindow() == window_) {
    GiveFocusBack();
  }
}

// The system gives the window itself the focus as it makes it active, also
// while it is minimised (Wine does, once the window has had its activation,
// whichever way that comes: another window closing, a box it owns answered,
// a call from elsewhere), and a key would then reach the window as one
// pressed in it: Esc would close it. Minimised, it lets the focus go, so that
// its keys come as system keys and reach nothing (Enter restores it).
void Form::OnWindowFocus() {
  if (IsIconic(window_)) SetFocus(nullptr);
}

}  // namespace korvath::platform
