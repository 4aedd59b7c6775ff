#include "gdip/pen.h"

#include "gdip/brush.h"
#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

using namespace Gdiplus::DllExports;

bool Pen::Delete() { return DestroyWith(GdipDeletePen); }

bool Pen::CreateFromColor(Argb colour, float width, Gdiplus::Unit unit) {
  Gdiplus::GpPen* created = nullptr;
  return AdoptInto(*this, GdipCreatePen1(colour, width, unit, &created), created);
}

bool Pen::CreateFromBrush(const Brush& brush, float width, Gdiplus::Unit unit) {
  Gdiplus::GpPen* created = nullptr;
  return AdoptInto(*this, GdipCreatePen2(brush.NativeBrush(), width, unit, &created), created);
}

bool Pen::Clone(Pen& target) const {
  Gdiplus::GpPen* copy = nullptr;
  return AdoptInto(target, GdipClonePen(NativePen(), &copy), copy);
}

float Pen::GetWidth() const {
  float width = 0;
  StoreStatus(GdipGetPenWidth(NativePen(), &width));
  return width;
}

bool Pen::SetWidth(float width) { return StoreStatus(GdipSetPenWidth(NativePen(), width)); }

Gdiplus::Unit Pen::GetUnit() const {
  Gdiplus::Unit unit = Gdiplus::UnitWorld;
  StoreStatus(GdipGetPenUnit(NativePen(), &unit));
  return unit;
}

bool Pen::SetUnit(float unit) {
  std::optional<int> whole = TruncateToInt(unit);
  if (!whole) return RefuseArgument();
  return StoreStatus(GdipSetPenUnit(NativePen(), static_cast<Gdiplus::Unit>(*whole)));
}

bool Pen::SetLineCap(Gdiplus::LineCap startCap, Gdiplus::LineCap endCap, Gdiplus::DashCap dashCap) {
  return StoreStatus(GdipSetPenLineCap197819(NativePen(), startCap, endCap, dashCap));
}

bool Pen::SetStartCap(Gdiplus::LineCap cap) { return StoreStatus(GdipSetPenStartCap(NativePen(), cap)); }
bool Pen::SetEndCap(Gdiplus::LineCap cap) { return StoreStatus(GdipSetPenEndCap(NativePen(), cap)); }

bool Pen::SetDashCap(Gdiplus::DashCap dashCap) {
  return StoreStatus(GdipSetPenDashCap197819(NativePen(), dashCap));
}

Gdiplus::LineCap Pen::GetStartCap() const {
  Gdiplus::LineCap cap = Gdiplus::LineCapFlat;
  StoreStatus(GdipGetPenStartCap(NativePen(), &cap));
  return cap;
}

Gdiplus::LineCap Pen::GetEndCap() const {
  Gdiplus::LineCap cap = Gdiplus::LineCapFlat;
  StoreStatus(GdipGetPenEndCap(NativePen(), &cap));
  return cap;
}

Gdiplus::DashCap Pen::GetDashCap() const {
  Gdiplus::DashCap cap = Gdiplus::DashCapFlat;
  StoreStatus(GdipGetPenDashCap197819(NativePen(), &cap));
  return cap;
}

bool Pen::SetLineJoin(Gdiplus::LineJoin lineJoin) {
  return StoreStatus(GdipSetPenLineJoin(NativePen(), lineJoin));
}

Gdiplus::LineJoin Pen::GetLineJoin() const {
  Gdiplus::LineJoin lineJoin = Gdiplus::LineJoinMiter;
  StoreStatus(GdipGetPenLineJoin(NativePen(), &lineJoin));
  return lineJoin;
}

bool Pen::SetMiterLimit(float limit) { return StoreStatus(GdipSetPenMiterLimit(NativePen(), limit)); }

float Pen::GetMiterLimit() const {
  float limit = 0;
  StoreStatus(GdipGetPenMiterLimit(NativePen(), &limit));
  return limit;
}

bool Pen::SetMode(Gdiplus::PenAlignment alignment) {
  return StoreStatus(GdipSetPenMode(NativePen(), alignment));
}

Gdiplus::PenAlignment Pen::GetMode() const {
  Gdiplus::PenAlignment alignment = Gdiplus::PenAlignmentCenter;
  StoreStatus(GdipGetPenMode(NativePen(), &alignment));
  return alignment;
}

bool Pen::SetTransform(const GdipBase& matrix) {
  return StoreStatus(GdipSetPenTransform(NativePen(), NativeOf<Gdiplus::GpMatrix>(matrix)));
}

bool Pen::GetTransform(GdipBase& matrix) const {
  return StoreStatus(GdipGetPenTransform(NativePen(), NativeOf<Gdiplus::GpMatrix>(matrix)));
}

