#pragma once
// The one prologue of every control skin's installer: the control takes an
// entry slot in its owner record's list for its kind (SkinTakeEntrySlot's
// rule), the entry starts fresh with its window, the installer fills the
// rest, and the skin's procedure is put in front of the control's own; the
// control then carries the entry's number, the record's number and the
// procedure it had in the slot's properties, and the entry keeps the
// replaced procedure.
#include <windows.h>

#include "skin/core/found_entry.h"
#include "skin/core/subclass.h"
#include "skin/core/window_list.h"
#include "skin/core/window_record.h"

namespace korvath::skin {

// How the control is subclassed.
struct SkinEntryProcedure {
  WNDPROC procedure = nullptr;
  const SubclassSlot* slot = &kSkinSlot;
  bool overAnotherSkin = false;  // a container in front of a control-layer skin
};

// `fill` gets the entry (a SkinFoundEntry<Entry>) between the head and the
// subclassing: it may send messages or attach nested containers that make
// the list grow, which leaves the entry where it is. The answer is the
// entry. A refused subclassing (another skin stands in front, which every
// installer tests first) leaves the entry with its window and no saved
// procedure.
template <class Entry, class Fill>
SkinFoundEntry<Entry> SkinTakeEntry(SkinWindowRecord& record, SkinEntryList<Entry> SkinWindowRecord::*list,
                                    HWND control, const SkinEntryProcedure& how, Fill&& fill) {
  SkinFoundEntry<Entry> entry;
  entry.record = &record;
  entry.number = SkinTakeEntrySlot(record.*list);
  entry.entry = &(record.*list)[size_t(entry.number) - 1];
  const int32_t recordNumber = SkinRecordNumber(record);
  *entry = Entry{};
  entry->window = control;
  fill(entry);
  entry->savedProc = SkinSubclass(control, {.procedure = how.procedure,
                                            .ownerNumber = recordNumber,
                                            .entryNumber = entry.number,
                                            .slot = how.slot,
                                            .overAnotherSkin = how.overAnotherSkin});
  return entry;
}

// The same with nothing to fill.
template <class Entry>
SkinFoundEntry<Entry> SkinTakeEntry(SkinWindowRecord& record, SkinEntryList<Entry> SkinWindowRecord::*list,
                                    HWND control, const SkinEntryProcedure& how) {
  return SkinTakeEntry(record, list, control, how, [](const SkinFoundEntry<Entry>&) {});
}

}  // namespace korvath::skin
