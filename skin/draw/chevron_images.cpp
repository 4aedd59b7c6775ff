#include "skin/draw/chevron_images.h"

#include "platform/embedded_image.h"

namespace korvath::skin {

std::span<const uint8_t> ChevronUpImage() { return platform::EmbeddedImageBytes(EmbeddedChevronUpPng()); }
std::span<const uint8_t> ChevronDownImage() { return platform::EmbeddedImageBytes(EmbeddedChevronDownPng()); }
std::span<const uint8_t> ChevronLeftImage() { return platform::EmbeddedImageBytes(EmbeddedChevronLeftPng()); }
std::span<const uint8_t> ChevronRightImage() { return platform::EmbeddedImageBytes(EmbeddedChevronRightPng()); }

}  // namespace korvath::skin
