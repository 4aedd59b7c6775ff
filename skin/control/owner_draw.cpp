#include "skin/control/owner_draw.h"

#include "skin/button/button_painters.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/skin_message.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/menu/menu_items.h"

namespace korvath::skin {


namespace {

void DrawButton(SkinWindowRecord& owner, const DRAWITEMSTRUCT& item) {
  const auto number = static_cast<int32_t>(GetSkinProp(item.hwndItem, prop::Hw_lbID));
  if (number <= 0) return;
  const ButtonRef button = SkinFoundEntryAt(owner, &SkinWindowRecord::Buttons, number);
  // A stale number (the button is not the entry's) must not paint another
  // button's look over this one.
  if (!button || button->window != item.hwndItem) return;
  // Radio buttons, check boxes and image toggles paint themselves.
  const ButtonPainting* painting = ButtonPaintingOf(button->Kind);
  if (painting && !painting->paintsItself) painting->paint(button, item.hDC, item.itemState, item.rcItem);
}

bool IsDescribedMenuItem(const DRAWITEMSTRUCT& item) { return MenuSkinItemFind(SkinMenuOfItem(item)) != 0; }

}  // namespace

bool SkinDrawsItem(const DRAWITEMSTRUCT& item) {
  const bool skinnedControl =
      GetSkinProp(item.hwndItem, prop::Hw_FuID) > 0 && GetSkinProp(item.hwndItem, prop::Hw_lbID) > 0;
  return skinnedControl || MenuSkinItemFind(SkinMenuOfItem(item)) > 0;
}

void SkinDrawItem(SkinWindowRecord& owner, const DRAWITEMSTRUCT& item) {
  switch (item.CtlType) {
    case ODT_BUTTON:
      DrawButton(owner, item);
      break;
    case ODT_MENU:
      if (IsDescribedMenuItem(item)) MenuSkinItemPaint(owner, item);
      break;
    default:
      break;  // list boxes, combo boxes, tabs, list views: their own painting
  }
}

void SkinDrawCompanionItem(int32_t companion, const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_MENU || !IsDescribedMenuItem(item)) return;
  const CompanionWindowEntry* entry = SkinEntryAt(SkinEngine.lists.CompanionWindowList, companion);
  if (entry && entry->window) MenuSkinItemPaint(entry->window, item);
}

}  // namespace korvath::skin
