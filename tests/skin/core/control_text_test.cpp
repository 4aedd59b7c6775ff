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
  testsupport::PixelBuffer out{kWidth, kHeight};
  for (int i = 0; i < kWidth * kHeight; ++i) out.pixels.push_back(bitmap.GetPixel(i % kWidth, i / kWidth));
  return out;
}

bool IsTextRed(uint32_t p) { return ((p >> 16) & 0xFF) > 180 && ((p >> 8) & 0xFF) < 90 && (p & 0xFF) < 90; }
bool IsGlowBlue(uint32_t p) { return (p & 0xFF) > 200 && ((p >> 16) & 0xFF) < 230 && ((p >> 8) & 0xFF) < 230; }
bool IsMarked(uint32_t p) { return (p & 0xFFFFFF) != 0xFFFFFF; }

// Pixels that pass `test` inside (left, top, right, bottom), or outside it.
int Count(const testsupport::PixelBuffer& b, RECT box, bool (*test)(uint32_t), bool inside = true) {
  int n = 0;
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x)
      n += (x >= box.left && x < box.right && y >= box.top && y < box.bottom) == inside && test(b.At(x, y));
  return n;
}

testsupport::PixelBuffer Caption(const std::string& text, gdip::RectF layout, std::optional<int32_t> divisor,
                                 int32_t align = 0, std::optional<bool> wrap = std::nullopt,
                                 const gdip::StringFormat* format = nullptr) {
  return Draw([&](gdip::Graphics& g) {
    SkinDrawControlText(g, text, layout, kRed, kBlue, divisor, std::nullopt, std::nullopt, std::nullopt, align,
                        align, wrap, false, format);
  });
}

TEST(SkinDrawControlText, SongTiTextAndItsGlowStayInsideTheirRectangle) {
  const auto b = Caption(kCaption, {30, 20, 160, 30}, std::nullopt);
  // Glow, halo and text reach at most 2 pixels right of and below the rectangle.
  EXPECT_GT(Count(b, {30, 20, 192, 52}, IsTextRed), 15);
  EXPECT_GT(Count(b, {30, 20, 192, 52}, IsGlowBlue), 0);
  EXPECT_EQ(Count(b, {30, 20, 192, 52}, IsMarked, false), 0);
  if (::testing::Test::HasFailure()) testsupport::SaveFailureImage(b, "control_text_basic");
}

TEST(SkinDrawControlText, AlignmentWrapAndTheCallersFormatPlaceTheText) {
  gdip::StringFormat format;
  format.Create();
  format.SetAlign(2);  // far: wins over the near alignment argument
  const struct {
    const char* name;
    testsupport::PixelBuffer picture;
    int least;
    RECT textIn, noTextIn, noTextAlsoIn;
  } cases[] = {
      {"far", Caption(kCaption, {10, 10, 200, 60}, 4, 2), 15, {110, 40, 213, 73}, {0, 0, 110, kHeight},
       {0, 0, kWidth, 40}},
      {"centre", Caption(kCaption, {10, 10, 200, 60}, 4, 1), 15, {60, 25, 160, 55}, {0, 0, 60, kHeight},
       {160, 0, kWidth, kHeight}},
      {"format", Caption(kCaption, {10, 10, 200, 30}, 4, 0, true, &format), 15, {110, 10, 213, 43},
       {0, 0, 110, kHeight}},
      {"wrapped", Caption(kLongCaption, {20, 10, 90, 50}, 4), 10, {20, 30, 110, 60}},
      {"one line", Caption(kLongCaption, {20, 10, 90, 50}, 4, 0, false), 10, {20, 10, 113, 30}, {20, 30, 110, 60}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_GT(Count(c.picture, c.textIn, IsTextRed), c.least);
    EXPECT_EQ(Count(c.picture, c.noTextIn, IsTextRed), 0);
    EXPECT_EQ(Count(c.picture, c.noTextAlsoIn, IsTextRed), 0);
    if (::testing::Test::HasFailure()) testsupport::SaveFailureImage(c.picture, "control_text_placed");
  }
}

// A divisor of 0 or below would divide by zero: it draws like 1.
TEST(SkinDrawControlText, DivisorBelowOneDrawsLikeOne) {
  const auto one = Caption(kCaption, {30, 20, 160, 30}, 1);
  EXPECT_EQ(Caption(kCaption, {30, 20, 160, 30}, 0).pixels, one.pixels);
  EXPECT_EQ(Caption(kCaption, {30, 20, 160, 30}, -5).pixels, one.pixels);
  EXPECT_NE(Caption(kCaption, {30, 20, 160, 30}, 4).pixels, one.pixels);  // the glow depends on it
  EXPECT_GT(Count(one, {30, 20, 192, 52}, IsTextRed), 15);
  const auto unknownFace = Draw([](gdip::Graphics& g) {
    SkinDrawControlText(g, kCaption, {30, 20, 160, 30}, kRed, kBlue, 4, std::string("No Such Face Korvath"));
  });
  EXPECT_EQ(Count(unknownFace, {0, 0, kWidth, kHeight}, IsTextRed), 0);
}

TEST(SkinControlFontMetrics, ReadsTheControlsFontOrGivesSongTi12) {
  testsupport::TestWindow parent(200, 100);  // default procedure: WM_GETFONT answers 0
  const SkinFontInfo none = SkinControlFontMetrics(parent.hwnd());
  EXPECT_EQ(none.face, kDefaultFontFace);
  EXPECT_EQ(none.size, 12);
  EXPECT_EQ(none.style, 0);
  HWND label = parent.AddChild(L"STATIC", L"x", 0, 0, 0, 100, 30);
  platform::GdiFont font(
      CreateFontW(-16, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0, L"SimSun"));
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
