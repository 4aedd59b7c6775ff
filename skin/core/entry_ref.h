#pragma once
// A skinned control's entry as its procedure holds it: the owner record, the
// entry's list in that record and its number there (the number its `Hw_lbID`
// or `Kj_lbID` carries). The entry itself is read through the number at each
// use, so that it stays right while an installer or an attach makes the list
// grow (a vector moves its elements when it grows). Found once per message
// (entry_lookup.h) and passed down; found again only after a call that can
// run a modal loop or destroy windows.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvath::skin {

struct SkinWindowRecord;
struct SkinButtonEntry;
struct SkinChildEntry;
struct SkinComboEntry;
struct SkinContainerEntry;
struct SkinEditEntry;
struct SkinHeaderEntry;
struct SkinLabelEntry;
struct SkinProgressEntry;
struct SkinStaticEntry;
struct SkinToolbarEntry;
struct SkinTrackbarEntry;
struct SkinUpDownEntry;

// Entry n (1-based) of a list, or null outside it.
template <class Entry>
Entry* SkinEntryAt(std::vector<Entry>& list, int32_t n) {
  if (n < 1 || size_t(n) > list.size()) return nullptr;
  return &list[size_t(n) - 1];
}
template <class Entry>
const Entry* SkinEntryAt(const std::vector<Entry>& list, int32_t n) {
  if (n < 1 || size_t(n) > list.size()) return nullptr;
  return &list[size_t(n) - 1];
}

template <class Entry>
struct SkinEntryRef {
  SkinWindowRecord* record = nullptr;
  // Null: the number leads to no entry of the control it was found for.
  std::vector<Entry> SkinWindowRecord::*list = nullptr;
  int32_t number = 0;

  // The entry, or null when the number names none. (Its users know the
  // record: window_record.h.)
  Entry* get() const { return record && list ? SkinEntryAt(record->*list, number) : nullptr; }
  Entry* operator->() const { return get(); }
  Entry& operator*() const { return *get(); }
  explicit operator bool() const { return get() != nullptr; }
};

// Each kind's entry as its procedure finds it and its painters get it.
using ButtonRef = SkinEntryRef<SkinButtonEntry>;
using ChildRef = SkinEntryRef<SkinChildEntry>;
using ComboRef = SkinEntryRef<SkinComboEntry>;
using ContainerRef = SkinEntryRef<SkinContainerEntry>;
using EditRef = SkinEntryRef<SkinEditEntry>;
using HeaderRef = SkinEntryRef<SkinHeaderEntry>;
using LabelRef = SkinEntryRef<SkinLabelEntry>;
using ProgressRef = SkinEntryRef<SkinProgressEntry>;
using StaticRef = SkinEntryRef<SkinStaticEntry>;
using ToolbarRef = SkinEntryRef<SkinToolbarEntry>;  // a control under the control layer
using TrackbarRef = SkinEntryRef<SkinTrackbarEntry>;
using UpDownRef = SkinEntryRef<SkinUpDownEntry>;

}  // namespace korvath::skin
