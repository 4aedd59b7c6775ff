// Drawing through the wrappers into an off-screen ARGB bitmap, checked by
// pixels well inside and well outside each shape (never on an edge).
#include <gtest/gtest.h>

#include <vector>

#include "gdip/brush.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/path_gradient_brush.h"
#include "gdip/pen.h"
#include "gdip/region.h"
#include "gdip/texture_brush.h"
#include "tests/gdip/drawing_canvas.h"

namespace gdip = korvath::gdip;
using gdiptest::Canvas;
using gdiptest::PixelIs;

namespace {

constexpr gdip::Argb kRed = 0xFFFF0000;
constexpr gdip::Argb kGreen = 0xFF00FF00;
constexpr gdip::Argb kBlue = 0xFF0000FF;
constexpr gdip::Argb kWhite = 0xFFFFFFFF;
constexpr gdip::Argb kBlack = 0xFF000000;
constexpr gdip::Argb kClear = 0x00000000;

gdip::SolidBrush MakeBrush(gdip::Argb colour) {
  gdip::SolidBrush brush;
  EXPECT_TRUE(brush.Create(colour));
  return brush;
}

gdip::Pen MakePen(gdip::Argb colour, float width) {
  gdip::Pen pen;
  EXPECT_TRUE(pen.CreateFromColor(colour, width));
  return pen;
}

}  // namespace

// ---- surfaces ------------------------------------------------------------------------

namespace {

// A memory device context with a 32-bit top-down DIB section selected: the
// surface most painters draw on.
class DibSurface {
 public:
  DibSurface(int width, int height) : dc_(CreateCompatibleDC(nullptr)), width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~DibSurface() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  HDC dc() const { return dc_; }
  testsupport::PixelBuffer Pixels() const {
    GdiFlush();
    return testsupport::CaptureDC(dc_, 0, 0, width_, height_);
  }

