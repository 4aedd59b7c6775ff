#include "app/npc_tool.h"

#include "app/main_form.h"
#include "platform/folders.h"
#include "skin/control/container_skin.h"
#include "skin/core/engine_startup.h"

namespace korvath::app {

bool RunMainWindow() { return MainForm().Create(MainFormDescription()); }

int RunNpcProgram() {
  platform::ChangeDirectory(platform::ProgramDirectory());
  // Module initialisers: the skin engine's global state and start-up (GDI+,
  // its options, cursors and window classes), and the container skin that
  // the engine's panels register with, before the main window is loaded.
  skin::SkinEngineStartup();
  skin::InstallContainerSkin();
  const int code = RunMainWindow() ? MainForm().RunMessageLoop() : 1;
  skin::SkinEngineShutdown();
  return code;
}

}  // namespace korvath::app
