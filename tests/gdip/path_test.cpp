// Graphics paths: every shape in both its forms lands where its arguments
// say (points, point types, bounds), figures and markers show in the types,
// fill modes decide what an overlap holds, and the path's own transforms
// (flattening, widening, warping) change its points. A path object that
// holds nothing reports GDI+'s refusal.
#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

#include <functional>
#include <numbers>
#include <utility>

using namespace gdiptest;

namespace {

using Path = gdip::GraphicsPath;

// One character a point: its kind (0 start, 1 line, 3 Bézier), then 'm' for a
// marker and 'c' for the point that closes its figure; "none" when the path
// has no points to give.
std::string Types(const Path& path) {
  std::vector<uint8_t> types;
  if (!path.GetTypes(types)) return "none";
  std::string text;
  for (uint8_t type : types) {
    text += char('0' + (type & Gdiplus::PathPointTypePathTypeMask));
    if (type & Gdiplus::PathPointTypePathMarker) text += 'm';
    if (type & Gdiplus::PathPointTypeCloseSubpath) text += 'c';
  }
  return text;
}

// All of the path's points.
std::vector<gdip::PointF> Points(const Path& path) {
  std::vector<gdip::PointF> points;
  EXPECT_TRUE(path.GetPoints(points));
  return points;
}

constexpr gdip::PointF kThree[] = {{10.5f, 20}, {30, 25}, {50, 60}};
constexpr gdip::Point kThreeI[] = {{10, 20}, {30, 25}, {50, 60}};
constexpr gdip::PointF kFour[] = {{10.5f, 20}, {30, 25}, {50, 60}, {70, 40}};
constexpr gdip::Point kFourI[] = {{10, 20}, {30, 25}, {50, 60}, {70, 40}};
constexpr gdip::PointF kFive[] = {{10.5f, 20}, {30, 25}, {50, 60}, {70, 40}, {90, 80}};
constexpr gdip::Point kFiveI[] = {{10, 20}, {30, 25}, {50, 60}, {70, 40}, {90, 80}};
constexpr gdip::RectF kTwoRects[] = {{1.5f, 2, 3, 4}, {10, 20, 30, 40.5f}};
constexpr gdip::Rect kTwoRectsI[] = {{1, 2, 3, 4}, {10, 20, 30, 40}};

struct Shape {
  const char* call;
  bool (*add)(Path&);
  const char* types;
  gdip::PointF first, last;
  gdip::RectF bounds;
};
#define SHAPE(call, ...) {#call, [](Path& p) { return p.call; }, __VA_ARGS__}

// Float forms carry fractions an integer would lose; control points lie
// where their mirror images would change the bounds; the tension of the
// curves' second forms is 0, which makes their control points the points
// themselves (the default tension bulges out of them). Curve3 draws two
// segments from the second point (the other way round: one from the third).
// A pie starts at its centre and runs from `start` clockwise by `sweep`.
const Shape kShapes[] = {
    SHAPE(AddLine(1.5f, 2.5f, 10, 20), "01", {1.5f, 2.5f}, {10, 20}, {1.5f, 2.5f, 8.5f, 17.5f}),
    SHAPE(AddLineI(1, 2, 10, 20), "01", {1, 2}, {10, 20}, {1, 2, 9, 18}),
    SHAPE(AddLine2(kThree), "011", {10.5f, 20}, {50, 60}, {10.5f, 20, 39.5f, 40}),
    SHAPE(AddLine2I(kThreeI), "011", {10, 20}, {50, 60}, {10, 20, 40, 40}),
    SHAPE(AddArc(10.5f, 20.25f, 60, 30, 0, 90), "0333", {70.5f, 35.25f}, {40.5f, 50.25f}, {40.5f, 35.25f, 30, 15}),
    SHAPE(AddArcI(10, 20, 60, 30, 180, 90), "0333", {10, 35}, {40, 20}, {10, 20, 30, 15}),
    SHAPE(AddBezier(10.5f, 20, 80, 25, 50, 90, 70, 40.5f), "0333", {10.5f, 20}, {70, 40.5f}, {10.5f, 20, 69.5f, 70}),
    SHAPE(AddBezierI(10, 20, 80, 25, 50, 90, 70, 40), "0333", {10, 20}, {70, 40}, {10, 20, 70, 70}),
    SHAPE(AddBeziers(kFour), "0333", {10.5f, 20}, {70, 40}, {10.5f, 20, 59.5f, 40}),
    SHAPE(AddBeziersI(kFourI), "0333", {10, 20}, {70, 40}, {10, 20, 60, 40}),
    SHAPE(AddCurve(kThree), "0333333", {10.5f, 20}, {50, 60}, {10.5f, 13, 39.5f, 47}),
    SHAPE(AddCurveI(kThreeI), "0333333", {10, 20}, {50, 60}, {10, 13, 40, 47}),
    SHAPE(AddCurve2(kThree, 0), "0333333", {10.5f, 20}, {50, 60}, {10.5f, 20, 39.5f, 40}),
    SHAPE(AddCurve2I(kThreeI, 0), "0333333", {10, 20}, {50, 60}, {10, 20, 40, 40}),
    SHAPE(AddCurve3(kFive, 1, 2, 0), "0333333", {30, 25}, {70, 40}, {30, 25, 40, 35}),
    SHAPE(AddCurve3I(kFiveI, 1, 2, 0), "0333333", {30, 25}, {70, 40}, {30, 25, 40, 35}),
    SHAPE(AddClosedCurve(kThree), "0333333333c", {10.5f, 20}, {10.5f, 20}, {4.5f, 9.5f, 51.35f, 52}),
    SHAPE(AddClosedCurveI(kThreeI), "0333333333c", {10, 20}, {10, 20}, {4, 9.5f, 52, 52}),
    SHAPE(AddClosedCurve2(kThree, 0), "0333333333c", {10.5f, 20}, {10.5f, 20}, {10.5f, 20, 39.5f, 40}),
    SHAPE(AddClosedCurve2I(kThreeI, 0), "0333333333c", {10, 20}, {10, 20}, {10, 20, 40, 40}),
    SHAPE(AddRectangles(kTwoRects), "0111c0111c", {1.5f, 2}, {10, 60.5f}, {1.5f, 2, 38.5f, 58.5f}),
    SHAPE(AddRectanglesI(kTwoRectsI), "0111c0111c", {1, 2}, {10, 60}, {1, 2, 39, 58}),
    SHAPE(AddEllipseI(10, 20, 60, 30), "0333333333333c", {70, 35}, {70, 35}, {10, 20, 60, 30}),
    SHAPE(AddPie(10.5f, 20.25f, 60, 30, 0, 90), "01333c", {40.5f, 35.25f}, {40.5f, 50.25f}, {40.5f, 35.25f, 30, 15}),
    SHAPE(AddPieI(10, 20, 60, 30, 90, 90), "01333c", {40, 35}, {10, 35}, {10, 35, 30, 15}),
    SHAPE(AddPolygon(kThree), "011c", {10.5f, 20}, {50, 60}, {10.5f, 20, 39.5f, 40}),
    SHAPE(AddPolygonI(kThreeI), "011c", {10, 20}, {50, 60}, {10, 20, 40, 40}),
};
#undef SHAPE

}  // namespace

