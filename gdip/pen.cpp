#include "gdip/pen.h"

#include "gdip/brush.h"
#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

using namespace Gdiplus::DllExports;

namespace {

Gdiplus::LineCap NativeCap(int cap) { return static_cast<Gdiplus::LineCap>(cap); }
Gdiplus::DashCap NativeDashCap(int cap) { return static_cast<Gdiplus::DashCap>(cap); }

}  // namespace

bool Pen::Delete() { return DestroyWith(GdipDeletePen); }

bool Pen::CreateFromColor(Argb colour, float width, int unit) {
  Gdiplus::GpPen* created = nullptr;
  return AdoptInto(*this, GdipCreatePen1(colour, width, NativeUnit(unit), &created), created);
}

bool Pen::CreateFromBrush(const Brush& brush, float width, int unit) {
  Gdiplus::GpPen* created = nullptr;
  return AdoptInto(*this, GdipCreatePen2(brush.NativeBrush(), width, NativeUnit(unit), &created), created);
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

int Pen::GetUnit() const {
  Gdiplus::Unit unit = Gdiplus::UnitWorld;
  StoreStatus(GdipGetPenUnit(NativePen(), &unit));
  return unit;
}

bool Pen::SetUnit(float unit) {
  std::optional<int> whole = TruncateToInt(unit);
  if (!whole) return RefuseArgument();
  return StoreStatus(GdipSetPenUnit(NativePen(), NativeUnit(*whole)));
}

bool Pen::SetLineCap(int startCap, int endCap, int dashCap) {
  return StoreStatus(
      GdipSetPenLineCap197819(NativePen(), NativeCap(startCap), NativeCap(endCap), NativeDashCap(dashCap)));
}

bool Pen::SetStartCap(int cap) { return StoreStatus(GdipSetPenStartCap(NativePen(), NativeCap(cap))); }
bool Pen::SetEndCap(int cap) { return StoreStatus(GdipSetPenEndCap(NativePen(), NativeCap(cap))); }

bool Pen::SetDashCap(int dashCap) {
  return StoreStatus(GdipSetPenDashCap197819(NativePen(), NativeDashCap(dashCap)));
}

int Pen::GetStartCap() const {
  Gdiplus::LineCap cap = Gdiplus::LineCapFlat;
  StoreStatus(GdipGetPenStartCap(NativePen(), &cap));
  return cap;
}

int Pen::GetEndCap() const {
  Gdiplus::LineCap cap = Gdiplus::LineCapFlat;
  StoreStatus(GdipGetPenEndCap(NativePen(), &cap));
  return cap;
}

int Pen::GetDashCap() const {
  Gdiplus::DashCap cap = Gdiplus::DashCapFlat;
  StoreStatus(GdipGetPenDashCap197819(NativePen(), &cap));
  return cap;
}

bool Pen::SetLineJoin(int lineJoin) {
  return StoreStatus(GdipSetPenLineJoin(NativePen(), static_cast<Gdiplus::LineJoin>(lineJoin)));
}

int Pen::GetLineJoin() const {
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

bool Pen::SetMode(int alignment) {
  return StoreStatus(GdipSetPenMode(NativePen(), static_cast<Gdiplus::PenAlignment>(alignment)));
}

int Pen::GetMode() const {
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

bool Pen::MultiplyTransform(const GdipBase& matrix, int order) {
  return StoreStatus(GdipMultiplyPenTransform(NativePen(), NativeOf<Gdiplus::GpMatrix>(matrix), NativeOrder(order)));
}

bool Pen::RotateTransform(float angle, int order) {
  return StoreStatus(GdipRotatePenTransform(NativePen(), angle, NativeOrder(order)));
}

bool Pen::ScaleTransform(float sx, float sy, int order) {
  return StoreStatus(GdipScalePenTransform(NativePen(), sx, sy, NativeOrder(order)));
}

bool Pen::TranslateTransform(float dx, float dy, int order) {
  return StoreStatus(GdipTranslatePenTransform(NativePen(), dx, dy, NativeOrder(order)));
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

int Pen::GetFillType() const {
  Gdiplus::PenType type = Gdiplus::PenTypeSolidColor;
  StoreStatus(GdipGetPenFillType(NativePen(), &type));
  return type;
}

bool Pen::SetDashStyle(int dashStyle) {
  return StoreStatus(GdipSetPenDashStyle(NativePen(), static_cast<Gdiplus::DashStyle>(dashStyle)));
}

float Pen::GetDashOffset() const {
  float offset = 0;
  StoreStatus(GdipGetPenDashOffset(NativePen(), &offset));
  return offset;
}

bool Pen::SetDashOffset(float offset) { return StoreStatus(GdipSetPenDashOffset(NativePen(), offset)); }

int Pen::GetDashStyle() const {
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

int Pen::GetDashCap2() const { return GetDashCap(); }

bool Pen::SetLineCap2(int startCap, int endCap, int dashCap) { return SetLineCap(startCap, endCap, dashCap); }

bool Pen::ScaleAt(float sx, float sy, const PointF& centre, int order) {
  auto* pen = NativePen();
  return TransformAboutPoint(
      centre, order,
      [pen](float dx, float dy, Gdiplus::MatrixOrder o) { return GdipTranslatePenTransform(pen, dx, dy, o); },
      [pen, sx, sy](Gdiplus::MatrixOrder o) { return GdipScalePenTransform(pen, sx, sy, o); });
}

bool Pen::RotateAt(float angle, const PointF& centre, int order) {
  auto* pen = NativePen();
  return TransformAboutPoint(
      centre, order,
      [pen](float dx, float dy, Gdiplus::MatrixOrder o) { return GdipTranslatePenTransform(pen, dx, dy, o); },
      [pen, angle](Gdiplus::MatrixOrder o) { return GdipRotatePenTransform(pen, angle, o); });
}

}  // namespace korvath::gdip
