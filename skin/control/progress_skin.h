#pragma once
// Progress bars: a rounded frame, a shaded trough and a gradient fill in the
// bar colour, drawn anti-aliased over the parent's skinned background.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/core/found_entry.h"

namespace korvath::skin {

LRESULT CALLBACK ProgressSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paints the bar's entry into its whole window.
void ProgressSkinPaint(const ProgressRef& bar);

// Switches the highlight sweep of a skinned horizontal bar on or off: a
// glow (sweep image 0, 2 or another value; see ProgressSweepImage) that
// slides along the filled part 5 pixels every 30 ms while the bar is shown,
// restarting at minus `width` (the glow's own width when not given) once it
// reaches the bar's end. False when the skin does not know the bar.
bool ProgressSkinSetSweep(HWND bar, bool on, int32_t image = 0, std::optional<int32_t> width = std::nullopt);

// The filled length of a bar `size` pixels long at `position` in
// low..high: 0 for an empty range, never outside 0..size.
int32_t ProgressFillLength(int32_t size, int32_t position, int32_t low, int32_t high);

}  // namespace korvath::skin
