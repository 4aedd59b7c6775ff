#pragma once
// Drawing tests of the GDI+ library: an off-screen 32-bit ARGB bitmap with a
// graphics over it, pixel checks with a tolerance per channel (alpha
// included), and a matrix object, which the library itself does not have.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
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

// A GDI+ matrix held by a library object, as the transform operations take.
class Matrix : public gdip::GdipBase {
 public:
  Matrix(float m11 = 1, float m12 = 0, float m21 = 0, float m22 = 1, float dx = 0, float dy = 0) {
    Gdiplus::GpMatrix* created = nullptr;
    Gdiplus::DllExports::GdipCreateMatrix2(m11, m12, m21, m22, dx, dy, &created);
    SetNativeObject(created);
  }
  ~Matrix() override { Release(); }

  std::array<float, 6> Elements() const {
    std::array<float, 6> elements{};
    Gdiplus::DllExports::GdipGetMatrixElements(NativeAs<Gdiplus::GpMatrix>(), elements.data());
    return elements;
  }
  // Where the matrix takes the point (x, y).
  gdip::PointF Apply(float x, float y) const {
    auto e = Elements();
    return {x * e[0] + y * e[2] + e[4], x * e[1] + y * e[3] + e[5]};
  }

 protected:
  bool ReleaseNative() override { return Release(); }

 private:
  bool Release() { return DestroyWith(Gdiplus::DllExports::GdipDeleteMatrix); }
};

}  // namespace gdiptest
