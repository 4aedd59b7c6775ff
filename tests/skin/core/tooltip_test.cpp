#include "skin/core/tooltip.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

#include "tests/support/win_test_support.h"

namespace {

using korvath::skin::ToolTip;
using testsupport::TestWindow;

// "关闭" and "还原" in GBK.
const std::string kClose = "\xB9\xD8\xB1\xD5";
const std::string kRestore = "\xBB\xB9\xD4\xAD";

TTTOOLINFOW Query(HWND tip, HWND owner, UINT id, wchar_t* text = nullptr) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.hwnd = owner;
  tool.uId = id;
  tool.lpszText = text;
  SendMessageW(tip, text ? TTM_GETTEXTW : TTM_GETTOOLINFOW, text ? 80 : 0, LPARAM(&tool));
  return tool;
}

bool HasTool(HWND tip, HWND owner, UINT id) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.hwnd = owner;
  tool.uId = id;
  return SendMessageW(tip, TTM_GETTOOLINFOW, 0, LPARAM(&tool)) != 0;
}

TEST(ToolTipTest, CreateMakesATopmostControlOwnedByTheForm) {
  TestWindow form(300, 200, L"form");
  ToolTip tips;
  HWND tip = tips.Create(form.hwnd());
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(tips.GetHandle(), tip);
  const LONG style = GetWindowLongW(tip, GWL_STYLE);
  EXPECT_TRUE(style & TTS_ALWAYSTIP);
  EXPECT_FALSE(style & TTS_BALLOON);
  EXPECT_TRUE(GetWindowLongW(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(tip, GW_OWNER), form.hwnd());
  EXPECT_EQ(GetAncestor(tip, GA_PARENT), GetDesktopWindow());  // not a child
  EXPECT_EQ(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 600);

  ToolTip balloon;
  HWND second = balloon.Create(form.hwnd(), true);
  const LONG balloonStyle = GetWindowLongW(second, GWL_STYLE);
  EXPECT_TRUE(balloonStyle & TTS_ALWAYSTIP);
  EXPECT_TRUE(balloonStyle & TTS_BALLOON);
}

TEST(ToolTipTest, ToolsAreAddedMovedRelabelledAndDeleted) {
  TestWindow form(300, 200, L"form");
  ToolTip tips;
  HWND tip = tips.Create(form.hwnd());
  {
    std::string text = kClose;
    tips.AddTool(RECT{10, 2, 50, 20}, text, 1);
    text.assign("xxxx");  // the control copied the text
  }
  tips.AddTool(std::nullopt, "help", 2);
  EXPECT_EQ(tips.GetToolCount(), 2);

  wchar_t buffer[80] = {};
  Query(tip, form.hwnd(), 1, buffer);
  EXPECT_EQ(std::wstring(buffer), L"\u5173\u95ED");
  TTTOOLINFOW first = Query(tip, form.hwnd(), 1);
  EXPECT_EQ(first.rect.left, 10);
  EXPECT_EQ(first.rect.bottom, 20);
  EXPECT_TRUE(first.uFlags & TTF_SUBCLASS);

  // Without a rectangle: the client area as it was when the tool was added.
  RECT client{};
  GetClientRect(form.hwnd(), &client);
  SetWindowPos(form.hwnd(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
  TTTOOLINFOW second = Query(tip, form.hwnd(), 2);
  EXPECT_EQ(second.rect.right, client.right);
  EXPECT_EQ(second.rect.bottom, client.bottom);

  tips.SetToolRect(2, RECT{100, 0, 126, 18});
  EXPECT_EQ(Query(tip, form.hwnd(), 2).rect.left, 100);
  tips.UpdateText(1, kRestore);
  Query(tip, form.hwnd(), 1, buffer);
  EXPECT_EQ(std::wstring(buffer), L"\u8FD8\u539F");

  tips.SetBackColor(RGB(1, 2, 3));
  EXPECT_EQ(SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0), RGB(1, 2, 3));
  tips.SetTextColor(RGB(4, 5, 6));
  EXPECT_EQ(SendMessageW(tip, TTM_GETTIPTEXTCOLOR, 0, 0), RGB(4, 5, 6));
  tips.SetMaxWidth(300);
  EXPECT_EQ(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 300);

  tips.AddToolCallback(RECT{0, 0, 5, 5}, 3);
  EXPECT_EQ(tips.GetToolCount(), 3);
  // Unskinning deletes tools 1 .. count.
  for (int32_t i = 1, count = tips.GetToolCount(); i <= count; ++i) tips.DeleteTool(i);
  EXPECT_EQ(tips.GetToolCount(), 0);
  EXPECT_FALSE(HasTool(tip, form.hwnd(), 1));
  EXPECT_TRUE(IsWindow(tip));
}

TEST(ToolTipTest, AnObjectWithoutAControlDoesNothing) {
  TestWindow form(100, 80, L"form");
  ToolTip tips;
  EXPECT_EQ(tips.GetHandle(), nullptr);
  EXPECT_EQ(tips.GetToolCount(), 0);
  tips.AddTool(std::nullopt, "x", 1);
  tips.DeleteTool(1);
  tips.UpdateText(1, "y");
  EXPECT_EQ(tips.GetToolCount(), 0);
}

TEST(ToolTipTest, TheControlGoesWithItsFormOrWithTheObject) {
  HWND tip = nullptr;
  ToolTip outlives;
  {
    TestWindow form(100, 80, L"form");
    tip = outlives.Create(form.hwnd());
    outlives.AddTool(std::nullopt, "x", 1);
    ASSERT_TRUE(IsWindow(tip));
  }
  EXPECT_FALSE(IsWindow(tip));  // destroyed with its owner
  EXPECT_EQ(outlives.GetToolCount(), 0);

  TestWindow form(100, 80, L"form");
  {
    ToolTip scoped;
    tip = scoped.Create(form.hwnd());
  }
  EXPECT_FALSE(IsWindow(tip));  // destroyed with the object

  // A second Create replaces the first control rather than stranding it.
  ToolTip twice;
  HWND first = twice.Create(form.hwnd());
  HWND second = twice.Create(form.hwnd());
  EXPECT_FALSE(IsWindow(first));
  EXPECT_TRUE(IsWindow(second));
  ToolTip moved = std::move(twice);
  EXPECT_EQ(twice.GetHandle(), nullptr);
  EXPECT_EQ(moved.GetHandle(), second);
  EXPECT_TRUE(IsWindow(second));
}

}  // namespace
