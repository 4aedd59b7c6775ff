// Progress bars: the filled length over the whole range with its low limit,
// the fill painted over the trough, the highlight sweep and its timer, and
// one layer of subclassing.
#include "skin/control/progress_skin.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "skin/control/control_installers.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "tests/skin/control/one_layer.h"
#include "tests/skin/control/shown.h"
#include "tests/skin/core/engine_fixture.h"
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
    SkinEngine.options.SkinEnabled = true;
    SkinEngine.options.SkinThemeColor = 0xDDCA22;
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
  ProgressSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
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

// Asked for its client through WM_PRINTCLIENT, a bar gives what its window
// shows, with or without a frame around the client.
TEST_F(ProgressSkinTest, PrintingTheClientGivesWhatTheWindowShows) {
  const HWND plain = AddBar(0, 200, 20);
  const HWND framed = CreateWindowExW(WS_EX_CLIENTEDGE, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 20,
                                      60, 200, 24, form_.hwnd(), nullptr, nullptr, nullptr);
  ProgressSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  RECT client = {};
  GetClientRect(framed, &client);
  ASSERT_LT(client.right, 200) << "the frame takes a part of the window";
  for (HWND bar : {plain, framed}) {
    SetPosition(bar, 50);
    const PixelBuffer shown = test::Shown(bar);
    ASSERT_FALSE(shown.Empty());
    EXPECT_TRUE(testsupport::SameRgb(testsupport::PrintClient(bar), shown)) << (bar == plain ? "plain" : "framed");
  }
  // The client is the whole bar's picture at the client's place, as the
  // frame's paint (which draws the whole window) shows it.
  SendMessageW(framed, WM_NCPAINT, 1, 0);
  const PixelBuffer whole = test::ShownWhole(framed);
  const PixelBuffer printed = testsupport::PrintClient(framed);
  POINT corner = {0, 0};
  MapWindowPoints(framed, nullptr, &corner, 1);
  RECT bounds = {};
  GetWindowRect(framed, &bounds);
  int differing = 0;
  for (int y = 0; y < printed.height; ++y)
    for (int x = 0; x < printed.width; ++x)
      differing += printed.RgbAt(x, y) != whole.RgbAt(x + corner.x - bounds.left, y + corner.y - bounds.top);
  EXPECT_EQ(differing, 0);
}

// A vertical bar fills from the bottom up.
TEST_F(ProgressSkinTest, AVerticalBarFillsFromTheBottom) {
  const HWND bar = AddBar(PBS_VERTICAL, 20, 200);
  ProgressSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
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
  ProgressSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  ProgressSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  ASSERT_TRUE(test::ForwardsPastTheSkin(bar, &ProgressSkinWndProc));
  EXPECT_EQ(SkinRecordAt(form_.recordNumber())->Progresses.size(), 1u);
  SendMessageW(bar, PBM_SETPOS, 42, 0);
  EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 42);
}

