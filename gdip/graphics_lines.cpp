// Graphics: lines, curves and outlines stroked with a pen.
#include "gdip/graphics.h"

#include "gdip/graphics_path.h"
#include "gdip/pen.h"
#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

using namespace Gdiplus::DllExports;

bool Graphics::DrawRectangles(const Pen& pen, std::span<const RectF> rects) {
  return StoreStatus(GdipDrawRectangles(NativeGraphics(), pen.NativePen(), NativeArray(rects), NativeCount(rects)));
}

bool Graphics::DrawLine(const Pen& pen, float x1, float y1, float x2, float y2) {
  return StoreStatus(GdipDrawLine(NativeGraphics(), pen.NativePen(), x1, y1, x2, y2));
}

bool Graphics::DrawLines(const Pen& pen, std::span<const PointF> points) {
  return StoreStatus(GdipDrawLines(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points)));
}

bool Graphics::DrawLineI(const Pen& pen, int x1, int y1, int x2, int y2) {
  return StoreStatus(GdipDrawLineI(NativeGraphics(), pen.NativePen(), x1, y1, x2, y2));
}

bool Graphics::DrawLinesI(const Pen& pen, std::span<const Point> points) {
  return StoreStatus(GdipDrawLinesI(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points)));
}

bool Graphics::DrawArc(const Pen& pen, float x, float y, float width, float height, float startAngle,
                       float sweepAngle) {
  return StoreStatus(GdipDrawArc(NativeGraphics(), pen.NativePen(), x, y, width, height, startAngle, sweepAngle));
}

bool Graphics::DrawArcI(const Pen& pen, int x, int y, int width, int height, float startAngle, float sweepAngle) {
  return StoreStatus(GdipDrawArcI(NativeGraphics(), pen.NativePen(), x, y, width, height, startAngle, sweepAngle));
}

bool Graphics::DrawBezier(const Pen& pen, float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                          float y4) {
  return StoreStatus(GdipDrawBezier(NativeGraphics(), pen.NativePen(), x1, y1, x2, y2, x3, y3, x4, y4));
}

bool Graphics::DrawBezierI(const Pen& pen, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return StoreStatus(GdipDrawBezierI(NativeGraphics(), pen.NativePen(), x1, y1, x2, y2, x3, y3, x4, y4));
}

bool Graphics::DrawBeziers(const Pen& pen, std::span<const PointF> points) {
  return StoreStatus(GdipDrawBeziers(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points)));
}

bool Graphics::DrawBeziersI(const Pen& pen, std::span<const Point> points) {
  return StoreStatus(GdipDrawBeziersI(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points)));
}

bool Graphics::DrawRectangle(const Pen& pen, float x, float y, float width, float height) {
  return StoreStatus(GdipDrawRectangle(NativeGraphics(), pen.NativePen(), x, y, width, height));
}

bool Graphics::DrawRectangleI(const Pen& pen, int x, int y, int width, int height) {
  return StoreStatus(GdipDrawRectangleI(NativeGraphics(), pen.NativePen(), x, y, width, height));
}

bool Graphics::DrawRectanglesI(const Pen& pen, std::span<const Rect> rects) {
  return StoreStatus(GdipDrawRectanglesI(NativeGraphics(), pen.NativePen(), NativeArray(rects), NativeCount(rects)));
}

bool Graphics::DrawEllipse(const Pen& pen, float x, float y, float width, float height) {
  return StoreStatus(GdipDrawEllipse(NativeGraphics(), pen.NativePen(), x, y, width, height));
}

bool Graphics::DrawEllipseI(const Pen& pen, int x, int y, int width, int height) {
  return StoreStatus(GdipDrawEllipseI(NativeGraphics(), pen.NativePen(), x, y, width, height));
}

bool Graphics::DrawPieI(const Pen& pen, int x, int y, int width, int height, float startAngle, float sweepAngle) {
  return StoreStatus(GdipDrawPieI(NativeGraphics(), pen.NativePen(), x, y, width, height, startAngle, sweepAngle));
}

bool Graphics::DrawPie(const Pen& pen, float x, float y, float width, float height, float startAngle,
                       float sweepAngle) {
  return StoreStatus(GdipDrawPie(NativeGraphics(), pen.NativePen(), x, y, width, height, startAngle, sweepAngle));
}

bool Graphics::DrawPolygon(const Pen& pen, std::span<const PointF> points) {
  return StoreStatus(GdipDrawPolygon(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points)));
}

bool Graphics::DrawPolygonI(const Pen& pen, std::span<const Point> points) {
  return StoreStatus(GdipDrawPolygonI(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points)));
}

bool Graphics::DrawPath(const Pen& pen, const GraphicsPath& path) {
  return StoreStatus(GdipDrawPath(NativeGraphics(), pen.NativePen(), path.NativePath()));
}

bool Graphics::DrawCurve(const Pen& pen, std::span<const PointF> points) {
  return StoreStatus(GdipDrawCurve(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points)));
}

bool Graphics::DrawCurve2(const Pen& pen, std::span<const PointF> points, float tension) {
  return StoreStatus(
      GdipDrawCurve2(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points), tension));
}

bool Graphics::DrawCurve3(const Pen& pen, std::span<const PointF> points, int offset, int numberOfSegments,
                          float tension) {
  return StoreStatus(GdipDrawCurve3(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points),
                                    offset, numberOfSegments, tension));
}

bool Graphics::DrawCurve3I(const Pen& pen, std::span<const Point> points, int offset, int numberOfSegments,
                           float tension) {
  return StoreStatus(GdipDrawCurve3I(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points),
                                     offset, numberOfSegments, tension));
}

bool Graphics::DrawClosedCurve(const Pen& pen, std::span<const PointF> points) {
  return StoreStatus(
      GdipDrawClosedCurve(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points)));
}

bool Graphics::DrawClosedCurve2(const Pen& pen, std::span<const PointF> points, float tension) {
  return StoreStatus(
      GdipDrawClosedCurve2(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points), tension));
}

bool Graphics::DrawClosedCurve2I(const Pen& pen, std::span<const Point> points, float tension) {
  return StoreStatus(
      GdipDrawClosedCurve2I(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points), tension));
}

bool Graphics::DrawClosedCurveI(const Pen& pen, std::span<const Point> points) {
  return StoreStatus(
      GdipDrawClosedCurveI(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points)));
}

bool Graphics::DrawCurveI(const Pen& pen, std::span<const Point> points) {
  return StoreStatus(GdipDrawCurveI(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points)));
}

bool Graphics::DrawCurve2I(const Pen& pen, std::span<const Point> points, float tension) {
  return StoreStatus(
      GdipDrawCurve2I(NativeGraphics(), pen.NativePen(), NativeArray(points), NativeCount(points), tension));
}

}  // namespace korvath::gdip