 private:
  HDC dc_;
  int width_;
  int height_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

TEST(GdipSurfaces, GraphicsOverADeviceContextWithOrWithoutADevice) {
  for (bool withDevice : {false, true}) {
    DibSurface surface(40, 20);
    gdip::Graphics graphics;
    ASSERT_TRUE(withDevice ? graphics.FromHDC(surface.dc(), nullptr) : graphics.FromHDC(surface.dc()));
    EXPECT_TRUE(graphics.Clear(kWhite));
    EXPECT_TRUE(graphics.FillRectangleI(MakeBrush(kBlue), 20, 0, 20, 20));
    ASSERT_TRUE(graphics.Delete());
    testsupport::PixelBuffer pixels = surface.Pixels();
    EXPECT_EQ(pixels.RgbAt(5, 10), 0xFFFFFFu) << withDevice;
    EXPECT_EQ(pixels.RgbAt(30, 10), 0x0000FFu) << withDevice;
  }
}

TEST(GdipSurfaces, DeviceContextOfAGraphicsIsLentAndTakenBack) {
  DibSurface surface(20, 20);
  gdip::Graphics graphics;
  ASSERT_TRUE(graphics.FromHDC(surface.dc()));
  HDC dc = graphics.GetDC();
  ASSERT_NE(dc, nullptr);
  EXPECT_TRUE(graphics.ReleaseDC(dc));
  EXPECT_GT(graphics.GetDpiX(), 0);
}

TEST(GdipSurfaces, GraphicsOverAWindow) {
  testsupport::TestWindow window(120, 80);
  gdip::Graphics graphics;
  ASSERT_TRUE(graphics.FromHWND(window.hwnd()));
  EXPECT_GT(graphics.GetDpiY(), 0);
  EXPECT_FALSE(graphics.IsClipEmpty());
  gdip::Graphics managed;
  EXPECT_TRUE(managed.FromHWND(window.hwnd(), true));
}

// ---- fills and clearing ----------------------------------------------------------

TEST(GdipFills, ClearAndFillRectangleColourOnlyTheirArea) {
  Canvas canvas(60, 40);
  EXPECT_TRUE(canvas.graphics.Clear(kWhite));
  EXPECT_TRUE(canvas.graphics.FillRectangle(MakeBrush(kRed), 10, 10, 20, 10));
  EXPECT_TRUE(PixelIs(canvas, 15, 15, kRed));
  EXPECT_TRUE(PixelIs(canvas, 28, 18, kRed));
  EXPECT_TRUE(PixelIs(canvas, 5, 5, kWhite));
  EXPECT_TRUE(PixelIs(canvas, 35, 15, kWhite));
  EXPECT_TRUE(PixelIs(canvas, 15, 25, kWhite));
}

TEST(GdipFills, ClearWithTheColourLeftOutMakesEverythingTransparent) {
  Canvas canvas(20, 20);
  canvas.graphics.Clear(kRed);
  EXPECT_TRUE(canvas.graphics.Clear());
  EXPECT_TRUE(PixelIs(canvas, 10, 10, kClear, 0));
}

TEST(GdipFills, EllipsePiePolygonAndRegionFillTheirInsides) {
  Canvas canvas(120, 60);
  canvas.graphics.Clear(kWhite);
  gdip::SolidBrush red = MakeBrush(kRed);
  EXPECT_TRUE(canvas.graphics.FillEllipse(red, 0, 0, 40, 40));
  EXPECT_TRUE(PixelIs(canvas, 20, 20, kRed));
  EXPECT_TRUE(PixelIs(canvas, 2, 2, kWhite));  // outside the ellipse, inside its box

  // A pie from 0° sweeping 90° covers the lower right quarter only.
  EXPECT_TRUE(canvas.graphics.FillPieI(red, 40, 0, 40, 40, 0, 90));
  EXPECT_TRUE(PixelIs(canvas, 68, 28, kRed));
  EXPECT_TRUE(PixelIs(canvas, 52, 12, kWhite));

  const gdip::PointF triangle[] = {{85, 5}, {115, 5}, {85, 35}};
  EXPECT_TRUE(canvas.graphics.FillPolygon(red, triangle));
  EXPECT_TRUE(PixelIs(canvas, 90, 10, kRed));
  EXPECT_TRUE(PixelIs(canvas, 110, 30, kWhite));

  gdip::Region region;
  ASSERT_TRUE(region.CreateFromRect({10, 45, 20, 10}));
  EXPECT_TRUE(canvas.graphics.FillRegion(MakeBrush(kBlue), region));
  EXPECT_TRUE(PixelIs(canvas, 20, 50, kBlue));
  EXPECT_TRUE(PixelIs(canvas, 40, 50, kWhite));
}

TEST(GdipFills, RectangleArraysFillEveryElementAndAnEmptyArrayIsGdiPlusesToRefuse) {
  Canvas canvas(60, 20);
  canvas.graphics.Clear(kWhite);
  gdip::SolidBrush green = MakeBrush(kGreen);
  const gdip::Rect rects[] = {{0, 0, 10, 10}, {40, 0, 10, 10}};
  EXPECT_TRUE(canvas.graphics.FillRectanglesI(green, rects));
  EXPECT_TRUE(PixelIs(canvas, 5, 5, kGreen));
  EXPECT_TRUE(PixelIs(canvas, 45, 5, kGreen));
  EXPECT_TRUE(PixelIs(canvas, 25, 5, kWhite));

  EXPECT_FALSE(canvas.graphics.FillRectangles(green, std::span<const gdip::RectF>{}));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}

// ---- pens and dashes ---------------------------------------------------------------

TEST(GdipPens, RectangleOutlineLeavesItsInsideAlone) {
  Canvas canvas(60, 60);
  canvas.graphics.Clear(kWhite);
  EXPECT_TRUE(canvas.graphics.DrawRectangle(MakePen(kBlue, 4), 10, 10, 40, 40));
  EXPECT_TRUE(PixelIs(canvas, 10, 30, kBlue));  // centre of the left side's stroke
  EXPECT_TRUE(PixelIs(canvas, 30, 50, kBlue));  // bottom side
  EXPECT_TRUE(PixelIs(canvas, 30, 30, kWhite));
  EXPECT_TRUE(PixelIs(canvas, 3, 3, kWhite));
}

TEST(GdipPens, DashPatternLeavesGapsInScaledUnitsOfTheWidth) {
  Canvas canvas(100, 20);
  canvas.graphics.Clear(kWhite);
  gdip::Pen pen = MakePen(kBlack, 4);
  // Dash 2 widths (8 px), gap 2 widths (8 px), starting at x = 0.
  const float dashes[] = {2, 2};
  ASSERT_TRUE(pen.SetDashArray(dashes));
  EXPECT_TRUE(canvas.graphics.DrawLine(pen, 0, 10, 100, 10));
  EXPECT_TRUE(PixelIs(canvas, 4, 10, kBlack));
  EXPECT_TRUE(PixelIs(canvas, 12, 10, kWhite));
  EXPECT_TRUE(PixelIs(canvas, 20, 10, kBlack));
  EXPECT_TRUE(PixelIs(canvas, 28, 10, kWhite));
  EXPECT_TRUE(PixelIs(canvas, 4, 2, kWhite));  // well off the line
}

TEST(GdipPens, DashStyleDotDrawsShortDashesWithGaps) {
  Canvas canvas(100, 20);
  canvas.graphics.Clear(kWhite);
  gdip::Pen pen = MakePen(kBlack, 6);
  ASSERT_TRUE(pen.SetDashStyle(Gdiplus::DashStyleDash));  // dash 3 widths, gap 1 width
  EXPECT_EQ(pen.GetDashStyle(), Gdiplus::DashStyleDash);
  EXPECT_TRUE(canvas.graphics.DrawLine(pen, 0, 10, 100, 10));
  EXPECT_TRUE(PixelIs(canvas, 9, 10, kBlack));    // inside the first 18-px dash
  EXPECT_TRUE(PixelIs(canvas, 21, 10, kWhite));   // inside the first 6-px gap
  EXPECT_TRUE(PixelIs(canvas, 33, 10, kBlack));
}

TEST(GdipPens, LinesOfPointsAndPathOutlines) {
  Canvas canvas(80, 80);
  canvas.graphics.Clear(kWhite);
  gdip::Pen pen = MakePen(kRed, 4);
  const gdip::Point corner[] = {{10, 10}, {70, 10}, {70, 70}};
  EXPECT_TRUE(canvas.graphics.DrawLinesI(pen, corner));
  EXPECT_TRUE(PixelIs(canvas, 40, 10, kRed));
  EXPECT_TRUE(PixelIs(canvas, 70, 40, kRed));
  EXPECT_TRUE(PixelIs(canvas, 20, 40, kWhite));  // the polyline is not closed

  gdip::GraphicsPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddEllipse(20, 20, 40, 40));
  EXPECT_TRUE(canvas.graphics.DrawPath(MakePen(kBlue, 4), path));
  EXPECT_TRUE(PixelIs(canvas, 20, 40, kBlue));
  EXPECT_TRUE(PixelIs(canvas, 40, 40, kWhite));
}

// ---- paths and rounded rectangles -----------------------------------------------------

TEST(GdipPaths, RoundedRectangleFillsItsBodyButNotItsCorners) {
  Canvas canvas(120, 80);
  canvas.graphics.Clear(kWhite);
  canvas.graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  gdip::GraphicsPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddRoundRect(10, 10, 100, 60, 40));  // corner boxes 40 x 24
  EXPECT_TRUE(canvas.graphics.FillPath(MakeBrush(kRed), path));
  EXPECT_TRUE(PixelIs(canvas, 60, 40, kRed));   // centre
  EXPECT_TRUE(PixelIs(canvas, 60, 12, kRed));   // middle of the top edge
  EXPECT_TRUE(PixelIs(canvas, 12, 40, kRed));   // middle of the left edge
  EXPECT_TRUE(PixelIs(canvas, 12, 12, kWhite)); // cut-off corners
  EXPECT_TRUE(PixelIs(canvas, 107, 67, kWhite));
  EXPECT_TRUE(PixelIs(canvas, 5, 40, kWhite));  // outside
}

