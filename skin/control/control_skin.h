#pragma once
// The control layer of the skin (`Kj_` properties): controls whose own window
// procedure still paints them, into a memory DC that already holds the
// parent's skinned background, with their own background colour keyed out.
// Toolbars and the controls named to ContainerControlSkinAttach (the main
// window's group boxes; the attach calls are in skin/install/control_attach.h)
// live here, in the toolbar list of their owner's record. A control with
// child windows is also registered as a container, so that its messages pass
// ContainerSkinWndProc, then ControlSkinWndProc, then the control's own
// procedure.
#include <windows.h>

namespace korvath::skin {

struct SkinWindowRecord;

LRESULT CALLBACK ControlSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Whether the window is a "ToolbarWindow32".
bool SkinIsToolbar(HWND window);

// Whether the owner record's window wants its controls drawn again: while it
// is sized, only when it is also moved; otherwise while it is active.
bool SkinFindParentSkin(const SkinWindowRecord& owner);

// Restores the control from its owner's child layer onto `dc` (a BeginPaint
// DC stays the caller's).
void SkinReleaseDC(const SkinWindowRecord& owner, HWND window, HDC dc);

// The frame-mode face: a 3-pixel white band (keyed out afterwards) with two
// frame lines, and a blue drop-down face with the down chevron at the right.
void SkinControlAreaPaint(HWND window, HDC dc);

}  // namespace korvath::skin
