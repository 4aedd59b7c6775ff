#include "skin/core/control_text.h"

#include <gtest/gtest.h>

#include <functional>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/graphics.h"
#include "gdip/string_format.h"
#include "platform/gdi_object.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

// "测试文字" and "测试" five times, in code page 936.
const std::string kCaption = "\xB2\xE2\xCA\xD4\xCE\xC4\xD7\xD6";
const std::string kLongCaption = "\xB2\xE2\xCA\xD4\xB2\xE2\xCA\xD4\xB2\xE2\xCA\xD4\xB2\xE2\xCA\xD4\xB2\xE2\xCA\xD4";

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr int kWidth = 220;
constexpr int kHeight = 80;

// A white 220 x 80 picture with whatever `draw` puts on it.
testsupport::PixelBuffer Draw(const std::function<void(gdip::Graphics&)>& draw) {
  gdip::Bitmap bitmap;
  bitmap.CreateWithFormat(kWidth, kHeight);
  {
    gdip::Graphics graphics;
    graphics.FromImage(bitmap);
    graphics.Clear(0xFFFFFFFFu);
    draw(graphics);
  }
  testsupport::PixelBuffer out;
  out.width = kWidth;
  out.height = kHeight;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) out.pixels.push_back(bitmap.GetPixel(x, y));
  return out;
}

bool IsTextRed(uint32_t p) {
  return ((p >> 16) & 0xFF) > 180 && ((p >> 8) & 0xFF) < 90 && (p & 0xFF) < 90;
}
bool IsWhite(uint32_t p) { return (p & 0xFFFFFF) == 0xFFFFFF; }

struct Box {
  int left, top, right, bottom;  // right and bottom exclusive
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

int CountIn(const testsupport::PixelBuffer& b, const Box& box, bool (*test)(uint32_t)) {
  int n = 0;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x) n += test(b.At(x, y));
  return n;
}

// Pixels outside `box` that are not white.
int MarkedOutside(const testsupport::PixelBuffer& b, const Box& box) {
  int n = 0;
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x) n += !box.Contains(x, y) && !IsWhite(b.At(x, y));
  return n;
}

void SaveOnFailure(const testsupport::PixelBuffer& b, const char* name) {
  if (::testing::Test::HasFailure()) testsupport::SaveFailureImage(b, name);
}

TEST(SkinDrawControlText, SongTiTextShowsTheTextColourInsideItsRectangleAndNothingOutside) {
  const auto b = Draw([](gdip::Graphics& g) {
    SkinDrawControlText(g, kCaption, gdip::RectF{30, 20, 160, 30}, kRed, kBlue);
  });
  // Glow, halo and text reach at most 2 pixels right of and below the rectangle.
  EXPECT_GT(CountIn(b, Box{30, 20, 192, 52}, IsTextRed), 15);
  EXPECT_EQ(MarkedOutside(b, Box{30, 20, 192, 52}), 0);
  // The glow colour shows around the strokes.
  EXPECT_GT(CountIn(b, Box{30, 20, 192, 52}, [](uint32_t p) {
              return (p & 0xFF) > 200 && ((p >> 16) & 0xFF) < 230 && ((p >> 8) & 0xFF) < 230;
            }),
            0);
  SaveOnFailure(b, "control_text_basic");
}

// Plain text as the caption pass draws it: "宋体" 12 in world units, line
// limit, anti-aliased grid fit, red at alpha 254.
testsupport::PixelBuffer PlainTextAt(float x, float y) {
  return Draw([=](gdip::Graphics& g) {
    gdip::Font font;
    font.CreateFromName(kDefaultFontFace, 12, 0, 0);
    gdip::StringFormat format;
    format.Create(0x2000);
    gdip::SolidBrush brush;
    brush.Create(0xFEFF0000u);
    g.SetTextRenderingHint(3);
    g.DrawString(kCaption, font, brush, gdip::RectF{x, y, 160, 30}, &format);
  });
}

