#pragma once
// The control layer of the skin (`Kj_` properties): controls whose own window
// procedure still paints them, into a memory DC that already holds the
// parent's skinned background, with their own background colour keyed out.
// Toolbars and the controls named to ContainerControlSkinAttach (the main
// window's group boxes) live here, in the toolbar list of their owner's
// record. A control with child windows is also registered as a container, so
// that its messages pass ContainerSkinWndProc, then ControlSkinWndProc, then
// the control's own procedure.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/core/entry_ref.h"

namespace korvath::skin {

struct SkinWindowRecord;

// Puts one control under the control layer. `keyColour` is the colour keyed
// out of its own painting (the system button-face colour when not given);
// the fill colour and alpha tint it as a container (0: no tint). Does nothing
// without a skinned ancestor or on a window some skin has subclassed already.
void ContainerControlSkinAttach(HWND window, std::optional<COLORREF> keyColour = std::nullopt,
                                std::optional<COLORREF> fillColour = std::nullopt,
                                std::optional<int32_t> fillAlpha = std::nullopt);
// Registers the window as a container of its skinned top-level record unless
// it is one already: ContainerSkinAttach for a caller that holds no record.
void ContainerControlRegister(HWND window, std::optional<bool> framed = std::nullopt,
                              std::optional<COLORREF> backgroundColour = std::nullopt,
                              std::optional<int32_t> backgroundAlpha = std::nullopt,
                              std::optional<bool> outline = std::nullopt);
// The toolbar's attach: as ContainerControlSkinAttach, with its repaint flag
// set for a "ToolbarWindow32" and the frame mode (1: a frame and a drop-down
// face, keyed on white).
void ToolbarSkinAttach(HWND window, std::optional<COLORREF> keyColour = std::nullopt,
                       std::optional<COLORREF> fillColour = std::nullopt,
                       std::optional<int32_t> fillAlpha = std::nullopt,
                       std::optional<int32_t> frameMode = std::nullopt);

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
