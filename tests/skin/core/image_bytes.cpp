#include "tests/skin/core/image_bytes.h"

#include <windows.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <algorithm>

#include "tests/support/png_writer.h"

namespace korvath::skin::test {

std::vector<uint8_t> PngOf(int width, int height, const std::vector<uint32_t>& pixels) {
  return testsupport::EncodePng(width, height, pixels);
}

testsupport::PixelBuffer DecodeImage(const std::vector<uint8_t>& bytes) {
  testsupport::PixelBuffer out;
  if (bytes.empty()) return out;
  IStream* stream = SHCreateMemStream(bytes.data(), UINT(bytes.size()));
  if (!stream) return out;
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (Gdiplus::DllExports::GdipCreateBitmapFromStream(stream, &bitmap) == Gdiplus::Ok) {
    UINT w = 0, h = 0;
    Gdiplus::DllExports::GdipGetImageWidth(bitmap, &w);
    Gdiplus::DllExports::GdipGetImageHeight(bitmap, &h);
    out.width = int(w);
    out.height = int(h);
    out.pixels.resize(size_t(w) * h);
    for (UINT y = 0; y < h; ++y) {
      for (UINT x = 0; x < w; ++x) {
        Gdiplus::ARGB argb = 0;
        Gdiplus::DllExports::GdipBitmapGetPixel(bitmap, INT(x), INT(y), &argb);
        out.pixels[size_t(y) * w + x] = argb;
      }
    }
    Gdiplus::DllExports::GdipDisposeImage(bitmap);
  }
  stream->Release();
  return out;
}

bool IsPng(const std::vector<uint8_t>& bytes) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return bytes.size() > 8 && std::equal(kSignature, kSignature + 8, bytes.begin());
}

}  // namespace korvath::skin::test
