#pragma once
// The fade-in of a skinned message box: the box is attached fully
// transparent, and from its first paint a worker thread raises its alpha in
// ten steps with shrinking pauses, from 24 to 240. The thread only changes
// the box's layered attributes. It is stopped and waited for before the box
// closes or is destroyed, so that it never acts on a window the GUI thread is
// changing or taking down.
#include <windows.h>

#include <stop_token>
#include <thread>

namespace korvath::skin {

// Alpha at which a box ends (and stays).
inline constexpr BYTE kFadeInFinalAlpha = 240;

// The thread's routine: ten steps unless a stop is requested.
void FadeInThreadProc(std::stop_token stop, HWND box);
// Starts the fade-in of `box` on its own thread (kept by the caller). When no
// thread can be started the box is shown at its final alpha at once, so that
// it never stays invisible.
std::jthread FadeInStart(HWND box);
// Ends a running fade-in and waits for its thread; the box keeps the alpha
// it has reached.
void FadeInStop(std::jthread& fade);

}  // namespace korvath::skin
