// Graphics: clearing and filling with a brush.
#include "gdip/graphics.h"

#include "gdip/brush.h"
#include "gdip/graphics_path.h"
#include "gdip/region.h"
#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

using namespace Gdiplus::DllExports;

bool Graphics::Clear(Argb colour) { return StoreStatus(GdipGraphicsClear(NativeGraphics(), colour)); }

bool Graphics::FillRectangle(const Brush& brush, float x, float y, float width, float height) {
  return StoreStatus(GdipFillRectangle(NativeGraphics(), brush.NativeBrush(), x, y, width, height));
}

bool Graphics::FillRectangles(const Brush& brush, std::span<const RectF> rects) {
  return StoreStatus(
      GdipFillRectangles(NativeGraphics(), brush.NativeBrush(), NativeArray(rects), NativeCount(rects)));
}

bool Graphics::FillRectanglesI(const Brush& brush, std::span<const Rect> rects) {
  return StoreStatus(
      GdipFillRectanglesI(NativeGraphics(), brush.NativeBrush(), NativeArray(rects), NativeCount(rects)));
}

bool Graphics::FillPolygon(const Brush& brush, std::span<const PointF> points, Gdiplus::FillMode fillMode) {
  return StoreStatus(GdipFillPolygon(NativeGraphics(), brush.NativeBrush(), NativeArray(points),
                                     NativeCount(points), fillMode));
}

bool Graphics::FillEllipse(const Brush& brush, float x, float y, float width, float height) {
  return StoreStatus(GdipFillEllipse(NativeGraphics(), brush.NativeBrush(), x, y, width, height));
}

bool Graphics::FillPieI(const Brush& brush, int x, int y, int width, int height, float startAngle,
                        float sweepAngle) {
  return StoreStatus(
      GdipFillPieI(NativeGraphics(), brush.NativeBrush(), x, y, width, height, startAngle, sweepAngle));
}

bool Graphics::FillPolygonI(const Brush& brush, std::span<const Point> points, Gdiplus::FillMode fillMode) {
  return StoreStatus(GdipFillPolygonI(NativeGraphics(), brush.NativeBrush(), NativeArray(points),
                                      NativeCount(points), fillMode));
}

bool Graphics::FillPath(const Brush& brush, const GraphicsPath& path) {
  return StoreStatus(GdipFillPath(NativeGraphics(), brush.NativeBrush(), path.NativePath()));
}

bool Graphics::FillClosedCurve(const Brush& brush, std::span<const PointF> points) {
  return StoreStatus(
      GdipFillClosedCurve(NativeGraphics(), brush.NativeBrush(), NativeArray(points), NativeCount(points)));
}

bool Graphics::FillClosedCurve2(const Brush& brush, std::span<const PointF> points, float tension,
                                Gdiplus::FillMode fillMode) {
  return StoreStatus(GdipFillClosedCurve2(NativeGraphics(), brush.NativeBrush(), NativeArray(points),
                                          NativeCount(points), tension, fillMode));
}

bool Graphics::FillClosedCurveI(const Brush& brush, std::span<const Point> points) {
  return StoreStatus(
      GdipFillClosedCurveI(NativeGraphics(), brush.NativeBrush(), NativeArray(points), NativeCount(points)));
}

bool Graphics::FillClosedCurve2I(const Brush& brush, std::span<const Point> points, float tension,
                                 Gdiplus::FillMode fillMode) {
  return StoreStatus(GdipFillClosedCurve2I(NativeGraphics(), brush.NativeBrush(), NativeArray(points),
                                           NativeCount(points), tension, fillMode));
}

bool Graphics::FillRegion(const Brush& brush, const Region& region) {
  return StoreStatus(GdipFillRegion(NativeGraphics(), brush.NativeBrush(), region.NativeRegion()));
}

bool Graphics::FillPie(const Brush& brush, float x, float y, float width, float height, float startAngle,
                       float sweepAngle) {
  return StoreStatus(
      GdipFillPie(NativeGraphics(), brush.NativeBrush(), x, y, width, height, startAngle, sweepAngle));
}

bool Graphics::FillEllipseI(const Brush& brush, int x, int y, int width, int height) {
  return StoreStatus(GdipFillEllipseI(NativeGraphics(), brush.NativeBrush(), x, y, width, height));
}

bool Graphics::FillRectangleI(const Brush& brush, int x, int y, int width, int height) {
  return StoreStatus(GdipFillRectangleI(NativeGraphics(), brush.NativeBrush(), x, y, width, height));
}

bool Graphics::FillRectangleColor(const Brush& brush, const RectF& rect) {
  return FillRectangle(brush, rect.x, rect.y, rect.width, rect.height);
}

}  // namespace korvath::gdip
