// Progress bars: the filled length over the whole range with its low limit,
// the fill painted over the trough, and one layer of subclassing.
#include "skin/control/progress_skin.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include "skin/control/control_installers.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/control/shown.h"
#include "tests/skin/core/panel_fixture.h"

namespace korvath::skin {
namespace {

using testsupport::ColorNear;
using testsupport::PixelBuffer;

// The fill follows (position - low) / (high - low), stays inside the bar and
// is empty for a range without span.
TEST(ProgressFillLengthTest, FollowsThePositionWithinTheRangeAndStaysInside) {
  EXPECT_EQ(ProgressFillLength(200, 50, 0, 100), 100);
  EXPECT_EQ(ProgressFillLength(200, 0, 0, 100), 0);
  EXPECT_EQ(ProgressFillLength(200, 60, 20, 100), 100);
  EXPECT_EQ(ProgressFillLength(200, 20, 20, 100), 0);
  EXPECT_EQ(ProgressFillLength(200, 150, 0, 100), 200);
  EXPECT_EQ(ProgressFillLength(200, -5, 0, 100), 0);
  EXPECT_EQ(ProgressFillLength(200, 5, 5, 5), 0);
  EXPECT_EQ(ProgressFillLength(200, 5, 10, 0), 0);
}

class ProgressSkinTest : public test::EngineTest {
 protected:
  ProgressSkinTest() {
    SkinEnabled = true;
    SkinThemeColor = 0xDDCA22;
  }
  HWND AddBar(DWORD style, int w, int h) {
    return CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | style, 20, 20, w, h, form_.hwnd(),
                           nullptr, nullptr, nullptr);
  }
  static PixelBuffer Shown(HWND window) { return test::ShownWhole(window); }
  static void SetPosition(HWND bar, int position) {
    SendMessageW(bar, PBM_SETPOS, WPARAM(position), 0);
    InvalidateRect(bar, nullptr, TRUE);
    UpdateWindow(bar);
  }
  fixture::SkinnedForm form_{300, 200, 0x808080};
};

// With a low limit of 20, positions 20, 50 and 80 of 20..80 fill nothing,
// half and all of a 200-pixel bar; the filled part differs from the trough
// beside it at the same height.
TEST_F(ProgressSkinTest, TheFillCoversTheRangeFromItsLowLimit) {
  const HWND bar = AddBar(0, 200, 20);
  SendMessageW(bar, PBM_SETRANGE32, 20, 80);
  ProgressSkinInstall(form_.recordNumber(), form_.hwnd());
  ASSERT_EQ(GetWindowLongPtrW(bar, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ProgressSkinWndProc));
  SetPosition(bar, 20);
  const uint32_t trough = Shown(bar).RgbAt(100, 10);
  EXPECT_TRUE(ColorNear(Shown(bar).RgbAt(10, 10), trough, 2));
  SetPosition(bar, 50);
  PixelBuffer half = Shown(bar);
  EXPECT_FALSE(ColorNear(half.RgbAt(90, 10), trough, 8));
  EXPECT_TRUE(ColorNear(half.RgbAt(110, 10), trough, 2));
  SetPosition(bar, 80);
  EXPECT_FALSE(ColorNear(Shown(bar).RgbAt(190, 10), trough, 8));
}

// A vertical bar fills from the bottom up.
TEST_F(ProgressSkinTest, AVerticalBarFillsFromTheBottom) {
  const HWND bar = AddBar(PBS_VERTICAL, 20, 200);
  ProgressSkinInstall(form_.recordNumber(), form_.hwnd());
  SetPosition(bar, 0);
  const uint32_t trough = Shown(bar).RgbAt(10, 150);
  SetPosition(bar, 50);
  const PixelBuffer half = Shown(bar);
  EXPECT_TRUE(ColorNear(half.RgbAt(10, 90), trough, 2));
  EXPECT_FALSE(ColorNear(half.RgbAt(10, 150), trough, 8));
}

// Installing again over the same parent adds nothing: messages still end in
// the bar's own procedure.
TEST_F(ProgressSkinTest, ASecondInstallAddsNoLayer) {
  const HWND bar = AddBar(0, 200, 20);
  ProgressSkinInstall(form_.recordNumber(), form_.hwnd());
  ProgressSkinInstall(form_.recordNumber(), form_.hwnd());
  EXPECT_EQ(SkinRecordAt(form_.recordNumber())->Progresses.size(), 1u);
  SendMessageW(bar, PBM_SETPOS, 42, 0);
  EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 42);
}

}  // namespace
}  // namespace korvath::skin
