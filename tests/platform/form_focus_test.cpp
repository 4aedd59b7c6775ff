// The form runtime's focus on real windows, kept as a dialog keeps it: the
// control that had it has it again when a box over the form closes, when the
// form is active again after another window and when it is restored; a
// minimised form holds none, however it is made active. Keys are real ones.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/form.h"
#include "platform/hooks.h"
#include "platform/message_params.h"
#include "tests/platform/form_fixture.h"
#include "tests/support/win_test_support.h"

using namespace korvath::platform;
using namespace korvath::platform::formtest;
using namespace testsupport;

namespace {

// Each window given the focus, with the window that was active then.
std::vector<std::pair<HWND, HWND>> g_focusSet;

LRESULT CALLBACK WatchFocus(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_SETFOCUS) g_focusSet.push_back({FromParam<HWND>(LONG_PTR(wp)), GetActiveWindow()});
  return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

// The focus outlives a box over the form: the control that had it has it
// again when the box closes, as in a dialog.
TEST_F(FormTest, TheFocusIsBackWhereItWasWhenABoxCloses) {
  form_.UnitSetFocus(kCombo);
  DialogAnswerer answerer({PressButton(IDOK)});
  MessageBoxW(form_.WindowHandle(), L"box", L"test", MB_OK);
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(GetFocus(), H(kCombo));
}

// Minimised, the form holds no focus: Tab and the text typed reach no
// control. Restored, it gives the control its focus back, and only then: a
// later resize leaves the focus where it has gone since.
TEST_F(FormTest, AMinimisedFormHoldsNoFocus) {
  form_.UnitSetFocus(kEdit);
  SendMessageW(form_.WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(IsIconic(form_.WindowHandle()));
  EXPECT_EQ(GetFocus(), nullptr);
  PressKey(VK_TAB);
  TypeText(L"abc");
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(WindowText(H(kEdit)), L"");
  SendMessageW(form_.WindowHandle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(GetFocus(), H(kEdit));
  form_.UnitSetFocus(kCombo);
  RECT r;
  GetWindowRect(form_.WindowHandle(), &r);
  SetWindowPos(form_.WindowHandle(), nullptr, 0, 0, r.right - r.left + 10, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(GetFocus(), H(kCombo));
}

// A form minimised while another window of the program has the focus keeps
// the control that had the focus last, and gives it back when restored.
TEST_F(FormTest, AFormMinimisedBehindAnotherWindowGivesItsOwnControlTheFocusBack) {
  form_.UnitSetFocus(kCombo);
  TestWindow other(300, 200, L"another window");
  Activate(other.hwnd());
  ASSERT_EQ(GetFocus(), other.hwnd());
  ShowWindow(form_.WindowHandle(), SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(IsIconic(form_.WindowHandle()));
  ShowWindow(form_.WindowHandle(), SW_RESTORE);
  ASSERT_EQ(GetActiveWindow(), form_.WindowHandle());
  EXPECT_EQ(GetFocus(), H(kCombo));
}

// Made active again while minimised, whichever way the system or another
// program does it, the form still holds no focus: Esc closes nothing, and
// Tab and the text typed reach no control. Enter restores it, and the control
// that had the focus has it again.
TEST_F(FormTest, AMinimisedFormMadeActiveAgainHoldsNoFocus) {
  const HWND window = form_.WindowHandle();
  form_.UnitSetFocus(kEdit);
  TypeText(L"kept");
  std::vector<NamedStep> ways = AnotherWindowComingAndGoing();
  ways.push_back({"a box it owns answered", [&] {
                    DialogAnswerer answerer({PressButton(IDOK)});
                    MessageBoxW(window, L"box", L"test", MB_OK);
                  }});
  ways.push_back({"made active and given the focus from elsewhere", [&] {
                    TestWindow other(300, 200, L"another window");
                    Activate(other.hwnd());
                    Activate(window);
                  }});
  for (const auto& way : ways) {
    SCOPED_TRACE(way.name);
    SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(IsIconic(window));
    way.run();
    ASSERT_TRUE(IsIconic(window));
    ASSERT_EQ(GetActiveWindow(), window);
    EXPECT_EQ(GetFocus(), nullptr);
    PressKey(VK_ESCAPE);
    PressKey(VK_TAB);
    TypeText(L"x");
    PumpMessages();
    ASSERT_TRUE(form_.IsAlive());
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(WindowText(H(kEdit)), L"kept");
    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !IsIconic(window); }, 2000));
    EXPECT_EQ(GetFocus(), H(kEdit));
  }
}

// Restored without being made active, the form gives its control no focus
// while another window is the active one: that would take the activation
// from it. (Wine makes a restored window active all the same, once it is
// restored: only then may the control have the focus.)
TEST_F(FormTest, ARestoreGivesNoFocusWhileAnotherWindowIsActive) {
  const HWND window = form_.WindowHandle();
  form_.UnitSetFocus(kCombo);
  SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  TestWindow other(300, 200, L"another window");
  Activate(other.hwnd());
  ASSERT_EQ(GetActiveWindow(), other.hwnd());
  g_focusSet.clear();
  {
    const WindowsHook watch(SetWindowsHookExW(WH_CBT, &WatchFocus, nullptr, GetCurrentThreadId()));
    ASSERT_TRUE(watch);
    ShowWindow(window, SW_SHOWNOACTIVATE);
  }
  ASSERT_FALSE(IsIconic(window));
  bool given = false;
  for (const auto& [to, active] : g_focusSet) {
    if (!IsChild(window, to)) continue;
    EXPECT_EQ(active, window) << "a control of the form given the focus while another window was active";
    given |= to == H(kCombo);
  }
  EXPECT_TRUE(given);
}
