#include "tests/skin/core/image_bytes.h"

#include <windows.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <algorithm>

namespace korvath::skin::test {

testsupport::PixelBuffer DecodeImage(const std::vector<uint8_t>& bytes) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  testsupport::PixelBuffer out;
  if (bytes.size() <= 8 || !std::equal(kSignature, kSignature + 8, bytes.begin())) return out;
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
    for (UINT i = 0; i < w * h; ++i) {
      Gdiplus::ARGB argb = 0;
      Gdiplus::DllExports::GdipBitmapGetPixel(bitmap, INT(i % w), INT(i / w), &argb);
      out.pixels[i] = argb;
    }
    Gdiplus::DllExports::GdipDisposeImage(bitmap);
  }
  stream->Release();
  return out;
}

}  // namespace korvath::skin::test
