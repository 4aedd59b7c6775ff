#include "platform/embedded_image.h"

#include <cstddef>

namespace korvath::platform {

namespace {

constexpr size_t kHeaderSize = 8;
constexpr uint32_t kDimensionCount = 1;

uint32_t ReadLe32(std::span<const uint8_t> bytes, size_t offset) {
  return uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 | uint32_t(bytes[offset + 2]) << 16 |
         uint32_t(bytes[offset + 3]) << 24;
}

void AppendLe32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

}  // namespace

std::vector<uint8_t> ToEmbeddedImage(std::span<const uint8_t> file) {
  std::vector<uint8_t> out;
  out.reserve(kHeaderSize + file.size());
  AppendLe32(out, kDimensionCount);
  AppendLe32(out, static_cast<uint32_t>(file.size()));
  out.insert(out.end(), file.begin(), file.end());
  return out;
}

std::span<const uint8_t> EmbeddedImageBytes(std::span<const uint8_t> constant) {
  if (constant.size() < kHeaderSize || ReadLe32(constant, 0) != kDimensionCount) return {};
  const uint32_t length = ReadLe32(constant, 4);
  if (length > constant.size() - kHeaderSize) return {};
  return constant.subspan(kHeaderSize, length);
}

}  // namespace korvath::platform
