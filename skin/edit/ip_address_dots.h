#pragma once
// The dots between the fields of an IP-address control, which are lost when
// the skin paints the control off-screen with its own background.
#include <windows.h>

#include <vector>

namespace korvath::skin {

// Where the dots go: right of each "Edit" field (its right edge relative to
// the control's window rectangle, plus one), at half the client height; in
// the order the fields are found (Z order).
std::vector<POINT> SkinIpAddressDotPositions(HWND control);

// Draws a 1 x 1 black ellipse at each of those points on `dc`, the
// off-screen DC being painted for the control. A control without "Edit"
// children draws nothing.
void SkinPaintIpAddressDots(HWND control, HDC dc);

}  // namespace korvath::skin
