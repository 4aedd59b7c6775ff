#pragma once
// The check-box glyph strip that start-up loads into the engine's image
// strip: 131 x 16 pixels, six cells of 21 x 16 between one-pixel magenta
// columns at x = 21, 43, 65, 87 and 109. Cell 1 is the large tick of the
// first animation frame, 2 the hot box, 3 and 4 the small tick, 5 the
// translucent box of the normal look, 6 the disabled box.
#include <cstdint>
#include <span>

namespace korvath::skin {

// The embedded-image constant as the program carries it (header and PNG).
std::span<const uint8_t> EmbeddedGlyphStripPng();
// The PNG file inside it.
std::span<const uint8_t> GlyphStripPng();

}  // namespace korvath::skin
