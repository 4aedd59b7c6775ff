#pragma once
// Stand-ins for the graphics, matrix and path objects that some operations
// of images, regions and fonts take, made straight from the flat API, and
// small picture makers for the tests of the GDI+ library.
#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/object.h"

namespace gdiptest {

namespace gdip = korvath::gdip;

// A graphics over an image (the image must outlive it).
class TestGraphics : public gdip::GdipBase {
 public:
  explicit TestGraphics(const gdip::Image& image);
  ~TestGraphics() override { DestroyWith(Gdiplus::DllExports::GdipDeleteGraphics); }
  Gdiplus::GpGraphics* get() const { return NativeAs<Gdiplus::GpGraphics>(); }
};

// A matrix: identity, or scale and offset.
class TestMatrix : public gdip::GdipBase {
 public:
  TestMatrix(float m11 = 1, float m12 = 0, float m21 = 0, float m22 = 1, float dx = 0, float dy = 0);
  ~TestMatrix() override { DestroyWith(Gdiplus::DllExports::GdipDeleteMatrix); }
};

// A path holding one ellipse.
class TestEllipsePath : public gdip::GdipBase {
 public:
  TestEllipsePath(float x, float y, float width, float height);
  ~TestEllipsePath() override { DestroyWith(Gdiplus::DllExports::GdipDeletePath); }
};

// PNG bytes of a width x height picture, pixel(x, y) as 0xAARRGGBB.
std::vector<uint8_t> MakePng(int width, int height, const std::function<uint32_t(int, int)>& pixel);

// A bitmap whose left half is `left` and right half `right`.
gdip::Bitmap TwoColourBitmap(int width, int height, gdip::Argb left, gdip::Argb right);

// A fresh file name in the temporary folder, in GBK.
std::string TempFileName(const std::string& stem);
// The bytes of a file (empty when missing); the name is GBK.
std::vector<uint8_t> ReadFileBytes(const std::string& name);
void RemoveFile(const std::string& name);

}  // namespace gdiptest
