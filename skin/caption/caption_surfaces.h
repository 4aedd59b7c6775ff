#pragma once
// What a caption item or the title goes through when it is drawn again
// between renders: the caption background that the render saved (the
// record's CaptionDC, the caption band as the layers below the title and the
// items left it), copied back into the back buffer under the part first, and
// the form's client DC with its visible children clipped out, onto which the
// title is then shown (the form's cached repaint goes through the same DC).
#include <windows.h>

#include "platform/gdi_object.h"

namespace korvath::skin {

struct SkinWindowRecord;

// Copies `rect` (client coordinates) of the caption background into the
// back buffer at the same place: what a partial painter does before it draws.
void SkinBlitPart(const SkinWindowRecord& r, const RECT& rect);

// The form's client DC, or `dc`, with its visible children clipped out, each
// within the client size the form was last rendered at (SkinGetClippedDC's
// clipping, with the record in hand).
platform::WindowDC SkinFormClippedDC(const SkinWindowRecord& r);
HDC SkinFormClippedDC(const SkinWindowRecord& r, HDC dc);

}  // namespace korvath::skin
