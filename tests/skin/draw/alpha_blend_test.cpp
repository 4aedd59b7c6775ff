// The engine's one alpha blend (SkinBlend): which pixels it lays over which,
// and by which alpha, as the cross-fade and the layered windows' composition
// ask for it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "skin/draw/alpha_blend.h"
#include "skin/draw/memory_dc.h"
#include "tests/skin/core/engine_fixture.h"

namespace {

using namespace korvath::skin;

using AlphaBlendTest = korvath::skin::test::GdiCountedEngineTest;

constexpr int kWidth = 8;
constexpr int kHeight = 4;
constexpr uint32_t kUnder = 0xFF204060;  // opaque, every channel told apart

// A pixel of a memory DC's bottom-up DIB section, counted from the top.
uint32_t& PixelAt(HDC dc, int x, int y) {
  DIBSECTION section{};
  GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof section, &section);
  auto* bits = static_cast<uint32_t*>(section.dsBm.bmBits);
  return bits[size_t(section.dsBm.bmHeight - 1 - y) * section.dsBm.bmWidth + x];
}

// The colour channels of `over` laid on `under` at the constant alpha, by
// the source's own (premultiplied) alpha as well when `perPixel`.
uint32_t Expected(uint32_t under, uint32_t over, int alpha, bool perPixel) {
  const double constant = alpha / 255.0;
  const double coverage = perPixel ? (over >> 24) / 255.0 * constant : constant;
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double top = ((over >> shift) & 0xFF) * constant;
    const double kept = ((under >> shift) & 0xFF) * (1 - coverage);
    result |= uint32_t(std::lround(std::min(top + kept, 255.0))) << shift;
  }
  return result;
}

// Within 2 per channel: the system rounds its steps its own way.
bool ColoursNear(uint32_t a, uint32_t b) {
  for (int shift = 0; shift <= 16; shift += 8) {
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 2) return false;
  }
  return true;
}

struct Case {
  SourceAlpha sourceAlpha;
  uint8_t alpha;
};

// A 4 x 2 source, each column its own colour and alpha, laid from its second
// column on at (2, 1) of a plain destination: what lies under the blended
// 3 x 2 rectangle changes by the case's alphas, nothing else does.
TEST_F(AlphaBlendTest, TheBlendLaysTheSourceRectangleOverTheDestinationRectangleByItsAlphas) {
  const uint32_t columns[4] = {0xFFFFFFFF, 0x40400000, 0x80008000, 0xC0000090};
  for (const Case c : {Case{SourceAlpha::Ignored, 255}, Case{SourceAlpha::Ignored, 0x80},
                       Case{SourceAlpha::PerPixel, 255}, Case{SourceAlpha::PerPixel, 0x80}}) {
    const bool perPixel = c.sourceAlpha == SourceAlpha::PerPixel;
    SCOPED_TRACE(testing::Message() << (perPixel ? "per pixel" : "ignored") << ", alpha " << int(c.alpha));
    SkinMemoryDc destination = SkinMemoryDc::Create(kWidth, kHeight);
    SkinMemoryDc source = SkinMemoryDc::Create(4, 2);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) PixelAt(destination.get(), x, y) = kUnder;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 4; ++x) PixelAt(source.get(), x, y) = columns[x];
    GdiFlush();
    ASSERT_TRUE(SkinBlend(destination.get(), RECT{2, 1, 5, 3}, source.get(), RECT{1, 0, 4, 2}, c.alpha,
                          c.sourceAlpha));
    GdiFlush();
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
        const uint32_t want = inside ? Expected(kUnder, columns[x - 1], c.alpha, perPixel) : kUnder & 0xFFFFFF;
        const uint32_t seen = PixelAt(destination.get(), x, y) & 0xFFFFFF;
        EXPECT_TRUE(ColoursNear(seen, want)) << x << "," << y << ": " << std::hex << seen << " for " << want;
      }
    }
  }
}

// A source rectangle of another size is stretched over the destination's.
TEST_F(AlphaBlendTest, ASourceOfAnotherSizeIsStretchedOverTheDestinationRectangle) {
  SkinMemoryDc destination = SkinMemoryDc::Create(kWidth, kHeight);
  SkinMemoryDc source = SkinMemoryDc::Create(1, 1);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) PixelAt(destination.get(), x, y) = kUnder;
  PixelAt(source.get(), 0, 0) = 0xFF00FF00;
  GdiFlush();
  ASSERT_TRUE(SkinBlend(destination.get(), RECT{0, 0, kWidth, kHeight}, source.get(), RECT{0, 0, 1, 1}, 255,
                        SourceAlpha::PerPixel));
  GdiFlush();
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) EXPECT_EQ(PixelAt(destination.get(), x, y) & 0xFFFFFF, 0x00FF00u) << x << "," << y;
}

// The adapter by GdiAlphaBlend's own arguments blends the rectangles that
// they name, by the alphas it is given.
TEST_F(AlphaBlendTest, TheAdapterBlendsTheRectanglesOfItsArgumentsAsTheBlendDoes) {
  for (const SourceAlpha sourceAlpha : {SourceAlpha::Ignored, SourceAlpha::PerPixel}) {
    SkinMemoryDc source = SkinMemoryDc::Create(4, 2);
    SkinMemoryDc byRects = SkinMemoryDc::Create(kWidth, kHeight);
    SkinMemoryDc byArguments = SkinMemoryDc::Create(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) PixelAt(byRects.get(), x, y) = PixelAt(byArguments.get(), x, y) = kUnder;
    }
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 4; ++x) PixelAt(source.get(), x, y) = 0x40400000u + uint32_t(x * 0x20 + y * 0x2000);
    GdiFlush();
    ASSERT_TRUE(SkinBlend(byRects.get(), RECT{3, 1, 5, 4}, source.get(), RECT{1, 1, 4, 2}, 0x80, sourceAlpha));
    ASSERT_TRUE(SkinAlphaBlend(byArguments.get(), 3, 1, 2, 3, source.get(), 1, 1, 3, 1, 0x80, sourceAlpha));
    GdiFlush();
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x)
        EXPECT_EQ(PixelAt(byArguments.get(), x, y), PixelAt(byRects.get(), x, y)) << x << "," << y;
    }
  }
}

}  // namespace
