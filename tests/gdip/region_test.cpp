// Regions: visibility of points well inside and outside after creation,
// combination, translation and transformation; bounds, data and scans.
#include "gdip/region.h"

#include <gtest/gtest.h>

#include "platform/gdi_object.h"
#include "tests/gdip/gdipa_test_support.h"

namespace gdip = korvath::gdip;
using gdiptest::TestEllipsePath;
using gdiptest::TestGraphics;
using gdiptest::TestMatrix;

namespace {

class RegionTest : public testing::Test {
 protected:
  RegionTest() {
    EXPECT_TRUE(surface_.CreateWithFormat(100, 100));
    graphics_ = std::make_unique<TestGraphics>(surface_);
  }
  const TestGraphics& graphics() const { return *graphics_; }

  gdip::Region RectRegion(float x, float y, float w, float h) {
    gdip::Region region;
    EXPECT_TRUE(region.CreateFromRect({x, y, w, h}));
    return region;
  }

 private:
  gdip::Bitmap surface_;
  std::unique_ptr<TestGraphics> graphics_;
};

bool Visible(const gdip::Region& region, float x, float y) { return region.IsVisiblePoint({x, y}); }

}  // namespace

TEST_F(RegionTest, CreateIsInfiniteAndSetEmptyEmptiesIt) {
  gdip::Region region;
  ASSERT_TRUE(region.Create());
  EXPECT_TRUE(region.IsInfinite(graphics()));
  EXPECT_FALSE(region.IsEmpty(graphics()));
  EXPECT_TRUE(Visible(region, -5000, 7000));
  ASSERT_TRUE(region.SetEmpty());
  EXPECT_TRUE(region.IsEmpty(graphics()));
  EXPECT_FALSE(Visible(region, 0, 0));
  ASSERT_TRUE(region.SetInfinite());
  EXPECT_TRUE(region.IsInfinite(graphics()));
}

TEST_F(RegionTest, RectangleVisibility) {
  gdip::Region region = RectRegion(10, 10, 20, 20);
  EXPECT_TRUE(Visible(region, 15, 15));
  EXPECT_TRUE(region.IsVisiblePoint({25, 25}, &graphics()));
  EXPECT_FALSE(Visible(region, 5, 5));
  EXPECT_FALSE(Visible(region, 35, 20));
  EXPECT_TRUE(region.IsVisiblePointI({20, 20}));
  EXPECT_FALSE(region.IsVisiblePointI({40, 40}));
  EXPECT_TRUE(region.IsVisibleRect({0, 0, 12, 12}));  // overlaps
  EXPECT_FALSE(region.IsVisibleRect({40, 40, 5, 5}));
  EXPECT_TRUE(region.IsVisibleRectI({25, 25, 30, 30}));
  EXPECT_FALSE(region.IsVisibleRectI({0, 0, 5, 50}));

  gdip::Region integer;
  ASSERT_TRUE(integer.CreateFromRectI({10, 10, 20, 20}));
  EXPECT_TRUE(integer.IsEqual(region, graphics()));
}

TEST_F(RegionTest, CombineRectWithoutAModeReplaces) {
  gdip::Region region = RectRegion(0, 0, 10, 10);
  ASSERT_TRUE(region.CombineRect({20, 20, 10, 10}));
  EXPECT_FALSE(Visible(region, 5, 5));
  EXPECT_TRUE(Visible(region, 25, 25));
  ASSERT_TRUE(region.CombineRectI({60, 60, 10, 10}));
  EXPECT_FALSE(Visible(region, 25, 25));
  EXPECT_TRUE(Visible(region, 65, 65));
}

