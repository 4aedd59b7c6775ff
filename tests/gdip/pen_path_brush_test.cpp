// Pens, paths and brushes: lengths given with buffers are checked, list
// getters keep the caller's list on failure, transform getters fill the
// matrix (or path) that the caller holds, and each transform step goes before
// or after the transform held, as its order says.
#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

using namespace gdiptest;

namespace {

template <class T>
class GdipPenAndBrushTransforms : public testing::Test {};
using TransformKinds =
    testing::Types<gdip::Pen, gdip::LinearGradientBrush, gdip::PathGradientBrush, gdip::TextureBrush>;
TYPED_TEST_SUITE(GdipPenAndBrushTransforms, TransformKinds);

}  // namespace

TYPED_TEST(GdipPenAndBrushTransforms, ScaleAndRotateAboutACentreInEitherOrderGoIntoTheCallersMatrix) {
  gdip::Bitmap picture;
  ASSERT_TRUE(picture.CreateWithFormat(2, 2));
  TypeParam object;
  ASSERT_TRUE(Kind<TypeParam>::Fill(object, picture));
  TestMatrix matrix;
  gdip::NativeHandle held = matrix.GetNativeObject();
  for (Gdiplus::MatrixOrder order : {Gdiplus::MatrixOrderPrepend, Gdiplus::MatrixOrderAppend}) {
    SCOPED_TRACE(order);
    // Prepend scales about (4, 5) before the translation by (1, 0); append after it.
    ASSERT_TRUE(object.ResetTransform() && object.TranslateTransform(1, 0) && object.ScaleAt(2, 3, {4, 5}, order));
    ASSERT_TRUE(object.GetTransform(matrix));
    EXPECT_EQ(matrix.GetNativeObject(), held);
    bool prepend = order == Gdiplus::MatrixOrderPrepend;
    EXPECT_EQ(MatrixApply(matrix, prepend ? 4 : 3, 5), (gdip::PointF{prepend ? 5.0f : 4.0f, 5}));
    EXPECT_EQ(MatrixApply(matrix, prepend ? 5 : 4, 5), (gdip::PointF{prepend ? 7.0f : 6.0f, 5}));
  }
  if constexpr (!std::is_same_v<TypeParam, gdip::LinearGradientBrush>) {  // Wine's GDI+ does not rotate those
    ASSERT_TRUE(object.ResetTransform() && object.RotateAt(90, {5, 5}) && object.GetTransform(matrix));
    gdip::PointF centre = MatrixApply(matrix, 5, 5), turned = MatrixApply(matrix, 6, 5);
    EXPECT_NEAR(centre.x, 5, 1e-4);
    EXPECT_NEAR(centre.y, 5, 1e-4);
    EXPECT_NEAR(turned.x, 5, 1e-4);
    EXPECT_NEAR(turned.y, 6, 1e-4);
  }
  TestMatrix none;
  none.SetNativeObject(nullptr);
  EXPECT_FALSE(object.GetTransform(none));
}

