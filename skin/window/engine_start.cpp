#include "skin/window/engine_start.h"

#include "skin/button/button_installers.h"
#include "skin/core/engine_startup.h"
#include "skin/install/container_attach.h"

namespace korvath::skin {

void SkinEngineStart() {
  SkinEngineStartup();
  RegisterButtonPainters();
  InstallContainerSkin();
}

}  // namespace korvath::skin
