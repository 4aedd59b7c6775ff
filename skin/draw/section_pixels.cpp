#include "skin/draw/section_pixels.h"

namespace korvath::skin {

std::optional<SectionPixels> SkinSection32(HDC dc) {
  DIBSECTION dib = {};
  if (!dc || GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof(dib), &dib) != sizeof(dib) ||
      dib.dsBm.bmBitsPixel != 32 || !dib.dsBm.bmBits) {
    return std::nullopt;
  }
  return SectionPixels{static_cast<uint8_t*>(dib.dsBm.bmBits), int(dib.dsBm.bmWidth), int(dib.dsBm.bmHeight),
                       int(dib.dsBm.bmWidthBytes), dib.dsBmih.biHeight > 0};
}

}  // namespace korvath::skin
