#pragma once
// Shared by the tests of the GDI+ library (and the one header they include):
// an off-screen ARGB canvas with pixel probes (a failure saves what the canvas
// held), a matrix made from the flat API (the library has no matrix class),
// every wrapper kind's filling, and small picture makers.
#include <windows.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <source_location>
#include <string>
#include <type_traits>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/font_collection.h"
#include "gdip/font_family.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/image.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/memory_stream.h"
#include "gdip/path_gradient_brush.h"
#include "gdip/pen.h"
#include "gdip/region.h"
#include "gdip/string_format.h"
#include "gdip/texture_brush.h"
#include "platform/gdi_object.h"
#include "tests/support/png_writer.h"
#include "tests/support/win_test_support.h"

namespace gdip = korvath::gdip;
namespace platform = korvath::platform;

namespace gdiptest {

constexpr gdip::Argb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;
constexpr gdip::Argb kWhite = 0xFFFFFFFF, kBlack = 0xFF000000;
const std::string kSongti = "\xCB\xCE\xCC\xE5";   // 宋体 in GBK
const std::string kChinese = "\xD6\xD0\xCE\xC4";  // 中文

// The call fails (`failed` holds) and stores InvalidParameter itself.
#define EXPECT_REFUSED(failed)                                                              \
  do {                                                                                      \
    gdip::SetLastGdipStatus(Gdiplus::Ok);                                                   \
    EXPECT_TRUE(failed) << "and the status is " << gdip::LastGdipStatus();                  \
    EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter) << #failed;                \
  } while (0)

inline gdip::SolidBrush MakeBrush(gdip::Argb colour) {
  gdip::SolidBrush brush;
  EXPECT_TRUE(brush.Create(colour));
  return brush;
}
inline gdip::Pen MakePen(gdip::Argb colour, float width) {
  gdip::Pen pen;
  EXPECT_TRUE(pen.CreateFromColor(colour, width));
  return pen;
}

class TestMatrix : public gdip::GdipBase {
 public:
  TestMatrix(float m11 = 1, float m12 = 0, float m21 = 0, float m22 = 1, float dx = 0, float dy = 0) {
    Gdiplus::GpMatrix* matrix = nullptr;
    EXPECT_EQ(Gdiplus::DllExports::GdipCreateMatrix2(m11, m12, m21, m22, dx, dy, &matrix), Gdiplus::Ok);
    SetNativeObject(matrix);
  }
  ~TestMatrix() override { ReleaseNative(); }

 protected:
  bool ReleaseNative() override { return DestroyWith(Gdiplus::DllExports::GdipDeleteMatrix); }
};

// Where `matrix` takes the point (x, y).
inline gdip::PointF MatrixApply(const gdip::GdipBase& matrix, float x, float y) {
  float e[6] = {};
  Gdiplus::DllExports::GdipGetMatrixElements(static_cast<Gdiplus::GpMatrix*>(matrix.GetNativeObject()), e);
  return {x * e[0] + y * e[2] + e[4], x * e[1] + y * e[3] + e[5]};
}

// PNG bytes of a width x height picture, pixel(x, y) as 0xAARRGGBB.
template <class PixelAt>
std::vector<uint8_t> MakePng(int width, int height, PixelAt pixel) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(pixel(x, y));
  return testsupport::EncodePng(width, height, pixels);
}

