#include "skin/core/skin_picture.h"

#include <gtest/gtest.h>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "tests/skin/core/image_bytes.h"

namespace {

using namespace korvath::skin;

constexpr uint32_t kKey = 0xFFFF00FF;
// Opaque colour of region (column c, row r) of a 20 x 20 picture with
// divider lines across it at 5 and 14; 0, 1, 2 = left or top, middle, right
// or bottom. The top edge's first column is marked, to see where tiling starts.
constexpr uint32_t Region(int c, int r) { return 0xFF000000u | uint32_t(c * 80 + 40) << 16 | uint32_t(r * 80 + 40) << 8 | 0x20; }
constexpr uint32_t kTopEdgeMarker = 0xFFF0F0F0;

std::vector<uint8_t> GridPicture() {
  auto region = [](int v) { return v < 4 ? 0 : v > 5 && v < 14 ? 1 : v > 14 ? 2 : -1; };
  std::vector<uint32_t> px(20 * 20, 0xFF123456);  // pixels that belong to no piece
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      uint32_t& p = px[size_t(y) * 20 + x];
      if (x == 5 || x == 14 || y == 5 || y == 14) p = kKey;
      else if (region(x) >= 0 && region(y) >= 0) p = (x == 6 && y < 4) ? kTopEdgeMarker : Region(region(x), region(y));
    }
  }
  return testsupport::EncodePng(20, 20, px);
}

TEST(SkinPictureTest, TheExampleIsCutIntoNinePiecesCornersDrawnAtTheirSizeTheRestTiled) {
  SkinPicture picture;
  std::vector<SkinPicturePiece> pieces;
  EXPECT_EQ(picture.LoadPicture(GridPicture(), pieces), 0x00140014);
  ASSERT_EQ(pieces.size(), 9u);
  const struct {
    int w, h;
    uint32_t colour;
  } expected[9] = {{4, 4, Region(0, 0)}, {4, 5, Region(0, 2)}, {5, 4, Region(2, 0)}, {5, 5, Region(2, 2)},
                   {4, 8, Region(0, 1)}, {8, 4, Region(1, 0)}, {5, 8, Region(2, 1)}, {8, 5, Region(1, 2)},
                   {8, 8, Region(1, 1)}};
  for (int k = 0; k < 9; ++k) {
    SCOPED_TRACE(k);
    const auto decoded = test::DecodeImage(pieces[k].picture);
    ASSERT_EQ(decoded.width, expected[k].w);
    ASSERT_EQ(decoded.height, expected[k].h);
    // Its last pixel is never a divider or an unused pixel.
    EXPECT_EQ(decoded.At(decoded.width - 1, decoded.height - 1), expected[k].colour);
  }

  picture.LoadStates(GridPicture());
  picture.SetBounds(0, 0, 100, 30);
  korvath::gdip::Bitmap canvas;
  canvas.CreateWithFormat(100, 30);
  korvath::gdip::Graphics graphics;
  graphics.FromImage(canvas);
  picture.DrawState1(graphics);
  const struct {
    int x, y;
    uint32_t colour;
  } probes[] = {
      {1, 1, Region(0, 0)},    {3, 3, Region(0, 0)},    {1, 27, Region(0, 2)},  {97, 1, Region(2, 0)},
      {97, 27, Region(2, 2)},  {2, 15, Region(0, 1)},   {5, 2, Region(1, 0)},   {97, 15, Region(2, 1)},
      {50, 27, Region(1, 2)},  {50, 15, Region(1, 1)},  {94, 24, Region(1, 1)}, {4, 2, kTopEdgeMarker},
      {12, 2, kTopEdgeMarker}, {92, 2, kTopEdgeMarker}, {13, 2, Region(1, 0)},
  };
  for (const auto& p : probes) EXPECT_EQ(canvas.GetPixel(p.x, p.y), p.colour) << p.x << "," << p.y;
}

}  // namespace
