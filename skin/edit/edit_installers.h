#pragma once
// Installers of the edit, list and scroll-bar skins. Each skins the controls
// of its kinds among the direct children of `parent` into record
// `recordIndex` (1-based) of `SkinWindowList`.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

// Edit and combo boxes.
void EditComboSkinInstall(int32_t recordIndex, HWND parent);
// List boxes, list views, tree views, IP-address and date-time controls.
void ChildControlSkinInstall(int32_t recordIndex, HWND parent);
// Children with WS_EX_TRANSPARENT that are not edits.
void TransparentChildSkinInstall(int32_t recordIndex, HWND parent);

}  // namespace korvath::skin
