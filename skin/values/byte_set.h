#pragma once
// The engine's byte set: the bytes of an image file or any other owned blob.
#include <cstdint>
#include <vector>

namespace korvath::skin {

using ByteSet = std::vector<uint8_t>;

}  // namespace korvath::skin
