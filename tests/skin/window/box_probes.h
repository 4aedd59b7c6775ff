#pragma once
// What the tests of skinned message boxes look at in a real box (they drive
// the boxes with testsupport::DialogAnswerer, whose answers run inside the
// box's own message loop).
#include <windows.h>

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

}  // namespace korvath::skin::test
