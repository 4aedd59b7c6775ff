#pragma once
// WM_DRAWITEM of skinned push buttons and of the engine's owner-drawn menu
// items: the skinned form, message-box and container procedures hand the
// message here, and the item's painter is found and called.
#include <windows.h>

#include <cstdint>

#include "skin/core/found_entry.h"

namespace korvath::skin {

// A push-button painter: (button, DC, itemState, item rectangle). The button
// comes found: its window, record and entry.
using SkinButtonPainter = void (*)(const ButtonRef& button, HDC dc, UINT itemState, const RECT& item);

// The push-button painters belong to the button skins, a later layer; they
// put themselves here (kinds with no painter set are not drawn).
struct SkinButtonPainterSet {
  SkinButtonPainter vector = nullptr;   // kind 0: ButtonSkinPaintVector
  SkinButtonPainter picture = nullptr;  // kind 1: ButtonSkinPaint
  SkinButtonPainter image = nullptr;    // kind 3: ButtonSkinPaintImage
};

// Paints the item of a WM_DRAWITEM for the skinned window of record `owner`
// (or of entry `owner` of CompanionWindowList with `companion`):
// - a button: the painter of its entry's kind in the owner's button list
//   (found through the button's `Hw_lbID`); radio buttons, check boxes and
//   other kinds paint through their own window procedure;
// - a menu item of a menu in MenuItemList: MenuSkinItemPaint;
// - anything else, or a number that leads to no entry of that window: nothing.
void SkinDrawItem(int32_t owner, const DRAWITEMSTRUCT& item, bool companion = false);

}  // namespace korvath::skin
