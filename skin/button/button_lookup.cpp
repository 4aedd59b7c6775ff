#include "skin/button/button_lookup.h"

#include "skin/core/entry_lookup.h"
#include "skin/draw/drawing_values.h"

namespace korvath::skin {

ButtonRef FindButton(HWND button) { return SkinFindEntry(button, &SkinWindowRecord::Buttons); }

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
