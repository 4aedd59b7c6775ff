// The state a Graphics keeps for its drawing: rendering settings, page units,
// world transforms, saved states and containers, clips and the visibility
// they give, and the surfaces a graphics is made over.
#include <functional>

#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

using namespace gdiptest;

namespace {

// Each field within `tolerance`.
void ExpectNear(std::initializer_list<float> actual, std::initializer_list<float> expected, float tolerance = 1e-4f,
                std::source_location where = std::source_location::current()) {
  for (auto a = actual.begin(), e = expected.begin(); a != actual.end(); ++a, ++e)
    EXPECT_NEAR(*a, *e, tolerance) << "field " << a - actual.begin() << ", line " << where.line();
}

// Where the graphics puts a world point on its device.
gdip::PointF OnDevice(const gdip::Graphics& g, gdip::PointF world) {
  gdip::PointF points[] = {world};
  EXPECT_TRUE(g.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, points));
  return points[0];
}

int RenderingOrigin(const gdip::Graphics& g) {
  int x = 0, y = 0;
  return g.GetRenderingOrigin(x, y) ? x * 1000 + y : 0;
}

}  // namespace

TEST(GdipGraphicsState, EachSettingReadsBackWhatWasSetAndAnEmptyGraphicsRefusesBoth) {
  // Each set away from its default.
#define STATE(Name, value) SETTING(o.Set##Name(value), o.Get##Name() == (value))
  Canvas settings(4, 4);
  ExpectSettings(settings.graphics,
                 {STATE(CompositingMode, Gdiplus::CompositingModeSourceCopy),
                  STATE(CompositingQuality, Gdiplus::CompositingQualityGammaCorrected),
                  STATE(SmoothingMode, Gdiplus::SmoothingModeAntiAlias),
                  STATE(TextRenderingHint, Gdiplus::TextRenderingHintAntiAliasGridFit),
                  STATE(InterpolationMode, Gdiplus::InterpolationModeNearestNeighbor),
                  STATE(PixelOffsetMode, Gdiplus::PixelOffsetModeHalf), STATE(TextContrast, 9),
                  STATE(PageUnit, Gdiplus::UnitMillimeter), STATE(PageScale, 2.5f),
                  SETTING(o.SetRenderingOrigin(7, -3), RenderingOrigin(o) == 6997)});
#undef STATE
  ExpectEmptyAnswersZero<gdip::Graphics>(
      {GETTER(o.GetCompositingMode()), GETTER(o.GetCompositingQuality()), GETTER(o.GetSmoothingMode()),
       GETTER(o.GetTextRenderingHint()), GETTER(o.GetInterpolationMode()), GETTER(o.GetPixelOffsetMode()),
       GETTER(o.GetTextContrast()), GETTER(o.GetPageUnit()), GETTER(o.GetPageScale()), GETTER(RenderingOrigin(o))});
  // Values GDI+ itself refuses.
  Canvas canvas(4, 4);
  EXPECT_REFUSED(!canvas.graphics.SetPageUnit(Gdiplus::UnitWorld));
  EXPECT_REFUSED(!canvas.graphics.SetPageScale(-1));
  EXPECT_EQ(canvas.graphics.GetPageScale(), 1);
}

TEST(GdipGraphicsState, ResolutionAndPageSettingsScaleWorldPointsOntoTheDevice) {
  gdip::Bitmap bitmap;
  gdip::Graphics g, empty;
  ASSERT_TRUE(bitmap.CreateWithFormat(8, 8) && bitmap.SetResolution(72, 150) && g.FromImage(bitmap));
  EXPECT_EQ(g.GetDpiX(), 72);
  EXPECT_EQ(g.GetDpiY(), 150);
  EXPECT_REFUSED(empty.GetDpiX() == 0);
  EXPECT_REFUSED(empty.GetDpiY() == 0);
  // Points (1/72 inch) scaled by 1.5: 1.5 pixels across, 1.5 * 150 / 72 down.
  ASSERT_TRUE(g.SetPageUnit(Gdiplus::UnitPoint) && g.SetPageScale(1.5f));
  EXPECT_EQ(OnDevice(g, {30, 12}), (gdip::PointF{45, 37.5f}));
  gdip::PointF page[] = {{30, 12}};
  ASSERT_TRUE(g.TransformPoints(Gdiplus::CoordinateSpacePage, Gdiplus::CoordinateSpaceDevice, page));
  EXPECT_EQ(page[0], (gdip::PointF{20, 3.84f}));
}

