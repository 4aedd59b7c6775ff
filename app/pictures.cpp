#include "app/pictures.h"

#include "platform/embedded_image.h"

namespace korvath::app::assets {

using platform::EmbeddedImageBytes;

std::span<const uint8_t> BackgroundJpeg() { return EmbeddedImageBytes(EmbeddedBackgroundJpeg()); }
std::span<const uint8_t> FolderButtonNormalPng() { return EmbeddedImageBytes(EmbeddedFolderButtonNormalPng()); }
std::span<const uint8_t> FolderButtonHoverPng() { return EmbeddedImageBytes(EmbeddedFolderButtonHoverPng()); }
std::span<const uint8_t> FolderButtonPressedPng() { return EmbeddedImageBytes(EmbeddedFolderButtonPressedPng()); }

}  // namespace korvath::app::assets
