#include "app/main_window.h"

namespace korvath::app {

platform::Form& MainForm() {
  static platform::Form form;
  return form;
}

HWND MainWindow() { return MainForm().WindowHandle(); }

}  // namespace korvath::app
