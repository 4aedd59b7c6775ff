// Pens, paths and brushes: values given to GDI+ come back, list getters keep
// the caller's lists on failure, checked lengths are refused, and transform
// getters fill the matrix that the caller holds.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/font_family.h"
#include "gdip/graphics_path.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/path_gradient_brush.h"
#include "gdip/pen.h"
#include "gdip/string_format.h"
#include "gdip/texture_brush.h"
#include "tests/gdip/drawing_canvas.h"

namespace gdip = korvath::gdip;
using gdiptest::MatrixApply;
using gdiptest::TestMatrix;

// ---- pen ------------------------------------------------------------------------------

TEST(GdipPen, ColourWidthAndUnitComeBack) {
  gdip::Pen pen;
  ASSERT_TRUE(pen.CreateFromColor(0xFF000000, 1.0f));
  EXPECT_EQ(pen.GetColor(), 0xFF000000u);
  EXPECT_EQ(pen.GetWidth(), 1.0f);
  EXPECT_EQ(pen.GetUnit(), Gdiplus::UnitWorld);
  // A unit that no integer holds is refused before GDI+ is called (Wine's
  // GDI+ has no GdipSetPenUnit, so a whole unit is not set here).
  EXPECT_FALSE(pen.SetUnit(1e30f));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_FALSE(pen.SetUnit(std::nanf("")));
  EXPECT_EQ(pen.GetUnit(), Gdiplus::UnitWorld);

  EXPECT_TRUE(pen.SetLineCap(Gdiplus::LineCapRound, Gdiplus::LineCapSquare, Gdiplus::DashCapRound));
  EXPECT_EQ(pen.GetStartCap(), Gdiplus::LineCapRound);
  EXPECT_EQ(pen.GetEndCap(), Gdiplus::LineCapSquare);
  EXPECT_EQ(pen.GetDashCap(), Gdiplus::DashCapRound);
  EXPECT_EQ(pen.GetDashCap2(), pen.GetDashCap());
  EXPECT_TRUE(pen.SetLineCap2(Gdiplus::LineCapFlat, Gdiplus::LineCapFlat, Gdiplus::DashCapFlat));
  EXPECT_EQ(pen.GetStartCap(), Gdiplus::LineCapFlat);
}

TEST(GdipPen, DashArrayRoundTripsAndAFailedFetchKeepsTheList) {
  gdip::Pen pen;
  ASSERT_TRUE(pen.CreateFromColor(0xFF000000, 1.0f));
  const float dashes[] = {3, 1};
  ASSERT_TRUE(pen.SetDashArray(dashes));
  std::vector<float> fetched{9, 9, 9};
  EXPECT_EQ(pen.GetDashArray(fetched), 2);
  EXPECT_EQ(fetched, (std::vector<float>{3, 1}));

  gdip::Pen empty;
  std::vector<float> kept{7};
  EXPECT_EQ(empty.GetDashArray(kept), 0);
  EXPECT_EQ(kept, std::vector<float>{7});
  EXPECT_EQ(empty.GetCompoundArray(kept), 0);
  EXPECT_EQ(kept, std::vector<float>{7});
}

TEST(GdipPen, TransformGoesIntoTheCallersMatrixAndScaleAtKeepsTheCentre) {
  gdip::Pen pen;
  ASSERT_TRUE(pen.CreateFromColor(0xFF000000, 1.0f));
  ASSERT_TRUE(pen.ScaleAt(2, 2, {10, 10}));
  TestMatrix matrix;
  gdip::NativeHandle held = matrix.GetNativeObject();
  EXPECT_TRUE(pen.GetTransform(matrix));
  EXPECT_EQ(matrix.GetNativeObject(), held);
  EXPECT_EQ(MatrixApply(matrix, 10, 10), (gdip::PointF{10, 10}));
  EXPECT_EQ(MatrixApply(matrix, 11, 10), (gdip::PointF{12, 10}));

  ASSERT_TRUE(pen.ResetTransform());
  ASSERT_TRUE(pen.GetTransform(matrix));
  EXPECT_EQ(MatrixApply(matrix, 11, 10), (gdip::PointF{11, 10}));

  TestMatrix none;
  none.SetNativeObject(nullptr);
  EXPECT_FALSE(pen.GetTransform(none));
}

