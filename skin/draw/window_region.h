#pragma once
// The rounded corners of the engine's windows (forms, boxes, menus): a
// window region, which the system owns once it is set.
#include <windows.h>

namespace korvath::skin {

// Gives the window a region of `width` x `height` pixels from its top-left
// corner with corners of `ellipse` x `ellipse` pixels, the right and bottom
// edges included. Nothing changes when the system makes no region.
void SkinSetRoundedRegion(HWND window, int width, int height, int ellipse);

}  // namespace korvath::skin
