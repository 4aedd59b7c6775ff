#pragma once
// Where windows lie: a rectangle's width and height, and the few ways of
// measuring a window that the skin asks for, each a question or two to the
// system about the windows it is given. None reads a property or a list: a
// caller that must tell a skinned window from another tells it by what it
// holds, and then measures.
#include <windows.h>

namespace korvath::platform {

constexpr int Width(const RECT& r) { return r.right - r.left; }
constexpr int Height(const RECT& r) { return r.bottom - r.top; }

// The window's rectangle on the screen, frame included; empty for no window.
RECT WindowRect(HWND window);
// The window's client area, from (0, 0); empty for no window.
RECT ClientRect(HWND window);
// The window's rectangle (frame included) in the window coordinates of
// `reference`, whose origin is the outer corner of its frame. Without a
// reference it is the window's screen rectangle.
RECT WindowRectIn(HWND window, HWND reference);
// The window's rectangle (frame included) in the client coordinates of
// `reference`. Without a reference it is the window's screen rectangle.
RECT WindowRectInClient(HWND window, HWND reference);
// The work area (the screen less the task bar) of the monitor nearest the
// window.
RECT WorkAreaOf(HWND window);
// Where a WINDOWPOS puts the window, in the coordinates it is given in: the
// screen's for a top-level window, its parent's client coordinates for a
// child. The position or the size that its flags mark unchanged (SWP_NOMOVE,
// SWP_NOSIZE) is the window's own, as it is now.
RECT WindowPosRect(HWND window, const WINDOWPOS& pos);

}  // namespace korvath::platform
