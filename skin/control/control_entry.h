#pragma once
// A control skin's entry as its procedure finds it, once per message, and
// hands to its handlers and painters (entry_ref.h), and what every one of
// these procedures does alike with it.
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
