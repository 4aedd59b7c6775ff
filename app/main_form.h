#pragma once
// The main window as its form description defines it, with the tool's
// handlers bound, and the form that holds it for the whole run.
#include "app/main_form_layout.h"

namespace korvath::app {

const platform::FormDescription& MainFormDescription();

// The form of the main window.
platform::Form& MainForm();
// The main window's handle (null when it does not exist): the owner of the
// program's dialogs and message boxes.
HWND MainWindow();

}  // namespace korvath::app
