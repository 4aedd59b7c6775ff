#pragma once
// The panel's cycles under the mouse (tests/skin/core/cycles.h counts them).
#include "tests/skin/core/cycles.h"

namespace korvath::skin::cycles {

// Per cycle: hover, press, release and leave on a panel entry over a skinned
// form, and a repaint; every tenth cycle the panel is rebuilt. `reference`,
// when given, runs after every cycle, timed apart.
Figures RunPanelCycles(int cycles, void (*reference)() = nullptr);

}  // namespace korvath::skin::cycles
