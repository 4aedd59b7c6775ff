#pragma once
// Image files in and out of pixel buffers for the skin-core tests, through
// GDI+ directly, so that what the code under test encodes is read back
// independently of it.
#include <cstdint>
#include <vector>

#include "tests/support/png_writer.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin::test {

// Decodes an image file; an empty buffer when the bytes are no PNG image.
testsupport::PixelBuffer DecodeImage(const std::vector<uint8_t>& bytes);

}  // namespace korvath::skin::test