TEST(GdipPathShapes, EveryShapeInBothFormsLandsWhereItsArgumentsSay) {
  for (const Shape& shape : kShapes) {
    SCOPED_TRACE(shape.call);
    Path path;
    ASSERT_TRUE(path.Create() && shape.add(path));
    EXPECT_EQ(Types(path), shape.types);
    std::vector<gdip::PointF> points = Points(path);
    ASSERT_FALSE(points.empty());
    EXPECT_TRUE(IsNear(points.front(), shape.first));
    EXPECT_TRUE(IsNear(points.back(), shape.last) && IsNear(path.GetLastPoint(), shape.last));
    EXPECT_TRUE(IsNear(path.GetWorldBounds(), shape.bounds));
    ExpectRefusedWithoutNative<Path>(shape.add, shape.call);
  }
}

TEST(GdipPathShapes, AFigureLeftOpenTakesTheNextPathOnlyWhenToldAndCurvesRefuseTooFewPoints) {
  Path path, other, joined;
  ASSERT_TRUE(path.Create() && other.Create() && joined.Create() && other.AddLine(20, 5, 30, 7));
  ASSERT_TRUE(path.AddLine(0, 0, 10, 2) && path.AddPath(other));  // not connected: a figure of its own
  ASSERT_TRUE(joined.AddLine(0, 0, 10, 2) && joined.AddPath(other, true));
  EXPECT_EQ(Types(path), "0101");
  EXPECT_EQ(Types(joined), "0111");
  EXPECT_TRUE(IsNear(joined.GetLastPoint(), {30, 7}));
  EXPECT_FALSE(path.AddCurve3(kFive, 3, 2, 0.5f));  // two segments from the fourth of five points
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_FALSE(path.AddBeziersI(std::span(kFourI, 3)) || path.AddClosedCurve2I({}, 0.5f));
  EXPECT_EQ(path.GetPointCount2(), 4);
}

