#pragma once
// PNG files of test pictures: the pictures that tests hand to the code under
// test, and what a failing drawing test saw.
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Pixels are 0xAARRGGBB, rows top to bottom. Returns false when the file
// cannot be written.
bool WritePng(const std::string& path, int width, int height,
              const std::vector<uint32_t>& pixels);

// The encoded file; empty when the pixels do not fill width x height.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint32_t>& pixels);

}  // namespace testsupport
