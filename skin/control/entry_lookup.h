#pragma once
// How a control of this layer finds its entry again: its owner record's
// number and its entry number in the properties its installer set (`Hw_` or,
// in the control layer, `Kj_`). A number that names no record or entry, or
// an entry of another window, finds nothing.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "skin/core/window_list.h"
#include "skin/core/window_props.h"

namespace korvath::skin {

template <class Entry>
struct SkinFoundEntry {
  int32_t owner = 0;
  int32_t number = 0;
  SkinWindowRecord* record = nullptr;
  Entry* entry = nullptr;
};

template <class Entry>
SkinFoundEntry<Entry> SkinFindEntry(HWND window, std::vector<Entry> SkinWindowRecord::*list,
                                    bool controlLayer = false) {
  SkinFoundEntry<Entry> found{int32_t(GetSkinProp(window, controlLayer ? prop::Kj_FuID : prop::Hw_FuID)),
                              int32_t(GetSkinProp(window, controlLayer ? prop::Kj_lbID : prop::Hw_lbID))};
  found.record = SkinRecordAt(found.owner);
  if (!found.record) return found;
  found.entry = SkinEntryAt(found.record->*list, found.number);
  if (found.entry && EntryWindow(*found.entry) != window) found.entry = nullptr;
  return found;
}

}  // namespace korvath::skin
