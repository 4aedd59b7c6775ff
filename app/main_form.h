#pragma once
// The main window as its form description defines it, with the tool's
// handlers bound, and the form that holds it for the whole run.
#include "app/main_form_layout.h"
#include "app/main_window.h"

namespace korvath::app {

const platform::FormDescription& MainFormDescription();

}  // namespace korvath::app
