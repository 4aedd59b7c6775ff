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
#include "skin/core/found_entry.h"
#include "skin/core/subclass.h"
#include "skin/core/window_list.h"
#include "skin/core/window_record.h"

namespace korvath::skin {

template <class Entry>
SkinFoundEntry<Entry> SkinFindEntry(HWND window, std::vector<Entry> SkinWindowRecord::*list,
                                    const SubclassSlot& slot = kSkinSlot) {
  if (!window) return {};
  SkinFoundEntry<Entry> found{SkinSlotOwner(window, slot), SkinSlotNumber(window, slot)};
  found.record = SkinRecordAt(found.owner);
  if (!found.record) return found;
  found.entry = SkinEntryAt(found.record->*list, found.number);
  if (found.entry && found.entry->window != window) found.entry = nullptr;
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
