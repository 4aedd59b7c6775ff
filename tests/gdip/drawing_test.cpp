// Drawing through the wrappers into off-screen ARGB bitmaps, checked by
// pixels well inside and well outside each shape (never on an edge), and
// regions checked by the visibility of such points.
#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

using namespace gdiptest;

TEST(GdipFills, EachFillColoursItsInsideOnly) {
  Canvas canvas(120, 100, kWhite);
  gdip::Graphics& g = canvas.graphics;
  gdip::SolidBrush red = MakeBrush(kRed), green = MakeBrush(kGreen);
  EXPECT_TRUE(g.FillRectangle(red, 10, 70, 20, 10));
  EXPECT_TRUE(g.FillEllipse(red, 0, 0, 40, 40));
  EXPECT_TRUE(g.FillPieI(red, 40, 0, 40, 40, 0, 90));  // from 0° sweeping 90°: the lower right quarter
  const gdip::PointF triangle[] = {{85, 5}, {115, 5}, {85, 35}};
  EXPECT_TRUE(g.FillPolygon(red, triangle));
  gdip::Region region;
  ASSERT_TRUE(region.CreateFromRect({10, 45, 20, 10}));
  EXPECT_TRUE(g.FillRegion(MakeBrush(kBlue), region));
  const gdip::Rect rects[] = {{50, 50, 10, 10}, {90, 50, 10, 10}};
  EXPECT_TRUE(g.FillRectanglesI(green, rects));
  ExpectPixels(canvas, {{15, 75, kRed}, {28, 78, kRed}, {35, 75, kWhite}, {15, 85, kWhite},  // rectangle
                        {20, 20, kRed}, {2, 2, kWhite}, {68, 28, kRed}, {52, 12, kWhite},    // ellipse, pie
                        {90, 10, kRed}, {110, 30, kWhite}, {20, 50, kBlue}, {40, 50, kWhite},
                        {55, 55, kGreen}, {95, 55, kGreen}, {75, 55, kWhite}});
  EXPECT_REFUSED(!g.FillRectangles(green, std::span<const gdip::RectF>{}));
  EXPECT_TRUE(g.Clear());  // the colour left out: transparent
  ExpectPixels(canvas, {{10, 10, 0, 0}});
}

TEST(GdipPens, OutlinesLinesAndDashes) {
  Canvas canvas(100, 140, kWhite);
  gdip::Graphics& g = canvas.graphics;
  EXPECT_TRUE(g.DrawRectangle(MakePen(kBlue, 4), 10, 10, 40, 40));
  const gdip::Point corner[] = {{60, 10}, {90, 10}, {90, 50}};
  EXPECT_TRUE(g.DrawLinesI(MakePen(kRed, 4), corner));
  gdip::GraphicsPath circle = EllipsePath(50, 60, 40, 40);
  EXPECT_TRUE(g.DrawPath(MakePen(kBlue, 4), circle));
  gdip::Pen dashed = MakePen(kBlack, 4), dotted = MakePen(kBlack, 6);
  const float dashes[] = {2, 2};  // dash 2 widths (8 px), gap 2 widths, from x = 0
  ASSERT_TRUE(dashed.SetDashArray(dashes));
  EXPECT_TRUE(g.DrawLine(dashed, 0, 110, 100, 110));
  ASSERT_TRUE(dotted.SetDashStyle(Gdiplus::DashStyleDash));  // dash 3 widths, gap 1 width
  EXPECT_EQ(dotted.GetDashStyle(), Gdiplus::DashStyleDash);
  EXPECT_TRUE(g.DrawLine(dotted, 0, 130, 100, 130));
  ExpectPixels(canvas, {{10, 30, kBlue}, {30, 50, kBlue}, {30, 30, kWhite}, {3, 3, kWhite},  // rectangle
                        {75, 10, kRed}, {90, 30, kRed}, {70, 30, kWhite},  // the polyline is not closed
                        {50, 80, kBlue}, {70, 80, kWhite},                 // path outline
                        {4, 110, kBlack}, {12, 110, kWhite}, {20, 110, kBlack}, {28, 110, kWhite}, {4, 102, kWhite},
                        {9, 130, kBlack}, {21, 130, kWhite}, {33, 130, kBlack}});
}