// ---- world transforms -------------------------------------------------------------------

TEST(GdipGraphicsState, TransformsComposeInTheOrderAsked) {
  // Each after the scale (2, 3) and the translation (10, 0): (1, 2) goes to (12, 6) before.
  // An order left out prepends, as GDI+'s own calls do.
  TestMatrix swapAndShift(0, 1, 1, 0, 5, 7);
  using Order = std::optional<Gdiplus::MatrixOrder>;
  struct Case {
    const char* name;
    std::function<bool(gdip::Graphics&, Order)> apply;
    gdip::PointF prepended, appended;
  } cases[] = {
      {"Rotate", [](auto& g, Order o) { return LAST_IF_GIVEN(o, g.RotateWorldTransform, 90); }, {6, 3}, {-6, 12}},
      {"Scale", [](auto& g, Order o) { return LAST_IF_GIVEN(o, g.ScaleWorldTransform, 0.5f, 4); }, {11, 24}, {6, 24}},
      {"Translate", [](auto& g, Order o) { return LAST_IF_GIVEN(o, g.TranslateWorldTransform, 3.5f, -1.25f); }, {19, 2.25f},
       {15.5f, 4.75f}},
      {"Multiply", [&](auto& g, Order o) { return LAST_IF_GIVEN(o, g.MultiplyWorldTransform, swapAndShift); }, {24, 24},
       {11, 19}},
      {"ScaleAt (2, 1)", [](auto& g, Order o) { return LAST_IF_GIVEN(o, g.ScaleAt, 0.5f, 4, {2, 1}); }, {13, 15}, {7, 21}},
      {"RotateAt (2, 1)", [](auto& g, Order o) { return LAST_IF_GIVEN(o, g.RotateAt, 90, {2, 1}); }, {12, 0}, {-3, 11}},
  };
  for (const Case& c : cases) {
    for (Order order : {Order(Gdiplus::MatrixOrderPrepend), Order(Gdiplus::MatrixOrderAppend), Order()}) {
      SCOPED_TRACE(std::string(c.name) + (!order                                   ? " with no order"
                                          : order == Gdiplus::MatrixOrderAppend ? " appended"
                                                                                : " prepended"));
      Canvas canvas(4, 4);
      gdip::Graphics& g = canvas.graphics;
      ASSERT_TRUE(g.ScaleWorldTransform(2, 3) && g.TranslateWorldTransform(10, 0, Gdiplus::MatrixOrderAppend));
      ASSERT_EQ(OnDevice(g, {1, 2}), (gdip::PointF{12, 6}));
      EXPECT_TRUE(c.apply(g, order));
      gdip::PointF at = OnDevice(g, {1, 2}), expected = order == Gdiplus::MatrixOrderAppend ? c.appended : c.prepended;
      ExpectNear({at.x, at.y}, {expected.x, expected.y});
      gdip::Graphics empty;
      EXPECT_REFUSED(!c.apply(empty, order));
    }
  }
  gdip::Graphics empty;
  TestMatrix target;
  EXPECT_REFUSED(!empty.SetWorldTransform(swapAndShift));
  EXPECT_REFUSED(!empty.GetWorldTransform(target));
  EXPECT_REFUSED(!empty.ResetWorldTransform());
  Canvas canvas(4, 4);
  ASSERT_TRUE(canvas.graphics.TranslateWorldTransform(10, 0) && canvas.graphics.RotateWorldTransform(90));
  gdip::PointF at = OnDevice(canvas.graphics, {1, 2});
  ExpectNear({at.x, at.y}, {8, 1});  // the order left out: prepended
}

// ---- saved states and containers ----------------------------------------------------------

