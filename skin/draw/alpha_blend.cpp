#include "skin/draw/alpha_blend.h"

namespace korvath::skin {

bool SkinBlend(HDC destination, const RECT& to, HDC source, const RECT& from, uint8_t alpha,
               SourceAlpha sourceAlpha) {
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, BYTE(sourceAlpha == SourceAlpha::PerPixel ? AC_SRC_ALPHA : 0)};
  return GdiAlphaBlend(destination, to.left, to.top, to.right - to.left, to.bottom - to.top, source, from.left,
                       from.top, from.right - from.left, from.bottom - from.top, blend) != FALSE;
}

}  // namespace korvath::skin
