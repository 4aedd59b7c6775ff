#pragma once
// A colour over a pixel of a 32-bit DIB section as GDI+ puts it there when it
// draws through the section's DC: the colour premultiplied by its alpha, then
// blended over the pixel by GDI, alpha channel included, each step rounded to
// the nearest.
#include <algorithm>
#include <cstdint>

namespace korvath::skin {

inline uint32_t SkinOverThroughGdi(uint32_t colour, uint32_t under) {
  const uint32_t a = colour >> 24;
  if (a == 0xFF) return colour;
  if (a == 0) return under;
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t premultiplied = (((colour >> shift) & 0xFF) * a + 127) / 255;
    const uint32_t kept = (((under >> shift) & 0xFF) * (255 - a) + 127) / 255;
    result |= std::min<uint32_t>(premultiplied + kept, 0xFF) << shift;
  }
  const uint32_t keptAlpha = ((under >> 24) * (255 - a) + 127) / 255;
  return result | std::min<uint32_t>(a + keptAlpha, 0xFF) << 24;
}

}  // namespace korvath::skin