TEST(GdipGraphicsState, RestoringAStateOrEndingAContainerUndoesWhatCameAfterIt) {
  Canvas canvas(40, 40);
  gdip::Graphics& g = canvas.graphics;
  ASSERT_TRUE(g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias));
  uint32_t outer = g.Save();
  ASSERT_TRUE(g.SetSmoothingMode(Gdiplus::SmoothingModeNone) && g.TranslateWorldTransform(5, 0));
  uint32_t inner = g.Save();
  EXPECT_NE(outer, 0u);
  EXPECT_NE(inner, outer);
  ASSERT_TRUE(g.SetSmoothingMode(Gdiplus::SmoothingModeHighSpeed) && g.SetClipRectI(0, 0, 5, 5));
  EXPECT_TRUE(g.Restore(inner));
  EXPECT_EQ(g.GetSmoothingMode(), Gdiplus::SmoothingModeNone);
  EXPECT_EQ(OnDevice(g, {1, 2}), (gdip::PointF{6, 2}));
  EXPECT_TRUE(g.IsVisiblePointI(20, 20));
  EXPECT_TRUE(g.Restore(outer));
  EXPECT_EQ(g.GetSmoothingMode(), Gdiplus::SmoothingModeAntiAlias);
  EXPECT_EQ(OnDevice(g, {1, 2}), (gdip::PointF{1, 2}));

  uint32_t container = g.BeginContainer2();
  EXPECT_NE(container, 0u);
  ASSERT_TRUE(g.SetSmoothingMode(Gdiplus::SmoothingModeNone) && g.ScaleWorldTransform(3, 3));
  EXPECT_TRUE(g.EndContainer(container));
  EXPECT_EQ(g.GetSmoothingMode(), Gdiplus::SmoothingModeAntiAlias);
  EXPECT_EQ(OnDevice(g, {1, 2}), (gdip::PointF{1, 2}));

  gdip::Graphics empty;
  EXPECT_REFUSED(empty.Save() == 0);
  EXPECT_REFUSED(!empty.Restore(outer));
  EXPECT_REFUSED(empty.BeginContainer2() == 0);
  EXPECT_REFUSED(!empty.EndContainer(container));
}

TEST(GdipGraphicsState, AContainerMapsItsSourceRectangleOntoItsDestination) {
  Canvas canvas(80, 60);
  gdip::Graphics& g = canvas.graphics;
  // Twice as wide, half as high, from (10.5, 20.25).
  uint32_t container = g.BeginContainer({10.5f, 20.25f, 40, 20}, {0, 0, 20, 40}, Gdiplus::UnitPixel);
  ASSERT_NE(container, 0u);
  EXPECT_EQ(OnDevice(g, {0, 0}), (gdip::PointF{10.5f, 20.25f}));
  EXPECT_EQ(OnDevice(g, {20, 40}), (gdip::PointF{50.5f, 40.25f}));
  EXPECT_TRUE(g.EndContainer(container));
  EXPECT_EQ(OnDevice(g, {20, 40}), (gdip::PointF{20, 40}));

  container = g.BeginContainerI({10, 20, 40, 20}, {0, 0, 20, 40}, Gdiplus::UnitPixel);
  ASSERT_NE(container, 0u);
  EXPECT_EQ(OnDevice(g, {20, 40}), (gdip::PointF{50, 40}));
  EXPECT_TRUE(g.EndContainer(container));

  // The source in inches: at 96 dots per inch, 4 inches across map onto 40 pixels.
  ASSERT_TRUE(canvas.bitmap.SetResolution(96, 48));
  gdip::Graphics inches;
  ASSERT_TRUE(inches.FromImage(canvas.bitmap));
  container = inches.BeginContainerI({0, 0, 40, 20}, {0, 0, 4, 1}, Gdiplus::UnitInch);
  ASSERT_NE(container, 0u);
  EXPECT_EQ(OnDevice(inches, {192, 48}), (gdip::PointF{20, 20}));
  EXPECT_TRUE(inches.EndContainer(container));

  // A unit left out is world, which GDI+ refuses for a container's rectangles.
  EXPECT_REFUSED(g.BeginContainer({0, 0, 1, 1}, {0, 0, 1, 1}) == 0);
  EXPECT_REFUSED(g.BeginContainerI({0, 0, 1, 1}, {0, 0, 1, 1}) == 0);

  gdip::Graphics empty;
  EXPECT_REFUSED(empty.BeginContainer({0, 0, 1, 1}, {0, 0, 1, 1}, Gdiplus::UnitPixel) == 0);
  EXPECT_REFUSED(empty.BeginContainerI({0, 0, 1, 1}, {0, 0, 1, 1}, Gdiplus::UnitPixel) == 0);
}

