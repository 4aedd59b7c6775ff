#include "gdip/texture_brush.h"

#include "gdip/image.h"
#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

using namespace Gdiplus::DllExports;

bool TextureBrush::Create(const Image& image, Gdiplus::WrapMode wrapMode) {
  Gdiplus::GpTexture* created = nullptr;
  return AdoptInto(*this, GdipCreateTexture(image.NativeImage(), wrapMode, &created), created);
}

bool TextureBrush::CreateFromRect(const Image& image, float x, float y, float width, float height,
                                  Gdiplus::WrapMode wrapMode) {
  Gdiplus::GpTexture* created = nullptr;
  return AdoptInto(*this, GdipCreateTexture2(image.NativeImage(), wrapMode, x, y, width, height, &created),
                   created);
}

bool TextureBrush::CreateWithAttributes(const Image& image, float x, float y, float width, float height,
                                        const GdipBase* attributes) {
  Gdiplus::GpTexture* created = nullptr;
  return AdoptInto(*this,
                   GdipCreateTextureIA(image.NativeImage(), NativeOf<Gdiplus::GpImageAttributes>(attributes), x, y,
                                       width, height, &created),
                   created);
}

bool TextureBrush::GetTransform(GdipBase& matrix) const {
  return StoreStatus(GdipGetTextureTransform(NativeTexture(), NativeOf<Gdiplus::GpMatrix>(matrix)));
}

bool TextureBrush::SetTransform(const GdipBase& matrix) {
  return StoreStatus(GdipSetTextureTransform(NativeTexture(), NativeOf<Gdiplus::GpMatrix>(matrix)));
}

bool TextureBrush::ResetTransform() { return StoreStatus(GdipResetTextureTransform(NativeTexture())); }

bool TextureBrush::MultiplyTransform(const GdipBase& matrix, Gdiplus::MatrixOrder order) {
  return StoreStatus(
      GdipMultiplyTextureTransform(NativeTexture(), NativeOf<Gdiplus::GpMatrix>(matrix), order));
}

bool TextureBrush::TranslateTransform(float dx, float dy, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipTranslateTextureTransform(NativeTexture(), dx, dy, order));
}

bool TextureBrush::ScaleTransform(float sx, float sy, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipScaleTextureTransform(NativeTexture(), sx, sy, order));
}

bool TextureBrush::RotateTransform(float angle, Gdiplus::MatrixOrder order) {
  return StoreStatus(GdipRotateTextureTransform(NativeTexture(), angle, order));
}

Gdiplus::WrapMode TextureBrush::GetWrapMode() const {
  Gdiplus::WrapMode mode = Gdiplus::WrapModeTile;
  StoreStatus(GdipGetTextureWrapMode(NativeTexture(), &mode));
  return mode;
}

bool TextureBrush::SetWrapMode(Gdiplus::WrapMode mode) {
  return StoreStatus(GdipSetTextureWrapMode(NativeTexture(), mode));
}

bool TextureBrush::GetImage(Image& target) const {
  Gdiplus::GpImage* image = nullptr;
  return AdoptInto(target, GdipGetTextureImage(NativeTexture(), &image), image);
}

bool TextureBrush::CreateFromRectI(const Image& image, int x, int y, int width, int height,
                                   Gdiplus::WrapMode wrapMode) {
  Gdiplus::GpTexture* created = nullptr;
  return AdoptInto(*this, GdipCreateTexture2I(image.NativeImage(), wrapMode, x, y, width, height, &created),
                   created);
}

bool TextureBrush::CreateWithAttributesI(const Image& image, int x, int y, int width, int height,
                                         const GdipBase* attributes) {
  Gdiplus::GpTexture* created = nullptr;
  return AdoptInto(*this,
                   GdipCreateTextureIAI(image.NativeImage(), NativeOf<Gdiplus::GpImageAttributes>(attributes), x, y,
                                        width, height, &created),
                   created);
}

bool TextureBrush::ScaleAt(float sx, float sy, const PointF& centre, Gdiplus::MatrixOrder order) {
  auto* brush = NativeTexture();
  return TransformAboutPoint(
      centre, order,
      [brush](float dx, float dy, Gdiplus::MatrixOrder o) { return GdipTranslateTextureTransform(brush, dx, dy, o); },
      [brush, sx, sy](Gdiplus::MatrixOrder o) { return GdipScaleTextureTransform(brush, sx, sy, o); });
}

bool TextureBrush::RotateAt(float angle, const PointF& centre, Gdiplus::MatrixOrder order) {
  auto* brush = NativeTexture();
  return TransformAboutPoint(
      centre, order,
      [brush](float dx, float dy, Gdiplus::MatrixOrder o) { return GdipTranslateTextureTransform(brush, dx, dy, o); },
      [brush, angle](Gdiplus::MatrixOrder o) { return GdipRotateTextureTransform(brush, angle, o); });
}

}  // namespace korvath::gdip