// From the transform "double the width, then move by (1, 2)", each step is
// taken before (prepend) or after (append) it; the point (3, 5) shows which.
// A step whose order is left out goes before, as GDI+'s own calls do.
TYPED_TEST(GdipPenAndBrushTransforms, EachStepGoesBeforeOrAfterTheTransformHeld) {
  gdip::Bitmap surface;
  ASSERT_TRUE(surface.CreateWithFormat(2, 2));
  TypeParam object, empty, probe;
  ASSERT_TRUE(Kind<TypeParam>::Fill(object, surface) && Kind<TypeParam>::Fill(probe, surface));
  // Wine's GDI+ does not rotate a line gradient.
  bool rotates = probe.RotateTransform(90) || gdip::LastGdipStatus() != Gdiplus::NotImplemented;
  TestMatrix held(2, 0, 0, 1, 1, 2), stretch(2, 0, 0, 3);
  using Order = std::optional<Gdiplus::MatrixOrder>;
  struct Step {
    const char* name;
    std::function<bool(TypeParam&, Order)> take;
    bool turns;
    gdip::PointF prepended, appended;
  } steps[] = {
      {"multiply", [&](TypeParam& o, Order order) { return LAST_IF_GIVEN(order, o.MultiplyTransform, stretch); }, false,
       {13, 17}, {14, 21}},
      {"scale", [](TypeParam& o, Order order) { return LAST_IF_GIVEN(order, o.ScaleTransform, 2, 3); }, false, {13, 17},
       {14, 21}},
      {"translate", [](TypeParam& o, Order order) { return LAST_IF_GIVEN(order, o.TranslateTransform, 10, 20); }, false,
       {27, 27}, {17, 27}},
      {"rotate", [](TypeParam& o, Order order) { return LAST_IF_GIVEN(order, o.RotateTransform, 90); }, true, {-9, 5},
       {-7, 7}},
      {"scale about (4, 6)", [](TypeParam& o, Order order) { return LAST_IF_GIVEN(order, o.ScaleAt, 2, 3, {4, 6}); }, false,
       {5, 5}, {10, 9}},
      {"rotate about (4, 6)", [](TypeParam& o, Order order) { return LAST_IF_GIVEN(order, o.RotateAt, 90, {4, 6}); }, true,
       {11, 7}, {3, 9}},
  };
  for (const Step& step : steps) {
    for (Order order : {Order(Gdiplus::MatrixOrderPrepend), Order(Gdiplus::MatrixOrderAppend), Order()}) {
      SCOPED_TRACE(std::string(step.name) + (!order                                   ? " with no order"
                                             : order == Gdiplus::MatrixOrderPrepend ? " prepended"
                                                                                    : " appended"));
      ASSERT_TRUE(object.SetTransform(held));
      bool taken = step.take(object, order);
      gdip::PointF expected = order != Gdiplus::MatrixOrderAppend ? step.prepended : step.appended;
      if (step.turns && !rotates) {
        if (!taken) continue;
        expected = {7, 7};  // RotateAt still makes both moves, which cancel
      }
      EXPECT_TRUE(taken);
      std::optional<gdip::PointF> mapped = Mapped(object, 3, 5);
      ASSERT_TRUE(mapped);
      EXPECT_NEAR(mapped->x, expected.x, 1e-4);
      EXPECT_NEAR(mapped->y, expected.y, 1e-4);
      gdip::SetLastGdipStatus(Gdiplus::Ok);
      EXPECT_FALSE(step.take(empty, order));
      EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
    }
  }
}

TEST(GdipPen, AUnitNoIntegerHoldsIsRefusedAndDashListsComeBackOrStayPut) {
  gdip::Pen pen = MakePen(kBlack, 1), empty;
  // Refused before GDI+ is called (Wine's GDI+ has no GdipSetPenUnit, so a whole unit is not set here).
  EXPECT_REFUSED(!pen.SetUnit(1e30f));
  EXPECT_REFUSED(!pen.SetUnit(std::nanf("")));
  EXPECT_REFUSED(!pen.SetUnit(2147483648.0f));   // 2^31: a whole number, but past an int
  EXPECT_REFUSED(!pen.SetUnit(-2147483904.0f));  // the float below -2^31
  EXPECT_EQ(pen.GetUnit(), Gdiplus::UnitWorld);
  const float dashes[] = {3, 1};
  ASSERT_TRUE(pen.SetDashArray(dashes));
  std::vector<float> fetched{9, 9, 9}, kept{7};
  EXPECT_EQ(pen.GetDashArray(fetched), 2);
  EXPECT_EQ(fetched, (std::vector<float>{3, 1}));
  EXPECT_EQ(empty.GetDashArray(kept), 0);
  EXPECT_EQ(empty.GetCompoundArray(kept), 0);
  EXPECT_EQ(kept, std::vector<float>{7});
}

namespace {

int handedUnit = -1;
Gdiplus::GpStatus WINGDIPAPI KeepPenUnit(Gdiplus::GpPen*, Gdiplus::GpUnit unit) {
  handedUnit = int(unit);
  return Gdiplus::Ok;
}

}  // namespace

