#pragma once
// Putting the skin on a top-level form: its record, caption items and
// tooltips, its own background picture, its control skins, and the skin's
// window procedure, installed last.
#include <windows.h>

#include "skin/values/form_settings.h"

namespace korvath::skin {

// Skins `form` once: a form that has a record already is left as it is.
// The form's style loses WS_CLIPCHILDREN and gains WS_SYSMENU; minimise and
// maximise items follow its WS_MINIMIZEBOX and WS_MAXIMIZEBOX. (A program
// calls it through the engine's front door, skin/engine/attach.h, which
// gives the settings their default.)
void FormSkinAttach(HWND form, const FormSkinSettings& settings);

}  // namespace korvath::skin
