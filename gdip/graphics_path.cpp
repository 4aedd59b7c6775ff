#include "gdip/graphics_path.h"

#include <algorithm>
#include <cmath>

#include "gdip/graphics.h"
#include "gdip/pen.h"
#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

using namespace Gdiplus::DllExports;

namespace {

// GdipGetPathData's block: the count and GDI+'s two buffers.
struct NativePathData {
  INT count;
  Gdiplus::PointF* points;
  BYTE* types;
};

// Fills a list of `count` elements (the path's own count when none is given)
// through `fetch`; the caller's list is replaced only on success.
template <class Element, class Fetch>
bool FillFromPath(const GraphicsPath& path, std::vector<Element>& list, std::optional<int> count,
                  Fetch fetch) {
  INT wanted = 0;
  if (count) {
    if (*count < 0) return RefuseArgument();
    wanted = *count;
  } else {
    if (!StoreStatus(GdipGetPointCount(path.NativePath(), &wanted))) return false;
    if (wanted <= 0) return false;
  }
  std::optional<std::vector<Element>> fetched = ListOfLength<Element>(size_t(wanted));
  if (!fetched) return false;
  if (!StoreStatus(fetch(std::span<Element>(*fetched)))) return false;
  list = std::move(*fetched);
  return true;
}

}  // namespace

bool GraphicsPath::Delete() { return DestroyWith(GdipDeletePath); }

bool GraphicsPath::Create(Gdiplus::FillMode fillMode) {
  Gdiplus::GpPath* created = nullptr;
  return AdoptInto(*this, GdipCreatePath(fillMode, &created), created);
}

bool GraphicsPath::CreateFromPoints(std::span<const PointF> points, std::span<const uint8_t> types,
                                    Gdiplus::FillMode fillMode) {
  if (points.size() != types.size()) return RefuseArgument();
  Gdiplus::GpPath* created = nullptr;
  return AdoptInto(
      *this, GdipCreatePath2(NativeArray(points), DataOrNull(types), NativeCount(points), fillMode, &created),
      created);
}

bool GraphicsPath::Clone(GraphicsPath& target) const {
  Gdiplus::GpPath* copy = nullptr;
  return AdoptInto(target, GdipClonePath(NativePath(), &copy), copy);
}

bool GraphicsPath::Reset() { return StoreStatus(GdipResetPath(NativePath())); }

bool GraphicsPath::GetTypes(std::vector<uint8_t>& types, std::optional<int> count) const {
  return FillFromPath(*this, types, count, [this](std::span<uint8_t> buffer) {
    return GdipGetPathTypes(NativePath(), DataOrNull(buffer), NativeCount(buffer));
  });
}

bool GraphicsPath::GetPoints(std::vector<PointF>& points, std::optional<int> count) const {
  return FillFromPath(*this, points, count, [this](std::span<PointF> buffer) {
    return GdipGetPathPoints(NativePath(), NativeArray(buffer), NativeCount(buffer));
  });
}

bool GraphicsPath::StartFigure() { return StoreStatus(GdipStartPathFigure(NativePath())); }
bool GraphicsPath::CloseFigure() { return StoreStatus(GdipClosePathFigure(NativePath())); }
bool GraphicsPath::CloseFigures() { return StoreStatus(GdipClosePathFigures(NativePath())); }
bool GraphicsPath::SetMarker() { return StoreStatus(GdipSetPathMarker(NativePath())); }
bool GraphicsPath::ClearMarkers() { return StoreStatus(GdipClearPathMarkers(NativePath())); }
bool GraphicsPath::Reverse() { return StoreStatus(GdipReversePath(NativePath())); }

PointF GraphicsPath::GetLastPoint() const {
  PointF point;
  StoreStatus(GdipGetPathLastPoint(NativePath(), ToNative(point)));
  return point;
}

bool GraphicsPath::AddLine(float x1, float y1, float x2, float y2) {
  return StoreStatus(GdipAddPathLine(NativePath(), x1, y1, x2, y2));
}

bool GraphicsPath::AddLine2(std::span<const PointF> points) {
  return StoreStatus(GdipAddPathLine2(NativePath(), NativeArray(points), NativeCount(points)));
}

bool GraphicsPath::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle) {
  return StoreStatus(GdipAddPathArc(NativePath(), x, y, width, height, startAngle, sweepAngle));
}

