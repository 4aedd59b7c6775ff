#pragma once
// A skinned control's entry as its procedure found it (entry_lookup.h): the
// entry itself, its owner record and its number there (the number its
// `Hw_lbID` or `Kj_lbID` carries). Found once per message and passed down:
// the list keeps the entry where it is while installers and attaches make it
// grow (entry_list.h), so every use is a plain access. The entry dies with
// its record (the top-level window destroyed) and, for a container, with its
// own window: after a call that can destroy windows or run a modal loop (the
// procedure behind the skin, a callback of the application), a procedure
// finds its entry again instead of using the one it holds.
#include <cstdint>

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

template <class Entry>
struct SkinFoundEntry {
  // The record the control's owner number names (kept when the entry number
  // leads to no entry of the control).
  SkinWindowRecord* record = nullptr;
  // Null: the numbers lead to no entry of the control it was found for.
  Entry* entry = nullptr;
  int32_t number = 0;

  Entry* get() const { return entry; }
  Entry* operator->() const { return entry; }
  Entry& operator*() const { return *entry; }
  explicit operator bool() const { return entry != nullptr; }
};

// Each kind's entry as its procedure finds it and its painters get it.
using ButtonRef = SkinFoundEntry<SkinButtonEntry>;
using ChildRef = SkinFoundEntry<SkinChildEntry>;
using ComboRef = SkinFoundEntry<SkinComboEntry>;
using ContainerRef = SkinFoundEntry<SkinContainerEntry>;
using EditRef = SkinFoundEntry<SkinEditEntry>;
using HeaderRef = SkinFoundEntry<SkinHeaderEntry>;
using LabelRef = SkinFoundEntry<SkinLabelEntry>;
using ProgressRef = SkinFoundEntry<SkinProgressEntry>;
using StaticRef = SkinFoundEntry<SkinStaticEntry>;
using ToolbarRef = SkinFoundEntry<SkinToolbarEntry>;  // a control under the control layer
using TrackbarRef = SkinFoundEntry<SkinTrackbarEntry>;
using UpDownRef = SkinFoundEntry<SkinUpDownEntry>;

}  // namespace korvath::skin
