#pragma once
// Installers of the other control skins. Each skins the controls of its kind
// among the direct children of `parent` into record `recordIndex` (1-based)
// of `SkinWindowList`.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

void TrackbarSkinInstall(int32_t recordIndex, HWND parent);
void ProgressSkinInstall(int32_t recordIndex, HWND parent);
void UpDownSkinInstall(int32_t recordIndex, HWND parent);
// Headers, also those of list views.
void HeaderSkinInstall(int32_t recordIndex, HWND parent);
void ToolbarSkinInstall(int32_t recordIndex, HWND parent);
// Statics; text statics grow by the extra width and height (message boxes).
void StaticSkinInstall(int32_t recordIndex, HWND parent, int32_t extraWidth = 0,
                       int32_t extraHeight = 0);

}  // namespace korvath::skin
