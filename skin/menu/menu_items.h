#pragma once
// Owner-drawn popup-menu items in the engine's look: the background of the
// skinned window behind, washed with the background colour and white, a
// tinted strip down the left edge, a gradient highlight for the hot item, a
// tick in the theme colour, an optional 16 x 16 icon and the caption in the
// item's own font and colour. Only menus described in MenuItemList are
// painted; nothing of this program adds one, so the list stays empty unless
// an application fills it.
#include <windows.h>

#include <cstdint>

#include "skin/core/menu_entries.h"

namespace korvath::skin {

// The 1-based number of the first entry of MenuItemList describing `menu`;
// 0 when there is none.
int32_t MenuSkinItemFind(HMENU menu);

struct SkinWindowRecord;

// Paints the item of a WM_DRAWITEM of a described menu, shown for the skinned
// `window` (whose back buffer gives the background). An item whose item data
// leads to no description is left to the system's drawing. The second form
// takes a window and finds its record by its `Hw_lbID` (a companion window:
// its companion's layer).
void MenuSkinItemPaint(const SkinWindowRecord& window, const DRAWITEMSTRUCT& item);
void MenuSkinItemPaint(HWND window, const DRAWITEMSTRUCT& item);

// Draws the item's content on `dc`, whose origin is the item's top-left
// corner: a separator's three lines, or the highlight when the item is hot,
// the tick when it is checked (in place of its icon), the caption (grey when
// disabled) and the icon.
void MenuSkinItemTextAndIcon(const DRAWITEMSTRUCT& item, HDC dc);

}  // namespace korvath::skin
