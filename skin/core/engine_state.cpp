#include "skin/core/engine_state.h"

#include "skin/core/engine_startup.h"

namespace korvath::skin {

// GDI+ is defined first, so that it outlives the engine's state.
platform::GdiplusStartupToken GdiplusToken;
SkinEngineState SkinEngine;

void SkinEngineReset() {
  // Records free their layers into the memory-DC list, so they go first.
  SkinEngine.SkinWindowList.clear();
  SkinEngine = SkinEngineState{};
}

}  // namespace korvath::skin
