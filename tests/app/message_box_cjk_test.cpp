// The message box's return convention, and the exact Chinese-character test
// through "VBScript.RegExp".
#include <gtest/gtest.h>

#include "app/cjk_text.h"
#include "skin/window/message_box.h"
#include "tests/support/win_test_support.h"

using namespace korvath;
using namespace testsupport;

TEST(SkinMessageBox, ReturnsThePressedButtonMinusOneAndMinusOneWhenNoneIsShown) {
  DialogAnswerer answerer({PressButton(IDOK), PressButton(IDYES), PressButton(IDNO)});
  EXPECT_EQ(skin::SkinMessageBox(nullptr, "完成", MB_OK | MB_ICONINFORMATION), 0);
  EXPECT_EQ(skin::SkinMessageBox(nullptr, "覆盖?", 0x134, "提示"), 5);
  EXPECT_EQ(skin::SkinMessageBox(nullptr, "覆盖?", 0x134, "提示"), 6);
  ASSERT_EQ(answerer.seen().size(), 3u);
  EXPECT_EQ(answerer.seen()[0].text, L"完成");
  EXPECT_EQ(answerer.seen()[1].caption, L"提示");
  HWND gone = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(skin::SkinMessageBox(gone, "x", MB_OK), -1);
  EXPECT_EQ(answerer.seen().size(), 3u);
}

TEST(IsCjkText, ExactTestAsksTheRegularExpressionObject) {
  for (const char* yes : {"张三", "张"}) EXPECT_TRUE(app::IsCjkText(yes, true)) << yes;
  for (const char* no : {"张A", "\xA3\xC1", "", "A"}) EXPECT_FALSE(app::IsCjkText(no, true)) << no;
  EXPECT_TRUE(app::IsCjkText("\xA3\xC1", false));  // full-width A is two-byte for the byte test
  std::string name = "ＡＢ张三", full = "A张";
  EXPECT_EQ(app::NameToPinyin(name, false, false, true), "ABzhangsan");
  EXPECT_EQ(name, "AB张三");
  EXPECT_EQ(app::NameToPinyin(full, true, true, true), "\xA3\xC1zhang ");
}
