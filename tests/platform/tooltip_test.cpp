// The tooltip control's wrapper: the text it carries, and the control gone
// with its owner window or with the object, never left behind.
#include "platform/tooltip.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/gdi_object.h"
#include "tests/support/win_test_support.h"

namespace {

using korvath::platform::LiveGdiObjectCount;
using korvath::platform::ToolTip;
using testsupport::TestWindow;

// The tooltip control is owned by its form and goes with it or with the
// object, never left behind; the live GDI objects are as they were.
TEST(ToolTipTest, TooltipsCarryTheirTextAndGoWithTheirFormOrObject) {
  const long start = LiveGdiObjectCount();
  {
    HWND tip = nullptr;
    ToolTip outlives;
    {
      TestWindow form(300, 200, L"form");
      tip = outlives.Create(form.hwnd());
      EXPECT_EQ(GetWindow(tip, GW_OWNER), form.hwnd());
      outlives.AddTool(RECT{10, 2, 50, 20}, "\xB9\xD8\xB1\xD5", 1);  // "关闭" in GBK
      wchar_t text[80] = {};
      TTTOOLINFOW tool{TTTOOLINFOW_V1_SIZE, 0, form.hwnd(), 1};
      tool.lpszText = text;
      SendMessageW(tip, TTM_GETTEXTW, 80, LPARAM(&tool));
      EXPECT_EQ(std::wstring(text), L"\u5173\u95ED");
    }
    EXPECT_FALSE(IsWindow(tip));
    TestWindow form(100, 80, L"form");
    {
      ToolTip scoped;
      tip = scoped.Create(form.hwnd());
      scoped.Create(form.hwnd());  // a second Create replaces the first control
      EXPECT_FALSE(IsWindow(tip));
      tip = scoped.GetHandle();
    }
    EXPECT_FALSE(IsWindow(tip));
  }
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

}  // namespace
