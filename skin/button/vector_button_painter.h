#pragma once
// The look of every push button of the tool and its message boxes: a rounded
// translucent face with state gradients in the theme colour, an outline, a
// focus ring and the centred caption; the hot look fades in.
#include <windows.h>

#include "skin/core/found_entry.h"

namespace korvath::skin {

// Paints a vector push button (ButtonKind::Vector) in `state` (ODS_ bits;
// 0x40 hot; 0x20 default, added for the dialog's default button, draws a
// heavier frame on every enabled look). `dc` stays the caller's; a DC that cannot draw (no
// horizontal resolution) is replaced by the button's own window DC. Every
// running fade ends first; the hot look is then faded in, any other look
// copied at once.
void ButtonSkinPaintVector(const ButtonRef& button, HDC dc, UINT state, const RECT& rect);

}  // namespace korvath::skin
