#pragma once
// The page area of a tab control: its client area less the strip of tabs.
#include <windows.h>

namespace korvath::skin {

// In the tab's client coordinates. The strip's depth is the first item's
// height (or width, for vertical tabs) times the number of rows, plus one
// pixel; an empty tab control gives a page one pixel inside the client edge.
RECT SkinTabPageRect(HWND tab);

}  // namespace korvath::skin
