#pragma once
// Automatic radio buttons stay native radio buttons; the button procedure
// paints this look over them: a round white body with a shaded edge, a halo
// in the theme colour while hot, a check dot, and the caption beside it,
// ringed in the focus ring's colour while the button has the focus.
#include <windows.h>

#include <cstdint>

#include "skin/button/glyph_inputs.h"
#include "skin/core/found_entry.h"

namespace korvath::skin {

// Paints the radio button in `state` (ODS_ bits; the focus is the entry's)
// over `rect`: one copy to (0, 0) of `dc`, which stays the caller's.
void RadioSkinPaint(const ButtonRef& button, HDC dc, UINT state, const RECT& rect);
// Draws glyph and caption into the box (x, y, width, height).
void RadioSkinGlyph(gdip::Graphics& graphics, int32_t x, int32_t y, int32_t width, int32_t height,
                    const GlyphInputs& in);

}  // namespace korvath::skin
