// The "embedded image" layout in which the GDI+ library takes a picture from
// memory: a 32-bit dimension count (1), a 32-bit byte length N, then the N
// bytes of a complete PNG or JPEG file. The build makes such constants from
// picture files (korvath_embed_assets in the top CMakeLists.txt).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace korvath::platform {

// Wraps a complete image file in the embedded-image layout.
std::vector<uint8_t> ToEmbeddedImage(std::span<const uint8_t> file);
// The image file inside an embedded-image constant; empty when the header is
// not a count of 1 followed by a length that fits in the constant.
std::span<const uint8_t> EmbeddedImageBytes(std::span<const uint8_t> constant);

}  // namespace korvath::platform