bool GraphicsPath::AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
  return StoreStatus(GdipAddPathBezier(NativePath(), x1, y1, x2, y2, x3, y3, x4, y4));
}

bool GraphicsPath::AddBeziers(std::span<const PointF> points) {
  return StoreStatus(GdipAddPathBeziers(NativePath(), NativeArray(points), NativeCount(points)));
}

bool GraphicsPath::AddCurve(std::span<const PointF> points) {
  return StoreStatus(GdipAddPathCurve(NativePath(), NativeArray(points), NativeCount(points)));
}

bool GraphicsPath::AddCurve2(std::span<const PointF> points, float tension) {
  return StoreStatus(GdipAddPathCurve2(NativePath(), NativeArray(points), NativeCount(points), tension));
}

bool GraphicsPath::AddCurve3(std::span<const PointF> points, int offset, int numberOfSegments, float tension) {
  return StoreStatus(GdipAddPathCurve3(NativePath(), NativeArray(points), NativeCount(points), offset,
                                       numberOfSegments, tension));
}

bool GraphicsPath::AddClosedCurve(std::span<const PointF> points) {
  return StoreStatus(GdipAddPathClosedCurve(NativePath(), NativeArray(points), NativeCount(points)));
}

bool GraphicsPath::AddClosedCurve2(std::span<const PointF> points, float tension) {
  return StoreStatus(GdipAddPathClosedCurve2(NativePath(), NativeArray(points), NativeCount(points), tension));
}

bool GraphicsPath::AddRectangle(float x, float y, float width, float height) {
  return StoreStatus(GdipAddPathRectangle(NativePath(), x, y, width, height));
}

bool GraphicsPath::AddRectangles(std::span<const RectF> rects) {
  return StoreStatus(GdipAddPathRectangles(NativePath(), NativeArray(rects), NativeCount(rects)));
}

bool GraphicsPath::AddEllipse(float x, float y, float width, float height) {
  return StoreStatus(GdipAddPathEllipse(NativePath(), x, y, width, height));
}

bool GraphicsPath::AddPieI(int x, int y, int width, int height, float startAngle, float sweepAngle) {
  return StoreStatus(GdipAddPathPieI(NativePath(), x, y, width, height, startAngle, sweepAngle));
}

bool GraphicsPath::AddPolygon(std::span<const PointF> points) {
  return StoreStatus(GdipAddPathPolygon(NativePath(), NativeArray(points), NativeCount(points)));
}

bool GraphicsPath::AddPath(const GraphicsPath& other, bool connect) {
  return StoreStatus(GdipAddPathPath(NativePath(), other.NativePath(), connect));
}

bool GraphicsPath::Flatten(const GdipBase* matrix, float flatness) {
  return StoreStatus(GdipFlattenPath(NativePath(), NativeOf<Gdiplus::GpMatrix>(matrix), flatness));
}

bool GraphicsPath::WindingModeOutline(const GdipBase* matrix, float flatness) {
  return StoreStatus(GdipWindingModeOutline(NativePath(), NativeOf<Gdiplus::GpMatrix>(matrix), flatness));
}

bool GraphicsPath::Warp(std::span<const PointF> destination, const RectF& source, const GdipBase* matrix,
                        Gdiplus::WarpMode warpMode, float flatness) {
  return StoreStatus(GdipWarpPath(NativePath(), NativeOf<Gdiplus::GpMatrix>(matrix), NativeArray(destination),
                                  NativeCount(destination), source.x, source.y, source.width, source.height,
                                  warpMode, flatness));
}

RectF GraphicsPath::GetWorldBounds(const GdipBase* matrix, const Pen* pen) const {
  RectF bounds;
  StoreStatus(GdipGetPathWorldBounds(NativePath(), ToNative(bounds), NativeOf<Gdiplus::GpMatrix>(matrix),
                                     NativeOf<Gdiplus::GpPen>(pen)));
  return bounds;
}

bool GraphicsPath::IsVisiblePoint(float x, float y, const Graphics* graphics) const {
  BOOL visible = FALSE;
  return StoreStatus(
             GdipIsVisiblePathPoint(NativePath(), x, y, NativeOf<Gdiplus::GpGraphics>(graphics), &visible)) &&
         visible;
}

