// Drawing values, border and scroll-bar geometry, tab pages and child layout:
// the numbers the painters take for given rectangles.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "skin/core/border_geometry.h"
#include "skin/core/child_layout.h"
#include "skin/core/drawing_values.h"
#include "skin/core/tab_page_rect.h"
#include "skin/core/window_list.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

void ExpectRect(const RECT& r, int left, int top, int right, int bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST(DrawingValues, ColoursSwapToArgbAndMessageHalvesKeepTheirSign) {
  EXPECT_EQ(uint32_t(SkinArgbFromColorRef(0x0000FF)), 0xFFFF0000u);  // opaque red
  EXPECT_EQ(uint32_t(SkinArgbFromColorRef(0xDDCA22, 160)), 0xA022CADDu);
  EXPECT_EQ(uint32_t(SkinArgbFromColorRef(0x000000, 300)), 0x2C000000u);  // 300 & 0xFF
  EXPECT_EQ(SkinArgbFromColorRef(0x7F123456), SkinArgbFromColorRef(0x00123456));
  // A mouse position (-5, -7) packed as lParam: the low half is unsigned.
  const int32_t lParam = int32_t((uint32_t(uint16_t(-7)) << 16) | uint16_t(-5));
  EXPECT_EQ(LoWord(lParam), 65531u);
  EXPECT_EQ(HiWord(lParam), -7);
}

// A window whose frame is 2 pixels on the left, 3 on the right, 6 on top and
// 1 at the bottom.
LRESULT CALLBACK UnevenFrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_NCCALCSIZE) return DefWindowProcW(w, msg, wp, lp);
  RECT* r = reinterpret_cast<RECT*>(lp);
  *r = RECT{r->left + 2, r->top + 6, r->right - 3, r->bottom - 1};
  return 0;
}

TEST(SkinScrollBarGeometry, CentresTheClientAreaAndCountedBarsInTheWindow) {
  testsupport::TestWindow parent(300, 200);
  ExpectRect(SkinScrollBarGeometry(parent.AddChild(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 120, 45)), 0,
             0, 120, 45);
  HWND list = parent.AddChild(L"LISTBOX", L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_DISABLENOSCROLL | LBS_NOINTEGRALHEIGHT, 5,
                              5, 100, 80, 0, WS_EX_CLIENTEDGE);
  ExpectRect(SkinScrollBarGeometry(list), 2, 2, 98, 78);
  WNDCLASSW wc = {};
  wc.lpfnWndProc = UnevenFrameProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KorvathUnevenFrame";
  RegisterClassW(&wc);
  HWND uneven = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 10, 10, 105, 57,
                                parent.hwnd(), nullptr, wc.hInstance, nullptr);
  // 5 pixels of width around: 2 left, 3 right; 7 of height: 3 top, 4 bottom.
  ExpectRect(SkinScrollBarGeometry(uneven), 2, 3, 102, 53);
  ExpectRect(SkinScrollBarGeometry(reinterpret_cast<HWND>(uintptr_t(0x7FFF0))), 0, 0, 0, 0);
}

TEST(SkinTabPageRect, ThePageLiesBesideTheRowsOfTabs) {
  testsupport::TestWindow parent(400, 300);
  const struct {
    DWORD style;
    int items;
    RECT page;
  } cases[] = {
      {0, 2, {0, 21, 200, 150}},              // one row of 20-pixel tabs
      {TCS_MULTILINE, 5, {0, 41, 200, 150}},  // five 60-pixel tabs need two rows
      {TCS_BOTTOM, 2, {0, 0, 200, 129}},
      {0, 0, {0, 1, 200, 150}},  // no tabs: one pixel inside
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.items);
    HWND tab = parent.AddChild(L"SysTabControl32", L"", WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH | c.style, 10, 10,
                               200, 150);
    SendMessageW(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(60, 20));
    for (int i = 0; i < c.items; ++i) {
      TCITEMW item = {};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<wchar_t*>(L"page");
      SendMessageW(tab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    ExpectRect(SkinTabPageRect(tab), c.page.left, c.page.top, c.page.right, c.page.bottom);
    DestroyWindow(tab);
  }
}

TEST(SkinLayoutChildren, StretchedChildrenFollowTheirContainer) {
  testsupport::TestWindow form(400, 300);
  HWND container = form.AddChild(L"STATIC", L"", 0, 10, 10, 300, 200);
  auto child = [&] {
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 7, 8, 9, 10, container, nullptr, nullptr,
                           nullptr);
  };
  HWND full = child(), corner = child(), untouched = child();
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = form.hwnd();
  SkinTakeEntrySlot(record->Containers);
  record->Containers[0].window = container;
  record->Containers[0].stretchedChildren = {{full, 24, 0, true}, {}, {corner, 30, 10, false}};
  const int32_t n = SkinAppendWindowRecord(std::move(record));
  // Position and size in the container's client coordinates.
  auto placed = [&](HWND w, int x, int y, int width, int height) {
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&r), 2);
    ExpectRect(RECT{r.left, r.top, r.right - r.left, r.bottom - r.top}, x, y, width, height);
  };
  for (auto [record, entry] : {std::pair{n, 2}, {n, 0}, {n + 1, 1}, {0, 1}}) SkinLayoutChildren(record, entry);
  placed(full, 7, 8, 9, 10);  // numbers that name nothing move nothing
  SkinLayoutChildren(n, 1);
  placed(full, 2, 24, 296, 176);  // full width with margins, to the bottom
  placed(corner, 10, 30, 288, 168);  // keeps its corner, ends two pixels short
  placed(untouched, 7, 8, 9, 10);
  MoveWindow(container, 10, 10, 150, 120, TRUE);
  SkinLayoutChildren(n, 1);
  placed(full, 2, 24, 146, 96);
  SkinRemoveWindowRecord(n);
}

}  // namespace
}  // namespace korvath::skin
