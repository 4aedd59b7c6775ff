#pragma once

// Subclassing a window through a chain of procedures kept in process memory.
// The common controls' own chain costs loading comctl32 at start-up and, under
// Wine, a property read on every message of every subclassed window; this one
// costs neither.
//
// A window's first entry puts one procedure of ours in its procedure slot; the
// newest entry sees a message first and hands it on with CallNextSubclass. A
// message sent from inside an entry starts at the newest entry again. The
// window's end (WM_NCDESTROY, after every entry has seen it) removes every
// entry and gives the slot back its original procedure. When the last entry
// goes while somebody else's procedure sits in the slot above ours, ours stays
// in place and hands every message straight to the original.
//
// Entries belong to the thread that owns the window, as its messages do: a
// window of another thread cannot be subclassed from here.

#include <windows.h>

namespace korvath::platform {

// The same shape as the common controls' subclass procedures.
using SubclassProc = LRESULT(CALLBACK*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);

// Adds (proc, id) on top of the window's chain, or gives an entry already
// there its new data (it keeps its place). False for a window of another
// thread or no window.
bool SetSubclass(HWND window, SubclassProc proc, UINT_PTR id, DWORD_PTR data);

// Whether (proc, id) is on the window's chain, with its data.
bool GetSubclass(HWND window, SubclassProc proc, UINT_PTR id, DWORD_PTR* data = nullptr);

// Takes (proc, id) off the chain; safe from inside the entry's own call, whose
// CallNextSubclass still reaches the entries below it.
bool RemoveSubclass(HWND window, SubclassProc proc, UINT_PTR id);

// From inside an entry: hands the message to the next older entry, or to the
// window's original procedure below the last.
LRESULT CallNextSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace korvath::platform
