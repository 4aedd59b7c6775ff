#pragma once
// A second install that subclassed a control again would leave the skin's
// own procedure as the one it forwards to, and the control's next message
// would recurse until the stack ran out. The check fails at once instead,
// before any message is sent, and hands the control back to its class's
// procedure so that the test can still end.
#include <gtest/gtest.h>
#include <windows.h>

#include "skin/core/window_props.h"

namespace korvath::skin::test {

inline ::testing::AssertionResult ForwardsPastTheSkin(HWND window, WNDPROC skin) {
  if (GetSkinPropHandle<WNDPROC>(window, prop::Hw_hProc) != skin) return ::testing::AssertionSuccess();
  SetWindowLongPtrW(window, GWLP_WNDPROC, GetClassLongPtrW(window, GCLP_WNDPROC));
  return ::testing::AssertionFailure() << "the skin's procedure is saved as the one it replaced";
}

}  // namespace korvath::skin::test
