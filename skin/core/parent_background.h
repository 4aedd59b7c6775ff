#pragma once
// The parent background that makes skinned controls look transparent: before
// a painter draws a control it takes the piece of the already composed
// background that lies behind the control, tinted with the colour of the
// container the control sits in, draws over it, copies the result to the
// window and hands it on to the child layer (child_layer.h).
#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/draw/memory_dc.h"

namespace korvath::skin {

struct SkinWindowRecord;

// A registered memory DC of the rectangle's size holding what lies behind the
// window under `rect` (in the window's own coordinates, normally its client
// rectangle): the piece of the back buffer of its skinned top-level window
// (or of a background piece's layer) at the window's place, filled over with
// the colour and alpha of the container it belongs to:
// - directly on a skinned window: not tinted, unless the window is itself a
//   registered container with a colour (a group box in its rounded frame from
//   y = 5, a tab control in its rounded page, otherwise the whole rectangle
//   or, with both `inset` and `radius`, a rounded rectangle inset by `inset`);
// - inside a registered container: the nearest ancestor container that paints
//   its own background tints the whole rectangle; a group box inside a
//   coloured container takes the outer colour outside its frame.
// A panel window never uses its own colour: it takes its parent container's.
// `owner` is the window's skinned top-level record (its top skinned
// ancestor's, the record of every container around it).
SkinMemoryDc SkinPaintParentBackground(const SkinWindowRecord& owner, HWND window, const RECT& rect,
                                       std::optional<int32_t> inset = std::nullopt,
                                       std::optional<int32_t> radius = std::nullopt);
// What lies behind a window with no skinned window above it: only a
// background piece (the window's own, or the one it lies in) has a picture
// to give; else it is empty (and nothing is made).
SkinMemoryDc SkinPaintPieceBackground(HWND window, const RECT& rect);
// SkinPaintParentBackground with the owner looked up (its top skinned
// ancestor's record), SkinPaintPieceBackground without one.
SkinMemoryDc SkinPaintParentBackground(HWND window, const RECT& rect,
                                       std::optional<int32_t> inset = std::nullopt,
                                       std::optional<int32_t> radius = std::nullopt);

}  // namespace korvath::skin
