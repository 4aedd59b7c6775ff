#pragma once
// What the skinned form's procedure does on its paint and placement paths
// besides rendering: copying the cached image, repainting list views after a
// restore, keeping companion windows with the form, and stretching the
// children listed for layout when the form changes size.
#include <windows.h>

namespace korvath::skin {

struct SkinWindowRecord;

// Copies the form's back buffer onto the window, its visible children
// clipped out; with `target`, onto that DC instead (a print of the client
// area), which is left as it was given.
void SkinPaintToDC(const SkinWindowRecord& r, HDC target = nullptr);
// Marks every visible "SysListView32" among the form's list-type controls
// for a full repaint and invalidates it.
void SkinInvalidateListViews(SkinWindowRecord& r);
// With `visibility`: shows or hides each live companion window to match the
// visibility the form is about to get. Without: moves each with the form.
void SkinSyncCompanionWindow(const SkinWindowRecord& r, bool visibility = false);
// Stretches each child listed in the form's layout entries within the new
// client area, above the status bar.
void SkinLayoutOnSize(const SkinWindowRecord& r);

}  // namespace korvath::skin
