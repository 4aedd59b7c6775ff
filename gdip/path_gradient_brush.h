#pragma once
// A fill whose colour runs from a centre colour at a centre point out to the
// surround colours of a boundary path. The control skins make it from a
// graphics path and set the centre colour, the surround colours and the
// focus scales.
#include <optional>
#include <span>
#include <vector>

#include "gdip/brush.h"

namespace korvath::gdip {

class GraphicsPath;

class PathGradientBrush : public Brush {
 public:
  PathGradientBrush() = default;
  PathGradientBrush(PathGradientBrush&&) noexcept = default;
  PathGradientBrush& operator=(PathGradientBrush&&) noexcept = default;

  // The boundary is the polygon of `points`; an omitted wrap mode is 4 (clamp).
  [[nodiscard]] bool Create(std::span<const PointF> points,
                            std::optional<Gdiplus::WrapMode> wrapMode = std::nullopt);
  [[nodiscard]] bool CreateFromPath(const GraphicsPath& path);
  Argb GetCenterColor() const;
  bool SetCenterColor(Argb colour);
  // Fills the first `count` places of `colours`, whose size the caller chose;
  // GDI+ writes the number of surround colours into `count`. A count larger
  // than the list is refused.
  [[nodiscard]] bool GetSurroundColorsWithCount(std::span<Argb> colours, int& count) const;
  // Without `count`, every colour of the list is given. A given count is
  // passed to GDI+, which writes back the number it took; one larger than the
  // list is refused.
  bool SetSurroundColorsWithCount(std::span<const Argb> colours, int* count = nullptr);
  // Copies the boundary into the path that `path` holds (it keeps its handle).
  [[nodiscard]] bool GetGraphicsPath(GraphicsPath& path) const;
  bool SetGraphicsPath(const GraphicsPath& path);
  PointF GetCenterPoint() const;
  bool SetCenterPoint(const PointF& centre);
  RectF GetRect() const;
  bool SetPresetBlend(std::span<const Argb> colours, std::span<const float> positions);
  int GetPresetBlend(std::vector<Argb>& colours, std::vector<float>& positions) const;
  bool SetSigmaBlend(float focus, float scale);
  bool SetLinearBlend(float focus, float scale);
  Gdiplus::WrapMode GetWrapMode() const;
  bool SetWrapMode(Gdiplus::WrapMode mode);
  // Copies the brush's transform into the matrix that `matrix` holds.
  [[nodiscard]] bool GetTransform(GdipBase& matrix) const;
  bool SetTransform(const GdipBase& matrix);
  bool ResetTransform();
  bool MultiplyTransform(const GdipBase& matrix, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool TranslateTransform(float dx, float dy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool ScaleTransform(float sx, float sy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateTransform(float angle, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  [[nodiscard]] bool GetFocusScales(float& xScale, float& yScale) const;
  bool SetFocusScales(float xScale, float yScale);
  [[nodiscard]] bool CreateI(std::span<const Point> points,
                             std::optional<Gdiplus::WrapMode> wrapMode = std::nullopt);
  int GetPointCount() const;
  int GetSurroundColorCount() const;
  Point GetCenterPointI() const;
  bool SetCenterPointI(const Point& centre);
  Rect GetRectI() const;
  bool SetGammaCorrection(bool useGamma);
  [[nodiscard]] bool GetGammaCorrection() const;
  bool SetBlend(std::span<const float> factors, std::span<const float> positions);
  int GetBlend(std::vector<float>& factors, std::vector<float>& positions) const;
  bool ScaleAt(float sx, float sy, const PointF& centre,
               Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateAt(float angle, const PointF& centre, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  int GetBlendCount() const;
  int GetPresetBlendCount() const;

  Gdiplus::GpPathGradient* NativePathGradient() const { return NativeAs<Gdiplus::GpPathGradient>(); }
};

}  // namespace korvath::gdip
