#pragma once
// Turning a standard message-box dialog ("#32770") into a skinned window,
// while the system is about to activate it and before it is first painted:
// the box grows by 10 pixels, is laid out again for the skin's drawing (its
// text, icon, separator and a right-aligned row of push buttons at the
// bottom, dialog_layout.h), gets a window region with rounded corners, a
// record with a single close item in its caption, the layered style at
// alpha 0 (its fade-in raises it), the control skins and the skinned window
// procedure; its drop shadow follows just after its first frame
// (DialogShadowAttach).
#include <windows.h>

#include <cstdint>
#include <span>

namespace korvath::skin {

struct SkinWindowRecord;

// Skins the box; a box that has a record already is left as it is, and one
// whose skinning fails half-way (memory that runs out) is shown as the
// system made it.
void DialogSkinAttach(HWND box);
// The box's drop shadow (15 pixels, alpha 20), made and drawn: the box's
// procedure asks for it just after the box's first frame, which it would
// otherwise hold up.
void DialogShadowAttach(SkinWindowRecord& box);

// The box's close glyph: a 38 x 18 RGBA PNG.
std::span<const uint8_t> CloseGlyphPng();

}  // namespace korvath::skin
