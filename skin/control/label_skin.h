#pragma once
// Transparent labels: the skin draws a label's text with GDI+ over what its
// parent shows under it (the skinned form background, a group box's look),
// and keeps the finished picture in its owner's child layer, so that a label
// nothing has changed is restored with one copy.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "skin/core/found_entry.h"
#include "skin/values/label_settings.h"

namespace korvath::skin {

// Registers the label with its skinned top-level window's record and
// subclasses it. 1 when attached; 0 when the window has no skinned ancestor
// or some skin has subclassed it already (a second layer would forward to
// itself). (A program calls it through the engine's front door,
// skin/engine/attach.h, which gives the settings their default.)
int32_t LabelSkinAttach(HWND window, const LabelSettings& settings);

LRESULT CALLBACK LabelSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Draws the label with `text`, or with its own text when none is given, onto
// the window and into its owner's child layer, and marks it clean.
void LabelSkinPaint(const LabelRef& label, std::optional<std::string> text = std::nullopt);

}  // namespace korvath::skin
