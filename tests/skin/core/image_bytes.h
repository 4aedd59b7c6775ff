#pragma once
// Image files in and out of pixel buffers for the skin-core tests, through
// GDI+ directly, so that what the code under test encodes is read back
// independently of it.
#include <cstdint>
#include <vector>

#include "tests/support/win_test_support.h"

namespace korvath::skin::test {

// A PNG file of the pixels (0xAARRGGBB, rows top to bottom).
std::vector<uint8_t> PngOf(int width, int height, const std::vector<uint32_t>& pixels);
// Decodes an image file; an empty buffer when the bytes are no image.
testsupport::PixelBuffer DecodeImage(const std::vector<uint8_t>& bytes);
// True when the bytes start with the PNG signature.
bool IsPng(const std::vector<uint8_t>& bytes);

}  // namespace korvath::skin::test
