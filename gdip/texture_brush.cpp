#include "gdip/texture_brush.h"

#include "gdip/image.h"
#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

using namespace Gdiplus::DllExports;

bool TextureBrush::Create(const Image& image, int wrapMode) {
  Gdiplus::GpTexture* created = nullptr;
  return AdoptInto(*this, GdipCreateTexture(image.NativeImage(), NativeWrapMode(wrapMode), &created), created);
}

bool TextureBrush::CreateFromRect(const Image& image, float x, float y, float width, float height, int wrapMode) {
  Gdiplus::GpTexture* created = nullptr;
  return AdoptInto(*this,
                   GdipCreateTexture2(image.NativeImage(), NativeWrapMode(wrapMode), x, y, width, height, &created),
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

bool TextureBrush::MultiplyTransform(const GdipBase& matrix, int order) {
  return StoreStatus(
      GdipMultiplyTextureTransform(NativeTexture(), NativeOf<Gdiplus::GpMatrix>(matrix), NativeOrder(order)));
}

bool TextureBrush::TranslateTransform(float dx, float dy, int order) {
  return StoreStatus(GdipTranslateTextureTransform(NativeTexture(), dx, dy, NativeOrder(order)));
}

bool TextureBrush::ScaleTransform(float sx, float sy, int order) {
  return StoreStatus(GdipScaleTextureTransform(NativeTexture(), sx, sy, NativeOrder(order)));
}

bool TextureBrush::RotateTransform(float angle, int order) {
  return StoreStatus(GdipRotateTextureTransform(NativeTexture(), angle, NativeOrder(order)));
}

int TextureBrush::GetWrapMode() const {
  Gdiplus::WrapMode mode = Gdiplus::WrapModeTile;
  StoreStatus(GdipGetTextureWrapMode(NativeTexture(), &mode));
  return mode;
}

bool TextureBrush::SetWrapMode(int mode) {
  return StoreStatus(GdipSetTextureWrapMode(NativeTexture(), NativeWrapMode(mode)));
}

bool TextureBrush::GetImage(Image& target) const {
  Gdiplus::GpImage* image = nullptr;
  return AdoptInto(target, GdipGetTextureImage(NativeTexture(), &image), image);
}

bool TextureBrush::CreateFromRectI(const Image& image, int x, int y, int width, int height, int wrapMode) {
  Gdiplus::GpTexture* created = nullptr;
  return AdoptInto(*this,
                   GdipCreateTexture2I(image.NativeImage(), NativeWrapMode(wrapMode), x, y, width, height, &created),
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

bool TextureBrush::ScaleAt(float sx, float sy, const PointF& centre, int order) {
  auto* brush = NativeTexture();
  return TransformAboutPoint(
      centre, order,
      [brush](float dx, float dy, Gdiplus::MatrixOrder o) { return GdipTranslateTextureTransform(brush, dx, dy, o); },
      [brush, sx, sy](Gdiplus::MatrixOrder o) { return GdipScaleTextureTransform(brush, sx, sy, o); });
}

bool TextureBrush::RotateAt(float angle, const PointF& centre, int order) {
  auto* brush = NativeTexture();
  return TransformAboutPoint(
      centre, order,
      [brush](float dx, float dy, Gdiplus::MatrixOrder o) { return GdipTranslateTextureTransform(brush, dx, dy, o); },
      [brush, angle](Gdiplus::MatrixOrder o) { return GdipRotateTextureTransform(brush, angle, o); });
}

}  // namespace korvath::gdip
