#include "platform/window_procedure.h"

#include "platform/message_params.h"

namespace korvath::platform {

WNDPROC WindowProcedureOf(HWND window) { return FromParam<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

WNDPROC SetWindowProcedure(HWND window, WNDPROC procedure) {
  return FromParam<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, ToParam(procedure)));
}

}  // namespace korvath::platform
