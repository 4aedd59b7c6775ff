#include "gdip/path_gradient_brush.h"

#include "gdip/graphics_path.h"
#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

using namespace Gdiplus::DllExports;

namespace {

Gdiplus::WrapMode WrapModeOr(std::optional<Gdiplus::WrapMode> wrapMode) {
  return wrapMode.value_or(Gdiplus::WrapModeClamp);
}

}  // namespace

bool PathGradientBrush::Create(std::span<const PointF> points, std::optional<Gdiplus::WrapMode> wrapMode) {
  Gdiplus::GpPathGradient* created = nullptr;
  return AdoptInto(*this,
                   GdipCreatePathGradient(NativeArray(points), NativeCount(points), WrapModeOr(wrapMode),
                                          &created),
                   created);
}

bool PathGradientBrush::CreateFromPath(const GraphicsPath& path) {
  Gdiplus::GpPathGradient* created = nullptr;
  return AdoptInto(*this, GdipCreatePathGradientFromPath(path.NativePath(), &created), created);
}

Argb PathGradientBrush::GetCenterColor() const {
  Gdiplus::ARGB colour = 0;
  StoreStatus(GdipGetPathGradientCenterColor(NativePathGradient(), &colour));
  return colour;
}

bool PathGradientBrush::SetCenterColor(Argb colour) {
  return StoreStatus(GdipSetPathGradientCenterColor(NativePathGradient(), colour));
}

bool PathGradientBrush::GetSurroundColorsWithCount(std::span<Argb> colours, int& count) const {
  if (count < 0 || static_cast<size_t>(count) > colours.size()) return RefuseArgument();
  INT inOut = count;
  bool ok = StoreStatus(
      GdipGetPathGradientSurroundColorsWithCount(NativePathGradient(), NativeColors(colours), &inOut));
  count = inOut;
  return ok;
}

bool PathGradientBrush::SetSurroundColorsWithCount(std::span<const Argb> colours, int* count) {
  INT inOut = count ? *count : NativeCount(colours);
  if (inOut < 0 || static_cast<size_t>(inOut) > colours.size()) return RefuseArgument();
  bool ok = StoreStatus(
      GdipSetPathGradientSurroundColorsWithCount(NativePathGradient(), NativeColors(colours), &inOut));
  if (count) *count = inOut;
  return ok;
}

bool PathGradientBrush::GetGraphicsPath(GraphicsPath& path) const {
  return StoreStatus(GdipGetPathGradientPath(NativePathGradient(), path.NativePath()));
}

bool PathGradientBrush::SetGraphicsPath(const GraphicsPath& path) {
  return StoreStatus(GdipSetPathGradientPath(NativePathGradient(), path.NativePath()));
}

PointF PathGradientBrush::GetCenterPoint() const {
  PointF centre;
  StoreStatus(GdipGetPathGradientCenterPoint(NativePathGradient(), ToNative(centre)));
  return centre;
}

bool PathGradientBrush::SetCenterPoint(const PointF& centre) {
  return StoreStatus(GdipSetPathGradientCenterPoint(NativePathGradient(), ToNative(centre)));
}

RectF PathGradientBrush::GetRect() const {
  RectF rect;
  StoreStatus(GdipGetPathGradientRect(NativePathGradient(), ToNative(rect)));
  return rect;
}

bool PathGradientBrush::SetPresetBlend(std::span<const Argb> colours, std::span<const float> positions) {
  if (positions.size() < colours.size()) return RefuseArgument();
  return StoreStatus(GdipSetPathGradientPresetBlend(NativePathGradient(), NativeColors(colours),
                                                    DataOrNull(positions), NativeCount(colours)));
}

int PathGradientBrush::GetPresetBlend(std::vector<Argb>& colours, std::vector<float>& positions) const {
  return FetchParallelLists(
      colours, positions,
      [this](INT* count) { return GdipGetPathGradientPresetBlendCount(NativePathGradient(), count); },
      [this](Argb* c, float* p, INT count) {
        return GdipGetPathGradientPresetBlend(NativePathGradient(), reinterpret_cast<Gdiplus::ARGB*>(c), p,
                                              count);
      });
}

bool PathGradientBrush::SetSigmaBlend(float focus, float scale) {
  return StoreStatus(GdipSetPathGradientSigmaBlend(NativePathGradient(), focus, scale));
}

bool PathGradientBrush::SetLinearBlend(float focus, float scale) {
  return StoreStatus(GdipSetPathGradientLinearBlend(NativePathGradient(), focus, scale));
}

Gdiplus::WrapMode PathGradientBrush::GetWrapMode() const {
  Gdiplus::WrapMode mode = Gdiplus::WrapModeTile;
  StoreStatus(GdipGetPathGradientWrapMode(NativePathGradient(), &mode));
  return mode;
}

bool PathGradientBrush::SetWrapMode(Gdiplus::WrapMode mode) {
  return StoreStatus(GdipSetPathGradientWrapMode(NativePathGradient(), mode));
}

bool PathGradientBrush::GetTransform(GdipBase& matrix) const {
  return StoreStatus(GdipGetPathGradientTransform(NativePathGradient(), NativeOf<Gdiplus::GpMatrix>(matrix)));
}

bool PathGradientBrush::SetTransform(const GdipBase& matrix) {
  return StoreStatus(GdipSetPathGradientTransform(NativePathGradient(), NativeOf<Gdiplus::GpMatrix>(matrix)));
}