// GDI+ is handed the unit cut toward zero, fractions above one half too, and
// the whole numbers at int's edges. Wine's GDI+ sets no pen unit, so a
// stand-in looks at what it is handed.
TEST(GdipPen, AUnitIsCutTowardZero) {
  gdip::Pen pen = MakePen(kBlack, 1);
  gdiptest::GdiplusStandIn standIn = GDIPLUS_STAND_IN(GdipSetPenUnit, KeepPenUnit);
  const struct {
    float given;
    int handed;
  } kUnits[] = {{2.9f, 2}, {3.5f, 3}, {0.99f, 0}, {-0.7f, 0}, {2147483520.0f, 2147483520}, {-2147483648.0f, INT_MIN}};
  for (const auto& unit : kUnits) {
    handedUnit = -1;
    EXPECT_TRUE(pen.SetUnit(unit.given)) << unit.given;
    EXPECT_EQ(handedUnit, unit.handed) << unit.given;
  }
}

TEST(GdipPen, AFetchOfNoDashesOrStripesEmptiesTheCallersList) {
  gdip::Pen pen = MakePen(kBlack, 3);
  std::vector<float> dashes{3, 1}, stripes{0, 1};
  EXPECT_EQ(pen.GetDashArray(dashes), 0);
  EXPECT_TRUE(dashes.empty());
  EXPECT_EQ(pen.GetCompoundArray(stripes), 0);
  EXPECT_TRUE(stripes.empty());
}

TEST(GdipPath, APathWithoutPointsGivesAnEmptyRecordNotTheLastOne) {
  gdip::GraphicsPath path;
  gdip::PathData data;
  ASSERT_TRUE(path.Create() && path.AddRectangleI(1, 2, 3, 4) && path.GetData(data));
  ASSERT_EQ(data.count, 4);
  ASSERT_TRUE(path.Reset());
  EXPECT_FALSE(path.GetData(data));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_EQ(data.count, 0);
  EXPECT_TRUE(data.points.empty());
  EXPECT_TRUE(data.types.empty());
}

TEST(GdipPath, PointsAndTypesComeBackAndAFailedFetchKeepsTheList) {
  gdip::GraphicsPath path;
  ASSERT_TRUE(path.Create());
  std::vector<gdip::PointF> points{{9, 9}};
  EXPECT_FALSE(path.GetPoints(points));  // no points yet
  EXPECT_EQ(points.size(), 1u);
  ASSERT_TRUE(path.AddRectangleI(1, 2, 3, 4));
  EXPECT_TRUE(path.GetPoints(points));
  EXPECT_EQ(points, (std::vector<gdip::PointF>{{1, 2}, {4, 2}, {4, 6}, {1, 6}}));
  std::vector<gdip::Point> whole;
  EXPECT_TRUE(path.GetPointsI(whole, 6));  // a larger count sizes the list to it
  ASSERT_EQ(whole.size(), 6u);
  EXPECT_EQ(whole[2], (gdip::Point{4, 6}));
  EXPECT_REFUSED(!path.GetPointsI(whole, -1));
  EXPECT_EQ(whole.size(), 6u);
  gdip::PathData data;
  std::vector<uint8_t> types;
  EXPECT_TRUE(path.GetTypes(types) && path.GetData(data));
  EXPECT_EQ(types, (std::vector<uint8_t>{0, 1, 1, 0x81}));  // start, line, line, closing line
  EXPECT_EQ(data.count, 4);
  EXPECT_EQ(data.points[1], (gdip::PointF{4, 2}));
  EXPECT_EQ(data.points, points);  // every point, in a list as long as the path
  EXPECT_EQ(data.types, types);
  // A count larger than memory holds: refused, the lists as they were, and the program goes on.
  EXPECT_OUT_OF_MEMORY(!path.GetPoints(points, INT_MAX));
  EXPECT_OUT_OF_MEMORY(!path.GetPointsI(whole, INT_MAX));
  EXPECT_OUT_OF_MEMORY(!path.GetTypes(types, INT_MAX));
  EXPECT_EQ(points, (std::vector<gdip::PointF>{{1, 2}, {4, 2}, {4, 6}, {1, 6}}));
  EXPECT_EQ(whole.size(), 6u);
  EXPECT_EQ(types, (std::vector<uint8_t>{0, 1, 1, 0x81}));

  // Lists with more room than the count asked for come back as long as the count.
  std::vector<gdip::PointF> roomyPoints(10, {9, 9});
  std::vector<gdip::Point> roomyWhole(10, {9, 9});
  std::vector<uint8_t> roomyTypes(10, 9);
  EXPECT_TRUE(path.GetPoints(roomyPoints, 5) && path.GetPointsI(roomyWhole, 5) && path.GetTypes(roomyTypes, 5));
  EXPECT_EQ(roomyPoints, (std::vector<gdip::PointF>{{1, 2}, {4, 2}, {4, 6}, {1, 6}, {0, 0}}));
  EXPECT_EQ(roomyWhole, (std::vector<gdip::Point>{{1, 2}, {4, 2}, {4, 6}, {1, 6}, {0, 0}}));
  EXPECT_EQ(roomyTypes, (std::vector<uint8_t>{0, 1, 1, 0x81, 0}));
}