int ClearlyDifferent(const testsupport::PixelBuffer& a, const testsupport::PixelBuffer& b) {
  int n = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) n += !testsupport::ColorNear(a.pixels[i], b.pixels[i], 8);
  return n;
}

TEST(SkinDrawControlText, TextLiesOnePixelRightOfAndBelowTheCorner) {
  // With a white glow on white, only the text itself shows: exactly plain
  // text drawn at (x + 1, y + 1).
  const auto b = Draw([](gdip::Graphics& g) {
    SkinDrawControlText(g, kCaption, gdip::RectF{40, 30, 160, 30}, kRed, RGB(255, 255, 255));
  });
  EXPECT_GT(CountIn(b, Box{0, 0, kWidth, kHeight}, IsTextRed), 15);
  EXPECT_EQ(ClearlyDifferent(b, PlainTextAt(41, 31)), 0);
  EXPECT_GT(ClearlyDifferent(b, PlainTextAt(40, 30)), 20);
  SaveOnFailure(b, "control_text_corner");
}

TEST(SkinDrawControlText, AlignmentsPlaceTheText) {
  
  const auto farAligned = Draw([](gdip::Graphics& g) {
    SkinDrawControlText(g, kCaption, gdip::RectF{10, 10, 200, 60}, kRed, kBlue, 4, std::nullopt,
                        std::nullopt, std::nullopt, 2, 2);
  });
  // Far and farAligned: the bottom-right quarter only.
  EXPECT_GT(CountIn(farAligned, Box{110, 40, 213, 73}, IsTextRed), 15);
  EXPECT_EQ(CountIn(farAligned, Box{0, 0, 110, kHeight}, IsTextRed), 0);
  EXPECT_EQ(CountIn(farAligned, Box{0, 0, kWidth, 40}, IsTextRed), 0);
  const auto centre = Draw([](gdip::Graphics& g) {
    SkinDrawControlText(g, kCaption, gdip::RectF{10, 10, 200, 60}, kRed, kBlue, 4, std::nullopt,
                        std::nullopt, std::nullopt, 1, 1);
  });
  EXPECT_GT(CountIn(centre, Box{60, 25, 160, 55}, IsTextRed), 15);
  EXPECT_EQ(CountIn(centre, Box{0, 0, 60, kHeight}, IsTextRed), 0);
  EXPECT_EQ(CountIn(centre, Box{160, 0, kWidth, kHeight}, IsTextRed), 0);
  SaveOnFailure(farAligned, "control_text_far");
  SaveOnFailure(centre, "control_text_centre");
}

TEST(SkinDrawControlText, WrapsUnlessToldNotTo) {
  const Box secondLine{20, 30, 110, 60};
  const auto wrapped = Draw([](gdip::Graphics& g) {
    SkinDrawControlText(g, kLongCaption, gdip::RectF{20, 10, 90, 50}, kRed, kBlue);
  });
  EXPECT_GT(CountIn(wrapped, secondLine, IsTextRed), 10);
  const auto oneLine = Draw([](gdip::Graphics& g) {
    SkinDrawControlText(g, kLongCaption, gdip::RectF{20, 10, 90, 50}, kRed, kBlue, 4, std::nullopt,
                        std::nullopt, std::nullopt, 0, 0, false);
  });
  EXPECT_EQ(CountIn(oneLine, secondLine, IsTextRed), 0);
  EXPECT_GT(CountIn(oneLine, Box{20, 10, 113, 30}, IsTextRed), 10);
  EXPECT_EQ(MarkedOutside(oneLine, Box{20, 10, 113, 63}), 0);
  SaveOnFailure(wrapped, "control_text_wrapped");
  SaveOnFailure(oneLine, "control_text_one_line");
}

