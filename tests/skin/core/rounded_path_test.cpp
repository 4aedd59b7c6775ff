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

// The rectangle (10, 10, 100, 60) with a corner box of 40: corners of radius
// 20; the integer variant truncates its corner to (10, 10).
TEST(SkinPathAddRoundRect, FillsInsideAndLeavesCornersAndOutsideEmpty) {
  const gdip::Bitmap shapes[] = {
      FillPath([](gdip::GraphicsPath& p) { SkinPathAddRoundRect(p, 10, 10, 100, 60, 40); }),
      FillPath([](gdip::GraphicsPath& p) { SkinPathAddRoundRectI(p, 10.7f, 10.2f, 100, 60, 40); })};
  for (const auto& b : shapes) {
    for (auto [x, y] : {std::pair{60, 40}, {13, 40}, {107, 40}, {60, 13}, {60, 67}, {18, 18}, {102, 18}, {18, 62}})
      EXPECT_EQ(b.GetPixel(x, y), kFill) << x << "," << y;
    for (auto [x, y] : {std::pair{12, 12}, {108, 12}, {12, 68}, {107, 67}, {5, 40}, {115, 40}, {60, 5}, {60, 75}})
      EXPECT_EQ(b.GetPixel(x, y), 0u) << x << "," << y;
  }
}

TEST(SkinPathAddRoundRect, RadiusIsClampedToOneAndToAHundredAndEachFigureIsClosed) {
  for (int radius : {0, -7}) {
    const auto b = FillPath([&](gdip::GraphicsPath& p) { SkinPathAddRoundRect(p, 10, 10, 100, 60, radius); });
    EXPECT_EQ(b.GetPixel(11, 11), kFill) << radius;  // square corners
    EXPECT_EQ(b.GetPixel(108, 68), kFill) << radius;
  }
  auto radius = [](float r) {
    return FillPath([r](gdip::GraphicsPath& p) { SkinPathAddRoundRect(p, 10, 10, 100, 60, r); });
  };
  const auto hundred = radius(100), clamped = radius(150), smaller = radius(60);
  int differences = 0, againstSmaller = 0;
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 120; ++x) {
      differences += hundred.GetPixel(x, y) != clamped.GetPixel(x, y);
      againstSmaller += hundred.GetPixel(x, y) != smaller.GetPixel(x, y);
    }
  }
  EXPECT_EQ(differences, 0);
  EXPECT_GT(againstSmaller, 0);

  gdip::GraphicsPath path;
  path.Create();
  SkinPathAddRoundRect(path, 0, 0, 50, 30, 10);
  SkinPathAddRoundRect(path, 60, 0, 50, 30, 10);
  std::vector<uint8_t> types;
  ASSERT_TRUE(path.GetTypes(types));
  int starts = 0, closes = 0;
  for (uint8_t t : types) {
    starts += (t & 0x07) == 0;  // PathPointTypeStart
    closes += (t & 0x80) != 0;  // PathPointTypeCloseSubpath
  }
  EXPECT_EQ(starts, 2);
  EXPECT_EQ(closes, 2);
  EXPECT_NE(types.back() & 0x80, 0);
}

}  // namespace
}  // namespace korvath::skin