// ---- clips ----------------------------------------------------------------------------------

namespace {

// Probes: in A = (0, 0, 30, 20) only, in A and B = (20, 10, 35, 25), in B
// only, and in neither (the second where B with x and y swapped would be,
// the third where B with width and height swapped would be).
const gdip::Point kClipProbes[] = {{10, 10}, {25, 15}, {50, 20}, {12, 30}, {25, 40}, {70, 50}};

std::string Hits(const gdip::Graphics& g) {
  std::string hits;
  for (const gdip::Point& p : kClipProbes) hits += g.IsVisiblePoint(float(p.x), float(p.y)) ? '1' : '0';
  return hits;
}

}  // namespace

TEST(GdipClip, EveryClipSetterCombinesInTheModeAsked) {
  Canvas other(80, 60);
  ASSERT_TRUE(other.graphics.SetClipRectI(20, 10, 35, 25));
  gdip::Region region;
  ASSERT_TRUE(region.CreateFromRect({20, 10, 35, 25}));
  gdip::GraphicsPath path;
  ASSERT_TRUE(path.Create() && path.AddRectangle(20, 10, 35, 25));
  platform::GdiRegion gdiRegion(CreateRectRgn(20, 10, 55, 35));
  // A mode left out replaces.
  using Mode = std::optional<Gdiplus::CombineMode>;
  const std::pair<const char*, std::function<bool(gdip::Graphics&, Mode)>> setters[] = {
      {"Rect", [](auto& g, Mode m) { return LAST_IF_GIVEN(m, g.SetClipRect, 20, 10, 35, 25); }},
      {"RectI", [](auto& g, Mode m) { return LAST_IF_GIVEN(m, g.SetClipRectI, 20, 10, 35, 25); }},
      {"Region", [&](auto& g, Mode m) { return LAST_IF_GIVEN(m, g.SetClipRegion, region); }},
      {"Hrgn", [&](auto& g, Mode m) { return LAST_IF_GIVEN(m, g.SetClipHrgn, gdiRegion.get()); }},
      {"Path", [&](auto& g, Mode m) { return LAST_IF_GIVEN(m, g.SetClipPath, path); }},
      {"Graphics", [&](auto& g, Mode m) { return LAST_IF_GIVEN(m, g.SetClip, other.graphics); }},
  };
  const std::pair<Mode, const char*> modes[] = {
      {Gdiplus::CombineModeReplace, "011000"}, {Gdiplus::CombineModeIntersect, "010000"},
      {Gdiplus::CombineModeUnion, "111000"},   {Gdiplus::CombineModeXor, "101000"},
      {Gdiplus::CombineModeExclude, "100000"}, {Gdiplus::CombineModeComplement, "001000"},
      {std::nullopt, "011000"},
  };
  for (const auto& [name, set] : setters) {
    for (const auto& [mode, hits] : modes) {
      SCOPED_TRACE(testing::Message() << name << " mode " << (mode ? std::to_string(*mode) : "left out"));
      Canvas canvas(80, 60);
      ASSERT_TRUE(canvas.graphics.SetClipRectI(0, 0, 30, 20));
      EXPECT_TRUE(set(canvas.graphics, mode));
      EXPECT_EQ(Hits(canvas.graphics), hits);
    }
    gdip::Graphics empty;
    EXPECT_REFUSED(!set(empty, Gdiplus::CombineModeUnion));
  }
  // The mode left out replaces.
  Canvas canvas(80, 60);
  ASSERT_TRUE(canvas.graphics.SetClipRectI(0, 0, 30, 20) && canvas.graphics.SetClipRegion(region));
  EXPECT_EQ(Hits(canvas.graphics), "011000");
}