// Larger corners: the path tests.
TEST(GdipPaths, RoundedCornersBelowAPixelFillThePlainRectangle) {
  Canvas canvas(30, 30, kWhite);
  canvas.graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  gdip::GraphicsPath small, empty;
  ASSERT_TRUE(small.Create() && small.AddRoundRect(10, 10, 10, 10, 5));  // 5 % of 10 px: half a pixel per corner
  // Invisible corners give the plain rectangle, not arcs of no size (which
  // GDI+ may refuse, losing the corner points).
  std::vector<gdip::PointF> points;
  ASSERT_TRUE(small.GetPoints(points));
  EXPECT_EQ(points, (std::vector<gdip::PointF>{{10, 10}, {20, 10}, {20, 20}, {10, 20}}));
  EXPECT_TRUE(canvas.graphics.FillPath(MakeBrush(kRed), small));
  ExpectPixels(canvas, {{15, 15, kRed}, {10, 10, kRed}, {19, 19, kRed}, {5, 5, kWhite}, {25, 25, kWhite}});
  EXPECT_REFUSED(!empty.AddRoundRect(0, 0, 100, 50, 20));
}

TEST(GdipGradients, GradientsRunBetweenTheirColoursAndTexturesTileFromTheTranslatedOrigin) {
  Canvas canvas(200, 150);
  gdip::Graphics& g = canvas.graphics;
  gdip::LinearGradientBrush plain, focused;
  ASSERT_TRUE(plain.CreateFromPoints({0, 0}, {200, 0}, kRed, kBlue));
  ASSERT_TRUE(focused.CreateFromRect({0, 20, 200, 20}, kRed, kBlue));  // mode 0: horizontal
  ASSERT_TRUE(focused.SetLinearBlend(0.5f, 1.0f));  // red at both ends, blue in the middle
  EXPECT_TRUE(g.FillRectangle(plain, 0, 0, 200, 20) && g.FillRectangle(focused, 0, 20, 200, 20));
  ExpectPixels(canvas, {{1, 10, kRed, 8}, {198, 10, kBlue, 8}, {100, 10, 0xFF800080, 12},
                        {1, 30, kRed, 8}, {100, 30, kBlue, 8}, {198, 30, kRed, 8}});

  gdip::GraphicsPath square;
  gdip::PathGradientBrush centred;
  const gdip::Argb surround[] = {kBlack};
  ASSERT_TRUE(square.Create() && square.AddRectangle(0, 40, 101, 101) && centred.CreateFromPath(square));
  ASSERT_TRUE(centred.SetCenterColor(kWhite) && centred.SetSurroundColorsWithCount(surround));
  EXPECT_TRUE(g.FillRectangle(centred, 0, 40, 101, 101));
  ExpectPixels(canvas, {{50, 90, kWhite, 12}, {50, 41, kBlack, 12}, {1, 90, kBlack, 12}});

  gdip::Bitmap tile = TwoColourBitmap(4, 4, kRed, kGreen);
  gdip::TextureBrush texture;
  ASSERT_TRUE(texture.Create(tile));
  EXPECT_TRUE(g.FillRectangle(texture, 120, 40, 20, 8));  // the tiles start at the origin
  ExpectPixels(canvas, {{120, 41, kRed}, {123, 41, kGreen}, {128, 45, kRed}, {131, 45, kGreen}});
  ASSERT_TRUE(texture.TranslateTransform(2, 0));  // moved by two pixels, they start with green
  EXPECT_TRUE(g.FillRectangle(texture, 120, 40, 20, 8));
  ExpectPixels(canvas, {{120, 41, kGreen}, {123, 41, kRed}});
}

TEST(GdipClipping, ClipRectanglesPathsResetAndIntersectionsLimitWhereFillsLand) {
  Canvas canvas(100, 100, kWhite);
  gdip::Graphics& g = canvas.graphics;
  ASSERT_TRUE(g.SetClipRect(20, 20, 30, 30));
  EXPECT_TRUE(g.FillRectangle(MakeBrush(kRed), 0, 0, 100, 100));
  gdip::GraphicsPath circle = EllipsePath(50, 50, 40, 40);
  ASSERT_TRUE(g.SetClipPath(circle));  // replaces the rectangle (combine mode left out)
  EXPECT_TRUE(g.FillRectangle(MakeBrush(kBlue), 0, 0, 100, 100));
  ExpectPixels(canvas, {{35, 35, kRed}, {10, 10, kWhite}, {60, 35, kWhite}, {70, 70, kBlue}, {52, 52, kWhite}});
  ASSERT_TRUE(g.ResetClip());
  EXPECT_TRUE(g.FillRectangle(MakeBrush(kBlue), 0, 0, 5, 5));
  ExpectPixels(canvas, {{2, 2, kBlue}});

  ASSERT_TRUE(g.SetClipRectI(0, 0, 60, 60) && g.SetClipRectI(40, 40, 60, 60, Gdiplus::CombineModeIntersect));
  EXPECT_EQ(g.GetClipBoundsI(), (gdip::Rect{40, 40, 20, 20}));
  gdip::Region region, empty;
  ASSERT_TRUE(region.Create());
  gdip::NativeHandle held = region.GetNativeObject();
  EXPECT_TRUE(g.GetClip(region));  // into the region the caller holds
  EXPECT_EQ(region.GetNativeObject(), held);
  EXPECT_TRUE(region.IsVisiblePoint({50, 50}) && !region.IsVisiblePoint({20, 20}));
  EXPECT_FALSE(g.GetClip(empty));
}

