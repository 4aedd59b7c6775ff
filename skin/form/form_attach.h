#pragma once
// Putting the skin on a top-level form: its record, caption items and
// tooltips, its own background picture, its control skins, and the skin's
// window procedure, installed last.
#include <windows.h>

#include "skin/values/form_settings.h"

namespace korvath::skin {

// Described at the door: skin/engine/attach.h.
void FormSkinAttach(HWND form, const FormSkinSettings& settings);

}  // namespace korvath::skin
