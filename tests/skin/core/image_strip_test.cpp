#include "skin/core/image_strip.h"

#include <gtest/gtest.h>

#include "skin/core/glyph_strip.h"
#include "tests/skin/core/image_bytes.h"

namespace korvath::skin {
namespace {

using test::DecodeImage;
using test::IsPng;
using test::PngOf;

constexpr uint32_t kMagenta = 0xFFFF00FFu;

// A strip of the given size whose pixel (x, y) is 0xFF000000 | (x << 8) | y,
// so that every pixel of a cell tells where it came from; `separators` are
// whole columns of `key`.
std::vector<uint8_t> StripPng(int width, int height, const std::vector<int>& separators,
                              uint32_t key = kMagenta) {
  std::vector<uint32_t> pixels(size_t(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels[size_t(y) * width + x] = 0xFF000000u | (x << 8) | y;
  for (int x : separators)
    for (int y = 0; y < height; ++y) pixels[size_t(y) * width + x] = key;
  return PngOf(width, height, pixels);
}

void ExpectCellFromColumns(const ImageStrip& strip, int n, int firstColumn, int width, int height) {
  SCOPED_TRACE("cell " + std::to_string(n));
  EXPECT_EQ(strip.GetCellWidth(n), width);
  EXPECT_EQ(strip.GetCellHeight(n), height);
  const auto bytes = strip.GetCellPicture(n);
  ASSERT_TRUE(IsPng(bytes));
  const auto cell = DecodeImage(bytes);
  ASSERT_EQ(cell.width, width);
  ASSERT_EQ(cell.height, height);
  EXPECT_EQ(cell.At(0, 0), 0xFF000000u | (firstColumn << 8));
  EXPECT_EQ(cell.At(width - 1, height - 1), 0xFF000000u | ((firstColumn + width - 1) << 8) | (height - 1));
}

TEST(ImageStripSplit, GlyphStripGivesSixCellsOf21By16) {
  ImageStrip strip;
  const auto png = GlyphStripPng();
  EXPECT_EQ(strip.Load(png), 6);
  EXPECT_EQ(strip.GetCount(), 6);
  EXPECT_EQ(strip.GetWidth(), 131);
  EXPECT_EQ(strip.GetHeight(), 16);
  const auto whole = DecodeImage(std::vector<uint8_t>(png.begin(), png.end()));
  ASSERT_EQ(whole.width, 131);
  for (int n = 1; n <= 6; ++n) {
    SCOPED_TRACE("cell " + std::to_string(n));
    EXPECT_EQ(strip.GetCellWidth(n), 21);
    EXPECT_EQ(strip.GetCellHeight(n), 16);
    const auto cell = DecodeImage(strip.GetCellPicture(n));
    ASSERT_EQ(cell.width, 21);
    ASSERT_EQ(cell.height, 16);
    const int left = (n - 1) * 22;  // cells cover 0-20, 22-42, ... 110-130
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 21; ++x) ASSERT_EQ(cell.At(x, y), whole.At(left + x, y)) << x << "," << y;
    // No separator pixel ends up in a cell.
    for (int y = 0; y < 16; ++y) EXPECT_NE(cell.At(20, y), kMagenta);
  }
}

TEST(ImageStripSplit, GlyphStripCellsShowWhatThePaintersExpect) {
  ImageStrip strip;
  strip.Load(GlyphStripPng());
  const auto hotBox = DecodeImage(strip.GetCellPicture(2));
  EXPECT_EQ(hotBox.At(2, 2), 0xFF83929Du);     // border
  EXPECT_EQ(hotBox.At(8, 8), 0xFFE6EAEDu);     // face
  EXPECT_EQ(hotBox.At(0, 0) >> 24, 0u);        // outside the box: transparent
  EXPECT_EQ(hotBox.At(17, 8) >> 24, 0u);
  const auto normalBox = DecodeImage(strip.GetCellPicture(5));
  EXPECT_EQ(normalBox.At(8, 8), 0xBFE9E9E9u);  // translucent face
  EXPECT_EQ(normalBox.At(15, 15), 0xBF909090u);
  const auto disabledBox = DecodeImage(strip.GetCellPicture(6));
  EXPECT_EQ(disabledBox.At(8, 8), 0xFFD0D8DDu);
  // The small ticks are the same picture; the large one is green.
  EXPECT_EQ(strip.GetCellPicture(3), strip.GetCellPicture(4));
  const auto bigTick = DecodeImage(strip.GetCellPicture(1));
  int opaqueGreen = 0;
  for (uint32_t p : bigTick.pixels) opaqueGreen += (p == 0xFF5D9702u);
  EXPECT_GT(opaqueGreen, 20);
}

TEST(ImageStripSplit, PictureWithoutSeparatorsIsOneCellHoldingTheWholePicture) {
  ImageStrip strip;
  EXPECT_EQ(strip.Load(StripPng(30, 8, {})), 1);
  ExpectCellFromColumns(strip, 1, 0, 30, 8);
}

TEST(ImageStripSplit, ColumnZeroIsNeverTestedAndOnlyRowTwoCounts) {
  ImageStrip strip;
  std::vector<uint32_t> pixels(20 * 6, 0xFF101010u);
  for (int y = 0; y < 6; ++y) pixels[y * 20 + 0] = kMagenta;  // column 0
  pixels[1 * 20 + 7] = kMagenta;                              // row 1 only
  pixels[2 * 20 + 12] = kMagenta;                             // row 2 only: cuts
  EXPECT_EQ(strip.Load(PngOf(20, 6, pixels)), 2);
  EXPECT_EQ(strip.GetCellWidth(1), 12);
  EXPECT_EQ(strip.GetCellWidth(2), 7);
}

TEST(ImageStripSplit, TranslucentMagentaDoesNotCut) {
  ImageStrip strip;
  EXPECT_EQ(strip.Load(StripPng(20, 6, {9}, 0xFEFF00FFu)), 1);
  EXPECT_EQ(strip.GetCellWidth(1), 20);
}

TEST(ImageStripSplit, AdjacentSeparatorsGiveAnEmptyCellOfWidthZero) {
  ImageStrip strip;
  EXPECT_EQ(strip.Load(StripPng(20, 6, {5, 6})), 3);
  ExpectCellFromColumns(strip, 1, 0, 5, 6);
  EXPECT_EQ(strip.GetCellWidth(2), 0);
  EXPECT_EQ(strip.GetCellHeight(2), 6);
  EXPECT_TRUE(strip.GetCellPicture(2).empty());
  ExpectCellFromColumns(strip, 3, 7, 13, 6);
}

TEST(ImageStripSplit, SeparatorInTheLastColumnGivesAnEmptyLastCell) {
  ImageStrip strip;
  EXPECT_EQ(strip.Load(StripPng(20, 6, {19})), 2);
  ExpectCellFromColumns(strip, 1, 0, 19, 6);
  EXPECT_EQ(strip.GetCellWidth(2), 0);
  EXPECT_TRUE(strip.GetCellPicture(2).empty());
}

TEST(ImageStripSplit, GivenKeyColourReplacesMagenta) {
  ImageStrip strip;
  std::vector<uint32_t> pixels(20 * 4, 0xFF202020u);
  for (int y = 0; y < 4; ++y) {
    pixels[y * 20 + 4] = kMagenta;
    pixels[y * 20 + 10] = 0xFF0000FFu;  // blue
  }
  EXPECT_EQ(strip.Load(PngOf(20, 4, pixels), RGB(0, 0, 255)), 2);
  EXPECT_EQ(strip.GetCellWidth(1), 10);
  EXPECT_EQ(strip.GetCellWidth(2), 9);
}

TEST(ImageStripSplit, LoadReplacesCellsWhileSplitAppends) {
  ImageStrip strip;
  strip.Load(StripPng(20, 6, {9}));
  ASSERT_EQ(strip.GetCount(), 2);
  EXPECT_EQ(strip.Split(StripPng(30, 5, {3, 20})), 5);
  EXPECT_EQ(strip.GetCellWidth(2), 10);  // old cells stay in front
  EXPECT_EQ(strip.GetCellWidth(3), 3);
  EXPECT_EQ(strip.GetCellHeight(5), 5);
  EXPECT_EQ(strip.GetWidth(), 30);  // the last picture's size
  EXPECT_EQ(strip.GetHeight(), 5);
  EXPECT_EQ(strip.Load(StripPng(20, 6, {})), 1);
  EXPECT_EQ(strip.GetCount(), 1);
}

TEST(ImageStripSplit, BytesThatAreNoImageGiveOneEmptyCell) {
  ImageStrip strip;
  const std::vector<uint8_t> junk = {1, 2, 3, 4, 5};
  EXPECT_EQ(strip.Load(junk), 1);
  EXPECT_EQ(strip.GetWidth(), 0);
  EXPECT_EQ(strip.GetHeight(), 0);
  EXPECT_TRUE(strip.GetCellPicture(1).empty());
  EXPECT_EQ(strip.Load({}), 1);
}

TEST(ImageStripCells, NumbersOutsideTheStripGiveNothing) {
  ImageStrip strip;
  EXPECT_EQ(strip.GetCount(), 0);
  EXPECT_TRUE(strip.GetCellPicture(1).empty());
  strip.Load(StripPng(20, 6, {9}));
  for (int n : {0, -1, 3, 1000}) {
    EXPECT_TRUE(strip.GetCellPicture(n).empty()) << n;
    EXPECT_EQ(strip.GetCellWidth(n), 0) << n;
    EXPECT_EQ(strip.GetCellHeight(n), 0) << n;
    EXPECT_FALSE(strip.RemoveCell(n)) << n;
  }
  EXPECT_EQ(strip.GetCount(), 2);
}

TEST(ImageStripCells, AddCellAppendsACopyAndWidens) {
  ImageStrip strip;
  strip.Load(StripPng(20, 6, {9}));
  const auto extra = StripPng(7, 11, {});
  EXPECT_EQ(strip.AddCell(extra), 3);
  EXPECT_EQ(strip.GetWidth(), 27);
  EXPECT_EQ(strip.GetHeight(), 6);  // height does not change
  EXPECT_EQ(strip.GetCellWidth(3), 7);
  EXPECT_EQ(strip.GetCellHeight(3), 11);
  EXPECT_EQ(strip.GetCellPicture(3), extra);
}

TEST(ImageStripCells, RemoveCellMovesLaterCellsUp) {
  ImageStrip strip;
  strip.Load(StripPng(30, 6, {4, 12}));  // widths 4, 7, 17
  EXPECT_TRUE(strip.RemoveCell(2));
  EXPECT_EQ(strip.GetCount(), 2);
  EXPECT_EQ(strip.GetWidth(), 23);
  EXPECT_EQ(strip.GetHeight(), 6);
  ExpectCellFromColumns(strip, 2, 13, 17, 6);
  EXPECT_FALSE(strip.RemoveCell(3));
}

TEST(ImageStripCells, CopiesAreIndependent) {
  ImageStrip strip;
  strip.Load(StripPng(20, 6, {9}));
  ImageStrip copy = strip;
  EXPECT_TRUE(copy.RemoveCell(1));
  EXPECT_EQ(strip.GetCount(), 2);
  EXPECT_EQ(copy.GetCount(), 1);
  EXPECT_EQ(copy.GetCellPicture(1), strip.GetCellPicture(2));
}

TEST(ImageStripFixedSize, SplitByWidthCutsEqualCells) {
  ImageStrip strip;
  strip.Load(StripPng(20, 6, {9}));
  EXPECT_EQ(strip.SplitByWidth(StripPng(30, 6, {}), 10, false), 3);
  EXPECT_EQ(strip.GetWidth(), 30);
  for (int n = 1; n <= 3; ++n) ExpectCellFromColumns(strip, n, (n - 1) * 10, 10, 6);
}

TEST(ImageStripFixedSize, LastCellPastTheEdgeCountsButHasNoPicture) {
  ImageStrip strip;
  EXPECT_EQ(strip.SplitByWidth(StripPng(25, 6, {}), 10, false), 3);
  ExpectCellFromColumns(strip, 2, 10, 10, 6);
  EXPECT_EQ(strip.GetCellWidth(3), 10);
  EXPECT_TRUE(strip.GetCellPicture(3).empty());
}

TEST(ImageStripFixedSize, SplitByHeightCutsRows) {
  ImageStrip strip;
  EXPECT_EQ(strip.SplitByHeight(StripPng(9, 12, {}), 4, false), 3);
  for (int n = 1; n <= 3; ++n) {
    EXPECT_EQ(strip.GetCellWidth(n), 9);
    EXPECT_EQ(strip.GetCellHeight(n), 4);
    const auto cell = DecodeImage(strip.GetCellPicture(n));
    ASSERT_EQ(cell.height, 4);
    EXPECT_EQ(cell.At(3, 1), 0xFF000000u | (3 << 8) | uint32_t((n - 1) * 4 + 1));
  }
}

TEST(ImageStripFixedSize, GuidesAreMagentaLinesAroundTheCellCentre) {
  ImageStrip strip;
  ASSERT_EQ(strip.SplitByWidth(StripPng(24, 16, {}), 12, true), 2);
  const auto cell = DecodeImage(strip.GetCellPicture(2));
  ASSERT_EQ(cell.width, 12);
  // Lines at y = 8 - 1 and 8 + 1, x = 6 - 1 and 6 + 1.
  EXPECT_EQ(cell.At(1, 7), kMagenta);
  EXPECT_EQ(cell.At(10, 9), kMagenta);
  EXPECT_EQ(cell.At(5, 1), kMagenta);
  EXPECT_EQ(cell.At(7, 14), kMagenta);
  // Between the lines and away from them the picture is untouched.
  EXPECT_EQ(cell.At(1, 8), 0xFF000000u | (13 << 8) | 8);
  EXPECT_EQ(cell.At(6, 1), 0xFF000000u | (18 << 8) | 1);
  EXPECT_EQ(cell.At(1, 1), 0xFF000000u | (13 << 8) | 1);

  ASSERT_EQ(strip.SplitByHeight(StripPng(10, 20, {}), 10, true), 2);
  const auto row = DecodeImage(strip.GetCellPicture(1));
  EXPECT_EQ(row.At(1, 4), kMagenta);
  EXPECT_EQ(row.At(1, 6), kMagenta);
  EXPECT_EQ(row.At(4, 1), kMagenta);
  EXPECT_EQ(row.At(6, 8), kMagenta);
  EXPECT_EQ(row.At(1, 1), 0xFF000000u | (1 << 8) | 1);
}

TEST(ImageStripFixedSize, CellSizeBelowOneGivesNoCellsInsteadOfLoopingForever) {
  ImageStrip strip;
  strip.Load(StripPng(20, 6, {9}));
  EXPECT_EQ(strip.SplitByWidth(StripPng(20, 6, {}), 0, false), 0);
  EXPECT_EQ(strip.GetCount(), 0);
  EXPECT_EQ(strip.SplitByHeight(StripPng(20, 6, {}), -3, true), 0);
  EXPECT_EQ(strip.GetCount(), 0);
  EXPECT_TRUE(strip.GetCellPicture(1).empty());
}

}  // namespace
}  // namespace korvath::skin
