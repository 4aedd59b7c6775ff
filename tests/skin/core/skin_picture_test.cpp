#include "skin/core/skin_picture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "tests/skin/core/image_bytes.h"

namespace {

using namespace korvath::skin;
using korvath::gdip::Argb;

constexpr uint32_t kKey = 0xFFFF00FF;
constexpr uint32_t kUnused = 0xFF123456;  // pixels that belong to no piece

// Opaque colour of a region of the example picture: column c, row r (0 left
// or top, 1 middle, 2 right or bottom).
constexpr uint32_t Region(int c, int r) { return 0xFF000000u | uint32_t(c * 80 + 40) << 16 | uint32_t(r * 80 + 40) << 8 | 0x20; }
// The first column of the top edge, to see where its tiling starts.
constexpr uint32_t kTopEdgeMarker = 0xFFF0F0F0;

int RegionOf(int v, int first, int second, int size) {
  if (v < first - 1) return 0;
  if (v > first && v < second) return 1;
  if (v > second && v < size) return 2;
  return -1;
}

// A picture with divider lines across its full size at x, y = first and
// second (the example of a 20 x 20 picture with lines at 5 and 14).
std::vector<uint8_t> GridPicture(int w, int h, int first, int second) {
  std::vector<uint32_t> px(size_t(w) * h, kUnused);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t& p = px[size_t(y) * w + x];
      if (x == first || x == second || y == first || y == second) {
        p = kKey;
        continue;
      }
      const int c = RegionOf(x, first, second, w);
      const int r = RegionOf(y, first, second, h);
      if (c < 0 || r < 0) continue;
      p = (c == 1 && r == 0 && x == first + 1) ? kTopEdgeMarker : Region(c, r);
    }
  }
  return testsupport::EncodePng(w, h, px);
}

std::vector<uint8_t> Picture(int w, int h, const std::function<uint32_t(int, int)>& colour) {
  std::vector<uint32_t> px(size_t(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) px[size_t(y) * w + x] = colour(x, y);
  }
  return testsupport::EncodePng(w, h, px);
}

// Draws a state into a transparent canvas and gives the canvas.
std::unique_ptr<korvath::gdip::Bitmap> Draw(const SkinPicture& picture, int state, int canvasW, int canvasH) {
  auto canvas = std::make_unique<korvath::gdip::Bitmap>();
  canvas->CreateWithFormat(canvasW, canvasH);
  korvath::gdip::Graphics graphics;
  graphics.FromImage(*canvas);
  switch (state) {
    case 1: picture.DrawState1(graphics); break;
    case 2: picture.DrawState2(graphics); break;
    case 3: picture.DrawState3(graphics); break;
    default: picture.DrawState4(graphics); break;
  }
  return canvas;
}

struct Expected {
  int w, h;
};

TEST(SkinPictureTest, ExampleIsCutIntoTheNinePiecesOfItsDividers) {
  SkinPicture picture;
  std::vector<SkinPicturePiece> pieces;
  EXPECT_EQ(picture.LoadPicture(GridPicture(20, 20, 5, 14), pieces), 0x00140014);
  ASSERT_EQ(pieces.size(), 9u);
  const Expected sizes[9] = {{4, 4}, {4, 5}, {5, 4}, {5, 5}, {4, 8}, {8, 4}, {5, 8}, {8, 5}, {8, 8}};
  const uint32_t colours[9] = {Region(0, 0), Region(0, 2), Region(2, 0), Region(2, 2), Region(0, 1),
                               Region(1, 0), Region(2, 1), Region(1, 2), Region(1, 1)};
  for (int k = 0; k < 9; ++k) {
    EXPECT_EQ(pieces[k].width, sizes[k].w) << k;
    EXPECT_EQ(pieces[k].height, sizes[k].h) << k;
    const auto decoded = korvath::skin::test::DecodeImage(pieces[k].picture);
    ASSERT_EQ(decoded.width, sizes[k].w) << k;
    ASSERT_EQ(decoded.height, sizes[k].h) << k;
    // Its last pixel is never a divider or an unused pixel.
    EXPECT_EQ(decoded.At(decoded.width - 1, decoded.height - 1), colours[k]) << k;
  }
}

