// A one-pixel outline traced in pieces onto a DIB section's own pixels
// against the same outline stroked by GDI+ through the section's DC: the
// same pixels, alpha included, on a background where every pixel differs.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/pen.h"
#include "platform/gdi_object.h"
#include "skin/core/rounded_path.h"
#include "skin/core/skin_graphics.h"
#include "skin/core/thin_outline.h"
#include "tests/skin/core/engine_fixture.h"

namespace {

using namespace korvath;
using namespace korvath::skin;

constexpr uint32_t kFirstMark = 0xFF13579Bu;

// A bottom-up section, as the engine's memory DCs hold, of noise (alpha
// too), selected into a DC of its own.
struct NoisySection {
  platform::DibSection dib;
  platform::MemoryDC dc;
  HGDIOBJ previous = nullptr;
  int width, height;

  NoisySection(int w, int h, uint32_t seed) : width(w), height(h) {
    dib = platform::CreateDib32(w, h);
    dc = platform::MemoryDC::CompatibleWith(nullptr);
    previous = SelectObject(dc.get(), dib.bitmap.get());
    auto* pixels = static_cast<uint32_t*>(dib.bits);
    for (size_t i = 0; i < size_t(w) * size_t(h); ++i) {
      seed = seed * 1103515245u + 12345u;
      pixels[i] = seed ^ (seed >> 15);
    }
    // The colour the outline is first traced in, present in the band (the
    // bottom row): the trace must take another.
    for (int x = 0; x < w; x += 7) pixels[x] = kFirstMark;
  }
  ~NoisySection() { SelectObject(dc.get(), previous); }

  std::vector<uint32_t> Pixels() const {
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(dib.bits);
    return std::vector<uint32_t>(p, p + size_t(width) * size_t(height));
  }
};

struct Outline {
  float x, y, w, h;
  int corner;
  gdip::Argb colour;
};

TEST(ThinOutlineTest, GivesThePixelsGdiPlusStrokesThroughTheDC) {
  // The form's two outlines (dark, then light inside it) at the tool's size
  // and others, odd and even, wide and tall.
  struct Size {
    int width, height;
  };
  for (const Size size : {Size{409, 471}, Size{300, 200}, Size{61, 37}, Size{17, 15}, Size{688, 528}, Size{120, 600}}) {
    const float W = float(size.width), H = float(size.height);
    for (const Outline o : {Outline{0, 0, W - 1, H - 1, 7, 0x9B000000u}, Outline{1, 1, W - 3, H - 3, 6, 0x8CFFFFFFu},
                            Outline{2.5f, 3, W - 6, H - 7, 12, 0x40FF8000u}}) {
      {
        gdip::GraphicsPath path;
        ASSERT_TRUE(path.Create());
        SkinPathAddRoundRect(path, o.x, o.y, o.w, o.h, o.corner);
        NoisySection expected(size.width, size.height, 99u + uint32_t(size.width));
        {
          gdip::Graphics graphics;
          gdip::Pen pen;
          ASSERT_TRUE(SkinGraphicsOnDC(graphics, expected.dc.get()));
          ASSERT_TRUE(pen.CreateFromColor(o.colour, 1.0f));
          ASSERT_TRUE(graphics.DrawPath(pen, path));
        }
        NoisySection got(size.width, size.height, 99u + uint32_t(size.width));
        ASSERT_TRUE(SkinStrokeThinOutline(got.dc.get(), path, o.colour, RECT{0, 0, size.width, size.height},
                                          o.corner + 3));
        const std::vector<uint32_t> a = expected.Pixels(), b = got.Pixels();
        int differing = 0, first = -1;
        for (size_t i = 0; i < a.size(); ++i) {
          if (a[i] == b[i]) continue;
          ++differing;
          if (first < 0) first = int(i);
        }
        EXPECT_EQ(differing, 0) << size.width << "x" << size.height << " corner " << o.corner
                                << ", first at " << first % size.width
                                << "," << first / size.width << std::hex << " " << (first >= 0 ? b[size_t(first)] : 0)
                                << " for " << (first >= 0 ? a[size_t(first)] : 0);
      }
    }
  }
}

// A DC without a 32-bit section is left to GDI+, untouched.
TEST(ThinOutlineTest, RefusesADCWithoutASection) {
  gdip::GraphicsPath path;
  ASSERT_TRUE(path.Create());
  SkinPathAddRoundRect(path, 0, 0, 40, 30, 7);
  platform::MemoryDC dc = platform::MemoryDC::CompatibleWith(nullptr);
  EXPECT_FALSE(SkinStrokeThinOutline(dc.get(), path, 0xFF000000u, RECT{0, 0, 41, 31}, 10));
  EXPECT_FALSE(SkinStrokeThinOutline(nullptr, path, 0xFF000000u, RECT{0, 0, 41, 31}, 10));
}

}  // namespace
