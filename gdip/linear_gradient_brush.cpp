#include "gdip/linear_gradient_brush.h"

#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

using namespace Gdiplus::DllExports;

namespace {

constexpr auto kTile = Gdiplus::WrapModeTile;

}  // namespace

bool LinearGradientBrush::CreateFromPoints(const PointF& point1, const PointF& point2, Argb colour1,
                                           Argb colour2) {
  Gdiplus::GpLineGradient* created = nullptr;
  return AdoptInto(*this,
                   GdipCreateLineBrush(ToNative(point1), ToNative(point2), colour1, colour2, kTile,
                                       &created),
                   created);
}

bool LinearGradientBrush::CreateFromRect(const RectF& rect, Argb colour1, Argb colour2,
                                         Gdiplus::LinearGradientMode mode) {
  Gdiplus::GpLineGradient* created = nullptr;
  return AdoptInto(
      *this, GdipCreateLineBrushFromRect(ToNative(rect), colour1, colour2, mode, kTile, &created), created);
}

bool LinearGradientBrush::CreateFromRectWithAngle(const RectF& rect, Argb colour1, Argb colour2,
                                                  float angle, bool angleScalable) {
  Gdiplus::GpLineGradient* created = nullptr;
  return AdoptInto(*this,
                   GdipCreateLineBrushFromRectWithAngle(ToNative(rect), colour1, colour2, angle,
                                                        angleScalable, kTile, &created),
                   created);
}

bool LinearGradientBrush::GetColors(Argb& colour1, Argb& colour2) const {
  Gdiplus::ARGB colours[2] = {0, 0};
  bool ok = StoreStatus(GdipGetLineColors(NativeLineGradient(), colours));
  colour1 = colours[0];
  colour2 = colours[1];
  return ok;
}

bool LinearGradientBrush::SetColors(Argb colour1, Argb colour2) {
  return StoreStatus(GdipSetLineColors(NativeLineGradient(), colour1, colour2));
}

RectF LinearGradientBrush::GetRect() const {
  RectF rect;
  StoreStatus(GdipGetLineRect(NativeLineGradient(), ToNative(rect)));
  return rect;
}

bool LinearGradientBrush::SetGammaCorrection(bool useGamma) {
  return StoreStatus(GdipSetLineGammaCorrection(NativeLineGradient(), useGamma));
}

bool LinearGradientBrush::GetGammaCorrection() const {
  BOOL useGamma = FALSE;
  return StoreStatus(GdipGetLineGammaCorrection(NativeLineGradient(), &useGamma)) && useGamma;
}

bool LinearGradientBrush::SetBlend(std::span<const float> factors, std::span<const float> positions) {
  if (positions.size() < factors.size()) return RefuseArgument();
  return StoreStatus(GdipSetLineBlend(NativeLineGradient(), DataOrNull(factors),
                                      DataOrNull(positions),
                                      NativeCount(factors)));
}

int LinearGradientBrush::GetBlend(std::vector<float>& factors, std::vector<float>& positions) const {
  return FetchParallelLists(
      factors, positions,
      [this](INT* count) { return GdipGetLineBlendCount(NativeLineGradient(), count); },
      [this](float* f, float* p, INT count) { return GdipGetLineBlend(NativeLineGradient(), f, p, count); });
}

bool LinearGradientBrush::SetPresetBlend(std::span<const Argb> colours, std::span<const float> positions) {
  if (positions.size() < colours.size()) return RefuseArgument();
  return StoreStatus(GdipSetLinePresetBlend(NativeLineGradient(), NativeColors(colours),
                                            DataOrNull(positions),
                                            NativeCount(colours)));
}

int LinearGradientBrush::GetPresetBlend(std::vector<Argb>& colours, std::vector<float>& positions) const {
  return FetchParallelLists(
      colours, positions,
      [this](INT* count) { return GdipGetLinePresetBlendCount(NativeLineGradient(), count); },
      [this](Argb* c, float* p, INT count) {
        return GdipGetLinePresetBlend(NativeLineGradient(), reinterpret_cast<Gdiplus::ARGB*>(c), p, count);
      });
}

bool LinearGradientBrush::SetSigmaBlend(float focus, float scale) {
  return StoreStatus(GdipSetLineSigmaBlend(NativeLineGradient(), focus, scale));
}

bool LinearGradientBrush::SetLinearBlend(float focus, float scale) {
  return StoreStatus(GdipSetLineLinearBlend(NativeLineGradient(), focus, scale));
}

