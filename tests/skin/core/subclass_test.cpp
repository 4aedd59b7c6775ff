// The one installer guard, called directly: every installer looks first and
// skips a skinned window, so only a direct call shows that the subclass
// itself refuses a window that a skin holds already.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/core/subclass.h"
#include "skin/core/window_props.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;

constexpr UINT kCount = WM_APP + 7;  // every skin procedure counts it, then hands it on

int g_first = 0;
int g_second = 0;

LRESULT CALLBACK FirstSkin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCount) ++g_first;
  return SkinForward(window, message, wParam, lParam);
}

LRESULT CALLBACK ControlLayerSkin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCount) ++g_first;
  return SkinForward(window, message, wParam, lParam, kControlLayerSlot);
}

LRESULT CALLBACK SecondSkin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCount) ++g_second;
  return SkinForward(window, message, wParam, lParam);
}

WNDPROC Slot(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

// A window that a skin holds in the skin slot is refused by a second skin,
// also one that may stand over another skin: the numbers, the saved
// procedure and the window's procedure stay the first skin's, and a message
// passes each procedure once.
TEST(SkinSubclass, RefusesAWindowThatASkinHoldsInItsSlot) {
  testsupport::TestWindow form(100, 80, L"subclass");
  HWND button = form.AddChild(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 5, 5, 40, 20);
  const WNDPROC own = Slot(button);
  ASSERT_EQ(SkinSubclass(button, {.procedure = &FirstSkin, .ownerNumber = 1, .entryNumber = 3}), own);
  for (const bool overAnotherSkin : {false, true}) {
    SCOPED_TRACE(overAnotherSkin);
    EXPECT_EQ(SkinSubclass(button, {.procedure = &SecondSkin, .ownerNumber = 2, .entryNumber = 9,
                                    .overAnotherSkin = overAnotherSkin}),
              nullptr);
    EXPECT_EQ(Slot(button), &FirstSkin);
    EXPECT_EQ(GetSkinPropHandle<WNDPROC>(button, prop::Hw_hProc), own);
    EXPECT_EQ(SkinSlotNumber(button), 3);
    EXPECT_EQ(SkinSlotOwner(button), 1);
  }
  ASSERT_EQ(Slot(button), &FirstSkin);
  g_first = g_second = 0;
  SendMessageW(button, kCount, 0, 0);
  EXPECT_EQ(g_first, 1);
  EXPECT_EQ(g_second, 0);
}

// A window that the control layer holds is refused by every other skin
// unless that skin stands in front of another skin; then both see a message
// once, the front one first.
TEST(SkinSubclass, RefusesAWindowOfTheOtherLayerUnlessItStandsOverAnotherSkin) {
  testsupport::TestWindow form(100, 80, L"subclass");
  HWND group = form.AddChild(L"BUTTON", L"g", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 5, 5, 80, 60);
  const WNDPROC own = Slot(group);
  ASSERT_EQ(SkinSubclass(group, {.procedure = &ControlLayerSkin, .entryNumber = 4, .slot = &kControlLayerSlot}), own);
  EXPECT_EQ(SkinSubclass(group, {.procedure = &SecondSkin, .entryNumber = 9}), nullptr);
  EXPECT_EQ(Slot(group), &ControlLayerSkin);
  EXPECT_EQ(GetSkinProp(group, prop::Hw_hProc), 0);
  EXPECT_EQ(SkinSlotNumber(group), 0);

  EXPECT_EQ(SkinSubclass(group, {.procedure = &SecondSkin, .entryNumber = 9, .overAnotherSkin = true}),
            &ControlLayerSkin);
  EXPECT_EQ(Slot(group), &SecondSkin);
  g_first = g_second = 0;
  SendMessageW(group, kCount, 0, 0);
  EXPECT_EQ(g_first, 1);
  EXPECT_EQ(g_second, 1);
}

}  // namespace
