#pragma once
// A message box's title: the text with a blurred glow around it, the last
// picture made kept and drawn again for the same text and look.
#include <string_view>

#include "gdip/geometry.h"

namespace korvath::gdip {
class Graphics;
}

namespace korvath::skin {

struct ControlTextLook;

// Draws `text` (GBK) with a blurred glow in the look's glow colour around it
// into `graphics` at the layout rectangle's corner: the glow outline is
// shrunk by the look's blur divisor (below 1 counts as 1) and grown back, the
// sharp text in its text colour lies one pixel higher; the face, the style,
// the em size (whole pixels) and the alignments are the look's, which the
// caller gives in full (wrap, ellipsis and a format of the look are not
// read). The last picture made is kept in the engine's caches and drawn
// again for the same text, look and size.
void SkinCaptionText(gdip::Graphics& graphics, std::string_view text, const gdip::RectF& layout,
                     const ControlTextLook& look);

}  // namespace korvath::skin
