// The skin picture: a picture cut into nine pieces by its divider lines,
// drawn in each of its states into the rectangle it is given.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "gdip/graphics.h"
#include "skin/draw/memory_dc.h"
#include "skin/draw/skin_picture.h"
#include "tests/skin/core/skinned_form.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;

// A 20 x 20 picture with divider lines across it at 5 and 14. Region (c, r)
// (0, 1, 2: left or top, middle, right or bottom) has its own colour, in two
// shades by the parity of the place in the region, so that a piece tiled
// from its corner and one stretched differ at every second pixel.
constexpr int kRegionStart[3] = {0, 6, 15};
constexpr int kRegionSize[3] = {4, 8, 5};
constexpr uint32_t Region(int c, int r, int x, int y) {
  return 0xFF000000u | uint32_t(c * 80 + 40) << 16 | uint32_t(r * 80 + 40) << 8 | ((x + y) % 2 ? 0xA0 : 0x20);
}
int RegionOf(int v) {
  for (int k = 0; k < 3; ++k) {
    if (v >= kRegionStart[k] && v < kRegionStart[k] + kRegionSize[k]) return k;
  }
  return -1;
}
std::vector<uint8_t> DividedPicture() {
  std::vector<uint32_t> grid(20 * 20, 0xFF123456);  // pixels that belong to no piece
  for (int i = 0; i < 400; ++i) {
    const int x = i % 20, y = i / 20, c = RegionOf(x), r = RegionOf(y);
    if (x == 5 || x == 14 || y == 5 || y == 14) grid[i] = 0xFFFF00FF;
    else if (c >= 0 && r >= 0) grid[i] = Region(c, r, x - kRegionStart[c], y - kRegionStart[r]);
  }
  return testsupport::EncodePng(20, 20, grid);
}

// What a state of DividedPicture drawn into (0, 0, 101, 31) shows: corners
// as they are, edges and centre repeated from their fill's corner. The right
// and bottom fills start one pixel past a whole number of their pieces, so
// that tiles laid from the picture's corner instead would show.
constexpr int kDrawnWidth = 101, kDrawnHeight = 31;
uint32_t NineGridPixel(int x, int y) {
  const int c = x < 4 ? 0 : x < 96 ? 1 : 2, r = y < 4 ? 0 : y < 26 ? 1 : 2;
  const int left[3] = {0, 4, 96}, top[3] = {0, 4, 26};
  return Region(c, r, (x - left[c]) % kRegionSize[c], (y - top[r]) % kRegionSize[r]) & 0xFFFFFF;
}

// The first pixel that `draw` leaves on a 101 x 31 surface that differs from
// `expected`; empty when none does.
template <class Draw>
std::string FirstDifferenceOf(Draw draw, uint32_t (*expected)(int, int)) {
  SkinMemoryDc dc = SkinMemoryDc::Create(kDrawnWidth, kDrawnHeight);
  {
    korvath::gdip::Graphics graphics;
    if (!graphics.FromHDC(dc.get())) return "no graphics";
    draw(graphics);
  }
  const auto shown = Pixels(dc.get(), kDrawnWidth, kDrawnHeight);
  for (int y = 0; y < kDrawnHeight; ++y) {
    for (int x = 0; x < kDrawnWidth; ++x) {
      if (shown.RgbAt(x, y) != expected(x, y)) {
        char text[80];
        snprintf(text, sizeof text, "(%d, %d): %06X, not %06X", x, y, shown.RgbAt(x, y), expected(x, y));
        return text;
      }
    }
  }
  return "";
}

// The first pixel of `state` drawn into (0, 0, 101, 31) that differs from
// `expected`.
std::string FirstDifference(const SkinPicture& picture, SkinPicture::State state,
                            uint32_t (*expected)(int, int)) {
  return FirstDifferenceOf(
      [&](korvath::gdip::Graphics& g) { SkinPictureDraw(g, picture, {0, 0, kDrawnWidth, kDrawnHeight}, state); },
      expected);
}

uint32_t Blank(int, int) { return 0; }
// A picture without dividers is all top-left corner.
uint32_t GreyCorner(int x, int y) { return x < 12 && y < 7 ? 0x808080 : 0; }

// Every pixel of every piece shows, so the cut and the tiling are both
// checked. A state without its own picture looks like the first; a copy
// keeps what it was copied from when the original is loaded anew.
TEST(SkinPictureTest, StatesKeepTheirSizesAndCopiesKeepTheirPieces) {
  SkinPicture picture;
  SkinClearObjectField(picture);
  EXPECT_FALSE(picture.GetField1());
  EXPECT_EQ(FirstDifference(picture, SkinPicture::kNormal, Blank), "");
  const auto grey = testsupport::EncodePng(12, 7, std::vector<uint32_t>(12 * 7, 0xFF808080));
  EXPECT_TRUE(picture.LoadStates(DividedPicture(), std::nullopt, grey));
  EXPECT_TRUE(picture.GetField1());
  EXPECT_EQ(picture.GetField2(), 10);
  EXPECT_EQ(picture.GetField3(), 3);
  EXPECT_EQ(picture.GetStateSize1(), (SkinPictureSize{20, 20}));
  EXPECT_EQ(picture.GetStateSize2(), (SkinPictureSize{20, 20}));
  EXPECT_EQ(picture.GetStateSize3(), (SkinPictureSize{12, 7}));
  EXPECT_EQ(picture.GetStateSize4(), (SkinPictureSize{20, 20}));
  const SkinPicture copy = picture;
  picture.LoadStates(grey, std::nullopt, std::nullopt, std::nullopt, 4, 2);
  EXPECT_EQ(picture.GetField2(), 4);
  EXPECT_EQ(picture.GetField3(), 2);
  EXPECT_EQ(picture.GetStateSize4(), (SkinPictureSize{12, 7}));
  EXPECT_EQ(FirstDifference(picture, SkinPicture::kHot, GreyCorner), "");
  EXPECT_EQ(copy.GetField2(), 10);
  EXPECT_EQ(copy.GetStateSize1(), (SkinPictureSize{20, 20}));
  for (auto state : {SkinPicture::kHot, SkinPicture::kDisabled}) {
    EXPECT_EQ(FirstDifference(copy, state, NineGridPixel), "") << state;
  }
  // Each state draws its own pieces into the rectangle last stored; a draw
  // into a rectangle stores it for the next.
  SkinPictureSetBounds(copy, 0, 0, kDrawnWidth, kDrawnHeight);
  auto state = [](const SkinPicture& p, SkinPicture::State s) {
    return [&p, s](korvath::gdip::Graphics& g) { SkinPictureDrawState(g, p, s); };
  };
  EXPECT_EQ(FirstDifferenceOf(state(copy, SkinPicture::kNormal), NineGridPixel), "");
  EXPECT_EQ(FirstDifferenceOf(state(copy, SkinPicture::kFocused), GreyCorner), "");
  EXPECT_EQ(FirstDifferenceOf(
                [&](korvath::gdip::Graphics& g) { SkinPictureDraw(g, picture, {200, 0, 9, 9}, SkinPicture::kNormal); },
                Blank),
            "");
  EXPECT_EQ(FirstDifferenceOf(state(picture, SkinPicture::kDisabled), Blank), "");
  SkinPictureSetBounds(picture, 0, 0, kDrawnWidth, kDrawnHeight);
  EXPECT_EQ(FirstDifferenceOf(state(picture, SkinPicture::kDisabled), GreyCorner), "");
}

}  // namespace
