#include "skin/core/drawing_values.h"

#include <gtest/gtest.h>

#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

TEST(SkinArgbFromColorRef, SwapsRedAndBlueAndPutsAlphaOnTop) {
  EXPECT_EQ(uint32_t(SkinArgbFromColorRef(0x0000FF)), 0xFFFF0000u);  // opaque red
  EXPECT_EQ(uint32_t(SkinArgbFromColorRef(0xDDCA22, 160)), 0xA022CADDu);
  EXPECT_EQ(uint32_t(SkinArgbFromColorRef(0xDDCA22, 0)), 0x0022CADDu);
  EXPECT_EQ(uint32_t(SkinArgbFromColorRef(0xFF00FF)), 0xFFFF00FFu);
}

TEST(SkinArgbFromColorRef, KeepsOnlyLowBytesOfAlphaAndIgnoresTopByteOfColour) {
  EXPECT_EQ(uint32_t(SkinArgbFromColorRef(0x000000, 300)), 0x2C000000u);  // 300 & 0xFF = 44
  EXPECT_EQ(SkinArgbFromColorRef(0x7F123456), SkinArgbFromColorRef(0x00123456));
  EXPECT_EQ(SkinArgbFromColorRef(0x12345678, -1), SkinArgbFromColorRef(0x345678, 255));
}

TEST(SkinArgbFromColorRef, IsNegativeFromAlpha128) {
  EXPECT_LT(SkinArgbFromColorRef(0, 128), 0);
  EXPECT_GT(SkinArgbFromColorRef(0xFFFFFF, 127), 0);
}

TEST(MessageParameterHalves, LowIsUnsignedHighIsSigned) {
  EXPECT_EQ(HiWord(int32_t(0xFFFF0000u)), -1);
  EXPECT_EQ(LoWord(0x0000FFFF), 65535u);
  EXPECT_EQ(LoWord(-1), 65535u);
  EXPECT_EQ(HiWord(-1), -1);
  EXPECT_EQ(HiWord(0x7FFF1234), 0x7FFF);
  EXPECT_EQ(LoWord(0x7FFF1234), 0x1234u);
  // A mouse position (-5, -7) packed as lParam.
  const int32_t lParam = int32_t((uint32_t(uint16_t(-7)) << 16) | uint16_t(-5));
  EXPECT_EQ(LoWord(lParam), 65531u);
  EXPECT_EQ(HiWord(lParam), -7);
}

TEST(WindowStyleTests, ReadTheWindowsOwnStyleWord) {
  testsupport::TestWindow parent(300, 200);
  HWND list = parent.AddChild(L"LISTBOX", L"", WS_CHILD | WS_VSCROLL | LBS_DISABLENOSCROLL, 0, 0,
                              100, 80);
  // Created hidden (AddChild would show it).
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_HSCROLL | ES_MULTILINE, 0, 100, 100, 40,
                              parent.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  EXPECT_TRUE(HasVScrollStyle(list));
  EXPECT_FALSE(HasHScrollStyle(list));
  EXPECT_TRUE(IsVisibleStyle(list));
  EXPECT_TRUE(HasHScrollStyle(edit));
  EXPECT_FALSE(HasVScrollStyle(edit));
  EXPECT_FALSE(IsVisibleStyle(edit));

  // Unlike IsWindowVisible, the parents' visibility does not count.
  ShowWindow(parent.hwnd(), SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_TRUE(IsVisibleStyle(list));
}

TEST(WindowStyleTests, AnswerFalseForAHandleThatIsNoWindow) {
  HWND none = reinterpret_cast<HWND>(uintptr_t(0x7FFF0));
  EXPECT_FALSE(HasVScrollStyle(none));
  EXPECT_FALSE(HasHScrollStyle(none));
  EXPECT_FALSE(IsVisibleStyle(none));
}

TEST(SkinGetClassNameText, NamesTheWindowClass) {
  testsupport::TestWindow parent(300, 200);
  HWND button = parent.AddChild(L"Button", L"ok", WS_CHILD, 0, 0, 50, 20);
  HWND tab = parent.AddChild(L"SysTabControl32", L"", WS_CHILD, 0, 30, 50, 20);
  EXPECT_EQ(SkinGetClassNameText(button), "Button");
  EXPECT_EQ(SkinGetClassNameText(tab), "SysTabControl32");
}

TEST(SkinGetClassNameText, GivesBlanksForAHandleThatIsNoWindow) {
  EXPECT_EQ(SkinGetClassNameText(reinterpret_cast<HWND>(uintptr_t(0x7FFF0))), std::string(255, ' '));
}

}  // namespace
}  // namespace korvath::skin
