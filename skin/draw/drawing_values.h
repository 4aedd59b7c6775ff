#pragma once
// The small value routines every painter of the engine stands on: colour
// conversion, message-parameter halves, window-style tests and class names.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "gdip/geometry.h"

namespace korvath::skin {

// A GDI+ colour (0xAARRGGBB) of a Windows colour value: alpha's low byte on
// top, then red, green and blue; 255 when no alpha is given. The colour's top
// byte is ignored. The one conversion every painter of the engine uses.
gdip::Argb SkinArgbFromColorRef(COLORREF colour, std::optional<int32_t> alpha = std::nullopt);

// The engine's rectangle and point records, as GDI+ takes them. An omitted
// width or height is 0.
gdip::RectF SkinMakeRect(float x, float y, float width = 0, float height = 0);
gdip::Rect SkinMakeRectRecord(int32_t x, int32_t y, int32_t width, int32_t height);
gdip::PointF MakePointF(float x, float y);
// The rectangle as GDI+ takes it: its corner, and its width and height
// worked out in whole pixels first (so exact however far from the origin).
gdip::RectF ToRectF(const RECT& r);

// The low half of a message parameter, never negative (-1 gives 65535).
constexpr uint32_t LoWord(int32_t value) { return static_cast<uint32_t>(value) & 0xFFFFu; }
// The high half, sign-extended (0xFFFF0000 gives -1), so that a y coordinate
// above or left of a window comes back negative.
constexpr int32_t HiWord(int32_t value) { return value >> 16; }

// Whether every bit of `mask` is set in the style word, so that a mask of
// several bits (BS_AUTORADIOBUTTON, TCS_VERTICAL | TCS_RIGHT) counts whole.
constexpr bool HasStyleMask(LONG style, LONG mask) { return (style & mask) == mask; }

// Tests of the window's own style word; a handle that is no window reads style
// 0 and answers false. IsVisibleStyle does not look at the parents.
bool HasStyleMask(HWND window, LONG mask);
bool HasVScrollStyle(HWND window);
bool IsVisibleStyle(HWND window);
bool HasHScrollStyle(HWND window);

// Described at the door: skin/engine/drawing_values.h.
std::string SkinGetClassNameText(HWND window);

}  // namespace korvath::skin
