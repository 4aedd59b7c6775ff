#pragma once
// What every control skin's procedure does when its control is about to
// move or change size, with the entry it found for the message (entry_ref.h).
#include <windows.h>

#include "skin/core/child_layer.h"
#include "skin/core/entry_ref.h"

namespace korvath::skin {

// The control is about to move or change size (WM_WINDOWPOSCHANGING): the
// container it sits in rebuilds its look, found in the owner record that
// the control's entry was looked up in (SkinMarkParentDirty). Without that
// record only the change of layout is noted.
template <class Entry>
void MarkParentDirty(const SkinEntryRef<Entry>& control, HWND window) {
  if (control.record) {
    SkinMarkParentDirty(*control.record, window);
  } else {
    SkinNoteLayoutChange();
  }
}

}  // namespace korvath::skin