TEST_F(RegionTest, CombineModes) {
  // Two overlapping squares: A = [0,20) x [0,20), B = [10,30) x [10,30).
  auto combined = [&](int mode) {
    gdip::Region region = RectRegion(0, 0, 20, 20);
    gdip::Region other = RectRegion(10, 10, 20, 20);
    EXPECT_TRUE(region.CombineRegion(other, mode));
    return region;
  };
  struct Case {
    int mode;
    bool onlyA, both, onlyB, neither;
  } cases[] = {
      {Gdiplus::CombineModeReplace, false, true, true, false},
      {Gdiplus::CombineModeIntersect, false, true, false, false},
      {Gdiplus::CombineModeUnion, true, true, true, false},
      {Gdiplus::CombineModeXor, true, false, true, false},
      {Gdiplus::CombineModeExclude, true, false, false, false},
      {Gdiplus::CombineModeComplement, false, false, true, false},
  };
  for (const Case& c : cases) {
    gdip::Region region = combined(c.mode);
    EXPECT_EQ(Visible(region, 5, 5), c.onlyA) << c.mode;
    EXPECT_EQ(Visible(region, 15, 15), c.both) << c.mode;
    EXPECT_EQ(Visible(region, 25, 25), c.onlyB) << c.mode;
    EXPECT_EQ(Visible(region, 50, 50), c.neither) << c.mode;
  }
  gdip::Region rect = RectRegion(0, 0, 20, 20);
  ASSERT_TRUE(rect.CombineRect({10, 10, 20, 20}, Gdiplus::CombineModeUnion));
  EXPECT_TRUE(Visible(rect, 25, 25));
  EXPECT_TRUE(Visible(rect, 5, 5));
}

TEST_F(RegionTest, PathsMakeAndCombineRegions) {
  TestEllipsePath ellipse(0, 0, 40, 40);
  gdip::Region region;
  ASSERT_TRUE(region.CreateFromPath(ellipse));
  EXPECT_TRUE(Visible(region, 20, 20));
  EXPECT_FALSE(Visible(region, 2, 2));  // the square's corner, outside the circle
  EXPECT_FALSE(Visible(region, 50, 20));

  gdip::Region square = RectRegion(0, 0, 40, 40);
  ASSERT_TRUE(square.CombinePath(ellipse, Gdiplus::CombineModeExclude));
  EXPECT_TRUE(Visible(square, 2, 2));
  EXPECT_FALSE(Visible(square, 20, 20));
}

TEST_F(RegionTest, TranslateAndTransformMoveTheArea) {
  gdip::Region region = RectRegion(10, 10, 20, 20);
  ASSERT_TRUE(region.Translate(50, 0));
  EXPECT_FALSE(Visible(region, 15, 15));
  EXPECT_TRUE(Visible(region, 65, 15));
  ASSERT_TRUE(region.TranslateI(0, 40));
  EXPECT_TRUE(Visible(region, 65, 55));

  gdip::Region scaled = RectRegion(10, 10, 20, 20);
  TestMatrix twice(2, 0, 0, 2, 0, 0);
  ASSERT_TRUE(scaled.Transform(twice));
  EXPECT_EQ(scaled.GetBounds(graphics()), (gdip::RectF{20, 20, 40, 40}));
  EXPECT_TRUE(Visible(scaled, 55, 55));
  EXPECT_FALSE(Visible(scaled, 15, 15));
}

TEST_F(RegionTest, Bounds) {
  gdip::Region region = RectRegion(10, 20, 30, 40);
  EXPECT_EQ(region.GetBounds(graphics()), (gdip::RectF{10, 20, 30, 40}));
  EXPECT_EQ(region.GetBoundsI(graphics()), (gdip::Rect{10, 20, 30, 40}));
  gdip::Region empty;
  EXPECT_EQ(empty.GetBounds(graphics()), gdip::RectF{});
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}

TEST_F(RegionTest, DataRoundTrip) {
  TestEllipsePath ellipse(5, 5, 50, 30);
  gdip::Region region;
  ASSERT_TRUE(region.CreateFromPath(ellipse));
  ASSERT_TRUE(region.CombineRect({0, 0, 10, 10}, Gdiplus::CombineModeUnion));
  uint32_t size = region.GetDataSize();
  ASSERT_GT(size, 0u);
  uint32_t filled = 0;
  std::vector<uint8_t> data = region.GetData(int(size), &filled);
  ASSERT_EQ(data.size(), size);
  EXPECT_EQ(filled, size);

  gdip::Region copy;
  ASSERT_TRUE(copy.CreateFromData(data, int(size)));
  EXPECT_TRUE(copy.IsEqual(region, graphics()));
  EXPECT_TRUE(Visible(copy, 30, 20));
  EXPECT_TRUE(Visible(copy, 2, 2));
  EXPECT_FALSE(Visible(copy, 52, 8));
}

