#pragma once
// Up-down controls: a translucent rounded body split into two rounded
// halves, each with its chevron, lit while the mouse is over it and reversed
// while it is pressed.
#include <windows.h>

#include <cstdint>
#include <optional>

namespace korvath::skin {

LRESULT CALLBACK UpDownSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// 0 for the first half (up or left) under the point (lParam form), 1 for the
// second; -1 for an entry that is neither vertical nor horizontal.
int32_t UpDownHitTest(int32_t recordIndex, int32_t entryNumber, LPARAM point);

// Paints the whole control; values not given come from the entry (hover
// flag, pressed flag, last button point).
void UpDownSkinPaint(int32_t recordIndex, int32_t entryNumber, std::optional<bool> hover = std::nullopt,
                     std::optional<bool> pressed = std::nullopt, std::optional<LPARAM> point = std::nullopt);

}  // namespace korvath::skin
