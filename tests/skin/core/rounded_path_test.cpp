#include "skin/core/rounded_path.h"

#include <gtest/gtest.h>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"

namespace korvath::skin {
namespace {

constexpr gdip::Argb kFill = 0xFFFF0000u;

// Fills the path built by `build` into a 120 x 80 transparent bitmap.
template <class Build>
gdip::Bitmap FillPath(Build build) {
  gdip::Bitmap bitmap;
  bitmap.CreateWithFormat(120, 80);
  gdip::Graphics graphics;
  graphics.FromImage(bitmap);
  gdip::GraphicsPath path;
  path.Create();
  build(path);
  gdip::SolidBrush brush;
  brush.Create(kFill);
  graphics.FillPath(brush, path);
  return bitmap;
}

bool Filled(const gdip::Bitmap& b, int x, int y) { return b.GetPixel(x, y) == kFill; }
bool Empty(const gdip::Bitmap& b, int x, int y) { return b.GetPixel(x, y) == 0; }

// The rectangle (10, 10, 100, 60) with a corner box of 40: corners of radius
// 20 around (30, 30), (90, 30) and (30, 50); the bottom-right one is 41
// pixels wide, around (89.5, 49.5).
TEST(SkinPathAddRoundRect, FillsInsideAndLeavesCornersAndOutsideEmpty) {
  const auto b = FillPath([](gdip::GraphicsPath& p) { SkinPathAddRoundRect(p, 10, 10, 100, 60, 40); });
  for (auto [x, y] : {std::pair{60, 40}, {13, 40}, {107, 40}, {60, 13}, {60, 67}, {18, 18}, {102, 18},
                      {18, 62}, {101, 61}}) {
    EXPECT_TRUE(Filled(b, x, y)) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{12, 12}, {108, 12}, {12, 68}, {107, 67}, {5, 40}, {115, 40}, {60, 5},
                      {60, 75}}) {
    EXPECT_TRUE(Empty(b, x, y)) << x << "," << y;
  }
}

TEST(SkinPathAddRoundRect, RadiusIsClampedToOneAndToAHundred) {
  for (int radius : {0, -7}) {
    const auto b = FillPath([&](gdip::GraphicsPath& p) { SkinPathAddRoundRect(p, 10, 10, 100, 60, radius); });
    EXPECT_TRUE(Filled(b, 11, 11)) << radius;  // square corners
    EXPECT_TRUE(Filled(b, 108, 68)) << radius;
  }
  const auto hundred = FillPath([](gdip::GraphicsPath& p) { SkinPathAddRoundRect(p, 10, 10, 100, 60, 100); });
  const auto clamped = FillPath([](gdip::GraphicsPath& p) { SkinPathAddRoundRect(p, 10, 10, 100, 60, 150); });
  const auto smaller = FillPath([](gdip::GraphicsPath& p) { SkinPathAddRoundRect(p, 10, 10, 100, 60, 60); });
  int differences = 0;
  int againstSmaller = 0;
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 120; ++x) {
      differences += hundred.GetPixel(x, y) != clamped.GetPixel(x, y);
      againstSmaller += hundred.GetPixel(x, y) != smaller.GetPixel(x, y);
    }
  }
  EXPECT_EQ(differences, 0);
  EXPECT_GT(againstSmaller, 0);
}

TEST(SkinPathAddRoundRect, EachCallClosesItsOwnFigure) {
  gdip::GraphicsPath path;
  path.Create();
  SkinPathAddRoundRect(path, 0, 0, 50, 30, 10);
  SkinPathAddRoundRect(path, 60, 0, 50, 30, 10);
  std::vector<uint8_t> types;
  ASSERT_TRUE(path.GetTypes(types));
  int starts = 0;
  int closes = 0;
  for (uint8_t t : types) {
    starts += (t & 0x07) == 0;  // PathPointTypeStart
    closes += (t & 0x80) != 0;  // PathPointTypeCloseSubpath
  }
  EXPECT_EQ(starts, 2);
  EXPECT_EQ(closes, 2);
  EXPECT_NE(types.back() & 0x80, 0);

  // An open figure before the call is joined to the first arc, then closed.
  gdip::GraphicsPath joined;
  joined.Create();
  joined.AddLine(0, 0, 5, 5);
  SkinPathAddRoundRect(joined, 10, 10, 50, 30, 10);
  ASSERT_TRUE(joined.GetTypes(types));
  starts = 0;
  for (uint8_t t : types) starts += (t & 0x07) == 0;
  EXPECT_EQ(starts, 1);
  EXPECT_NE(types.back() & 0x80, 0);
}

TEST(SkinPathAddRoundRectI, SameOutlineFromIntegerCorners) {
  const auto b = FillPath([](gdip::GraphicsPath& p) { SkinPathAddRoundRectI(p, 10.7f, 10.2f, 100, 60, 40); });
  // Positions truncate: corner boxes at x 10 and 70, y 10 and 30.
  for (auto [x, y] : {std::pair{60, 40}, {13, 40}, {60, 13}, {18, 18}, {102, 18}, {18, 62}, {102, 62}}) {
    EXPECT_TRUE(Filled(b, x, y)) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{12, 12}, {108, 12}, {12, 68}, {108, 68}, {5, 40}, {60, 75}}) {
    EXPECT_TRUE(Empty(b, x, y)) << x << "," << y;
  }
  const auto square = FillPath([](gdip::GraphicsPath& p) { SkinPathAddRoundRectI(p, 10, 10, 100, 60, -1); });
  EXPECT_TRUE(Filled(square, 11, 11));
}

TEST(SkinPathAddRoundRect, CornersLargerThanTheRectangleStillGiveAShape) {
  const auto b = FillPath([](gdip::GraphicsPath& p) { SkinPathAddRoundRect(p, 40, 30, 20, 10, 60); });
  int filled = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 120; ++x) filled += Filled(b, x, y);
  EXPECT_GT(filled, 0);
}

}  // namespace
}  // namespace korvath::skin
