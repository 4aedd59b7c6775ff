#include "skin/draw/skin_graphics.h"

#include "gdip/graphics.h"
#include "gdip/bitmap.h"
#include "gdip/image.h"
#include "skin/draw/section_pixels.h"

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
  const std::optional<SectionPixels> section = SkinSection32(memoryDc);
  if (!section ||
      !canvas.CreateFromScan0(section->width, section->height, section->DownStride(), PixelFormat32bppRGB,
                              section->TopRow())) {
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
