#pragma once
// What an entry lookup finds (entry_lookup.h): the owner record's number and
// the entry's, the record, and the entry itself, null when the numbers lead
// to no entry of this window.
#include <cstdint>

namespace korvath::skin {

struct SkinWindowRecord;
struct SkinButtonEntry;

template <class Entry>
struct SkinFoundEntry {
  int32_t owner = 0;
  int32_t number = 0;
  SkinWindowRecord* record = nullptr;
  Entry* entry = nullptr;
  explicit operator bool() const { return entry != nullptr; }
};

// A skinned button as its painters get it: found once per message.
using ButtonRef = SkinFoundEntry<SkinButtonEntry>;

}  // namespace korvath::skin