TEST(GdipPaths, RoundedRectangleWithSubPixelCornersStillGivesTheShape) {
  Canvas canvas(30, 30);
  canvas.graphics.Clear(kWhite);
  gdip::GraphicsPath path;
  ASSERT_TRUE(path.Create());
  // 5 % of 10 px is half a pixel per corner box.
  EXPECT_TRUE(path.AddRoundRect(10, 10, 10, 10, 5));
  // Invisible corners give the plain rectangle, not arcs of no size (which
  // GDI+ may refuse, losing the corner points).
  std::vector<gdip::PointF> points;
  ASSERT_TRUE(path.GetPoints(points));
  EXPECT_EQ(points, (std::vector<gdip::PointF>{{10, 10}, {20, 10}, {20, 20}, {10, 20}}));
  EXPECT_TRUE(canvas.graphics.FillPath(MakeBrush(kRed), path));
  EXPECT_TRUE(PixelIs(canvas, 15, 15, kRed));
  EXPECT_TRUE(PixelIs(canvas, 10, 10, kRed));
  EXPECT_TRUE(PixelIs(canvas, 19, 19, kRed));
  EXPECT_TRUE(PixelIs(canvas, 5, 5, kWhite));
  EXPECT_TRUE(PixelIs(canvas, 25, 25, kWhite));
}

