#pragma once
// A fill that runs from one colour to another along a line or across a
// rectangle. The skin engine paints gradient faces with it: created from two
// points and two colours, sometimes given a linear blend, then filled.
#include <span>
#include <vector>

#include "gdip/brush.h"

namespace korvath::gdip {

class LinearGradientBrush : public Brush {
 public:
  LinearGradientBrush() = default;
  LinearGradientBrush(LinearGradientBrush&&) noexcept = default;
  LinearGradientBrush& operator=(LinearGradientBrush&&) noexcept = default;

  // Every creator makes the gradient with wrap mode 0 (tile); SetWrapMode
  // changes it afterwards.
  [[nodiscard]] bool CreateFromPoints(const PointF& point1, const PointF& point2, Argb colour1, Argb colour2);
  [[nodiscard]] bool CreateFromRect(const RectF& rect, Argb colour1, Argb colour2,
                                    Gdiplus::LinearGradientMode mode = Gdiplus::LinearGradientModeHorizontal);
  [[nodiscard]] bool CreateFromRectWithAngle(const RectF& rect, Argb colour1, Argb colour2, float angle,
                                             bool angleScalable = false);

  // Writes both colours also when the call fails (then 0).
  [[nodiscard]] bool GetColors(Argb& colour1, Argb& colour2) const;
  bool SetColors(Argb colour1, Argb colour2);
  RectF GetRect() const;
  bool SetGammaCorrection(bool useGamma);
  [[nodiscard]] bool GetGammaCorrection() const;
  // Blends take one position per factor (or colour); a positions list shorter
  // than the factors is refused.
  bool SetBlend(std::span<const float> factors, std::span<const float> positions);
  // The number of blend points; both lists are replaced only on success.
  int GetBlend(std::vector<float>& factors, std::vector<float>& positions) const;
  bool SetPresetBlend(std::span<const Argb> colours, std::span<const float> positions);
  int GetPresetBlend(std::vector<Argb>& colours, std::vector<float>& positions) const;
  bool SetSigmaBlend(float focus, float scale);
  bool SetLinearBlend(float focus, float scale);
  Gdiplus::WrapMode GetWrapMode() const;
  bool SetWrapMode(Gdiplus::WrapMode mode);

  // Copies the brush's transform into the matrix that `matrix` holds; the
  // matrix object keeps its handle (it must hold a matrix).
  [[nodiscard]] bool GetTransform(GdipBase& matrix) const;
  bool SetTransform(const GdipBase& matrix);
  bool ResetTransform();
  bool MultiplyTransform(const GdipBase& matrix, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool TranslateTransform(float dx, float dy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool ScaleTransform(float sx, float sy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateTransform(float angle, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);

  [[nodiscard]] bool CreateFromPointsI(const Point& point1, const Point& point2, Argb colour1, Argb colour2);
  [[nodiscard]] bool CreateFromRectI(
      const Rect& rect, Argb colour1, Argb colour2,
      Gdiplus::LinearGradientMode mode = Gdiplus::LinearGradientModeHorizontal);
  [[nodiscard]] bool CreateFromRectWithAngleI(const Rect& rect, Argb colour1, Argb colour2, float angle,
                                              bool angleScalable = false);
  Rect GetRectI() const;
  bool ScaleAt(float sx, float sy, const PointF& centre,
               Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateAt(float angle, const PointF& centre, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  int GetBlendCount() const;

  Gdiplus::GpLineGradient* NativeLineGradient() const { return NativeAs<Gdiplus::GpLineGradient>(); }
};

}  // namespace korvath::gdip
