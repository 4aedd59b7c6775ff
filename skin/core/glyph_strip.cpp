#include "skin/core/glyph_strip.h"

#include "platform/embedded_assets.h"

namespace korvath::skin {

std::span<const uint8_t> GlyphStripPng() { return assets::EmbeddedImageBytes(EmbeddedGlyphStripPng()); }

}  // namespace korvath::skin
