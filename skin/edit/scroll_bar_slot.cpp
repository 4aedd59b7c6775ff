#include "skin/edit/scroll_bar_slot.h"

#include <string>

#include "skin/core/entry_lookup.h"
#include "skin/draw/drawing_values.h"
#include "skin/edit/edit_lookup.h"

namespace korvath::skin {

ScrollBarSlot SkinScrollBarSlot(HWND control, ScrollBarAxis axis) {
  const std::string cls = SkinGetClassNameText(control);
  if (cls == "Edit" || cls == "RichEdit20A") {
    return SkinScrollBarSlot(FindEditRecord(control), axis);
  }
  return SkinScrollBarSlot(SkinFindEntry(control, &SkinWindowRecord::Children), axis);
}

}  // namespace korvath::skin
