#pragma once
// Putting the skin on a program's windows, after SkinEngineStart (start.h):
// first the top-level form, whose attach skins the controls it holds; then,
// one by one, its labels and the controls with children of their own (such
// as group boxes), which the form's attach leaves alone. Each attach does
// nothing on a window some skin has subclassed already, and the label's and
// the container's nothing on a window that lies in no skinned form. A
// skinned window keeps its skin until it is destroyed.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/values/form_settings.h"
#include "skin/values/label_settings.h"

namespace korvath::skin {

// Skins a top-level form and every control it holds, once: a null handle,
// and a form skinned already, are left as they are. The skin draws the
// form's caption and frame inside its client area, so the form is to have
// none of its own (WS_POPUP): the system's caption and frame stay, and a
// form made with WS_OVERLAPPEDWINDOW shows two captions, the system's above
// the skin's. The form's style loses WS_CLIPCHILDREN and gains WS_SYSMENU;
// its minimise and maximise items follow its WS_MINIMIZEBOX and
// WS_MAXIMIZEBOX. The settings are copied (their texts are GBK,
// skin/values/form_settings.h); a picture of the form's own is placed in
// its `imageMode` as SkinSetBackgroundTheme (background_theme.h) places the
// engine's.
void FormSkinAttach(HWND form, const FormSkinSettings& settings = {});

// Skins a label ("Static") of a skinned form: its text drawn over what lies
// under it, as the settings say (their font face is GBK,
// skin/values/label_settings.h). 1 when attached; 0 for a window that lies
// in no skinned form or that some skin has subclassed already.
int32_t LabelSkinAttach(HWND window, const LabelSettings& settings = {});

// Skins one control of a skinned form, such as a group box, and a control
// with children as a container (its children are skinned too). `keyColour`
// is the colour keyed out of the control's own painting (the system
// button-face colour when not given); the fill colour and alpha tint a
// container (0, also when not given: no tint). Does nothing on a window
// that lies in no skinned form or that some skin has subclassed already.
void ContainerControlSkinAttach(HWND window, std::optional<COLORREF> keyColour = std::nullopt,
                                std::optional<COLORREF> fillColour = std::nullopt,
                                std::optional<int32_t> fillAlpha = std::nullopt);

}  // namespace korvath::skin
