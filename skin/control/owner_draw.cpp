#include "skin/control/owner_draw.h"

#include "skin/button/image_button_painter.h"
#include "skin/button/picture_button_painter.h"
#include "skin/button/vector_button_painter.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/skin_message.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/menu/menu_items.h"

namespace korvath::skin {


namespace {

// A push-button painter: (button, DC, itemState, item rectangle). The button
// comes found: its window, record and entry.
using ButtonPainter = void (*)(const ButtonRef& button, HDC dc, UINT itemState, const RECT& item);

ButtonPainter PainterOfKind(ButtonKind kind) {
  switch (kind) {
    case ButtonKind::Vector: return ButtonSkinPaintVector;
    case ButtonKind::Picture: return ButtonSkinPaint;
    case ButtonKind::Image: return ButtonSkinPaintImage;
    default: return nullptr;  // radio buttons, check boxes, image toggles
  }
}

void DrawButton(SkinWindowRecord& owner, const DRAWITEMSTRUCT& item) {
  const auto number = static_cast<int32_t>(GetSkinProp(item.hwndItem, prop::Hw_lbID));
  if (number <= 0) return;
  const ButtonRef button = SkinFoundEntryAt(owner, &SkinWindowRecord::Buttons, number);
  // A stale number (the button is not the entry's) must not paint another
  // button's look over this one.
  if (!button || button->window != item.hwndItem) return;
  if (ButtonPainter paint = PainterOfKind(button->Kind)) paint(button, item.hDC, item.itemState, item.rcItem);
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
