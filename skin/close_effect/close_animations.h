#pragma once
// Close animations: a window leaves the screen in ten frames of its own
// picture, fading out by 25 alpha steps while its rectangle shrinks,
// collapses towards an edge or a centre line, or pulses. Each plays
// synchronously on the calling thread (Sleep between frames, no message
// pumping) and leaves the window layered, showing its last frame; the caller
// then hides or destroys it.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

// Shrinks the window towards its centre.
void SkinAnimateEffect1(HWND window);
// Shrinks about the centre by 2 % per frame for five frames, then grows back.
void SkinAnimateEffect2(HWND window);
// Fades where it stands, the last frame fully transparent. `layered`: the
// window is layered already and keeps its style as it is.
void SkinAnimateEffect3(HWND window, bool layered = false);
// Collapses to the horizontal centre line.
void SkinAnimateEffect4(HWND window);
// Collapses upwards (the top edge stays).
void SkinAnimateEffect5(HWND window);
// Collapses downwards (the bottom edge stays).
void SkinAnimateEffect6(HWND window);
// Collapses leftwards (the left edge stays).
void SkinAnimateEffect7(HWND window);
// Collapses rightwards (the right edge stays).
void SkinAnimateEffect8(HWND window);
// Collapses to the vertical centre line.
void SkinAnimateEffect9(HWND window);

// Plays the close animation that a record's `CloseEffect` selects: 1 to 9,
// anything else none. True when one played. A visible drop shadow of the
// window follows every frame.
bool SkinPlayCloseEffect(HWND window, int32_t effect);

}  // namespace korvath::skin
