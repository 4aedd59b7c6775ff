#include "gdip/bitmap.h"

#include <cmath>

#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

namespace Flat = Gdiplus::DllExports;

bool Bitmap::FromFile(std::string_view path, bool useICM) {
  return LoadFromFile(AnsiToWide(path),
                      useICM ? Flat::GdipCreateBitmapFromFileICM : Flat::GdipCreateBitmapFromFile);
}

bool Bitmap::FromFileSimple(const std::wstring& path, bool useICM) {
  return LoadFromFile(path, useICM ? Flat::GdipCreateBitmapFromFileICM : Flat::GdipCreateBitmapFromFile);
}

bool Bitmap::FromStream(std::span<const uint8_t> bytes, bool useICM) {
  return LoadFromStream(bytes,
                        useICM ? Flat::GdipCreateBitmapFromStreamICM : Flat::GdipCreateBitmapFromStream);
}

bool Bitmap::CreateFromScan0(int width, int height, int stride, int pixelFormat, void* scan0) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  return AdoptInto(*this,
                   Flat::GdipCreateBitmapFromScan0(width, height, stride, Gdiplus::PixelFormat(pixelFormat),
                                                   static_cast<BYTE*>(scan0), &bitmap),
                   bitmap);
}

bool Bitmap::CreateWithFormat(int width, int height, int pixelFormat) {
  return CreateFromScan0(width, height, 0, pixelFormat);
}

bool Bitmap::CreateFromGraphics(int width, int height, const GdipBase& graphics) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  return AdoptInto(*this,
                   Flat::GdipCreateBitmapFromGraphics(width, height, NativeOf<Gdiplus::GpGraphics>(graphics),
                                                      &bitmap),
                   bitmap);
}

bool Bitmap::CreateFromGdiDib(const BITMAPINFO* info, void* bits) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  return AdoptInto(*this, Flat::GdipCreateBitmapFromGdiDib(info, bits, &bitmap), bitmap);
}

bool Bitmap::CreateFromHBITMAP(HBITMAP source, HPALETTE palette) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  return AdoptInto(*this, Flat::GdipCreateBitmapFromHBITMAP(source, palette, &bitmap), bitmap);
}

bool Bitmap::CreateFromHICON(HICON icon) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  return AdoptInto(*this, Flat::GdipCreateBitmapFromHICON(icon, &bitmap), bitmap);
}

bool Bitmap::CreateFromResource(HINSTANCE instance, const wchar_t* name) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  return AdoptInto(*this, Flat::GdipCreateBitmapFromResource(instance, name, &bitmap), bitmap);
}

platform::GdiBitmap Bitmap::GetHBITMAP(Argb background) const {
  HBITMAP handle = nullptr;
  if (!StoreStatus(Flat::GdipCreateHBITMAPFromBitmap(NativeBitmap(), &handle, background))) return {};
  return platform::GdiBitmap(handle);
}

platform::OwnedIcon Bitmap::GetHICON() const {
  HICON icon = nullptr;
  if (!StoreStatus(Flat::GdipCreateHICONFromBitmap(NativeBitmap(), &icon))) return {};
  return platform::OwnedIcon(icon);
}

bool Bitmap::CloneArea(const RectF& area, int pixelFormat, Bitmap& target) const {
  Gdiplus::GpBitmap* clone = nullptr;
  return AdoptInto(target,
                   Flat::GdipCloneBitmapArea(area.x, area.y, area.width, area.height,
                                             Gdiplus::PixelFormat(pixelFormat), NativeBitmap(), &clone),
                   clone);
}

bool Bitmap::CloneAreaI(const Rect& area, int pixelFormat, Bitmap& target) const {
  Gdiplus::GpBitmap* clone = nullptr;
  return AdoptInto(target,
                   Flat::GdipCloneBitmapAreaI(area.x, area.y, area.width, area.height,
                                              Gdiplus::PixelFormat(pixelFormat), NativeBitmap(), &clone),
                   clone);
}

bool Bitmap::LockBits(const Rect& area, unsigned flags, int pixelFormat, BitmapData& data) {
  return StoreStatus(Flat::GdipBitmapLockBits(NativeBitmap(), ToNative(area), flags,
                                              Gdiplus::PixelFormat(pixelFormat),
                                              reinterpret_cast<Gdiplus::BitmapData*>(&data)));
}

bool Bitmap::UnlockBits(BitmapData& data) {
  return StoreStatus(Flat::GdipBitmapUnlockBits(NativeBitmap(), reinterpret_cast<Gdiplus::BitmapData*>(&data)));
}

Argb Bitmap::GetPixel(int x, int y) const {
  Gdiplus::ARGB colour = 0;
  if (!StoreStatus(Flat::GdipBitmapGetPixel(NativeBitmap(), x, y, &colour))) return 0;
  return colour;
}

bool Bitmap::SetPixel(int x, int y, Argb colour) {
  return StoreStatus(Flat::GdipBitmapSetPixel(NativeBitmap(), x, y, colour));
}

