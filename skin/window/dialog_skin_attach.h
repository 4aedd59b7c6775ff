#pragma once
// Turning a standard message-box dialog ("#32770") into a skinned window,
// while the system is about to activate it and before it is first painted:
// the box grows by 10 pixels, gets a window region with rounded corners and
// its push buttons in a right-aligned row at the bottom, a record with a
// single close item in its caption, the layered style at alpha 0 (its
// fade-in raises it), the control skins and the skinned window procedure;
// its drop shadow follows just after its first frame (DialogShadowAttach).
#include <windows.h>

#include <cstdint>
#include <span>

namespace korvath::skin {

// Skins the box; a box that has a record already is left as it is.
void DialogSkinAttach(HWND box);
// The box's drop shadow (15 pixels, alpha 20), made and drawn: the box's
// procedure asks for it just after the box's first frame, which it would
// otherwise hold up.
void DialogShadowAttach(HWND box);

// Lays the box's push buttons out in one row, 5 pixels apart, ending
// 12 pixels inside the box's width and 33 above its height (measured from
// the client area's corner, where MoveWindow places them), and returns the
// height of the band that holds them, from the box's outer bottom (0 without
// buttons); a skinned box keeps it in its record. Placing depends only on
// the sizes, so doing it again changes nothing. The box's procedure does it
// again when the box is shown: some systems activate a box while its own
// initialisation is still placing its buttons.
int32_t DialogLayOutButtons(HWND box);

// The box's close glyph: a 38 x 18 RGBA PNG.
std::span<const uint8_t> CloseGlyphPng();

}  // namespace korvath::skin
