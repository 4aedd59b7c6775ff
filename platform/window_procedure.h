#pragma once
// A window's procedure slot (GWLP_WNDPROC), read and written in one place.
#include <windows.h>

namespace korvath::platform {

// The procedure that stands in front of the window now.
WNDPROC WindowProcedureOf(HWND window);
// Puts `procedure` in front; answers the one it replaced.
WNDPROC SetWindowProcedure(HWND window, WNDPROC procedure);

}  // namespace korvath::platform
