#pragma once
// The lower layers of a skinned form, drawn inside a render: a base fill, the
// background image in its placement mode, a colour layer, a gradient caption
// band, and the outline of the frame.
//
// Placement modes of a background image (iw x ih the image, W x H the client):
// 0 top-left at natural size, 1 top-right, 2 centred, 3 stretched over the
// client, 4 a strip W wide of the image repeated and mirrored in turn,
// 5 bottom-left, 6 bottom-right, 7 bottom centre, 8 right centre, 9 top
// centre, 10 left centre; any other mode draws no image.
#include <cstdint>

namespace korvath::gdip {
class Bitmap;
class Graphics;
}  // namespace korvath::gdip

namespace korvath::skin {

// Base fill, image, colour layer and caption band of form `record`, on the
// render's graphics over the back buffer. The form's own image (with its
// sampled colour as the base) wins over the engine's.
void SkinPaintBackground(gdip::Graphics& graphics, int32_t record);
// The image the background layer draws, prepared for its mode (the mode-4
// strip is built here); the bitmap stays empty when there is none.
void SkinLoadBackgroundImage(int32_t record, gdip::Bitmap& bitmap);
// The dark rounded outline, and a white inner one when the form casts no
// shadow.
void SkinPaintBorder(int32_t record, gdip::Graphics& graphics);

}  // namespace korvath::skin
