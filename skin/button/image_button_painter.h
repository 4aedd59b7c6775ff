#pragma once
// Image push buttons (ButtonKind::Image) and image toggles
// (ButtonKind::ImageToggle): faces made of the entry's state pictures. No
// installer of this program makes either kind; an application sets an
// entry's kind and pictures.
#include <windows.h>

#include "skin/core/found_entry.h"

namespace korvath::skin {

// A push button shown as its normal, hot, pressed or disabled picture with
// the caption centred over it; a state without a picture of its own shows
// the normal picture in a rounded frame. One copy to (0, 0) of `dc`, which
// stays the caller's.
void ButtonSkinPaintImage(const ButtonRef& button, HDC dc, UINT state, const RECT& rect);

// A toggle whose whole face is `PressedImage` while checked and
// `NormalImage` otherwise, at its own size over the parent's background;
// washed with silver when `state` has ODS_DISABLED. One copy to (0, 0) of
// `dc`, which stays the caller's.
void ToggleSkinPaintImage(const ButtonRef& button, HDC dc, UINT state, const RECT& rect);

}  // namespace korvath::skin
