#include "skin/caption/caption_glyphs.h"

#include "platform/embedded_image.h"

namespace korvath::skin {

using platform::EmbeddedImageBytes;

std::span<const uint8_t> CaptionHelpPng() { return EmbeddedImageBytes(EmbeddedCaptionHelpPng()); }
std::span<const uint8_t> CaptionMenuPng() { return EmbeddedImageBytes(EmbeddedCaptionMenuPng()); }
std::span<const uint8_t> CaptionMinimisePng() { return EmbeddedImageBytes(EmbeddedCaptionMinimisePng()); }
std::span<const uint8_t> CaptionMaximisePng() { return EmbeddedImageBytes(EmbeddedCaptionMaximisePng()); }
std::span<const uint8_t> CaptionRestorePng() { return EmbeddedImageBytes(EmbeddedCaptionRestorePng()); }
std::span<const uint8_t> CaptionClosePng() { return EmbeddedImageBytes(EmbeddedCaptionClosePng()); }

}  // namespace korvath::skin
