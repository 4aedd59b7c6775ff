// Every image drawing of Graphics in both its forms, from one table, as the
// shapes are: the float form gets a tenth of each destination coordinate
// under a tenfold world transform, and a picture of ten times the resolution
// where the picture keeps its own size. Then cached bitmaps and the drawing
// through a colour matrix.
#include <cmath>
#include <functional>

#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

using namespace gdiptest;

namespace {

// 40 x 20 pixels in four quadrants: red, green over blue, black.
gdip::Bitmap Quadrants(float dpi) {
  gdip::Bitmap bitmap;
  EXPECT_TRUE(bitmap.CreateWithFormat(40, 20) && bitmap.SetResolution(dpi, dpi));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) bitmap.SetPixel(x, y, y < 10 ? (x < 20 ? kRed : kGreen) : (x < 20 ? kBlue : kBlack));
  return bitmap;
}

// A native object made through the flat API, deleted with `Release`.
template <auto Release>
class Owned : public gdip::GdipBase {
 public:
  explicit Owned(void* handle = nullptr) { SetNativeObject(handle); }
  Owned(Owned&&) noexcept = default;
  ~Owned() override { ReleaseNative(); }

 protected:
  bool ReleaseNative() override { return DestroyWith(Release); }
};
namespace Flat = Gdiplus::DllExports;

// Image attributes that make green transparent.
Owned<Flat::GdipDisposeImageAttributes> GreenKeyed() {
  Gdiplus::GpImageAttributes* attributes = nullptr;
  EXPECT_EQ(Flat::GdipCreateImageAttributes(&attributes), Gdiplus::Ok);
  EXPECT_EQ(Flat::GdipSetImageAttributesColorKeys(attributes, Gdiplus::ColorAdjustTypeDefault, TRUE, kGreen, kGreen),
            Gdiplus::Ok);
  return Owned<Flat::GdipDisposeImageAttributes>(attributes);
}

// The quadrants for one form (the float form's at ten times the
// resolution), the same at 8 dots per inch for both, and green keyed out.
struct Pictures {
  const gdip::Image& own;
  const gdip::Image& coarse;
  const gdip::GdipBase* keyed;
};

template <class P>
using Draw = std::function<bool(gdip::Graphics&, const Pictures&, std::span<const P>)>;

// The float form F and the integer form FI of one drawing, the arguments
// written once in terms of p (the destination points), own, coarse and keyed.
#define TWIN(F, ...)                                                                                  \
  [](gdip::Graphics& g, const Pictures& pictures, [[maybe_unused]] std::span<const gdip::PointF> p) { \
    [[maybe_unused]] auto& [own, coarse, keyed] = pictures;                                            \
    return g.F(__VA_ARGS__);                                                                          \
  },                                                                                                  \
      [](gdip::Graphics& g, const Pictures& pictures, [[maybe_unused]] std::span<const gdip::Point> p) { \
        [[maybe_unused]] auto& [own, coarse, keyed] = pictures;                                        \
        return g.F##I(__VA_ARGS__);                                                                   \
      }

struct ImageCase {
  const char* name;
  std::vector<gdip::Point> points;  // the integer form's destination
  Draw<gdip::PointF> drawFloat;
  Draw<gdip::Point> drawInt;
  std::vector<Probe> probes;
  bool tenths = true;  // false: the float form as given, at the device's scale
  // SourceCopy: the source area past the picture's edge is written as clear
  // pixels, so it shows even where the destination's size follows the source's.
  Gdiplus::CompositingMode compositing = Gdiplus::CompositingModeSourceOver;
};

const std::vector<gdip::Point> kPicturePlace = {{38, 29}}, kRectangle = {{19, 29}, {69, 39}},
                               kMirrored = {{89, 19}, {29, 18}, {88, 69}};  // upper-left, upper-right, lower-left