TEST(GdipPathShapes, RoundRectangleCornersAreWholePixelBoxesAndPercentagesBelowOneAreOne) {
  Path path;
  // 15 % of 55 x 50: corner boxes of 8 x 7 (8.25 x 7.5 cut to whole pixels).
  ASSERT_TRUE(path.Create() && path.AddRoundRect(0.5f, 0.25f, 55, 50, 15));
  EXPECT_EQ(Types(path), "0333133313331333c");
  EXPECT_TRUE(IsNear(Points(path).front(), {51.5f, 0.25f}));  // the top of the top right corner
  EXPECT_TRUE(IsNear(Points(path)[4], {55.5f, 46.75f}));     // where the bottom right corner starts
  EXPECT_TRUE(IsNear(path.GetWorldBounds(), {0.5f, 0.25f, 55, 50}));
  auto corners = [](int percent) {
    Path round;
    EXPECT_TRUE(round.Create() && round.AddRoundRect(0, 0, 300, 200, percent));
    return Points(round);
  };
  EXPECT_EQ(corners(0), corners(1));
  EXPECT_EQ(corners(-5), corners(1));
  EXPECT_NE(corners(2), corners(1));
}

TEST(GdipPathFigures, FiguresStartAndCloseAndMarkersComeAndGoInThePointTypes) {
  Path path;
  ASSERT_TRUE(path.Create() && path.AddLine(1.5f, 2.5f, 10, 20) && path.SetMarker() && path.StartFigure());
  ASSERT_TRUE(path.AddLine(30, 5, 40, 8) && path.AddLine(50, 9, 60, 7));
  EXPECT_EQ(Types(path), "01m0111");
  ASSERT_TRUE(path.CloseFigure());  // the current figure only
  EXPECT_EQ(Types(path), "01m0111c");
  ASSERT_TRUE(path.CloseFigures());
  EXPECT_EQ(Types(path), "01mc0111c");
  ASSERT_TRUE(path.ClearMarkers());
  EXPECT_EQ(Types(path), "01c0111c");
  ASSERT_TRUE(path.Reverse());  // the points run backwards (Wine's GDI+ leaves the types unsorted)
  EXPECT_EQ(Points(path), (std::vector<gdip::PointF>{{60, 7}, {50, 9}, {40, 8}, {30, 5}, {10, 20}, {1.5f, 2.5f}}));
  ASSERT_TRUE(path.Reset());
  EXPECT_EQ(Types(path), "none");
  EXPECT_TRUE(path.AddLine(3, 4, 5, 6));  // the handle is kept
}

