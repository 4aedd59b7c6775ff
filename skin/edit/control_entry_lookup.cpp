#include "skin/edit/control_entry_lookup.h"

#include "skin/core/drawing_values.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"

namespace korvath::skin {

int32_t SkinOwnerNumber(HWND control) {
  return static_cast<int32_t>(GetSkinProp(control, prop::Hw_FuID));
}

SkinWindowRecord* SkinOwnerRecord(HWND control) { return SkinRecordAt(SkinOwnerNumber(control)); }

int32_t SkinEntryNumber(HWND control) {
  return static_cast<int32_t>(GetSkinProp(control, prop::Hw_lbID));
}

SkinEditEntry* SkinEditEntryOf(HWND control) {
  SkinWindowRecord* record = SkinOwnerRecord(control);
  return record ? SkinEntryAt(record->Edits, SkinEntryNumber(control)) : nullptr;
}

SkinComboEntry* SkinComboEntryOf(HWND control) {
  SkinWindowRecord* record = SkinOwnerRecord(control);
  return record ? SkinEntryAt(record->Combos, SkinEntryNumber(control)) : nullptr;
}

SkinChildEntry* SkinChildEntryOf(HWND control) {
  SkinWindowRecord* record = SkinOwnerRecord(control);
  return record ? SkinEntryAt(record->Children, SkinEntryNumber(control)) : nullptr;
}

int32_t FindEditRecord(int32_t windowIndex, HWND control) {
  SkinWindowRecord* record = SkinRecordAt(windowIndex);
  if (!record || !control) return 0;
  for (size_t i = 0; i < record->Edits.size(); ++i) {
    if (record->Edits[i].hwnd == control) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

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

LRESULT SkinPassOn(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto saved = GetSkinPropHandle<WNDPROC>(control, prop::Hw_hProc);
  return saved ? CallWindowProcW(saved, control, message, wParam, lParam)
               : DefWindowProcW(control, message, wParam, lParam);
}

WNDPROC SkinSubclassControl(HWND control, WNDPROC procedure, int32_t entryNumber,
                            int32_t windowIndex) {
  const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
  SetSkinProp(control, prop::Hw_lbID, entryNumber);
  SetSkinProp(control, prop::Hw_FuID, windowIndex);
  SetSkinPropHandle(control, prop::Hw_hProc, previous);
  SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
  return previous;
}

}  // namespace korvath::skin
