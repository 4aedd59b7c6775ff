// Track bars: the selection within the range's limits, the tick placement
// read from the style, the fill up to the thumb and the thumb drawn over the
// channel (lying and standing), the hot thumb, the three pictures of picture
// mode with their hot states, the clip and the nudge, and one layer of
// subclassing.
#include "skin/control/trackbar_skin.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <vector>

#include "gdip/graphics.h"
#include "skin/control/control_installers.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "skin/draw/memory_dc.h"
#include "skin/draw/skin_picture.h"
#include "tests/skin/control/one_layer.h"
#include "tests/skin/control/shown.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/core/panel_fixture.h"
#include "tests/support/png_writer.h"

namespace korvath::skin {
namespace {

using testsupport::PixelBuffer;

constexpr uint32_t kBackgroundGrey = 0x808080;

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
    SkinEngine.options.SkinEnabled = true;
    SkinEngine.options.SkinThemeColor = 0xDDCA22;
    SkinEngine.options.SkinOptTrackbar = 1;
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
  fixture::SkinnedForm form_{300, 200, kBackgroundGrey};
};

// Asked for its client through WM_PRINTCLIENT, a track bar gives what its
// window shows.
TEST_F(TrackbarSkinTest, PrintingTheClientGivesWhatTheWindowShows) {
  const HWND bar = AddBar(TBS_BOTH);
  TrackbarSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  SendMessageW(bar, TBM_SETPOS, TRUE, 40);
  Repaint(bar);
  const PixelBuffer shown = test::Shown(bar);
  ASSERT_FALSE(shown.Empty());
  EXPECT_TRUE(testsupport::SameRgb(testsupport::PrintClient(bar), shown));
}

TEST_F(TrackbarSkinTest, TickPlacementFollowsTheStyleInItsOrder) {
  AddBar(TBS_NOTICKS | TBS_BOTH, 10);
  AddBar(TBS_TOP | TBS_BOTH, 50);
  AddBar(0, 90);
  AddBar(TBS_BOTH | TBS_ENABLESELRANGE, 130);
  TrackbarSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
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
  TrackbarSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
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
  TrackbarSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  TrackbarSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  ASSERT_TRUE(test::ForwardsPastTheSkin(bar, &TrackbarSkinWndProc));
  EXPECT_EQ(SkinRecordAt(form_.recordNumber())->Trackbars.size(), 1u);
  SendMessageW(bar, TBM_SETPOS, TRUE, 7);
  EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 7);
}

// ---- standing track bars and picture mode ----------------------------------------------------

bool Themed(uint32_t rgb) { return int((rgb >> 8) & 0xFF) > int((rgb >> 16) & 0xFF) + 60; }

// A standing track bar: the filled part runs down the middle of the window
// from the channel's top to the thumb, the thumb is white at the native
// thumb's middle, and nothing is drawn beside the channel.
TEST_F(TrackbarSkinTest, AStandingTrackBarFillsDownToItsThumb) {
  const HWND bar = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_VERT | TBS_NOTICKS, 20, 10,
                                   30, 180, form_.hwnd(), nullptr, nullptr, nullptr);
  SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
  SendMessageW(bar, TBM_SETPOS, TRUE, 50);
  TrackbarSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
  Repaint(bar);
  RECT thumb = {};
  SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  const int cx = (thumb.left + thumb.right) / 2, cy = (thumb.top + thumb.bottom) / 2;
  const PixelBuffer look = Shown(bar);
  int themedInStrip = 0;
  for (int x = cx - 3; x <= cx + 3; ++x) themedInStrip += Themed(look.RgbAt(x, thumb.top / 2));
  EXPECT_GE(themedInStrip, 1);
  for (int x = cx - 3; x <= cx + 3; ++x) EXPECT_FALSE(Themed(look.RgbAt(x, thumb.bottom + 10))) << x;
  for (int y = 5; y < 175; ++y) ASSERT_FALSE(Themed(look.RgbAt(cx + 9, y))) << y;
  EXPECT_GT((look.RgbAt(cx, cy) >> 16) & 0xFF, 0xE0u);
}

constexpr uint32_t kChannel = 0x2040C0, kFilled = 0xC02020, kThumb = 0x20A020;
constexpr uint32_t kHotChannel = 0x40C0C0, kHotFilled = 0xC0C020, kHotThumb = 0xA020A0;

// One colour, `along` x `across` pixels (standing: `across` wide and
// `along` high), cut by two divider lines across it so that it stretches
// along the track.
std::vector<uint8_t> BarPng(bool standing, int along, int across, uint32_t rgb) {
  const int w = standing ? across : along, h = standing ? along : across;
  std::vector<uint32_t> pixels(size_t(w) * h, 0xFF000000u | rgb);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if ((standing ? y : x) == 4 || (standing ? y : x) == along - 5) pixels[size_t(y) * w + x] = 0xFFFF00FFu;
  return testsupport::EncodePng(w, h, pixels);
}

SkinPicture Picture(std::vector<uint8_t> normal, std::vector<uint8_t> hot) {
  SkinPicture picture;
  SkinClearObjectField(picture);
  picture.LoadStates(normal, hot);
  return picture;
}

