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