TEST(GdipPathFillModes, WindingFillsWhereTheFigureOverlapsItselfAndAlternateLeavesIt) {
  // Two rectangles drawn the same way round: [10,50) x [5,25) and [30,70) x [15,45).
  const gdip::RectF rects[] = {{10, 5, 40, 20}, {30, 15, 40, 30}};
  auto hits = [](const Path& path) {
    std::string text;  // one rectangle alone, the overlap, outside (the overlap's mirror)
    for (gdip::Point p : {gdip::Point{15, 8}, gdip::Point{40, 20}, gdip::Point{20, 40}})
      text += path.IsVisiblePointI(p.x, p.y) ? '1' : '0';
    return text;
  };
  Path winding, alternate;
  ASSERT_TRUE(winding.Create(Gdiplus::FillModeWinding) && winding.AddRectangles(rects));
  ASSERT_TRUE(alternate.Create() && alternate.AddRectangles(rects));
  EXPECT_EQ(winding.GetFillMode(), Gdiplus::FillModeWinding);
  EXPECT_EQ(alternate.GetFillMode(), Gdiplus::FillModeAlternate);
  EXPECT_EQ(hits(winding), "110");
  EXPECT_EQ(hits(alternate), "100");
  ASSERT_TRUE(alternate.SetFillMode(Gdiplus::FillModeWinding));
  EXPECT_EQ(alternate.GetFillMode(), Gdiplus::FillModeWinding);
  EXPECT_EQ(hits(alternate), "110");

  // The same figure given as points and types, in both forms.
  const uint8_t types[] = {0, 1, 1, 0x81, 0, 1, 1, 0x81};
  const gdip::Point corners[] = {{10, 5}, {50, 5}, {50, 25}, {10, 25}, {30, 15}, {70, 15}, {70, 45}, {30, 45}};
  std::vector<gdip::PointF> cornersF;
  for (const gdip::Point& corner : corners) cornersF.push_back({float(corner.x), float(corner.y)});
  Path fromPoints;
  ASSERT_TRUE(fromPoints.CreateFromPointsI(corners, types, Gdiplus::FillModeWinding));
  EXPECT_EQ(Types(fromPoints), "0111c0111c");
  EXPECT_EQ(hits(fromPoints), "110");
  ASSERT_TRUE(fromPoints.CreateFromPointsI(corners, types));  // alternate when none is given
  EXPECT_EQ(hits(fromPoints), "100");
  ASSERT_TRUE(fromPoints.CreateFromPoints(cornersF, types, Gdiplus::FillModeWinding));
  EXPECT_EQ(hits(fromPoints), "110");
  ASSERT_TRUE(fromPoints.CreateFromPoints(cornersF, types));
  EXPECT_EQ(hits(fromPoints), "100");
  // Lists of different lengths, either the shorter, are refused in both forms; the path stays.
  EXPECT_REFUSED(!fromPoints.CreateFromPointsI(std::span(corners, 7), types));
  EXPECT_REFUSED(!fromPoints.CreateFromPointsI(corners, std::span(types, 7)));
  EXPECT_REFUSED(!fromPoints.CreateFromPoints(std::span(cornersF).first(7), types));
  EXPECT_REFUSED(!fromPoints.CreateFromPoints(cornersF, std::span(types, 7)));
  EXPECT_EQ(Types(fromPoints), "0111c0111c");
  EXPECT_EQ(hits(fromPoints), "100");
}

TEST(GdipPathHitTests, InsideAndOnTheOutlineTellXFromYAndKeepFractions) {
  Canvas canvas(10, 10);
  gdip::Pen pen = MakePen(kBlack, 4);  // 2 on either side of each edge
  Path path;
  ASSERT_TRUE(path.Create() && path.AddRectangle(9.5f, 20, 60, 30));  // [9.5, 69.5) x [20, 50)
  const gdip::Graphics* const noneOrGraphics[] = {nullptr, &canvas.graphics};
  for (const gdip::Graphics* graphics : noneOrGraphics) {
    EXPECT_TRUE(path.IsVisiblePoint(9.75f, 25, graphics));  // an integer 9 lies outside
    EXPECT_TRUE(path.IsVisiblePointI(65, 25, graphics) && !path.IsVisiblePointI(25, 65, graphics));
    EXPECT_TRUE(path.IsOutlineVisiblePoint(40, 18.25f, pen, graphics));  // an integer 18 lies outside
    EXPECT_FALSE(path.IsOutlineVisiblePoint(40, 35, pen, graphics));
    EXPECT_FALSE(path.IsOutlineVisiblePoint(18.25f, 40, pen, graphics));
    EXPECT_TRUE(path.IsOutlineVisiblePointI(70, 45, pen, graphics));
    EXPECT_FALSE(path.IsOutlineVisiblePointI(45, 70, pen, graphics));
  }
}

