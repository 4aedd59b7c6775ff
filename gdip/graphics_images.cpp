// Graphics: drawing images at a point, into rectangles and parallelograms,
// and cached bitmaps.
#include "gdip/graphics.h"

#include "gdip/image.h"
#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

using namespace Gdiplus::DllExports;

bool Graphics::DrawImage(const Image& image, float x, float y) {
  return StoreStatus(GdipDrawImage(NativeGraphics(), image.NativeImage(), x, y));
}

bool Graphics::DrawImageRect(const Image& image, float x, float y, float width, float height,
                             Gdiplus::Unit unit) {
  auto imageWidth = static_cast<float>(image.GetWidth());
  auto imageHeight = static_cast<float>(image.GetHeight());
  return StoreStatus(GdipDrawImageRectRect(NativeGraphics(), image.NativeImage(), x, y, width, height, 0, 0,
                                           imageWidth, imageHeight, unit, nullptr, nullptr, nullptr));
}

bool Graphics::DrawImagePoints(const Image& image, float x1, float y1, float x2, float y2, float x3, float y3) {
  const PointF corners[] = {{x1, y1}, {x2, y2}, {x3, y3}};
  std::span<const PointF> points(corners);
  return StoreStatus(GdipDrawImagePoints(NativeGraphics(), image.NativeImage(), NativeArray(points),
                                         NativeCount(points)));
}

bool Graphics::DrawImagePointRect(const Image& image, float x, float y, float srcX, float srcY,
                                  float srcWidth, float srcHeight, Gdiplus::Unit unit) {
  return StoreStatus(GdipDrawImagePointRect(NativeGraphics(), image.NativeImage(), x, y, srcX, srcY, srcWidth,
                                            srcHeight, unit));
}

bool Graphics::DrawImageRectRect(const Image& image, float x, float y, float width, float height, float srcX,
                                 float srcY, float srcWidth, float srcHeight, Gdiplus::Unit unit,
                                 const GdipBase* attributes) {
  return StoreStatus(GdipDrawImageRectRect(
      NativeGraphics(), image.NativeImage(), x, y, width, height, srcX, srcY, srcWidth, srcHeight, unit,
      NativeOf<Gdiplus::GpImageAttributes>(attributes), nullptr, nullptr));
}

bool Graphics::DrawImagePointsRect(const Image& image, float x1, float y1, float x2, float y2, float x3,
                                   float y3, float srcX, float srcY, float srcWidth, float srcHeight,
                                   Gdiplus::Unit unit, const GdipBase* attributes) {
  const PointF corners[] = {{x1, y1}, {x2, y2}, {x3, y3}};
  std::span<const PointF> points(corners);
  return StoreStatus(GdipDrawImagePointsRect(
      NativeGraphics(), image.NativeImage(), NativeArray(points), NativeCount(points), srcX, srcY, srcWidth,
      srcHeight, unit, NativeOf<Gdiplus::GpImageAttributes>(attributes), nullptr, nullptr));
}

bool Graphics::DrawCachedBitmap(const GdipBase& cachedBitmap, float x, float y) {
  std::optional<int> wholeX = TruncateToInt(x);
  std::optional<int> wholeY = TruncateToInt(y);
  if (!wholeX || !wholeY) return RefuseArgument();
  return StoreStatus(
      GdipDrawCachedBitmap(NativeGraphics(), NativeOf<Gdiplus::GpCachedBitmap>(cachedBitmap), *wholeX, *wholeY));
}

bool Graphics::DrawImageI(const Image& image, int x, int y) {
  return StoreStatus(GdipDrawImageI(NativeGraphics(), image.NativeImage(), x, y));
}

bool Graphics::DrawImageRectI(const Image& image, int x, int y, int width, int height, Gdiplus::Unit unit) {
  int imageWidth = image.GetWidth();
  int imageHeight = image.GetHeight();
  return StoreStatus(GdipDrawImageRectRectI(NativeGraphics(), image.NativeImage(), x, y, width, height, 0, 0,
                                            imageWidth, imageHeight, unit, nullptr, nullptr, nullptr));
}

bool Graphics::DrawImagePointsI(const Image& image, int x1, int y1, int x2, int y2, int x3, int y3) {
  const Point corners[] = {{x1, y1}, {x2, y2}, {x3, y3}};
  std::span<const Point> points(corners);
  return StoreStatus(GdipDrawImagePointsI(NativeGraphics(), image.NativeImage(), NativeArray(points),
                                          NativeCount(points)));
}

bool Graphics::DrawImagePointRectI(const Image& image, int x, int y, int srcX, int srcY, int srcWidth,
                                   int srcHeight, Gdiplus::Unit unit) {
  return StoreStatus(GdipDrawImagePointRectI(NativeGraphics(), image.NativeImage(), x, y, srcX, srcY,
                                             srcWidth, srcHeight, unit));
}

bool Graphics::DrawImageRectRectI(const Image& image, int x, int y, int width, int height, int srcX, int srcY,
                                  int srcWidth, int srcHeight, Gdiplus::Unit unit,
                                  const GdipBase* attributes) {
  return StoreStatus(GdipDrawImageRectRectI(
      NativeGraphics(), image.NativeImage(), x, y, width, height, srcX, srcY, srcWidth, srcHeight, unit,
      NativeOf<Gdiplus::GpImageAttributes>(attributes), nullptr, nullptr));
}

bool Graphics::DrawImagePointsRectI(const Image& image, int x1, int y1, int x2, int y2, int x3, int y3,
                                    int srcX, int srcY, int srcWidth, int srcHeight, Gdiplus::Unit unit,
                                    const GdipBase* attributes) {
  const Point corners[] = {{x1, y1}, {x2, y2}, {x3, y3}};
  std::span<const Point> points(corners);
  return StoreStatus(GdipDrawImagePointsRectI(
      NativeGraphics(), image.NativeImage(), NativeArray(points), NativeCount(points), srcX, srcY, srcWidth,
      srcHeight, unit, NativeOf<Gdiplus::GpImageAttributes>(attributes), nullptr, nullptr));
}

}  // namespace korvath::gdip
