#include "skin/core/engine_state.h"

#include "skin/core/engine_startup.h"
#include "skin/draw/engine_caches.h"

namespace korvath::skin {

// GDI+ is defined first, so that it outlives the engine's state.
platform::GdiplusStartupToken GdiplusToken;
ULONG_PTR SkinModuleGdiplusToken = 0;
SkinEngineState SkinEngine;

SkinEngineState::SkinEngineState() {
  SkinMemoryDcList();
  SkinEngineCacheRegistry();
}

void SkinEngineReset() {
  // Records and fades free their pictures into the memory-DC list, so they
  // go first; a fade also kills its timer. The caches go with the state they
  // were worked out from; the memory DCs that nothing holds any more go last.
  SkinEngine.lists.SkinWindowList.clear();
  SkinEngine.lists.FadeList.clear();
  SkinEngineCacheRegistry().Clear();
  SkinEngine.options = SkinEngineOptions{};
  SkinEngine.forms = SkinFormState{};
  SkinEngine.box = SkinMessageBoxState{};
  SkinEngine.lists = SkinEngineLists{};
  SkinMemoryDcList().clear();
}

}  // namespace korvath::skin