TEST(GdipClip, BoundsMoveWithTheClipAndTheVisibleOnesStopAtTheSurface) {
  Canvas canvas(80, 60);
  gdip::Graphics& g = canvas.graphics;
  ASSERT_TRUE(g.SetClipRect(10, 20, 30, 15));
  EXPECT_EQ(g.GetClipBounds(), (gdip::RectF{10, 20, 30, 15}));
  EXPECT_TRUE(g.TranslateClip(2, -3));
  EXPECT_EQ(g.GetClipBounds(), (gdip::RectF{12, 17, 30, 15}));
  ASSERT_TRUE(g.SetClipRectI(43, 10, 100, 30));
  EXPECT_EQ(g.GetClipBoundsI(), (gdip::Rect{43, 10, 100, 30}));
  EXPECT_EQ(g.GetVisibleClipBounds(), (gdip::RectF{43, 10, 37, 30}));
  EXPECT_TRUE(g.TranslateClipI(3, -4));
  EXPECT_EQ(g.GetClipBoundsI(), (gdip::Rect{46, 6, 100, 30}));
  EXPECT_EQ(g.GetVisibleClipBoundsI(), (gdip::Rect{46, 6, 34, 30}));

  // In tenths of the device's pixels the fractions decide: (1.5, 2.5, 3, 1)
  // is x 15..45, y 25..35 on the device, moved by (5, 5).
  ASSERT_TRUE(g.ScaleWorldTransform(10, 10));
  ASSERT_TRUE(g.SetClipRect(1.5f, 2.5f, 3, 1));
  EXPECT_TRUE(g.IsVisiblePoint(4.2f, 3.2f));
  EXPECT_FALSE(g.IsVisiblePoint(1.2f, 2.2f));
  // GDI+ may keep the clip's edges whole: within half a pixel.
  ASSERT_TRUE(g.ResetWorldTransform());
  ASSERT_TRUE(g.SetClipRect(10.6f, 20.6f, 30, 15));
  gdip::RectF b = g.GetClipBounds();
  ExpectNear({b.x, b.y, b.width, b.height}, {10.6f, 20.6f, 30, 15}, 0.45f);
  EXPECT_TRUE(g.TranslateClip(2.6f, -3.6f));
  b = g.GetClipBounds();
  ExpectNear({b.x, b.y, b.width, b.height}, {13.2f, 17, 30, 15}, 0.45f);

  gdip::Graphics empty;
  EXPECT_REFUSED(!empty.TranslateClip(1, 1));
  EXPECT_REFUSED(!empty.TranslateClipI(1, 1));
  EXPECT_REFUSED(empty.GetClipBounds() == gdip::RectF{});
  EXPECT_REFUSED(empty.GetClipBoundsI() == gdip::Rect{});
  EXPECT_REFUSED(empty.GetVisibleClipBounds() == gdip::RectF{});
  EXPECT_REFUSED(empty.GetVisibleClipBoundsI() == gdip::Rect{});
}

TEST(GdipClip, AClipOffTheSurfaceIsNotEmptyButShowsNothing) {
  Canvas canvas(80, 60);
  gdip::Graphics& g = canvas.graphics;
  EXPECT_FALSE(g.IsClipEmpty());
  EXPECT_FALSE(g.IsVisibleClipEmpty());
  ASSERT_TRUE(g.SetClipRectI(500, 500, 10, 10));
  EXPECT_FALSE(g.IsClipEmpty());
  EXPECT_TRUE(g.IsVisibleClipEmpty());
  ASSERT_TRUE(g.SetClipRectI(0, 0, 10, 10, Gdiplus::CombineModeIntersect));
  EXPECT_TRUE(g.IsClipEmpty());
  EXPECT_TRUE(g.ResetClip());
  EXPECT_FALSE(g.IsVisibleClipEmpty());
  gdip::Graphics empty;
  EXPECT_REFUSED(!empty.IsClipEmpty());
  // Wine's GDI+ does not check the graphics of IsVisibleClipEmpty (it crashes on none).
  EXPECT_REFUSED(!empty.ResetClip());
}

