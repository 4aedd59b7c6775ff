// Linear and path gradients: each creator in both number forms, each setting
// read back and refused on an empty brush, what GDI+ refuses, and the fills
// that show a direction, a wrap mode, a blend or a centre.
#include "tests/gdip/gdip_test_support.h"

using namespace gdiptest;

namespace {

// The colour a fraction t of the way from red to blue.
gdip::Argb RedToBlue(float t) {
  return gdip::MakeArgb(255, uint8_t(std::lround(255 * (1 - t))), 0, uint8_t(std::lround(255 * t)));
}

// Whether the highest blend factor is `factor`, at `position`.
template <class T>
bool PeaksAt(const T& brush, float position, float factor) {
  std::vector<float> factors, positions;
  if (brush.GetBlend(factors, positions) == 0) return false;
  size_t top = std::max_element(factors.begin(), factors.end()) - factors.begin();
  return std::abs(positions[top] - position) < 1e-4 && std::abs(factors[top] - factor) < 1e-4;
}

const std::vector<gdip::Argb> kPresetColours{kRed, kGreen, kBlue};
const std::vector<float> kPositions{0, 0.25f, 1}, kFactors{0, 0.5f, 1};

// GDI+ refuses the call and a fresh brush stays empty.
template <class T>
void ExpectCreateRefused(const std::function<bool(T&)>& create) {
  T brush;
  gdip::SetLastGdipStatus(Gdiplus::Ok);
  EXPECT_FALSE(create(brush));
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_EQ(brush.GetNativeObject(), nullptr);
}

}  // namespace

// ---- linear gradients --------------------------------------------------------------------

// Red to blue from x = 10.5 (10) for 100 pixels, or from y = 20.25 (20) for 50 pixels.
TEST(GdipLinearGradient, EachCreatorSpansItsPointsOrRectangleInItsDirection) {
  struct Case {
    const char* name;
    std::function<bool(gdip::LinearGradientBrush&)> create;
    gdip::RectF rect;
    bool vertical;
  } cases[] = {
      {"points", [](auto& o) { return o.CreateFromPoints({10.5f, 20}, {110.5f, 20}, kRed, kBlue); },
       {10.5f, -30, 100, 100}, false},
      {"integer points", [](auto& o) { return o.CreateFromPointsI({10, 20}, {110, 20}, kRed, kBlue); },
       {10, -30, 100, 100}, false},
      {"rect", [](auto& o) { return o.CreateFromRect({10.5f, 20.25f, 100, 50}, kRed, kBlue, Gdiplus::LinearGradientModeVertical); },
       {10.5f, 20.25f, 100, 50}, true},
      {"integer rect", [](auto& o) { return o.CreateFromRectI({10, 20, 100, 50}, kRed, kBlue, Gdiplus::LinearGradientModeVertical); },
       {10, 20, 100, 50}, true},
      {"rect, no mode", [](auto& o) { return o.CreateFromRect({10.5f, 20.25f, 100, 50}, kRed, kBlue); },
       {10.5f, 20.25f, 100, 50}, false},
      {"integer rect, no mode", [](auto& o) { return o.CreateFromRectI({10, 20, 100, 50}, kRed, kBlue); },
       {10, 20, 100, 50}, false},
      {"angle", [](auto& o) { return o.CreateFromRectWithAngle({10.5f, 20.25f, 100, 50}, kRed, kBlue, 90); },
       {10.5f, 20.25f, 100, 50}, true},
      {"integer angle", [](auto& o) { return o.CreateFromRectWithAngleI({10, 20, 100, 50}, kRed, kBlue, 90); },
       {10, 20, 100, 50}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gdip::LinearGradientBrush brush;
    ASSERT_TRUE(c.create(brush));
    EXPECT_EQ(brush.GetRect(), c.rect);
    EXPECT_EQ(brush.GetRectI(), (gdip::Rect{int(std::lround(c.rect.x)), int(std::lround(c.rect.y)),
                                            int(c.rect.width), int(c.rect.height)}));
    if (c.name == std::string("integer angle")) continue;  // Wine's GDI+ makes it a forward diagonal one
    Canvas canvas(120, 80);
    EXPECT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, 120, 80));
    ExpectPixels(canvas.bitmap, {{15, 25, RedToBlue(c.vertical ? 0.1f : 0.05f)},
                                 {105, 25, RedToBlue(c.vertical ? 0.1f : 0.95f)},
                                 {15, 65, RedToBlue(c.vertical ? 0.9f : 0.05f)}}, 10);
  }
  // At 45° across a flat rectangle, a scalable angle is stretched with it, so the fill differs.
  auto cornerColour = [](const gdip::LinearGradientBrush& brush) {
    Canvas canvas(100, 20);
    EXPECT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, 100, 20));
    return canvas.Pixel(0, 10);
  };
  gdip::LinearGradientBrush fixed, scaled;
  ASSERT_TRUE(fixed.CreateFromRectWithAngle({0, 0, 100, 20}, kRed, kBlue, 45) &&
              scaled.CreateFromRectWithAngle({0, 0, 100, 20}, kRed, kBlue, 45, true));
  EXPECT_GT(std::abs(gdip::ArgbRed(cornerColour(fixed)) - gdip::ArgbRed(cornerColour(scaled))), 20);
  // A gradient of no length or width, or of no mode: GDI+ refuses.
  using Create = std::function<bool(gdip::LinearGradientBrush&)>;
  for (const Create& create : std::initializer_list<Create>{
           [](auto& o) { return o.CreateFromPoints({5, 5}, {5, 5}, kRed, kBlue); },
           [](auto& o) { return o.CreateFromPointsI({5, 5}, {5, 5}, kRed, kBlue); },
           [](auto& o) { return o.CreateFromRect({0, 0, 0, 10}, kRed, kBlue); },
           [](auto& o) { return o.CreateFromRect({0, 0, 10, 10}, kRed, kBlue, Gdiplus::LinearGradientMode(7)); },
           [](auto& o) { return o.CreateFromRectI({0, 0, 10, 0}, kRed, kBlue); },
           [](auto& o) { return o.CreateFromRectWithAngle({0, 0, 0, 10}, kRed, kBlue, 30); },
           [](auto& o) { return o.CreateFromRectWithAngleI({0, 0, 10, 0}, kRed, kBlue, 30); }})
    ExpectCreateRefused(create);
}