bool Bitmap::SetResolution(float horizontal, float vertical) {
  return StoreStatus(Flat::GdipBitmapSetResolution(NativeBitmap(), horizontal, vertical));
}

SizeF Bitmap::RotationGeometry(float width, float height, int angle) {
  // Single-precision steps as the engine's layout was tuned with.
  float radians = float(angle * 3.1415926535 / 180.0);
  float s = float(std::sin(double(radians)));
  float c = float(std::cos(double(radians)));
  // The corners of the whole picture, so that no pixel falls outside.
  float hx = float(width / 2.0);
  float hy = float(height / 2.0);
  const PointF corners[4] = {{-hx, hy}, {hx, hy}, {-hx, -hy}, {hx, -hy}};
  PointF turned[4];
  for (int i = 0; i < 4; ++i) {
    turned[i].x = float(double(c) * corners[i].x + double(s) * corners[i].y);
    turned[i].y = float(-double(s) * corners[i].x + double(c) * corners[i].y);
  }
  auto larger = [](float a, float b) { return a > b ? a : b; };
  return {larger(std::fabs(turned[3].x - turned[0].x), std::fabs(turned[2].x - turned[1].x)),
          larger(std::fabs(turned[3].y - turned[0].y), std::fabs(turned[2].y - turned[1].y))};
}

bool Bitmap::RotateDrawInto(float angle, Bitmap& target, std::optional<Argb> fill,
                            std::optional<int> interpolation, std::optional<SizeF> size) const {
  UINT width = 0;
  UINT height = 0;
  Flat::GdipGetImageWidth(NativeImage(), &width);
  Flat::GdipGetImageHeight(NativeImage(), &height);
  // The size comes from the angle cut to whole degrees, and is cut to whole
  // pixels; an angle or a size whose whole part no int holds is refused.
  SizeF turned;
  if (size) {
    turned = *size;
  } else {
    std::optional<int> degrees = TruncateToInt(angle);
    if (!degrees) return RefuseArgument();
    turned = RotationGeometry(float(width), float(height), *degrees);
  }
  std::optional<int> pixelsWide = TruncateToInt(turned.width);
  std::optional<int> pixelsHigh = TruncateToInt(turned.height);
  if (!pixelsWide || !pixelsHigh) return RefuseArgument();

  ScopedNative<Gdiplus::GpBitmap, Flat::GdipDisposeImage> rotated;
  if (!StoreStatus(rotated.Made(Flat::GdipCreateBitmapFromScan0(*pixelsWide, *pixelsHigh, 0, kPixelFormat32bppArgb,
                                                                nullptr, rotated.out()))))
    return false;
  float horizontal = 0;
  float vertical = 0;
  Flat::GdipGetImageHorizontalResolution(NativeImage(), &horizontal);
  Flat::GdipGetImageVerticalResolution(NativeImage(), &vertical);
  Flat::GdipBitmapSetResolution(rotated.get(), horizontal, vertical);

  ScopedNative<Gdiplus::GpGraphics, Flat::GdipDeleteGraphics> graphics;
  if (!StoreStatus(graphics.Made(Flat::GdipGetImageGraphicsContext(rotated.get(), graphics.out()))))
    return false;
  if (fill) {
    ScopedNative<Gdiplus::GpSolidFill, Flat::GdipDeleteBrush> brush;
    if (!StoreStatus(brush.Made(Flat::GdipCreateSolidFill(*fill, brush.out())))) return false;
    Flat::GdipFillRectangle(graphics.get(), brush.get(), 0, 0, turned.width, turned.height);
  }
  if (interpolation) Flat::GdipSetInterpolationMode(graphics.get(), Gdiplus::InterpolationMode(*interpolation));

  ScopedNative<Gdiplus::GpMatrix, Flat::GdipDeleteMatrix> matrix;
  if (!StoreStatus(matrix.Made(Flat::GdipCreateMatrix(matrix.out())))) return false;
  // Centre the source on the new bitmap, then turn it about that centre.
  float cx = turned.width / 2.0f;
  float cy = turned.height / 2.0f;
  Flat::GdipTranslateMatrix(matrix.get(), cx, cy, Gdiplus::MatrixOrderPrepend);
  Flat::GdipRotateMatrix(matrix.get(), angle, Gdiplus::MatrixOrderPrepend);
  Flat::GdipTranslateMatrix(matrix.get(), -cx, -cy, Gdiplus::MatrixOrderPrepend);
  Flat::GdipTranslateMatrix(matrix.get(), (turned.width - float(width)) / 2.0f,
                            (turned.height - float(height)) / 2.0f, Gdiplus::MatrixOrderPrepend);
  Flat::GdipSetWorldTransform(graphics.get(), matrix.get());
  bool ok = StoreStatus(Flat::GdipDrawImage(graphics.get(), NativeImage(), 0, 0));
  Flat::GdipResetWorldTransform(graphics.get());
  graphics.Reset();
  target.SetNativeObject(rotated.release());
  return ok;
}

}  // namespace korvath::gdip
