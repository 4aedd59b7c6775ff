#pragma once

namespace korvath::platform {

// Loads comctl32 and registers its window classes, once per process. The
// program's own windows are all USER32 classes, so comctl32 loads on its first
// use instead of before main (it is linked to load so): whatever creates a
// window of one of its classes (a tooltip, a toolbar, …) calls this first.
void EnsureCommonControls();

}  // namespace korvath::platform
