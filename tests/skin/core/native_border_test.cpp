// The native border of a control is stripped exactly: WS_BORDER and the three
// edge bits go; every other bit stays, the tool-window and top-most bits right
// beside them included (a mask one bit too wide would take them).
#include "skin/core/native_border.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace korvath::skin {

TEST(RemoveNativeBorderTest, ClearsBorderAndTheThreeEdgeBitsOnly) {
  const DWORD edges = WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME;
  const DWORD kept = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOPARENTNOTIFY | WS_EX_TRANSPARENT;
  const HWND popup = CreateWindowExW(edges | kept, L"STATIC", L"", WS_POPUP | WS_BORDER | SS_NOTIFY,
                                     0, 0, 120, 24, nullptr, nullptr, nullptr, nullptr);
  const LONG styleBefore = GetWindowLongA(popup, GWL_STYLE);
  ASSERT_TRUE(styleBefore & WS_BORDER);
  RemoveNativeBorder(popup);
  EXPECT_EQ(GetWindowLongA(popup, GWL_STYLE), styleBefore & ~WS_BORDER);
  EXPECT_EQ(GetWindowLongA(popup, GWL_EXSTYLE) & (edges | kept), LONG(kept));
  DestroyWindow(popup);
}

}  // namespace korvath::skin