TEST(GdipPen, PenFromABrushAndItsFillBack) {
  gdip::SolidBrush brush;
  ASSERT_TRUE(brush.Create(0xFF336699));
  gdip::Pen pen;
  ASSERT_TRUE(pen.CreateFromBrush(brush, 2.0f));
  EXPECT_EQ(pen.GetColor(), 0xFF336699u);
  gdip::SolidBrush fill;
  ASSERT_TRUE(pen.GetBrushFill(fill));
  EXPECT_NE(fill.GetNativeObject(), brush.GetNativeObject());
  EXPECT_EQ(fill.GetColor(), 0xFF336699u);

  ASSERT_TRUE(brush.Delete());
  gdip::Pen fromDeleted;
  EXPECT_FALSE(fromDeleted.CreateFromBrush(brush, 2.0f));
  EXPECT_EQ(fromDeleted.GetNativeObject(), nullptr);
}

// ---- path ------------------------------------------------------------------------------

TEST(GdipPath, RoundRectangleHasTheRectanglesBoundsAndRoundedCorners) {
  gdip::GraphicsPath path;
  ASSERT_TRUE(path.Create());
  EXPECT_EQ(path.GetFillMode(), Gdiplus::FillModeAlternate);
  ASSERT_TRUE(path.AddRoundRect(0, 0, 100, 50, 20));  // corner boxes 20 x 10
  EXPECT_EQ(path.GetWorldBounds(), (gdip::RectF{0, 0, 100, 50}));
  EXPECT_TRUE(path.IsVisiblePoint(50, 25));
  EXPECT_TRUE(path.IsVisiblePoint(50, 1));    // top edge between the arcs
  EXPECT_FALSE(path.IsVisiblePoint(1, 1));    // cut-off corner
  EXPECT_FALSE(path.IsVisiblePointI(99, 49));
  // Percentages are clamped to 1..100: 150 is one whole ellipse.
  gdip::GraphicsPath ellipse;
  ASSERT_TRUE(ellipse.Create());
  ASSERT_TRUE(ellipse.AddRoundRect(0, 0, 100, 50, 150));
  EXPECT_FALSE(ellipse.IsVisiblePoint(10, 5));
  EXPECT_TRUE(ellipse.IsVisiblePoint(50, 25));
}

TEST(GdipPath, PointsAndTypesComeBackAndAFailedFetchKeepsTheList) {
  gdip::GraphicsPath path;
  ASSERT_TRUE(path.Create());
  std::vector<gdip::PointF> points{{9, 9}};
  EXPECT_FALSE(path.GetPoints(points));  // no points yet
  EXPECT_EQ(points.size(), 1u);
  EXPECT_EQ(path.GetLastPoint(), (gdip::PointF{0, 0}));

  ASSERT_TRUE(path.AddRectangleI(1, 2, 3, 4));
  EXPECT_TRUE(path.GetPoints(points));
  EXPECT_EQ(points, (std::vector<gdip::PointF>{{1, 2}, {4, 2}, {4, 6}, {1, 6}}));
  std::vector<gdip::Point> whole;
  EXPECT_TRUE(path.GetPointsI(whole, 6));  // a larger count sizes the list to it
  ASSERT_EQ(whole.size(), 6u);
  EXPECT_EQ(whole[2], (gdip::Point{4, 6}));
  EXPECT_FALSE(path.GetPointsI(whole, -1));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_EQ(whole.size(), 6u);

  std::vector<uint8_t> types;
  EXPECT_TRUE(path.GetTypes(types));
  EXPECT_EQ(types.size(), 4u);
  EXPECT_EQ(types[0], Gdiplus::PathPointTypeStart);

  gdip::PathData data;
  EXPECT_TRUE(path.GetData(data));
  EXPECT_EQ(data.count, 4);
  EXPECT_EQ(data.points[1], (gdip::PointF{4, 2}));
  EXPECT_EQ(data.types, types);
}

TEST(GdipPath, PointsAndTypesOfDifferentLengthsAreRefused) {
  const gdip::PointF points[] = {{0, 0}, {10, 0}, {10, 10}};
  const uint8_t twoTypes[] = {Gdiplus::PathPointTypeStart, Gdiplus::PathPointTypeLine};
  gdip::GraphicsPath path;
  EXPECT_FALSE(path.CreateFromPoints(points, twoTypes));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_EQ(path.GetNativeObject(), nullptr);

  const uint8_t types[] = {Gdiplus::PathPointTypeStart, Gdiplus::PathPointTypeLine,
                           Gdiplus::PathPointTypeLine | Gdiplus::PathPointTypeCloseSubpath};
  ASSERT_TRUE(path.CreateFromPoints(points, types));
  EXPECT_EQ(path.GetPointCount2(), 3);
  EXPECT_TRUE(path.IsVisiblePoint(8, 2));
  EXPECT_FALSE(path.IsVisiblePoint(2, 8));
}

