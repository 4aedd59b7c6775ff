#pragma once
// What the skinned form's procedure does on its paint and placement paths
// besides rendering: copying the cached image, repainting list views after a
// restore, keeping companion windows with the form, and stretching the
// children listed for layout when the form changes size.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

// Copies the back buffer of form `record` onto the window, its visible
// children clipped out.
void SkinPaintToDC(int32_t record);
// Marks every visible "SysListView32" among the form's list-type controls
// for a full repaint and invalidates it.
void SkinInvalidateListViews(HWND form);
// With `visibility`: shows or hides each live companion window to match the
// visibility the form is about to get. Without: moves each with the form.
void SkinSyncCompanionWindow(HWND form, bool visibility = false);
// Stretches each child listed in the form's layout entries within the new
// client area, above the status bar.
void SkinLayoutOnSize(int32_t record);

}  // namespace korvath::skin
