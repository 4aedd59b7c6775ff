#pragma once
// The pixels of the 32-bit DIB section selected into a memory DC, read and
// written in place. Rows count from the top whichever way the section lies
// in memory (Wine reports every section as bottom-up).
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace korvath::skin {

struct SectionPixels {
  uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // bytes from one row in memory to the next
  bool bottomUp = true;

  uint32_t* Row(int y) const {
    return reinterpret_cast<uint32_t*>(bits + size_t(bottomUp ? height - 1 - y : y) * size_t(stride));
  }
  // The top row and the step to the row below it, as GDI+ takes a picture's
  // first scan line and stride.
  uint8_t* TopRow() const { return reinterpret_cast<uint8_t*>(Row(0)); }
  int DownStride() const { return bottomUp ? -stride : stride; }
};

// The section selected into `dc`; none when the DC holds no 32-bit DIB
// section with readable bits.
std::optional<SectionPixels> SkinSection32(HDC dc);

}  // namespace korvath::skin
