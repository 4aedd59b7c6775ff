// Pens: every setting reads back and is refused on an empty pen, caps and
// joins shape the stroke where they should, and a pen filled from a brush
// strokes with its own copy of that brush.
#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

using namespace gdiptest;

TEST(GdipPen, EachSettingReadsBackAndAnEmptyPenRefusesIt) {
  gdip::Pen pen;
  ASSERT_TRUE(pen.CreateFromColor(kRed, 4, Gdiplus::UnitPixel));
  EXPECT_EQ(pen.GetUnit(), Gdiplus::UnitPixel);
  gdip::LinearGradientBrush gradient;
  ASSERT_TRUE(gradient.CreateFromPoints({0, 0}, {10, 0}, kRed, kBlue));
  const std::vector<float> stripes{0, 0.25f, 0.75f, 1};
  std::vector<float> got;
  TestMatrix shear(1, 0, 0.5f, 2, 3, 4);
  ExpectSettings(pen, {
      SETTING(o.SetWidth(6.5f), o.GetWidth() == 6.5f),
      SETTING(o.SetStartCap(Gdiplus::LineCapRound), o.GetStartCap() == Gdiplus::LineCapRound),
      SETTING(o.SetEndCap(Gdiplus::LineCapTriangle), o.GetEndCap() == Gdiplus::LineCapTriangle),
      SETTING(o.SetDashCap(Gdiplus::DashCapTriangle),
              o.GetDashCap() == Gdiplus::DashCapTriangle && o.GetDashCap2() == Gdiplus::DashCapTriangle),
      SETTING(o.SetLineCap(Gdiplus::LineCapSquare, Gdiplus::LineCapArrowAnchor, Gdiplus::DashCapRound),
              o.GetStartCap() == Gdiplus::LineCapSquare && o.GetEndCap() == Gdiplus::LineCapArrowAnchor &&
                  o.GetDashCap2() == Gdiplus::DashCapRound),
      SETTING(o.SetLineCap2(Gdiplus::LineCapTriangle, Gdiplus::LineCapSquare, Gdiplus::DashCapTriangle),
              o.GetStartCap() == Gdiplus::LineCapTriangle && o.GetEndCap() == Gdiplus::LineCapSquare &&
                  o.GetDashCap() == Gdiplus::DashCapTriangle),
      SETTING(o.SetLineJoin(Gdiplus::LineJoinRound), o.GetLineJoin() == Gdiplus::LineJoinRound),
      SETTING(o.SetMiterLimit(3.5f), o.GetMiterLimit() == 3.5f),
      SETTING(o.SetMode(Gdiplus::PenAlignmentInset), o.GetMode() == Gdiplus::PenAlignmentInset),
      SETTING(o.SetColor(0x80123456), o.GetColor() == 0x80123456),
      SETTING(o.SetDashOffset(2.5f), o.GetDashOffset() == 2.5f),
      SETTING(o.SetCompoundArray(stripes), o.GetCompoundArray(got) == 4 && got == stripes),
      SETTING(o.SetTransform(shear), Mapped(o, 2, 1) == (gdip::PointF{5.5f, 6})),
      SETTING(o.SetBrushFill(gradient), o.GetFillType() == Gdiplus::PenTypeLinearGradient),
  });
  // GDI+'s own refusals: stripes out of order or unpaired; a gradient pen has no one colour.
  const float descending[] = {0, 0.5f, 0.25f, 1}, unpaired[] = {0, 0.5f, 1};
  EXPECT_REFUSED(!pen.SetCompoundArray(descending));
  EXPECT_REFUSED(!pen.SetCompoundArray(unpaired));
  EXPECT_EQ(pen.GetCompoundArray(got), 4);
  EXPECT_EQ(pen.GetColor(), 0u);
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  ExpectEmptyAnswersZero<gdip::Pen>({GETTER(o.GetWidth()), GETTER(o.GetUnit()), GETTER(o.GetStartCap()),
                                     GETTER(o.GetEndCap()), GETTER(o.GetDashCap()), GETTER(o.GetDashCap2()),
                                     GETTER(o.GetLineJoin()), GETTER(o.GetMiterLimit()), GETTER(o.GetMode()),
                                     GETTER(o.GetColor()), GETTER(o.GetFillType()), GETTER(o.GetDashOffset()),
                                     GETTER(o.GetDashStyle())});
}

