// Regions: every combine mode with a path and an integer rectangle, hit tests
// of points and rectangles whose mirror images answer otherwise, bounds after
// moves and transforms, and the empty and infinite states. A region object
// that holds nothing reports GDI+'s refusal.
#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

#include <functional>

using namespace gdiptest;

namespace {

class GdipRegions : public testing::Test {
 protected:
  static gdip::Region FromRectI(const gdip::Rect& rect) {
    gdip::Region region;
    EXPECT_TRUE(region.CreateFromRectI(rect));
    return region;
  }
  Canvas canvas{10, 10};
  const gdip::Graphics& g = canvas.graphics;
};

}  // namespace

TEST_F(GdipRegions, EveryCombineModeWithAPathAndAnIntegerRectangle) {
  // A = [0,40) x [0,20), B = [20,60) x [5,35). Probes in A only, both, B only
  // and neither; each probe's mirror (y, x) lies in another of those parts.
  const gdip::Point probes[] = {{35, 2}, {30, 10}, {50, 30}, {10, 30}};
  gdip::GraphicsPath b;
  ASSERT_TRUE(b.Create() && b.AddRectangleI(20, 5, 40, 30));
  for (const CombineCase& c : kCombineCases) {
    SCOPED_TRACE(c.mode);
    gdip::Region withPath = FromRectI({0, 0, 40, 20}), withRect = FromRectI({0, 0, 40, 20});
    ASSERT_TRUE(withPath.CombinePath(b, c.mode) && withRect.CombineRectI({20, 5, 40, 30}, c.mode));
    for (const gdip::Region* region : {&withPath, &withRect}) {
      std::string hits;
      for (const gdip::Point& p : probes) hits += region->IsVisiblePointI(p, &g) ? '1' : '0';
      EXPECT_EQ(hits, c.hits);
    }
  }
  gdip::Region replaced = FromRectI({0, 0, 40, 20});
  ASSERT_TRUE(replaced.CombinePath(b));  // no mode: the path replaces the region
  EXPECT_EQ(replaced.GetBoundsI(g), (gdip::Rect{20, 5, 40, 30}));
  gdip::Region replacedByRect = FromRectI({0, 0, 40, 20});
  ASSERT_TRUE(replacedByRect.CombineRectI({20, 5, 40, 30}));
  EXPECT_EQ(replacedByRect.GetBoundsI(g), (gdip::Rect{20, 5, 40, 30}));
}

TEST_F(GdipRegions, PointsAndRectanglesAreInsideOnlyWhereTheirMirrorsAreNot) {
  gdip::Region region = FromRectI({10, 20, 30, 5});  // [10,40) x [20,25)
  EXPECT_EQ(region.GetBoundsI(g), (gdip::Rect{10, 20, 30, 5}));
  EXPECT_TRUE(region.IsVisiblePointI({35, 22}) && !region.IsVisiblePointI({22, 35}));
  // A rectangle is visible when any part of it is.
  const gdip::GdipBase* const noneOrGraphics[] = {nullptr, &g};
  for (const gdip::GdipBase* graphics : noneOrGraphics) {
    EXPECT_TRUE(region.IsVisibleRectI({5, 22, 10, 1}, graphics));    // its width reaches in,
    EXPECT_FALSE(region.IsVisibleRectI({5, 22, 1, 10}, graphics));   // its height would not
    EXPECT_FALSE(region.IsVisibleRectI({22, 5, 1, 10}, graphics));   // nor its mirror
    EXPECT_TRUE(region.IsVisibleRect({5.5f, 22, 4.75f, 1}, graphics));  // a quarter in; integers 5 and 4 stay out
    EXPECT_FALSE(region.IsVisibleRect({22, 5.5f, 1, 4.75f}, graphics));
    EXPECT_FALSE(region.IsVisibleRect({41, 10, 5, 20}, graphics));
  }
}

