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
#include <optional>
#include <string>
#include <vector>

#include "skin/core/callbacks.h"
#include "skin/core/control_entries.h"

namespace korvath::skin {

// One item of an owner-drawn menu.
struct MenuSkinItemEntry {
  ByteSet icon;  // an encoded picture (PNG, say); empty: no icon
  std::string text;
  std::string face;
  COLORREF textColor = 0;
  int32_t size = 0;   // em size in pixels
  int32_t style = 0;  // GDI+ font style bits
  bool separator = false;
};

// One owner-drawn menu. An item's itemData holds the 1-based number of its
// menu's entry here in its high word and of its item in the low word.
struct MenuSkinEntry {
  HMENU menu = nullptr;
  int32_t itemWidth = 0;   // reported for every item
  int32_t itemHeight = 0;  // reported for every item but separators (12)
  std::optional<COLORREF> colour = COLORREF{0};  // tint of strip and highlight; none: SkinThemeColor
  std::vector<MenuSkinItemEntry> items;
  // Called with the item number when an item of the menu is chosen.
  SkinRoutine itemHandler;
};


// The tick in the theme colour, encoded as PNG: made by the button skins'
// recolouring, which puts itself here; without it a checked item shows no tick.
using SkinTickPicture = ByteSet (*)();

// The 1-based number of the first entry of MenuItemList describing `menu`;
// 0 when there is none.
int32_t MenuSkinItemFind(HMENU menu);

// Paints the item of a WM_DRAWITEM of a described menu, shown for the skinned
// `window` (whose back buffer gives the background). An item whose item data
// leads to no description is left to the system's drawing.
void MenuSkinItemPaint(HWND window, const DRAWITEMSTRUCT& item);

// Draws the item's content on `dc`, whose origin is the item's top-left
// corner: a separator's three lines, or the highlight when the item is hot,
// the tick when it is checked (in place of its icon), the caption (grey when
// disabled) and the icon.
void MenuSkinItemTextAndIcon(const DRAWITEMSTRUCT& item, HDC dc);

}  // namespace korvath::skin
