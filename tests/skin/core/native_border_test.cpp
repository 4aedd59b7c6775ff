// The native border of a control is stripped exactly: WS_BORDER and the three
// edge bits go, every other bit stays.
#include "skin/core/native_border.h"

#include <gtest/gtest.h>

#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

using testsupport::TestWindow;

TEST(RemoveNativeBorderTest, ClearsBorderAndTheThreeEdgeBitsOnly) {
  TestWindow form(300, 200);
  HWND edit = form.AddChild(L"EDIT", L"x", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10,
                            10, 120, 20, 1,
                            WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME |
                                WS_EX_NOPARENTNOTIFY | WS_EX_TRANSPARENT);
  const LONG styleBefore = GetWindowLongA(edit, GWL_STYLE);
  ASSERT_TRUE(styleBefore & WS_BORDER);

  RemoveNativeBorder(edit);

  const LONG style = GetWindowLongA(edit, GWL_STYLE);
  const LONG ex = GetWindowLongA(edit, GWL_EXSTYLE);
  EXPECT_EQ(style, styleBefore & ~WS_BORDER);
  EXPECT_EQ(ex & (WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME), 0);
  EXPECT_EQ(ex & (WS_EX_NOPARENTNOTIFY | WS_EX_TRANSPARENT),
            WS_EX_NOPARENTNOTIFY | WS_EX_TRANSPARENT);
}

// Tool-window and top-most bits sit right beside the cleared ones; a mask
// written one bit too wide would take them.
TEST(RemoveNativeBorderTest, KeepsToolWindowAndTopMost) {
  HWND popup = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CLIENTEDGE, L"STATIC",
                               L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(popup, nullptr);
  const LONG styleBefore = GetWindowLongA(popup, GWL_STYLE);

  RemoveNativeBorder(popup);

  const LONG ex = GetWindowLongA(popup, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_FALSE(ex & WS_EX_CLIENTEDGE);
  EXPECT_EQ(GetWindowLongA(popup, GWL_STYLE), styleBefore);  // had no WS_BORDER
  DestroyWindow(popup);
}

// After a frame recalculation the client area fills the whole window.
TEST(RemoveNativeBorderTest, FrameDisappearsWhenRecalculated) {
  TestWindow form(300, 200);
  HWND edit = form.AddChild(L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 120, 24, 1,
                            WS_EX_CLIENTEDGE);
  RECT client;
  GetClientRect(edit, &client);
  ASSERT_LT(client.right, 120);

  RemoveNativeBorder(edit);
  SetWindowPos(edit, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);

  GetClientRect(edit, &client);
  EXPECT_EQ(client.right, 120);
  EXPECT_EQ(client.bottom, 24);
}

}  // namespace
}  // namespace korvath::skin
