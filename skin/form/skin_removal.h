#pragma once
// Taking the skin off a skinned top-level window while it is destroyed.
#include <windows.h>

namespace korvath::skin {

struct SkinWindowRecord;

// Releases what the skin made for the record's window (tooltips, the menu it
// was given, the colour brushes handed to its controls, its surfaces), gives
// the window its previous window procedure back and removes the record, which
// is gone afterwards; the windows skinned after it are renumbered.
// `Hw_hProc` stays readable, so the caller can still pass the message on.
void UnskinWindow(SkinWindowRecord& r);

// Frees the colour brushes handed to the window's skinned controls and clears
// their properties. The form does it when WM_DESTROY arrives, while its
// controls still exist; removal does it again for what is left.
void SkinDeleteControlBrushes(const SkinWindowRecord& r);

}  // namespace korvath::skin
