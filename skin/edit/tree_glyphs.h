#pragma once
// The tree view painter's glyphs: the check boxes' tick (tools/make_tick_image.py)
// and two of tools/make_control_glyphs.py.
#include <cstdint>
#include <span>

namespace korvath::skin {

// Embedded-image constants (header and PNG) as the program carries them.
std::span<const uint8_t> EmbeddedTreeCheckPng();
std::span<const uint8_t> EmbeddedTreeThirdStatePng();
std::span<const uint8_t> EmbeddedTreeExpanderPng();

// The PNG files: a 13 x 12 green tick on a transparent ground, a 6 x 6 green square with soft
// corners, a 7 x 5 dark grey triangle pointing down.
std::span<const uint8_t> TreeCheckImage();
std::span<const uint8_t> TreeThirdStateImage();
std::span<const uint8_t> TreeExpanderImage();

}  // namespace korvath::skin