TEST(GdipTransforms, TheWorldTransformMovesFillsAndPointsAndGoesIntoTheCallersMatrix) {
  Canvas canvas(60, 60, kWhite);
  gdip::Graphics& g = canvas.graphics;
  ASSERT_TRUE(g.TranslateWorldTransform(30, 30));
  EXPECT_TRUE(g.FillRectangle(MakeBrush(kRed), 0, 0, 20, 20));
  ExpectPixels(canvas, {{40, 40, kRed}, {10, 10, kWhite}});
  gdip::PointF points[] = {{10, 10}, {15, 10}};
  ASSERT_TRUE(g.ResetWorldTransform() && g.ScaleAt(2, 2, {10, 10}));
  ASSERT_TRUE(g.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, points));
  EXPECT_EQ(points[0], (gdip::PointF{10, 10}));
  EXPECT_EQ(points[1], (gdip::PointF{20, 10}));
  ASSERT_TRUE(g.ResetWorldTransform() && g.TranslateWorldTransform(5, 0));
  ASSERT_TRUE(g.RotateAt(90, {10, 10}, Gdiplus::MatrixOrderAppend));  // appended: the centre stays
  gdip::Point moved[] = {{5, 10}, {10, 10}};
  ASSERT_TRUE(g.TransformPointsI(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, moved));
  EXPECT_EQ(moved[0], (gdip::Point{10, 10}));
  EXPECT_EQ(moved[1], (gdip::Point{10, 15}));

  TestMatrix shift(1, 0, 0, 1, 7, 9), target;
  ASSERT_TRUE(g.SetWorldTransform(shift));
  gdip::NativeHandle held = target.GetNativeObject();
  EXPECT_TRUE(g.GetWorldTransform(target));
  EXPECT_EQ(target.GetNativeObject(), held);
  EXPECT_EQ(MatrixApply(target, 0, 0), (gdip::PointF{7, 9}));
}

TEST(GdipImages, ImagesDrawScaledIntoRectanglesParallelogramsAndFromSourceParts) {
  gdip::Bitmap picture = TwoColourBitmap(10, 10, kRed, kGreen);
  Canvas canvas(100, 100, kWhite);
  gdip::Graphics& g = canvas.graphics;
  g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  EXPECT_TRUE(g.DrawImageRect(picture, 10, 10, 40, 20));
  EXPECT_TRUE(g.DrawImagePointsI(picture, 0, 40, 40, 40, 0, 60));  // corners: upper-left, upper-right, lower-left
  EXPECT_TRUE(g.DrawImageRectRectI(picture, 60, 0, 20, 20, 5, 0, 5, 10));  // the green half only
  EXPECT_TRUE(g.DrawImageI(picture, 60, 40));
  ExpectPixels(canvas, {{15, 20, kRed}, {45, 20, kGreen}, {5, 20, kWhite}, {55, 20, kWhite},
                        {5, 50, kRed}, {35, 50, kGreen}, {20, 70, kWhite},
                        {63, 10, kGreen}, {77, 10, kGreen}, {62, 45, kRed}, {67, 45, kGreen}, {72, 47, kWhite}});
}

