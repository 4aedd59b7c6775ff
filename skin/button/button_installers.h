#pragma once
// Installers of the button skins. Each skins the buttons of its kind among
// the direct children of `parent` into record `recordIndex` (1-based) of
// `SkinWindowList`. The form attach, the message-box attach and the
// container attach run them over their children.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

// Push buttons.
void ButtonSkinInstall(int32_t recordIndex, HWND parent);
// Check boxes and automatic radio buttons.
void CheckRadioSkinInstall(int32_t recordIndex, HWND parent);

}  // namespace korvath::skin
