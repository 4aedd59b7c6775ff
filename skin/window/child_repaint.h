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

}  // namespace korvath::skin