inline gdip::Bitmap TwoColourBitmap(int width, int height, gdip::Argb left, gdip::Argb right) {
  gdip::Bitmap bitmap;
  EXPECT_TRUE(bitmap.CreateWithFormat(width, height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, x < width / 2 ? left : right);
  return bitmap;
}

// The points divided by `divisor`: a float form's arguments drawn under a
// world transform that scales by `divisor` land where the integer form's do.
inline std::vector<gdip::PointF> Divided(std::span<const gdip::Point> points, float divisor) {
  std::vector<gdip::PointF> divided;
  for (const gdip::Point& p : points) divided.push_back({p.x / divisor, p.y / divisor});
  return divided;
}

inline gdip::GraphicsPath EllipsePath(float x, float y, float width, float height) {
  gdip::GraphicsPath path;
  EXPECT_TRUE(path.Create() && path.AddEllipse(x, y, width, height));
  return path;
}

// Every wrapper kind: how it is filled (o, with a surface s) and one of its getters.
template <class T>
struct Kind;
#define KIND(T, fill, get)                                                           \
  template <>                                                                        \
  struct Kind<T> {                                                                   \
    static bool Fill(T& o, [[maybe_unused]] gdip::Bitmap& s) { return fill; }        \
    static double Get(const T& o) { return get; }                                    \
  }
KIND(gdip::Image, o.FromStream(MakePng(2, 2, [](int, int) { return ~0u; })), o.GetWidth());
KIND(gdip::Bitmap, o.CreateWithFormat(3, 3), o.GetPixel(0, 0) + o.GetHeight());
KIND(gdip::Region, o.CreateFromRect({0, 0, 4, 4}), o.GetDataSize());
KIND(gdip::Font, o.CreateFromName("SimSun", 9), o.GetSize() + o.GetStyle());
KIND(gdip::FontFamily, o.CreateFromName("SimSun"), o.GetEmHeight(0));
KIND(gdip::StringFormat, o.Create(Gdiplus::StringFormatFlagsNoWrap), o.GetFlags());
KIND(gdip::Graphics, o.FromImage(s), o.GetDpiX());
KIND(gdip::Pen, o.CreateFromColor(0xFF102030, 3), o.GetWidth());
KIND(gdip::GraphicsPath, o.Create() && o.AddRectangle(0, 0, 5, 5), o.GetPointCount2());
KIND(gdip::SolidBrush, o.Create(0xFF102030), o.GetColor());
KIND(gdip::LinearGradientBrush, o.CreateFromPoints({0, 0}, {9, 0}, 0xFF000000, ~0u), o.GetBlendCount());
KIND(gdip::PathGradientBrush, o.Create(std::vector<gdip::PointF>{{0, 0}, {9, 0}, {0, 9}}), o.GetPointCount());
KIND(gdip::TextureBrush, o.Create(s), o.GetType());
#undef KIND

struct Probe {
  int x, y;
  gdip::Argb colour;
  int tolerance = -1;  // per channel, alpha included; -1: the one the check is given
};

// Each probed pixel holds its colour; a failure is reported at the caller's
// line and saves the picture as failures/<test name>.png.
inline void ExpectPixels(const gdip::Bitmap& bitmap, std::initializer_list<Probe> probes, int tolerance = 2,
                         std::source_location where = std::source_location::current()) {
  for (const Probe& p : probes) {
    gdip::Argb actual = bitmap.GetPixel(p.x, p.y);
    bool within = true;
    for (int shift = 0; shift < 32; shift += 8)
      within = within && std::abs(int((actual >> shift) & 0xFF) - int((p.colour >> shift) & 0xFF)) <=
                             (p.tolerance < 0 ? tolerance : p.tolerance);
    if (within) continue;
    testsupport::PixelBuffer buffer{bitmap.GetWidth(), bitmap.GetHeight(), {}};
    for (int y = 0; y < buffer.height; ++y)
      for (int x = 0; x < buffer.width; ++x) buffer.pixels.push_back(bitmap.GetPixel(x, y));
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string path = testsupport::SaveFailureImage(buffer, std::string(test->test_suite_name()) + "." + test->name());
    ADD_FAILURE_AT(where.file_name(), int(where.line()))
        << "pixel (" << p.x << ", " << p.y << ") is " << std::hex << actual << ", not " << p.colour << "; see " << path;
  }
}

struct Canvas {
  gdip::Bitmap bitmap;
  gdip::Graphics graphics;

  Canvas(int width, int height, std::optional<gdip::Argb> background = std::nullopt) {
    EXPECT_TRUE(bitmap.CreateWithFormat(width, height) && graphics.FromImage(bitmap));
    if (background) graphics.Clear(*background);
  }
  gdip::Argb Pixel(int x, int y) const { return bitmap.GetPixel(x, y); }
};
inline void ExpectPixels(const Canvas& canvas, std::initializer_list<Probe> probes,
                         std::source_location where = std::source_location::current()) {
  ExpectPixels(canvas.bitmap, probes, 2, where);
}

}  // namespace gdiptest