namespace {

// Stand-ins that answer `handedLength` for the length of a list and count
// how often GDI+ is then asked for the list itself (which they leave alone).
INT handedLength = 0;
int listsAskedFor = 0;
template <class Handle>
Gdiplus::GpStatus WINGDIPAPI HandedLength(Handle, INT* length) {
  *length = handedLength;
  return Gdiplus::Ok;
}
template <class... Arguments>
Gdiplus::GpStatus WINGDIPAPI ListAskedFor(Arguments...) {
  ++listsAskedFor;
  return Gdiplus::Ok;
}

// A length past what a list of `Element` can be (INT_MAX), and the longest
// it can be, whose bytes (2 GB) a 32-bit program's memory cannot hold.
template <class Element>
std::vector<std::pair<const char*, INT>> LengthsMemoryCannotHold() {
  return {{"INT_MAX", INT_MAX}, {"the longest list", INT(std::vector<Element>().max_size())}};
}

}  // namespace

// The list getters whose length GDI+ gives first (one list, two parallel
// lists, a path's points and types), told a length that memory cannot hold:
// each fails with OutOfMemory, no exception leaves the library, GDI+ is not
// asked for the list, the caller's list stays as it was, and no GDI+ object is
// left behind.
TEST(GdipListFetch, ALengthMemoryCannotHoldIsOutOfMemoryAndTheCallersListStays) {
  gdip::Pen pen = MakePen(kBlack, 1);
  gdip::LinearGradientBrush brush;
  ASSERT_TRUE(brush.CreateFromRectI({0, 0, 100, 20}, kRed, kBlue));
  gdip::GraphicsPath path = EllipsePath(0, 0, 10, 10);
  gdiptest::GdiplusStandIn standIns[] = {
      GDIPLUS_STAND_IN(GdipGetPenDashCount, HandedLength), GDIPLUS_STAND_IN(GdipGetPenDashArray, ListAskedFor),
      GDIPLUS_STAND_IN(GdipGetLineBlendCount, HandedLength), GDIPLUS_STAND_IN(GdipGetLineBlend, ListAskedFor),
      GDIPLUS_STAND_IN(GdipGetPointCount, HandedLength), GDIPLUS_STAND_IN(GdipGetPathData, ListAskedFor)};
  const struct {
    const char* name;
    std::vector<std::pair<const char*, INT>> lengths;
    std::function<bool()> fetchFailsAndKeepsTheList;
  } fetches[] = {
      {"a pen's dashes", LengthsMemoryCannotHold<float>(),
       [&] {
         std::vector<float> dashes{7};
         bool failed = pen.GetDashArray(dashes) == 0;
         EXPECT_EQ(dashes, std::vector<float>{7});
         return failed;
       }},
      {"a gradient's blend", LengthsMemoryCannotHold<float>(),
       [&] {
         std::vector<float> factors{7}, positions{8, 9};
         bool failed = brush.GetBlend(factors, positions) == 0;
         EXPECT_EQ(factors, std::vector<float>{7});
         EXPECT_EQ(positions, (std::vector<float>{8, 9}));
         return failed;
       }},
      {"a path's data", LengthsMemoryCannotHold<gdip::PointF>(),
       [&] {
         gdip::PathData data{1, {{7, 7}}, {1}};
         bool failed = !path.GetData(data);
         EXPECT_EQ(data.count, 1);
         EXPECT_EQ(data.points, (std::vector<gdip::PointF>{{7, 7}}));
         EXPECT_EQ(data.types, std::vector<uint8_t>{1});
         return failed;
       }},
  };
  for (const auto& fetch : fetches) {
    for (const auto& [lengthName, length] : fetch.lengths) {
      SCOPED_TRACE(std::string(fetch.name) + ", a length of " + lengthName);
      handedLength = length;
      listsAskedFor = 0;
      NativeObjectsBalance balance;
      EXPECT_FAILS_WITHOUT_THROWING(fetch.fetchFailsAndKeepsTheList(), Gdiplus::OutOfMemory);
      EXPECT_EQ(listsAskedFor, 0);
    }
  }
}