bool GraphicsPath::IsOutlineVisiblePoint(float x, float y, const Pen& pen, const Graphics* graphics) const {
  BOOL visible = FALSE;
  return StoreStatus(GdipIsOutlineVisiblePathPoint(NativePath(), x, y, pen.NativePen(),
                                                   NativeOf<Gdiplus::GpGraphics>(graphics), &visible)) &&
         visible;
}

bool GraphicsPath::CreateFromPointsI(std::span<const Point> points, std::span<const uint8_t> types,
                                     Gdiplus::FillMode fillMode) {
  if (points.size() != types.size()) return RefuseArgument();
  Gdiplus::GpPath* created = nullptr;
  return AdoptInto(
      *this,
      GdipCreatePath2I(NativeArray(points), DataOrNull(types), NativeCount(points), fillMode, &created),
      created);
}

Gdiplus::FillMode GraphicsPath::GetFillMode() const {
  Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate;
  StoreStatus(GdipGetPathFillMode(NativePath(), &fillMode));
  return fillMode;
}

bool GraphicsPath::SetFillMode(Gdiplus::FillMode fillMode) {
  return StoreStatus(GdipSetPathFillMode(NativePath(), fillMode));
}

bool GraphicsPath::AddLineI(int x1, int y1, int x2, int y2) {
  return StoreStatus(GdipAddPathLineI(NativePath(), x1, y1, x2, y2));
}

bool GraphicsPath::AddLine2I(std::span<const Point> points) {
  return StoreStatus(GdipAddPathLine2I(NativePath(), NativeArray(points), NativeCount(points)));
}

bool GraphicsPath::AddArcI(int x, int y, int width, int height, float startAngle, float sweepAngle) {
  return StoreStatus(GdipAddPathArcI(NativePath(), x, y, width, height, startAngle, sweepAngle));
}

bool GraphicsPath::AddBeziersI(std::span<const Point> points) {
  return StoreStatus(GdipAddPathBeziersI(NativePath(), NativeArray(points), NativeCount(points)));
}

bool GraphicsPath::AddBezierI(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return StoreStatus(GdipAddPathBezierI(NativePath(), x1, y1, x2, y2, x3, y3, x4, y4));
}

bool GraphicsPath::AddCurveI(std::span<const Point> points) {
  return StoreStatus(GdipAddPathCurveI(NativePath(), NativeArray(points), NativeCount(points)));
}

bool GraphicsPath::AddCurve2I(std::span<const Point> points, float tension) {
  return StoreStatus(GdipAddPathCurve2I(NativePath(), NativeArray(points), NativeCount(points), tension));
}

bool GraphicsPath::AddCurve3I(std::span<const Point> points, int offset, int numberOfSegments, float tension) {
  return StoreStatus(GdipAddPathCurve3I(NativePath(), NativeArray(points), NativeCount(points), offset,
                                        numberOfSegments, tension));
}

bool GraphicsPath::AddClosedCurveI(std::span<const Point> points) {
  return StoreStatus(GdipAddPathClosedCurveI(NativePath(), NativeArray(points), NativeCount(points)));
}

bool GraphicsPath::AddClosedCurve2I(std::span<const Point> points, float tension) {
  return StoreStatus(GdipAddPathClosedCurve2I(NativePath(), NativeArray(points), NativeCount(points), tension));
}

bool GraphicsPath::AddRectangleI(int x, int y, int width, int height) {
  return StoreStatus(GdipAddPathRectangleI(NativePath(), x, y, width, height));
}

bool GraphicsPath::AddRectanglesI(std::span<const Rect> rects) {
  return StoreStatus(GdipAddPathRectanglesI(NativePath(), NativeArray(rects), NativeCount(rects)));
}

bool GraphicsPath::AddEllipseI(int x, int y, int width, int height) {
  return StoreStatus(GdipAddPathEllipseI(NativePath(), x, y, width, height));
}

bool GraphicsPath::AddPolygonI(std::span<const Point> points) {
  return StoreStatus(GdipAddPathPolygonI(NativePath(), NativeArray(points), NativeCount(points)));
}

bool GraphicsPath::Transform(const GdipBase& matrix) {
  return StoreStatus(GdipTransformPath(NativePath(), NativeOf<Gdiplus::GpMatrix>(matrix)));
}

