# The check-box glyph strip (assets/glyph_strip.png, drawn by
# tools/make_glyph_strip.py), built in as an embedded-image constant.
include(${CMAKE_SOURCE_DIR}/cmake/embed.cmake)
korvath_embed_assets(korvath_skin_core korvath::skin
  EmbeddedGlyphStripPng=${CMAKE_SOURCE_DIR}/assets/glyph_strip.png)