const ImageCase kImageCases[] = {
    {"Image", kPicturePlace, TWIN(DrawImage, own, p[0].x, p[0].y),
     {{53, 33, kRed}, {69, 33, kGreen}, {49, 43, kBlue}, {69, 43, kBlack}, {45, 75, kWhite}}},
    {"ImageRect", kRectangle, TWIN(DrawImageRect, own, p[0].x, p[0].y, p[1].x, p[1].y),
     {{81, 61, kBlack}, {37, 33, kRed}, {71, 39, kGreen}, {37, 51, kBlue}, {45, 75, kWhite}}},
    // The whole picture's size taken in 1/300 inch: a corner of the coarse picture.
    {"ImageRect in document units", kRectangle,
     TWIN(DrawImageRect, coarse, p[0].x, p[0].y, p[1].x, p[1].y, Gdiplus::UnitDocument),
     {{23, 53, kRed}, {71, 39, kRed}, {81, 61, kRed}, {45, 75, kWhite}}},
    {"ImagePoints", kMirrored, TWIN(DrawImagePoints, own, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y),
     {{31, 63, kBlack}, {33, 21, kGreen}, {75, 23, kRed}, {73, 57, kBlue}, {23, 61, kWhite}, {31, 71, kWhite}}},
    {"ImagePointRect", kPicturePlace, TWIN(DrawImagePointRect, own, p[0].x, p[0].y, 12, 3, 24, 14),
     {{57, 33, kGreen}, {41, 39, kBlue}, {43, 33, kRed}, {55, 39, kBlack}, {51, 3, kWhite}}},
    // A source in points (3/4 pixel), as many pixels on the device.
    {"ImagePointRect in points", kPicturePlace,
     [](gdip::Graphics& g, const Pictures& pictures, std::span<const gdip::PointF>) {
       return g.DrawImagePointRect(pictures.own, 38, 29, 6, 0, 24, 7.5f, Gdiplus::UnitPoint);
     },
     [](gdip::Graphics& g, const Pictures& pictures, std::span<const gdip::Point>) {
       return g.DrawImagePointRectI(pictures.own, 38, 29, 6, 0, 24, 9, Gdiplus::UnitPoint);
     },
     {{65, 33, kGreen}, {45, 33, kRed}, {49, 47, kWhite}, {49, 25, kWhite}}, false},
    // A source reaching 10 pixels past the picture's left edge: the picture's
    // first column lands where the source puts it, with nothing left of it.
    {"ImagePointRect past the left edge", kPicturePlace, TWIN(DrawImagePointRect, own, p[0].x, p[0].y, -10, 0, 30, 10),
     {{42, 33, kWhite}, {51, 33, kRed}, {64, 33, kRed}, {71, 33, kWhite}}},
    // A source reaching 20 pixels past the picture's right edge, copied: the
    // picture's last 10 columns, then 20 clear ones, as wide as the source.
    {"ImagePointRect past the right edge", kPicturePlace,
     TWIN(DrawImagePointRect, own, p[0].x, p[0].y, 30, 0, 30, 10),
     {{36, 33, kWhite}, {43, 33, kGreen}, {49, 33, 0}, {66, 33, 0}, {69, 33, kWhite}, {49, 40, kWhite}}, true,
     Gdiplus::CompositingModeSourceCopy},
    {"ImageRectRect", kRectangle, TWIN(DrawImageRectRect, own, p[0].x, p[0].y, p[1].x, p[1].y, 10, 0, 30, 10),
     {{81, 61, kGreen}, {23, 45, kRed}, {45, 75, kWhite}}},
    {"ImageRectRect past the left edge", kRectangle,
     TWIN(DrawImageRectRect, own, p[0].x, p[0].y, p[1].x, p[1].y, -10, 0, 30, 10),
     {{31, 45, kWhite}, {47, 45, kRed}, {83, 45, kRed}, {93, 45, kWhite}}},
    // Stretched 2.3 times: the last 10 columns fill x = 19 to 42, the 20
    // clear ones the rest of the destination.
    {"ImageRectRect past the right edge", kRectangle,
     TWIN(DrawImageRectRect, own, p[0].x, p[0].y, p[1].x, p[1].y, 30, 0, 30, 10),
     {{17, 45, kWhite}, {23, 45, kGreen}, {39, 45, kGreen}, {45, 45, 0}, {75, 45, 0}, {91, 45, kWhite}}, true,
     Gdiplus::CompositingModeSourceCopy},
    // A source up to the picture's right edge, and one reaching a single pixel
    // past it, copied: the clear column of the second takes the last ninth of
    // the destination (x = 79 to 87), where the first is green up to x = 84
    // (Wine's GDI+ samples half a source pixel on: the last three pixels of
    // the first fall past the edge too).
    {"ImageRectRect up to the right edge", kRectangle,
     TWIN(DrawImageRectRect, own, p[0].x, p[0].y, p[1].x, p[1].y, 30, 0, 10, 10),
     {{17, 45, kWhite}, {23, 45, kGreen}, {80, 45, kGreen}, {83, 45, kGreen}, {89, 45, kWhite}}, true,
     Gdiplus::CompositingModeSourceCopy},
    {"ImageRectRect one past the right edge", kRectangle,
     TWIN(DrawImageRectRect, own, p[0].x, p[0].y, p[1].x, p[1].y, 30, 0, 11, 10),
     {{23, 45, kGreen}, {76, 45, kGreen}, {80, 45, 0}, {83, 45, 0}, {89, 45, kWhite}}, true,
     Gdiplus::CompositingModeSourceCopy},
    {"ImageRectRect keyed", kRectangle,
     TWIN(DrawImageRectRect, own, p[0].x, p[0].y, p[1].x, p[1].y, 10, 0, 30, 10, Gdiplus::UnitPixel, keyed),
     {{23, 53, kRed}, {45, 31, kWhite}}},
    // The green quadrant in inches of the coarse picture (the integer form
    // takes its right part).
    {"ImageRectRect in inches", kRectangle,
     [](gdip::Graphics& g, const Pictures& pictures, std::span<const gdip::PointF> p) {
       return g.DrawImageRectRect(pictures.coarse, p[0].x, p[0].y, p[1].x, p[1].y, 2.5f, 0, 2.5f, 1.25f,
                                  Gdiplus::UnitInch);
     },
     [](gdip::Graphics& g, const Pictures& pictures, std::span<const gdip::Point> p) {
       return g.DrawImageRectRectI(pictures.coarse, p[0].x, p[0].y, p[1].x, p[1].y, 3, 0, 2, 1, Gdiplus::UnitInch);
     },
     {{23, 33, kGreen}, {71, 51, kGreen}, {45, 75, kWhite}}},
    {"ImagePointsRect", kMirrored,
     TWIN(DrawImagePointsRect, own, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y, 10, 0, 30, 10),
     {{85, 39, kRed}, {31, 63, kGreen}, {23, 61, kWhite}, {31, 71, kWhite}}},
    // Mirrored: the picture's left edge at x = 69, nothing right of it.
    {"ImagePointsRect past the left edge", kMirrored,
     TWIN(DrawImagePointsRect, own, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y, -10, 0, 30, 10),
     {{79, 41, kWhite}, {65, 41, kRed}, {35, 41, kRed}}},
    // Mirrored: the last 10 columns from x = 89 to 69, the clear ones on to 29.
    {"ImagePointsRect past the right edge", kMirrored,
     TWIN(DrawImagePointsRect, own, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y, 30, 0, 30, 10),
     {{85, 41, kGreen}, {73, 41, kGreen}, {65, 41, 0}, {35, 41, 0}}, true, Gdiplus::CompositingModeSourceCopy},
    {"ImagePointsRect keyed", kMirrored,
     TWIN(DrawImagePointsRect, own, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y, 10, 0, 30, 10, Gdiplus::UnitPixel,
          keyed),
     {{31, 21, kWhite}, {79, 33, kRed}}},
    {"ImagePointsRect in inches", kMirrored,
     [](gdip::Graphics& g, const Pictures& pictures, std::span<const gdip::PointF> p) {
       return g.DrawImagePointsRect(pictures.coarse, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y, 2.5f, 0, 2.5f,
                                    1.25f, Gdiplus::UnitInch);
     },
     [](gdip::Graphics& g, const Pictures& pictures, std::span<const gdip::Point> p) {
       return g.DrawImagePointsRectI(pictures.coarse, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y, 3, 0, 2, 1,
                                     Gdiplus::UnitInch);
     },
     {{75, 45, kGreen}, {31, 45, kGreen}, {27, 75, kWhite}}},
};
#undef TWIN


}  // namespace

