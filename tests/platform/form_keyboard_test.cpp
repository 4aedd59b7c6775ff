// The form runtime's keys on real windows: Tab and Shift+Tab through the
// stops, a radio group as one stop that the arrow keys go round, windows
// that a skin lays round units as stops of their own, Enter in a push
// button, and Esc in a form that asks not to be closed by it (the focus kept
// across activation is in form_focus_test.cpp).
#include <gtest/gtest.h>

#include <utility>

#include "platform/form.h"
#include "tests/platform/form_fixture.h"
#include "tests/support/win_test_support.h"

using namespace korvath::platform;
using namespace korvath::platform::formtest;
using namespace testsupport;

namespace {

// A window laid round `unit` that takes the focus itself, as a skin lays a
// panel round a field.
HWND LayRound(const Form& form, int unit) {
  HWND around = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 380, 200, 60,
                                form.WindowHandle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SetParent(form.UnitGetHandle(unit), around);
  return around;
}

// Tab reaches `around`; a Tab that it hands to the form's window goes on to
// `next`, and Shift+Tab from there comes back to it.
void ExpectStopBefore(const Form& form, HWND around, HWND next) {
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), around);
  SendMessageW(form.WindowHandle(), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), next);
  PressKey(VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), around);
}

}  // namespace

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
  HWND around = LayRound(form_, kEdit);
  form_.UnitSetFocus(kEdit);
  ExpectStopBefore(form_, around, H(kCombo));
  form_.UnitSetFocus(kButton);
  PressKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([] { return g_events[kButtonClick] == 1; }, 2000));
  EXPECT_EQ(GetFocus(), H(kButton));
}

// A window laid round the last unit is a stop too, the last one: Shift+Tab
// from the first stop goes round to it, Tab from that unit reaches it, and
// Tab from it goes round to the first stop.
TEST_F(FormTest, AWindowRoundTheLastUnitIsTheStopAfterIt) {
  HWND around = LayRound(form_, kButton);
  form_.UnitSetFocus(kEdit);
  PressKey(VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), around);
  form_.UnitSetFocus(kButton);
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), around);
  SendMessageW(form_.WindowHandle(), WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(GetFocus(), H(kEdit));
}

// A radio button that has the focus without being on (pressed, and the
// mouse let go off it) is left by Tab and Shift+Tab for the stops around its
// group, not for the group's checked button.
TEST_F(FormTest, TabAndShiftTabFromARadioButtonLeaveItsGroup) {
  const struct {
    int checked, pressed;
    WORD modifier;
    int to;
  } cases[] = {{kRadioA, kRadioB, VK_SHIFT, kCombo}, {kRadioB, kRadioA, 0, kButton}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pressed);
    form_.SetRadioChecked(c.checked, true);
    RECT r;
    GetClientRect(H(c.pressed), &r);
    MouseDown(H(c.pressed), r.right / 2, r.bottom / 2);
    MouseUp(form_.WindowHandle(), 300, 440);
    ASSERT_EQ(GetFocus(), H(c.pressed));
    ASSERT_TRUE(form_.RadioChecked(c.checked));
    PressKey(VK_TAB, c.modifier);
    EXPECT_EQ(GetFocus(), H(c.to));
  }
}

// The arrow keys go round a radio group: in a group of two each moves to
// the other button, from either one, and turns it on with its click.
TEST_F(FormTest, TheArrowKeysGoRoundARadioGroup) {
  form_.UnitSetFocus(kRadioA);
  const std::pair<WORD, int> steps[] = {{VK_RIGHT, kRadioB}, {VK_DOWN, kRadioA}, {VK_UP, kRadioB}, {VK_LEFT, kRadioA}};
  int clicks = 0;
  for (const auto& [key, to] : steps) {
    SCOPED_TRACE(key);
    PressKey(key);
    EXPECT_EQ(GetFocus(), H(to));
    EXPECT_TRUE(form_.RadioChecked(to));
    EXPECT_TRUE(PumpUntil([&] { return g_events[kRadioClick] == clicks + 1; }, 2000));
    clicks = g_events[kRadioClick];
  }
}

// A window laid round several units (here round the group box, and with it
// the list and the radio buttons) is the stop after the last of them.
TEST_F(FormTest, AWindowRoundSeveralUnitsIsTheStopAfterTheLastOfThem) {
  HWND around = LayRound(form_, kGroup);
  form_.UnitSetFocus(kEdit);
  for (const int unit : {kCombo, kRadioA}) {
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), H(unit));
  }
  ExpectStopBefore(form_, around, H(kButton));
}

// A form that asks not to be closed by Esc stays, wherever Esc is pressed.
class FormKeptOnEscTest : public FormTest {
 protected:
  FormKeptOnEscTest() { description_.escapeCloses = false; }
};

TEST_F(FormKeptOnEscTest, EscClosesNoFormThatAsksNotToBe) {
  for (const int unit : {int(kEdit), int(kCombo), int(kButton), -1}) {
    SCOPED_TRACE(unit);
    SetFocus(unit < 0 ? form_.WindowHandle() : H(unit));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(form_.IsAlive());
    if (!form_.IsAlive()) return;
  }
}
