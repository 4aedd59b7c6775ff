#pragma once
// The left side of a skinned form's caption: the application icon and the
// title with its halo.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>

#include "gdip/geometry.h"

namespace korvath::gdip {
class Graphics;
}

namespace korvath::skin {

struct ControlTextLook;
struct SkinWindowRecord;

// Paints icon and title of the form. Inside a render it draws with the
// render's graphics into the back buffer. On its own (a new title) it binds
// `graphics` to the back buffer, restores the title rectangle from the
// caption background first, and then copies that rectangle into the
// children's snapshot and onto the window. The title is `title` (GBK) when
// given, else the window's text.
void SkinPaintCaption(SkinWindowRecord& r, gdip::Graphics& graphics, bool insideRender,
                      std::optional<std::string_view> title = std::nullopt);

// The rectangle the title is laid out in and restored from, client
// coordinates: it starts at the icon (or where the icon would be) and stays
// within the caption height, left of the caption buttons.
RECT SkinCaptionTitleRect(const SkinWindowRecord& r);

// Draws `text` (GBK) in the layout rectangle: four copies in the look's glow
// colour (the halo) at alpha 150 moved by the offset left, right, up and
// down, then the text in its text colour, in the look's face, style and size
// (GDI+ world units), alignments, wrap and ellipsis; only whole lines show.
// The halo is no blurred glow: the look's blur divisor and format are not
// read. `surface`, when given, is the engine's memory DC that `graphics` was
// made on, unclipped: the halo is then rendered once and its copies blended
// from it, with the same pixels.
void SkinDrawText(gdip::Graphics& graphics, std::string_view text, const gdip::RectF& layout,
                  const ControlTextLook& look, int32_t haloOffset = 1, HDC surface = nullptr);

}  // namespace korvath::skin