Gdiplus::WrapMode LinearGradientBrush::GetWrapMode() const {
  Gdiplus::WrapMode mode = Gdiplus::WrapModeTile;
  StoreStatus(GdipGetLineWrapMode(NativeLineGradient(), &mode));
  return mode;
}

bool LinearGradientBrush::SetWrapMode(Gdiplus::WrapMode mode) {
  return StoreStatus(GdipSetLineWrapMode(NativeLineGradient(), mode));
}

bool LinearGradientBrush::GetTransform(GdipBase& matrix) const {
  return StoreStatus(GdipGetLineTransform(NativeLineGradient(), NativeOf<Gdiplus::GpMatrix>(matrix)));
}

bool LinearGradientBrush::SetTransform(const GdipBase& matrix) {
  return StoreStatus(GdipSetLineTransform(NativeLineGradient(), NativeOf<Gdiplus::GpMatrix>(matrix)));
}

bool LinearGradientBrush::ResetTransform() {
  return StoreStatus(GdipResetLineTransform(NativeLineGradient()));
}

bool LinearGradientBrush::MultiplyTransform(const GdipBase& matrix, Gdiplus::MatrixOrder order) {
  return StoreStatus(
      GdipMultiplyLineTransform(NativeLineGradient(), NativeOf<Gdiplus::GpMatrix>(matrix), order));
}

bool LinearGradientBrush::TranslateTransform(float dx, float dy, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipTranslateLineTransform(NativeLineGradient(), dx, dy, order));
}

bool LinearGradientBrush::ScaleTransform(float sx, float sy, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipScaleLineTransform(NativeLineGradient(), sx, sy, order));
}

bool LinearGradientBrush::RotateTransform(float angle, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipRotateLineTransform(NativeLineGradient(), angle, order));
}

bool LinearGradientBrush::CreateFromPointsI(const Point& point1, const Point& point2, Argb colour1,
                                            Argb colour2) {
  Gdiplus::GpLineGradient* created = nullptr;
  return AdoptInto(*this,
                   GdipCreateLineBrushI(ToNative(point1), ToNative(point2), colour1, colour2, kTile,
                                        &created),
                   created);
}

bool LinearGradientBrush::CreateFromRectI(const Rect& rect, Argb colour1, Argb colour2,
                                          Gdiplus::LinearGradientMode mode) {
  Gdiplus::GpLineGradient* created = nullptr;
  return AdoptInto(
      *this, GdipCreateLineBrushFromRectI(ToNative(rect), colour1, colour2, mode, kTile, &created), created);
}

bool LinearGradientBrush::CreateFromRectWithAngleI(const Rect& rect, Argb colour1, Argb colour2,
                                                   float angle, bool angleScalable) {
  Gdiplus::GpLineGradient* created = nullptr;
  return AdoptInto(*this,
                   GdipCreateLineBrushFromRectWithAngleI(ToNative(rect), colour1, colour2, angle,
                                                         angleScalable, kTile, &created),
                   created);
}

Rect LinearGradientBrush::GetRectI() const {
  Rect rect;
  StoreStatus(GdipGetLineRectI(NativeLineGradient(), ToNative(rect)));
  return rect;
}

bool LinearGradientBrush::ScaleAt(float sx, float sy, const PointF& centre, Gdiplus::MatrixOrder order) {
  auto* brush = NativeLineGradient();
  return TransformAboutPoint(
      centre, order,
      [brush](float dx, float dy, Gdiplus::MatrixOrder o) { return GdipTranslateLineTransform(brush, dx, dy, o); },
      [brush, sx, sy](Gdiplus::MatrixOrder o) { return GdipScaleLineTransform(brush, sx, sy, o); });
}

bool LinearGradientBrush::RotateAt(float angle, const PointF& centre, Gdiplus::MatrixOrder order) {
  auto* brush = NativeLineGradient();
  return TransformAboutPoint(
      centre, order,
      [brush](float dx, float dy, Gdiplus::MatrixOrder o) { return GdipTranslateLineTransform(brush, dx, dy, o); },
      [brush, angle](Gdiplus::MatrixOrder o) { return GdipRotateLineTransform(brush, angle, o); });
}

int LinearGradientBrush::GetBlendCount() const {
  INT count = 0;
  StoreStatus(GdipGetLineBlendCount(NativeLineGradient(), &count));
  return count;
}

}  // namespace korvath::gdip