TEST(GdipClip, PointsAndRectanglesAreVisibleWhereTheClipIs) {
  Canvas canvas(80, 60);
  gdip::Graphics& g = canvas.graphics;
  ASSERT_TRUE(g.SetClipRectI(43, 13, 20, 30));  // x 43..63, y 13..43
  EXPECT_TRUE(g.IsVisiblePointI(50, 20));
  EXPECT_FALSE(g.IsVisiblePointI(20, 50));
  EXPECT_TRUE(g.IsVisibleRectI(30, 20, 20, 5));
  EXPECT_FALSE(g.IsVisibleRectI(30, 20, 5, 20));
  EXPECT_FALSE(g.IsVisibleRectI(20, 30, 20, 5));
  EXPECT_TRUE(g.IsVisibleRectI(50, 5, 5, 20));
  EXPECT_FALSE(g.IsVisibleRectI(5, 50, 5, 20));
  // In tenths: the fractions decide.
  ASSERT_TRUE(g.ScaleWorldTransform(10, 10));
  EXPECT_TRUE(g.IsVisiblePoint(4.5f, 3.9f));
  EXPECT_FALSE(g.IsVisiblePoint(6.4f, 2.5f));
  EXPECT_TRUE(g.IsVisibleRect(3.5f, 2.5f, 1.3f, 0.4f));
  EXPECT_FALSE(g.IsVisibleRect(3.5f, 2.5f, 0.4f, 1.3f));
  EXPECT_FALSE(g.IsVisibleRect(2.5f, 3.5f, 1.3f, 0.4f));
  gdip::Graphics empty;
  EXPECT_REFUSED(!empty.IsVisiblePoint(1, 1));
  EXPECT_REFUSED(!empty.IsVisiblePointI(1, 1));
  EXPECT_REFUSED(!empty.IsVisibleRect(0, 0, 5, 5));
  EXPECT_REFUSED(!empty.IsVisibleRectI(0, 0, 5, 5));
}

// ---- surfaces ---------------------------------------------------------------------------------

TEST(GdipSurfaces, AGraphicsOverADeviceContextDrawsIntoItsBitmap) {
  platform::DibSection dib = platform::CreateDibSection32(70, 30);
  platform::MemoryDC dc = platform::MemoryDC::CompatibleWith(nullptr);
  ASSERT_TRUE(dib.bitmap && dc);
  platform::SelectScope selected(dc.get(), dib.bitmap.get());
  for (bool withDevice : {false, true}) {
    SCOPED_TRACE(withDevice ? "with a device" : "without");
    gdip::Graphics g;
    ASSERT_TRUE(withDevice ? g.FromHDC(dc.get(), nullptr) : g.FromHDC(dc.get()));
    EXPECT_EQ(g.GetVisibleClipBoundsI(), (gdip::Rect{0, 0, 70, 30}));
    gdip::Argb colour = withDevice ? kGreen : kRed;
    EXPECT_TRUE(g.FillRectangleI(MakeBrush(colour), 40, 5, 20, 10));
    g.Flush(Gdiplus::FlushIntentionSync);
    EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
    const auto* pixels = static_cast<const uint32_t*>(dib.bits);
    EXPECT_EQ(pixels[10 * 70 + 50] & 0xFFFFFF, colour & 0xFFFFFF);
    EXPECT_EQ(pixels[25 * 70 + 10] & 0xFFFFFF, 0u);
  }
  gdip::Graphics none;
  EXPECT_FALSE(none.FromHDC(nullptr));
  EXPECT_EQ(none.GetNativeObject(), nullptr);
}

TEST(GdipSurfaces, AGraphicsOverAWindowCoversItsClientArea) {
  testsupport::TestWindow window(300, 200);
  RECT client{};
  ASSERT_TRUE(GetClientRect(window.hwnd(), &client));
  for (bool icm : {false, true}) {
    SCOPED_TRACE(icm ? "colour managed" : "plain");
    gdip::Graphics g;
    ASSERT_TRUE(icm ? g.FromHWND(window.hwnd(), true) : g.FromHWND(window.hwnd()));
    EXPECT_EQ(g.GetVisibleClipBoundsI(), (gdip::Rect{0, 0, int(client.right), int(client.bottom)}));
  }
}