TEST(GdipPaths, RoundedRectangleOnAnEmptyPathReportsTheFailure) {
  gdip::GraphicsPath path;
  EXPECT_FALSE(path.AddRoundRect(0, 0, 100, 50, 20));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}

TEST(GdipPaths, WindingFillModeFillsTheOverlapThatAlternateLeavesOpen) {
  Canvas canvas(60, 30);
  canvas.graphics.Clear(kWhite);
  gdip::GraphicsPath path;
  ASSERT_TRUE(path.Create(Gdiplus::FillModeWinding));
  EXPECT_EQ(path.GetFillMode(), Gdiplus::FillModeWinding);
  ASSERT_TRUE(path.AddRectangle(0, 0, 40, 30));
  ASSERT_TRUE(path.AddRectangle(20, 0, 40, 30));
  gdip::SolidBrush red = MakeBrush(kRed);
  EXPECT_TRUE(canvas.graphics.FillPath(red, path));
  EXPECT_TRUE(PixelIs(canvas, 30, 15, kRed));

  ASSERT_TRUE(path.SetFillMode(Gdiplus::FillModeAlternate));
  canvas.graphics.Clear(kWhite);
  EXPECT_TRUE(canvas.graphics.FillPath(red, path));
  EXPECT_TRUE(PixelIs(canvas, 30, 15, kWhite));
  EXPECT_TRUE(PixelIs(canvas, 10, 15, kRed));
}

// ---- gradients and textures ----------------------------------------------------------

TEST(GdipGradients, LinearGradientRunsFromTheFirstColourToTheSecond) {
  Canvas canvas(200, 20);
  gdip::LinearGradientBrush brush;
  ASSERT_TRUE(brush.CreateFromPoints({0, 0}, {200, 0}, kRed, kBlue));
  EXPECT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, 200, 20));
  EXPECT_TRUE(PixelIs(canvas, 1, 10, kRed, 8));
  EXPECT_TRUE(PixelIs(canvas, 198, 10, kBlue, 8));
  EXPECT_TRUE(PixelIs(canvas, 100, 10, 0xFF800080, 12));
}

TEST(GdipGradients, LinearBlendMovesTheSecondColourToTheFocus) {
  Canvas canvas(200, 20);
  gdip::LinearGradientBrush brush;
  ASSERT_TRUE(brush.CreateFromRect({0, 0, 200, 20}, kRed, kBlue));  // mode 0: horizontal
  // Focus 0.5: red at both ends, blue in the middle.
  ASSERT_TRUE(brush.SetLinearBlend(0.5f, 1.0f));
  EXPECT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, 200, 20));
  EXPECT_TRUE(PixelIs(canvas, 1, 10, kRed, 8));
  EXPECT_TRUE(PixelIs(canvas, 100, 10, kBlue, 8));
  EXPECT_TRUE(PixelIs(canvas, 198, 10, kRed, 8));
}

