// Every outline and fill of Graphics in both its forms, from one table. A
// row gives the integer form's arguments; the float form gets a tenth of each
// under a world transform that scales by ten, so both must cover and leave
// the same pixels, and a float form that lost its fractions (15 -> 1.5 -> 1)
// would land pixels away.
#include <functional>

#include "tests/gdip/gdip_test_support.h"

using namespace gdiptest;

namespace {

using FloatDraw = std::function<bool(gdip::Graphics&, const gdip::Pen&, const gdip::Brush&,
                                     std::span<const gdip::PointF>)>;
using IntDraw = std::function<bool(gdip::Graphics&, const gdip::Pen&, const gdip::Brush&,
                                   std::span<const gdip::Point>)>;

// Each pair of points (x, y), (width, height) as a rectangle of the points' kind.
template <class P>
auto Rects(std::span<const P> p) {
  std::vector<std::conditional_t<std::is_same_v<P, gdip::PointF>, gdip::RectF, gdip::Rect>> rects;
  for (size_t i = 0; i + 1 < p.size(); i += 2) rects.push_back({p[i].x, p[i].y, p[i + 1].x, p[i + 1].y});
  return rects;
}

// The float form F and the integer form FI of one call, with the same
// arguments written once in terms of p (the points), pen and brush.
#define TWIN(F, ...)                                                                                        \
  [](gdip::Graphics& g, [[maybe_unused]] const gdip::Pen& pen, [[maybe_unused]] const gdip::Brush& brush,      \
     [[maybe_unused]] std::span<const gdip::PointF> p) { return g.F(__VA_ARGS__); },                         \
      [](gdip::Graphics& g, [[maybe_unused]] const gdip::Pen& pen, [[maybe_unused]] const gdip::Brush& brush,  \
         [[maybe_unused]] std::span<const gdip::Point> p) { return g.F##I(__VA_ARGS__); }
// The first two points as x, y, width, height.
#define BOX p[0].x, p[0].y, p[1].x, p[1].y

struct Shape {
  const char* name;
  std::vector<gdip::Point> points;  // the integer form's coordinates
  FloatDraw drawFloat;
  IntDraw drawInt;
  std::vector<gdip::Point> covers, leaves;
  bool list = false;  // the points go to GDI+ as an array: an empty one is refused
};

// A five-pointed star drawn in one stroke: its centre is inside twice, so
// filled under the winding rule only.
const std::vector<gdip::Point> kStar = {{51, 7}, {72, 68}, {17, 29}, {86, 29}, {29, 68}};

const Shape kShapes[] = {
    {"Line", {{29, 19}, {79, 68}}, TWIN(DrawLine, pen, BOX), {{75, 65}, {31, 23}, {33, 21}}, {{55, 55}, {23, 23}}},
    {"Lines", {{11, 19}, {81, 19}, {81, 68}}, TWIN(DrawLines, pen, p), {{79, 61}, {17, 19}}, {{7, 19}, {15, 11}}, true},
    {"Arc", {{19, 29}, {69, 39}}, TWIN(DrawArc, pen, BOX, 330, 120), {{77, 65}, {87, 53}}, {{69, 35}, {51, 61}}},
    {"Bezier", {{19, 69}, {29, 9}, {89, 19}, {79, 59}}, TWIN(DrawBezier, pen, BOX, p[2].x, p[2].y, p[3].x, p[3].y),
     {{81, 55}, {19, 65}, {41, 29}}, {{57, 19}, {31, 29}}},
    {"Beziers", {{11, 69}, {9, 11}, {41, 9}, {42, 41}, {43, 72}, {91, 72}, {89, 11}}, TWIN(DrawBeziers, pen, p),
     {{15, 37}, {11, 59}}, {{37, 53}, {49, 35}}, true},
    {"Rectangle", {{19, 9}, {59, 39}}, TWIN(DrawRectangle, pen, BOX), {{75, 47}, {19, 9}}, {{81, 55}, {13, 53}}},
    {"Rectangles", {{11, 9}, {28, 21}, {57, 36}, {36, 31}}, TWIN(DrawRectangles, pen, Rects(p)),
     {{55, 67}, {11, 9}}, {{5, 35}, {45, 35}}, true},
    {"Ellipse", {{19, 29}, {69, 39}}, TWIN(DrawEllipse, pen, BOX), {{77, 65}, {25, 35}}, {{29, 53}, {83, 29}}},
    {"Pie", {{19, 29}, {69, 39}}, TWIN(DrawPie, pen, BOX, 330, 120), {{77, 65}, {59, 43}}, {{61, 53}, {83, 29}}},
    {"Polygon", {{11, 9}, {88, 9}, {11, 69}}, TWIN(DrawPolygon, pen, p),
     {{9, 69}, {11, 9}}, {{27, 47}, {31, 63}}, true},
    {"Curve", {{11, 61}, {38, 18}, {67, 62}, {94, 21}}, TWIN(DrawCurve, pen, p),
     {{73, 61}, {19, 49}}, {{27, 45}, {41, 33}}, true},
    {"Curve2", {{11, 61}, {49, 19}, {88, 59}}, TWIN(DrawCurve2, pen, p, 1.5f),
     {{23, 33}, {49, 19}}, {{91, 65}, {35, 13}}, true},
    // Two segments from the second point: probes where the neighbours left
    // out would change little, and on the segment after the two.
    {"Curve3", {{6, 25}, {27, 14}, {52, 66}, {77, 18}, {94, 60}}, TWIN(DrawCurve3, pen, p, 1, 2, 1.5f),
     {{59, 67}, {45, 65}}, {{7, 19}, {47, 55}, {90, 40}}, true},
    {"ClosedCurve", {{19, 21}, {81, 33}, {52, 71}}, TWIN(DrawClosedCurve, pen, p),
     {{19, 29}, {19, 33}}, {{49, 29}, {89, 33}}, true},
    {"ClosedCurve2", {{19, 21}, {81, 33}, {52, 71}}, TWIN(DrawClosedCurve2, pen, p, 1.0f),
     {{15, 27}, {15, 35}}, {{73, 35}, {41, 75}}, true},
    {"FillRectangle", {{19, 9}, {59, 39}}, TWIN(FillRectangle, brush, BOX), {{71, 43}, {39, 29}}, {{17, 7}, {19, 51}}},
    {"FillRectangleColor", {{19, 9}, {59, 39}},
     [](gdip::Graphics& g, const gdip::Pen&, const gdip::Brush& brush, std::span<const gdip::PointF> p) {
       return g.FillRectangleColor(brush, {BOX});
     },
     [](gdip::Graphics& g, const gdip::Pen&, const gdip::Brush& brush, std::span<const gdip::Point> p) {
       return g.FillRectangleI(brush, BOX);
     },
     {{71, 43}, {39, 29}}, {{17, 7}, {19, 51}}},
    {"FillRectangles", {{11, 9}, {28, 21}, {57, 36}, {36, 31}}, TWIN(FillRectangles, brush, Rects(p)),
     {{61, 61}, {73, 51}}, {{9, 7}, {41, 7}}, true},
    {"FillEllipse", {{19, 29}, {69, 39}}, TWIN(FillEllipse, brush, BOX), {{77, 59}, {53, 49}}, {{21, 31}, {87, 39}}},
    {"FillPie", {{19, 29}, {69, 39}}, TWIN(FillPie, brush, BOX, 330, 120), {{77, 59}, {65, 55}}, {{21, 45}, {51, 49}}},
    {"FillPolygon", kStar, TWIN(FillPolygon, brush, p, Gdiplus::FillModeWinding),
     {{35, 59}, {43, 37}}, {{31, 55}, {69, 69}}, true},
    {"FillClosedCurve", {{19, 21}, {81, 33}, {52, 71}}, TWIN(FillClosedCurve, brush, p),
     {{23, 29}, {55, 45}}, {{11, 21}, {37, 17}}, true},
    {"FillClosedCurve2", kStar, TWIN(FillClosedCurve2, brush, p, 0.0f, Gdiplus::FillModeWinding),
     {{43, 37}, {55, 41}}, {{59, 21}, {31, 55}}, true},
    // With the fill mode left out: alternate, the star's centre stays empty.
    {"FillPolygon, no mode", kStar, TWIN(FillPolygon, brush, p), {{35, 59}, {51, 15}}, {{43, 37}, {55, 41}}, true},
    {"FillClosedCurve2, no mode", kStar, TWIN(FillClosedCurve2, brush, p, 0.0f), {{35, 59}, {51, 15}},
     {{43, 37}, {55, 41}}, true},
};
#undef BOX
#undef TWIN

}  // namespace

TEST(GdipShapes, EachFormCoversItsPixelsAndLeavesTheOthers) {
  // Pens and brushes of one colour. The float pen is a tenth as wide, as
  // everything the float forms draw.
  gdip::SolidBrush brush = MakeBrush(kBlue);
  gdip::Pen tenthPen = MakePen(kBlue, 1), pen = MakePen(kBlue, 10);
  for (const Shape& shape : kShapes) {
    for (bool floatForm : {true, false}) {
      SCOPED_TRACE(std::string(shape.name) + (floatForm ? "" : "I"));
      Canvas canvas(100, 80, kWhite);
      gdip::Graphics& g = canvas.graphics;
      gdip::SetLastGdipStatus(Gdiplus::GenericError);
      if (floatForm) {
        ASSERT_TRUE(g.ScaleWorldTransform(10, 10));
        EXPECT_TRUE(shape.drawFloat(g, tenthPen, brush, Divided(shape.points, 10)));
      } else {
        EXPECT_TRUE(shape.drawInt(g, pen, brush, shape.points));
      }
      EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
      for (const gdip::Point& p : shape.covers) ExpectPixels(canvas, {{p.x, p.y, kBlue}});
      for (const gdip::Point& p : shape.leaves) ExpectPixels(canvas, {{p.x, p.y, kWhite}});
    }
  }
}

TEST(GdipShapes, AnEmptyGraphicsOrAnEmptyListIsRefusedByGdiplus) {
  gdip::SolidBrush brush = MakeBrush(kBlue);
  gdip::Pen pen = MakePen(kBlue, 1);
  gdip::Graphics empty;
  Canvas canvas(10, 10);
  for (const Shape& shape : kShapes) {
    SCOPED_TRACE(shape.name);
    EXPECT_REFUSED(!shape.drawFloat(empty, pen, brush, Divided(shape.points, 10)));
    EXPECT_REFUSED(!shape.drawInt(empty, pen, brush, shape.points));
    if (!shape.list) continue;
    EXPECT_REFUSED(!shape.drawFloat(canvas.graphics, pen, brush, {}));
    EXPECT_REFUSED(!shape.drawInt(canvas.graphics, pen, brush, {}));
  }
}
