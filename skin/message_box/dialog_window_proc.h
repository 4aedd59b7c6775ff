#pragma once
// The skinned message box's window procedure: it paints the box's frame and
// caption itself, hit-tests and animates the close button, keeps the rounded
// region and the drop shadow in step with the box, fades the box in at its
// first paint, shrinks it away when it closes and removes the skin when the
// box is destroyed (UnskinWindow). Everything it does not swallow goes on to the dialog's
// previous procedure (property `Hw_hProc`).
#include <windows.h>

namespace korvath::skin {

struct SkinWindowRecord;

LRESULT CALLBACK DialogSkinWndProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// The box's answer to WM_NCHITTEST for a screen point: HTCLOSE over the close
// button, HTCAPTION over the caption band, else HTCLIENT.
LRESULT DialogSkinHitTest(const SkinWindowRecord& box, POINT screen);

}  // namespace korvath::skin
