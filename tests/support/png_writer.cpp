#include "tests/support/png_writer.h"

#include <windows.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <cstdio>

namespace testsupport {

// GDI+'s own PNG encoder through the flat API, apart from the library's
// classes that the tests check. GDI+ is started by the tests' main.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint32_t>& pixels) {
  static const CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
  std::vector<uint8_t> out;
  if (width <= 0 || height <= 0 || pixels.size() < size_t(width) * size_t(height)) return out;
  std::vector<uint32_t> rows(pixels.begin(), pixels.begin() + size_t(width) * height);
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (Gdiplus::DllExports::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                                      reinterpret_cast<BYTE*>(rows.data()), &bitmap) != Gdiplus::Ok)
    return out;
  IStream* stream = SHCreateMemStream(nullptr, 0);
  STATSTG stat = {};
  ULONG read = 0;
  if (stream && Gdiplus::DllExports::GdipSaveImageToStream(bitmap, stream, &kPngEncoder, nullptr) == Gdiplus::Ok &&
      SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)) && SUCCEEDED(stream->Seek({}, STREAM_SEEK_SET, nullptr))) {
    out.resize(size_t(stat.cbSize.QuadPart));
    if (FAILED(stream->Read(out.data(), ULONG(out.size()), &read)) || read != out.size()) out.clear();
  }
  if (stream) stream->Release();
  Gdiplus::DllExports::GdipDisposeImage(bitmap);
  return out;
}

bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels) {
  std::vector<uint8_t> bytes = EncodePng(width, height, pixels);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = !bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace testsupport
