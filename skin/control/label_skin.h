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

// Described at the door: skin/engine/attach.h. The label takes an entry in
// its skinned top-level window's record; a label some skin has subclassed
// already is refused, since a second layer would forward to itself.
int32_t LabelSkinAttach(HWND window, const LabelSettings& settings);

LRESULT CALLBACK LabelSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Draws the label with `text`, or with its own text when none is given, onto
// the window and into its owner's child layer, and marks it clean.
void LabelSkinPaint(const LabelRef& label, std::optional<std::string> text = std::nullopt);

}  // namespace korvath::skin
