#include "skin/core/owner_draw.h"

#include "skin/core/engine_state.h"
#include "skin/core/menu_items.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"

namespace korvath::skin {


namespace {

SkinButtonPainter PainterOfKind(ButtonKind kind) {
  switch (kind) {
    case ButtonKind::Vector: return SkinEngine.options.SkinButtonPainters.vector;
    case ButtonKind::Picture: return SkinEngine.options.SkinButtonPainters.picture;
    case ButtonKind::Image: return SkinEngine.options.SkinButtonPainters.image;
    default: return nullptr;  // radio buttons, check boxes, image toggles
  }
}

void DrawButton(int32_t owner, const DRAWITEMSTRUCT& item) {
  const auto number = static_cast<int32_t>(GetSkinProp(item.hwndItem, prop::Hw_lbID));
  if (number <= 0) return;
  SkinWindowRecord* record = SkinRecordAt(owner);
  if (!record) return;
  SkinButtonEntry* entry = SkinEntryAt(record->Buttons, number);
  // A stale number (the button is not the entry's) must not paint another
  // button's look over this one.
  if (!entry || entry->window != item.hwndItem) return;
  if (SkinButtonPainter paint = PainterOfKind(entry->Kind)) {
    paint(ButtonRef{.record = record, .list = &SkinWindowRecord::Buttons, .number = number, .owner = owner}, item.hDC,
          item.itemState, item.rcItem);
  }
}

HWND PaintingWindow(int32_t owner, bool companion) {
  if (companion) {
    if (owner < 1 || size_t(owner) > SkinEngine.lists.CompanionWindowList.size()) return nullptr;
    return SkinEngine.lists.CompanionWindowList[size_t(owner) - 1].window;
  }
  const SkinWindowRecord* record = SkinRecordAt(owner);
  return record ? record->Window : nullptr;
}

void DrawMenuItem(int32_t owner, const DRAWITEMSTRUCT& item, bool companion) {
  if (MenuSkinItemFind(reinterpret_cast<HMENU>(item.hwndItem)) == 0) return;
  if (HWND window = PaintingWindow(owner, companion)) MenuSkinItemPaint(window, item);
}

}  // namespace

void SkinDrawItem(int32_t owner, const DRAWITEMSTRUCT& item, bool companion) {
  switch (item.CtlType) {
    case ODT_BUTTON:
      if (!companion) DrawButton(owner, item);
      break;
    case ODT_MENU:
      DrawMenuItem(owner, item, companion);
      break;
    default:
      break;  // list boxes, combo boxes, tabs, list views: their own painting
  }
}

}  // namespace korvath::skin