// The sweep, image 0 (90 wide, transparent over its top seven rows, whitest
// in its middle column and lower rows), over a bar filled to 150 of 200
// pixels: at each place it lightens the fill's lower middle under its own
// middle, leaves the fill's top rows, the fill beside it and the trough
// beyond the fill as they were.
TEST_F(ProgressSkinTest, TheSweepLightensTheFillWhereItStandsAndNowhereElse) {
  const HWND bar = AddBar(0, 200, 20);
  ProgressSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  SetPosition(bar, 75);
  const PixelBuffer plain = Shown(bar);
  ASSERT_TRUE(ProgressSkinSetSweep(bar, true));
  SkinProgressEntry& entry = SkinRecordAt(form_.recordNumber())->Progresses[0];
  EXPECT_EQ(entry.sweepWidth, 90);
  EXPECT_EQ(entry.sweepOffset, -90);
  KillTimer(bar, 1);  // the frames below are placed by hand
  const auto sum = [](uint32_t c) { return int(c & 0xFF) + int((c >> 8) & 0xFF) + int((c >> 16) & 0xFF); };
  const auto lighter = [&](uint32_t swept, uint32_t under) { return sum(swept) > sum(under) + 40; };
  for (const int offset : {-40, 30, 100}) {
    SCOPED_TRACE(offset);
    entry.sweepOffset = offset;
    InvalidateRect(bar, nullptr, FALSE);
    UpdateWindow(bar);
    const PixelBuffer swept = Shown(bar);
    const int middle = offset + 45;
    if (middle > 2) {
      EXPECT_TRUE(lighter(swept.RgbAt(middle, 15), plain.RgbAt(middle, 15)));
    }
    EXPECT_TRUE(ColorNear(swept.RgbAt(std::max(middle, 2), 3), plain.RgbAt(std::max(middle, 2), 3), 2));
    if (offset > 5) {
      EXPECT_TRUE(ColorNear(swept.RgbAt(offset - 3, 15), plain.RgbAt(offset - 3, 15), 2));
    }
    if (offset + 93 < 148) {
      EXPECT_TRUE(ColorNear(swept.RgbAt(offset + 93, 15), plain.RgbAt(offset + 93, 15), 2));
    }
    for (int x = 150; x < 197; ++x) ASSERT_TRUE(ColorNear(swept.RgbAt(x, 12), plain.RgbAt(x, 12), 2)) << x;
    if (offset < 0 || offset + 90 > 148) continue;
    // Whole inside the fill, the glow is even about its middle column
    // pair: the weight of what it adds centres on offset + 44.5.
    double weight = 0, moment = 0;
    for (int x = 0; x < 148; ++x) {
      const int added = sum(swept.RgbAt(x, 15)) - sum(plain.RgbAt(x, 15));
      weight += added;
      moment += added * double(x);
    }
    ASSERT_GT(weight, 0);
    EXPECT_NEAR(moment / weight, offset + 44.5, 0.25);
  }
  // The other two glows are images of their own.
  for (const auto& [image, width] : {std::pair{2, 126}, std::pair{5, 161}}) {
    ProgressSkinSetSweep(bar, true, image);
    EXPECT_EQ(entry.sweepWidth, width);
    KillTimer(bar, 1);
    entry.sweepOffset = 0;
    InvalidateRect(bar, nullptr, FALSE);
    UpdateWindow(bar);
    EXPECT_FALSE(ColorNear(Shown(bar).RgbAt(60, 17), plain.RgbAt(60, 17), 8)) << image;
  }
}

// A tick moves the sweep 5 pixels on and, once it reaches the bar's end,
// back to minus its width. The timer runs while the bar is shown and the
// sweep on: hiding the bar stops it, showing it starts it again, and it ends
// with the sweep. A vertical bar never sweeps.
TEST_F(ProgressSkinTest, TheSweepTimerStepsWhileTheBarIsShownAndEndsWithTheSweep) {
  const HWND bar = AddBar(0, 200, 20);
  const HWND upright = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | PBS_VERTICAL, 250, 20, 20,
                                       150, form_.hwnd(), nullptr, nullptr, nullptr);
  ProgressSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  SkinProgressEntry& entry = SkinRecordAt(form_.recordNumber())->Progresses[0];
  ASSERT_TRUE(ProgressSkinSetSweep(bar, true, 0, 30));
  KillTimer(bar, 1);
  entry.sweepOffset = 190;
  SendMessageW(bar, WM_TIMER, 1, 0);
  EXPECT_EQ(entry.sweepOffset, 195);
  SendMessageW(bar, WM_TIMER, 1, 0);
  EXPECT_EQ(entry.sweepOffset, -30);
  SendMessageW(bar, WM_TIMER, 1, 0);
  EXPECT_EQ(entry.sweepOffset, -25);

  const auto advances = [&] {
    const int from = entry.sweepOffset;
    return testsupport::PumpUntil([&] { return entry.sweepOffset != from; });
  };
  SetTimer(bar, 1, 30, nullptr);
  EXPECT_TRUE(advances());
  ShowWindow(bar, SW_HIDE);
  EXPECT_FALSE(KillTimer(bar, 1));  // gone already
  ShowWindow(bar, SW_SHOW);
  EXPECT_TRUE(advances());
  ProgressSkinSetSweep(bar, false);
  EXPECT_FALSE(KillTimer(bar, 1));
  // A tick that was on its way when the sweep ended changes nothing.
  SetTimer(bar, 1, 30, nullptr);
  const int stopped = entry.sweepOffset;
  SendMessageW(bar, WM_TIMER, 1, 0);
  EXPECT_EQ(entry.sweepOffset, stopped);
  EXPECT_FALSE(KillTimer(bar, 1));

  ASSERT_TRUE(ProgressSkinSetSweep(upright, true));
  EXPECT_FALSE(KillTimer(upright, 2));
  EXPECT_EQ(SkinRecordAt(form_.recordNumber())->Progresses[1].sweepOn, 1);
}

}  // namespace
}  // namespace korvath::skin