TEST(GdipPathTransforms, MatricesPensAndFlatnessChangeThePointsOrTheirBounds) {
  TestMatrix stretch(2, 0, 0, 3, 7, 9);  // (x, y) -> (2x + 7, 3y + 9)
  gdip::Pen pen = MakePen(kBlack, 4);
  Path path;
  ASSERT_TRUE(path.Create() && path.AddRectangleI(1, 2, 3, 4));
  EXPECT_EQ(path.GetWorldBoundsI(&stretch), (gdip::Rect{9, 15, 6, 12}));
  EXPECT_TRUE(IsNear(path.GetWorldBounds(&stretch), {9, 15, 6, 12}));
  // Room for mitred corners: half the width times the mitre limit (10) around it.
  EXPECT_TRUE(IsNear(path.GetWorldBounds(nullptr, &pen), {-19, -18, 43, 44}));
  EXPECT_EQ(path.GetWorldBoundsI(nullptr, &pen), (gdip::Rect{-19, -18, 43, 44}));
  EXPECT_EQ(path.GetWorldBoundsI(), (gdip::Rect{1, 2, 3, 4}));  // the path itself is unchanged
  ASSERT_TRUE(path.Transform(stretch));
  EXPECT_EQ(path.GetWorldBoundsI(), (gdip::Rect{9, 15, 6, 12}));

  // Flattening turns curves into lines: the coarser the flatness, the fewer.
  Path fine = EllipsePath(10.5f, 20, 60, 30), asDefault = EllipsePath(10.5f, 20, 60, 30),
       coarse = EllipsePath(10.5f, 20, 60, 30);
  ASSERT_TRUE(fine.Flatten(&stretch, 0.25f) && asDefault.Flatten(&stretch) && coarse.Flatten(&stretch, 5));
  EXPECT_EQ(Types(fine).find('3'), std::string::npos) << Types(fine);
  EXPECT_EQ(Types(asDefault), Types(fine));
  EXPECT_TRUE(IsNear(fine.GetWorldBounds(), {28, 69, 120, 90}) && IsNear(coarse.GetWorldBounds(), {28, 69, 120, 90}));
  EXPECT_LT(coarse.GetPointCount2(), fine.GetPointCount2());

  // Widening makes a line the outline a pen would draw (and then moves it).
  Path line, moved;
  ASSERT_TRUE(line.Create() && line.AddLine(10, 20.5f, 60, 20.5f) && line.Widen(pen));
  EXPECT_TRUE(IsNear(line.GetWorldBounds(), {10, 18.5f, 50, 4}));
  EXPECT_TRUE(line.IsVisiblePoint(30, 22) && !line.IsVisiblePoint(22, 30));
  ASSERT_TRUE(moved.Create() && moved.AddLine(10, 20, 60, 20) && moved.Widen(pen, &stretch, 0.5f));
  EXPECT_TRUE(IsNear(moved.GetWorldBounds(), {27, 63, 100, 12}));
  // Widening flattens the curves as finely as flattening does when no flatness is given.
  Path wideFine = EllipsePath(10, 20, 60, 30), wideDefault = EllipsePath(10, 20, 60, 30),
       wideCoarse = EllipsePath(10, 20, 60, 30);
  ASSERT_TRUE(wideFine.Widen(pen, nullptr, 0.25f) && wideDefault.Widen(pen) && wideCoarse.Widen(pen, nullptr, 5));
  EXPECT_EQ(wideDefault.GetPointCount2(), wideFine.GetPointCount2());
  EXPECT_LT(wideCoarse.GetPointCount2(), wideFine.GetPointCount2());
}

// The bounds of a rectangle turned past a right angle, from its four corners
// turned here.
TEST(GdipPathTransforms, BoundsOfARectangleTurnedPastARightAngleSpanBothDiagonals) {
  Path path;
  ASSERT_TRUE(path.Create() && path.AddRectangle(10, 20, 40, 16));
  for (double angle : {100.0, 190.0, 280.0}) {
    SCOPED_TRACE(angle);
    const float c = float(std::cos(angle * std::numbers::pi / 180)), s = float(std::sin(angle * std::numbers::pi / 180));
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
    for (auto [x, y] : {std::pair{10.0f, 20.0f}, {50.0f, 20.0f}, {50.0f, 36.0f}, {10.0f, 36.0f}}) {
      const float turnedX = x * c - y * s + 3, turnedY = x * s + y * c + 4;
      left = std::min(left, turnedX);
      right = std::max(right, turnedX);
      top = std::min(top, turnedY);
      bottom = std::max(bottom, turnedY);
    }
    TestMatrix turn(c, s, -s, c, 3, 4);
    EXPECT_TRUE(IsNear(path.GetWorldBounds(&turn), {left, top, right - left, bottom - top}, 1e-3f));
    const gdip::Rect whole = path.GetWorldBoundsI(&turn);
    EXPECT_TRUE(IsNear({float(whole.x), float(whole.y), float(whole.width), float(whole.height)},
                       {left, top, right - left, bottom - top}, 1));
  }
}

