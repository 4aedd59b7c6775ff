#include "skin/edit/scroll_bar_slot.h"

#include <string>

#include "skin/core/drawing_values.h"

namespace korvath::skin {

namespace {

template <class Entry>
ScrollBarSlot SlotOf(Entry* entry, ScrollBarAxis axis) {
  if (!entry) return {};
  const bool vertical = axis == ScrollBarAxis::Vertical;
  return {vertical ? entry->vScrollOverlay : entry->hScrollOverlay,
          vertical ? &entry->vScrollParts : &entry->hScrollParts};
}

}  // namespace

ScrollBarSlot SkinScrollBarSlot(HWND control, ScrollBarAxis axis) {
  const std::string cls = SkinGetClassNameText(control);
  if (cls == "Edit" || cls == "RichEdit20A") return SlotOf(SkinEditEntryOf(control), axis);
  return SlotOf(SkinChildEntryOf(control), axis);
}

}  // namespace korvath::skin
