#pragma once
// The left side of a skinned form's caption: the application icon and the
// title with its halo.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "gdip/geometry.h"

namespace korvath::gdip {
class Graphics;
}

namespace korvath::skin {

// Paints icon and title of form `record`. Inside a render it draws with the
// render's graphics into the back buffer. On its own (a new title) it binds
// `graphics` to the back buffer, restores the title rectangle from the
// caption background first, and then copies that rectangle into the
// children's snapshot and onto the window. The title is `title` (GBK) when
// given, else the window's text.
void SkinPaintCaption(int32_t record, gdip::Graphics& graphics, bool insideRender,
                      std::optional<std::string_view> title = std::nullopt);

// The rectangle the title is laid out in and restored from, client
// coordinates: it starts at the icon (or where the icon would be) and stays
// within the caption height, left of the caption buttons.
RECT SkinCaptionTitleRect(int32_t record);

// Draws `text` (GBK) in the layout rectangle: four copies in `halo` at alpha
// 150 moved by the offset left, right, up and down, then the text in `colour`.
// Alignments are GDI+ StringAlignment values; only whole lines show.
// `surface`, when given, is the engine's memory DC that `graphics` was made
// on, unclipped: the halo is then rendered once and its copies blended from
// it, with the same pixels.
void SkinDrawText(gdip::Graphics& graphics, std::string_view text, const gdip::RectF& layout,
                  COLORREF colour, COLORREF halo, int32_t haloOffset = 1,
                  const std::string& face = "\xCB\xCE\xCC\xE5", bool bold = false, float size = 13.0f,
                  int32_t align = 0, int32_t lineAlign = 0, bool wrap = true, bool trim = false,
                  HDC surface = nullptr);

}  // namespace korvath::skin