TEST(GdipSurfaces, AGraphicsAdoptsANativeGraphicsAndReleasesTheOneItHeld) {
  Canvas canvas(20, 10, kWhite);
  Gdiplus::GpGraphics *first = nullptr, *second = nullptr;
  ASSERT_EQ(Gdiplus::DllExports::GdipGetImageGraphicsContext(canvas.bitmap.NativeImage(), &first), Gdiplus::Ok);
  ASSERT_EQ(Gdiplus::DllExports::GdipGetImageGraphicsContext(canvas.bitmap.NativeImage(), &second), Gdiplus::Ok);
  gdip::Graphics g;
  g.SetNativeGraphics(first);
  EXPECT_EQ(g.NativeGraphics(), first);
  g.SetNativeGraphics(second);
  EXPECT_FALSE(IsLiveNative(first));
  EXPECT_EQ(g.GetNativeObject(), second);
  EXPECT_TRUE(g.FillRectangleI(MakeBrush(kRed), 12, 2, 5, 5));
  ExpectPixels(canvas, {{14, 4, kRed}, {4, 4, kWhite}});
}

TEST(GdipSurfaces, TheDeviceContextOfAnImageGraphicsDrawsIntoTheImageOnceReleased) {
  Canvas canvas(40, 30, kWhite);
  gdip::Graphics& g = canvas.graphics;
  HDC dc = g.GetDC();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
  // While GDI holds the surface GDI+ does not draw on it.
  gdip::SolidBrush red = MakeBrush(kRed);
  EXPECT_FALSE(g.FillRectangleI(red, 0, 0, 40, 30));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::ObjectBusy);
  ASSERT_TRUE(PatBlt(dc, 25, 5, 10, 20, BLACKNESS));
  EXPECT_TRUE(g.ReleaseDC(dc));
  EXPECT_EQ(canvas.Pixel(30, 15) & 0xFFFFFF, 0u);
  EXPECT_EQ(canvas.Pixel(10, 15), kWhite);
  EXPECT_FALSE(g.ReleaseDC(dc));  // given back already
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  gdip::Graphics empty;
  gdip::SetLastGdipStatus(Gdiplus::Ok);
  EXPECT_EQ(empty.GetDC(), nullptr);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}

// While its device context is out the graphics is busy and GDI+ refuses to
// delete it: Delete stores that refusal. The object lets go of the handle all
// the same (every destroy leaves its object empty); the test takes it back to
// give the context back and delete it.
TEST(GdipSurfaces, DeletingAGraphicsWhoseDeviceContextIsOutStoresGdiplusRefusal) {
  Canvas canvas(8, 8, kWhite);
  gdip::Graphics g;
  ASSERT_TRUE(g.FromImage(canvas.bitmap));
  HDC dc = g.GetDC();
  ASSERT_NE(dc, nullptr);
  Gdiplus::GpGraphics* busy = g.NativeGraphics();
  gdip::SetLastGdipStatus(Gdiplus::Ok);
  EXPECT_FALSE(g.Delete());
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::ObjectBusy);
  EXPECT_EQ(g.GetNativeObject(), nullptr);
  ASSERT_TRUE(IsLiveNative(busy));
  gdip::Graphics taken;
  taken.SetNativeGraphics(busy);
  EXPECT_TRUE(taken.ReleaseDC(dc));
  EXPECT_TRUE(taken.Delete());
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
}

TEST(GdipSurfaces, CommentsFlushesAndNearestColoursAnswerForTheGraphics) {
  Canvas canvas(4, 4);
  gdip::Graphics& g = canvas.graphics;
  // Wine's GDI+ keeps no comments and says so; the answer is GDI+'s either way.
  const uint8_t data[] = {1, 2, 3};
  for (std::span<const uint8_t> comment : {std::span<const uint8_t>(data), std::span<const uint8_t>()}) {
    bool ok = g.Comment(comment);
    EXPECT_EQ(ok, gdip::LastGdipStatus() == Gdiplus::Ok);
    EXPECT_TRUE(ok || gdip::LastGdipStatus() == Gdiplus::NotImplemented) << gdip::LastGdipStatus();
  }
  gdip::SetLastGdipStatus(Gdiplus::GenericError);
  g.Flush();
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_EQ(g.GetNearestColor(0x80123456), 0x80123456u);
  gdip::Graphics empty;
  gdip::SetLastGdipStatus(Gdiplus::Ok);
  EXPECT_FALSE(empty.Comment(data));
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  gdip::SetLastGdipStatus(Gdiplus::Ok);
  empty.Flush(Gdiplus::FlushIntentionSync);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_REFUSED(empty.GetNearestColor(0x80123456) == 0x80123456u);
}
