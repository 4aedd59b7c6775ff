#include "app/npc_tool.h"

#include "app/main_form.h"
#include "platform/folders.h"

namespace korvath::app {

bool RunMainWindow() { return MainForm().Create(MainFormDescription()); }

int RunNpcProgram() {
  platform::ChangeDirectory(platform::ProgramDirectory());
  // Module initialisers: the skin engine's start-up (GDI+, its options,
  // cursors and window classes) runs here, before the main window is loaded.
  if (!RunMainWindow()) return 1;
  return MainForm().RunMessageLoop();
}

}  // namespace korvath::app
