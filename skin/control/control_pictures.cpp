#include "skin/control/control_pictures.h"

#include "platform/embedded_image.h"

namespace korvath::skin {

std::span<const uint8_t> ProgressSweepImage(int32_t sweepImage) {
  switch (sweepImage) {
    case 0:  return platform::EmbeddedImageBytes(EmbeddedProgressSweep1Png());
    case 2:  return platform::EmbeddedImageBytes(EmbeddedProgressSweep2Png());
    default: return platform::EmbeddedImageBytes(EmbeddedProgressSweep3Png());
  }
}

std::span<const uint8_t> DropDownArrowImage() { return platform::EmbeddedImageBytes(EmbeddedDropDownArrowPng()); }

}  // namespace korvath::skin
