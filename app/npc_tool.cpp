#include "app/npc_tool.h"

#include <windows.h>
#include <ole2.h>

#include "app/main_form.h"
#include "platform/folders.h"
#include "skin/engine/start.h"

namespace korvath::app {

namespace {

// Whether this start took a reference on OLE that EndProgram gives back.
bool oleStarted = false;

// The common controls are not started here: the main window and its units are
// all USER32 classes, and whatever first makes a window of comctl32's classes
// starts them (platform/common_controls.h).
bool StartOle() {
  oleStarted = SUCCEEDED(OleInitialize(nullptr));
  return true;
}

bool EnterProgramFolder() {
  platform::ChangeDirectory(platform::ProgramDirectoryWide());
  return true;
}

bool StartSkinEngine() {
  skin::SkinEngineStart();
  return true;
}

bool LoadMainWindow() { return MainForm().CreateHidden(MainFormDescription()); }

bool ShowMainWindow() {
  MainForm().Show();
  return true;
}

bool PaintFirstFrame() {
  MainForm().PaintFirstFrame();
  return true;
}

constexpr StartupStep kStartupSteps[] = {
    {"OLE", &StartOle},
    {"program folder", &EnterProgramFolder},
    {"skin engine", &StartSkinEngine},
    {"main window created and set up", &LoadMainWindow},
    {"main window shown", &ShowMainWindow},
    {"first frame painted", &PaintFirstFrame},
};

}  // namespace

std::span<const StartupStep> StartupSteps() { return kStartupSteps; }

bool StartProgram() {
  for (const StartupStep& step : kStartupSteps)
    if (!step.run()) return false;
  return true;
}

void EndProgram() {
  skin::SkinEngineShutdown();
  if (oleStarted) OleUninitialize();
  oleStarted = false;
}

int RunNpcProgram() {
  const int code = StartProgram() ? MainForm().RunMessageLoop() : 1;
  EndProgram();
  return code;
}

}  // namespace korvath::app