TEST(GdipPathTransforms, WarpAndWindingOutlineAreDoneOrSayTheyAreNot) {
  const gdip::RectF rects[] = {{10, 5, 40, 20}, {30, 15, 40, 30}};
  const gdip::PointF parallelogram[] = {{100, 10}, {160, 20}, {110, 50}};
  Path warped, outline;
  ASSERT_TRUE(warped.Create() && warped.AddRectangles(std::span(rects, 1)));
  ASSERT_TRUE(outline.Create() && outline.AddRectangles(rects));
  // The rectangle's corners go to the destination's; Wine's GDI+ does not warp.
  if (warped.Warp(parallelogram, rects[0], nullptr, Gdiplus::WarpModeBilinear))
    EXPECT_EQ(Points(warped), (std::vector<gdip::PointF>{{100, 10}, {160, 20}, {170, 60}, {110, 50}}));
  else
    EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::NotImplemented);
  // The rectangles become one outline around both; Wine's GDI+ does not outline.
  if (outline.WindingModeOutline())
    EXPECT_TRUE(outline.IsVisiblePoint(40, 20) && !outline.IsVisiblePoint(20, 40));
  else
    EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::NotImplemented);
}

TEST(GdipPathObjects, AdoptedAndClonedPathsAreOwnedOnce) {
  NativeObjectsBalance balance;
  Path path, copy;
  ASSERT_TRUE(path.Create() && path.AddLine(1, 2, 3, 4));
  gdip::NativeHandle first = path.NativePath();
  EXPECT_EQ(first, path.GetNativeObject());
  Gdiplus::GpPath* made = nullptr;
  ASSERT_EQ(Gdiplus::DllExports::GdipCreatePath(Gdiplus::FillModeWinding, &made), Gdiplus::Ok);
  path.SetNativePath(made);  // adopts it and releases the one it held
  EXPECT_FALSE(IsLiveNative(first));
  EXPECT_EQ(path.NativePath(), made);
  EXPECT_EQ(path.GetFillMode(), Gdiplus::FillModeWinding);
  ASSERT_TRUE(path.AddLine(5, 6, 7, 8) && path.Clone(copy) && path.AddLine(9, 10, 11, 12));
  EXPECT_EQ(copy.GetPointCount2(), 2);
  EXPECT_EQ(copy.GetFillMode(), Gdiplus::FillModeWinding);
}

TEST(GdipPathObjects, EveryOperationOnAnObjectWithoutAPathIsRefused) {
  TestMatrix matrix(2, 0, 0, 3, 7, 9);
  gdip::Pen pen = MakePen(kBlack, 4);
  gdip::FontFamily songti;
  gdip::StringFormat format;
  Path other = EllipsePath(1, 2, 3, 4);
  ASSERT_TRUE(songti.CreateFromName(kSongti) && format.Create());
  const gdip::RectF layout{1, 2, 50, 50};
  const std::string zhong = "\xD6\xD0";  // 中 in GBK
#define OPERATION(call) {#call, [&](Path& p) { return p.call; }}
  for (const auto& [call, operation] : std::initializer_list<std::pair<const char*, std::function<bool(Path&)>>>{
           OPERATION(StartFigure()), OPERATION(CloseFigure()), OPERATION(CloseFigures()), OPERATION(SetMarker()),
           OPERATION(ClearMarkers()), OPERATION(Reverse()), OPERATION(Reset()), OPERATION(AddPath(other, true)),
           OPERATION(SetFillMode(Gdiplus::FillModeWinding)), OPERATION(Transform(matrix)), OPERATION(Flatten()),
           OPERATION(Widen(pen)), OPERATION(IsVisiblePointI(2, 3)), OPERATION(IsOutlineVisiblePoint(1, 4, pen)),
           OPERATION(IsOutlineVisiblePointI(1, 4, pen)), OPERATION(AddString(zhong, songti, 40, layout, 0, format)),
           OPERATION(AddStringISimple(L"\u4E2D", songti, 40, {}, 0, format))})
    ExpectRefusedWithoutNative<Path>(operation, call);
#undef OPERATION
  // Getters give their zero value and keep the refusal.
  Path none;
  EXPECT_EQ(none.GetFillMode(), Gdiplus::FillModeAlternate);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_EQ(none.GetLastPoint(), (gdip::PointF{}));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_EQ(none.GetWorldBounds(&matrix), (gdip::RectF{}));
  EXPECT_EQ(none.GetWorldBoundsI(nullptr, &pen), (gdip::Rect{}));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}

