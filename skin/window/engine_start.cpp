#include "skin/window/engine_start.h"

#include "skin/button/button_installers.h"
#include "skin/control/container_skin.h"
#include "skin/core/engine_startup.h"

namespace korvath::skin {

void SkinEngineStart() {
  SkinEngineStartup();
  RegisterButtonPainters();
  InstallContainerSkin();
}

}  // namespace korvath::skin
