// The stress cycles, a few dozen of them: every count that a leaked object,
// window, timer, hook or thread would raise is back to its start, and no
// step of a cycle went wrong (the stress benchmark runs 10,000 and 1,000).
#include <gtest/gtest.h>

#include <cstdio>

#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/engine/start.h"
#include "tests/skin/stress/every_control_form.h"
#include "tests/skin/stress/stress_cycles.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin::test::stress {
namespace {

// Every tenth form cycle takes real input, the others sent messages.
constexpr int kFormCycles = 20;
constexpr int kBoxes = 20;
// Wine commits heap memory in steps: a little growth is no leak.
constexpr long kMemorySlackKb = 2048;

void ExpectEverythingBack(const Figures& f) {
  std::printf("%s", f.Describe().c_str());
  EXPECT_EQ(f.faults, 0) << (f.notes.empty() ? "" : f.notes.front());
  EXPECT_EQ(f.NotBack(), std::vector<std::string>{});
  EXPECT_LT(ValueOf(f.after, kPrivateMemoryKb), ValueOf(f.before, kPrivateMemoryKb) + kMemorySlackKb);
}

TEST(StressCycles, EveryControlFormOpenedUsedAndDestroyedLeavesNothing) {
  ExpectEverythingBack(RunFormCycles(kFormCycles, 10));
}

TEST(StressCycles, SkinnedMessageBoxesOpenedAndAnsweredLeaveNothing) {
  ExpectEverythingBack(RunMessageBoxCycles(kBoxes));
}

// In the see-through mode an open drop-down list is made layered and listed
// for the next theme change; it leaves the list with its combo box, so that
// the list does not grow with every combo box ever dropped down.
TEST(DropDownLists, ASeeThroughListIsListedOnceAndLeavesWithItsComboBox) {
  StartEngineForEveryControlForm();
  SkinSetOptions(true, 160);
  {
    EveryControlForm form;
    const HWND combo = form.controls().combo;
    COMBOBOXINFO info = {sizeof info};
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    for (int i = 0; i < 2; ++i) {
      SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
      testsupport::PumpMessages();
      SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    }
    EXPECT_EQ(SkinEngine.lists.LayeredDropDownList, std::vector<HWND>{info.hwndList});
    EXPECT_TRUE(GetWindowLongW(info.hwndList, GWL_EXSTYLE) & WS_EX_LAYERED);
    form.Destroy();
    testsupport::PumpMessages();
    EXPECT_TRUE(SkinEngine.lists.LayeredDropDownList.empty());
  }
  SkinEngineShutdown();
}

}  // namespace
}  // namespace korvath::skin::test::stress
