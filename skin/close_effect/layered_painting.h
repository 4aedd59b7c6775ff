#pragma once
// Operations on layered windows and memory DCs that the close animations and
// the form renderer share: capturing a window's look and composing it from
// its companion layers (by the engine's blend, skin/draw/alpha_blend.h).
#include <windows.h>

#include <cstdint>
#include <span>

namespace korvath::skin {

// Takes WS_EX_LAYERED off the window; every other style bit stays.
void SkinClearLayeredStyle(HWND window);
// A registered memory DC (free it with SkinMemoryDcFree) holding a 32-bit
// ARGB bitmap: width x height and fully transparent without image bytes;
// with them, the decoded image at its own size (width and height unused).
HDC SkinCreateMemoryDCGdip(int32_t width, int32_t height, std::span<const uint8_t> image = {});
// A registered memory DC of the window's size holding what the window shows
// now over its whole window rectangle, frame included: opaque, with pixels
// of the colour key (magenta) fully transparent.
HDC SkinWindowSnapshot(HWND window);
// A registered memory DC of the window's size composed from the window's
// layer DCs (properties "Fcsx_bjcj" background, "Fcsx_gycj" foreground) and
// the items of its companion entry ("Fc_lbID"), over `source` when given.
HDC SkinComposeLayers(HWND window, HDC source = nullptr, int32_t alpha = 255);
// Cuts the rectangles of item `item`'s shown child items (clamped to the
// item) back into the DC's clipping region.
void SkinClipRegion(HWND window, int32_t item, HDC dc);

}  // namespace korvath::skin
