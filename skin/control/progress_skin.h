#pragma once
// Progress bars: a rounded frame, a shaded trough and a gradient fill in the
// bar colour, drawn anti-aliased over the parent's skinned background.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

LRESULT CALLBACK ProgressSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paints entry `entryNumber` of record `recordNumber`'s progress list into
// the bar's whole window.
void ProgressSkinPaint(int32_t recordNumber, int32_t entryNumber);

// The filled length of a bar `size` pixels long at `position` in
// low..high: 0 for an empty range, never outside 0..size.
int32_t ProgressFillLength(int32_t size, int32_t position, int32_t low, int32_t high);

}  // namespace korvath::skin