bool GraphicsPath::Widen(const Pen& pen, const GdipBase* matrix, float flatness) {
  return StoreStatus(GdipWidenPath(NativePath(), pen.NativePen(), NativeOf<Gdiplus::GpMatrix>(matrix), flatness));
}

int GraphicsPath::GetPointCount2() const {
  INT count = 0;
  StoreStatus(GdipGetPointCount(NativePath(), &count));
  return count;
}

bool GraphicsPath::IsVisiblePointI(int x, int y, const Graphics* graphics) const {
  BOOL visible = FALSE;
  return StoreStatus(GdipIsVisiblePathPointI(NativePath(), x, y, NativeOf<Gdiplus::GpGraphics>(graphics),
                                             &visible)) &&
         visible;
}

bool GraphicsPath::IsOutlineVisiblePointI(int x, int y, const Pen& pen, const Graphics* graphics) const {
  BOOL visible = FALSE;
  return StoreStatus(GdipIsOutlineVisiblePathPointI(NativePath(), x, y, pen.NativePen(),
                                                    NativeOf<Gdiplus::GpGraphics>(graphics), &visible)) &&
         visible;
}

bool GraphicsPath::GetData(PathData& data) const {
  INT count = 0;
  if (!StoreStatus(GdipGetPointCount(NativePath(), &count))) return false;
  if (count <= 0) {
    data = PathData{};
    return false;
  }
  std::optional<PathData> fetched = WithinMemory([count] {
    return PathData{count, std::vector<PointF>(size_t(count)), std::vector<uint8_t>(size_t(count))};
  });
  if (!fetched) return false;
  NativePathData block{count, NativeArray(std::span<PointF>(fetched->points)), fetched->types.data()};
  if (!StoreStatus(GdipGetPathData(NativePath(), reinterpret_cast<Gdiplus::GpPathData*>(&block)))) return false;
  fetched->count = block.count;
  data = std::move(*fetched);
  return true;
}

bool GraphicsPath::AddRoundRect(float x, float y, float width, float height, int percent) {
  percent = std::clamp(percent, 1, 100);
  // Each corner's ellipse box is a whole number of pixels, as the skin's
  // shapes were designed with.
  float dx = static_cast<float>(std::trunc(double(width) * percent / 100.0));
  float dy = static_cast<float>(std::trunc(double(height) * percent / 100.0));
  // A box below one pixel would be an arc GDI+ refuses or draws as nothing;
  // such a corner is invisible, so the shape is the rectangle itself.
  if (!(dx >= 1 && dy >= 1)) return AddRectangle(x, y, width, height);

  float right = x + width;
  float bottom = y + height;
  struct Corner {
    float left, top, startAngle;
  };
  const Corner corners[] = {
      {right - dx, y, 270}, {right - dx, bottom - dy, 0}, {x, bottom - dy, 90}, {x, y, 180}};
  Gdiplus::GpStatus firstFailure = Gdiplus::Ok;
  for (const Corner& corner : corners) {
    Gdiplus::GpStatus status = GdipAddPathArc(NativePath(), corner.left, corner.top, dx, dy, corner.startAngle, 90);
    if (firstFailure == Gdiplus::Ok) firstFailure = status;
  }
  Gdiplus::GpStatus closed = GdipClosePathFigure(NativePath());
  return StoreStatus(firstFailure != Gdiplus::Ok ? firstFailure : closed);
}

Rect GraphicsPath::GetWorldBoundsI(const GdipBase* matrix, const Pen* pen) const {
  Rect bounds;
  StoreStatus(GdipGetPathWorldBoundsI(NativePath(), ToNative(bounds), NativeOf<Gdiplus::GpMatrix>(matrix),
                                      NativeOf<Gdiplus::GpPen>(pen)));
  return bounds;
}

bool GraphicsPath::GetPointsI(std::vector<Point>& points, std::optional<int> count) const {
  return FillFromPath(*this, points, count, [this](std::span<Point> buffer) {
    return GdipGetPathPointsI(NativePath(), NativeArray(buffer), NativeCount(buffer));
  });
}

bool GraphicsPath::AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle) {
  return StoreStatus(GdipAddPathPie(NativePath(), x, y, width, height, startAngle, sweepAngle));
}

}  // namespace korvath::gdip
