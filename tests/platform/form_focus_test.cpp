// The form runtime's focus on real windows, kept as a dialog keeps it: the
// control that had it has it again when a box over the form closes, when the
// form is active again after another window and when it is restored; a
// minimised form holds none. Keys are real ones.
#include <gtest/gtest.h>

#include "platform/form.h"
#include "tests/platform/form_fixture.h"
#include "tests/support/win_test_support.h"

using namespace korvath::platform;
using namespace korvath::platform::formtest;
using namespace testsupport;

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
// control. Restored, it gives the control its focus back.
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