bool PathGradientBrush::ResetTransform() {
  return StoreStatus(GdipResetPathGradientTransform(NativePathGradient()));
}

bool PathGradientBrush::MultiplyTransform(const GdipBase& matrix, Gdiplus::MatrixOrder order) {
  return StoreStatus(
      GdipMultiplyPathGradientTransform(NativePathGradient(), NativeOf<Gdiplus::GpMatrix>(matrix), order));
}

bool PathGradientBrush::TranslateTransform(float dx, float dy, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipTranslatePathGradientTransform(NativePathGradient(), dx, dy, order));
}

bool PathGradientBrush::ScaleTransform(float sx, float sy, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipScalePathGradientTransform(NativePathGradient(), sx, sy, order));
}

bool PathGradientBrush::RotateTransform(float angle, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipRotatePathGradientTransform(NativePathGradient(), angle, order));
}

bool PathGradientBrush::GetFocusScales(float& xScale, float& yScale) const {
  return StoreStatus(GdipGetPathGradientFocusScales(NativePathGradient(), &xScale, &yScale));
}

bool PathGradientBrush::SetFocusScales(float xScale, float yScale) {
  return StoreStatus(GdipSetPathGradientFocusScales(NativePathGradient(), xScale, yScale));
}

bool PathGradientBrush::CreateI(std::span<const Point> points, std::optional<Gdiplus::WrapMode> wrapMode) {
  Gdiplus::GpPathGradient* created = nullptr;
  return AdoptInto(*this,
                   GdipCreatePathGradientI(NativeArray(points), NativeCount(points), WrapModeOr(wrapMode),
                                           &created),
                   created);
}

int PathGradientBrush::GetPointCount() const {
  INT count = 0;
  StoreStatus(GdipGetPathGradientPointCount(NativePathGradient(), &count));
  return count;
}

int PathGradientBrush::GetSurroundColorCount() const {
  INT count = 0;
  StoreStatus(GdipGetPathGradientSurroundColorCount(NativePathGradient(), &count));
  return count;
}

Point PathGradientBrush::GetCenterPointI() const {
  Point centre;
  StoreStatus(GdipGetPathGradientCenterPointI(NativePathGradient(), ToNative(centre)));
  return centre;
}

bool PathGradientBrush::SetCenterPointI(const Point& centre) {
  return StoreStatus(GdipSetPathGradientCenterPointI(NativePathGradient(), ToNative(centre)));
}

Rect PathGradientBrush::GetRectI() const {
  Rect rect;
  StoreStatus(GdipGetPathGradientRectI(NativePathGradient(), ToNative(rect)));
  return rect;
}

bool PathGradientBrush::SetGammaCorrection(bool useGamma) {
  return StoreStatus(GdipSetPathGradientGammaCorrection(NativePathGradient(), useGamma));
}

bool PathGradientBrush::GetGammaCorrection() const {
  BOOL useGamma = FALSE;
  return StoreStatus(GdipGetPathGradientGammaCorrection(NativePathGradient(), &useGamma)) && useGamma;
}

bool PathGradientBrush::SetBlend(std::span<const float> factors, std::span<const float> positions) {
  if (positions.size() < factors.size()) return RefuseArgument();
  return StoreStatus(GdipSetPathGradientBlend(NativePathGradient(), DataOrNull(factors), DataOrNull(positions),
                                              NativeCount(factors)));
}

int PathGradientBrush::GetBlend(std::vector<float>& factors, std::vector<float>& positions) const {
  return FetchParallelLists(
      factors, positions,
      [this](INT* count) { return GdipGetPathGradientBlendCount(NativePathGradient(), count); },
      [this](float* f, float* p, INT count) {
        return GdipGetPathGradientBlend(NativePathGradient(), f, p, count);
      });
}

bool PathGradientBrush::ScaleAt(float sx, float sy, const PointF& centre, Gdiplus::MatrixOrder order) {
  auto* brush = NativePathGradient();
  return TransformAboutPoint(
      centre, order,
      [brush](float dx, float dy, Gdiplus::MatrixOrder o) {
        return GdipTranslatePathGradientTransform(brush, dx, dy, o);
      },
      [brush, sx, sy](Gdiplus::MatrixOrder o) { return GdipScalePathGradientTransform(brush, sx, sy, o); });
}

bool PathGradientBrush::RotateAt(float angle, const PointF& centre, Gdiplus::MatrixOrder order) {
  auto* brush = NativePathGradient();
  return TransformAboutPoint(
      centre, order,
      [brush](float dx, float dy, Gdiplus::MatrixOrder o) {
        return GdipTranslatePathGradientTransform(brush, dx, dy, o);
      },
      [brush, angle](Gdiplus::MatrixOrder o) { return GdipRotatePathGradientTransform(brush, angle, o); });
}

int PathGradientBrush::GetBlendCount() const {
  INT count = 0;
  StoreStatus(GdipGetPathGradientBlendCount(NativePathGradient(), &count));
  return count;
}

int PathGradientBrush::GetPresetBlendCount() const {
  INT count = 0;
  StoreStatus(GdipGetPathGradientPresetBlendCount(NativePathGradient(), &count));
  return count;
}

}  // namespace korvath::gdip
