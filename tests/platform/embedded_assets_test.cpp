#include "platform/embedded_assets.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace korvath::assets {
namespace {

std::vector<uint8_t> Le32(uint32_t count, uint32_t length) {
  return {uint8_t(count), uint8_t(count >> 8), uint8_t(count >> 16), uint8_t(count >> 24),
          uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), uint8_t(length >> 24)};
}

uint32_t PngWidth(std::span<const uint8_t> png) {
  return uint32_t(png[16]) << 24 | uint32_t(png[17]) << 16 | uint32_t(png[18]) << 8 | png[19];
}
uint32_t PngHeight(std::span<const uint8_t> png) {
  return uint32_t(png[20]) << 24 | uint32_t(png[21]) << 16 | uint32_t(png[22]) << 8 | png[23];
}

TEST(EmbeddedImage, WrapsAFileBehindCountAndLength) {
  const std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', 0x00, 0xFF, 0x10, 0x20, 0x30, 0x40};
  const std::vector<uint8_t> constant = ToEmbeddedImage(file);
  std::vector<uint8_t> expected = Le32(1, 10);
  expected.insert(expected.end(), file.begin(), file.end());
  EXPECT_EQ(constant, expected);

  const auto bytes = EmbeddedImageBytes(constant);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), file);
  EXPECT_EQ(bytes.data(), constant.data() + 8);  // a view, not a copy
}

TEST(EmbeddedImage, LengthIsLittleEndian) {
  const std::vector<uint8_t> file(0x1234, 0xAB);
  const auto constant = ToEmbeddedImage(file);
  EXPECT_EQ(constant[4], 0x34);
  EXPECT_EQ(constant[5], 0x12);
  EXPECT_EQ(EmbeddedImageBytes(constant).size(), 0x1234u);
}

TEST(EmbeddedImage, ParserRefusesBadHeaders) {
  EXPECT_TRUE(EmbeddedImageBytes({}).empty());
  const std::vector<uint8_t> shortHeader = {1, 0, 0, 0, 0, 0, 0};
  EXPECT_TRUE(EmbeddedImageBytes(shortHeader).empty());

  std::vector<uint8_t> badCount = Le32(2, 2);
  badCount.push_back(1);
  badCount.push_back(2);
  EXPECT_TRUE(EmbeddedImageBytes(badCount).empty());
  std::vector<uint8_t> zeroCount = Le32(0, 2);
  zeroCount.resize(10);
  EXPECT_TRUE(EmbeddedImageBytes(zeroCount).empty());

  std::vector<uint8_t> pastTheEnd = Le32(1, 3);
  pastTheEnd.push_back(7);
  pastTheEnd.push_back(8);
  EXPECT_TRUE(EmbeddedImageBytes(pastTheEnd).empty());
  // A length near 2^32 must not wrap around the bounds check.
  std::vector<uint8_t> huge = Le32(1, 0xFFFFFFFFu);
  huge.resize(16);
  EXPECT_TRUE(EmbeddedImageBytes(huge).empty());

  // Trailing bytes after the file belong to the next constant: allowed.
  std::vector<uint8_t> backToBack = Le32(1, 1);
  backToBack.push_back(42);
  const auto next = Le32(1, 0);
  backToBack.insert(backToBack.end(), next.begin(), next.end());
  ASSERT_EQ(EmbeddedImageBytes(backToBack).size(), 1u);
  EXPECT_EQ(EmbeddedImageBytes(backToBack)[0], 42);
  EXPECT_TRUE(EmbeddedImageBytes(Le32(1, 0)).empty());
}

TEST(EmbeddedPictures, BackgroundIsAJpeg) {
  const auto jpeg = BackgroundJpeg();
  ASSERT_GT(jpeg.size(), 1000u);
  EXPECT_EQ(jpeg[0], 0xFF);
  EXPECT_EQ(jpeg[1], 0xD8);
  EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
  EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9);
  // Find the start-of-frame segment and read the size from it.
  size_t i = 2;
  uint32_t width = 0, height = 0;
  while (i + 9 < jpeg.size() && jpeg[i] == 0xFF) {
    const uint8_t marker = jpeg[i + 1];
    const size_t length = size_t(jpeg[i + 2]) << 8 | jpeg[i + 3];
    if (marker == 0xC0 || marker == 0xC2) {
      height = uint32_t(jpeg[i + 5]) << 8 | jpeg[i + 6];
      width = uint32_t(jpeg[i + 7]) << 8 | jpeg[i + 8];
      break;
    }
    i += 2 + length;
  }
  EXPECT_EQ(width, 557u);
  EXPECT_EQ(height, 800u);
  // The embedded constant is the header followed by the same bytes.
  const auto constant = EmbeddedBackgroundJpeg();
  EXPECT_EQ(constant.size(), jpeg.size() + 8);
  EXPECT_EQ(constant.data() + 8, jpeg.data());
}

TEST(EmbeddedPictures, FolderButtonStatesArePngsOf20By15) {
  const std::span<const uint8_t> pictures[] = {FolderButtonNormalPng(), FolderButtonHoverPng(),
                                               FolderButtonPressedPng()};
  const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  for (const auto& png : pictures) {
    ASSERT_GT(png.size(), 33u);
    EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), png.begin()));
    EXPECT_EQ(PngWidth(png), 20u);
    EXPECT_EQ(PngHeight(png), 15u);
    EXPECT_EQ(png[24], 8);  // 8 bits per channel
    EXPECT_EQ(png[25], 6);  // RGBA, so the glyph sits on any background
    const uint8_t iend[] = {'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    EXPECT_TRUE(std::equal(std::begin(iend), std::end(iend), png.end() - 8));
  }
  // Three different pictures.
  EXPECT_FALSE(std::equal(pictures[0].begin(), pictures[0].end(), pictures[1].begin(), pictures[1].end()));
  EXPECT_FALSE(std::equal(pictures[1].begin(), pictures[1].end(), pictures[2].begin(), pictures[2].end()));
}

}  // namespace
}  // namespace korvath::assets