namespace {

// A fetch of a path's list into the caller's list of `count` elements, and
// GDI+'s own call into a buffer of `count` elements: the status of each.
template <class Element>
struct PathFetch {
  const char* name;
  bool (gdip::GraphicsPath::*fetch)(std::vector<Element>&, std::optional<int>) const;
  std::function<Gdiplus::GpStatus(Gdiplus::GpPath*, Element*, INT)> flat;
};

// Each count about the path's `whole` list: none, or one short of it, fails
// with the status GDI+'s own call answers (InsufficientBuffer one short) and
// the caller's list stays; exactly the path's count, or one more, fills the
// list as long as the count (the place past the path's last left zero).
template <class Element>
void ExpectCountsAboutThePath(const gdip::GraphicsPath& path, const PathFetch<Element>& fetch,
                              const std::vector<Element>& whole, const Element& kept) {
  const int n = int(whole.size());
  for (int count : {0, n - 1, n, n + 1}) {
    SCOPED_TRACE(std::string(fetch.name) + ", a count of " + std::to_string(count));
    std::vector<Element> buffer(size_t(count) + 1), list{kept};
    const Gdiplus::GpStatus own = fetch.flat(path.NativePath(), buffer.data(), count);
    if (count < n) {
      EXPECT_NE(own, Gdiplus::Ok);
      if (count > 0) {
        EXPECT_EQ(own, Gdiplus::InsufficientBuffer);
      }
      EXPECT_FAILS_WITH(!(path.*fetch.fetch)(list, count), own);
      EXPECT_EQ(list, std::vector<Element>{kept});
      continue;
    }
    EXPECT_EQ(own, Gdiplus::Ok);
    std::vector<Element> expected = whole;
    expected.resize(size_t(count));
    EXPECT_TRUE((path.*fetch.fetch)(list, count));
    EXPECT_EQ(list, expected);
  }
}

}  // namespace

// Points, whole points and types, each about a path of four points.
TEST(GdipPath, AFetchIntoOnePlaceFewerThanThePathsPointsIsRefusedAndIntoExactlyAsManyTaken) {
  namespace Flat = Gdiplus::DllExports;
  gdip::GraphicsPath path;
  ASSERT_TRUE(path.Create() && path.AddRectangleI(1, 2, 3, 4));
  ExpectCountsAboutThePath<gdip::PointF>(
      path, {"points", &gdip::GraphicsPath::GetPoints, [](auto* p, gdip::PointF* buffer, INT count) {
               return Flat::GdipGetPathPoints(p, reinterpret_cast<Gdiplus::PointF*>(buffer), count);
             }},
      {{1, 2}, {4, 2}, {4, 6}, {1, 6}}, {9, 9});
  ExpectCountsAboutThePath<gdip::Point>(
      path, {"whole points", &gdip::GraphicsPath::GetPointsI, [](auto* p, gdip::Point* buffer, INT count) {
               return Flat::GdipGetPathPointsI(p, reinterpret_cast<Gdiplus::Point*>(buffer), count);
             }},
      {{1, 2}, {4, 2}, {4, 6}, {1, 6}}, {9, 9});
  ExpectCountsAboutThePath<uint8_t>(
      path, {"types", &gdip::GraphicsPath::GetTypes, [](auto* p, uint8_t* buffer, INT count) {
               return Flat::GdipGetPathTypes(p, buffer, count);
             }},
      {0, 1, 1, 0x81}, 9);
}

