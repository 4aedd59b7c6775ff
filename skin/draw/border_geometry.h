#pragma once
// The rectangle inside a window's border, for painters that draw a control's
// or popup menu's frame themselves.
#include <windows.h>

namespace korvath::skin {

// The client area together with the standard scroll bars whose style bits are
// set, in coordinates relative to the window's own top-left corner. The border
// is the difference between the window size and that inner size, split evenly
// (an odd pixel goes to the right or bottom). A handle that is no window gives
// an empty rectangle at 0, 0.
RECT SkinScrollBarGeometry(HWND window);

}  // namespace korvath::skin
