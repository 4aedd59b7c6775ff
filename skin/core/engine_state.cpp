#include "skin/core/engine_state.h"

#include "skin/core/engine_startup.h"

namespace korvath::skin {

// GDI+ is defined first, so that it outlives the engine's state.
platform::GdiplusStartupToken GdiplusToken;
ULONG_PTR SkinModuleGdiplusToken = 0;
SkinEngineState SkinEngine;

SkinEngineCaches& SkinEngineCacheRegistry() { return SkinEngine.caches; }
std::vector<SkinMemoryDcEntry>& SkinEngineMemoryDcList() { return SkinEngine.lists.SkinMemoryDcList; }

void SkinEngineReset() {
  // Records and fades free their pictures into the memory-DC list, so they
  // go first; a fade also kills its timer. The caches go with the state they
  // were worked out from.
  SkinEngine.lists.SkinWindowList.clear();
  SkinEngine.lists.FadeList.clear();
  SkinEngine.caches.Clear();
  SkinEngine.options = SkinEngineOptions{};
  SkinEngine.forms = SkinFormState{};
  SkinEngine.box = SkinMessageBoxState{};
  SkinEngine.lists = SkinEngineLists{};
}

}  // namespace korvath::skin
