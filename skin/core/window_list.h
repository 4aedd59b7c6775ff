#pragma once
// `SkinWindowList`: one record per skinned top-level window, in the order the
// windows were skinned. Windows find their records by number through their
// properties (window_props.h):
// - a skinned top-level window carries `Hw_lbID` = its record number;
// - a skinned child control carries `Hw_FuID` = its owner's record number and
//   `Hw_lbID` = its position in the owner's list for its kind;
// - toolbars and single-attached controls carry the pair as `Kj_FuID`/`Kj_lbID`.
// Numbers are rewritten when a record before them is removed. A record keeps
// its address while it lives, and so does each entry of its lists
// (entry_list.h): a window procedure finds its record or entry once per
// message and passes it on by reference (found_entry.h).
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "skin/core/engine_state.h"
#include "skin/core/found_entry.h"
#include "skin/core/window_record.h"

namespace korvath::skin {

// Number of the first record whose window is `window`; 0 when none (also for
// the null handle).
int32_t SkinFindWindowRecord(HWND window);
// Number of the record of the nearest skinned window among the window itself
// and its parent and owner chain, up to its root owner; 0 when none.
int32_t SkinTopSkinnedAncestor(HWND window);
// That record itself (the same walk); null when none.
SkinWindowRecord* SkinTopSkinnedRecord(HWND window);
// Position of `window` in the record's button list / container list; 0 when
// it is not there. Each searches its list from the start.
int32_t SkinFindControlInRecord(const SkinWindowRecord& record, HWND window);
int32_t SkinFindContainerEntry(const SkinWindowRecord& record, HWND window);
// How many times these searches went through a list since the engine
// started: the paths that find entries by the numbers their windows carry
// (typing, a repaint, a save) must leave it unchanged.
uint64_t SkinEntryListSearches();
// The number of the window's own entry in the record's container list, read
// at the number the window carries (a registered container's `Hw_lbID` is
// its place in the list, rewritten whenever the list renumbers) and checked
// against that entry's window: 0 when the window is none of the record's
// containers, also when its number names an entry of another kind. No
// search: what every paint of every control asks of the windows around it.
int32_t SkinContainerNumberOf(const SkinWindowRecord& record, HWND window);
// That entry itself; null when the window is none of the record's containers.
SkinContainerEntry* SkinContainerEntryOf(SkinWindowRecord& record, HWND window);
const SkinContainerEntry* SkinContainerEntryOf(const SkinWindowRecord& record, HWND window);

// Record `recordNumber`, or null outside 1 .. number of records: the way from
// a number that a property carries to its record.
SkinWindowRecord* SkinRecordAt(int32_t recordNumber);
// The record that `window`'s `Hw_lbID` names, when that record is really the
// window's (a stale or foreign number gives null).
SkinWindowRecord* SkinRecordOfWindow(HWND window);
// The number the record's window carries in `Hw_lbID`, its place in
// SkinWindowList: what its controls carry as their owner's number and the
// caption callback gets as its first argument. (Read from the engine's own
// table of properties; `Hw_lbID` of a top-level window is written only when
// its record is appended or renumbered.)
int32_t SkinRecordNumber(const SkinWindowRecord& record);

// Appends a record and sets `Hw_lbID` on its window; answers the record as it
// lives in the list (null when given none).
SkinWindowRecord* SkinAppendWindowRecord(std::unique_ptr<SkinWindowRecord> record);
// Releases record `recordNumber` and removes it; every later record moves up
// by one (its address stays), and
// every remaining record i is renumbered: its window gets `Hw_lbID` = i, the
// windows of its per-kind entries (and their scroll-bar overlays) `Hw_FuID`
// = i (toolbar entries `Kj_FuID`); while records remain, each panel of the
// callback list gets its nearest skinned ancestor's number as `Hw_FuID`.
// No property is removed. Does nothing for a number that is no record.
void SkinRemoveWindowRecord(int32_t recordNumber);

// The window an entry belongs to: every kind of entry spells it `window`.
template <class Entry>
HWND EntryWindow(const Entry& e) {
  return e.window;
}

// The slot rule of every per-kind list: a list holding only its zeroed
// element (window 0) gives that element, number 1; otherwise the list grows
// by one zeroed entry and gives the new last number. The caller fills the
// entry at that number.
template <class Entry>
int32_t SkinTakeEntrySlot(SkinEntryList<Entry>& list) {
  if (list.size() == 1 && EntryWindow(list.front()) == nullptr) return 1;
  list.emplace_back();
  return static_cast<int32_t>(list.size());
}

}  // namespace korvath::skin