TEST(GdipPath, WidenedOutlineAndOutlineVisibility) {
  gdip::GraphicsPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddLine(0, 10, 100, 10));
  gdip::Pen pen;
  ASSERT_TRUE(pen.CreateFromColor(0xFF000000, 6));
  EXPECT_TRUE(path.IsOutlineVisiblePoint(50, 12, pen));
  EXPECT_FALSE(path.IsOutlineVisiblePoint(50, 20, pen));
  gdip::RectF bounds = path.GetWorldBounds(nullptr, &pen);
  EXPECT_LE(bounds.y, 7.5f);
  ASSERT_TRUE(path.Widen(pen));
  EXPECT_TRUE(path.IsVisiblePoint(50, 12));
  EXPECT_FALSE(path.IsVisiblePoint(50, 20));
}

TEST(GdipPath, CloneIsIndependentAndTransformMovesThePoints) {
  gdip::GraphicsPath path, copy;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddRectangle(0, 0, 10, 10));
  ASSERT_TRUE(path.Clone(copy));
  TestMatrix shift(1, 0, 0, 1, 100, 0);
  ASSERT_TRUE(copy.Transform(shift));
  EXPECT_EQ(copy.GetWorldBounds(), (gdip::RectF{100, 0, 10, 10}));
  EXPECT_EQ(path.GetWorldBounds(), (gdip::RectF{0, 0, 10, 10}));
  ASSERT_TRUE(path.Reset());
  EXPECT_EQ(path.GetPointCount2(), 0);
  EXPECT_EQ(copy.GetPointCount2(), 4);
}

TEST(GdipPath, ChineseTextOutlineLandsInItsLayout) {
  gdip::FontFamily family;
  ASSERT_TRUE(family.CreateFromName("\xCB\xCE\xCC\xE5"));  // 宋体
  gdip::StringFormat format;
  ASSERT_TRUE(format.Create());
  gdip::GraphicsPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddString("\xD6\xD0", family, 40, {10, 10, 200, 100}, 0, format));  // 中
  EXPECT_GT(path.GetPointCount2(), 10);
  gdip::RectF bounds = path.GetWorldBounds();
  EXPECT_GE(bounds.x, 10);
  EXPECT_GE(bounds.y, 10);
  EXPECT_LE(bounds.x + bounds.width, 60);
  EXPECT_GT(bounds.height, 20);
}

// ---- brushes ---------------------------------------------------------------------------

TEST(GdipSolidBrush, ColourAndTypeComeBackExactly) {
  gdip::SolidBrush brush;
  ASSERT_TRUE(brush.Create(0x80FF0000));
  EXPECT_EQ(brush.GetColor(), 0x80FF0000u);
  EXPECT_EQ(brush.GetType(), Gdiplus::BrushTypeSolidColor);
  EXPECT_EQ(brush.GetNativeObject(), brush.NativeBrush());
  ASSERT_TRUE(brush.SetColor(0xFF00FF00));
  EXPECT_EQ(brush.GetColor(), 0xFF00FF00u);
}

TEST(GdipLinearGradient, ColoursRectAndBlends) {
  gdip::LinearGradientBrush brush;
  ASSERT_TRUE(brush.CreateFromRectI({0, 0, 100, 20}, 0xFFFF0000, 0xFF0000FF));
  EXPECT_EQ(brush.GetType(), Gdiplus::BrushTypeLinearGradient);
  gdip::Argb first = 0, second = 0;
  EXPECT_TRUE(brush.GetColors(first, second));
  EXPECT_EQ(first, 0xFFFF0000u);
  EXPECT_EQ(second, 0xFF0000FFu);
  EXPECT_EQ(brush.GetRect(), (gdip::RectF{0, 0, 100, 20}));
  EXPECT_EQ(brush.GetWrapMode(), Gdiplus::WrapModeTile);

  const float factors[] = {0, 1, 0};
  const float positions[] = {0, 0.5f, 1};
  ASSERT_TRUE(brush.SetBlend(factors, positions));
  EXPECT_EQ(brush.GetBlendCount(), 3);
  std::vector<float> gotFactors, gotPositions;
  EXPECT_EQ(brush.GetBlend(gotFactors, gotPositions), 3);
  EXPECT_EQ(gotFactors, (std::vector<float>{0, 1, 0}));
  EXPECT_EQ(gotPositions, (std::vector<float>{0, 0.5f, 1}));

  // Fewer positions than factors would be read past their end.
  const float twoPositions[] = {0, 1};
  EXPECT_FALSE(brush.SetBlend(factors, twoPositions));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_EQ(brush.GetBlendCount(), 3);

  gdip::LinearGradientBrush empty;
  std::vector<float> kept{5};
  EXPECT_EQ(empty.GetBlend(kept, gotPositions), 0);
  EXPECT_EQ(kept, std::vector<float>{5});
  EXPECT_EQ(gotPositions.size(), 3u);
}

