// The caption title's halo, rendered once and blended four times onto the
// engine's section, against the four copies GDI+ draws through the DC: the
// same pixels, alpha included, on a background where every pixel differs.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "skin/caption/caption_title.h"
#include "skin/draw/control_text.h"
#include "skin/draw/skin_graphics.h"

namespace {

using namespace korvath;
using namespace korvath::skin;

// A bottom-up section of noise, as the engine's memory DCs hold, selected
// into a DC of its own.
struct NoisySection {
  platform::DibSection dib;
  platform::MemoryDC dc;
  HGDIOBJ previous = nullptr;
  int width, height;

  NoisySection(int w, int h) : width(w), height(h) {
    dib = platform::CreateDib32(w, h);
    dc = platform::MemoryDC::CompatibleWith(nullptr);
    previous = SelectObject(dc.get(), dib.bitmap.get());
    uint32_t seed = 4711;
    auto* pixels = static_cast<uint32_t*>(dib.bits);
    for (size_t i = 0; i < size_t(w) * size_t(h); ++i) {
      seed = seed * 1103515245u + 12345u;
      pixels[i] = seed ^ (seed >> 13);
    }
  }
  ~NoisySection() { SelectObject(dc.get(), previous); }

  std::vector<uint32_t> Pixels() const {
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(dib.bits);
    return std::vector<uint32_t>(p, p + size_t(width) * size_t(height));
  }
};

TEST(CaptionTitleTest, TheHaloBlendedFromOneRenderingGivesGdiPlusOwnPixels) {
  struct Case {
    std::string text, face;
    bool bold;
    float size;
    COLORREF colour, halo;
    gdip::RectF layout;
  };
  const std::string song = "\xCB\xCE\xCC\xE5", hei = "\xBA\xDA\xCC\xE5";
  // The tool's title as its caption shows it; a long one that wraps and is
  // cut at the box; a plain face on a box flush with the section's corner.
  const Case cases[] = {
      {"KorvathNPC\xC9\xFA\xB3\xC9\xC6\xF7", song, true, 12, 0xFFFFFF, 0x808080, {6, 7, 360, 21}},
      {"KorvathNPC\xC9\xFA\xB3\xC9\xC6\xF7 - a title far longer than its box, wrapping", song, true, 12, 0xFFFFFF,
       0x808080, {6, 7, 120, 30}},
      {"Wg\xC9\xFA\xB3\xC9 jy", hei, false, 13, 0x204060, 0x10E0F0, {1, 1, 200, 24}},
  };
  const auto look = [](const Case& c) {
    return ControlTextLook{.textColour = c.colour,
                           .glowColour = c.halo,
                           .face = c.face,
                           .style = c.bold ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular,
                           .size = c.size};
  };
  for (const Case& c : cases) {
    NoisySection expected(409, 60), got(409, 60);
    {
      gdip::Graphics graphics;
      ASSERT_TRUE(SkinGraphicsOnDC(graphics, expected.dc.get()));
      SkinDrawText(graphics, c.text, c.layout, look(c));
    }
    {
      gdip::Graphics graphics;
      ASSERT_TRUE(SkinGraphicsOnDC(graphics, got.dc.get()));
      SkinDrawText(graphics, c.text, c.layout, look(c), 1, got.dc.get());
    }
    const std::vector<uint32_t> a = expected.Pixels(), b = got.Pixels(), before = NoisySection(409, 60).Pixels();
    int differing = 0, drawn = 0, first = -1;
    for (size_t i = 0; i < a.size(); ++i) {
      drawn += a[i] != before[i];
      if (a[i] == b[i]) continue;
      ++differing;
      if (first < 0) first = int(i);
    }
    EXPECT_GT(drawn, 100) << c.text;  // the text and its halo did show
    EXPECT_EQ(differing, 0) << c.text << ", first at " << first % 409 << "," << 59 - first / 409 << std::hex << " "
                            << (first >= 0 ? b[size_t(first)] : 0) << " for " << (first >= 0 ? a[size_t(first)] : 0);
  }
}

}  // namespace
