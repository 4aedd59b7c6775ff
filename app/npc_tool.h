#pragma once
// The program's start, callable from tests: the main window in this process,
// with or without the program's own message loop.
namespace korvath::app {

// Loads the main window from its form description: creates it and its units
// hidden, runs the set-up, shows it. False when it could not be made.
bool RunMainWindow();

// The whole program after the process has started COM and the common
// controls: the start-up steps in their order, then the message loop until
// the main window is gone. Returns the exit code.
int RunNpcProgram();

}  // namespace korvath::app
