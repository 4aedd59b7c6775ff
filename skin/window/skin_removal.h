#pragma once
// Taking the skin off a skinned top-level window while it is destroyed.
#include <windows.h>

namespace korvath::skin {

// Releases what the skin made for `window` (tooltips, the menu it was given,
// the colour brushes handed to its controls, its surfaces), gives it its
// previous window procedure back and removes its record; the windows skinned
// after it are renumbered. A window without a record changes nothing.
// `Hw_hProc` stays readable, so the caller can still pass the message on.
void UnskinWindow(HWND window);

// Frees the colour brushes handed to the window's skinned controls and clears
// their properties. The form does it when WM_DESTROY arrives, while its
// controls still exist; removal does it again for what is left.
void SkinDeleteControlBrushes(HWND window);

}  // namespace korvath::skin
