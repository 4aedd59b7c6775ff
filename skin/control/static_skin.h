#pragma once
// Static controls of message boxes: their text drawn with a soft white glow,
// their icon or bitmap, over the box's skinned background. Statics with
// nothing of their own to show keep their native drawing over it.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

// Position of `window` in record `recordIndex`'s static list; 0 when absent.
int32_t StaticIsListed(int32_t recordIndex, HWND window);

LRESULT CALLBACK StaticSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paints entry `entryNumber` of record `recordIndex`'s static list in full.
void StaticSkinPaint(int32_t recordIndex, int32_t entryNumber);

}  // namespace korvath::skin