TEST(GdipPath, PointsAndTypesOfDifferentLengthsAreRefused) {
  const gdip::PointF points[] = {{0, 0}, {10, 0}, {10, 10}};
  const uint8_t types[] = {Gdiplus::PathPointTypeStart, Gdiplus::PathPointTypeLine,
                           Gdiplus::PathPointTypeLine | Gdiplus::PathPointTypeCloseSubpath};
  gdip::GraphicsPath path;
  EXPECT_REFUSED(!path.CreateFromPoints(points, std::span(types, 2)));
  EXPECT_EQ(path.GetNativeObject(), nullptr);
  ASSERT_TRUE(path.CreateFromPoints(points, types));
  EXPECT_TRUE(path.IsVisiblePoint(8, 2));
  EXPECT_FALSE(path.IsVisiblePoint(2, 8));
}

// One type for each point: types one short of the points or one past them
// are refused in both forms, and nothing is made; exactly as many make the path.
TEST(GdipPath, TypesOneShortOfThePointsOrOnePastThemAreRefusedInBothForms) {
  const gdip::PointF points[] = {{0, 0}, {10, 0}, {10, 10}};
  const gdip::Point whole[] = {{0, 0}, {10, 0}, {10, 10}};
  const uint8_t types[] = {Gdiplus::PathPointTypeStart, Gdiplus::PathPointTypeLine,
                           Gdiplus::PathPointTypeLine | Gdiplus::PathPointTypeCloseSubpath,
                           Gdiplus::PathPointTypeLine};
  for (size_t count : {2, 3, 4}) {
    for (bool integer : {false, true}) {
      SCOPED_TRACE(std::to_string(count) + " types" + (integer ? ", integer form" : ""));
      gdip::GraphicsPath path;
      auto make = [&] {
        return integer ? path.CreateFromPointsI(whole, std::span(types, count))
                       : path.CreateFromPoints(points, std::span(types, count));
      };
      if (count != std::size(points)) {
        EXPECT_REFUSED(!make());
        EXPECT_EQ(path.GetNativeObject(), nullptr);
        continue;
      }
      ASSERT_TRUE(make());
      EXPECT_TRUE(path.IsVisiblePoint(8, 2));
      EXPECT_FALSE(path.IsVisiblePoint(2, 8));
    }
  }
}

TEST(GdipPath, RoundRectanglePercentagesAreClamped) {
  gdip::GraphicsPath round, ellipse, whole;
  ASSERT_TRUE(round.Create() && round.AddRoundRect(0, 0, 100, 50, 20));  // corner boxes 20 x 10
  EXPECT_EQ(round.GetWorldBounds(), (gdip::RectF{0, 0, 100, 50}));
  EXPECT_TRUE(round.IsVisiblePoint(50, 1));  // top edge between the arcs
  EXPECT_FALSE(round.IsVisiblePoint(1, 1) || round.IsVisiblePointI(99, 49));
  ASSERT_TRUE(ellipse.Create() && ellipse.AddRoundRect(0, 0, 100, 50, 150));  // 150 % is one whole ellipse
  EXPECT_TRUE(ellipse.IsVisiblePoint(50, 25) && !ellipse.IsVisiblePoint(10, 5));
  std::vector<gdip::PointF> clamped, hundred;
  ASSERT_TRUE(whole.Create() && whole.AddRoundRect(0, 0, 100, 50, 100) && ellipse.GetPoints(clamped));
  EXPECT_TRUE(whole.GetPoints(hundred) && clamped == hundred);
  // Corner boxes are cut to whole pixels: 20 % of 38 x 28 (7.6 x 5.6) gives 7 x 5.
  gdip::GraphicsPath cut;
  std::vector<gdip::PointF> points;
  ASSERT_TRUE(cut.Create() && cut.AddRoundRect(0, 0, 38, 28, 20) && cut.GetPoints(points));
  ASSERT_GE(points.size(), 5u);
  EXPECT_TRUE(IsNear(points[0], {34.5f, 0}));   // the top right arc, from its box's top middle
  EXPECT_TRUE(IsNear(points[3], {38, 2.5f}));   // to its right middle
  EXPECT_TRUE(IsNear(points[4], {38, 25.5f}));  // and the bottom right one's box, 5 high
}