// Where a track bar's channel and thumb lie, along and across the track, in
// window coordinates.
struct Track {
  bool standing = false;
  int alongStart = 0, alongEnd = 0, acrossStart = 0, thickness = 0;
  int thumbAlong = 0, thumbLength = 0, thumbAcross = 0, thumbThickness = 0;

  static Track Of(HWND bar, bool standing) {
    RECT ch = {}, th = {};
    SendMessageW(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&ch));
    SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&th));
    // Windows reports a standing channel with its axes swapped, Wine does not.
    if (standing && ch.right - ch.left > ch.bottom - ch.top) ch = RECT{ch.top, ch.left, ch.bottom, ch.right};
    if (standing) {
      return {true, int(ch.top), int(ch.bottom), int(ch.left), int(ch.right - ch.left),
              int(th.top), int(th.bottom - th.top), int(th.left), int(th.right - th.left)};
    }
    return {false, int(ch.left), int(ch.right), int(ch.top), int(ch.bottom - ch.top),
            int(th.left), int(th.right - th.left), int(th.top), int(th.bottom - th.top)};
  }
  uint32_t At(const PixelBuffer& p, int along, int across) const {
    return standing ? p.RgbAt(across, along) : p.RgbAt(along, across);
  }
};

class TrackbarPictureTest : public TrackbarSkinTest, public ::testing::WithParamInterface<bool> {
 protected:
  TrackbarPictureTest() { SkinEngine.options.SkinOptTrackbar = 0; }
  bool standing() const { return GetParam(); }
  HWND AddPictureBar() {
    const HWND bar = standing() ? CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_VERT |
                                                      TBS_NOTICKS, 20, 10, 30, 180, form_.hwnd(), nullptr,
                                                  nullptr, nullptr)
                                : AddBar(TBS_NOTICKS);
    SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendMessageW(bar, TBM_SETPOS, TRUE, 40);
    TrackbarSkinInstall(*SkinRecordAt(form_.recordNumber()), form_.hwnd());
    return bar;
  }
  SkinPicture Channel() const {
    return Picture(BarPng(standing(), 40, 8, kChannel), BarPng(standing(), 40, 10, kHotChannel));
  }
  SkinPicture Filled() const {
    return Picture(BarPng(standing(), 40, 6, kFilled), BarPng(standing(), 40, 6, kHotFilled));
  }
  // The thumb: 4 along and 7 across, 6 along and 9 across when hot.
  SkinPicture Thumb() const {
    const auto solid = [&](int along, int across, uint32_t rgb) {
      return fixture::SolidPng(standing() ? across : along, standing() ? along : across, rgb);
    };
    return Picture(solid(4, 7, kThumb), solid(6, 9, kHotThumb));
  }
};

// The channel picture stretched over the channel's length, centred across
// it on its own thickness; the filled part's picture from the channel's
// start to the thumb's middle; the thumb picture in the middle of the native
// thumb along the track and, across it, nudged one pixel up (left) from
// (thickness - picture + 1) / 2. Nothing else is drawn.
TEST_P(TrackbarPictureTest, ThePicturesLieOnTheChannelTheFillAndTheThumb) {
  const HWND bar = AddPictureBar();
  ASSERT_TRUE(TrackbarSkinSetPictures(bar, Channel(), SkinPicture(), Filled()));
  Repaint(bar);
  const Track t = Track::Of(bar, standing());
  PixelBuffer look = Shown(bar);
  const int across = t.acrossStart + (t.thickness - 8) / 2, fillAcross = t.acrossStart + (t.thickness - 6) / 2;
  const int fillEnd = t.thumbAlong + t.thumbLength / 2;
  for (int a = t.alongStart; a < t.alongEnd; ++a) {
    ASSERT_EQ(t.At(look, a, across), kChannel) << a;
    ASSERT_EQ(t.At(look, a, across + 7), kChannel) << a;
    ASSERT_EQ(t.At(look, a, across - 1), kBackgroundGrey) << a;
    ASSERT_EQ(t.At(look, a, across + 8), kBackgroundGrey) << a;
    ASSERT_EQ(t.At(look, a, fillAcross), a < fillEnd ? kFilled : kChannel) << a;
    ASSERT_EQ(t.At(look, a, fillAcross + 5), a < fillEnd ? kFilled : kChannel) << a;
  }
  EXPECT_EQ(t.At(look, t.alongStart - 1, across + 2), kBackgroundGrey);
  EXPECT_EQ(t.At(look, t.alongEnd, across + 2), kBackgroundGrey);

  ASSERT_TRUE(TrackbarSkinSetPictures(bar, Channel(), Thumb(), Filled()));
  Repaint(bar);
  look = Shown(bar);
  const int thumbAlong = t.thumbAlong + (t.thumbLength - 4) / 2;
  const int thumbAcross = t.thumbAcross + (t.thumbThickness - 7 + 1) / 2 - 1;
  for (int a = thumbAlong - 1; a <= thumbAlong + 4; ++a) {
    for (int c = thumbAcross - 1; c <= thumbAcross + 7; ++c) {
      const bool inside = a >= thumbAlong && a < thumbAlong + 4 && c >= thumbAcross && c < thumbAcross + 7;
      ASSERT_EQ(t.At(look, a, c) == kThumb, inside) << a << ", " << c;
    }
  }
  // At the maximum the filled part covers the whole channel.
  SendMessageW(bar, TBM_SETPOS, TRUE, 100);
  Repaint(bar);
  look = Shown(bar);
  EXPECT_EQ(t.At(look, t.alongEnd - 1, fillAcross), kFilled);
  EXPECT_EQ(t.At(look, t.alongEnd, fillAcross), kBackgroundGrey);
}

