// The message box's return convention, and the exact Chinese-character test
// through "VBScript.RegExp".
#include <gtest/gtest.h>

#include "app/cjk_text.h"
#include "skin/window/message_box.h"
#include "tests/support/win_test_support.h"

using namespace korvath;
using namespace testsupport;

TEST(SkinMessageBox, ReturnsThePressedButtonMinusOne) {
  DialogAnswerer answerer({PressButton(IDOK), PressButton(IDYES), PressButton(IDNO)});
  EXPECT_EQ(skin::SkinMessageBox(nullptr, "完成", MB_OK | MB_ICONINFORMATION), 0);
  EXPECT_EQ(skin::SkinMessageBox(nullptr, "覆盖?", 0x134, "提示"), 5);
  EXPECT_EQ(skin::SkinMessageBox(nullptr, "覆盖?", 0x134, "提示"), 6);
  ASSERT_EQ(answerer.seen().size(), 3u);
  EXPECT_EQ(answerer.seen()[0].text, L"完成");
  EXPECT_FALSE(answerer.seen()[0].caption.empty());
  EXPECT_EQ(answerer.seen()[1].caption, L"提示");
}

TEST(SkinMessageBox, NoBoxShownGivesMinusOne) {
  DialogAnswerer answerer;
  HWND gone = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(skin::SkinMessageBox(gone, "x", MB_OK), -1);
  EXPECT_TRUE(answerer.seen().empty());
}

TEST(IsCjkText, ExactTestAsksTheRegularExpressionObject) {
  EXPECT_TRUE(app::IsCjkText("张三", true));
  EXPECT_TRUE(app::IsCjkText("张", true));
  EXPECT_FALSE(app::IsCjkText("张A", true));
  EXPECT_FALSE(app::IsCjkText("\xA3\xC1", true));  // full-width A: not Chinese here
  EXPECT_TRUE(app::IsCjkText("\xA3\xC1", false));  // but a two-byte character for the byte test
  EXPECT_FALSE(app::IsCjkText("", true));
  EXPECT_FALSE(app::IsCjkText("A", true));
}

TEST(NameToPinyin, ExactTestKeepsLettersAndOptionsApply) {
  std::string name = "ＡＢ张三";
  EXPECT_EQ(app::NameToPinyin(name, false, false, true), "ABzhangsan");
  EXPECT_EQ(name, "AB张三");
  std::string full = "A张";
  EXPECT_EQ(app::NameToPinyin(full, true, true, true), "\xA3\xC1zhang ");
  std::string plain = "ＡＢ张三";
  EXPECT_EQ(app::NameToPinyin(plain), "zhangsan");
}
