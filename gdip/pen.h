#pragma once
// A GDI+ pen: the skin engine strokes lines and outlines with one made from a
// colour and a width, or from a brush, sometimes dashed.
#include <span>
#include <vector>

#include "gdip/geometry.h"
#include "gdip/object.h"

namespace korvath::gdip {

class Brush;

class Pen : public GdipBase {
 public:
  Pen() = default;
  ~Pen() override { Delete(); }
  Pen(Pen&&) noexcept = default;
  Pen& operator=(Pen&&) noexcept = default;

  bool Delete();
  // Unit 0 is world units.
  [[nodiscard]] bool CreateFromColor(Argb colour, float width, Gdiplus::Unit unit = Gdiplus::UnitWorld);
  // The pen keeps its own copy of the brush's fill; the brush stays the caller's.
  [[nodiscard]] bool CreateFromBrush(const Brush& brush, float width,
                                     Gdiplus::Unit unit = Gdiplus::UnitWorld);
  [[nodiscard]] bool Clone(Pen& target) const;
  float GetWidth() const;
  bool SetWidth(float width);
  Gdiplus::Unit GetUnit() const;
  // The unit is the argument truncated toward zero (2.9 gives 2, pixel); one
  // that is no whole unit value at all is refused.
  bool SetUnit(float unit);
  bool SetLineCap(Gdiplus::LineCap startCap, Gdiplus::LineCap endCap, Gdiplus::DashCap dashCap);
  bool SetStartCap(Gdiplus::LineCap cap);
  bool SetEndCap(Gdiplus::LineCap cap);
  bool SetDashCap(Gdiplus::DashCap dashCap);
  Gdiplus::LineCap GetStartCap() const;
  Gdiplus::LineCap GetEndCap() const;
  Gdiplus::DashCap GetDashCap() const;
  bool SetLineJoin(Gdiplus::LineJoin lineJoin);
  Gdiplus::LineJoin GetLineJoin() const;
  bool SetMiterLimit(float limit);
  float GetMiterLimit() const;
  // Pen alignment: 0 centre, 1 inset.
  bool SetMode(Gdiplus::PenAlignment alignment);
  Gdiplus::PenAlignment GetMode() const;
  bool SetTransform(const GdipBase& matrix);
  // Copies the pen's transform into the matrix that `matrix` holds; the
  // matrix object keeps its handle (it must hold a matrix).
  [[nodiscard]] bool GetTransform(GdipBase& matrix) const;
  bool ResetTransform();
  bool MultiplyTransform(const GdipBase& matrix, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateTransform(float angle, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool ScaleTransform(float sx, float sy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool TranslateTransform(float dx, float dy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  Argb GetColor() const;
  bool SetColor(Argb colour);
  bool SetBrushFill(const Brush& brush);
  // A new native brush with the pen's fill goes to `target` (emptied when the
  // call fails).
  [[nodiscard]] bool GetBrushFill(Brush& target) const;
  Gdiplus::PenType GetFillType() const;
  bool SetDashStyle(Gdiplus::DashStyle dashStyle);
  float GetDashOffset() const;
  bool SetDashOffset(float offset);
  Gdiplus::DashStyle GetDashStyle() const;
  // The number of dash lengths; the list is replaced only on success.
  int GetDashArray(std::vector<float>& dashes) const;
  bool SetDashArray(std::span<const float> dashes);
  bool SetCompoundArray(std::span<const float> stripes);
  int GetCompoundArray(std::vector<float>& stripes) const;
  Gdiplus::DashCap GetDashCap2() const;
  bool SetLineCap2(Gdiplus::LineCap startCap, Gdiplus::LineCap endCap, Gdiplus::DashCap dashCap);
  bool ScaleAt(float sx, float sy, const PointF& centre,
               Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateAt(float angle, const PointF& centre, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);

  Gdiplus::GpPen* NativePen() const { return NativeAs<Gdiplus::GpPen>(); }
  void SetNativePen(Gdiplus::GpPen* pen) { SetNativeObject(pen); }

 protected:
  bool ReleaseNative() override { return Delete(); }
};

}  // namespace korvath::gdip
