// The engine's start: the core's start-up, then the drop shadows' class, the
// one step of the start that the core, standing below the families, cannot
// take.
#include "skin/engine/start.h"

#include "skin/core/engine_startup.h"
#include "skin/shadow/shadow_window.h"

namespace korvath::skin {

void SkinEngineStart() {
  SkinEngineStartup();
  // As the initialiser registers its own class, now that the icon is loaded.
  SkinRegisterWindowClass(L"yinyWindow", ShadowWndProc);
}

}  // namespace korvath::skin
