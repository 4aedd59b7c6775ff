#pragma once
// Painting of a skinned message box. The whole box (frame and caption
// included) is drawn off-screen into its record's back buffer, in the
// colours and image of its owner form, then copied onto the window in one
// transfer with the child controls left alone. The close button repaints by
// itself when the mouse enters or leaves it.
#include <windows.h>

#include <cstdint>

#include "platform/gdi_object.h"

namespace korvath::gdip {
class Graphics;
}

namespace korvath::skin {

struct SkinWindowRecord;

// Full paint of the box (rounded background, veils, bands, separator,
// outline, title with its glow, close glyph). Works through the box's window
// DC; the paint DC of the caller is not used.
void SkinDialogCaptionPaint(SkinWindowRecord& box);

// The box's back buffer as the last full paint composed it onto `dc`, a DC
// whose origin is the box's client corner (a print of the client area), with
// the box's visible children clipped out; the DC is left as it was given.
// False, with nothing drawn, before the box's first paint.
bool SkinDialogPrintClient(const SkinWindowRecord& box, HDC dc);

// Paints caption item `item` of the box. In a full paint `graphics` draws on
// the back buffer already and only the glyph is added; otherwise `graphics`
// is an empty object that this opens on the back buffer, the item gets its
// hover or normal look and is copied to the window.
void SkinCaptionBlit(SkinWindowRecord& box, int32_t item, gdip::Graphics& graphics, bool fullPaint,
                     bool hover = false);

// The box's window DC with every visible direct child clipped out.
platform::WindowDC SkinExcludeChildren(HWND window);

}  // namespace korvath::skin
