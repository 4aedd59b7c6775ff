#include "skin/core/chevron_images.h"

#include "platform/embedded_assets.h"

namespace korvath::skin {

std::span<const uint8_t> ChevronUpImage() { return assets::EmbeddedImageBytes(EmbeddedChevronUpPng()); }
std::span<const uint8_t> ChevronDownImage() { return assets::EmbeddedImageBytes(EmbeddedChevronDownPng()); }
std::span<const uint8_t> ChevronLeftImage() { return assets::EmbeddedImageBytes(EmbeddedChevronLeftPng()); }
std::span<const uint8_t> ChevronRightImage() { return assets::EmbeddedImageBytes(EmbeddedChevronRightPng()); }

}  // namespace korvath::skin
