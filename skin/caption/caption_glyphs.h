#pragma once
// The caption-button glyphs of skinned forms: white pictograms with a dark
// soft shadow on a transparent ground, PNG files built into the program.
// Help, main menu, minimise, maximise and restore are 26 x 18; close 38 x 18.
#include <cstdint>
#include <span>

namespace korvath::skin {

// The embedded-image constants as the program carries them (header and PNG).
std::span<const uint8_t> EmbeddedCaptionHelpPng();
std::span<const uint8_t> EmbeddedCaptionMenuPng();
std::span<const uint8_t> EmbeddedCaptionMinimisePng();
std::span<const uint8_t> EmbeddedCaptionMaximisePng();
std::span<const uint8_t> EmbeddedCaptionRestorePng();
std::span<const uint8_t> EmbeddedCaptionClosePng();

// The PNG files inside them.
std::span<const uint8_t> CaptionHelpPng();
std::span<const uint8_t> CaptionMenuPng();
std::span<const uint8_t> CaptionMinimisePng();
std::span<const uint8_t> CaptionMaximisePng();
std::span<const uint8_t> CaptionRestorePng();
std::span<const uint8_t> CaptionClosePng();

}  // namespace korvath::skin