// While the mouse is over the track bar each picture shows its hot state,
// with the hot state's own size; leaving brings the normal state back.
TEST_P(TrackbarPictureTest, TheHotStatesShowWhileTheMouseIsOver) {
  const HWND bar = AddPictureBar();
  ASSERT_TRUE(TrackbarSkinSetPictures(bar, Channel(), Thumb(), Filled()));
  const Track t = Track::Of(bar, standing());
  SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  const PixelBuffer hot = Shown(bar);
  const int across = t.acrossStart + (t.thickness - 10) / 2;
  const int last = t.alongEnd - 2;
  EXPECT_EQ(t.At(hot, last, across), kHotChannel);
  EXPECT_EQ(t.At(hot, last, across + 9), kHotChannel);
  EXPECT_EQ(t.At(hot, last, across + 10), kBackgroundGrey);
  EXPECT_EQ(t.At(hot, t.alongStart + 1, t.acrossStart + (t.thickness - 6) / 2), kHotFilled);
  const int thumbAlong = t.thumbAlong + (t.thumbLength - 6) / 2;
  const int thumbAcross = t.thumbAcross + (t.thumbThickness - 9 + 1) / 2 - 1;
  EXPECT_EQ(t.At(hot, thumbAlong, thumbAcross), kHotThumb);
  EXPECT_EQ(t.At(hot, thumbAlong + 5, thumbAcross + 8), kHotThumb);
  EXPECT_NE(t.At(hot, thumbAlong + 6, thumbAcross + 8), kHotThumb);
  SendMessageW(bar, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(t.At(Shown(bar), last, t.acrossStart + (t.thickness - 8) / 2), kChannel);
}

INSTANTIATE_TEST_SUITE_P(LyingAndStanding, TrackbarPictureTest, ::testing::Bool());

// The painter on its own: a clip keeps every part inside it, in both modes;
// without the nudge the thumb picture sits two pixels lower than with it.
TEST_F(TrackbarSkinTest, TheClipHoldsEveryPartAndTheNudgeMovesTheThumbUp) {
  const SkinPicture channel = Picture(BarPng(false, 40, 8, kChannel), BarPng(false, 40, 8, kChannel));
  const SkinPicture filled = Picture(BarPng(false, 40, 6, kFilled), BarPng(false, 40, 6, kFilled));
  const SkinPicture thumb = Picture(fixture::SolidPng(5, 7, kThumb), fixture::SolidPng(5, 7, kThumb));
  TrackbarParts parts;
  parts.width = 200;
  parts.height = 30;
  parts.channel = RECT{8, 9, 192, 13};
  parts.thumb = RECT{94, 2, 105, 23};
  parts.position = 50;
  parts.maximum = 100;
  parts.channelPicture = &channel;
  parts.thumbPicture = &thumb;
  parts.filledPicture = &filled;
  const auto draw = [&] {
    SkinMemoryDc dc = SkinMemoryDc::Create(200, 30);
    gdip::Graphics g;
    if (g.FromHDC(dc.get())) TrackbarSkinDrawParts(g, parts);
    return testsupport::CaptureDC(dc.get(), 0, 0, 200, 30);
  };
  const auto thumbTop = [](const PixelBuffer& p) {
    for (int y = 0; y < 30; ++y)
      if (p.RgbAt(98, y) == kThumb) return y;
    return -1;
  };
  for (const bool pictures : {false, true}) {
    SCOPED_TRACE(pictures);
    parts.pictureMode = pictures;
    parts.clip.reset();
    const PixelBuffer whole = draw();
    EXPECT_NE(whole.RgbAt(150, 11), 0u);
    // The filled part and the thumb reach past x = 90.
    parts.clip = RECT{0, 0, 90, 30};
    const PixelBuffer clipped = draw();
    for (int y = 0; y < 30; ++y)
      for (int x = 90; x < 200; ++x) ASSERT_EQ(clipped.RgbAt(x, y), 0u) << x << ", " << y;
    EXPECT_EQ(clipped.RgbAt(60, 11), whole.RgbAt(60, 11));
  }
  parts.clip.reset();
  parts.nudge = true;
  const int nudged = thumbTop(draw());
  parts.nudge.reset();
  EXPECT_EQ(nudged, 2 + (21 - 7 + 1) / 2 - 1);
  EXPECT_EQ(thumbTop(draw()), nudged + 2);
}

}  // namespace
}  // namespace korvath::skin