TEST(GdipImageDrawing, EachFormPutsEachQuadrantWhereItBelongs) {
  gdip::Bitmap picture = Quadrants(96), tenfold = Quadrants(960), coarse = Quadrants(8);
  auto keyed = GreenKeyed();
  for (const ImageCase& c : kImageCases) {
    for (bool floatForm : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (floatForm ? "" : " (integer form)"));
      Canvas canvas(100, 80, kWhite);
      gdip::Graphics& g = canvas.graphics;
      ASSERT_TRUE(g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor) &&
                  g.SetCompositingMode(c.compositing));
      gdip::SetLastGdipStatus(Gdiplus::GenericError);
      if (floatForm) {
        if (c.tenths) {
          ASSERT_TRUE(g.ScaleWorldTransform(10, 10));
        }
        Pictures pictures{c.tenths ? tenfold : picture, coarse, &keyed};
        EXPECT_TRUE(c.drawFloat(g, pictures, Divided(c.points, c.tenths ? 10 : 1)));
      } else {
        EXPECT_TRUE(c.drawInt(g, {picture, coarse, &keyed}, c.points));
      }
      EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
      for (const Probe& probe : c.probes) ExpectPixels(canvas, {probe});
    }
  }
}

TEST(GdipImageDrawing, AnEmptyGraphicsOrPictureIsRefusedByGdiplus) {
  gdip::Bitmap picture = Quadrants(96);
  gdip::Image none;
  Canvas canvas(10, 10);
  gdip::Graphics empty;
  for (const ImageCase& c : kImageCases) {
    SCOPED_TRACE(c.name);
    std::vector<gdip::PointF> points = Divided(c.points, 1);
    EXPECT_REFUSED(!c.drawFloat(empty, {picture, picture, nullptr}, points));
    EXPECT_REFUSED(!c.drawInt(empty, {picture, picture, nullptr}, c.points));
    EXPECT_REFUSED(!c.drawFloat(canvas.graphics, {none, none, nullptr}, points));
    EXPECT_REFUSED(!c.drawInt(canvas.graphics, {none, none, nullptr}, c.points));
  }
}

