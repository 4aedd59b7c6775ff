#pragma once
// What the tests of skinned message boxes look at in a real box (they drive
// the boxes with testsupport::DialogAnswerer, whose answers run inside the
// box's own message loop).
#include <windows.h>

#include <cstdint>
#include <string>

namespace korvath::skin::test {

// Pumps until the box has painted itself (its back buffer exists).
bool WaitForFirstPaint(HWND box);
// Presses a box's button by identifier.
void Press(HWND box, int id);
// The top-level windows of this thread, visible or not.
int ThreadWindowCount();
// The threads of this process.
int ProcessThreadCount();
// The layered alpha of a window (-1 when it has none).
int LayeredAlpha(HWND window);
// The mean of a 0x00RRGGBB colour's channels.
int Brightness(uint32_t rgb);
// Pumps until the box has faded in and shows its final look.
bool WaitForFadeIn(HWND box);

// What is wrong with the message as the screen shows it ("" when nothing):
// the box must lie inside its monitor's work area; the text area (the
// message's static) must end above the separator and miss every button;
// every line of the text must lie inside the text area, not touching its
// right or bottom edge (where it would be cut), and show there whole, its
// last character included; the lines must hold the whole text, or, in a box
// as high as the work area, its beginning ending in an ellipsis; no text
// pixel may lie outside the text area (on a button, on the separator). Each
// line is compared with the same line drawn alone, unclipped, in the static's
// face, size and style. On a fault the screen's picture of the box is saved
// under failures/<name>.png.
std::string TextLayoutFaults(HWND box, const std::string& name);

}  // namespace korvath::skin::test
