#pragma once
// Toolbars drawn by the skin: each button's face by its state, its frame,
// drop-down divider and arrow, separators, its icon (greyed when disabled)
// and its text, over the parent's skinned background.
#include <windows.h>

#include <cstdint>
#include <string>

namespace korvath::skin {

// Redraws the whole toolbar, stores it in the owner's child layer and
// clears its repaint flag.
void ToolbarSkinPaint(HWND window);

// Draws button `index` (0-based) into `dc`, which holds the toolbar's client
// area at the origin.
void ToolbarSkinButtonPaint(HWND window, int32_t index, HDC dc, bool hot);

// Draws the icon at (x, y) in grey (reddish grey for an indeterminate
// button), leaving out its black, white and neutral grey pixels.
void SkinIconDrawRecoloured(HDC dc, int32_t x, int32_t y, HICON icon, int32_t state);

// A button's text: empty when it has none (the toolbar answers -1).
std::string ToolbarButtonText(HWND window, int32_t command);

}  // namespace korvath::skin
