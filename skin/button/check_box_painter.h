#pragma once
// Check boxes stay native check boxes; the button procedure paints this look
// over them. Two looks: the image look (boxes and ticks from the engine's
// glyph strip, with the frames of the tick animation), on every check box the
// installer skins (`Xzk_dhxg` set), and the vector look (a white box with a
// glow in the theme colour and the recoloured tick) on one without it.
#include <windows.h>

#include <cstdint>

#include "skin/button/glyph_inputs.h"
#include "skin/core/found_entry.h"

namespace korvath::skin {

// Paints the check box in `state` (ODS_ bits; focus is ignored) over `rect`:
// one copy to (0, 0) of `dc`, which stays the caller's. With `animating`,
// frame `frame` of the tick animation (image look only).
void CheckBoxSkinPaint(const ButtonRef& button, HDC dc, UINT state, const RECT& rect, bool animating = false,
                       int32_t frame = 0);
void CheckBoxSkinGlyphImages(gdip::Graphics& graphics, int32_t x, int32_t y, int32_t width, int32_t height,
                             const GlyphInputs& in);
void CheckBoxSkinGlyphVector(gdip::Graphics& graphics, int32_t x, int32_t y, int32_t width, int32_t height,
                             const GlyphInputs& in);

}  // namespace korvath::skin
