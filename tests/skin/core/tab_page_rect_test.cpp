#include "skin/core/tab_page_rect.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

void ExpectRect(const RECT& r, int left, int top, int right, int bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

// A 200 x 150 tab control whose items are all width x height pixels.
class TabPage : public ::testing::Test {
 protected:
  HWND MakeTab(DWORD style, int items, int width, int height) {
    HWND tab = parent_.AddChild(L"SysTabControl32", L"",
                                WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH | style, 10, 10, 200, 150);
    SendMessageW(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(width, height));
    for (int i = 0; i < items; ++i) {
      wchar_t text[] = L"page";
      TCITEMW item = {};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      SendMessageW(tab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    return tab;
  }

  static SIZE FirstItemSize(HWND tab) {
    RECT r = {};
    SendMessageW(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    return SIZE{r.right - r.left, r.bottom - r.top};
  }

  static int Rows(HWND tab) { return int(SendMessageW(tab, TCM_GETROWCOUNT, 0, 0)); }

  testsupport::TestWindow parent_{400, 300};
};

TEST_F(TabPage, TopTabsOneRow) {
  HWND tab = MakeTab(0, 2, 60, 20);
  ASSERT_EQ(Rows(tab), 1);
  ASSERT_EQ(FirstItemSize(tab).cy, 20);
  ExpectRect(SkinTabPageRect(tab), 0, 21, 200, 150);
}

TEST_F(TabPage, TopTabsTwoRows) {
  HWND tab = MakeTab(TCS_MULTILINE, 5, 60, 20);  // five 60-pixel items do not fit in 200
  ASSERT_EQ(Rows(tab), 2);
  ASSERT_EQ(FirstItemSize(tab).cy, 20);
  ExpectRect(SkinTabPageRect(tab), 0, 41, 200, 150);
}

TEST_F(TabPage, BottomTabs) {
  HWND tab = MakeTab(TCS_BOTTOM, 2, 60, 20);
  ASSERT_EQ(Rows(tab), 1);
  ASSERT_EQ(FirstItemSize(tab).cy, 20);
  ExpectRect(SkinTabPageRect(tab), 0, 0, 200, 129);
}

TEST_F(TabPage, VerticalTabsOnTheLeftAndOnTheRight) {
  HWND left = MakeTab(TCS_VERTICAL | TCS_MULTILINE, 1, 40, 20);
  const SIZE l = FirstItemSize(left);
  ASSERT_EQ(Rows(left), 1);
  ASSERT_GT(l.cx, 0);
  ExpectRect(SkinTabPageRect(left), l.cx + 1, 0, 200, 150);

  HWND right = MakeTab(TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, 1, 40, 20);
  const SIZE r = FirstItemSize(right);
  ASSERT_EQ(Rows(right), 1);
  ExpectRect(SkinTabPageRect(right), 0, 0, 200 - r.cx - 1, 150);
}

TEST_F(TabPage, EmptyTabStartsOnePixelInside) {
  HWND tab = MakeTab(0, 0, 60, 20);
  const RECT r = SkinTabPageRect(tab);
  // Whatever row count an empty control reports, its item rectangle is empty.
  ExpectRect(r, 0, 1, 200, 150);
}

}  // namespace
}  // namespace korvath::skin
