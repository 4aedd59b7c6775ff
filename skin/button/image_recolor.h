#pragma once
// The engine's tick in the current theme colour, and the conversion from a
// GDI+ colour back to a Windows colour value.
#include <windows.h>

#include <cstdint>
#include <span>

#include "skin/values/byte_set.h"

namespace korvath::skin {

// The 13 x 12 tick picture (assets/tick.png, drawn by
// tools/make_tick_image.py) as the program carries it, and the PNG inside.
std::span<const uint8_t> EmbeddedTickImage();
std::span<const uint8_t> TickImage();

// A PNG of the tick recoloured to SkinThemeColor: every pixel that is not
// pure white gets its channels scaled by the theme's channels and an opacity
// from its darkness (255 - grey); pure white pixels stay as they are. Made
// afresh at every call; empty when the tick does not decode.
ByteSet RecolorImageBytes();

// The Windows colour (red in the low byte, top byte 0) of a GDI+ ARGB value;
// its alpha goes to `alpha` when one is given.
COLORREF ArgbToColorRef(uint32_t argb, uint8_t* alpha = nullptr);

}  // namespace korvath::skin
