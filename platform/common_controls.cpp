#include "platform/common_controls.h"

#include <windows.h>
#include <commctrl.h>

namespace korvath::platform {

void EnsureCommonControls() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)registered;
}

}  // namespace korvath::platform
