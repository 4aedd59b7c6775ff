#pragma once
// After a form is rendered again, its skinned child controls must repaint
// over the new background.
#include <windows.h>

namespace korvath::skin {

struct SkinWindowRecord;

// Invalidates every skinned control lying directly on the form: list-type
// controls (with their dirty flag and visible children), combo boxes and edits
// with erase, buttons, track bars, progress bars and up-downs without.
void SkinInvalidateChildren(SkinWindowRecord& r);
// Sets the cached-background flag the control's skin keeps (container,
// toolbar, label or list-type entry of `owner`, its owner record, the first
// that holds it), invalidates it with erase and, with `withChildren`, its
// visible direct children.
void SkinInvalidateSkinnedChild(SkinWindowRecord& owner, HWND window, bool withChildren = false);

}  // namespace korvath::skin
