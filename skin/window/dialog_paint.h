#pragma once
// Painting of a skinned message box. The whole box (frame and caption
// included) is drawn off-screen into its record's back buffer, in the
// colours and image of its owner form, then copied onto the window in one
// transfer with the child controls left alone. The close button repaints by
// itself when the mouse enters or leaves it.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "gdip/geometry.h"
#include "platform/gdi_object.h"

namespace korvath::gdip {
class Graphics;
}

namespace korvath::skin {

// Full paint of the box (rounded background, veils, bands, separator,
// outline, title with its glow, close glyph). Works through the box's window
// DC; the paint DC of the caller is not used.
void SkinDialogCaptionPaint(HWND box);

// Draws `text` (GBK) with a blurred glow around it into `graphics` at the
// layout rectangle's corner: the glow outline is shrunk by the blur factor
// and grown back, the sharp text lies one pixel higher. A factor below 1
// counts as 1. The last picture made is kept and drawn again for the same
// text, look and size.
void SkinCaptionText(gdip::Graphics& graphics, std::string_view text, const gdip::RectF& layout,
                     COLORREF textColour, COLORREF glowColour, int32_t blurFactor,
                     std::optional<std::string> face = std::nullopt, std::optional<int32_t> style = std::nullopt,
                     std::optional<float> size = std::nullopt,
                     Gdiplus::StringAlignment align = Gdiplus::StringAlignmentNear,
                     Gdiplus::StringAlignment lineAlign = Gdiplus::StringAlignmentNear);

// Paints caption item `item` of box record `index`. In a full paint
// `graphics` draws on the back buffer already and only the glyph is added;
// otherwise `graphics` is an empty object that this opens on the back
// buffer, the item gets its hover or normal look and is copied to the window.
void SkinCaptionBlit(int32_t index, int32_t item, gdip::Graphics& graphics, bool fullPaint, bool hover = false);

// The box's window DC with every visible direct child clipped out.
platform::WindowDC SkinExcludeChildren(HWND window);

// The box's answer to WM_NCHITTEST for the screen point in lParam: HTCLOSE
// over the close button, HTCAPTION over the caption band, else HTCLIENT.
LRESULT DialogSkinHitTest(HWND box, LPARAM lParam);

}  // namespace korvath::skin
