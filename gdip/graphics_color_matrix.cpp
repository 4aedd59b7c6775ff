// Graphics: drawing an image through a colour matrix that scales its alpha.
#include "gdip/graphics.h"

#include <bit>

#include "gdip/image.h"

namespace korvath::gdip {

using namespace Gdiplus::DllExports;

namespace {

// Only the diagonal is ever written, so the other cells stay 0.
ColorMatrixCells colorMatrix = {};

}  // namespace

const ColorMatrixCells& GdipColorMatrix() { return colorMatrix; }

void Graphics::ImageAttributesRelease::operator()(Gdiplus::GpImageAttributes* attributes) const {
  GdipDisposeImageAttributes(attributes);
}

void Graphics::DrawImageWithColorMatrix(const Image& image, float x, float y, float width, float height,
                                        float srcX, float srcY, float srcWidth, float srcHeight, float alpha) {
  colorMatrix[0][0] = 1.0f;
  colorMatrix[1][1] = 1.0f;
  colorMatrix[2][2] = 1.0f;
  colorMatrix[3][3] = alpha;
  colorMatrix[4][4] = 1.0f;

  if (!imageAttributes_) {
    Gdiplus::GpImageAttributes* created = nullptr;
    // Without attributes the image would be drawn at full opacity: draw nothing.
    if (!StoreStatus(GdipCreateImageAttributes(&created))) return;
    imageAttributes_.reset(created);
  }
  static_assert(sizeof(Gdiplus::ColorMatrix) == sizeof(ColorMatrixCells));
  const auto matrix = std::bit_cast<Gdiplus::ColorMatrix>(colorMatrix);
  StoreStatus(GdipSetImageAttributesColorMatrix(imageAttributes_.get(), Gdiplus::ColorAdjustTypeBitmap, TRUE,
                                                &matrix, nullptr, Gdiplus::ColorMatrixFlagsDefault));
  StoreStatus(GdipDrawImageRectRect(NativeGraphics(), image.NativeImage(), x, y, width, height, srcX, srcY,
                                    srcWidth, srcHeight, Gdiplus::UnitPixel, imageAttributes_.get(), nullptr,
                                    nullptr));
}

}  // namespace korvath::gdip
