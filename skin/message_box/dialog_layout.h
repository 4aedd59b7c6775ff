#pragma once
// The layout of a skinned message box. The system lays a box out for the
// face its own drawing would use; the skin draws the text with another (the
// static skin's face and size: under Wine a wider stand-in for "宋体"), so it
// lays the box out again from what it draws: the text broken into lines that
// fit (paths too, which have no spaces), the box as wide as the widest line
// within its monitor's work area, the icon and the text side by side, the
// separator below both and the row of push buttons under the separator.
// Lines run to 5/8 of the work area's width; a text too tall for the work
// area so runs to its whole width. A box whose text needs no more room, or
// whose text the skin does not draw, keeps the system's size and place
// (widened by 10 pixels); any other box is centred where the system put it.
// Every box lies inside the work area, never wider or higher: a text that
// does not fit it even at its whole width shows the lines that fit, the last
// one ending in an ellipsis.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

struct SkinWindowRecord;

// Keeps in the box's record where the system put the box (`bounds`, widened)
// and its body (icon and text): the layout starts from there. Taken once,
// before the control skins change anything.
void DialogKeepSystemLayout(SkinWindowRecord& record, const RECT& bounds);

// Lays the box out and returns the height of the band that holds its push
// buttons, from the box's outer bottom (0 without buttons); the box's record
// keeps it. The buttons lie in one row, 5 pixels apart, ending 12 pixels
// inside the box's width and 33 above its height (measured from the client
// area's corner, where MoveWindow places them). The box grows or shrinks by
// what the body needs more or less than the system gave it, so the gap above
// the separator stays the system's (and never closes). Everything follows
// from the texts, fonts and sizes and from the system's layout. Done once,
// when the system has placed the buttons: at the attach, or when the box is
// shown if the system activated it (and the skin dressed it) while its own
// initialisation was still sizing them.
int32_t DialogLayOut(SkinWindowRecord& box);

// Gives the box its rounded window region at its current size.
void DialogApplyRoundRegion(HWND box);

// Places the caption-button strip and the caption items of the box from its
// current width: each item 36 x 22 at (width - 36, 2) in window coordinates.
void SkinLayoutCaptionParts(SkinWindowRecord& box);

// Where the box's client area starts, in its window coordinates: child
// windows are placed, and a print of the client area drawn, from there.
POINT DialogClientOrigin(HWND box);

}  // namespace korvath::skin