TEST_F(RegionTest, DataLengthsAreChecked) {
  gdip::Region region = RectRegion(0, 0, 10, 10);
  uint32_t size = region.GetDataSize();
  // A buffer too small: nothing comes back.
  uint32_t filled = 12345;
  EXPECT_TRUE(region.GetData(int(size) - 1, &filled).empty());
  EXPECT_EQ(filled, 12345u);
  EXPECT_TRUE(region.GetData(-1).empty());
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);

  // A size past the bytes is refused without reading them.
  std::vector<uint8_t> data = region.GetData(int(size));
  gdip::Region target = RectRegion(50, 50, 5, 5);
  EXPECT_FALSE(target.CreateFromData(data, int(data.size()) + 100));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_TRUE(Visible(target, 52, 52));  // untouched
  EXPECT_FALSE(target.CreateFromData(data, -4));
}

TEST_F(RegionTest, ScansOfARectangleAndOfAnEmptyRegion) {
  TestMatrix identity;
  gdip::Region region = RectRegion(10, 20, 30, 40);
  std::vector<gdip::RectF> scans = {{1, 1, 1, 1}, {2, 2, 2, 2}};
  ASSERT_EQ(region.GetScans(identity, scans), 1);
  ASSERT_EQ(scans.size(), 1u);
  EXPECT_EQ(scans[0], (gdip::RectF{10, 20, 30, 40}));
  std::vector<gdip::Rect> scansI;
  ASSERT_EQ(region.GetScansI(identity, scansI), 1);
  EXPECT_EQ(scansI[0], (gdip::Rect{10, 20, 30, 40}));
  EXPECT_EQ(region.GetScanCount(identity), 1);

  gdip::Region twoParts = RectRegion(0, 0, 10, 10);
  ASSERT_TRUE(twoParts.CombineRect({0, 50, 10, 10}, Gdiplus::CombineModeUnion));
  EXPECT_EQ(twoParts.GetScans(identity, scans), 2);
  EXPECT_EQ(scans[1], (gdip::RectF{0, 50, 10, 10}));

  ASSERT_TRUE(region.SetEmpty());
  EXPECT_EQ(region.GetScans(identity, scans), 0);
  EXPECT_TRUE(scans.empty());

  gdip::Region empty;
  scans = {{7, 7, 7, 7}};
  EXPECT_EQ(empty.GetScans(identity, scans), 0);
  EXPECT_EQ(scans, (std::vector<gdip::RectF>{{7, 7, 7, 7}}));
}

TEST_F(RegionTest, CloneIsIndependent) {
  gdip::Region region = RectRegion(0, 0, 10, 10);
  gdip::Region clone;
  ASSERT_TRUE(region.Clone(clone));
  EXPECT_NE(clone.GetNativeObject(), region.GetNativeObject());
  ASSERT_TRUE(clone.Translate(50, 50));
  EXPECT_TRUE(Visible(region, 5, 5));
  EXPECT_FALSE(Visible(clone, 5, 5));
  EXPECT_TRUE(Visible(clone, 55, 55));
}

TEST_F(RegionTest, GdiRegionsBothWays) {
  long live = korvath::platform::LiveGdiObjectCount();
  {
    korvath::platform::GdiRegion gdiRegion(CreateRectRgn(10, 10, 30, 20));
    gdip::Region region;
    ASSERT_TRUE(region.CreateFromHrgn(gdiRegion.get()));
    EXPECT_TRUE(Visible(region, 15, 15));
    EXPECT_FALSE(Visible(region, 15, 25));

    gdip::Region ellipse;
    TestEllipsePath path(0, 0, 40, 40);
    ASSERT_TRUE(ellipse.CreateFromPath(path));
    korvath::platform::GdiRegion back = ellipse.GetHRgn(graphics());
    ASSERT_TRUE(back);
    EXPECT_TRUE(PtInRegion(back.get(), 20, 20));
    EXPECT_FALSE(PtInRegion(back.get(), 2, 2));
    EXPECT_FALSE(PtInRegion(back.get(), 45, 20));
  }
  EXPECT_EQ(korvath::platform::LiveGdiObjectCount(), live);
  gdip::Region empty;
  EXPECT_FALSE(empty.GetHRgn(graphics()));
}