TEST(GdipGradients, PathGradientIsTheCentreColourInTheMiddleAndTheSurroundAtTheEdge) {
  Canvas canvas(101, 101);
  gdip::GraphicsPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddRectangle(0, 0, 101, 101));
  gdip::PathGradientBrush brush;
  ASSERT_TRUE(brush.CreateFromPath(path));
  ASSERT_TRUE(brush.SetCenterColor(kWhite));
  const gdip::Argb surround[] = {kBlack};
  ASSERT_TRUE(brush.SetSurroundColorsWithCount(surround));
  EXPECT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, 101, 101));
  EXPECT_TRUE(PixelIs(canvas, 50, 50, kWhite, 12));
  EXPECT_TRUE(PixelIs(canvas, 50, 1, kBlack, 12));
  EXPECT_TRUE(PixelIs(canvas, 1, 50, kBlack, 12));
}

TEST(GdipGradients, TextureTilesTheImageFromTheTranslatedOrigin) {
  // A 4 x 4 picture: red left half, green right half.
  gdip::Bitmap tile = gdiptest::TwoColourBitmap(4, 4, kRed, kGreen);
  gdip::TextureBrush brush;
  ASSERT_TRUE(brush.Create(tile));
  EXPECT_EQ(brush.GetWrapMode(), Gdiplus::WrapModeTile);

  Canvas canvas(20, 8);
  EXPECT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, 20, 8));
  EXPECT_TRUE(PixelIs(canvas, 0, 1, kRed));
  EXPECT_TRUE(PixelIs(canvas, 3, 1, kGreen));
  EXPECT_TRUE(PixelIs(canvas, 8, 5, kRed));  // the next tiles repeat it
  EXPECT_TRUE(PixelIs(canvas, 11, 5, kGreen));

  // Moved by two pixels, the tiles start with green.
  ASSERT_TRUE(brush.TranslateTransform(2, 0));
  EXPECT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, 20, 8));
  EXPECT_TRUE(PixelIs(canvas, 0, 1, kGreen));
  EXPECT_TRUE(PixelIs(canvas, 3, 1, kRed));
}

// ---- clipping ------------------------------------------------------------------------

TEST(GdipClipping, ClipRectanglePathAndResetLimitWhereFillsLand) {
  Canvas canvas(100, 100);
  canvas.graphics.Clear(kWhite);
  gdip::SolidBrush red = MakeBrush(kRed);
  ASSERT_TRUE(canvas.graphics.SetClipRect(20, 20, 30, 30));
  EXPECT_TRUE(canvas.graphics.FillRectangle(red, 0, 0, 100, 100));
  EXPECT_TRUE(PixelIs(canvas, 35, 35, kRed));
  EXPECT_TRUE(PixelIs(canvas, 10, 10, kWhite));
  EXPECT_TRUE(PixelIs(canvas, 60, 35, kWhite));
  EXPECT_EQ(canvas.graphics.GetClipBounds(), (gdip::RectF{20, 20, 30, 30}));
  EXPECT_TRUE(canvas.graphics.IsVisiblePoint(35, 35));
  EXPECT_FALSE(canvas.graphics.IsVisiblePointI(70, 70));

  // A clip path replaces the rectangle (combine mode left out).
  gdip::GraphicsPath circle;
  ASSERT_TRUE(circle.Create());
  ASSERT_TRUE(circle.AddEllipse(50, 50, 40, 40));
  ASSERT_TRUE(canvas.graphics.SetClipPath(circle));
  gdip::SolidBrush blue = MakeBrush(kBlue);
  EXPECT_TRUE(canvas.graphics.FillRectangle(blue, 0, 0, 100, 100));
  EXPECT_TRUE(PixelIs(canvas, 70, 70, kBlue));
  EXPECT_TRUE(PixelIs(canvas, 52, 52, kWhite));  // inside the box, outside the circle
  EXPECT_TRUE(PixelIs(canvas, 35, 35, kRed));

  ASSERT_TRUE(canvas.graphics.ResetClip());
  EXPECT_TRUE(canvas.graphics.FillRectangle(blue, 0, 0, 5, 5));
  EXPECT_TRUE(PixelIs(canvas, 2, 2, kBlue));
}