namespace {

// Every pixel of `drawn` is the one of `expected` (the first that is not is
// reported, with the picture saved).
void ExpectSamePixels(const Canvas& drawn, const Canvas& expected,
                      std::source_location where = std::source_location::current()) {
  for (int y = 0; y < drawn.bitmap.GetHeight(); ++y)
    for (int x = 0; x < drawn.bitmap.GetWidth(); ++x)
      if (drawn.Pixel(x, y) != expected.Pixel(x, y))
        return ExpectPixels(drawn.bitmap, {{x, y, expected.Pixel(x, y), 0}}, 0, where);
}

}  // namespace

// Sources up to the picture's right edge, one pixel short of it and one pixel
// past it (the whole picture's too), drawn by each form that takes a source
// and by GDI+'s own call with the same arguments: the same pixels, a clear
// column for the pixel past the edge included. The forms without a source
// take the whole picture, up to its edge.
TEST(GdipImageDrawing, SourcesUpToAndOnePastThePicturesRightEdgeDrawAsGdiplusOwnCalls) {
  gdip::Bitmap picture = Quadrants(96);
  Gdiplus::GpImage* image = picture.NativeImage();
  struct Source {
    int x, y, width, height;
  };
  const Source sources[] = {{30, 0, 10, 10}, {29, 0, 10, 10}, {30, 0, 11, 10}, {0, 0, 40, 20}, {0, 0, 41, 20}};
  const struct {
    const char* name;
    std::function<bool(gdip::Graphics&, const Source&)> draw;
    std::function<Gdiplus::GpStatus(Gdiplus::GpGraphics*, const Source&)> own;
  } forms[] = {
      {"ImageRectRectI",
       [&](auto& g, auto& s) { return g.DrawImageRectRectI(picture, 19, 29, 69, 39, s.x, s.y, s.width, s.height); },
       [&](auto* g, auto& s) {
         return Flat::GdipDrawImageRectRectI(g, image, 19, 29, 69, 39, s.x, s.y, s.width, s.height, Gdiplus::UnitPixel,
                                             nullptr, nullptr, nullptr);
       }},
      {"ImageRectRect",
       [&](auto& g, auto& s) {
         return g.DrawImageRectRect(picture, 19, 29, 69, 39, float(s.x), float(s.y), float(s.width), float(s.height));
       },
       [&](auto* g, auto& s) {
         return Flat::GdipDrawImageRectRect(g, image, 19, 29, 69, 39, float(s.x), float(s.y), float(s.width),
                                            float(s.height), Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
       }},
      {"ImagePointRectI",
       [&](auto& g, auto& s) { return g.DrawImagePointRectI(picture, 38, 29, s.x, s.y, s.width, s.height); },
       [&](auto* g, auto& s) {
         return Flat::GdipDrawImagePointRectI(g, image, 38, 29, s.x, s.y, s.width, s.height, Gdiplus::UnitPixel);
       }},
      {"ImagePointsRectI",
       [&](auto& g, auto& s) {
         return g.DrawImagePointsRectI(picture, 89, 19, 29, 18, 88, 69, s.x, s.y, s.width, s.height);
       },
       [&](auto* g, auto& s) {
         const Gdiplus::Point corners[] = {{89, 19}, {29, 18}, {88, 69}};
         return Flat::GdipDrawImagePointsRectI(g, image, corners, 3, s.x, s.y, s.width, s.height, Gdiplus::UnitPixel,
                                               nullptr, nullptr, nullptr);
       }},
      {"ImageRectI", [&](auto& g, auto&) { return g.DrawImageRectI(picture, 19, 29, 69, 39); },
       [&](auto* g, auto&) { return Flat::GdipDrawImageRectI(g, image, 19, 29, 69, 39); }},
      {"ImageRect", [&](auto& g, auto&) { return g.DrawImageRect(picture, 19, 29, 69, 39); },
       [&](auto* g, auto&) { return Flat::GdipDrawImageRect(g, image, 19, 29, 69, 39); }},
  };
  for (const auto& form : forms) {
    for (const Source& source : sources) {
      SCOPED_TRACE(std::string(form.name) + " from " + std::to_string(source.x) + ", " + std::to_string(source.width) +
                   " wide");
      Canvas drawn(100, 80, kWhite), byGdiplus(100, 80, kWhite);
      for (Canvas* canvas : {&drawn, &byGdiplus})
        ASSERT_TRUE(canvas->graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor) &&
                    canvas->graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy));
      gdip::SetLastGdipStatus(Gdiplus::GenericError);
      EXPECT_TRUE(form.draw(drawn.graphics, source));
      EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
      ASSERT_EQ(form.own(byGdiplus.graphics.NativeGraphics(), source), Gdiplus::Ok);
      ExpectSamePixels(drawn, byGdiplus);
    }
  }
}