TEST(GdipLinearGradient, EachSettingReadsBackAndAnEmptyBrushRefusesIt) {
  gdip::LinearGradientBrush brush;
  ASSERT_TRUE(brush.CreateFromPoints({0, 0}, {100, 0}, kRed, kBlue));
  gdip::Argb from = 0, to = 0;
  std::vector<gdip::Argb> colours;
  std::vector<float> positions;
  TestMatrix shear(1, 0, 0.5f, 2, 3, 4);
  ExpectSettings(brush, {
      SETTING(o.SetColors(0x80112233, 0x90445566), o.GetColors(from, to) && from == 0x80112233 && to == 0x90445566),
      SETTING(o.SetGammaCorrection(true), o.GetGammaCorrection()),
      SETTING(o.SetWrapMode(Gdiplus::WrapModeTileFlipX), o.GetWrapMode() == Gdiplus::WrapModeTileFlipX),
      SETTING(o.SetPresetBlend(kPresetColours, kPositions),
              o.GetPresetBlend(colours, positions) == 3 && colours == kPresetColours && positions == kPositions),
      SETTING(o.SetLinearBlend(0.75f, 0.625f), o.GetBlendCount() == 3 && PeaksAt(o, 0.75f, 0.625f)),
      SETTING(o.SetSigmaBlend(0.25f, 0.5f), PeaksAt(o, 0.25f, 0.5f)),
      SETTING(o.SetTransform(shear), Mapped(o, 2, 1) == (gdip::PointF{5.5f, 6})),
  });
  ASSERT_TRUE(brush.SetGammaCorrection(false));
  EXPECT_FALSE(brush.GetGammaCorrection());
  EXPECT_REFUSED(!brush.SetWrapMode(Gdiplus::WrapModeClamp));  // GDI+ has no clamped line gradient
  EXPECT_EQ(brush.GetWrapMode(), Gdiplus::WrapModeTileFlipX);
  ExpectEmptyAnswersZero<gdip::LinearGradientBrush>({GETTER(o.GetWrapMode()), GETTER(o.GetGammaCorrection()),
                                                     GETTER(o.GetBlendCount()), GETTER(o.GetRect().height),
                                                     GETTER(o.GetRectI().width)});
  gdip::LinearGradientBrush empty;
  from = to = 7;
  EXPECT_FALSE(empty.GetColors(from, to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 0u);
}

// Fills of a 100 x 4 canvas from red at x = 0 to blue at x = 100 (20 when mirrored).
TEST(GdipLinearGradient, WrapModeBlendsColoursAndTransformShowInTheFill) {
  struct Case {
    const char* name;
    float length;
    std::function<bool(gdip::LinearGradientBrush&)> change;
    Probe probes[2];
  } cases[] = {
      {"mirrored", 20, [](auto& o) { return o.SetWrapMode(Gdiplus::WrapModeTileFlipX); },
       {{22, 1, RedToBlue(0.9f)}, {38, 1, RedToBlue(0.1f)}}},
      {"preset", 100, [](auto& o) { return o.SetPresetBlend(kPresetColours, kPositions); },
       {{25, 1, kGreen}, {62, 1, 0xFF008080}}},
      {"blend", 100, [](auto& o) { return o.SetBlend(std::vector<float>{0, 1, 0}, std::vector<float>{0, 0.5f, 1}); },
       {{50, 1, kBlue}, {97, 1, RedToBlue(0.05f)}}},
      {"sigma", 100, [](auto& o) { return o.SetSigmaBlend(0.25f, 1); }, {{25, 1, kBlue}, {97, 1, RedToBlue(0.0f)}}},
      {"colours", 100, [](auto& o) { return o.SetColors(kBlue, kRed); },
       {{2, 1, RedToBlue(0.975f)}, {97, 1, RedToBlue(0.025f)}}},
      // Moved by 10, then doubled: red at 20, halfway at 70.
      {"transform", 50, [](auto& o) { return o.TranslateTransform(10, 0) && o.ScaleTransform(2, 1, Gdiplus::MatrixOrderAppend); },
       {{20, 1, kRed}, {70, 1, RedToBlue(0.5f)}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gdip::LinearGradientBrush brush;
    ASSERT_TRUE(brush.CreateFromPoints({0, 0}, {c.length, 0}, kRed, kBlue) && c.change(brush));
    Canvas canvas(100, 4);
    EXPECT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, 100, 4));
    ExpectPixels(canvas.bitmap, {c.probes[0], c.probes[1]}, 10);
  }
}

// ---- path gradients ----------------------------------------------------------------------

TEST(GdipPathGradient, BothCreatorsTakeTheBoundaryAndAWrapModeLeftOutClamps) {
  const gdip::PointF fractional[] = {{10.5f, 20}, {110.5f, 20}, {110.5f, 70.25f}, {10.5f, 70.25f}};
  const gdip::Point whole[] = {{10, 20}, {110, 20}, {110, 70}, {10, 70}};
  gdip::PathGradientBrush brush, wholeBrush;
  ASSERT_TRUE(brush.Create(fractional) && wholeBrush.CreateI(whole, Gdiplus::WrapModeTile));
  EXPECT_EQ(brush.GetRect(), (gdip::RectF{10.5f, 20, 100, 50.25f}));
  EXPECT_EQ(brush.GetCenterPoint(), (gdip::PointF{60.5f, 45.125f}));
  EXPECT_EQ(brush.GetWrapMode(), Gdiplus::WrapModeClamp);
  EXPECT_EQ(wholeBrush.GetRectI(), (gdip::Rect{10, 20, 100, 50}));
  EXPECT_EQ(wholeBrush.GetCenterPointI(), (gdip::Point{60, 45}));
  EXPECT_EQ(wholeBrush.GetWrapMode(), Gdiplus::WrapModeTile);
  EXPECT_EQ(wholeBrush.GetSurroundColorCount(), 4);
  gdip::PathGradientBrush flipped;
  ASSERT_TRUE(flipped.Create(fractional, Gdiplus::WrapModeTileFlipX));
  EXPECT_EQ(flipped.GetWrapMode(), Gdiplus::WrapModeTileFlipX);
  ExpectCreateRefused<gdip::PathGradientBrush>([](auto& o) { return o.Create({}); });
  ExpectCreateRefused<gdip::PathGradientBrush>([](auto& o) { return o.CreateI({}, Gdiplus::WrapModeTile); });

  // The centre point is where the centre colour is.
  const gdip::Argb black[] = {kBlack};
  Canvas canvas(120, 80, kBlue);
  ASSERT_TRUE(wholeBrush.SetCenterColor(kWhite) && wholeBrush.SetSurroundColorsWithCount(black) &&
              wholeBrush.SetCenterPointI({30, 50}));
  EXPECT_TRUE(canvas.graphics.FillRectangle(wholeBrush, 0, 0, 120, 80));
  ExpectPixels(canvas.bitmap, {{30, 50, kWhite, 24}, {60, 45, 0xFF999999, 40}, {12, 22, kBlack, 40}, {5, 5, kBlue}});
}

TEST(GdipPathGradient, EachSettingReadsBackAndAnEmptyBrushRefusesIt) {
  const gdip::Point whole[] = {{10, 20}, {110, 20}, {110, 70}, {10, 70}};
  gdip::PathGradientBrush brush;
  ASSERT_TRUE(brush.CreateI(whole));
  float x = 0, y = 0;
  std::vector<gdip::Argb> colours;
  std::vector<float> factors, positions;
  TestMatrix shear(1, 0, 0.5f, 2, 3, 4);
  ExpectSettings(brush, {
      SETTING(o.SetCenterColor(0x80112233), o.GetCenterColor() == 0x80112233),
      SETTING(o.SetCenterPoint({30.5f, 40.25f}),
              o.GetCenterPoint() == (gdip::PointF{30.5f, 40.25f}) && o.GetCenterPointI() == (gdip::Point{31, 40})),
      SETTING(o.SetCenterPointI({33, 44}), o.GetCenterPoint() == (gdip::PointF{33, 44})),
      SETTING(o.SetFocusScales(0.25f, 0.75f), o.GetFocusScales(x, y) && x == 0.25f && y == 0.75f),
      SETTING(o.SetGammaCorrection(true), o.GetGammaCorrection()),
      SETTING(o.SetWrapMode(Gdiplus::WrapModeTileFlipXY), o.GetWrapMode() == Gdiplus::WrapModeTileFlipXY),
      SETTING(o.SetBlend(kFactors, kPositions), o.GetBlendCount() == 3 && o.GetBlend(factors, positions) == 3 &&
                                                    factors == kFactors && positions == kPositions),
      SETTING(o.SetPresetBlend(kPresetColours, kPositions),
              o.GetPresetBlendCount() == 3 && o.GetPresetBlend(colours, positions) == 3 &&
                  colours == kPresetColours && positions == kPositions),
      SETTING(o.SetLinearBlend(0.75f, 0.625f), o.GetBlendCount() == 3 && PeaksAt(o, 0.75f, 0.625f)),
      SETTING(o.SetSigmaBlend(0.25f, 0.5f), PeaksAt(o, 0.25f, 0.5f)),
      SETTING(o.SetTransform(shear), Mapped(o, 2, 1) == (gdip::PointF{5.5f, 6})),
  });
  ASSERT_TRUE(brush.SetGammaCorrection(false));
  EXPECT_FALSE(brush.GetGammaCorrection());
  ExpectEmptyAnswersZero<gdip::PathGradientBrush>(
      {GETTER(o.GetCenterColor()), GETTER(o.GetCenterPoint().x), GETTER(o.GetCenterPointI().y),
       GETTER(o.GetRect().width), GETTER(o.GetRectI().height), GETTER(o.GetWrapMode()), GETTER(o.GetGammaCorrection()),
       GETTER(o.GetSurroundColorCount()), GETTER(o.GetBlendCount()), GETTER(o.GetPresetBlendCount())});

  gdip::GraphicsPath boundary = EllipsePath(5, 10, 30, 20);
  if (brush.SetGraphicsPath(boundary))
    EXPECT_EQ(brush.GetRect(), (gdip::RectF{5, 10, 30, 20}));
  else  // Wine's GDI+ keeps the boundary a path gradient was made with
    EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::NotImplemented);
}

