#pragma once
// How a skinned window finds its entry again: its slot's owner number names
// the owner record, its entry number the entry in the owner's list for its
// kind. Every lookup answers null for numbers that name no record or entry,
// and for an entry that is not this window's (a stale or foreign number), so
// that a stray message never reads outside a list or another window's state.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "skin/core/control_entries.h"
#include "skin/core/entry_ref.h"
#include "skin/core/subclass.h"
#include "skin/core/window_list.h"
#include "skin/core/window_record.h"

namespace korvath::skin {

// The control's entry in the list for its kind of the record its slot names:
// the one record lookup of every control procedure. Empty (no entry) when
// the numbers lead to no entry of this window; the record is kept when they
// name one.
template <class Entry>
SkinEntryRef<Entry> SkinFindEntry(HWND window, std::vector<Entry> SkinWindowRecord::*list,
                                  const SubclassSlot& slot = kSkinSlot) {
  if (!window) return {};
  SkinEntryRef<Entry> found;
  found.number = SkinSlotNumber(window, slot);
  found.record = SkinRecordAt(SkinSlotOwner(window, slot));
  if (!found.record) return found;
  const Entry* entry = SkinEntryAt(found.record->*list, found.number);
  if (entry && entry->window == window) found.list = list;
  return found;
}

// The owner record's number (`Hw_FuID`), and the record it names.
int32_t SkinOwnerNumber(HWND control);
SkinWindowRecord* SkinOwnerRecord(HWND control);
// The control's entry number (`Hw_lbID`).
int32_t SkinEntryNumber(HWND control);

SkinEditEntry* SkinEditEntryOf(HWND control);
SkinComboEntry* SkinComboEntryOf(HWND control);
SkinChildEntry* SkinChildEntryOf(HWND control);

// Number of the first entry of record `windowIndex`'s edit list whose window
// is `control`; 0 when there is none (the zeroed element never matches).
int32_t FindEditRecord(int32_t windowIndex, HWND control);

}  // namespace korvath::skin
