#pragma once
// Keeping a skinned window's drop shadow on the window's rectangle.
#include <windows.h>

#include <optional>

namespace korvath::skin {

// Moves the window's visible shadow to `rect` (screen coordinates; the
// window's own rectangle when not given) grown by the shadow's depth, and
// with `redraw` paints it again. A window without a record or without a
// visible shadow is left alone.
void ShadowWindowFollow(HWND window, bool redraw = false, std::optional<RECT> rect = std::nullopt);

}  // namespace korvath::skin
