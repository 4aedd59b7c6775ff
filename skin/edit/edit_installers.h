#pragma once
// Installers of the edit, list and scroll-bar skins. Each skins the controls
// of its kinds among the direct children of `parent` that no skin has
// subclassed into `record`.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

struct SkinWindowRecord;

// Edit and combo boxes.
void EditComboSkinInstall(SkinWindowRecord& record, HWND parent);
// List boxes, list views, tree views, IP-address and date-time controls.
void ChildControlSkinInstall(SkinWindowRecord& record, HWND parent);
// Children with WS_EX_TRANSPARENT that are not edits.
void TransparentChildSkinInstall(SkinWindowRecord& record, HWND parent);

}  // namespace korvath::skin
