#include "skin/button/button_lookup.h"

#include "skin/core/window_list.h"
#include "skin/core/window_props.h"

namespace korvath::skin {

ButtonRef FindButton(HWND button) {
  if (!button) return {};
  SkinWindowRecord* record = SkinRecordAt(int32_t(GetSkinProp(button, prop::Hw_FuID)));
  if (!record) return {};
  const auto number = int32_t(GetSkinProp(button, prop::Hw_lbID));
  SkinButtonEntry* entry = SkinEntryAt(record->Buttons, number);
  if (!entry || entry->Window != button) return {};
  return {record, entry, number};
}

bool HasStyleMask(HWND window, LONG mask) {
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  return (style | mask) == style;
}

bool IsPushButtonStyle(HWND button) {
  return !HasStyleMask(button, BS_CHECKBOX) && !HasStyleMask(button, BS_AUTORADIOBUTTON) &&
         !HasStyleMask(button, BS_RADIOBUTTON);
}

bool IsAutoRadioButtonStyle(HWND button) {
  return !HasStyleMask(button, BS_CHECKBOX) && HasStyleMask(button, BS_AUTORADIOBUTTON) &&
         !HasStyleMask(button, BS_RADIOBUTTON);
}

bool IsCheckBoxStyle(HWND button) {
  return HasStyleMask(button, BS_CHECKBOX) && !HasStyleMask(button, BS_RADIOBUTTON);
}

}  // namespace korvath::skin
