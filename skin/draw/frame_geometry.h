#pragma once
// Where a control's client area lies inside its window rectangle, for the
// painters that draw a control's frame ring or the background under its
// client area.
#include <windows.h>

namespace korvath::skin {

// The client rectangle in window coordinates (0, 0 = the window rectangle's
// top-left corner). The frame is taken to be equally wide on opposite sides,
// with 17 pixels for each scroll bar whose style bit is set lying between the
// client area and the frame on the right and at the bottom; an odd remainder
// loses its half pixel.
RECT SkinGetFrameGeometry(HWND window);

}  // namespace korvath::skin
