#pragma once
// The lower layers of a skinned form, drawn inside a render: a base fill, the
// background image in its placement mode, a colour layer, a gradient caption
// band, and the outline of the frame. The background image is placed in the
// modes described at the door (SkinSetBackgroundTheme,
// skin/engine/background_theme.h).
#include <cstdint>

#include "skin/core/window_record.h"

namespace korvath::gdip {
class Bitmap;
class Graphics;
}  // namespace korvath::gdip

namespace korvath::skin {

// Base fill, image, colour layer and caption band of the form, on the
// render's graphics over the back buffer. The form's own image (with its
// sampled colour as the base) wins over the engine's. The base fill and the
// image come from the record's kept background (FormBackgroundCache), which
// is decoded and fitted again only when the picture, the mode, the base
// colour or the client size changed.
void SkinPaintBackground(gdip::Graphics& graphics, SkinWindowRecord& r);
// The picture of `source` kept in `kept`, decoded again only when the bytes
// differ from the ones it was decoded from (a new picture also drops the
// surface fitted from the old one) or when the fitting let it go. Empty when
// the bytes do not decode.
const gdip::Bitmap& SkinKeptBackgroundPicture(FormBackgroundCache& kept, const ByteSet& source);
// The form's background picture prepared for its mode: for mode 4 a strip
// as wide as the client and as high as the picture, the picture repeated and
// mirrored in turn; for any other mode the picture itself. The form's own
// image wins over the engine's; the bitmap stays empty when neither exists
// or the bytes do not decode.
void SkinLoadBackgroundImage(SkinWindowRecord& r, gdip::Bitmap& bitmap);
// The dark rounded outline, and a white inner one when the form casts no
// shadow.
void SkinPaintBorder(const SkinWindowRecord& r, gdip::Graphics& graphics);

}  // namespace korvath::skin