TEST(GdipLinearGradient, BlendsRoundTripAndPositionsFewerThanFactorsAreRefused) {
  gdip::LinearGradientBrush brush, empty;
  ASSERT_TRUE(brush.CreateFromRectI({0, 0, 100, 20}, kRed, kBlue));
  const float factors[] = {0, 1, 0}, positions[] = {0, 0.5f, 1};
  ASSERT_TRUE(brush.SetBlend(factors, positions));
  std::vector<float> gotFactors, gotPositions, kept{5};
  EXPECT_EQ(brush.GetBlend(gotFactors, gotPositions), 3);
  EXPECT_EQ(gotFactors, (std::vector<float>{0, 1, 0}));
  EXPECT_EQ(gotPositions, (std::vector<float>{0, 0.5f, 1}));
  EXPECT_REFUSED(!brush.SetBlend(factors, std::span(positions, 2)));  // would be read past their end
  EXPECT_EQ(brush.GetBlendCount(), 3);
  EXPECT_EQ(empty.GetBlend(kept, gotPositions), 0);
  EXPECT_EQ(kept, std::vector<float>{5});
  EXPECT_EQ(gotPositions.size(), 3u);
}

TEST(GdipPathGradient, SurroundCountsAreChecked) {
  const gdip::PointF square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  gdip::PathGradientBrush brush;
  ASSERT_TRUE(brush.Create(square));
  const gdip::Argb colours[] = {kRed, kGreen};
  int tooMany = 3, count = 2, asked = 5;
  EXPECT_REFUSED(!brush.SetSurroundColorsWithCount(colours, &tooMany));
  EXPECT_TRUE(brush.SetSurroundColorsWithCount(colours, &count));
  EXPECT_EQ(count, 2);
  std::vector<gdip::Argb> fetched(4, 0);
  EXPECT_REFUSED(!brush.GetSurroundColorsWithCount(fetched, asked));  // larger than the list
  asked = 4;
  EXPECT_TRUE(brush.GetSurroundColorsWithCount(fetched, asked));
  EXPECT_EQ(asked, 2);  // the colours the brush has, not the room given
  EXPECT_EQ(fetched[0], kRed);
  EXPECT_EQ(fetched[1], kGreen);

  // A list with more room than asked for: GDI+ is told the count, not the room,
  // and writes nothing past it (Wine's refuses a count below the brush's
  // points; either way the places not asked for keep what they held).
  for (int count : {4, 2}) {
    SCOPED_TRACE(count);
    std::vector<gdip::Argb> roomy(8, kBlue);
    asked = count;
    (void)brush.GetSurroundColorsWithCount(roomy, asked);
    EXPECT_EQ(std::count(roomy.begin() + count, roomy.end(), kBlue), 8 - count);
  }
}

TEST(GdipPathGradient, BoundaryPathGoesIntoThePathTheCallerHolds) {
  gdip::GraphicsPath boundary, target;
  ASSERT_TRUE(boundary.Create() && boundary.AddRectangle(0, 0, 30, 20) && target.Create());
  gdip::PathGradientBrush brush;
  ASSERT_TRUE(brush.CreateFromPath(boundary));
  gdip::NativeHandle held = target.GetNativeObject();
  if (brush.GetGraphicsPath(target))
    EXPECT_EQ(target.GetWorldBounds(), (gdip::RectF{0, 0, 30, 20}));
  else  // Wine's GDI+ does not copy a boundary out
    EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::NotImplemented);
  EXPECT_EQ(target.GetNativeObject(), held);  // either way the path keeps its own native path
  EXPECT_TRUE(target.AddLine(0, 0, 1, 1));
}

