#pragma once
// The window procedure of every skinned form. It does the skin's work for
// the messages it names and hands every message on to the procedure the form
// had before (kept in `Hw_hProc`), except where it answers itself: a
// cancelled close, the background erase, painting, and the control colours
// and owner-drawn items that the skin draws.
#include <windows.h>

namespace korvath::skin {

LRESULT CALLBACK FormSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace korvath::skin
