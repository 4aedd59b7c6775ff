#include "skin/core/engine_state.h"

#include "skin/core/engine_startup.h"

namespace korvath::skin {

// GDI+ is defined first, so that it outlives the engine's state.
platform::GdiplusStartupToken GdiplusToken;
ULONG_PTR SkinModuleGdiplusToken = 0;
SkinEngineState SkinEngine;

void SkinEngineReset() {
  // Records and fades free their pictures into the memory-DC list, so they
  // go first; a fade also kills its timer.
  SkinEngine.SkinWindowList.clear();
  SkinEngine.FadeList.clear();
  SkinEngine = SkinEngineState{};
}

}  // namespace korvath::skin
