#pragma once
// The form that holds the main window for the whole run. It stands below the
// window's description (main_form.h), so that the handlers and dialogs which
// that description binds reach the window without including it.
#include <windows.h>

#include "platform/form.h"

namespace korvath::app {

// The form of the main window.
platform::Form& MainForm();
// The main window's handle (null when it does not exist): the owner of the
// program's dialogs and message boxes.
HWND MainWindow();

}  // namespace korvath::app
