#pragma once
// Up-down controls: a translucent rounded body split into two rounded
// halves, each with its chevron, lit while the mouse is over it and reversed
// while it is pressed.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/core/found_entry.h"

namespace korvath::skin {

LRESULT CALLBACK UpDownSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// 0 for the first half (up or left) under the point (client coordinates), 1
// for the second; -1 for a control the skin does not know.
int32_t UpDownHitTest(const UpDownRef& control, POINT point);

// Paints the whole control; values not given come from the entry (hover
// flag, pressed flag, last button point).
void UpDownSkinPaint(const UpDownRef& control, std::optional<bool> hover = std::nullopt,
                     std::optional<bool> pressed = std::nullopt, std::optional<POINT> point = std::nullopt);

}  // namespace korvath::skin
