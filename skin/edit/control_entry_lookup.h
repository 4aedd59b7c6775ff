#pragma once
// How a skinned edit, combo box or list-type control finds its entry again:
// its `Hw_FuID` names the owner record, its `Hw_lbID` the entry in the
// owner's list for its kind. Every lookup answers null for numbers that name
// no record or entry, so a stray message never reads outside a list.
#include <windows.h>

#include <cstdint>

#include "skin/core/control_entries.h"
#include "skin/core/window_record.h"

namespace korvath::skin {

// The owner record's number (`Hw_FuID`), and the record it names.
int32_t SkinOwnerNumber(HWND control);
// The owner record named by the control's `Hw_FuID`.
SkinWindowRecord* SkinOwnerRecord(HWND control);
// The control's entry number (`Hw_lbID`).
int32_t SkinEntryNumber(HWND control);

SkinEditEntry* SkinEditEntryOf(HWND control);
SkinComboEntry* SkinComboEntryOf(HWND control);
SkinChildEntry* SkinChildEntryOf(HWND control);

// Number of the first entry of record `windowIndex`'s edit list whose window
// is `control`; 0 when there is none (the zeroed element never matches).
int32_t FindEditRecord(int32_t windowIndex, HWND control);

// One scroll bar of a control's entry. Edits ("Edit", "RichEdit20A") keep
// their bars in the edit list, every other class in the child list.
enum class ScrollBarAxis { Vertical, Horizontal };
struct ScrollBarSlot {
  HWND overlay = nullptr;           // null: the bar has no overlay
  ScrollBarParts* parts = nullptr;  // null: the control has no entry
};
ScrollBarSlot SkinScrollBarSlot(HWND control, ScrollBarAxis axis);

// The window procedure a skin saved for the control (`Hw_hProc`), and the
// call that hands a message to it. A control whose saved procedure is
// missing gets the default processing instead, so that no message is lost.
LRESULT SkinPassOn(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// One message as a skin procedure unpacks it for its handlers.
struct SkinMessage {
  HWND control;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
inline LRESULT SkinPassOn(const SkinMessage& m) { return SkinPassOn(m.control, m.message, m.wParam, m.lParam); }

// Subclasses a direct child for an installer: sets `Hw_lbID`, `Hw_FuID` and
// (last) `Hw_hProc` = the procedure it has now, then installs `procedure`,
// so that every message the new procedure sees finds the chain complete.
// The caller has checked the child with SkinIsSubclassed.
WNDPROC SkinSubclassControl(HWND control, WNDPROC procedure, int32_t entryNumber,
                            int32_t windowIndex);

}  // namespace korvath::skin
