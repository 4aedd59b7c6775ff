#include "skin/core/entry_lookup.h"

namespace korvath::skin {

int32_t SkinOwnerNumber(HWND control) { return SkinSlotOwner(control); }

SkinWindowRecord* SkinOwnerRecord(HWND control) { return SkinRecordAt(SkinOwnerNumber(control)); }

int32_t SkinEntryNumber(HWND control) { return SkinSlotNumber(control); }

SkinEditEntry* SkinEditEntryOf(HWND control) { return SkinFindEntry(control, &SkinWindowRecord::Edits).get(); }

SkinComboEntry* SkinComboEntryOf(HWND control) { return SkinFindEntry(control, &SkinWindowRecord::Combos).get(); }

SkinChildEntry* SkinChildEntryOf(HWND control) { return SkinFindEntry(control, &SkinWindowRecord::Children).get(); }

int32_t FindEditRecord(int32_t windowIndex, HWND control) {
  SkinWindowRecord* record = SkinRecordAt(windowIndex);
  if (!record || !control) return 0;
  for (size_t i = 0; i < record->Edits.size(); ++i) {
    if (record->Edits[i].window == control) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

}  // namespace korvath::skin
