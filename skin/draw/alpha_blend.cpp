#include "skin/draw/alpha_blend.h"

namespace korvath::skin {

bool SkinBlend(HDC destination, const RECT& to, HDC source, const RECT& from, uint8_t alpha,
               SourceAlpha sourceAlpha) {
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, BYTE(sourceAlpha == SourceAlpha::PerPixel ? AC_SRC_ALPHA : 0)};
  return GdiAlphaBlend(destination, to.left, to.top, to.right - to.left, to.bottom - to.top, source, from.left,
                       from.top, from.right - from.left, from.bottom - from.top, blend) != FALSE;
}

bool SkinAlphaBlend(HDC destination, int32_t x, int32_t y, int32_t width, int32_t height, HDC source,
                    int32_t sourceX, int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight, int32_t alpha,
                    SourceAlpha sourceAlpha) {
  return SkinBlend(destination, RECT{x, y, x + width, y + height}, source,
                   RECT{sourceX, sourceY, sourceX + sourceWidth, sourceY + sourceHeight}, uint8_t(alpha),
                   sourceAlpha);
}

}  // namespace korvath::skin