TEST(GdipLinearGradient, ScaleAtKeepsTheCentreInTheCallersMatrix) {
  gdip::LinearGradientBrush brush;
  ASSERT_TRUE(brush.CreateFromPoints({0, 0}, {10, 0}, 0xFF000000, 0xFFFFFFFF));
  TestMatrix matrix;
  gdip::NativeHandle held = matrix.GetNativeObject();
  ASSERT_TRUE(brush.ScaleAt(2, 2, {10, 20}));
  ASSERT_TRUE(brush.GetTransform(matrix));
  EXPECT_EQ(matrix.GetNativeObject(), held);
  EXPECT_EQ(MatrixApply(matrix, 10, 20), (gdip::PointF{10, 20}));
  EXPECT_EQ(MatrixApply(matrix, 10, 21), (gdip::PointF{10, 22}));
  ASSERT_TRUE(brush.ResetTransform());

  // From the identity, both orders keep the centre in place.
  ASSERT_TRUE(brush.ScaleAt(2, 2, {10, 20}, Gdiplus::MatrixOrderAppend));
  ASSERT_TRUE(brush.GetTransform(matrix));
  EXPECT_EQ(MatrixApply(matrix, 10, 20), (gdip::PointF{10, 20}));
  EXPECT_EQ(MatrixApply(matrix, 11, 20), (gdip::PointF{12, 20}));
}

TEST(GdipPathGradient, WrapModeDefaultsToClampAndSurroundCountsAreChecked) {
  const gdip::PointF square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  gdip::PathGradientBrush clamped;
  ASSERT_TRUE(clamped.Create(square));
  EXPECT_EQ(clamped.GetWrapMode(), Gdiplus::WrapModeClamp);
  EXPECT_EQ(clamped.GetPointCount(), 4);
  gdip::PathGradientBrush tiled;
  ASSERT_TRUE(tiled.Create(square, Gdiplus::WrapModeTile));
  EXPECT_EQ(tiled.GetWrapMode(), Gdiplus::WrapModeTile);

  const gdip::Argb colours[] = {0xFFFF0000, 0xFF00FF00};
  int tooMany = 3;
  EXPECT_FALSE(clamped.SetSurroundColorsWithCount(colours, &tooMany));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  int count = 2;
  EXPECT_TRUE(clamped.SetSurroundColorsWithCount(colours, &count));
  EXPECT_EQ(count, 2);

  std::vector<gdip::Argb> fetched(4, 0);
  int asked = 5;
  EXPECT_FALSE(clamped.GetSurroundColorsWithCount(fetched, asked));  // larger than the list
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  asked = 4;
  EXPECT_TRUE(clamped.GetSurroundColorsWithCount(fetched, asked));
  EXPECT_EQ(fetched.size(), 4u);
  EXPECT_EQ(fetched[0], 0xFFFF0000u);
  EXPECT_EQ(fetched[1], 0xFF00FF00u);
}

TEST(GdipPathGradient, CentreFocusAndTransformIntoTheCallersMatrix) {
  const gdip::Point square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  gdip::PathGradientBrush brush;
  ASSERT_TRUE(brush.CreateI(square));
  EXPECT_EQ(brush.GetCenterPoint(), (gdip::PointF{5, 5}));
  ASSERT_TRUE(brush.SetCenterPointI({3, 4}));
  EXPECT_EQ(brush.GetCenterPointI(), (gdip::Point{3, 4}));
  EXPECT_EQ(brush.GetRectI(), (gdip::Rect{0, 0, 10, 10}));
  ASSERT_TRUE(brush.SetCenterColor(0xFF123456));
  EXPECT_EQ(brush.GetCenterColor(), 0xFF123456u);
  ASSERT_TRUE(brush.SetFocusScales(0.5f, 0.25f));
  float sx = 0, sy = 0;
  EXPECT_TRUE(brush.GetFocusScales(sx, sy));
  EXPECT_EQ(sx, 0.5f);
  EXPECT_EQ(sy, 0.25f);

  ASSERT_TRUE(brush.RotateAt(90, {5, 5}));
  TestMatrix matrix;
  gdip::NativeHandle held = matrix.GetNativeObject();
  EXPECT_TRUE(brush.GetTransform(matrix));
  EXPECT_EQ(matrix.GetNativeObject(), held);
  gdip::PointF centre = MatrixApply(matrix, 5, 5);
  EXPECT_NEAR(centre.x, 5, 1e-4);
  EXPECT_NEAR(centre.y, 5, 1e-4);
  gdip::PointF turned = MatrixApply(matrix, 6, 5);
  EXPECT_NEAR(turned.x, 5, 1e-4);
  EXPECT_NEAR(turned.y, 6, 1e-4);
}

