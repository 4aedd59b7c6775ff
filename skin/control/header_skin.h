#pragma once
// Header controls (also a list view's column header): every item drawn by
// the skin over the parent's skinned background, with hover and press looks
// for button-style headers.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

LRESULT CALLBACK HeaderSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// 1-based number of the item under the point (lParam form), 0 for none: the
// 5 pixels at both ends of an item belong to no item.
int32_t HeaderHitTest(int32_t ownerIndex, int32_t entryNumber, LPARAM point);

// Paints every item of the header onto its window.
void HeaderSkinPaint(int32_t ownerIndex, int32_t entryNumber);

}  // namespace korvath::skin
