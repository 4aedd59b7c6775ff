#pragma once
// WM_DRAWITEM of skinned push buttons and of the engine's owner-drawn menu
// items: the skinned form, message-box and container procedures hand the
// message here, and the item's painter is found and called.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

struct SkinWindowRecord;

// Whether the item of a WM_DRAWITEM is the skin's to draw: a control that
// carries a skin's entry (its `Hw_FuID` and `Hw_lbID` both set) or an item of
// a described menu. The procedures hand every other item on.
bool SkinDrawsItem(const DRAWITEMSTRUCT& item);
// Paints the item of a WM_DRAWITEM for the skinned window of `owner`:
// - a button: the painter of its entry's kind in the owner's button list
//   (found through the button's `Hw_lbID`); radio buttons, check boxes and
//   other kinds paint through their own window procedure;
// - a menu item of a menu in MenuItemList: MenuSkinItemPaint;
// - anything else, or a number that leads to no entry of that window: nothing.
void SkinDrawItem(SkinWindowRecord& owner, const DRAWITEMSTRUCT& item);
// A menu item of a described menu shown for entry `companion` of
// CompanionWindowList (nothing else is drawn for a companion window).
void SkinDrawCompanionItem(int32_t companion, const DRAWITEMSTRUCT& item);

}  // namespace korvath::skin
