// Text measured and drawn with the CJK font "宋体" (GBK texts throughout).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/graphics.h"
#include "gdip/region.h"
#include "gdip/string_format.h"
#include "tests/gdip/drawing_canvas.h"

namespace gdip = korvath::gdip;
using gdiptest::Canvas;

namespace {

// GBK bytes: the font's face name and a two-character text.
const std::string kSongTi = "\xCB\xCE\xCC\xE5";   // 宋体
const std::string kChinese = "\xD6\xD0\xCE\xC4";  // 中文

constexpr gdip::Argb kWhite = 0xFFFFFFFF;
constexpr gdip::Argb kBlack = 0xFF000000;

class GdipText : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(font.CreateFromName(kSongTi, 20, 0, Gdiplus::UnitPixel)) << gdip::LastGdipStatus();
    ASSERT_TRUE(black.Create(kBlack));
  }

  // Dark pixels in the rectangle [x0, x1) x [y0, y1).
  static int DarkPixels(const Canvas& canvas, int x0, int y0, int x1, int y1) {
    int dark = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) dark += (canvas.Pixel(x, y) & 0xFF) < 0x80;
    }
    return dark;
  }

  gdip::Font font;
  gdip::SolidBrush black;
};

}  // namespace

TEST_F(GdipText, MeasuredChineseTextIsAboutTwoCharactersWide) {
  Canvas canvas(200, 60);
  gdip::RectF box;
  ASSERT_TRUE(canvas.graphics.MeasureString(kChinese, font, std::nullopt, nullptr, box));
  EXPECT_GE(box.width, 36);
  EXPECT_LE(box.width, 60);
  EXPECT_GE(box.height, 18);
  EXPECT_LE(box.height, 40);

  // The same text given in UTF-16 measures the same: the GBK text crossed
  // through code page 936.
  gdip::RectF wideBox;
  ASSERT_TRUE(canvas.graphics.MeasureStringSimple(L"\u4E2D\u6587", font, std::nullopt, nullptr, wideBox));
  EXPECT_EQ(wideBox, box);
}

TEST_F(GdipText, DrawnTextStaysInsideItsMeasuredBox) {
  Canvas canvas(200, 60);
  canvas.graphics.Clear(kWhite);
  gdip::RectF layout{20, 10, 160, 40};
  gdip::RectF box;
  ASSERT_TRUE(canvas.graphics.MeasureString(kChinese, font, layout, nullptr, box));
  ASSERT_TRUE(canvas.graphics.DrawString(kChinese, font, black, layout));
  int right = int(box.x + box.width) + 2;
  int bottom = int(box.y + box.height) + 2;
  EXPECT_GT(DarkPixels(canvas, int(box.x), int(box.y), right, bottom), 40);
  EXPECT_EQ(DarkPixels(canvas, 0, 0, 200, 8), 0);            // above the layout
  EXPECT_EQ(DarkPixels(canvas, right + 2, 0, 200, 60), 0);  // right of the text
}

TEST_F(GdipText, CentredFormatMovesTheTextToTheMiddle) {
  Canvas canvas(200, 40);
  canvas.graphics.Clear(kWhite);
  gdip::StringFormat format;
  ASSERT_TRUE(format.Create());
  ASSERT_TRUE(format.SetAlign(Gdiplus::StringAlignmentCenter));
  ASSERT_TRUE(canvas.graphics.DrawStringSimple(L"\u4E2D", font, black, gdip::RectF{0, 0, 200, 40}, &format));
  EXPECT_GT(DarkPixels(canvas, 85, 0, 115, 40), 10);
  EXPECT_EQ(DarkPixels(canvas, 0, 0, 70, 40), 0);
  EXPECT_EQ(DarkPixels(canvas, 130, 0, 200, 40), 0);
}

TEST_F(GdipText, CharacterRangesGiveOneRegionPerRange) {
  Canvas canvas(200, 60);
  gdip::StringFormat format;
  ASSERT_TRUE(format.Create());
  const gdip::CharacterRange ranges[] = {{0, 1}, {1, 1}};
  ASSERT_TRUE(format.SetMeasurableCharacterRanges(ranges));
  gdip::RectF layout{0, 0, 200, 60};

  std::vector<gdip::Region> regions(1);
  ASSERT_TRUE(regions[0].Create());
  EXPECT_TRUE(canvas.graphics.MeasureCharacterRanges(kChinese, font, layout, format, 2, regions));
  ASSERT_EQ(regions.size(), 2u);
  gdip::RectF first = regions[0].GetBounds(canvas.graphics);
  gdip::RectF second = regions[1].GetBounds(canvas.graphics);
  EXPECT_GT(first.width, 10);
  EXPECT_GE(second.x, first.x + first.width - 1);
  gdip::PointF centre{first.x + first.width / 2, first.y + first.height / 2};
  EXPECT_TRUE(regions[0].IsVisiblePoint(centre));
  EXPECT_FALSE(regions[1].IsVisiblePoint(centre));
}

TEST_F(GdipText, CharacterRangesRefuseABadCountAndKeepTheCallersRegions) {
  Canvas canvas(200, 60);
  gdip::StringFormat format;
  ASSERT_TRUE(format.Create());
  const gdip::CharacterRange ranges[] = {{0, 1}, {1, 1}};
  ASSERT_TRUE(format.SetMeasurableCharacterRanges(ranges));
  std::vector<gdip::Region> regions(1);
  ASSERT_TRUE(regions[0].Create());
  gdip::NativeHandle held = regions[0].GetNativeObject();

  gdip::SetLastGdipStatus(Gdiplus::Ok);
  EXPECT_FALSE(canvas.graphics.MeasureCharacterRanges(kChinese, font, {0, 0, 200, 60}, format, 0, regions));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  // Fewer regions than the format has ranges: GDI+ refuses.
  EXPECT_FALSE(canvas.graphics.MeasureCharacterRanges(kChinese, font, {0, 0, 200, 60}, format, 1, regions));
  ASSERT_EQ(regions.size(), 1u);
  EXPECT_EQ(regions[0].GetNativeObject(), held);
}

TEST_F(GdipText, DriverStringNeedsAPositionPerCharacter) {
  Canvas canvas(200, 60);
  canvas.graphics.Clear(kWhite);
  const gdip::PointF one[] = {{20, 30}};
  EXPECT_FALSE(canvas.graphics.DrawDriverString(kChinese, font, black, one));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_EQ(DarkPixels(canvas, 0, 0, 200, 60), 0);
}

TEST_F(GdipText, TextOnAnEmptyGraphicsFailsAndMeasuresNothing) {
  gdip::Graphics empty;
  gdip::RectF box{1, 2, 3, 4};
  EXPECT_FALSE(empty.MeasureString(kChinese, font, std::nullopt, nullptr, box));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_FALSE(empty.DrawString(kChinese, font, black));
}
