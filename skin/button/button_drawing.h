#pragma once
// The small drawing steps the button painters share: the owner-draw state
// test, a picture at its own size and the glowing caption's look. The
// surface they draw on is the engine's canvas (skin_canvas.h).
#include <windows.h>

#include <cstdint>

#include "skin/values/byte_set.h"
#include "skin/core/skin_canvas.h"
#include "skin/draw/control_text.h"

namespace korvath::gdip {
class Graphics;
}  // namespace korvath::gdip

namespace korvath::skin {

struct SkinButtonEntry;

// Every button painter draws its face through the canvas's DC, with GDI+'s
// default quality unless it sets its own.
inline constexpr SkinCanvasOptions kButtonCanvas{.drawing = SkinCanvasDrawing::ThroughDc};

// True when the owner-draw state has every bit of `bits`.
constexpr bool HasState(UINT state, UINT bits) { return (state | bits) == state; }

// Decodes an encoded picture and draws it at its own size at (x, y), or at
// (x, y + (boxHeight - its height) / 2) when a box height is given. Returns
// its width: 0 when the bytes are empty or no picture.
int32_t DrawPictureAt(gdip::Graphics& g, const ByteSet& picture, float x, float y, int32_t boxHeight = -1);

// A push button's glowing caption: the button's font, centred both ways.
ControlTextLook GlowingCaptionLook(const SkinButtonEntry& entry, COLORREF textColour);

}  // namespace korvath::skin
