// Graphics: creation and release, rendering state, clipping, states and
// containers, transforms and page settings.
#include "gdip/graphics.h"

#include "gdip/graphics_path.h"
#include "gdip/image.h"
#include "gdip/region.h"
#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

using namespace Gdiplus::DllExports;

// ---- creation and release ----------------------------------------------------

bool Graphics::FromHWND(HWND window, bool useICM) {
  Gdiplus::GpGraphics* created = nullptr;
  auto create = useICM ? GdipCreateFromHWNDICM : GdipCreateFromHWND;
  return AdoptInto(*this, create(window, &created), created);
}

bool Graphics::Delete() { return DestroyWith(GdipDeleteGraphics); }

bool Graphics::FromHDC(HDC dc, std::optional<HANDLE> device) {
  Gdiplus::GpGraphics* created = nullptr;
  Gdiplus::GpStatus status = device ? GdipCreateFromHDC2(dc, *device, &created) : GdipCreateFromHDC(dc, &created);
  return AdoptInto(*this, status, created);
}

HDC Graphics::GetDC() {
  HDC dc = nullptr;
  StoreStatus(GdipGetDC(NativeGraphics(), &dc));
  return dc;
}

bool Graphics::ReleaseDC(HDC dc) { return StoreStatus(GdipReleaseDC(NativeGraphics(), dc)); }

bool Graphics::FromImage(const Image& image) {
  Gdiplus::GpGraphics* created = nullptr;
  return AdoptInto(*this, GdipGetImageGraphicsContext(image.NativeImage(), &created), created);
}

// ---- rendering state -----------------------------------------------------------

Gdiplus::CompositingMode Graphics::GetCompositingMode() const {
  Gdiplus::CompositingMode mode = Gdiplus::CompositingModeSourceOver;
  StoreStatus(GdipGetCompositingMode(NativeGraphics(), &mode));
  return mode;
}

bool Graphics::SetCompositingMode(Gdiplus::CompositingMode mode) {
  return StoreStatus(GdipSetCompositingMode(NativeGraphics(), mode));
}

bool Graphics::GetRenderingOrigin(int& x, int& y) const {
  return StoreStatus(GdipGetRenderingOrigin(NativeGraphics(), &x, &y));
}

bool Graphics::SetRenderingOrigin(int x, int y) { return StoreStatus(GdipSetRenderingOrigin(NativeGraphics(), x, y)); }

Gdiplus::CompositingQuality Graphics::GetCompositingQuality() const {
  Gdiplus::CompositingQuality quality = Gdiplus::CompositingQualityDefault;
  StoreStatus(GdipGetCompositingQuality(NativeGraphics(), &quality));
  return quality;
}

bool Graphics::SetCompositingQuality(Gdiplus::CompositingQuality quality) {
  return StoreStatus(GdipSetCompositingQuality(NativeGraphics(), quality));
}

bool Graphics::SetSmoothingMode(Gdiplus::SmoothingMode mode) {
  return StoreStatus(GdipSetSmoothingMode(NativeGraphics(), mode));
}

Gdiplus::SmoothingMode Graphics::GetSmoothingMode() const {
  Gdiplus::SmoothingMode mode = Gdiplus::SmoothingModeDefault;
  StoreStatus(GdipGetSmoothingMode(NativeGraphics(), &mode));
  return mode;
}

bool Graphics::SetTextRenderingHint(Gdiplus::TextRenderingHint hint) {
  return StoreStatus(GdipSetTextRenderingHint(NativeGraphics(), hint));
}

Gdiplus::TextRenderingHint Graphics::GetTextRenderingHint() const {
  Gdiplus::TextRenderingHint hint = Gdiplus::TextRenderingHintSystemDefault;
  StoreStatus(GdipGetTextRenderingHint(NativeGraphics(), &hint));
  return hint;
}

float Graphics::GetDpiX() const {
  float dpi = 0;
  StoreStatus(GdipGetDpiX(NativeGraphics(), &dpi));
  return dpi;
}

float Graphics::GetDpiY() const {
  float dpi = 0;
  StoreStatus(GdipGetDpiY(NativeGraphics(), &dpi));
  return dpi;
}

// ---- clipping --------------------------------------------------------------------

bool Graphics::SetClip(const Graphics& other, Gdiplus::CombineMode combineMode) {
  return StoreStatus(GdipSetClipGraphics(NativeGraphics(), other.NativeGraphics(), combineMode));
}

bool Graphics::SetClipPath(const GraphicsPath& path, Gdiplus::CombineMode combineMode) {
  return StoreStatus(GdipSetClipPath(NativeGraphics(), path.NativePath(), combineMode));
}

bool Graphics::SetClipRect(float x, float y, float width, float height, Gdiplus::CombineMode combineMode) {
  return StoreStatus(GdipSetClipRect(NativeGraphics(), x, y, width, height, combineMode));
}

bool Graphics::SetClipRegion(const Region& region, Gdiplus::CombineMode combineMode) {
  return StoreStatus(GdipSetClipRegion(NativeGraphics(), region.NativeRegion(), combineMode));
}

