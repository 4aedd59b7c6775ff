#include "app/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace korvath::app::assets {
namespace {

uint32_t BigEndian(std::span<const uint8_t> bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[at + i];
  return value;
}

// The normal picture and the background are decoded by the picture tests.
TEST(EmbeddedPictures, ThreeDifferent20By15RgbaPngs) {
  const std::span<const uint8_t> pngs[] = {FolderButtonNormalPng(), FolderButtonHoverPng(), FolderButtonPressedPng()};
  for (const auto& png : pngs) {
    ASSERT_GT(png.size(), 33u);  // signature, 20 x 15, 8 bits per channel RGBA, and IEND last
    EXPECT_EQ(std::vector({BigEndian(png, 0, 4), BigEndian(png, 16, 4), BigEndian(png, 20, 4), BigEndian(png, 24, 2),
                           BigEndian(png, png.size() - 8, 4)}),
              std::vector({0x89504E47u, 20u, 15u, 0x0806u, 0x49454E44u}));
  }
  EXPECT_FALSE(std::ranges::equal(pngs[0], pngs[1]) || std::ranges::equal(pngs[1], pngs[2]));
  EXPECT_EQ(EmbeddedBackgroundJpeg().size(), BackgroundJpeg().size() + 8);
}

}  // namespace
}  // namespace korvath::app::assets
