#pragma once
// A bitmap over a GDI+ bitmap: the off-screen pictures of the skin engine.
// Every image operation works on it unchanged.
#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "gdip/image.h"
#include "platform/gdi_object.h"

namespace korvath::gdip {

// 32 bits per pixel with alpha: the library's default pixel format.
inline constexpr int kPixelFormat32bppArgb = 0x26200A;

// GDI+'s BitmapData, filled by LockBits.
struct BitmapData {
  uint32_t width = 0;
  uint32_t height = 0;
  int32_t stride = 0;
  int32_t pixelFormat = 0;
  void* scan0 = nullptr;
  uintptr_t reserved = 0;
};
static_assert(sizeof(BitmapData) == sizeof(Gdiplus::BitmapData) &&
              offsetof(BitmapData, scan0) == offsetof(Gdiplus::BitmapData, Scan0));

class Bitmap : public Image {
 public:
  Gdiplus::GpBitmap* NativeBitmap() const noexcept { return NativeAs<Gdiplus::GpBitmap>(); }
  void SetNativeBitmap(Gdiplus::GpBitmap* bitmap) { SetNativeObject(bitmap); }

  [[nodiscard]] bool FromFile(std::string_view path, bool useICM = false) override;
  [[nodiscard]] bool FromStream(std::span<const uint8_t> bytes, bool useICM = false) override;
  [[nodiscard]] bool FromFileSimple(const std::wstring& path, bool useICM = false) override;

  // Creators: the bitmap held before is disposed.
  [[nodiscard]] bool CreateFromScan0(int width, int height, int stride, int pixelFormat,
                                     void* scan0 = nullptr);
  [[nodiscard]] bool CreateFromGraphics(int width, int height, const GdipBase& graphics);
  [[nodiscard]] bool CreateFromGdiDib(const BITMAPINFO* info, void* bits);
  [[nodiscard]] bool CreateFromHBITMAP(HBITMAP bitmap, HPALETTE palette = nullptr);
  [[nodiscard]] bool CreateFromHICON(HICON icon);
  [[nodiscard]] bool CreateFromResource(HINSTANCE instance, const wchar_t* name);
  // A zero-filled (transparent) bitmap of that size.
  [[nodiscard]] bool CreateWithFormat(int width, int height, int pixelFormat = kPixelFormat32bppArgb);

  // New GDI objects of the bitmap's pixels (empty when the call failed); the
  // bitmap is composed on `background`.
  platform::GdiBitmap GetHBITMAP(Argb background = 0) const;
  platform::OwnedIcon GetHICON() const;

  // Copies of an area into `target` (which gets 0 when the copy failed).
  [[nodiscard]] bool CloneArea(const RectF& area, int pixelFormat, Bitmap& target) const;
  [[nodiscard]] bool CloneAreaI(const Rect& area, int pixelFormat, Bitmap& target) const;

  bool LockBits(const Rect& area, unsigned flags, int pixelFormat, BitmapData& data);
  bool UnlockBits(BitmapData& data);
  // The pixel's colour; 0 outside the bitmap or when the call failed.
  Argb GetPixel(int x, int y) const;
  bool SetPixel(int x, int y, Argb colour);
  bool SetResolution(float horizontal, float vertical);

  // Draws this bitmap, rotated by `angle` degrees about its centre, into a
  // new 32-bit ARGB bitmap that `target` adopts. Without a size the new
  // bitmap is just large enough for the picture turned by the angle cut to
  // whole degrees; its size is cut to whole pixels. An angle (when it sets
  // the size) or a size whose whole part no int holds is refused. The new
  // bitmap has the source's horizontal and vertical resolutions as they
  // are, whatever the angle (a quarter turn trades none): GDI+ draws a
  // picture one pixel to one only onto a bitmap of the picture's own.
  bool RotateDrawInto(float angle, Bitmap& target, std::optional<Argb> fill = {},
                      std::optional<int> interpolation = {}, std::optional<SizeF> size = {}) const;
  // The size of a width x height rectangle turned by a whole number of degrees.
  static SizeF RotationGeometry(float width, float height, int angle);
};

}  // namespace korvath::gdip