TEST(GdipPathGradient, BoundaryPathGoesIntoThePathTheCallerHolds) {
  gdip::GraphicsPath boundary;
  ASSERT_TRUE(boundary.Create());
  ASSERT_TRUE(boundary.AddRectangle(0, 0, 30, 20));
  gdip::PathGradientBrush brush;
  ASSERT_TRUE(brush.CreateFromPath(boundary));
  EXPECT_EQ(brush.GetRect(), (gdip::RectF{0, 0, 30, 20}));

  gdip::GraphicsPath target;
  ASSERT_TRUE(target.Create());
  gdip::NativeHandle held = target.GetNativeObject();
  if (brush.GetGraphicsPath(target)) {
    EXPECT_EQ(target.GetWorldBounds(), (gdip::RectF{0, 0, 30, 20}));
  } else {
    // Wine's GDI+ does not copy a boundary out.
    EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::NotImplemented);
  }
  // Either way the path object keeps its own native path.
  EXPECT_EQ(target.GetNativeObject(), held);
  EXPECT_TRUE(target.AddLine(0, 0, 1, 1));
}

TEST(GdipTextureBrush, WrapModeImageAndEmptyImage) {
  gdip::Bitmap picture;
  ASSERT_TRUE(picture.CreateWithFormat(4, 3));
  gdip::TextureBrush tiled, clamped;
  ASSERT_TRUE(tiled.Create(picture));
  EXPECT_EQ(tiled.GetWrapMode(), Gdiplus::WrapModeTile);
  EXPECT_EQ(tiled.GetType(), Gdiplus::BrushTypeTextureFill);
  ASSERT_TRUE(clamped.CreateFromRectI(picture, 0, 0, 2, 2, Gdiplus::WrapModeTileFlipXY));
  EXPECT_EQ(clamped.GetWrapMode(), Gdiplus::WrapModeTileFlipXY);

  gdip::Image copy;
  ASSERT_TRUE(tiled.GetImage(copy));
  EXPECT_NE(copy.GetNativeObject(), picture.GetNativeObject());
  EXPECT_EQ(copy.GetWidth(), 4);
  EXPECT_EQ(copy.GetHeight(), 3);

  gdip::Bitmap nothing;
  gdip::TextureBrush fromNothing;
  EXPECT_FALSE(fromNothing.Create(nothing));
  EXPECT_EQ(fromNothing.GetNativeObject(), nullptr);
}

TEST(GdipTextureBrush, ScaleAtInEitherOrderKeepsTheCentre) {
  gdip::Bitmap picture;
  ASSERT_TRUE(picture.CreateWithFormat(2, 2));
  gdip::TextureBrush brush;
  ASSERT_TRUE(brush.Create(picture));
  TestMatrix matrix;
  for (int order : {Gdiplus::MatrixOrderPrepend, Gdiplus::MatrixOrderAppend}) {
    ASSERT_TRUE(brush.ResetTransform());
    ASSERT_TRUE(brush.TranslateTransform(1, 0));
    ASSERT_TRUE(brush.ScaleAt(2, 3, {4, 5}, order));
    ASSERT_TRUE(brush.GetTransform(matrix));
    // Prepend scales about (4, 5) before the translation; append after it.
    gdip::PointF fixed = order == Gdiplus::MatrixOrderPrepend ? gdip::PointF{5, 5} : gdip::PointF{4, 5};
    gdip::PointF from = order == Gdiplus::MatrixOrderPrepend ? gdip::PointF{4, 5} : gdip::PointF{3, 5};
    EXPECT_EQ(MatrixApply(matrix, from.x, from.y), fixed) << order;
  }
}