// ---- both ------------------------------------------------------------------------------

namespace {

template <class T>
class GdipGradientBlends : public testing::Test {};
using GradientKinds = testing::Types<gdip::LinearGradientBrush, gdip::PathGradientBrush>;
TYPED_TEST_SUITE(GdipGradientBlends, GradientKinds);

}  // namespace

TYPED_TEST(GdipGradientBlends, GdiPlusRefusesBlendsOffTheGradientAndFailedFetchesKeepTheLists) {
  gdip::Bitmap surface;
  TypeParam brush, empty;
  ASSERT_TRUE(Kind<TypeParam>::Fill(brush, surface));
  const float late[] = {0.1f, 0.3f, 1};
  EXPECT_REFUSED(!brush.SetBlend(kFactors, late));
  EXPECT_REFUSED(!brush.SetPresetBlend(kPresetColours, late));
  EXPECT_REFUSED(!brush.SetPresetBlend(std::span(kPresetColours).first(1), kPositions));
  EXPECT_REFUSED(!brush.SetSigmaBlend(1.5f, 1));
  // The library's own: positions fewer than the factors or colours would be read past their end.
  EXPECT_REFUSED(!brush.SetBlend(kFactors, std::span(kPositions).first(2)));
  EXPECT_REFUSED(!brush.SetPresetBlend(kPresetColours, std::span(kPositions).first(2)));
  EXPECT_EQ(brush.GetBlendCount(), 1);
  std::vector<gdip::Argb> keptColours{kGreen};
  std::vector<float> kept{0.5f}, keptPositions{0.5f};
  EXPECT_EQ(empty.GetBlend(kept, keptPositions), 0);
  EXPECT_EQ(empty.GetPresetBlend(keptColours, keptPositions), 0);
  EXPECT_EQ(kept, std::vector<float>{0.5f});
  EXPECT_EQ(keptColours, std::vector<gdip::Argb>{kGreen});
  EXPECT_EQ(keptPositions, std::vector<float>{0.5f});
}