TEST(GdipClipping, IntersectionAndGetClipIntoAHeldRegion) {
  Canvas canvas(100, 100);
  ASSERT_TRUE(canvas.graphics.SetClipRectI(0, 0, 60, 60));
  ASSERT_TRUE(canvas.graphics.SetClipRectI(40, 40, 60, 60, Gdiplus::CombineModeIntersect));
  EXPECT_EQ(canvas.graphics.GetClipBoundsI(), (gdip::Rect{40, 40, 20, 20}));

  gdip::Region region;
  ASSERT_TRUE(region.Create());
  gdip::NativeHandle held = region.GetNativeObject();
  EXPECT_TRUE(canvas.graphics.GetClip(region));
  EXPECT_EQ(region.GetNativeObject(), held);
  EXPECT_TRUE(region.IsVisiblePoint({50, 50}));
  EXPECT_FALSE(region.IsVisiblePoint({20, 20}));

  gdip::Region empty;
  EXPECT_FALSE(canvas.graphics.GetClip(empty));
}

// ---- transforms ------------------------------------------------------------------------

TEST(GdipTransforms, TranslatedWorldMovesTheFill) {
  Canvas canvas(60, 60);
  canvas.graphics.Clear(kWhite);
  ASSERT_TRUE(canvas.graphics.TranslateWorldTransform(30, 30));
  EXPECT_TRUE(canvas.graphics.FillRectangle(MakeBrush(kRed), 0, 0, 20, 20));
  EXPECT_TRUE(PixelIs(canvas, 40, 40, kRed));
  EXPECT_TRUE(PixelIs(canvas, 10, 10, kWhite));

  ASSERT_TRUE(canvas.graphics.ResetWorldTransform());
  gdip::PointF points[] = {{1, 2}};
  EXPECT_TRUE(canvas.graphics.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, points));
  EXPECT_EQ(points[0], (gdip::PointF{1, 2}));
}

TEST(GdipTransforms, ScaleAtKeepsTheCentreAndDoublesDistancesFromIt) {
  Canvas canvas(10, 10);
  ASSERT_TRUE(canvas.graphics.ScaleAt(2, 2, {10, 10}));
  gdip::PointF points[] = {{10, 10}, {15, 10}};
  ASSERT_TRUE(canvas.graphics.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, points));
  EXPECT_EQ(points[0], (gdip::PointF{10, 10}));
  EXPECT_EQ(points[1], (gdip::PointF{20, 10}));

  // The same about (10, 10) appended to a translation of 5: the centre stays.
  ASSERT_TRUE(canvas.graphics.ResetWorldTransform());
  ASSERT_TRUE(canvas.graphics.TranslateWorldTransform(5, 0));
  ASSERT_TRUE(canvas.graphics.RotateAt(90, {10, 10}, Gdiplus::MatrixOrderAppend));
  gdip::Point moved[] = {{5, 10}, {10, 10}};
  ASSERT_TRUE(canvas.graphics.TransformPointsI(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, moved));
  EXPECT_EQ(moved[0], (gdip::Point{10, 10}));
  EXPECT_EQ(moved[1], (gdip::Point{10, 15}));
}

TEST(GdipTransforms, WorldTransformGoesIntoTheMatrixTheCallerHolds) {
  Canvas canvas(10, 10);
  gdiptest::TestMatrix shift(1, 0, 0, 1, 7, 9);
  ASSERT_TRUE(canvas.graphics.SetWorldTransform(shift));
  gdiptest::TestMatrix target;
  gdip::NativeHandle held = target.GetNativeObject();
  EXPECT_TRUE(canvas.graphics.GetWorldTransform(target));
  EXPECT_EQ(target.GetNativeObject(), held);
  EXPECT_EQ(MatrixApply(target, 0, 0), (gdip::PointF{7, 9}));
}

TEST(GdipTransforms, SaveAndRestoreBringBackTheTransform) {
  Canvas canvas(10, 10);
  uint32_t state = canvas.graphics.Save();
  ASSERT_NE(state, 0u);
  ASSERT_TRUE(canvas.graphics.TranslateWorldTransform(3, 4));
  ASSERT_TRUE(canvas.graphics.Restore(state));
  gdip::PointF points[] = {{0, 0}};
  ASSERT_TRUE(canvas.graphics.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, points));
  EXPECT_EQ(points[0], (gdip::PointF{0, 0}));
}

// ---- images ------------------------------------------------------------------------------


