#pragma once
// How a skinned window finds its entry again: its slot's owner number names
// the owner record, its entry number the entry in the owner's list for its
// kind. Every lookup answers null for numbers that name no record or entry,
// and for an entry that is not this window's (a stale or foreign number), so
// that a stray message never reads outside a list or another window's state.
#include <windows.h>

#include <cstdint>

#include "skin/core/control_entries.h"
#include "skin/core/found_entry.h"
#include "skin/core/subclass.h"
#include "skin/core/window_list.h"
#include "skin/core/window_record.h"

namespace korvath::skin {

// The control's entry in the list for its kind of the record its slot names:
// the one record lookup of every control procedure. Empty (no entry) when
// the numbers lead to no entry of this window; the record is kept when they
// name one.
template <class Entry>
SkinFoundEntry<Entry> SkinFindEntry(HWND window, SkinEntryList<Entry> SkinWindowRecord::*list,
                                    const SubclassSlot& slot = kSkinSlot) {
  if (!window) return {};
  SkinFoundEntry<Entry> found;
  found.number = SkinSlotNumber(window, slot);
  found.record = SkinRecordAt(SkinSlotOwner(window, slot));
  if (!found.record) return found;
  Entry* entry = SkinEntryAt(found.record->*list, found.number);
  if (entry && entry->window == window) found.entry = entry;
  return found;
}

// Entry `number` of the record's list as a procedure holds it, for a caller
// that has the numbers rather than the window (empty outside the list).
template <class Entry>
SkinFoundEntry<Entry> SkinFoundEntryAt(SkinWindowRecord& record, SkinEntryList<Entry> SkinWindowRecord::*list,
                                       int32_t number) {
  return {.record = &record, .entry = SkinEntryAt(record.*list, number), .number = number};
}

// The record that the control's owner number (`Hw_FuID`) names: for a
// control that has no entry of its own.
SkinWindowRecord* SkinOwnerRecord(HWND control);

}  // namespace korvath::skin