// ---- text outlines -----------------------------------------------------------------------------

TEST(GdipPathText, TheFourFormsOutlineTheSameGlyphAndTheLayoutKeepsItsFractions) {
  gdip::FontFamily songti;
  gdip::StringFormat format, atRight;
  ASSERT_TRUE(songti.CreateFromName(kSongti) && format.Create() && atRight.Create());
  ASSERT_TRUE(atRight.SetAlign(Gdiplus::StringAlignmentFar));
  const std::string zhong = "\xD6\xD0";                 // 中 in GBK
  const std::wstring_view wide(L"\u4E2D\0\u6587", 3);  // 中, then a zero where the wide forms stop
  const gdip::Rect at{10, 30, 200, 100};
  const gdip::RectF atFraction{10.5f, 30.25f, 200, 100};
  auto outline = [&](auto add) {
    Path other;
    EXPECT_TRUE(other.Create() && add(other));
    return Points(other);
  };
  Path path;
  ASSERT_TRUE(path.Create() && path.AddStringI(zhong, songti, 40, at, 0, format));
  std::vector<gdip::PointF> base = Points(path);
  ASSERT_GT(base.size(), 10u);
  gdip::RectF bounds = path.GetWorldBounds();
  EXPECT_TRUE(bounds.x >= 10 && bounds.x < 20 && bounds.y >= 30 && bounds.y < 40) << bounds.x << ", " << bounds.y;
  EXPECT_TRUE(bounds.height > 30 && bounds.height <= 40) << bounds.height;  // an em of 40
  EXPECT_EQ(outline([&](Path& p) { return p.AddStringISimple(wide, songti, 40, at, 0, format); }), base);
  for (const auto& shifted :
       {outline([&](Path& p) { return p.AddString(zhong, songti, 40, atFraction, 0, format); }),
        outline([&](Path& p) { return p.AddStringSimple(wide, songti, 40, atFraction, 0, format); })}) {
    ASSERT_EQ(shifted.size(), base.size());
    for (size_t i = 0; i < base.size(); ++i)
      ASSERT_TRUE(IsNear(shifted[i], {base[i].x + 0.5f, base[i].y + 0.25f})) << i;
  }
  // Bold strokes are wider; a far alignment puts the glyph at the layout's right.
  EXPECT_NE(outline([&](Path& p) { return p.AddStringI(zhong, songti, 40, at, Gdiplus::FontStyleBold, format); }),
            base);
  EXPECT_GT(outline([&](Path& p) { return p.AddStringISimple(L"\u4E2D", songti, 40, at, 0, atRight); })[0].x, 150);
  // Every form takes the style.
  using Add = std::function<bool(Path&, int)>;
  for (const Add& add : {Add([&](Path& p, int s) { return p.AddString(zhong, songti, 40, atFraction, s, format); }),
                         Add([&](Path& p, int s) { return p.AddStringSimple(wide, songti, 40, atFraction, s, format); }),
                         Add([&](Path& p, int s) { return p.AddStringISimple(wide, songti, 40, at, s, format); })})
    EXPECT_NE(outline([&](Path& p) { return add(p, Gdiplus::FontStyleBold); }),
              outline([&](Path& p) { return add(p, 0); }));
}