TEST_F(GdipRegions, MovesAndTransformsShiftTheBounds) {
  gdip::Region region = FromRectI({10, 20, 30, 5});
  // Wine's GDI+ gives the bounds in whole pixels: fractions of 3/4 still move
  // them a pixel further than an integer move would.
  ASSERT_TRUE(region.Translate(0.75f, 7.75f));
  EXPECT_TRUE(IsNear(region.GetBounds(g), {10.75f, 27.75f, 30, 5}, 0.25f));
  ASSERT_TRUE(region.TranslateI(3, -7));
  EXPECT_TRUE(IsNear(region.GetBounds(g), {13.75f, 20.75f, 30, 5}, 0.25f));
  TestMatrix stretch(4, 0, 0, 3, 7, 9);  // (x, y) -> (4x + 7, 3y + 9)
  ASSERT_TRUE(region.Transform(stretch));
  EXPECT_TRUE(IsNear(region.GetBounds(g), {62, 71.25f, 120, 15}, 0.25f));
  EXPECT_TRUE(region.IsVisiblePointI({150, 80}) && !region.IsVisiblePointI({80, 150}));
}

TEST_F(GdipRegions, EmptyAndInfiniteAreToldApart) {
  gdip::Region region;
  ASSERT_TRUE(region.Create());
  EXPECT_TRUE(region.IsInfinite(g) && !region.IsEmpty(g));
  ASSERT_TRUE(region.SetEmpty());
  EXPECT_TRUE(region.IsEmpty(g) && !region.IsInfinite(g));
  ASSERT_TRUE(region.SetInfinite());
  EXPECT_TRUE(region.IsInfinite(g) && !region.IsEmpty(g));
  ASSERT_TRUE(region.CreateFromRectI({10, 20, 30, 5}));
  EXPECT_FALSE(region.IsInfinite(g) || region.IsEmpty(g));
}

TEST_F(GdipRegions, AnAdoptedRegionIsOwnedOnce) {
  NativeObjectsBalance balance;
  gdip::Region region = FromRectI({10, 20, 30, 5});
  gdip::NativeHandle first = region.NativeRegion();
  EXPECT_EQ(first, region.GetNativeObject());
  Gdiplus::GpRegion* made = nullptr;
  ASSERT_EQ(Gdiplus::DllExports::GdipCreateRegion(&made), Gdiplus::Ok);
  region.SetNativeRegion(made);  // adopts it and releases the one it held
  EXPECT_FALSE(IsLiveNative(first));
  EXPECT_EQ(region.NativeRegion(), made);
  EXPECT_TRUE(region.IsInfinite(g));
}

TEST_F(GdipRegions, EveryOperationOnAnObjectWithoutARegionIsRefused) {
  TestMatrix matrix(4, 0, 0, 3, 7, 9);
  gdip::GraphicsPath path = EllipsePath(1, 2, 3, 4);
#define OPERATION(call) {#call, [&](gdip::Region& r) { return r.call; }}
  for (const auto& [call, operation] :
       std::initializer_list<std::pair<const char*, std::function<bool(gdip::Region&)>>>{
           OPERATION(CombinePath(path, Gdiplus::CombineModeUnion)), OPERATION(CombineRectI({1, 2, 3, 4})),
           OPERATION(Translate(1, 2)), OPERATION(TranslateI(1, 2)), OPERATION(Transform(matrix)),
           OPERATION(SetInfinite()), OPERATION(SetEmpty()), OPERATION(IsEmpty(g)), OPERATION(IsInfinite(g)),
           OPERATION(IsVisiblePointI({0, 0})), OPERATION(IsVisibleRect({0, 0, 100, 100})),
           OPERATION(IsVisibleRectI({0, 0, 100, 100}, &g))})
    ExpectRefusedWithoutNative<gdip::Region>(operation, call);
#undef OPERATION
  gdip::Region none;
  EXPECT_EQ(none.GetBoundsI(g), (gdip::Rect{}));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}
