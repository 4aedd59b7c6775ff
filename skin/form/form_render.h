#pragma once
// The render of a skinned form: its whole look (background, outline, caption
// title and buttons, status bar) composed off-screen into the record's back
// buffer, the caption and status-bar backgrounds and the children's snapshot
// saved beside it, then shown with one copy. Between renders the form is
// repainted from the back buffer, and a caption item or the title redraws
// only its own rectangle over the saved caption background.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

struct SkinWindowRecord;

// Renders the form. With `present` it also shapes the window and shows the
// image, on `target` or (null) on the window's own DC with its visible
// children clipped out, and invalidates the skinned children; without it
// only the off-screen surfaces change.
// Clears RenderPending and stores the client size in either case.
void SkinFormRender(SkinWindowRecord& r, HDC target = nullptr, bool present = true);

// Gives the window a region of its client rectangle with 5 x 5 corner
// ellipses, reaching one pixel past the right and bottom edges.
void SkinSetRoundRegion(HWND window);

// Copies `rect` (client coordinates) of the status-bar background, whose
// origin is the bar's corner, into the back buffer at the same place: what a
// status-bar segment does before it draws again. (The caption's own copy,
// SkinBlitPart, is the caption's: caption_surfaces.h.)
void SkinBlitPart2(const SkinWindowRecord& r, const RECT& rect);

}  // namespace korvath::skin