TEST(GdipPen, CapsShapeTheirOwnEndAndJoinsAndTheMiterLimitTheCorner) {
  Canvas canvas(300, 100, kWhite);
  gdip::Pen capped = MakePen(kBlack, 20);
  ASSERT_TRUE(capped.SetStartCap(Gdiplus::LineCapRound) && capped.SetEndCap(Gdiplus::LineCapSquare));
  EXPECT_TRUE(canvas.graphics.DrawLine(capped, 20, 30, 70, 30));
  // The round start reaches 10 px back on the line, not into the corner; the square end fills its corner.
  ExpectPixels(canvas, {{12, 30, kBlack}, {11, 21, kWhite}, {78, 21, kBlack}, {78, 38, kBlack}, {84, 30, kWhite}});

  // A chevron's tip at (50, 20), each 100 px further right: miter, bevel, miter beyond its limit.
  gdip::Pen miter = MakePen(kBlack, 10), bevel = MakePen(kBlack, 10), limited = MakePen(kBlack, 10);
  ASSERT_TRUE(bevel.SetLineJoin(Gdiplus::LineJoinBevel) && limited.SetMiterLimit(1.5f));
  Canvas joins(300, 100, kWhite);
  float left = 0;
  for (const gdip::Pen* pen : {&miter, &bevel, &limited}) {
    const gdip::PointF chevron[] = {{left + 20, 80}, {left + 50, 20}, {left + 80, 80}};
    EXPECT_TRUE(joins.graphics.DrawLines(*pen, chevron));
    left += 100;
  }
  ExpectPixels(joins, {{50, 13, kBlack}, {150, 13, kWhite}, {250, 13, kWhite},
                       {50, 19, kBlack}, {150, 19, kBlack}, {250, 19, kBlack}});
}

TEST(GdipPen, APenFromABrushStrokesWithItsOwnCopyAndHandsOutANewOne) {
  gdip::LinearGradientBrush gradient, fill, empty;
  ASSERT_TRUE(gradient.CreateFromPoints({0, 0}, {100, 0}, kRed, kBlue));
  gdip::Pen pen, none;
  ASSERT_TRUE(pen.CreateFromBrush(gradient, 6.5f, Gdiplus::UnitPixel));
  EXPECT_EQ(pen.GetWidth(), 6.5f);
  EXPECT_EQ(pen.GetUnit(), Gdiplus::UnitPixel);
  EXPECT_EQ(pen.GetFillType(), Gdiplus::PenTypeLinearGradient);
  ASSERT_TRUE(gradient.Delete());
  Canvas canvas(100, 40, kWhite);
  EXPECT_TRUE(canvas.graphics.DrawLine(pen, 0, 10, 100, 10));
  {
    NativeObjectsBalance balance(+1);  // a brush of the target's own
    ASSERT_TRUE(pen.GetBrushFill(fill));
  }
  gdip::Argb from = 0, to = 0;
  EXPECT_TRUE(fill.GetColors(from, to));
  EXPECT_EQ(from, kRed);
  EXPECT_EQ(to, kBlue);
  EXPECT_FALSE(none.GetBrushFill(fill));
  EXPECT_EQ(fill.GetNativeObject(), nullptr);
  EXPECT_REFUSED(!none.CreateFromBrush(empty, 1));
  EXPECT_EQ(none.GetNativeObject(), nullptr);
  gdip::Pen world;
  ASSERT_TRUE(world.CreateFromBrush(MakeBrush(kGreen), 2));  // the unit left out: world
  EXPECT_EQ(world.GetUnit(), Gdiplus::UnitWorld);

  ASSERT_TRUE(pen.SetBrushFill(MakeBrush(kGreen)));  // a solid brush gives the pen its colour
  EXPECT_EQ(pen.GetFillType(), Gdiplus::PenTypeSolidColor);
  EXPECT_EQ(pen.GetColor(), kGreen);
  EXPECT_TRUE(canvas.graphics.DrawLine(pen, 0, 30, 100, 30));
  ExpectPixels(canvas, {{3, 10, kRed, 16}, {96, 10, kBlue, 16}, {50, 30, kGreen}, {50, 20, kWhite}});
}

TEST(GdipPen, AnAdoptedNativePenIsTheOneItActsOnAndReleases) {
  gdip::Pen source = MakePen(0xFF123456, 3), pen = MakePen(kRed, 1);
  EXPECT_EQ(pen.NativePen(), pen.GetNativeObject());
  Gdiplus::GpPen* copy = nullptr;
  ASSERT_EQ(Gdiplus::DllExports::GdipClonePen(source.NativePen(), &copy), Gdiplus::Ok);
  {
    NativeObjectsBalance balance(-1);  // the pen held before goes
    pen.SetNativePen(copy);
  }
  EXPECT_EQ(pen.GetNativeObject(), copy);
  EXPECT_EQ(pen.GetColor(), 0xFF123456u);
}