TEST(GdipImages, ColourMatrixScalesAlphaAndLeavesColoursAlone) {
  gdip::Bitmap picture = TwoColourBitmap(10, 10, kRed, kGreen);
  Canvas canvas(30, 10);
  EXPECT_TRUE(canvas.graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy));
  canvas.graphics.DrawImageWithColorMatrix(picture, 0, 0, 10, 10, 0, 0, 10, 10, 1.0f);
  canvas.graphics.DrawImageWithColorMatrix(picture, 10, 0, 10, 10, 0, 0, 10, 10, 0.5f);
  canvas.graphics.DrawImageWithColorMatrix(picture, 20, 0, 10, 10, 0, 0, 10, 10);  // alpha left out: 0
  ExpectPixels(canvas, {{2, 5, kRed}, {7, 5, kGreen}, {12, 5, 0x80FF0000}, {17, 5, 0x8000FF00}});
  EXPECT_EQ(gdip::ArgbAlpha(canvas.Pixel(25, 5)), 0);
}

// ---- regions ---------------------------------------------------------------------------------

namespace {

class RegionTest : public testing::Test {
 protected:
  static gdip::Region Rect(float x, float y, float w, float h) {
    gdip::Region region;
    EXPECT_TRUE(region.CreateFromRect({x, y, w, h}));
    return region;
  }
  // Which of the points the region holds, as '1' and '0'.
  static std::string Hits(const gdip::Region& region, std::initializer_list<gdip::PointF> points) {
    std::string hits;
    for (const gdip::PointF& point : points) hits += region.IsVisiblePoint(point) ? '1' : '0';
    return hits;
  }
  Canvas canvas{100, 100};
  const gdip::Graphics& g = canvas.graphics;
};

}  // namespace

TEST_F(RegionTest, CombineModes) {
  // Two overlapping squares A = [0,20)² and B = [10,30)²; probes in A only, both, B only, neither.
  for (const CombineCase& c : kCombineCases) {
    SCOPED_TRACE(c.mode);
    gdip::Region region = Rect(0, 0, 20, 20), rect = Rect(0, 0, 20, 20);
    EXPECT_TRUE(region.CombineRegion(Rect(10, 10, 20, 20), c.mode) && rect.CombineRect({10, 10, 20, 20}, c.mode));
    EXPECT_EQ(Hits(region, {{5, 5}, {15, 15}, {25, 25}, {50, 50}}), c.hits);
    EXPECT_EQ(Hits(rect, {{5, 5}, {15, 15}, {25, 25}, {50, 50}}), c.hits);
  }
  // The mode left out replaces.
  gdip::Region region = Rect(0, 0, 20, 20), rect = Rect(0, 0, 20, 20);
  EXPECT_TRUE(region.CombineRegion(Rect(10, 10, 20, 20)) && rect.CombineRect({10, 10, 20, 20}));
  EXPECT_EQ(Hits(region, {{5, 5}, {15, 15}, {25, 25}, {50, 50}}), "0110");
  EXPECT_EQ(Hits(rect, {{5, 5}, {15, 15}, {25, 25}, {50, 50}}), "0110");
}

namespace {

// What GDI+ is told of the size of region data; passed on to GDI+.
const gdiptest::GdiplusStandIn* regionDataRoute = nullptr;
INT handedRegionSize = -1;
Gdiplus::GpStatus WINGDIPAPI KeepRegionDataSize(const BYTE* data, INT size, Gdiplus::GpRegion** region) {
  handedRegionSize = size;
  auto pass = reinterpret_cast<decltype(&Gdiplus::DllExports::GdipCreateRegionRgnData)>(regionDataRoute->Original());
  return pass(data, size, region);
}

}  // namespace

