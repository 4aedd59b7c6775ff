// The tool's own pictures (assets/, made by tools/make_assets.sh), built into
// the program as embedded-image constants.
#pragma once

#include <cstdint>
#include <span>

namespace korvath::app::assets {

// The raw image files: the 557 x 800 window background and the three 20 x 15
// state pictures of the folder button (normal, hover, pressed).
std::span<const uint8_t> BackgroundJpeg();
std::span<const uint8_t> FolderButtonNormalPng();
std::span<const uint8_t> FolderButtonHoverPng();
std::span<const uint8_t> FolderButtonPressedPng();

// The same pictures as the program carries them (header and file), generated
// by korvath_embed_assets.
std::span<const uint8_t> EmbeddedBackgroundJpeg();
std::span<const uint8_t> EmbeddedFolderButtonNormalPng();
std::span<const uint8_t> EmbeddedFolderButtonHoverPng();
std::span<const uint8_t> EmbeddedFolderButtonPressedPng();

}  // namespace korvath::app::assets
