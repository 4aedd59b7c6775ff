#pragma once
// Installers of the button skins. Each skins the buttons of its kind among
// the direct children of `parent` that no skin has subclassed into `record`.
// The form attach, the message-box attach and the container attach run them
// over their children, push buttons first (SkinInstallChildSkins).
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

struct SkinWindowRecord;

// Push buttons (BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_USERBUTTON) become
// owner-drawn vector buttons (ButtonKind::Vector), painted on their parent's
// WM_DRAWITEM.
void ButtonSkinInstall(SkinWindowRecord& record, HWND parent);
// Check boxes (BS_CHECKBOX, BS_AUTOCHECKBOX, BS_PUSHBOX; ButtonKind::CheckBox,
// tick drawn from the glyph strip) and automatic radio buttons
// (ButtonKind::Radio) keep their style and are painted by the button
// procedure.
void CheckRadioSkinInstall(SkinWindowRecord& record, HWND parent);

}  // namespace korvath::skin
