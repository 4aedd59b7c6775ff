// A few hundred cycles of the panel under the mouse (cycle_checks.h).
#include <gtest/gtest.h>

#include "tests/skin/core/cycle_checks.h"
#include "tests/skin/panel/panel_cycles.h"

namespace korvath::skin::cycles {
namespace {

TEST(PanelCycles, HoverPressReleaseAndRepaintGiveEverythingBack) {
  const Figures f = RunPanelCycles(kTestCycles);
  EXPECT_EQ(f.clicks, kTestCycles);
  ExpectNothingLeft(f);
}

}  // namespace
}  // namespace korvath::skin::cycles
