#pragma once
// A minimal PNG writer for test diagnostics: a failing drawing test saves
// what it saw, without pulling the code under test into the report path.
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Pixels are 0xAARRGGBB, rows top to bottom. Returns false when the file
// cannot be written.
bool WritePng(const std::string& path, int width, int height,
              const std::vector<uint32_t>& pixels);

// The encoded file, for tests of the writer itself.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint32_t>& pixels);

}  // namespace testsupport
