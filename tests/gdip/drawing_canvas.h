#pragma once
// Drawing tests of the GDI+ library: an off-screen 32-bit ARGB bitmap with a
// graphics over it, pixel checks with a tolerance per channel (alpha
// included), and reading a test matrix back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "tests/gdip/gdipa_test_support.h"
#include "tests/support/win_test_support.h"

namespace gdiptest {

namespace gdip = korvath::gdip;

struct Canvas {
  gdip::Bitmap bitmap;
  gdip::Graphics graphics;

  Canvas(int width, int height) {
    EXPECT_TRUE(bitmap.CreateWithFormat(width, height));
    EXPECT_TRUE(graphics.FromImage(bitmap));
  }

  gdip::Argb Pixel(int x, int y) const { return bitmap.GetPixel(x, y); }

  testsupport::PixelBuffer Capture() const {
    testsupport::PixelBuffer buffer;
    buffer.width = bitmap.GetWidth();
    buffer.height = bitmap.GetHeight();
    for (int y = 0; y < buffer.height; ++y) {
      for (int x = 0; x < buffer.width; ++x) buffer.pixels.push_back(Pixel(x, y));
    }
    return buffer;
  }
};

inline bool ChannelsNear(gdip::Argb a, gdip::Argb b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
  }
  return true;
}

// The pixel at (x, y) is `expected` within `tolerance` in every channel. A
// failure saves what the canvas held as failures/<test name>.png.
inline testing::AssertionResult PixelIs(const Canvas& canvas, int x, int y, gdip::Argb expected,
                                        int tolerance = 2) {
  gdip::Argb actual = canvas.Pixel(x, y);
  if (ChannelsNear(actual, expected, tolerance)) return testing::AssertionSuccess();
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  std::string path = testsupport::SaveFailureImage(canvas.Capture(), name);
  char text[128];
  std::snprintf(text, sizeof text, "pixel (%d, %d) is %08X, expected %08X (see %s)", x, y, unsigned(actual),
                unsigned(expected), path.c_str());
  return testing::AssertionFailure() << text;
}

// Where the matrix that `matrix` holds takes the point (x, y).
inline gdip::PointF MatrixApply(const gdip::GdipBase& matrix, float x, float y) {
  float e[6] = {};
  Gdiplus::DllExports::GdipGetMatrixElements(static_cast<Gdiplus::GpMatrix*>(matrix.GetNativeObject()), e);
  return {x * e[0] + y * e[2] + e[4], x * e[1] + y * e[3] + e[5]};
}

}  // namespace gdiptest
