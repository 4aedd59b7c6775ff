#pragma once
// The tabs of a skinned tab control, and the outlines of a tab on each side.
#include <windows.h>

#include <cstdint>

namespace korvath::gdip {
class GraphicsPath;
}

namespace korvath::skin {

// True when `window` is the window of an entry of record `recordNumber`'s
// container list.
bool TabFindContainerEntry(int32_t recordNumber, HWND window);

}  // namespace korvath::skin
