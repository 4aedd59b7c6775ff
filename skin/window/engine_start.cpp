#include "skin/window/engine_start.h"

#include "skin/button/button_installers.h"
#include "skin/core/engine_startup.h"

namespace korvath::skin {

void SkinEngineStart() {
  SkinEngineStartup();
  RegisterButtonPainters();
}

}  // namespace korvath::skin