TEST(SkinDrawControlText, CallersFormatDecidesAlignment) {
  gdip::StringFormat format;
  format.Create();
  format.SetAlign(2);  // farAligned
  const auto b = Draw([&](gdip::Graphics& g) {
    // The alignment argument says near; the format wins.
    SkinDrawControlText(g, kCaption, gdip::RectF{10, 10, 200, 30}, kRed, kBlue, 4, std::nullopt,
                        std::nullopt, std::nullopt, 0, 0, true, false, &format);
  });
  EXPECT_EQ(CountIn(b, Box{0, 0, 110, kHeight}, IsTextRed), 0);
  EXPECT_GT(CountIn(b, Box{110, 10, 213, 43}, IsTextRed), 15);
}

TEST(SkinDrawControlText, DivisorBelowOneDrawsLikeOne) {
  auto draw = [](int divisor) {
    return Draw([divisor](gdip::Graphics& g) {
      SkinDrawControlText(g, kCaption, gdip::RectF{30, 20, 160, 30}, kRed, kBlue, divisor);
    });
  };
  const auto one = draw(1);
  EXPECT_EQ(draw(0).pixels, one.pixels);
  EXPECT_EQ(draw(-5).pixels, one.pixels);
  EXPECT_NE(draw(4).pixels, one.pixels);  // the glow really depends on it
  EXPECT_GT(CountIn(one, Box{30, 20, 192, 52}, IsTextRed), 15);
}

TEST(SkinDrawControlText, UnknownFaceDrawsNoText) {
  const auto b = Draw([](gdip::Graphics& g) {
    SkinDrawControlText(g, kCaption, gdip::RectF{30, 20, 160, 30}, kRed, kBlue, 4,
                        std::string("No Such Face Korvath"));
  });
  EXPECT_EQ(CountIn(b, Box{0, 0, kWidth, kHeight}, IsTextRed), 0);
}

TEST(SkinDrawControlText, LeavesTheCallersHintAtAntiAliasGridFit) {
  gdip::Bitmap bitmap;
  bitmap.CreateWithFormat(50, 20);
  gdip::Graphics graphics;
  graphics.FromImage(bitmap);
  graphics.SetTextRenderingHint(0);
  SkinDrawControlText(graphics, "ab", gdip::RectF{0, 0, 50, 20}, kRed, kBlue);
  int hint = -1;
  ASSERT_EQ(Gdiplus::DllExports::GdipGetTextRenderingHint(
                graphics.NativeGraphics(), reinterpret_cast<Gdiplus::TextRenderingHint*>(&hint)),
            Gdiplus::Ok);
  EXPECT_EQ(hint, 3);
}

// ---- font metrics -----------------------------------------------------------

TEST(SkinControlFontMetrics, ControlWithoutFontGivesSongTi12) {
  testsupport::TestWindow window(200, 100);  // default procedure: WM_GETFONT answers 0
  const SkinFontInfo info = SkinControlFontMetrics(window.hwnd());
  EXPECT_EQ(info.face, kDefaultFontFace);
  EXPECT_EQ(info.size, 12);
  EXPECT_EQ(info.style, 0);
}

TEST(SkinControlFontMetrics, ReadsSizeStyleAndFamilyOfTheControlsFont) {
  testsupport::TestWindow parent(200, 100);
  HWND label = parent.AddChild(L"STATIC", L"x", 0, 0, 0, 100, 30);
  platform::GdiFont font(
      CreateFontW(-16, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0, L"SimSun"));
  ASSERT_TRUE(font);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  const SkinFontInfo info = SkinControlFontMetrics(label);
  EXPECT_EQ(info.size, 16);
  EXPECT_EQ(info.style, 3);  // bold | italic
  EXPECT_FALSE(info.face.empty());
  EXPECT_NE(info.face, kDefaultFontFace);  // the family GDI+ found, not the fallback
  SendMessageW(label, WM_SETFONT, 0, FALSE);
}

}  // namespace
}  // namespace korvath::skin
