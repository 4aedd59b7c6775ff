#pragma once
// What the tests of the surfaces the engine paints on share: their fixture,
// the size of their pictures, and a DC's pixels.
#include <windows.h>

#include <cstdint>

#include "tests/skin/core/engine_fixture.h"

namespace korvath::skin::test {

// Every test leaves the live-object count where it found it.
using SurfaceTest = GdiCountedEngineTest;

inline constexpr int kWidth = 120;
inline constexpr int kHeight = 80;

// The pixels of the 32-bit DIB section selected into a DC, as they lie in
// memory (bottom-up for the engine's memory DCs).
inline uint32_t* BitsOf(HDC dc) {
  DIBSECTION section{};
  GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof section, &section);
  return static_cast<uint32_t*>(section.dsBm.bmBits);
}

}  // namespace korvath::skin::test