// ---- cached bitmaps ----------------------------------------------------------------------

TEST(GdipImageDrawing, ACachedBitmapLandsAtItsPositionTruncatedTowardZero) {
  gdip::Bitmap picture = Quadrants(96);
  Canvas canvas(60, 40, kWhite);
  gdip::Graphics& g = canvas.graphics;
  ASSERT_TRUE(g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor));
  Gdiplus::GpCachedBitmap* made = nullptr;
  ASSERT_EQ(Flat::GdipCreateCachedBitmap(picture.NativeBitmap(), g.NativeGraphics(), &made), Gdiplus::Ok);
  Owned<Flat::GdipDeleteCachedBitmap> cached(made), none;
  // At (10, -6): the red quadrant's last row is 3, the blue one's first 4.
  EXPECT_TRUE(g.DrawCachedBitmap(cached, 10.9f, -6.9f));
  ExpectPixels(canvas, {{10, 3, kRed}, {10, 4, kBlue}, {9, 3, kWhite}, {29, 13, kBlue}, {30, 13, kBlack},
                        {30, 14, kWhite}, {49, 0, kGreen}, {50, 0, kWhite}});
  Canvas blank(60, 40, kWhite);
  // 2^31 and the float below -2^31 are whole numbers no int holds.
  for (float outside : {std::nanf(""), 3e9f, -3e9f, 2147483648.0f, -2147483904.0f}) {
    EXPECT_REFUSED(!blank.graphics.DrawCachedBitmap(cached, 5, outside));
    EXPECT_REFUSED(!blank.graphics.DrawCachedBitmap(cached, outside, 5));
  }
  ExpectPixels(blank, {{5, 5, kWhite}, {20, 20, kWhite}});
  // -2^31 and the float below 2^31 fit: drawn there, far off the canvas.
  for (float edge : {-2147483648.0f, 2147483520.0f}) {
    EXPECT_TRUE(blank.graphics.DrawCachedBitmap(cached, 5, edge)) << edge;
    EXPECT_TRUE(blank.graphics.DrawCachedBitmap(cached, edge, 5)) << edge;
  }
  ExpectPixels(blank, {{5, 5, kWhite}, {20, 20, kWhite}});
  EXPECT_REFUSED(!g.DrawCachedBitmap(none, 1, 1));
  gdip::Graphics empty;
  EXPECT_REFUSED(!empty.DrawCachedBitmap(cached, 1, 1));
}

