#pragma once
// Shared by the tests of the GDI+ library (and the one header they include):
// an off-screen ARGB canvas with pixel probes (a failure saves what the canvas
// held), a matrix made from the flat API (the library has no matrix class),
// every wrapper kind's filling, small picture makers, and a folder of a
// test's own for the files it writes.
#include <windows.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <source_location>
#include <stdexcept>
#include <string>
#include <string_view>
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

// The call fails (`failed` holds) and stores `status`.
#define EXPECT_FAILS_WITH(failed, status)                                                   \
  do {                                                                                      \
    gdip::SetLastGdipStatus(Gdiplus::Ok);                                                   \
    EXPECT_TRUE(failed) << "and the status is " << gdip::LastGdipStatus();                  \
    EXPECT_EQ(gdip::LastGdipStatus(), status) << #failed;                                   \
  } while (0)
// The call fails and stores InvalidParameter itself.
#define EXPECT_REFUSED(failed) EXPECT_FAILS_WITH(failed, Gdiplus::InvalidParameter)
// The call fails and stores OutOfMemory: what a count that memory cannot hold
// is answered with.
#define EXPECT_OUT_OF_MEMORY(failed) EXPECT_FAILS_WITH(failed, Gdiplus::OutOfMemory)

// What `call` answers; false, and a failure, when an exception leaves it.
template <class Call>
bool WithoutThrowing(Call call) {
  try {
    return call();
  } catch (const std::exception& error) {
    ADD_FAILURE() << "an exception left the library: " << error.what();
  }
  return false;
}
// The call fails, stores `status` and lets no exception out.
#define EXPECT_FAILS_WITHOUT_THROWING(failed, status) \
  EXPECT_FAILS_WITH(gdiptest::WithoutThrowing([&] { return bool(failed); }), status)

// A fresh folder of the test's own in the temporary folder, removed with
// all it holds when the object goes: the files a test writes never land in
// (nor replace anything in) the folder the program runs in.
class TestFolder {
 public:
  TestFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    for (unsigned attempt = GetTickCount(); folder_.empty(); ++attempt) {
      std::wstring candidate =
          std::wstring(temp) + L"gdip-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt);
      if (CreateDirectoryW(candidate.c_str(), nullptr)) folder_ = candidate;
      else if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    EXPECT_FALSE(folder_.empty()) << "no folder could be made in the temporary folder";
  }
  // Objects that hold one of its files open must be gone before it.
  ~TestFolder() {
    if (folder_.empty()) return;
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(folder_), error);
    EXPECT_EQ(GetFileAttributesW(folder_.c_str()), INVALID_FILE_ATTRIBUTES) << "the test's folder stays";
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  // Where `name` lies in the folder, in UTF-16 and in GBK.
  std::wstring Path(std::wstring_view name) const { return folder_ + L"\\" + std::wstring(name); }
  std::string GbkPath(std::string_view name) const { return gdip::WideToAnsi(folder_) + "\\" + std::string(name); }

 private:
  std::wstring folder_;
};

// `call` with the optional `last` (a matrix order, a combine mode) as its last
// argument, or with that argument left out when none is given, so that the
// call takes its own default.
#define LAST_IF_GIVEN(last, call, ...) ((last) ? call(__VA_ARGS__, *(last)) : call(__VA_ARGS__))

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

// An opaque colour of its own for every place up to 7 x 7 (red from x,
// green from y): a picture of them shows a swapped, turned or shifted copy.
constexpr gdip::Argb PlaceColour(int x, int y) {
  return 0xFF000060u | uint32_t(0x10 + 0x20 * x) << 16 | uint32_t(0x10 + 0x20 * y) << 8;
}
inline gdip::Bitmap PlaceBitmap(int width, int height) {
  gdip::Bitmap bitmap;
  EXPECT_TRUE(bitmap.CreateWithFormat(width, height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, PlaceColour(x, y));
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

// Every combine mode with which of four probes the region A combined with B
// holds: one in A only, one in both, one in B only, one in neither.
struct CombineCase {
  Gdiplus::CombineMode mode;
  const char* hits;
};
inline constexpr CombineCase kCombineCases[] = {
    {Gdiplus::CombineModeReplace, "0110"}, {Gdiplus::CombineModeIntersect, "0100"},
    {Gdiplus::CombineModeUnion, "1110"},   {Gdiplus::CombineModeXor, "1010"},
    {Gdiplus::CombineModeExclude, "1000"}, {Gdiplus::CombineModeComplement, "0010"}};

// Each field of `actual` within `tolerance` of `expected`'s; a failure shows the actual record.
inline testing::AssertionResult IsNear(const gdip::RectF& actual, const gdip::RectF& expected,
                                       float tolerance = 0.01f) {
  if (std::abs(actual.x - expected.x) <= tolerance && std::abs(actual.y - expected.y) <= tolerance &&
      std::abs(actual.width - expected.width) <= tolerance && std::abs(actual.height - expected.height) <= tolerance)
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "{" << actual.x << ", " << actual.y << ", " << actual.width << ", "
                                     << actual.height << "}";
}
inline testing::AssertionResult IsNear(const gdip::PointF& actual, const gdip::PointF& expected,
                                       float tolerance = 0.01f) {
  return IsNear({actual.x, actual.y, 0, 0}, {expected.x, expected.y, 0, 0}, tolerance);
}

// `operation`, run on an object of kind T that holds no native object, fails
// with GDI+'s refusal.
template <class T, class Operation>
void ExpectRefusedWithoutNative(Operation operation, const char* name) {
  T none;
  gdip::SetLastGdipStatus(Gdiplus::Ok);
  EXPECT_FALSE(operation(none)) << name;
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter) << name;
}

// A setting of a wrapper: the call that changes it (away from its default)
// and whether the object then reads that value back. SETTING names it by the
// call, with the object as `o`.
template <class T>
struct Setting {
  const char* name;
  std::function<bool(T&)> set;
  std::function<bool(const T&)> holds;
};
#define SETTING(set, holds) {#set, [&](auto& o) { return bool(set); }, [&](const auto& o) { return bool(holds); }}

// Each setting in turn is not held yet, is taken and reads back; the same call
// on an empty object fails with GDI+'s InvalidParameter.
template <class T>
void ExpectSettings(T& object, std::initializer_list<Setting<std::type_identity_t<T>>> settings) {
  for (const Setting<T>& setting : settings) {
    SCOPED_TRACE(setting.name);
    EXPECT_FALSE(setting.holds(object)) << "held before it was set";
    EXPECT_TRUE(setting.set(object));
    EXPECT_TRUE(setting.holds(object));
    T empty;
    gdip::SetLastGdipStatus(Gdiplus::Ok);
    EXPECT_FALSE(setting.set(empty));
    EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  }
}

// Each getter of an empty object answers 0 and stores InvalidParameter.
template <class T>
void ExpectEmptyAnswersZero(std::initializer_list<std::function<double(const T&)>> getters) {
  T empty;
  int index = 0;
  for (const auto& get : getters) {
    SCOPED_TRACE("getter " + std::to_string(index++));
    EXPECT_REFUSED(get(empty) == 0);
  }
}
#define GETTER(get) [](const auto& o) { return double(get); }

// Where the transform of a pen or brush takes (x, y); none when it cannot be read.
template <class T>
std::optional<gdip::PointF> Mapped(const T& object, float x, float y) {
  TestMatrix matrix;
  if (!object.GetTransform(matrix)) return std::nullopt;
  return MatrixApply(matrix, x, y);
}

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
