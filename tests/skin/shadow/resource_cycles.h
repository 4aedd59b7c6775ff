#pragma once
// The cycles of what the engine keeps per window, the drop shadow among it
// (tests/skin/core/cycles.h counts them).
#include "tests/skin/core/cycles.h"

namespace korvath::skin::cycles {

// Per cycle: a window record with two memory DCs and a tooltip, parent and
// child backgrounds, a refresh, a layered window, a memory DC; every tenth
// cycle the control text, the glyph strip and the IP-address dots, every
// hundredth the shadow. Starts and shuts down the engine. `reference`, when
// given, runs after every cycle, timed apart: the benchmark's plain cycle,
// measured under the same load as these.
Figures RunResourceCycles(int cycles, void (*reference)() = nullptr);

}  // namespace korvath::skin::cycles
