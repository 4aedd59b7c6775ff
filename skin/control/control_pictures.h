#pragma once
// The pictures of the control skins, drawn by tools/make_progress_sweeps.py
// and tools/make_control_glyphs.py and built in at build time.
#include <cstdint>
#include <span>

namespace korvath::skin {

// The embedded-image constants as the program carries them (header and PNG).
std::span<const uint8_t> EmbeddedProgressSweep1Png();
std::span<const uint8_t> EmbeddedProgressSweep2Png();
std::span<const uint8_t> EmbeddedProgressSweep3Png();
std::span<const uint8_t> EmbeddedDropDownArrowPng();

// The progress bar's highlight sweep by the entry's sweep image value: 0 the
// white glow over the lower rows (90 x 24), 2 the light-blue glow with its
// lines (126 x 23), any other value the white glow rising to the last row
// (161 x 28). The PNG file inside the constant.
std::span<const uint8_t> ProgressSweepImage(int32_t sweepImage);

// The 7 x 5 dark grey triangle of drop-down toolbar buttons.
std::span<const uint8_t> DropDownArrowImage();

}  // namespace korvath::skin