TEST(SkinPictureTest, ExampleDrawnPutsCornersAtTheirSizeAndTilesTheRest) {
  SkinPicture picture;
  picture.LoadStates(GridPicture(20, 20, 5, 14));
  picture.SetBounds(0, 0, 100, 30);
  auto canvas = Draw(picture, 1, 100, 30);
  const struct {
    int x, y;
    uint32_t colour;
  } probes[] = {
      {1, 1, Region(0, 0)},    {3, 3, Region(0, 0)},    {1, 27, Region(0, 2)},  {97, 1, Region(2, 0)},
      {97, 27, Region(2, 2)},  {2, 15, Region(0, 1)},   {5, 2, Region(1, 0)},   {97, 15, Region(2, 1)},
      {50, 27, Region(1, 2)},  {50, 15, Region(1, 1)},  {94, 24, Region(1, 1)}, {4, 2, kTopEdgeMarker},
      {12, 2, kTopEdgeMarker}, {92, 2, kTopEdgeMarker}, {13, 2, Region(1, 0)},
  };
  for (const auto& p : probes) {
    EXPECT_EQ(canvas->GetPixel(p.x, p.y), p.colour) << p.x << "," << p.y;
  }
}

TEST(SkinPictureTest, PictureWithoutDividersIsDrawnOnceUnscaled) {
  SkinPicture picture;
  std::vector<SkinPicturePiece> pieces;
  const auto bytes = Picture(10, 8, [](int, int) { return 0xFF3366AAu; });
  EXPECT_EQ(picture.LoadPicture(bytes, pieces), (8 << 16) | 10);
  EXPECT_EQ(pieces[SkinPicture::kTopLeft].width, 10);
  EXPECT_EQ(pieces[SkinPicture::kTopLeft].height, 8);
  for (int k = 1; k < 9; ++k) EXPECT_TRUE(pieces[k].picture.empty()) << k;

  picture.LoadStates(bytes);
  picture.SetBounds(0, 0, 50, 40);
  auto canvas = Draw(picture, 1, 50, 40);
  EXPECT_EQ(canvas->GetPixel(9, 7), 0xFF3366AAu);
  EXPECT_EQ(canvas->GetPixel(11, 3), 0u);
  EXPECT_EQ(canvas->GetPixel(3, 9), 0u);
  EXPECT_EQ(canvas->GetPixel(45, 35), 0u);
}

TEST(SkinPictureTest, MagentaAtAnotherAlphaIsNoDivider) {
  SkinPicture picture;
  std::vector<SkinPicturePiece> pieces;
  const auto bytes = Picture(20, 20, [](int x, int y) { return (x == 5 || y == 5) ? 0x80FF00FFu : 0xFF00AA00u; });
  picture.LoadPicture(bytes, pieces);
  EXPECT_EQ(pieces[SkinPicture::kTopLeft].width, 20);
  EXPECT_EQ(pieces[SkinPicture::kTopLeft].height, 20);
}

TEST(SkinPictureTest, DividersInTheSecondRowOnlyMakeAHorizontalThreeSlice) {
  const int h = 10;
  const auto bytes = Picture(20, h, [](int x, int y) -> uint32_t {
    if (y == 1 && (x == 5 || x == 14)) return kKey;
    if (x < 4) return 0xFF0000AA;
    if (x > 5 && x < 14) return 0xFF00AA00;
    if (x > 14) return 0xFFAA0000;
    return kUnused;
  });
  SkinPicture picture;
  picture.LoadStates(bytes);
  picture.SetBounds(0, 0, 60, 30);
  auto canvas = Draw(picture, 1, 60, 30);
  EXPECT_EQ(canvas->GetPixel(1, 5), 0xFF0000AAu);
  EXPECT_EQ(canvas->GetPixel(30, 5), 0xFF00AA00u);
  EXPECT_EQ(canvas->GetPixel(58, 5), 0xFFAA0000u);
  // The height stretches nothing.
  EXPECT_EQ(canvas->GetPixel(1, h + 3), 0u);
  EXPECT_EQ(canvas->GetPixel(30, h + 3), 0u);
}

TEST(SkinPictureTest, RightSideWithoutDividersMirrorsTheLeftRows) {
  // Dividers in the second row and column, but the last column has none.
  const auto bytes = Picture(20, 20, [](int x, int y) -> uint32_t {
    if ((x == 5 || x == 14 || y == 5 || y == 14) && x < 19) return kKey;
    return 0xFF808080;
  });
  SkinPicture picture;
  std::vector<SkinPicturePiece> pieces;
  picture.LoadPicture(bytes, pieces);
  EXPECT_EQ(pieces[SkinPicture::kTopRight].width, 5);
  EXPECT_EQ(pieces[SkinPicture::kTopRight].height, 4);
  EXPECT_EQ(pieces[SkinPicture::kBottomRight].width, 5);
  EXPECT_EQ(pieces[SkinPicture::kBottomRight].height, 5);
  EXPECT_FALSE(pieces[SkinPicture::kBottomRight].picture.empty());
}