TEST(GdipImages, ImageRectDrawsTheWholeImageScaledIntoTheRectangle) {
  gdip::Bitmap picture = gdiptest::TwoColourBitmap(10, 10, kRed, kGreen);  // red left, green right
  Canvas canvas(60, 40);
  canvas.graphics.Clear(kWhite);
  canvas.graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  EXPECT_TRUE(canvas.graphics.DrawImageRect(picture, 10, 10, 40, 20));
  EXPECT_TRUE(PixelIs(canvas, 15, 20, kRed));
  EXPECT_TRUE(PixelIs(canvas, 45, 20, kGreen));
  EXPECT_TRUE(PixelIs(canvas, 5, 20, kWhite));
  EXPECT_TRUE(PixelIs(canvas, 55, 20, kWhite));
}

TEST(GdipImages, ImagePointsMapTheCornersToAParallelogram) {
  gdip::Bitmap picture = gdiptest::TwoColourBitmap(10, 10, kRed, kGreen);  // red left, green right
  Canvas canvas(60, 60);
  canvas.graphics.Clear(kWhite);
  canvas.graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  // Upper-left, upper-right and lower-left corners: a 40 x 20 rectangle.
  EXPECT_TRUE(canvas.graphics.DrawImagePointsI(picture, 0, 0, 40, 0, 0, 20));
  EXPECT_TRUE(PixelIs(canvas, 5, 10, kRed));
  EXPECT_TRUE(PixelIs(canvas, 35, 10, kGreen));
  EXPECT_TRUE(PixelIs(canvas, 20, 30, kWhite));
}

TEST(GdipImages, SourcePartAndIntegerForms) {
  gdip::Bitmap picture = gdiptest::TwoColourBitmap(10, 10, kRed, kGreen);  // red left, green right
  Canvas canvas(40, 40);
  canvas.graphics.Clear(kWhite);
  canvas.graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  // Only the green half, stretched over 20 x 20.
  EXPECT_TRUE(canvas.graphics.DrawImageRectRectI(picture, 0, 0, 20, 20, 5, 0, 5, 10));
  EXPECT_TRUE(PixelIs(canvas, 3, 10, kGreen));
  EXPECT_TRUE(PixelIs(canvas, 17, 10, kGreen));
  EXPECT_TRUE(canvas.graphics.DrawImageI(picture, 25, 25));
  EXPECT_TRUE(PixelIs(canvas, 27, 30, kRed));
  EXPECT_TRUE(PixelIs(canvas, 32, 30, kGreen));
  EXPECT_TRUE(PixelIs(canvas, 37, 37, kWhite));
}

TEST(GdipImages, ColourMatrixScalesAlphaAndLeavesColoursAlone) {
  gdip::Bitmap picture = gdiptest::TwoColourBitmap(10, 10, kRed, kGreen);  // red left, green right
  Canvas canvas(30, 10);
  EXPECT_TRUE(canvas.graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy));
  canvas.graphics.DrawImageWithColorMatrix(picture, 0, 0, 10, 10, 0, 0, 10, 10, 1.0f);
  canvas.graphics.DrawImageWithColorMatrix(picture, 10, 0, 10, 10, 0, 0, 10, 10, 0.5f);
  canvas.graphics.DrawImageWithColorMatrix(picture, 20, 0, 10, 10, 0, 0, 10, 10);  // alpha left out: 0
  EXPECT_TRUE(PixelIs(canvas, 2, 5, kRed));
  EXPECT_TRUE(PixelIs(canvas, 7, 5, kGreen));
  EXPECT_TRUE(PixelIs(canvas, 12, 5, 0x80FF0000, 2));
  EXPECT_TRUE(PixelIs(canvas, 17, 5, 0x8000FF00, 2));
  EXPECT_EQ(gdip::ArgbAlpha(canvas.Pixel(25, 5)), 0);

  const gdip::ColorMatrixCells& cells = gdip::GdipColorMatrix();
  for (int row = 0; row < 5; ++row) {
    for (int column = 0; column < 5; ++column) {
      float expected = row != column ? 0.0f : row == 3 ? 0.0f : 1.0f;
      EXPECT_EQ(cells[row][column], expected) << row << ", " << column;
    }
  }
}
