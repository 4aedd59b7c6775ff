#include "skin/core/window_list.h"

#include <utility>

#include "skin/core/window_props.h"

namespace korvath::skin {

namespace {

uint64_t searches = 0;

template <class Entry>
int32_t FindInList(const SkinEntryList<Entry>& list, HWND window) {
  if (!window) return 0;
  ++searches;
  for (size_t i = 0; i < list.size(); ++i) {
    if (EntryWindow(list[i]) == window) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

template <class Entry>
void SetOwnerNumber(const SkinEntryList<Entry>& list, SkinProp key, int32_t recordNumber) {
  for (const Entry& entry : list) {
    if (HWND window = EntryWindow(entry)) SetSkinProp(window, key, recordNumber);
  }
}

// The scroll-bar overlays of edits and list-type controls name their owner
// record too.
template <class Entry>
void SetOverlayOwnerNumber(const SkinEntryList<Entry>& list, int32_t recordNumber) {
  for (const Entry& entry : list) {
    if (entry.vScrollOverlay) SetSkinProp(entry.vScrollOverlay, prop::Hw_FuID, recordNumber);
    if (entry.hScrollOverlay) SetSkinProp(entry.hScrollOverlay, prop::Hw_FuID, recordNumber);
  }
}

void RenumberRecord(SkinWindowRecord& record, int32_t recordNumber) {
  SetSkinProp(record.Window, prop::Hw_lbID, recordNumber);
  SetOwnerNumber(record.Buttons, prop::Hw_FuID, recordNumber);
  SetOwnerNumber(record.Edits, prop::Hw_FuID, recordNumber);
  SetOwnerNumber(record.Children, prop::Hw_FuID, recordNumber);
  SetOverlayOwnerNumber(record.Edits, recordNumber);
  SetOverlayOwnerNumber(record.Children, recordNumber);
  SetOwnerNumber(record.Trackbars, prop::Hw_FuID, recordNumber);
  SetOwnerNumber(record.Progresses, prop::Hw_FuID, recordNumber);
  SetOwnerNumber(record.Combos, prop::Hw_FuID, recordNumber);
  SetOwnerNumber(record.UpDowns, prop::Hw_FuID, recordNumber);
  SetOwnerNumber(record.Headers, prop::Hw_FuID, recordNumber);
  SetOwnerNumber(record.Statics, prop::Hw_FuID, recordNumber);
  SetOwnerNumber(record.Labels, prop::Hw_FuID, recordNumber);
  SetOwnerNumber(record.Containers, prop::Hw_FuID, recordNumber);
  SetOwnerNumber(record.Toolbars, prop::Kj_FuID, recordNumber);
}

// The number the window's `Hw_lbID` names when that record is really the
// window's; 0 for a stale or foreign number.
int32_t OwnRecordNumber(HWND window) {
  const auto recordNumber = static_cast<int32_t>(GetSkinProp(window, prop::Hw_lbID));
  const SkinWindowRecord* record = SkinRecordAt(recordNumber);
  return record && record->Window == window ? recordNumber : 0;
}

}  // namespace

int32_t SkinFindWindowRecord(HWND window) {
  if (!window) return 0;
  for (size_t i = 0; i < SkinEngine.lists.SkinWindowList.size(); ++i) {
    if (SkinEngine.lists.SkinWindowList[i]->Window == window) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

int32_t SkinTopSkinnedAncestor(HWND window) {
  if (!window) return 0;
  // Each step reads the window's own number rather than scanning the list:
  // every record's window carries it.
  if (int32_t recordNumber = OwnRecordNumber(window)) return recordNumber;
  HWND root = GetAncestor(window, GA_ROOTOWNER);
  HWND current = window;
  for (;;) {
    // GetParent gives the parent of a child and the owner of a pop-up.
    current = GetParent(current);
    if (!current) return 0;
    if (int32_t recordNumber = OwnRecordNumber(current)) return recordNumber;
    if (current == root) return 0;
  }
}

SkinWindowRecord* SkinTopSkinnedRecord(HWND window) { return SkinRecordAt(SkinTopSkinnedAncestor(window)); }

int32_t SkinFindControlInRecord(const SkinWindowRecord& record, HWND window) {
  return FindInList(record.Buttons, window);
}

int32_t SkinFindContainerEntry(const SkinWindowRecord& record, HWND window) {
  return FindInList(record.Containers, window);
}

int32_t SkinContainerNumberOf(const SkinWindowRecord& record, HWND window) {
  if (!window) return 0;
  const auto number = static_cast<int32_t>(GetSkinProp(window, prop::Hw_lbID));
  const SkinContainerEntry* entry = SkinEntryAt(record.Containers, number);
  return entry && entry->window == window ? number : 0;
}

SkinContainerEntry* SkinContainerEntryOf(SkinWindowRecord& record, HWND window) {
  return SkinEntryAt(record.Containers, SkinContainerNumberOf(record, window));
}

const SkinContainerEntry* SkinContainerEntryOf(const SkinWindowRecord& record, HWND window) {
  return SkinEntryAt(record.Containers, SkinContainerNumberOf(record, window));
}

uint64_t SkinEntryListSearches() { return searches; }

SkinWindowRecord* SkinRecordAt(int32_t recordNumber) {
  if (recordNumber < 1 || size_t(recordNumber) > SkinEngine.lists.SkinWindowList.size()) return nullptr;
  return SkinEngine.lists.SkinWindowList[size_t(recordNumber) - 1].get();
}

SkinWindowRecord* SkinRecordOfWindow(HWND window) { return SkinRecordAt(OwnRecordNumber(window)); }

int32_t SkinRecordNumber(const SkinWindowRecord& record) {
  return static_cast<int32_t>(GetSkinProp(record.Window, prop::Hw_lbID));
}

SkinWindowRecord* SkinAppendWindowRecord(std::unique_ptr<SkinWindowRecord> record) {
  if (!record) return nullptr;
  SkinWindowRecord* appended = record.get();
  SkinEngine.lists.SkinWindowList.push_back(std::move(record));
  SetSkinProp(appended->Window, prop::Hw_lbID, static_cast<int32_t>(SkinEngine.lists.SkinWindowList.size()));
  return appended;
}

void SkinRemoveWindowRecord(int32_t recordNumber) {
  if (!SkinRecordAt(recordNumber)) return;
  // Taken out of the list first, so that nothing its release triggers finds
  // it by number any more.
  std::unique_ptr<SkinWindowRecord> removed = std::move(SkinEngine.lists.SkinWindowList[size_t(recordNumber) - 1]);
  SkinEngine.lists.SkinWindowList.erase(SkinEngine.lists.SkinWindowList.begin() + (recordNumber - 1));
  removed.reset();
  for (size_t i = 0; i < SkinEngine.lists.SkinWindowList.size(); ++i) {
    RenumberRecord(*SkinEngine.lists.SkinWindowList[i], static_cast<int32_t>(i + 1));
  }
  // Panels find their owner through Hw_FuID too.
  if (SkinEngine.lists.SkinWindowList.empty()) return;
  for (const SkinCallbackEntry& entry : SkinEngine.lists.SkinCallbackList) {
    if (entry.window) SetSkinProp(entry.window, prop::Hw_FuID, SkinTopSkinnedAncestor(entry.window));
  }
}

}  // namespace korvath::skin