TEST_F(RegionTest, DataRoundTripsAndItsLengthsAreChecked) {
  gdip::GraphicsPath ellipse = EllipsePath(5, 5, 50, 30);
  gdip::Region region, copy, target = Rect(50, 50, 5, 5);
  ASSERT_TRUE(region.CreateFromPath(ellipse) && region.CombineRect({0, 0, 10, 10}, Gdiplus::CombineModeUnion));
  uint32_t size = region.GetDataSize(), filled = 0;
  std::vector<uint8_t> data = region.GetData(int(size), &filled);
  ASSERT_EQ(data.size(), size);
  EXPECT_EQ(filled, size);
  ASSERT_TRUE(copy.CreateFromData(data, int(size)));
  EXPECT_TRUE(copy.IsEqual(region, g));
  EXPECT_EQ(Hits(copy, {{30, 20}, {2, 2}, {52, 8}}), "110");
  filled = 12345;  // a buffer too small: nothing comes back
  EXPECT_TRUE(region.GetData(int(size) - 1, &filled).empty());
  EXPECT_EQ(filled, 12345u);
  EXPECT_REFUSED(region.GetData(-1).empty());
  // A buffer larger than memory holds: refused, and the program goes on.
  EXPECT_OUT_OF_MEMORY(region.GetData(INT_MAX, &filled).empty());
  EXPECT_EQ(filled, 12345u);
  EXPECT_REFUSED(!target.CreateFromData(data, int(data.size()) + 100));  // without reading past the bytes
  EXPECT_REFUSED(!target.CreateFromData(data, int(data.size()) + 1));
  EXPECT_EQ(Hits(target, {{52, 52}}), "1");                             // untouched
  EXPECT_FALSE(target.CreateFromData(data, -4));
  // Data cut short is refused, whether the size or the buffer is short of what the data says, by one byte too.
  const std::vector<uint8_t> cut(data.begin(), data.end() - 4), oneShort(data.begin(), data.end() - 1);
  EXPECT_REFUSED(!target.CreateFromData(data, int(size) - 4));
  EXPECT_REFUSED(!target.CreateFromData(cut, int(cut.size())));
  EXPECT_REFUSED(!target.CreateFromData(data, int(size) - 1));
  EXPECT_REFUSED(!target.CreateFromData(oneShort, int(oneShort.size())));
  EXPECT_EQ(Hits(target, {{52, 52}, {30, 20}}), "10");  // untouched
  {
    // A buffer longer than the data: GDI+ is told the size given, not the buffer's.
    std::vector<uint8_t> padded = data;
    padded.resize(size + 16, 0xAB);
    gdiptest::GdiplusStandIn standIn = GDIPLUS_STAND_IN(GdipCreateRegionRgnData, KeepRegionDataSize);
    regionDataRoute = &standIn;
    gdip::Region fromPadded;
    EXPECT_TRUE(fromPadded.CreateFromData(padded, int(size)));
    EXPECT_EQ(handedRegionSize, int(size));
    EXPECT_TRUE(fromPadded.IsEqual(region, g));
  }
  // A buffer larger than the data: the size filled is the data's.
  std::vector<uint8_t> larger = region.GetData(int(size) + 16, &filled);
  ASSERT_EQ(larger.size(), size + 16);
  EXPECT_EQ(filled, size);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), larger.begin()));
}

TEST_F(RegionTest, ScansListTheRectanglesAndAFailedFetchKeepsTheList) {
  TestMatrix identity;
  gdip::Region region = Rect(0, 0, 10, 10), empty;
  ASSERT_TRUE(region.CombineRect({0, 50, 10, 10}, Gdiplus::CombineModeUnion));
  std::vector<gdip::RectF> scans = {{1, 1, 1, 1}};
  std::vector<gdip::Rect> scansI;
  EXPECT_EQ(region.GetScanCount(identity), 2);
  ASSERT_EQ(region.GetScans(identity, scans), 2);
  EXPECT_EQ(scans, (std::vector<gdip::RectF>{{0, 0, 10, 10}, {0, 50, 10, 10}}));
  ASSERT_EQ(region.GetScansI(identity, scansI), 2);
  EXPECT_EQ(scansI.back(), (gdip::Rect{0, 50, 10, 10}));
  EXPECT_EQ(empty.GetScans(identity, scans), 0);
  EXPECT_EQ(scans.size(), 2u);
  ASSERT_TRUE(region.SetEmpty());
  EXPECT_EQ(region.GetScans(identity, scans), 0);
  EXPECT_TRUE(scans.empty());
}

TEST_F(RegionTest, GdiRegionsBothWaysAreOwned) {
  long live = platform::LiveGdiObjectCount();
  {
    platform::GdiRegion gdiRegion(CreateRectRgn(10, 10, 30, 20));
    gdip::Region region, ellipse;
    gdip::GraphicsPath path = EllipsePath(0, 0, 40, 40);
    ASSERT_TRUE(region.CreateFromHrgn(gdiRegion.get()) && ellipse.CreateFromPath(path));
    EXPECT_EQ(Hits(region, {{15, 15}, {15, 25}}), "10");
    platform::GdiRegion back = ellipse.GetHRgn(g);
    ASSERT_TRUE(back);
    EXPECT_TRUE(PtInRegion(back.get(), 20, 20));
    EXPECT_FALSE(PtInRegion(back.get(), 2, 2) || PtInRegion(back.get(), 45, 20));
  }
  EXPECT_EQ(platform::LiveGdiObjectCount(), live);
}
