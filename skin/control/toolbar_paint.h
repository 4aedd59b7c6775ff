#pragma once
// Toolbars drawn by the skin: each button's face by its state, its frame,
// drop-down divider and arrow, separators, its icon (greyed when disabled)
// and its text, over the parent's skinned background.
#include <windows.h>

#include <cstdint>
#include <string>

#include "skin/core/found_entry.h"

namespace korvath::skin {

// Redraws the whole toolbar, stores it in the owner's child layer, shows it
// on the window and clears its repaint flag.
void ToolbarSkinPaint(const ToolbarRef& toolbar);
// The same picture onto `dc` (a print, whose DC holds the client area at the
// origin) with the toolbar's children clipped out; the child layer and the
// repaint flag stay as they are.
void ToolbarSkinPrint(const ToolbarRef& toolbar, HDC dc);

// Draws button `index` (0-based) into `dc`, which holds the toolbar's client
// area at the origin.
void ToolbarSkinButtonPaint(const ToolbarRef& toolbar, int32_t index, HDC dc, bool hot);

// Draws the icon at (x, y) in grey (reddish grey for an indeterminate
// button), leaving out its black, white and neutral grey pixels.
void SkinIconDrawRecoloured(HDC dc, int32_t x, int32_t y, HICON icon, int32_t state);

// A button's text: empty when it has none (the toolbar answers -1).
std::string ToolbarButtonText(HWND window, int32_t command);

}  // namespace korvath::skin
