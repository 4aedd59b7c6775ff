// A message box's title: its text with a blurred glow, as the box's paint
// draws it.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "skin/draw/control_text.h"
#include "skin/message_box/caption_text.h"

namespace {

using namespace korvath;
using namespace korvath::skin;

// A box title's glowing text on white, as its pixels (ARGB).
std::vector<uint32_t> CaptionTextPixels(int32_t blurDivisor) {
  constexpr int kW = 220, kH = 40;
  gdip::Bitmap bitmap;
  EXPECT_TRUE(bitmap.CreateWithFormat(kW, kH));
  {
    gdip::Graphics graphics;
    EXPECT_TRUE(graphics.FromImage(bitmap));
    graphics.Clear(0xFFFFFFFFu);
    SkinCaptionText(graphics, "KorvathNPC\xC9\xFA\xB3\xC9\xC6\xF7", gdip::RectF{8, -3, 200, 30},
                    ControlTextLook{.textColour = RGB(0, 0, 0),
                                    .glowColour = RGB(0, 0, 255),
                                    .blurDivisor = blurDivisor,
                                    .size = 12,
                                    .verticalAlign = Gdiplus::StringAlignmentCenter});
  }
  std::vector<uint32_t> pixels;
  for (int i = 0; i < kW * kH; ++i) pixels.push_back(bitmap.GetPixel(i % kW, i / kW));
  return pixels;
}

// A blur divisor below 1 (0 would divide by zero) draws the title as 1 does;
// the divisor still shapes the glow. Each picture below is drawn afresh: the
// one kept from the call before it differs.
TEST(CaptionTextTest, ABlurDivisorBelowOneDrawsAsOne) {
  const std::vector<uint32_t> zero = CaptionTextPixels(0);
  const std::vector<uint32_t> four = CaptionTextPixels(4);
  const std::vector<uint32_t> one = CaptionTextPixels(1);
  const std::vector<uint32_t> negative = CaptionTextPixels(-3);
  const std::vector<uint32_t> two = CaptionTextPixels(2);
  int glow = 0;
  for (uint32_t p : one) glow += (p & 0xFF) > 0xC0 && ((p >> 16) & 0xFF) < 0xA0;
  EXPECT_GT(glow, 50) << "the text glows blue";
  EXPECT_EQ(zero, one);
  EXPECT_EQ(negative, one);
  EXPECT_NE(two, one);
  EXPECT_NE(four, one);
}

}  // namespace
