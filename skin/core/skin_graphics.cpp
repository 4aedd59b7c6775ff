#include "skin/core/skin_graphics.h"

#include "gdip/graphics.h"
#include "gdip/bitmap.h"
#include "gdip/image.h"

namespace korvath::skin {

void SkinApplyRenderQuality(gdip::Graphics& graphics, const SkinRenderQuality& quality) {
  // A mode GDI+ refuses leaves the one before: the picture is drawn all the
  // same, only less smoothly, so the statuses are not examined.
  if (quality.smoothing) graphics.SetSmoothingMode(*quality.smoothing);
  if (quality.interpolation) graphics.SetInterpolationMode(*quality.interpolation);
  if (quality.compositing) graphics.SetCompositingQuality(*quality.compositing);
  if (quality.pixelOffset) graphics.SetPixelOffsetMode(*quality.pixelOffset);
  if (quality.textRendering) graphics.SetTextRenderingHint(*quality.textRendering);
}

bool SkinGraphicsOnDC(gdip::Graphics& graphics, HDC dc, const SkinRenderQuality& quality) {
  if (!graphics.FromHDC(dc)) return false;
  SkinApplyRenderQuality(graphics, quality);
  return true;
}

bool SkinGraphicsOnMemoryDC(gdip::Graphics& graphics, gdip::Bitmap& canvas, HDC memoryDc,
                            const SkinRenderQuality& quality) {
  DIBSECTION dib = {};
  if (GetObjectW(GetCurrentObject(memoryDc, OBJ_BITMAP), sizeof(dib), &dib) != sizeof(dib) ||
      dib.dsBm.bmBitsPixel != 32 || !dib.dsBm.bmBits) {
    return false;
  }
  const int width = dib.dsBm.bmWidth, height = dib.dsBm.bmHeight, stride = dib.dsBm.bmWidthBytes;
  auto* bits = static_cast<uint8_t*>(dib.dsBm.bmBits);
  // A bottom-up section's first row is its last in memory.
  const bool bottomUp = dib.dsBmih.biHeight > 0;
  if (!canvas.CreateFromScan0(width, height, bottomUp ? -stride : stride, PixelFormat32bppRGB,
                              bottomUp ? bits + size_t(height - 1) * size_t(stride) : bits)) {
    return false;
  }
  return SkinGraphicsOnImage(graphics, canvas, quality);
}

bool SkinGraphicsOnImage(gdip::Graphics& graphics, const gdip::Image& image,
                         const SkinRenderQuality& quality) {
  if (!graphics.FromImage(image)) return false;
  SkinApplyRenderQuality(graphics, quality);
  return true;
}

}  // namespace korvath::skin
