// A one-pixel outline traced in pieces onto a DIB section's own pixels
// against the same outline stroked by GDI+ through the section's DC: the
// same pixels, alpha included, on a background where every pixel differs.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/pen.h"
#include "platform/gdi_object.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/skin_graphics.h"
#include "skin/draw/thin_outline.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/draw/noisy_section.h"

namespace {

using namespace korvath;
using namespace korvath::skin;

using korvath::skin::test::NoisySection;

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
