#pragma once
// A GDI+ path: the shapes that the skin engine draws, fills and clips to
// (figures of lines and arcs, rectangles, ellipses, rounded rectangles, text
// outlines), and the boundary of a path-gradient brush.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "gdip/geometry.h"
#include "gdip/object.h"

namespace korvath::gdip {

class FontFamily;
class Graphics;
class Pen;
class StringFormat;

// A path's points with their GDI+ point-type bytes.
struct PathData {
  int count = 0;
  std::vector<PointF> points;
  std::vector<uint8_t> types;
};

class GraphicsPath : public GdipBase {
 public:
  GraphicsPath() = default;
  ~GraphicsPath() override { Delete(); }
  GraphicsPath(GraphicsPath&&) noexcept = default;
  GraphicsPath& operator=(GraphicsPath&&) noexcept = default;

  bool Delete();
  [[nodiscard]] bool Create(Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  // One type byte per point; lists of different lengths are refused.
  [[nodiscard]] bool CreateFromPoints(std::span<const PointF> points, std::span<const uint8_t> types,
                                      Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  [[nodiscard]] bool Clone(GraphicsPath& target) const;
  bool Reset();
  // Without a count, the path's own point count; the list is replaced only
  // when the fetch succeeds. A negative count is refused, and so is one of
  // more than memory holds (OutOfMemory). A count below the path's is GDI+'s
  // to refuse (InsufficientBuffer): GDI+ is told the list's own length.
  [[nodiscard]] bool GetTypes(std::vector<uint8_t>& types, std::optional<int> count = std::nullopt) const;
  [[nodiscard]] bool GetPoints(std::vector<PointF>& points, std::optional<int> count = std::nullopt) const;
  bool StartFigure();
  bool CloseFigure();
  bool CloseFigures();
  bool SetMarker();
  bool ClearMarkers();
  bool Reverse();
  PointF GetLastPoint() const;
  bool AddLine(float x1, float y1, float x2, float y2);
  bool AddLine2(std::span<const PointF> points);
  bool AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
  bool AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
  bool AddBeziers(std::span<const PointF> points);
  bool AddCurve(std::span<const PointF> points);
  bool AddCurve2(std::span<const PointF> points, float tension);
  bool AddCurve3(std::span<const PointF> points, int offset, int numberOfSegments, float tension);
  bool AddClosedCurve(std::span<const PointF> points);
  bool AddClosedCurve2(std::span<const PointF> points, float tension);
  bool AddRectangle(float x, float y, float width, float height);
  bool AddRectangles(std::span<const RectF> rects);
  bool AddEllipse(float x, float y, float width, float height);
  bool AddPieI(int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool AddPolygon(std::span<const PointF> points);
  bool AddPath(const GraphicsPath& other, bool connect = false);
  // The outline of a GBK text in a font family at an em size of `size`.
  bool AddString(std::string_view text, const FontFamily& family, int size, const RectF& layout, int style,
                 const StringFormat& format);
  bool Flatten(const GdipBase* matrix = nullptr, float flatness = 0.25f);
  bool WindingModeOutline(const GdipBase* matrix = nullptr, float flatness = 0.25f);
  bool Warp(std::span<const PointF> destination, const RectF& source, const GdipBase* matrix = nullptr,
            Gdiplus::WarpMode warpMode = Gdiplus::WarpModePerspective, float flatness = 0.25f);
  RectF GetWorldBounds(const GdipBase* matrix = nullptr, const Pen* pen = nullptr) const;
  bool IsVisiblePoint(float x, float y, const Graphics* graphics = nullptr) const;
  bool IsOutlineVisiblePoint(float x, float y, const Pen& pen, const Graphics* graphics = nullptr) const;
  [[nodiscard]] bool CreateFromPointsI(std::span<const Point> points, std::span<const uint8_t> types,
                                       Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  Gdiplus::FillMode GetFillMode() const;
  bool SetFillMode(Gdiplus::FillMode fillMode);
  bool AddLineI(int x1, int y1, int x2, int y2);
  bool AddLine2I(std::span<const Point> points);
  bool AddArcI(int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool AddBeziersI(std::span<const Point> points);
  bool AddBezierI(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  bool AddCurveI(std::span<const Point> points);
  bool AddCurve2I(std::span<const Point> points, float tension);
  bool AddCurve3I(std::span<const Point> points, int offset, int numberOfSegments, float tension);
  bool AddClosedCurveI(std::span<const Point> points);
  bool AddClosedCurve2I(std::span<const Point> points, float tension);
  bool AddRectangleI(int x, int y, int width, int height);
  bool AddRectanglesI(std::span<const Rect> rects);
  bool AddEllipseI(int x, int y, int width, int height);
  bool AddPolygonI(std::span<const Point> points);
  bool AddStringI(std::string_view text, const FontFamily& family, int size, const Rect& layout, int style,
                  const StringFormat& format);
  bool Transform(const GdipBase& matrix);
  bool Widen(const Pen& pen, const GdipBase* matrix = nullptr, float flatness = 0.25f);
  int GetPointCount2() const;
  bool IsVisiblePointI(int x, int y, const Graphics* graphics = nullptr) const;
  bool IsOutlineVisiblePointI(int x, int y, const Pen& pen, const Graphics* graphics = nullptr) const;
  // Replaced only when the fetch succeeds; a path without points gives an
  // empty record and false.
  [[nodiscard]] bool GetData(PathData& data) const;
  // A closed rectangle whose corners are quarter ellipses of `percent` (1 to
  // 100) of the width and height. Corners smaller than one pixel give the
  // plain rectangle; a failing arc is reported.
  bool AddRoundRect(float x, float y, float width, float height, int percent);
  Rect GetWorldBoundsI(const GdipBase* matrix = nullptr, const Pen* pen = nullptr) const;
  [[nodiscard]] bool GetPointsI(std::vector<Point>& points, std::optional<int> count = std::nullopt) const;
  bool AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle);
  // As AddStringI and AddString, with a UTF-16 text (read up to its first zero).
  bool AddStringISimple(std::wstring_view text, const FontFamily& family, int size, const Rect& layout,
                        int style, const StringFormat& format);
  bool AddStringSimple(std::wstring_view text, const FontFamily& family, int size, const RectF& layout,
                       int style, const StringFormat& format);

  Gdiplus::GpPath* NativePath() const { return NativeAs<Gdiplus::GpPath>(); }
  void SetNativePath(Gdiplus::GpPath* path) { SetNativeObject(path); }

 protected:
  bool ReleaseNative() override { return Delete(); }
};

}  // namespace korvath::gdip