bool Graphics::SetClipHrgn(HRGN region, Gdiplus::CombineMode combineMode) {
  return StoreStatus(GdipSetClipHrgn(NativeGraphics(), region, combineMode));
}

bool Graphics::ResetClip() { return StoreStatus(GdipResetClip(NativeGraphics())); }

bool Graphics::TranslateClip(float dx, float dy) { return StoreStatus(GdipTranslateClip(NativeGraphics(), dx, dy)); }

bool Graphics::GetClip(Region& region) const {
  return StoreStatus(GdipGetClip(NativeGraphics(), region.NativeRegion()));
}

RectF Graphics::GetClipBounds() const {
  RectF bounds;
  StoreStatus(GdipGetClipBounds(NativeGraphics(), ToNative(bounds)));
  return bounds;
}

bool Graphics::IsClipEmpty() const {
  BOOL empty = FALSE;
  return StoreStatus(GdipIsClipEmpty(NativeGraphics(), &empty)) && empty;
}

bool Graphics::IsVisiblePoint(float x, float y) const {
  BOOL visible = FALSE;
  return StoreStatus(GdipIsVisiblePoint(NativeGraphics(), x, y, &visible)) && visible;
}

bool Graphics::IsVisibleRect(float x, float y, float width, float height) const {
  BOOL visible = FALSE;
  return StoreStatus(GdipIsVisibleRect(NativeGraphics(), x, y, width, height, &visible)) && visible;
}

bool Graphics::IsVisibleClipEmpty() const {
  BOOL empty = FALSE;
  return StoreStatus(GdipIsVisibleClipEmpty(NativeGraphics(), &empty)) && empty;
}

RectF Graphics::GetVisibleClipBounds() const {
  RectF bounds;
  StoreStatus(GdipGetVisibleClipBounds(NativeGraphics(), ToNative(bounds)));
  return bounds;
}

bool Graphics::SetClipRectI(int x, int y, int width, int height, Gdiplus::CombineMode combineMode) {
  return StoreStatus(GdipSetClipRectI(NativeGraphics(), x, y, width, height, combineMode));
}

bool Graphics::TranslateClipI(int dx, int dy) { return StoreStatus(GdipTranslateClipI(NativeGraphics(), dx, dy)); }

Rect Graphics::GetClipBoundsI() const {
  Rect bounds;
  StoreStatus(GdipGetClipBoundsI(NativeGraphics(), ToNative(bounds)));
  return bounds;
}

Rect Graphics::GetVisibleClipBoundsI() const {
  Rect bounds;
  StoreStatus(GdipGetVisibleClipBoundsI(NativeGraphics(), ToNative(bounds)));
  return bounds;
}

bool Graphics::IsVisiblePointI(int x, int y) const {
  BOOL visible = FALSE;
  return StoreStatus(GdipIsVisiblePointI(NativeGraphics(), x, y, &visible)) && visible;
}

bool Graphics::IsVisibleRectI(int x, int y, int width, int height) const {
  BOOL visible = FALSE;
  return StoreStatus(GdipIsVisibleRectI(NativeGraphics(), x, y, width, height, &visible)) && visible;
}

// ---- states and containers ---------------------------------------------------------

uint32_t Graphics::Save() {
  Gdiplus::GraphicsState state = 0;
  StoreStatus(GdipSaveGraphics(NativeGraphics(), &state));
  return state;
}

bool Graphics::Restore(uint32_t state) { return StoreStatus(GdipRestoreGraphics(NativeGraphics(), state)); }

uint32_t Graphics::BeginContainer(const RectF& destination, const RectF& source, Gdiplus::Unit unit) {
  Gdiplus::GraphicsContainer state = 0;
  StoreStatus(GdipBeginContainer(NativeGraphics(), ToNative(destination), ToNative(source), unit, &state));
  return state;
}

uint32_t Graphics::BeginContainer2() {
  Gdiplus::GraphicsContainer state = 0;
  StoreStatus(GdipBeginContainer2(NativeGraphics(), &state));
  return state;
}

bool Graphics::EndContainer(uint32_t state) { return StoreStatus(GdipEndContainer(NativeGraphics(), state)); }

uint32_t Graphics::BeginContainerI(const Rect& destination, const Rect& source, Gdiplus::Unit unit) {
  Gdiplus::GraphicsContainer state = 0;
  StoreStatus(GdipBeginContainerI(NativeGraphics(), ToNative(destination), ToNative(source), unit, &state));
  return state;
}

bool Graphics::SetInterpolationMode(Gdiplus::InterpolationMode mode) {
  return StoreStatus(GdipSetInterpolationMode(NativeGraphics(), mode));
}

Gdiplus::InterpolationMode Graphics::GetInterpolationMode() const {
  Gdiplus::InterpolationMode mode = Gdiplus::InterpolationModeDefault;
  StoreStatus(GdipGetInterpolationMode(NativeGraphics(), &mode));
  return mode;
}

bool Graphics::SetPixelOffsetMode(Gdiplus::PixelOffsetMode mode) {
  return StoreStatus(GdipSetPixelOffsetMode(NativeGraphics(), mode));
}

