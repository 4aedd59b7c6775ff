#pragma once
// Putting the skin on a program's windows: a top-level form
// (FormSkinAttach with its FormSkinSettings), a label (LabelSkinAttach with
// its LabelSettings) and a control with children, such as a group box
// (ContainerControlSkinAttach). A form's attach skins its controls itself;
// labels and containers are attached one by one after it.
#include "skin/control/label_skin.h"
#include "skin/form/form_attach.h"
#include "skin/install/control_attach.h"
