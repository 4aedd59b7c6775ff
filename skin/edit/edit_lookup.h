#pragma once
// How a skinned edit finds its state: its `Hw_FuID` names the owner record,
// its `Hw_lbID` its entry in that record's edit list. The entry must really
// be this edit's, so a message that arrives after the owner's record moved
// or went finds no entry instead of another window's.
#include <windows.h>

#include "skin/core/found_entry.h"

namespace korvath::skin {

// The edit's entry (empty when the edit has none) with its number in the
// edit list and its owner record (kept when the numbers lead to no entry of
// the edit, so that its frame can still be drawn over its owner).
EditRef FindEditRecord(HWND control);

}  // namespace korvath::skin
