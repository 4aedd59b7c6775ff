#pragma once
// Picture push buttons (ButtonKind::Picture): a face from the entry's skin
// picture over soft gradients, or gradients, a highlight line and two rounded
// outlines; the caption alone, beside an image or below it. No installer of this program
// makes such a button; an application sets an entry's kind and fields.
#include <windows.h>

#include "skin/core/found_entry.h"

namespace korvath::skin {

// Paints the button in `state` (ODS_ bits) and copies it once to (0, 0) of
// `dc`, which stays the caller's.
void ButtonSkinPaint(const ButtonRef& button, HDC dc, UINT state, const RECT& rect);

}  // namespace korvath::skin
