#pragma once
// After a form is rendered again, its skinned child controls must repaint
// over the new background.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

// Invalidates every skinned control lying directly on form `record`: list-type
// controls (with their dirty flag and visible children), combo boxes and edits
// with erase, buttons, track bars, progress bars and up-downs without.
void SkinInvalidateChildren(int32_t record);
// Sets the cached-background flag the control's skin keeps (container,
// toolbar, label or list-type entry of its owner, the first that holds it),
// invalidates it with erase and, with `withChildren`, its visible direct
// children.
void SkinInvalidateSkinnedChild(HWND window, bool withChildren = false);

}  // namespace korvath::skin