TYPED_TEST(GdipGradientBlends, AFetchOfNoPresetBlendEmptiesTheCallersLists) {
  gdip::Bitmap surface;
  TypeParam brush;
  ASSERT_TRUE(Kind<TypeParam>::Fill(brush, surface));
  std::vector<gdip::Argb> colours{kGreen, kRed};
  std::vector<float> positions{0.5f};
  EXPECT_EQ(brush.GetPresetBlend(colours, positions), 0);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_TRUE(colours.empty());
  EXPECT_TRUE(positions.empty());
}

// Positions beyond the factors (or colours) are no blend points: the blend
// has as many points as factors, and a fetch gives lists that long.
TYPED_TEST(GdipGradientBlends, PositionsBeyondTheFactorsAreLeftOutAndFetchedListsAreAsLongAsTheBlend) {
  gdip::Bitmap surface;
  TypeParam brush;
  ASSERT_TRUE(Kind<TypeParam>::Fill(brush, surface));
  // One more factor and colour lie past each list given, so that a count
  // taken from the positions would read them and be accepted.
  const float factors[] = {0, 0.5f, 1, 0.25f}, positions[] = {0, 0.25f, 1, 1};
  const gdip::Argb colours[] = {kRed, kGreen, kBlue, kWhite};
  std::vector<float> gotFactors, gotPositions;
  std::vector<gdip::Argb> gotColours;
  ASSERT_TRUE(brush.SetBlend(std::span(factors).first(3), positions));
  EXPECT_EQ(brush.GetBlend(gotFactors, gotPositions), 3);
  EXPECT_EQ(gotFactors, (std::vector<float>{0, 0.5f, 1}));
  EXPECT_EQ(gotPositions, (std::vector<float>{0, 0.25f, 1}));
  // Lists that held more before are replaced by lists as long as the blend.
  std::vector<float> roomyFactors(6, 9), roomyPositions(6, 9);
  EXPECT_EQ(brush.GetBlend(roomyFactors, roomyPositions), 3);
  EXPECT_EQ(roomyFactors, gotFactors);
  EXPECT_EQ(roomyPositions, gotPositions);
  ASSERT_TRUE(brush.SetPresetBlend(std::span(colours).first(3), positions));
  EXPECT_EQ(brush.GetPresetBlend(gotColours, gotPositions), 3);
  EXPECT_EQ(gotColours, (std::vector<gdip::Argb>{kRed, kGreen, kBlue}));
  EXPECT_EQ(gotPositions, (std::vector<float>{0, 0.25f, 1}));
  std::vector<gdip::Argb> roomyColours(6, kBlack);
  roomyPositions.assign(6, 9);
  EXPECT_EQ(brush.GetPresetBlend(roomyColours, roomyPositions), 3);
  EXPECT_EQ(roomyColours, gotColours);
  EXPECT_EQ(roomyPositions, gotPositions);
}
