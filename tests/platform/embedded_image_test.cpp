#include "platform/embedded_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

namespace korvath::platform {
namespace {

std::vector<uint8_t> Header(uint32_t count, uint32_t length, std::vector<uint8_t> then = {}) {
  const uint8_t head[] = {uint8_t(count), uint8_t(count >> 8), uint8_t(count >> 16), uint8_t(count >> 24),
                          uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), uint8_t(length >> 24)};
  then.insert(then.begin(), std::begin(head), std::end(head));
  return then;
}

TEST(EmbeddedImage, AFileBehindCountAndLengthAndBadHeadersRefused) {
  const std::vector<uint8_t> file(0x1234, 0xAB), constant = ToEmbeddedImage(file);
  EXPECT_EQ(constant, Header(1, 0x1234, file));
  EXPECT_EQ(EmbeddedImageBytes(constant).data() + 0x1234, constant.data() + constant.size());  // a view
  // Short header, bad count, past the end, a length near 2^32 that must not
  // wrap around the bounds check, and nothing at all.
  for (const auto& bad : {std::vector<uint8_t>{1, 0, 0, 0, 0, 0, 0}, Header(2, 2, {1, 2}), Header(0, 2, {1, 2}),
                          Header(1, 3, {7, 8}), Header(1, 0xFFFFFFFFu, {1, 2, 3, 4, 5, 6, 7, 8}), Header(1, 0)})
    EXPECT_TRUE(EmbeddedImageBytes(bad).empty()) << bad.size();
  const std::vector<uint8_t> backToBack = Header(1, 1, {42, 1, 0, 0, 0, 0, 0, 0, 0});  // the next constant follows
  EXPECT_TRUE(std::ranges::equal(EmbeddedImageBytes(backToBack), std::vector<uint8_t>{42}));
}

}  // namespace
}  // namespace korvath::platform
