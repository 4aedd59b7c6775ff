#include "skin/core/border_geometry.h"

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

int VBarWidth(HWND w) {
  SCROLLBARINFO info = {sizeof(info)};
  GetScrollBarInfo(w, OBJID_VSCROLL, &info);
  return info.rcScrollBar.right - info.rcScrollBar.left;
}

int HBarHeight(HWND w) {
  SCROLLBARINFO info = {sizeof(info)};
  GetScrollBarInfo(w, OBJID_HSCROLL, &info);
  return info.rcScrollBar.bottom - info.rcScrollBar.top;
}

TEST(SkinScrollBarGeometry, WindowWithoutBorderOrBarsIsWholeWindow) {
  testsupport::TestWindow parent(300, 200);
  HWND plain = parent.AddChild(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 120, 45);
  ExpectRect(SkinScrollBarGeometry(plain), 0, 0, 120, 45);
}

TEST(SkinScrollBarGeometry, ListBoxWithClientEdgeAndVerticalBar) {
  testsupport::TestWindow parent(300, 200);
  HWND list = parent.AddChild(
      L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_DISABLENOSCROLL | LBS_NOINTEGRALHEIGHT,
      5, 5, 100, 80, 0, WS_EX_CLIENTEDGE);
  RECT client;
  GetClientRect(list, &client);
  ASSERT_EQ(client.bottom, 76);  // the 2-pixel client edge on each side
  ASSERT_GT(VBarWidth(list), 0);
  EXPECT_EQ(client.right + VBarWidth(list), 96);
  ExpectRect(SkinScrollBarGeometry(list), 2, 2, 98, 78);
}

// A child of a class with the default window procedure, whose frame and
// scroll bars are the system's standard ones.
HWND PlainChild(HWND parent, DWORD style, int width, int height) {
  static const ATOM atom = [] {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KorvathPlainChild";
    return RegisterClassW(&wc);
  }();
  (void)atom;
  return CreateWindowExW(0, L"KorvathPlainChild", L"", WS_CHILD | WS_VISIBLE | style, 5, 5, width,
                         height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

TEST(SkinScrollBarGeometry, BothBarsCoverClientBarsAndCorner) {
  testsupport::TestWindow parent(300, 200);
  HWND edit = PlainChild(parent.hwnd(), WS_VSCROLL | WS_HSCROLL | WS_BORDER, 150, 110);
  RECT client;
  GetClientRect(edit, &client);
  const int iw = client.right + VBarWidth(edit);
  const int ih = client.bottom + HBarHeight(edit);
  ASSERT_GT(VBarWidth(edit), 0);
  ASSERT_GT(HBarHeight(edit), 0);
  const RECT r = SkinScrollBarGeometry(edit);
  EXPECT_EQ(r.right - r.left, iw);
  EXPECT_EQ(r.bottom - r.top, ih);
  EXPECT_EQ(r.left, (150 - iw) / 2);
  EXPECT_EQ(r.top, (110 - ih) / 2);
  EXPECT_EQ(r.left, 1);  // WS_BORDER: one pixel each side
}

TEST(SkinScrollBarGeometry, BarStyleBitsAloneDecideWhetherABarCounts) {
  testsupport::TestWindow parent(300, 200);
  HWND list = parent.AddChild(
      L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_DISABLENOSCROLL | LBS_NOINTEGRALHEIGHT,
      5, 5, 100, 80, 0, WS_EX_CLIENTEDGE);
  // Clearing the bit without a frame change keeps the bar on screen, but it no
  // longer counts: the inner width is the client width alone.
  SetWindowLongW(list, GWL_STYLE, GetWindowLongW(list, GWL_STYLE) & ~WS_VSCROLL);
  RECT client;
  GetClientRect(list, &client);
  const RECT r = SkinScrollBarGeometry(list);
  EXPECT_EQ(r.right - r.left, client.right);
  EXPECT_EQ(r.left, (100 - client.right) / 2);
}

// A window whose non-client area is 2 pixels on the left and 3 on the right,
// 6 on top and 1 at the bottom.
LRESULT CALLBACK UnevenFrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCALCSIZE) {
    RECT* r = reinterpret_cast<RECT*>(lp);
    r->left += 2;
    r->right -= 3;
    r->top += 6;
    r->bottom -= 1;
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

TEST(SkinScrollBarGeometry, OddDifferenceGoesToRightAndUnevenFrameIsSplitEvenly) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = UnevenFrameProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KorvathUnevenFrame";
  RegisterClassW(&wc);
  testsupport::TestWindow parent(300, 200);
  HWND w = CreateWindowExW(0, L"KorvathUnevenFrame", L"", WS_CHILD | WS_VISIBLE, 10, 10, 105, 57,
                           parent.hwnd(), nullptr, wc.hInstance, nullptr);
  ASSERT_NE(w, nullptr);
  RECT client;
  GetClientRect(w, &client);
  ASSERT_EQ(client.right, 100);
  ASSERT_EQ(client.bottom, 50);
  // 5 pixels of width around: 2 left, 3 right. 7 of height: 3 top, 4 bottom,
  // although the frame itself has 6 on top.
  ExpectRect(SkinScrollBarGeometry(w), 2, 3, 102, 53);
  DestroyWindow(w);
}

TEST(SkinScrollBarGeometry, HandleThatIsNoWindowGivesZeros) {
  ExpectRect(SkinScrollBarGeometry(reinterpret_cast<HWND>(uintptr_t(0x7FFF0))), 0, 0, 0, 0);
}

}  // namespace
}  // namespace korvath::skin
