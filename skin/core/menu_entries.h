#pragma once
// The descriptions of the owner-drawn popup menus the engine paints
// (skin/menu/menu_items.h), as the engine's MenuItemList holds them.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "skin/values/byte_set.h"
#include "skin/core/skin_routine.h"

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

}  // namespace korvath::skin