// ---- the colour matrix -------------------------------------------------------------------

// The attributes go with the graphics: the one moved to draws with them, and
// each is disposed of once (the test's balance).
TEST(GdipImageDrawing, AMovedGraphicsTakesItsColourMatrixAttributesAlong) {
  gdip::Bitmap picture = Quadrants(96);
  Canvas canvas(100, 80);
  canvas.graphics.DrawImageWithColorMatrix(picture, 0, 0, 40, 40, 0, 0, 40, 40, 0.5f);
  const int live = LiveNativeObjects();
  gdip::Graphics moved(std::move(canvas.graphics)), assigned;
  EXPECT_EQ(canvas.graphics.GetNativeObject(), nullptr);
  moved.DrawImageWithColorMatrix(picture, 0, 0, 40, 40, 0, 0, 40, 40, 0.5f);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
  assigned = std::move(moved);
  EXPECT_EQ(moved.GetNativeObject(), nullptr);
  assigned.DrawImageWithColorMatrix(picture, 0, 0, 40, 40, 0, 0, 40, 40, 1);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_EQ(LiveNativeObjects(), live);  // no attributes made anew
  gdip::Graphics& same = assigned;
  assigned = std::move(same);  // onto itself: it keeps its attributes
  EXPECT_EQ(LiveNativeObjects(), live);
  assigned.DrawImageWithColorMatrix(picture, 0, 0, 40, 40, 0, 0, 40, 40, 1);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_EQ(LiveNativeObjects(), live);
}

TEST(GdipImageDrawing, TheColourMatrixIsTheIdentityWithTheLastAlphaAndItsAttributesLiveWithTheGraphics) {
  gdip::Bitmap picture = Quadrants(96);
  for (bool tenths : {true, false}) {
    SCOPED_TRACE(tenths ? "in tenths" : "in pixels");
    NativeObjectsBalance balance;
    Canvas canvas(100, 80);
    gdip::Graphics& g = canvas.graphics;
    ASSERT_TRUE(g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy) &&
                g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor));
    float k = tenths ? 10 : 1;
    ASSERT_TRUE(g.ScaleWorldTransform(k, k));
    int live = LiveNativeObjects();
    g.DrawImageWithColorMatrix(picture, 17 / k, 29 / k, 66 / k, 38 / k, 10, 0, 30, 10, 0.25f);
    EXPECT_EQ(LiveNativeObjects(), live + 1);  // its attributes
    g.DrawImageWithColorMatrix(picture, 17 / k, 29 / k, 66 / k, 38 / k, 10, 0, 30, 10, 0.5f);
    EXPECT_EQ(LiveNativeObjects(), live + 1);
    EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
    ExpectPixels(canvas, {{33, 45, 0x80FF0000}, {21, 33, 0x80FF0000}, {61, 49, 0x8000FF00}, {51, 3, 0}});
    for (int row = 0; row < 5; ++row)
      for (int column = 0; column < 5; ++column)
        EXPECT_EQ(gdip::GdipColorMatrix()[row][column], row != column ? 0 : row == 3 ? 0.5f : 1) << row << column;
  }
  gdip::Graphics empty;
  gdip::SetLastGdipStatus(Gdiplus::Ok);
  empty.DrawImageWithColorMatrix(picture, 0, 0, 10, 10, 0, 0, 10, 10, 1);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_EQ(gdip::GdipColorMatrix()[3][3], 1);
}

// A source reaching 10 pixels past the picture's left edge, drawn twice as
// wide: the picture's first column lands at x = 40, nothing left of it.
TEST(GdipImageDrawing, TheColourMatrixDrawingTakesASourcePastThePicturesLeftEdgeAsItIs) {
  gdip::Bitmap picture = Quadrants(96);
  Canvas canvas(100, 80, kWhite);
  ASSERT_TRUE(canvas.graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor));
  canvas.graphics.DrawImageWithColorMatrix(picture, 20, 20, 60, 20, -10, 0, 30, 10, 1);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
  ExpectPixels(canvas, {{30, 25, kWhite}, {45, 25, kRed}, {75, 25, kRed}, {85, 25, kWhite}});
}

