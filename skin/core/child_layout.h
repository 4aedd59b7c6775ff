#pragma once
// Keeps the windows in a skinned container's stretched-children list spread
// over the container's client area when the container is resized.
#include <cstdint>
#include <span>

#include <windows.h>

#include "skin/core/control_entries.h"

namespace korvath::skin {

// Lays out the stretched children of the container.
void SkinLayoutChildren(const SkinContainerEntry& container);

// The layout itself, over the container's client size: a full-width child
// spans the width less 2 pixels each side and reaches the bottom; any other
// keeps its left and top and ends 2 pixels short of the right and bottom.
// Entries without a window are skipped.
void SkinStretchChildren(HWND container, std::span<const SkinStretchChild> children);

}  // namespace korvath::skin
