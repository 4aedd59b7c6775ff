// Track bars: the selection within the range's limits, the tick placement
// read from the style, the fill up to the thumb and the thumb drawn over the
// channel, the hot thumb, and one layer of subclassing.
#include "skin/control/trackbar_skin.h"

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

using testsupport::PixelBuffer;

// The selection is placed from the range's minimum; an empty or reversed
// range has none.
TEST(TrackbarSelectionSpanTest, RunsFromTheMinimumAndNeedsARange) {
  const auto plain = TrackbarSelectionSpan(100, 20, 60, 0, 100);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->offset, 20);
  EXPECT_EQ(plain->length, 40);
  const auto raised = TrackbarSelectionSpan(100, 75, 125, 50, 150);
  ASSERT_TRUE(raised);
  EXPECT_EQ(raised->offset, 25);
  EXPECT_EQ(raised->length, 50);
  EXPECT_FALSE(TrackbarSelectionSpan(100, 0, 0, 0, 0));
  EXPECT_FALSE(TrackbarSelectionSpan(100, 0, 0, 10, 5));
}

class TrackbarSkinTest : public test::EngineTest {
 protected:
  TrackbarSkinTest() {
    SkinEnabled = true;
    SkinThemeColor = 0xDDCA22;
    SkinOptTrackbar = 1;
  }
  HWND AddBar(DWORD style, int y = 20) {
    return CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | style, 20, y, 200, 30, form_.hwnd(),
                           nullptr, nullptr, nullptr);
  }
  static PixelBuffer Shown(HWND window) { return test::ShownWhole(window); }
  static void Repaint(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
  }
  fixture::SkinnedForm form_{300, 200, 0x808080};
};

TEST_F(TrackbarSkinTest, TickPlacementFollowsTheStyleInItsOrder) {
  AddBar(TBS_NOTICKS | TBS_BOTH, 10);
  AddBar(TBS_TOP | TBS_BOTH, 50);
  AddBar(0, 90);
  AddBar(TBS_BOTH | TBS_ENABLESELRANGE, 130);
  TrackbarSkinInstall(form_.recordNumber(), form_.hwnd());
  const auto& bars = SkinRecordAt(form_.recordNumber())->Trackbars;
  ASSERT_EQ(bars.size(), 4u);
  EXPECT_EQ(bars[0].tickPlacement, 3);
  EXPECT_EQ(bars[1].tickPlacement, 0);
  EXPECT_EQ(bars[2].tickPlacement, 1);
  EXPECT_EQ(bars[3].tickPlacement, 2);
  EXPECT_TRUE(bars[3].selectionRange);
}

// The filled part in the theme colour runs from the channel's start to the
// thumb and no further; the thumb is white; it grows when the mouse comes.
TEST_F(TrackbarSkinTest, TheFillRunsUpToAWhiteThumbThatGrowsWhenHot) {
  const HWND bar = AddBar(TBS_NOTICKS);
  SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
  SendMessageW(bar, TBM_SETPOS, TRUE, 50);
  TrackbarSkinInstall(form_.recordNumber(), form_.hwnd());
  Repaint(bar);
  RECT channel = {}, thumb = {};
  SendMessageW(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  const int stripY = channel.top + (channel.bottom - channel.top - 4) / 2 + 1;
  const PixelBuffer look = Shown(bar);
  const auto themed = [](uint32_t rgb) { return int((rgb >> 8) & 0xFF) > int((rgb >> 16) & 0xFF) + 60; };
  EXPECT_TRUE(themed(look.RgbAt(channel.left + 10, stripY)));
  EXPECT_FALSE(themed(look.RgbAt(thumb.right + 4, stripY)));
  EXPECT_FALSE(themed(look.RgbAt(channel.right - 10, stripY)));
  const int cx = (thumb.left + thumb.right) / 2, cy = stripY + 1;
  EXPECT_GT((look.RgbAt(cx, cy) >> 16) & 0xFF, 0xE0u);

  SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(cx, cy));
  EXPECT_TRUE(SkinRecordAt(form_.recordNumber())->Trackbars[0].hot);
  const PixelBuffer hot = Shown(bar);
  int changed = 0;
  for (int x = cx - 8; x <= cx + 8; ++x)
    if (hot.RgbAt(x, cy) != look.RgbAt(x, cy)) ++changed;
  EXPECT_GT(changed, 0);
  SendMessageW(bar, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(SkinRecordAt(form_.recordNumber())->Trackbars[0].hot);
}

// A second run over the same parent adds nothing; the control still works.
TEST_F(TrackbarSkinTest, ASecondInstallAddsNoLayer) {
  const HWND bar = AddBar(0);
  TrackbarSkinInstall(form_.recordNumber(), form_.hwnd());
  TrackbarSkinInstall(form_.recordNumber(), form_.hwnd());
  EXPECT_EQ(SkinRecordAt(form_.recordNumber())->Trackbars.size(), 1u);
  SendMessageW(bar, TBM_SETPOS, TRUE, 7);
  EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 7);
}

}  // namespace
}  // namespace korvath::skin
