#pragma once
// Header controls (also a list view's column header): every item drawn by
// the skin over the parent's skinned background, with hover and press looks
// for button-style headers.
#include <windows.h>

#include <cstdint>

#include "skin/core/found_entry.h"

namespace korvath::skin {

LRESULT CALLBACK HeaderSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// 1-based number of the item under the point (client coordinates), 0 for
// none: the 5 pixels at both ends of an item belong to no item.
int32_t HeaderHitTest(const HeaderRef& header, POINT point);

// Paints every item of the header onto its window.
void HeaderSkinPaint(const HeaderRef& header);

}  // namespace korvath::skin
