#pragma once
// The window procedure of every skinned button: hover, press and focus
// bookkeeping in the owner's record and the button's entry; radio buttons,
// check boxes and image toggles painted over the native control; the check
// box's tick animation on a press. Everything else goes on to the procedure
// the button had before.
#include <windows.h>

#include <cstdint>

#include "skin/core/found_entry.h"

namespace korvath::skin {

LRESULT CALLBACK ButtonSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Repaints the button at once in `state` (ODS_ bits), plus ODS_HOTLIGHT with
// `hot`, with the painter of its kind; image toggles keep their look.
void ButtonSkinRedraw(const ButtonRef& button, UINT state = 0, bool hot = false);

// The pauses of the tick animation, after each frame but the last (ms).
inline constexpr DWORD kTickInPauses[] = {50, 45, 40};
inline constexpr DWORD kTickOutPauses[] = {50, 45, 30};

}  // namespace korvath::skin
