#pragma once
// `SkinWindowList`: one record per skinned top-level window, in the order the
// windows were skinned. Windows find their records by number through their
// properties (window_props.h):
// - a skinned top-level window carries `Hw_lbID` = its record number;
// - a skinned child control carries `Hw_FuID` = its owner's record number and
//   `Hw_lbID` = its position in the owner's list for its kind;
// - toolbars and single-attached controls carry the pair as `Kj_FuID`/`Kj_lbID`.
// Numbers are rewritten when a record before them is removed.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "skin/core/engine_state.h"
#include "skin/core/window_record.h"

namespace korvath::skin {


// Number of the first record whose window is `window`; 0 when none (also for
// the null handle).
int32_t SkinFindWindowRecord(HWND window);
// Number of the record of the nearest skinned window among the window itself
// and its parent and owner chain, up to its root owner; 0 when none.
int32_t SkinTopSkinnedAncestor(HWND window);
// Position of `window` in record n's button list / container list; 0 when it
// is not there or n is no record.
int32_t SkinFindControlInRecord(int32_t n, HWND window);
int32_t SkinFindContainerEntry(int32_t n, HWND window);

// Record n, or null when n is outside 1 .. number of records.
SkinWindowRecord* SkinRecordAt(int32_t n);
// The record that `window`'s `Hw_lbID` names, when that record is really the
// window's (a stale or foreign number gives null).
SkinWindowRecord* SkinRecordOfWindow(HWND window);

// Appends a record, sets `Hw_lbID` on its window and returns its number.
int32_t SkinAppendWindowRecord(std::unique_ptr<SkinWindowRecord> record);
// Releases record n and removes it; every later record moves up by one, and
// every remaining record i is renumbered: its window gets `Hw_lbID` = i, the
// windows of its per-kind entries (and their scroll-bar overlays) `Hw_FuID`
// = i (toolbar entries `Kj_FuID`); while records remain, each panel of the
// callback list gets its nearest skinned ancestor's number as `Hw_FuID`.
// No property is removed. Does nothing for a number that is no record.
void SkinRemoveWindowRecord(int32_t n);

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
int32_t SkinTakeEntrySlot(std::vector<Entry>& list) {
  if (list.size() == 1 && EntryWindow(list.front()) == nullptr) return 1;
  list.emplace_back();
  return static_cast<int32_t>(list.size());
}

// Entry n (1-based) of a list, or null outside it.
template <class Entry>
Entry* SkinEntryAt(std::vector<Entry>& list, int32_t n) {
  if (n < 1 || size_t(n) > list.size()) return nullptr;
  return &list[size_t(n) - 1];
}

}  // namespace korvath::skin
