#include "skin/form/child_repaint.h"

#include "skin/core/clipped_dc.h"
#include "skin/core/window_list.h"

namespace korvath::skin {

namespace {

template <class Entry>
void InvalidateOnForm(const SkinEntryList<Entry>& list, HWND form, BOOL erase) {
  for (const Entry& entry : list) {
    HWND window = EntryWindow(entry);
    if (window && GetParent(window) == form) InvalidateRect(window, nullptr, erase);
  }
}

template <class Entry>
Entry* FindEntry(SkinEntryList<Entry>& list, HWND window) {
  for (Entry& entry : list)
    if (EntryWindow(entry) == window) return &entry;
  return nullptr;
}

void MarkDirty(SkinWindowRecord& owner, HWND window) {
  if (SkinContainerEntry* e = FindEntry(owner.Containers, window)) {
    e->rebuild = true;
    e->childChanged = true;
  } else if (SkinToolbarEntry* e = FindEntry(owner.Toolbars, window)) {
    e->repaint = true;
  } else if (SkinLabelEntry* e = FindEntry(owner.Labels, window)) {
    e->dirty = true;
  } else if (SkinChildEntry* e = FindEntry(owner.Children, window)) {
    e->dirty = true;
  }
}

}  // namespace

void SkinInvalidateChildren(SkinWindowRecord& r) {
  for (const SkinChildEntry& entry : r.Children)
    if (entry.window && GetParent(entry.window) == r.Window) SkinInvalidateSkinnedChild(r, entry.window, true);
  InvalidateOnForm(r.Combos, r.Window, TRUE);
  InvalidateOnForm(r.Edits, r.Window, TRUE);
  InvalidateOnForm(r.Buttons, r.Window, FALSE);
  InvalidateOnForm(r.Trackbars, r.Window, FALSE);
  InvalidateOnForm(r.Progresses, r.Window, FALSE);
  InvalidateOnForm(r.UpDowns, r.Window, FALSE);
}

void SkinInvalidateSkinnedChild(SkinWindowRecord& owner, HWND window, bool withChildren) {
  MarkDirty(owner, window);
  InvalidateRect(window, nullptr, TRUE);
  if (withChildren) SkinInvalidateVisibleChildren(window);
}

}  // namespace korvath::skin
