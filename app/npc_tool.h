#pragma once
// The program's start and end: one path for WinMain and for the tests that
// drive the tool's real window in their own process, so that they drive the
// program the user runs.
#include <span>

namespace korvath::app {

// One step of the start-up; false when the program cannot go on.
struct StartupStep {
  const char* name;
  bool (*run)();
};
// The start-up steps in their order: OLE on this thread (the folder dialog
// of the new style needs it); the program's folder
// as the current one; the skin engine's start-up (GDI+, options, cursors,
// classes) and the container skin that the engine's panels register with;
// the main window loaded from its form description (created with its units
// hidden and set up), then shown, then its first frame painted.
std::span<const StartupStep> StartupSteps();

// Runs the start-up steps in their order, up to the first that fails. False
// when one failed; EndProgram follows either way.
bool StartProgram();
// Once the main window is gone: the engine's shutdown, OLE released.
void EndProgram();

// The whole program: StartProgram, the message loop until the main window is
// gone, EndProgram. Returns the exit code.
int RunNpcProgram();

}  // namespace korvath::app
