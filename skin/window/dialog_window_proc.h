#pragma once
// The skinned message box's window procedure: it paints the box's frame and
// caption itself, hit-tests and animates the close button, keeps the rounded
// region and the drop shadow in step with the box, fades the box in at its
// first paint, shrinks it away when it closes and removes the skin when the
// box is destroyed (UnskinWindow). Everything it does not swallow goes on to the dialog's
// previous procedure (property `Hw_hProc`).
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

LRESULT CALLBACK DialogSkinWndProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// Places the caption-button strip and the caption items of box record
// `index` from the box's current width: each item 36 x 22 at (width - 36, 2)
// in window coordinates.
void SkinLayoutCaptionParts(int32_t index);

}  // namespace korvath::skin
