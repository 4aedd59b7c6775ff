#pragma once
// What the tests of the form runtime share: a centred borderless form with an
// edit box, a group box holding a combo box and a radio group, and a push
// button, made and activated for each test, and the count of each handler's
// runs.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <iterator>

#include "platform/form.h"
#include "tests/support/win_test_support.h"

namespace korvath::platform::formtest {

using namespace testsupport;

enum TestUnit : int { kEdit, kGroup, kCombo, kRadioA, kRadioB, kButton };
// Times each handler ran.
enum Event { kEditLostFocus, kEditChanged, kSelection, kRadioClick, kButtonClick, kShownAtCreationDone };
inline int g_events[6];

inline FormDescription Description() {
  const EventHandler radio = [] { ++g_events[kRadioClick]; };
  FormDescription d{.title = "test form", .width = 409, .height = 471, .centred = true, .nativeBorder = false,
                    .maximiseButton = false, .escapeCloses = true,
                    .onCreationDone = [] { g_events[kShownAtCreationDone] = IsWindowVisible(FindWindowW(nullptr, L"test form")); }};
  d.units = {{kEdit, "edit", UnitKind::EditBox, kOnWindow, 10, 10, 150, 20, {}, {}, 16, 0, false,
              {{UnitEvent::LostFocus, [] { ++g_events[kEditLostFocus]; }},
               {UnitEvent::ContentChanged, [] { ++g_events[kEditChanged]; }}}},
             {kGroup, "group", UnitKind::GroupBox, kOnWindow, 10, 50, 380, 200},
             {kCombo, "combo", UnitKind::ComboBox, kGroup, 10, 20, 100, 20, {}, {"10", "20", "Abc", "abd", "30"}, 0,
              0, false, {{UnitEvent::Selection, [] { ++g_events[kSelection]; }}}},
             {kRadioA, "a", UnitKind::RadioButton, kGroup, 10, 60, 80, 16, "A", {}, 0, 0, true, {{UnitEvent::Click, radio}}},
             {kRadioB, "b", UnitKind::RadioButton, kGroup, 110, 60, 80, 16, "B", {}, 0, 0, false, {{UnitEvent::Click, radio}}},
             {kButton, "button", UnitKind::PushButton, kOnWindow, 10, 300, 100, 30, "go", {}, 0, 0, false,
              {{UnitEvent::Click, [] { ++g_events[kButtonClick]; }}}}};
  return d;
}

inline void ClickMiddle(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  Click(window, r.right / 2, r.bottom / 2);
}

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::fill(std::begin(g_events), std::end(g_events), 0);
    ASSERT_TRUE(form_.Create(description_));
    Activate(form_.WindowHandle());
  }
  HWND H(int unit) const { return form_.UnitGetHandle(unit); }

  FormDescription description_ = Description();
  Form form_;
};

}  // namespace korvath::platform::formtest
