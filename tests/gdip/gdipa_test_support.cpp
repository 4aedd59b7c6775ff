#include "tests/gdip/gdipa_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/support/png_writer.h"

namespace gdiptest {

namespace Flat = Gdiplus::DllExports;

TestGraphics::TestGraphics(const gdip::Image& image) {
  Gdiplus::GpGraphics* graphics = nullptr;
  EXPECT_EQ(Flat::GdipGetImageGraphicsContext(image.NativeImage(), &graphics), Gdiplus::Ok);
  SetNativeObject(graphics);
}

TestMatrix::TestMatrix(float m11, float m12, float m21, float m22, float dx, float dy) {
  Gdiplus::GpMatrix* matrix = nullptr;
  EXPECT_EQ(Flat::GdipCreateMatrix2(m11, m12, m21, m22, dx, dy, &matrix), Gdiplus::Ok);
  SetNativeObject(matrix);
}

TestEllipsePath::TestEllipsePath(float x, float y, float width, float height) {
  Gdiplus::GpPath* path = nullptr;
  EXPECT_EQ(Flat::GdipCreatePath(Gdiplus::FillModeAlternate, &path), Gdiplus::Ok);
  EXPECT_EQ(Flat::GdipAddPathEllipse(path, x, y, width, height), Gdiplus::Ok);
  SetNativeObject(path);
}

std::vector<uint8_t> MakePng(int width, int height, const std::function<uint32_t(int, int)>& pixel) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(pixel(x, y));
  return testsupport::EncodePng(width, height, pixels);
}

gdip::Bitmap TwoColourBitmap(int width, int height, gdip::Argb left, gdip::Argb right) {
  gdip::Bitmap bitmap;
  EXPECT_TRUE(bitmap.CreateWithFormat(width, height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, x < width / 2 ? left : right);
  return bitmap;
}

std::string TempFileName(const std::string& stem) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  static int serial = 0;
  std::wstring name = std::wstring(folder) + gdip::AnsiToWide(stem) + L"_" +
                      std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++serial);
  return gdip::WideToAnsi(name);
}

std::vector<uint8_t> ReadFileBytes(const std::string& name) {
  std::ifstream file(gdip::AnsiToWide(name).c_str(), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void RemoveFile(const std::string& name) { DeleteFileW(gdip::AnsiToWide(name).c_str()); }

}  // namespace gdiptest