Gdiplus::PixelOffsetMode Graphics::GetPixelOffsetMode() const {
  Gdiplus::PixelOffsetMode mode = Gdiplus::PixelOffsetModeDefault;
  StoreStatus(GdipGetPixelOffsetMode(NativeGraphics(), &mode));
  return mode;
}

// ---- transforms and page settings ----------------------------------------------------

bool Graphics::SetWorldTransform(const GdipBase& matrix) {
  return StoreStatus(GdipSetWorldTransform(NativeGraphics(), NativeOf<Gdiplus::GpMatrix>(matrix)));
}

bool Graphics::GetWorldTransform(GdipBase& matrix) const {
  return StoreStatus(GdipGetWorldTransform(NativeGraphics(), NativeOf<Gdiplus::GpMatrix>(matrix)));
}

bool Graphics::ResetWorldTransform() { return StoreStatus(GdipResetWorldTransform(NativeGraphics())); }

bool Graphics::MultiplyWorldTransform(const GdipBase& matrix, Gdiplus::MatrixOrder order) {
  return StoreStatus(
      GdipMultiplyWorldTransform(NativeGraphics(), NativeOf<Gdiplus::GpMatrix>(matrix), order));
}

bool Graphics::RotateWorldTransform(float angle, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipRotateWorldTransform(NativeGraphics(), angle, order));
}

bool Graphics::TranslateWorldTransform(float dx, float dy, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipTranslateWorldTransform(NativeGraphics(), dx, dy, order));
}

bool Graphics::ScaleWorldTransform(float sx, float sy, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipScaleWorldTransform(NativeGraphics(), sx, sy, order));
}

bool Graphics::ScaleAt(float sx, float sy, const PointF& centre, Gdiplus::MatrixOrder order) {
  auto* graphics = NativeGraphics();
  return TransformAboutPoint(
      centre, order,
      [graphics](float dx, float dy, Gdiplus::MatrixOrder o) {
        return GdipTranslateWorldTransform(graphics, dx, dy, o);
      },
      [graphics, sx, sy](Gdiplus::MatrixOrder o) { return GdipScaleWorldTransform(graphics, sx, sy, o); });
}

bool Graphics::RotateAt(float angle, const PointF& centre, Gdiplus::MatrixOrder order) {
  auto* graphics = NativeGraphics();
  return TransformAboutPoint(
      centre, order,
      [graphics](float dx, float dy, Gdiplus::MatrixOrder o) {
        return GdipTranslateWorldTransform(graphics, dx, dy, o);
      },
      [graphics, angle](Gdiplus::MatrixOrder o) { return GdipRotateWorldTransform(graphics, angle, o); });
}

bool Graphics::SetPageUnit(Gdiplus::Unit unit) {
  return StoreStatus(GdipSetPageUnit(NativeGraphics(), unit));
}

Gdiplus::Unit Graphics::GetPageUnit() const {
  Gdiplus::Unit unit = Gdiplus::UnitWorld;
  StoreStatus(GdipGetPageUnit(NativeGraphics(), &unit));
  return unit;
}

bool Graphics::SetPageScale(float scale) { return StoreStatus(GdipSetPageScale(NativeGraphics(), scale)); }

float Graphics::GetPageScale() const {
  float scale = 0;
  StoreStatus(GdipGetPageScale(NativeGraphics(), &scale));
  return scale;
}

bool Graphics::TransformPoints(Gdiplus::CoordinateSpace destinationSpace,
                               Gdiplus::CoordinateSpace sourceSpace, std::span<PointF> points) const {
  return StoreStatus(GdipTransformPoints(NativeGraphics(), destinationSpace, sourceSpace, NativeArray(points),
                                         NativeCount(points)));
}

bool Graphics::TransformPointsI(Gdiplus::CoordinateSpace destinationSpace,
                                Gdiplus::CoordinateSpace sourceSpace, std::span<Point> points) const {
  return StoreStatus(GdipTransformPointsI(NativeGraphics(), destinationSpace, sourceSpace,
                                          NativeArray(points), NativeCount(points)));
}

Argb Graphics::GetNearestColor(Argb colour) const {
  Gdiplus::ARGB nearest = colour;
  StoreStatus(GdipGetNearestColor(NativeGraphics(), &nearest));
  return nearest;
}

// ---- the rest ------------------------------------------------------------------------

bool Graphics::Comment(std::span<const uint8_t> data) {
  return StoreStatus(GdipComment(NativeGraphics(), static_cast<UINT>(data.size()), DataOrNull(data)));
}

bool Graphics::SetTextContrast(int contrast) {
  return StoreStatus(GdipSetTextContrast(NativeGraphics(), static_cast<UINT>(contrast)));
}

int Graphics::GetTextContrast() const {
  UINT contrast = 0;
  StoreStatus(GdipGetTextContrast(NativeGraphics(), &contrast));
  return static_cast<int>(contrast);
}

void Graphics::Flush(Gdiplus::FlushIntention intention) {
  StoreStatus(GdipFlush(NativeGraphics(), intention));
}

}  // namespace korvath::gdip
