#pragma once
// The fade-in of a skinned message box: the box is attached fully
// transparent, and from its first paint a worker thread raises its alpha in
// ten steps with shrinking pauses, from 24 to 240. The thread only changes
// the box's layered attributes; nobody waits for it.
#include <windows.h>

namespace korvath::skin {

// Alpha at which a box ends (and stays).
inline constexpr BYTE kFadeInFinalAlpha = 240;

// The thread's routine; `box` is the message box.
DWORD WINAPI FadeInThreadProc(LPVOID box);
// Starts the fade-in of `box` on its own thread. When no thread can be
// started the box is shown at its final alpha at once, so that it never
// stays invisible.
void FadeInStart(HWND box);

}  // namespace korvath::skin
