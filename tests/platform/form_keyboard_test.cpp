// The form runtime's keys and focus on real windows: Tab and Shift+Tab
// through the stops, a radio group as one stop, windows that a skin lays
// round units as stops of their own, Enter in a push button, the focus kept
// through a box, and none held by the form minimised.
#include <gtest/gtest.h>

#include "platform/form.h"
#include "tests/platform/form_fixture.h"
#include "tests/support/win_test_support.h"

using namespace korvath::platform;
using namespace korvath::platform::formtest;
using namespace testsupport;

// A radio group with no button checked is one stop too: its first button,
// from before it and from after it.
TEST_F(FormTest, ARadioGroupWithNothingCheckedIsEnteredAtItsFirstButton) {
  form_.SetRadioChecked(kRadioA, false);
  ASSERT_FALSE(form_.RadioChecked(kRadioA) || form_.RadioChecked(kRadioB));
  form_.UnitSetFocus(kCombo);
  PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), H(kRadioA));
  PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), H(kButton));
  PressKey(VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), H(kRadioA));
}

// A window that a skin lays round a unit and that takes the focus itself is
// the stop after it; a key it hands to the form's window counts as pressed
// there. Enter in a push button presses it.
TEST_F(FormTest, AWindowRoundAUnitIsTheStopAfterItAndEnterPressesAButton) {
  HWND around = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 380, 200, 60,
                                form_.WindowHandle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SetParent(H(kEdit), around);
  form_.UnitSetFocus(kEdit);
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), around);
  SendMessageW(form_.WindowHandle(), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), H(kCombo));
  PressKey(VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), around);
  form_.UnitSetFocus(kButton);
  PressKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([] { return g_events[kButtonClick] == 1; }, 2000));
  EXPECT_EQ(GetFocus(), H(kButton));
}

// A window laid round the last unit is a stop too, the last one: Shift+Tab
// from the first stop goes round to it, Tab from that unit reaches it, and
// Tab from it goes round to the first stop.
TEST_F(FormTest, AWindowRoundTheLastUnitIsTheStopAfterIt) {
  HWND around = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 380, 200, 60,
                                form_.WindowHandle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SetParent(H(kButton), around);
  form_.UnitSetFocus(kEdit);
  PressKey(VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), around);
  form_.UnitSetFocus(kButton);
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), around);
  SendMessageW(form_.WindowHandle(), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), H(kEdit));
}

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
