#include "skin/core/tooltip.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

#include "tests/support/win_test_support.h"

namespace {

using korvath::skin::ToolTip;
using testsupport::TestWindow;

TTTOOLINFOW Query(HWND tip, HWND owner, UINT id, wchar_t* text = nullptr) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.hwnd = owner;
  tool.uId = id;
  tool.lpszText = text;
  SendMessageW(tip, text ? TTM_GETTEXTW : TTM_GETTOOLINFOW, text ? 80 : 0, LPARAM(&tool));
  return tool;
}

TEST(ToolTipTest, ToolsAreAddedMovedRelabelledAndDeleted) {
  TestWindow form(300, 200, L"form");
  ToolTip tips;
  HWND tip = tips.Create(form.hwnd());
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(GetWindow(tip, GW_OWNER), form.hwnd());
  EXPECT_EQ(GetAncestor(tip, GA_PARENT), GetDesktopWindow());  // not a child
  {
    std::string text = "\xB9\xD8\xB1\xD5";  // "关闭" in GBK
    tips.AddTool(RECT{10, 2, 50, 20}, text, 1);
    text.assign("xxxx");  // the control copied the text
  }
  RECT client{};
  GetClientRect(form.hwnd(), &client);
  tips.AddTool(std::nullopt, "help", 2);
  EXPECT_EQ(tips.GetToolCount(), 2);
  wchar_t buffer[80] = {};
  Query(tip, form.hwnd(), 1, buffer);
  EXPECT_EQ(std::wstring(buffer), L"\u5173\u95ED");
  EXPECT_EQ(Query(tip, form.hwnd(), 1).rect.left, 10);
  // Without a rectangle: the client area as it was when the tool was added.
  SetWindowPos(form.hwnd(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(Query(tip, form.hwnd(), 2).rect.right, client.right);
  tips.SetToolRect(2, RECT{100, 0, 126, 18});
  EXPECT_EQ(Query(tip, form.hwnd(), 2).rect.left, 100);
  tips.UpdateText(1, "\xBB\xB9\xD4\xAD");  // "还原"
  Query(tip, form.hwnd(), 1, buffer);
  EXPECT_EQ(std::wstring(buffer), L"\u8FD8\u539F");
  // Unskinning deletes tools 1 .. count.
  for (int32_t i = 1, count = tips.GetToolCount(); i <= count; ++i) tips.DeleteTool(i);
  EXPECT_EQ(tips.GetToolCount(), 0);
  EXPECT_TRUE(IsWindow(tip));
}

// The control is owned by its form and destroyed with it or with the object,
// never left behind.
TEST(ToolTipTest, TheControlGoesWithItsFormOrWithTheObject) {
  HWND tip = nullptr;
  ToolTip outlives;
  {
    TestWindow form(100, 80, L"form");
    tip = outlives.Create(form.hwnd());
    outlives.AddTool(std::nullopt, "x", 1);
    ASSERT_TRUE(IsWindow(tip));
  }
  EXPECT_FALSE(IsWindow(tip));
  EXPECT_EQ(outlives.GetToolCount(), 0);
  outlives.AddTool(std::nullopt, "x", 1);  // without a control: nothing
  EXPECT_EQ(outlives.GetToolCount(), 0);

  TestWindow form(100, 80, L"form");
  {
    ToolTip scoped;
    tip = scoped.Create(form.hwnd());
  }
  EXPECT_FALSE(IsWindow(tip));
  // A second Create replaces the first control rather than stranding it.
  ToolTip twice;
  HWND first = twice.Create(form.hwnd());
  HWND second = twice.Create(form.hwnd());
  EXPECT_FALSE(IsWindow(first));
  ToolTip moved = std::move(twice);
  EXPECT_EQ(twice.GetHandle(), nullptr);
  EXPECT_EQ(moved.GetHandle(), second);
  EXPECT_TRUE(IsWindow(second));
}

}  // namespace
