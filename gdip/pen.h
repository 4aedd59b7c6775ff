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
  bool CreateFromColor(Argb colour, float width, int unit = 0);
  // The pen keeps its own copy of the brush's fill; the brush stays the caller's.
  bool CreateFromBrush(const Brush& brush, float width, int unit = 0);
  bool Clone(Pen& target) const;
  float GetWidth() const;
  bool SetWidth(float width);
  int GetUnit() const;
  // The unit is the argument truncated toward zero (2.9 gives 2, pixel); one
  // that is no whole unit value at all is refused.
  bool SetUnit(float unit);
  bool SetLineCap(int startCap, int endCap, int dashCap);
  bool SetStartCap(int cap);
  bool SetEndCap(int cap);
  bool SetDashCap(int dashCap);
  int GetStartCap() const;
  int GetEndCap() const;
  int GetDashCap() const;
  bool SetLineJoin(int lineJoin);
  int GetLineJoin() const;
  bool SetMiterLimit(float limit);
  float GetMiterLimit() const;
  // Pen alignment: 0 centre, 1 inset.
  bool SetMode(int alignment);
  int GetMode() const;
  bool SetTransform(const GdipBase& matrix);
  // Copies the pen's transform into the matrix that `matrix` holds; the
  // matrix object keeps its handle (it must hold a matrix).
  bool GetTransform(GdipBase& matrix) const;
  bool ResetTransform();
  bool MultiplyTransform(const GdipBase& matrix, int order = 0);
  bool RotateTransform(float angle, int order = 0);
  bool ScaleTransform(float sx, float sy, int order = 0);
  bool TranslateTransform(float dx, float dy, int order = 0);
  Argb GetColor() const;
  bool SetColor(Argb colour);
  bool SetBrushFill(const Brush& brush);
  // A new native brush with the pen's fill goes to `target` (emptied when the
  // call fails).
  bool GetBrushFill(Brush& target) const;
  int GetFillType() const;
  bool SetDashStyle(int dashStyle);
  float GetDashOffset() const;
  bool SetDashOffset(float offset);
  int GetDashStyle() const;
  // The number of dash lengths; the list is replaced only on success.
  int GetDashArray(std::vector<float>& dashes) const;
  bool SetDashArray(std::span<const float> dashes);
  bool SetCompoundArray(std::span<const float> stripes);
  int GetCompoundArray(std::vector<float>& stripes) const;
  int GetDashCap2() const;
  bool SetLineCap2(int startCap, int endCap, int dashCap);
  bool ScaleAt(float sx, float sy, const PointF& centre, int order = 0);
  bool RotateAt(float angle, const PointF& centre, int order = 0);

  Gdiplus::GpPen* NativePen() const { return NativeAs<Gdiplus::GpPen>(); }
  void SetNativePen(Gdiplus::GpPen* pen) { SetNativeObject(pen); }

 protected:
  bool ReleaseNative() override { return Delete(); }
};

}  // namespace korvath::gdip
