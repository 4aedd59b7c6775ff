#pragma once
// The entries of the edit family's controls as their procedures hold them:
// found once per message (SkinFindEntry) and handed to the painters and the
// scroll bars, found again only after the procedure behind the skin ran.
#include <windows.h>

#include "skin/core/child_layer.h"
#include "skin/core/control_entries.h"
#include "skin/core/entry_lookup.h"

namespace korvath::skin {

using EditRef = SkinEntryRef<SkinEditEntry>;
using ComboRef = SkinEntryRef<SkinComboEntry>;
using ChildRef = SkinEntryRef<SkinChildEntry>;

// A control's WM_WINDOWPOSCHANGING: its parent's container is marked dirty in
// the control's owner record (the parent's, as every container around a
// control is registered with its top-level record); without one only the
// change of layout is noted.
template <class Entry>
void SkinMarkParentDirty(const SkinEntryRef<Entry>& control, HWND window) {
  if (control.record) {
    SkinMarkParentDirty(*control.record, window);
  } else {
    SkinNoteLayoutChange();
  }
}

}  // namespace korvath::skin
