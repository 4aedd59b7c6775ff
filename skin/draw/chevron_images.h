#pragma once
// The four 14 x 14 chevrons of the control skins (scroll-bar arrows, the
// combo box's drop button, the up-down halves), drawn by
// tools/make_control_glyphs.py: every pixel fully opaque or fully
// transparent; up, down and left in RGB(0x98, 0xC1, 0xD6), right in
// RGB(0x8C, 0xB6, 0xCC).
#include <cstdint>
#include <span>

namespace korvath::skin {

// The embedded-image constants as the program carries them (header and PNG).
std::span<const uint8_t> EmbeddedChevronUpPng();
std::span<const uint8_t> EmbeddedChevronDownPng();
std::span<const uint8_t> EmbeddedChevronLeftPng();
std::span<const uint8_t> EmbeddedChevronRightPng();

// The PNG files inside them.
std::span<const uint8_t> ChevronUpImage();
std::span<const uint8_t> ChevronDownImage();
std::span<const uint8_t> ChevronLeftImage();
std::span<const uint8_t> ChevronRightImage();

}  // namespace korvath::skin
