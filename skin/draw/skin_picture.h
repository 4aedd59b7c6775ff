#pragma once
// What the engine does with a SkinPicture (the picture a program hands it,
// skin/values/skin_picture.h): draws a state's nine pieces into a
// rectangle. No program's to call: the front door hands a program the
// picture alone.
#include <cstdint>

#include "gdip/geometry.h"
#include "skin/values/skin_picture.h"

namespace korvath::gdip {
class Graphics;
}  // namespace korvath::gdip

namespace korvath::skin {

// Stores the destination rectangle of the draws that follow, in the
// coordinates of the graphics drawn on.
void SkinPictureSetBounds(const SkinPicture& picture, int32_t left, int32_t top, int32_t width, int32_t height);
// Draws the state's nine pieces into the destination rectangle: the corners
// at their size, the edges and the centre tiled from their fill's corner; a
// piece without a picture is skipped. Nothing is clamped: corners larger
// than the rectangle overlap, and edge and centre fills get the zero or
// negative extents as computed. The graphics' own modes and clip apply. An
// unloaded picture draws nothing.
void SkinPictureDrawState(gdip::Graphics& graphics, const SkinPicture& picture, SkinPicture::State state);
// SkinPictureSetBounds(rect), then the state's draw.
void SkinPictureDraw(gdip::Graphics& graphics, const SkinPicture& picture, const gdip::Rect& rect,
                     SkinPicture::State state);

// Marks the picture unloaded (its pieces stay, and draw as before): its
// users take their own look again. A new picture is unloaded already.
void SkinClearObjectField(SkinPicture& picture);

}  // namespace korvath::skin
