# The check-box glyph strip (assets/glyph_strip.png, drawn by
# tools/make_glyph_strip.py) and the four chevrons (tools/make_control_glyphs.py),
# built in as embedded-image constants.
include(${CMAKE_SOURCE_DIR}/cmake/embed.cmake)
korvath_embed_assets(korvath_skin_core korvath::skin
  EmbeddedGlyphStripPng=${CMAKE_SOURCE_DIR}/assets/glyph_strip.png
  EmbeddedChevronUpPng=${CMAKE_SOURCE_DIR}/assets/chevron_up.png
  EmbeddedChevronDownPng=${CMAKE_SOURCE_DIR}/assets/chevron_down.png
  EmbeddedChevronLeftPng=${CMAKE_SOURCE_DIR}/assets/chevron_left.png
  EmbeddedChevronRightPng=${CMAKE_SOURCE_DIR}/assets/chevron_right.png)
