#include "skin/core/image_strip.h"

#include <gtest/gtest.h>

#include "skin/core/glyph_strip.h"
#include "tests/skin/core/image_bytes.h"

namespace korvath::skin {
namespace {

using test::DecodeImage;
using testsupport::EncodePng;

constexpr uint32_t kMagenta = 0xFFFF00FFu;

// A strip whose pixel (x, y) is 0xFF000000 | (x << 8) | y, so that every
// pixel of a cell tells where it came from; `separators` are whole columns
// of `key`.
std::vector<uint8_t> StripPng(int width, int height, const std::vector<int>& separators = {},
                              uint32_t key = kMagenta) {
  std::vector<uint32_t> pixels(size_t(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels[size_t(y) * width + x] = 0xFF000000u | (x << 8) | y;
  for (int x : separators)
    for (int y = 0; y < height; ++y) pixels[size_t(y) * width + x] = key;
  return EncodePng(width, height, pixels);
}

// Cell n is a PNG of the strip's columns from `firstColumn` on.
void ExpectCellFromColumns(const ImageStrip& strip, int n, int firstColumn, int width, int height) {
  SCOPED_TRACE("cell " + std::to_string(n));
  EXPECT_EQ(strip.GetCellWidth(n), width);
  EXPECT_EQ(strip.GetCellHeight(n), height);
  const auto cell = DecodeImage(strip.GetCellPicture(n));
  ASSERT_EQ(cell.width, width);
  ASSERT_EQ(cell.height, height);
  EXPECT_EQ(cell.At(0, 0), 0xFF000000u | (firstColumn << 8));
  EXPECT_EQ(cell.At(width - 1, height - 1), 0xFF000000u | ((firstColumn + width - 1) << 8) | (height - 1));
}

TEST(ImageStripSplit, GlyphStripIsCutAtItsMagentaColumnsIntoSixCellsOf21By16) {
  ImageStrip strip;
  const auto png = GlyphStripPng();
  EXPECT_EQ(strip.Load(png), 6);
  EXPECT_EQ(strip.GetWidth(), 131);
  const auto whole = DecodeImage(std::vector<uint8_t>(png.begin(), png.end()));
  ASSERT_EQ(whole.width, 131);
  for (int n = 1; n <= 6; ++n) {
    SCOPED_TRACE("cell " + std::to_string(n));
    const auto cell = DecodeImage(strip.GetCellPicture(n));
    ASSERT_EQ(cell.width, 21);
    ASSERT_EQ(cell.height, 16);
    const int left = (n - 1) * 22;  // cells cover 0-20, 22-42, ... 110-130
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 21; ++x) ASSERT_EQ(cell.At(x, y), whole.At(left + x, y)) << x << "," << y;
    for (int y = 0; y < 16; ++y) EXPECT_NE(cell.At(20, y), kMagenta);
  }
}

TEST(ImageStripSplit, OnlyOpaqueKeyColumnsOnRowTwoPastColumnZeroCut) {
  const struct {
    std::vector<int> separators;
    uint32_t key;
    std::vector<int> widths;
  } cases[] = {
      {{}, kMagenta, {20}},
      {{9}, 0xFEFF00FFu, {20}},  // translucent magenta
      {{5, 6}, kMagenta, {5, 0, 13}},
      {{19}, kMagenta, {19, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.widths.size());
    ImageStrip strip;
    ASSERT_EQ(strip.Load(StripPng(20, 6, c.separators, c.key)), int(c.widths.size()));
    for (int n = 1, first = 0; n <= int(c.widths.size()); first += c.widths[n - 1] + 1, ++n) {
      if (c.widths[n - 1] > 0) ExpectCellFromColumns(strip, n, first, c.widths[n - 1], 6);
      else EXPECT_TRUE(strip.GetCellPicture(n).empty());
    }
  }
  std::vector<uint32_t> pixels(20 * 6, 0xFF101010u);
  for (int y = 0; y < 6; ++y) pixels[y * 20 + 0] = kMagenta;  // column 0
  pixels[1 * 20 + 7] = kMagenta;                              // row 1 only
  pixels[2 * 20 + 12] = kMagenta;                             // row 2 only: cuts
  pixels[2 * 20 + 15] = 0xFF0000FFu;                          // blue, the given key
  ImageStrip strip;
  EXPECT_EQ(strip.Load(EncodePng(20, 6, pixels)), 2);
  EXPECT_EQ(strip.GetCellWidth(1), 12);
  EXPECT_EQ(strip.Load(EncodePng(20, 6, pixels), RGB(0, 0, 255)), 2);
  EXPECT_EQ(strip.GetCellWidth(1), 15);
  EXPECT_EQ(strip.Load(std::vector<uint8_t>{1, 2, 3, 4, 5}), 1);  // no image: one empty cell
  EXPECT_TRUE(strip.GetCellPicture(1).empty());
}

TEST(ImageStripCells, LoadReplacesSplitAndAddCellAppendRemoveCellMovesUp) {
  ImageStrip strip;
  strip.Load(StripPng(20, 6, {9}));
  EXPECT_EQ(strip.Split(StripPng(30, 6, {4, 12})), 5);  // widths 4, 7, 17 after 9, 10
  EXPECT_EQ(strip.GetCellWidth(2), 10);
  const auto extra = StripPng(7, 11);
  EXPECT_EQ(strip.AddCell(extra), 6);
  EXPECT_EQ(strip.GetWidth(), 37);
  EXPECT_EQ(strip.GetCellPicture(6), extra);
  EXPECT_TRUE(strip.RemoveCell(4));
  ExpectCellFromColumns(strip, 4, 13, 17, 6);
  for (int n : {0, -1, 6, 1000}) {
    EXPECT_TRUE(strip.GetCellPicture(n).empty()) << n;
    EXPECT_EQ(strip.GetCellWidth(n), 0) << n;
    EXPECT_FALSE(strip.RemoveCell(n)) << n;
  }
  EXPECT_EQ(strip.Load(StripPng(20, 6)), 1);
}

TEST(ImageStripFixedSize, CutsEqualCellsWithOptionalGuides) {
  ImageStrip strip;
  EXPECT_EQ(strip.SplitByWidth(StripPng(25, 6), 10, false), 3);
  ExpectCellFromColumns(strip, 2, 10, 10, 6);
  EXPECT_EQ(strip.GetCellWidth(3), 10);  // past the edge: counts, without a picture
  EXPECT_TRUE(strip.GetCellPicture(3).empty());
  EXPECT_EQ(strip.SplitByHeight(StripPng(9, 12), 4, false), 3);
  EXPECT_EQ(DecodeImage(strip.GetCellPicture(3)).At(3, 1), 0xFF000000u | (3 << 8) | 9u);
  ASSERT_EQ(strip.SplitByWidth(StripPng(24, 16), 12, true), 2);
  const auto cell = DecodeImage(strip.GetCellPicture(2));
  // Lines at y = 8 - 1 and 8 + 1, x = 6 - 1 and 6 + 1; the rest untouched.
  for (auto [x, y] : {std::pair{1, 7}, {10, 9}, {5, 1}, {7, 14}}) EXPECT_EQ(cell.At(x, y), kMagenta);
  EXPECT_EQ(cell.At(1, 8), 0xFF000000u | (13 << 8) | 8);
  EXPECT_EQ(cell.At(6, 1), 0xFF000000u | (18 << 8) | 1);
}

// A cell size below 1 would step through the picture for ever.
TEST(ImageStripFixedSize, CellSizeBelowOneGivesNoCells) {
  ImageStrip strip;
  strip.Load(StripPng(20, 6, {9}));
  EXPECT_EQ(strip.SplitByWidth(StripPng(20, 6), 0, false), 0);
  EXPECT_EQ(strip.SplitByHeight(StripPng(20, 6), -3, true), 0);
  EXPECT_EQ(strip.GetCount(), 0);
}

}  // namespace
}  // namespace korvath::skin
