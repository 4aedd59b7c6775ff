#pragma once
// Strips the native border of a control so that the skin alone draws its edge.
#include <windows.h>

namespace korvath::skin {

// Clears WS_BORDER from the style (the style word is written only when the bit
// was there) and exactly WS_EX_WINDOWEDGE, WS_EX_CLIENTEDGE and
// WS_EX_DLGMODALFRAME from the extended style, which is always written back;
// every other bit stays. No frame recalculation is asked for: the border goes
// when the window's frame is next recalculated (SetWindowPos with
// SWP_FRAMECHANGED, or the move that re-parents it).
void RemoveNativeBorder(HWND window);

}  // namespace korvath::skin
