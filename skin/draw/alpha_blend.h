#pragma once
// The engine's one alpha blend from DC to DC (GdiAlphaBlend). A button's
// cross-fade lays its picture over the window at a rising constant alpha,
// the picture's own alpha ignored; a layered window's layers are composed by
// the alpha of each of their pixels, at an overall alpha besides.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

// Whether the source's alpha channel takes part in a blend: ignored, or as
// each pixel's alpha (its colours premultiplied by it, AC_SRC_ALPHA).
enum class SourceAlpha : uint8_t { Ignored, PerPixel };

// Lays the rectangle `from` of `source` over the rectangle `to` of
// `destination` (stretched when the sizes differ) at the constant `alpha`
// and with the source's own alpha as `sourceAlpha` says. GdiAlphaBlend's
// result: false when the system refuses (nothing drawn).
bool SkinBlend(HDC destination, const RECT& to, HDC source, const RECT& from, uint8_t alpha,
               SourceAlpha sourceAlpha);
// The same blend by GdiAlphaBlend's own arguments: (x, y, width, height) of
// `destination` from (sourceX, sourceY, sourceWidth, sourceHeight) of
// `source`. The close effects compose layers by each pixel's alpha; the
// cross-fade ignores the picture's.
bool SkinAlphaBlend(HDC destination, int32_t x, int32_t y, int32_t width, int32_t height, HDC source,
                    int32_t sourceX, int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight,
                    int32_t alpha = 255, SourceAlpha sourceAlpha = SourceAlpha::PerPixel);
// The cross-fade's blend: the same at a constant alpha, the source's own
// alpha channel ignored.
inline bool AlphaBlendConst(HDC destDc, int32_t x, int32_t y, int32_t width, int32_t height, HDC sourceDc,
                            int32_t sourceX, int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight,
                            uint8_t alpha = 255) {
  return SkinAlphaBlend(destDc, x, y, width, height, sourceDc, sourceX, sourceY, sourceWidth, sourceHeight, alpha,
                        SourceAlpha::Ignored);
}

}  // namespace korvath::skin
