#pragma once
// The segments of a skinned form's status bar: a translucent white band, an
// optional small picture and the segment's text.
#include <cstdint>

namespace korvath::gdip {
class Graphics;
}

namespace korvath::skin {

struct SkinWindowRecord;

// Paints segment `segment` (1-based) of the form's bar. Inside a render with
// the render's graphics; on its own it restores the segment from the bar's
// saved background first and then copies it into the children's snapshot and
// onto the window. A segment outside 1 .. count draws nothing.
void SkinPaintStatusSegment(const SkinWindowRecord& r, gdip::Graphics& graphics, bool insideRender,
                            int32_t segment = 1);

}  // namespace korvath::skin
