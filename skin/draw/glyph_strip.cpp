#include "skin/draw/glyph_strip.h"

#include "platform/embedded_image.h"

namespace korvath::skin {

std::span<const uint8_t> GlyphStripPng() { return platform::EmbeddedImageBytes(EmbeddedGlyphStripPng()); }

}  // namespace korvath::skin