TEST(SkinPictureTest, NarrowDestinationOverlapsTheCornersTopRightOnTop) {
  SkinPicture picture;
  picture.LoadStates(GridPicture(20, 20, 5, 14));
  picture.SetBounds(0, 0, 6, 30);
  auto canvas = Draw(picture, 1, 20, 30);
  EXPECT_EQ(canvas->GetPixel(0, 1), Region(0, 0));
  EXPECT_EQ(canvas->GetPixel(2, 1), Region(2, 0));
  EXPECT_EQ(canvas->GetPixel(2, 27), Region(2, 2));
}

TEST(SkinPictureTest, LoadingOnlyTheFirstStateCopiesItAndTakesTheDefaults) {
  SkinPicture picture;
  EXPECT_TRUE(picture.LoadStates(GridPicture(20, 20, 5, 14)));
  EXPECT_TRUE(picture.GetField1());
  EXPECT_EQ(picture.GetField2(), 10);
  EXPECT_EQ(picture.GetField3(), 3);
  for (const SkinPictureSize& size : {picture.GetStateSize1(), picture.GetStateSize2(),
                                      picture.GetStateSize3(), picture.GetStateSize4()}) {
    EXPECT_EQ(size, (SkinPictureSize{20, 20}));
  }
  picture.SetBounds(0, 0, 40, 40);
  for (int state = 2; state <= 4; ++state) {
    auto canvas = Draw(picture, state, 40, 40);
    EXPECT_EQ(canvas->GetPixel(1, 1), Region(0, 0)) << state;
    EXPECT_EQ(canvas->GetPixel(20, 20), Region(1, 1)) << state;
  }
  SkinClearObjectField(picture);
  EXPECT_FALSE(picture.GetField1());
}

TEST(SkinPictureTest, EachStateKeepsItsOwnPictureSizeAndValues) {
  SkinPicture picture;
  const auto wide = Picture(300, 40, [](int, int) { return 0xFF202020u; });
  const auto other = Picture(30, 12, [](int, int) { return 0xFF00FF00u; });
  std::vector<SkinPicturePiece> pieces;
  EXPECT_EQ(picture.LoadPicture(wide, pieces), 0x0028012C);
  picture.LoadStates(wide, other, std::nullopt, std::nullopt, 6, 1);
  EXPECT_EQ(picture.GetStateSize1(), (SkinPictureSize{300, 40}));
  EXPECT_EQ(picture.GetStateSize2(), (SkinPictureSize{30, 12}));
  EXPECT_EQ(picture.GetStateSize3(), (SkinPictureSize{300, 40}));
  EXPECT_EQ(picture.GetField2(), 6);
  EXPECT_EQ(picture.GetField3(), 1);
  picture.SetBounds(0, 0, 50, 50);
  EXPECT_EQ(Draw(picture, 2, 50, 50)->GetPixel(5, 5), 0xFF00FF00u);
  EXPECT_EQ(Draw(picture, 3, 50, 50)->GetPixel(5, 5), 0xFF202020u);
}

TEST(SkinPictureTest, UndecodableBytesGiveEmptyPiecesAndNoSize) {
  SkinPicture picture;
  std::vector<SkinPicturePiece> pieces;
  const std::vector<uint8_t> junk = {1, 2, 3, 4, 5};
  EXPECT_EQ(picture.LoadPicture(junk, pieces), 0);
  ASSERT_EQ(pieces.size(), 9u);
  for (const auto& piece : pieces) EXPECT_TRUE(piece.picture.empty());
  EXPECT_TRUE(picture.LoadStates(junk));
  EXPECT_EQ(picture.GetStateSize1(), (SkinPictureSize{0, 0}));
  picture.SetBounds(0, 0, 20, 20);
  EXPECT_EQ(Draw(picture, 1, 20, 20)->GetPixel(10, 10), 0u);
}

TEST(SkinPictureTest, CopyDrawsTheSameAfterTheOriginalIsGone) {
  auto original = std::make_unique<SkinPicture>();
  original->LoadStates(GridPicture(20, 20, 5, 14));
  SkinPicture copy = *original;
  original.reset();
  copy.SetBounds(0, 0, 100, 30);
  auto canvas = Draw(copy, 1, 100, 30);
  EXPECT_EQ(canvas->GetPixel(1, 1), Region(0, 0));
  EXPECT_EQ(canvas->GetPixel(50, 15), Region(1, 1));
  EXPECT_EQ(canvas->GetPixel(97, 27), Region(2, 2));
}

}  // namespace