bool Pen::ResetTransform() { return StoreStatus(GdipResetPenTransform(NativePen())); }

bool Pen::MultiplyTransform(const GdipBase& matrix, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipMultiplyPenTransform(NativePen(), NativeOf<Gdiplus::GpMatrix>(matrix), order));
}

bool Pen::RotateTransform(float angle, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipRotatePenTransform(NativePen(), angle, order));
}

bool Pen::ScaleTransform(float sx, float sy, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipScalePenTransform(NativePen(), sx, sy, order));
}

bool Pen::TranslateTransform(float dx, float dy, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipTranslatePenTransform(NativePen(), dx, dy, order));
}

Argb Pen::GetColor() const {
  Gdiplus::ARGB colour = 0;
  StoreStatus(GdipGetPenColor(NativePen(), &colour));
  return colour;
}

bool Pen::SetColor(Argb colour) { return StoreStatus(GdipSetPenColor(NativePen(), colour)); }

bool Pen::SetBrushFill(const Brush& brush) {
  return StoreStatus(GdipSetPenBrushFill(NativePen(), brush.NativeBrush()));
}

bool Pen::GetBrushFill(Brush& target) const {
  Gdiplus::GpBrush* fill = nullptr;
  return AdoptInto(target, GdipGetPenBrushFill(NativePen(), &fill), fill);
}

Gdiplus::PenType Pen::GetFillType() const {
  Gdiplus::PenType type = Gdiplus::PenTypeSolidColor;
  StoreStatus(GdipGetPenFillType(NativePen(), &type));
  return type;
}

bool Pen::SetDashStyle(Gdiplus::DashStyle dashStyle) {
  return StoreStatus(GdipSetPenDashStyle(NativePen(), dashStyle));
}

float Pen::GetDashOffset() const {
  float offset = 0;
  StoreStatus(GdipGetPenDashOffset(NativePen(), &offset));
  return offset;
}

bool Pen::SetDashOffset(float offset) { return StoreStatus(GdipSetPenDashOffset(NativePen(), offset)); }

Gdiplus::DashStyle Pen::GetDashStyle() const {
  Gdiplus::DashStyle style = Gdiplus::DashStyleSolid;
  StoreStatus(GdipGetPenDashStyle(NativePen(), &style));
  return style;
}

int Pen::GetDashArray(std::vector<float>& dashes) const {
  return FetchList(
      dashes, [this](INT* count) { return GdipGetPenDashCount(NativePen(), count); },
      [this](float* buffer, INT count) { return GdipGetPenDashArray(NativePen(), buffer, count); });
}

bool Pen::SetDashArray(std::span<const float> dashes) {
  return StoreStatus(GdipSetPenDashArray(NativePen(), DataOrNull(dashes), NativeCount(dashes)));
}

bool Pen::SetCompoundArray(std::span<const float> stripes) {
  return StoreStatus(GdipSetPenCompoundArray(NativePen(), DataOrNull(stripes), NativeCount(stripes)));
}

int Pen::GetCompoundArray(std::vector<float>& stripes) const {
  return FetchList(
      stripes, [this](INT* count) { return GdipGetPenCompoundCount(NativePen(), count); },
      [this](float* buffer, INT count) { return GdipGetPenCompoundArray(NativePen(), buffer, count); });
}

Gdiplus::DashCap Pen::GetDashCap2() const { return GetDashCap(); }

bool Pen::SetLineCap2(Gdiplus::LineCap startCap, Gdiplus::LineCap endCap, Gdiplus::DashCap dashCap) {
  return SetLineCap(startCap, endCap, dashCap);
}

bool Pen::ScaleAt(float sx, float sy, const PointF& centre, Gdiplus::MatrixOrder order) {
  auto* pen = NativePen();
  return TransformAboutPoint(
      centre, order,
      [pen](float dx, float dy, Gdiplus::MatrixOrder o) { return GdipTranslatePenTransform(pen, dx, dy, o); },
      [pen, sx, sy](Gdiplus::MatrixOrder o) { return GdipScalePenTransform(pen, sx, sy, o); });
}

bool Pen::RotateAt(float angle, const PointF& centre, Gdiplus::MatrixOrder order) {
  auto* pen = NativePen();
  return TransformAboutPoint(
      centre, order,
      [pen](float dx, float dy, Gdiplus::MatrixOrder o) { return GdipTranslatePenTransform(pen, dx, dy, o); },
      [pen, angle](Gdiplus::MatrixOrder o) { return GdipRotatePenTransform(pen, angle, o); });
}

}  // namespace korvath::gdip
