#pragma once
// Installers of the button skins. Each skins the buttons of its kind among
// the direct children of `parent` into record `recordIndex` (1-based) of
// `SkinWindowList`. The form attach, the message-box attach and the
// container attach run them over their children, push buttons first.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

// Push buttons (BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_USERBUTTON) become
// owner-drawn buttons of kind 0, painted on their parent's WM_DRAWITEM.
void ButtonSkinInstall(int32_t recordIndex, HWND parent);
// Check boxes (BS_CHECKBOX, BS_AUTOCHECKBOX, BS_PUSHBOX; kind 5, tick drawn
// from the glyph strip) and automatic radio buttons (kind 4) keep their
// style and are painted by the button procedure.
void CheckRadioSkinInstall(int32_t recordIndex, HWND parent);

// Puts the button painters into the owner-draw dispatcher's table and the
// tick recolouring where the menu painter finds it. The installers run it.
void RegisterButtonPainters();

}  // namespace korvath::skin
