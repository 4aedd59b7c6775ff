// Tabs on every side of a tab control: the outlines of the left, bottom and
// right tabs (cut corners at the left and bottom, rounded ones at the right,
// open towards the page), their gradients running from the outer edge to
// the page, captions running down the left and right tabs, and tabs that the
// control scrolled out of its row left undrawn.
#include "skin/control/tab_items.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "gdip/graphics_path.h"

#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "skin/install/container_attach.h"
#include "tests/skin/control/shown.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/core/panel_fixture.h"

namespace korvath::skin {
namespace {

using testsupport::PixelBuffer;

constexpr uint32_t kBackground = 0x808080;

class TabItemsTest : public test::EngineTest {
 protected:
  TabItemsTest() {
    SkinEngine.options.SkinEnabled = true;
    SkinEngine.options.SkinThemeColor = 0xDDCA22;
  }
  // A tab control with three fixed 40 x 20 tabs (20 x 40 at the sides), the
  // second selected.
  HWND AddTabs(DWORD style, const wchar_t* first = L"") {
    const HWND tab = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH | style, 20, 20,
                                     160, 160, form_.hwnd(), nullptr, nullptr, nullptr);
    SendMessageW(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(40, 20));
    for (int i = 0; i < 3; ++i) {
      TCITEMW item = {TCIF_TEXT};
      item.pszText = const_cast<wchar_t*>(i == 0 ? first : L"");
      SendMessageW(tab, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(tab, TCM_SETCURSEL, 1, 0);
    ContainerSkinAttach(tab);
    InvalidateRect(tab, nullptr, TRUE);
    UpdateWindow(tab);
    return tab;
  }
  static RECT Item(HWND tab, int index) {
    RECT r = {};
    SendMessageW(tab, TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  fixture::SkinnedForm form_{300, 220, kBackground};
};

// The level of a grey pixel, and whether a pixel is an outline over the
// fill beside it.
int Level(const PixelBuffer& p, int x, int y) { return int(p.RgbAt(x, y) & 0xFF); }
bool Line(const PixelBuffer& p, int x, int y, int insideX, int insideY) {
  return Level(p, x, y) < Level(p, insideX, insideY) - 25;
}

// Tabs at the left (TabShapePathB): open towards the page at the right, the
// top, left and bottom edges stroked with the corners at the left cut off;
// the unselected tab lighter at its outer edge, the selected one at the
// page.
TEST_F(TabItemsTest, LeftTabsHaveCutCornersAndFadeTowardsThePage) {
  const HWND tab = AddTabs(TCS_VERTICAL | TCS_MULTILINE);
  const PixelBuffer look = test::Shown(tab);
  const RECT r = Item(tab, 0);
  const int L = r.left, T = r.top, W = r.right - r.left, H = r.bottom - r.top, mid = T + H / 2;
  ASSERT_EQ(W, 20);
  for (int x = L + 3; x < L + W - 2; ++x) EXPECT_TRUE(Line(look, x, T, x, T + 3)) << x;
  for (int y = T + 3; y < T + H - 3; ++y) EXPECT_TRUE(Line(look, L, y, L + 3, y)) << y;
  for (int x = L + 3; x < L + W - 2; ++x) EXPECT_TRUE(Line(look, x, T + H - 1, x, T + H - 4)) << x;
  for (const POINT corner : {POINT{L, T}, POINT{L + 1, T}, POINT{L + 2, T}, POINT{L, T + 1}, POINT{L, T + 2},
                             POINT{L, T + H - 1}, POINT{L + 1, T + H - 1}, POINT{L, T + H - 2}}) {
    EXPECT_EQ(look.RgbAt(corner.x, corner.y), kBackground) << corner.x << ", " << corner.y;
  }
  EXPECT_TRUE(Line(look, L + 1, T + 1, L + 3, T + 3));  // the cut
  EXPECT_GT(Level(look, L + 3, mid), Level(look, L + W - 3, mid) + 10);
  const RECT s = Item(tab, 1);
  EXPECT_LT(Level(look, s.left + 3, (s.top + s.bottom) / 2), Level(look, s.right - 3, (s.top + s.bottom) / 2) - 4);
}

// Tabs at the right (TabShapePathD): open towards the page at the left (no
// line there), the top edge stroked into a rounded corner, lighter at the
// outer edge when unselected and at the page when selected.
TEST_F(TabItemsTest, RightTabsAreOpenAtTheLeftAndRoundedAtTheRight) {
  const HWND tab = AddTabs(TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE);
  const PixelBuffer look = test::Shown(tab);
  const RECT r = Item(tab, 0);
  const int L = r.left, T = r.top, W = r.right - r.left, H = r.bottom - r.top, mid = T + H / 2;
  ASSERT_EQ(W, 20);
  for (int x = L + 1; x < L + W - 4; ++x) EXPECT_TRUE(Line(look, x, T, x, T + 3)) << x;
  for (int y = T + 3; y < T + H - 3; ++y) EXPECT_FALSE(Line(look, L + 1, y, L + 3, y)) << y;
  EXPECT_EQ(look.RgbAt(L + W, T), kBackground);  // the rounded corner
  EXPECT_TRUE(Line(look, L + W - 1, T, L + W - 4, T + 3));
  // The outline starts one pixel in, so its right edge stands one past the
  // tab's rectangle, over the background.
  for (int y = T + 6; y < T + H - 6; ++y) {
    EXPECT_LT(Level(look, L + W + 1, y), 0x70) << y;
    EXPECT_FALSE(Line(look, L + W - 2, y, L + W - 3, y)) << y;
  }
  EXPECT_GT(Level(look, L + W - 4, mid), Level(look, L + 3, mid) + 10);
  const RECT s = Item(tab, 1);
  EXPECT_GT(Level(look, s.left + 3, (s.top + s.bottom) / 2), Level(look, s.right - 4, (s.top + s.bottom) / 2) + 4);
}

// Tabs at the bottom (TabShapePathC): the left, right and bottom edges
// stroked with the lower corners cut off, open at the top; lighter at the
// bottom edge when unselected and at the page when selected.
TEST_F(TabItemsTest, BottomTabsHaveCutCornersBelow) {
  const HWND tab = AddTabs(TCS_BOTTOM);
  const PixelBuffer look = test::Shown(tab);
  const RECT r = Item(tab, 0);
  const int L = r.left, T = r.top, W = r.right - r.left, H = r.bottom - r.top, mid = L + W / 2;
  ASSERT_EQ(H, 20);
  for (int y = T + 1; y < T + H - 3; ++y) {
    EXPECT_TRUE(Line(look, L, y, L + 3, y)) << y;
    EXPECT_TRUE(Line(look, L + W - 1, y, L + W - 4, y)) << y;
  }
  for (int x = L + 3; x < L + W - 3; ++x) EXPECT_TRUE(Line(look, x, T + H - 1, x, T + H - 4)) << x;
  for (const POINT corner : {POINT{L, T + H - 1}, POINT{L + 1, T + H - 1}, POINT{L, T + H - 2},
                             POINT{L + W - 1, T + H - 1}, POINT{L + W - 2, T + H - 1}, POINT{L + W - 1, T + H - 2}}) {
    EXPECT_EQ(look.RgbAt(corner.x, corner.y), kBackground) << corner.x << ", " << corner.y;
  }
  EXPECT_GT(Level(look, mid, T + H - 3), Level(look, mid, T + 2) + 10);
  const RECT s = Item(tab, 1);
  EXPECT_GT(Level(look, (s.left + s.right) / 2, s.top + 2), Level(look, (s.left + s.right) / 2, s.bottom - 3) + 4);
}

// The outlines segment by segment: lines at the cut corners of B and C, and
// D's arcs, the lower one in a box one larger moved up and left by one.
TEST(TabShapePathTest, TheSidesOutlinesRunAsTheirSegmentsSay) {
  const auto points = [](void (*build)(gdip::GraphicsPath&, int32_t, int32_t, int32_t, int32_t, int32_t)) {
    gdip::GraphicsPath path;
    std::vector<gdip::PointF> out;
    if (path.Create()) {
      build(path, 10, 2, 20, 40, 5);
      static_cast<void>(path.GetPoints(out));
    }
    return out;
  };
  const auto same = [](const std::vector<gdip::PointF>& got, std::vector<gdip::PointF> want) {
    if (got.size() != want.size()) return false;
    for (size_t i = 0; i < got.size(); ++i)
      if (got[i].x != want[i].x || got[i].y != want[i].y) return false;
    return true;
  };
  EXPECT_TRUE(same(points(TabShapePathB), {{30, 2}, {12.5f, 2}, {10, 4.5f}, {10, 39.5f}, {12.5f, 42}, {30, 42}}));
  EXPECT_TRUE(same(points(TabShapePathC), {{10, 2}, {10, 39.5f}, {12.5f, 42}, {27.5f, 42}, {30, 39.5f}, {30, 2}}));
  const std::vector<gdip::PointF> d = points(TabShapePathD);
  ASSERT_GE(d.size(), 6u);
  EXPECT_EQ(d.front().x, 10);
  EXPECT_EQ(d.front().y, 2);
  EXPECT_EQ(d[1].x, 25);
  EXPECT_EQ(d[1].y, 2);
  EXPECT_EQ(d.back().x, 10);
  EXPECT_EQ(d.back().y, 42);
  const auto has = [&](float x, float y) {
    for (const gdip::PointF& p : d)
      if (std::abs(p.x - x) < 0.01f && std::abs(p.y - y) < 0.01f) return true;
    return false;
  };
  EXPECT_TRUE(has(27.5f, 2));   // the upper arc starts in its 5 x 5 box
  EXPECT_TRUE(has(30, 4.5f));   // and ends on the right edge
  EXPECT_TRUE(has(30, 7));      // the right edge
  EXPECT_TRUE(has(30, 37));
  EXPECT_TRUE(has(30, 39));     // the lower arc, in the box (24, 36, 6, 6)
  EXPECT_TRUE(has(27, 42));
  EXPECT_TRUE(has(25, 42));
}

// Captions of tabs at the side run down the tab, not across it.
TEST_F(TabItemsTest, SideCaptionsRunDownTheTab) {
  for (const DWORD side : {DWORD(TCS_VERTICAL | TCS_MULTILINE), DWORD(TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE)}) {
    const HWND tab = AddTabs(side, L"WWW");
    const PixelBuffer look = test::Shown(tab);
    const RECT r = Item(tab, 0);
    int left = 1000, right = -1, top = 1000, bottom = -1;
    for (int y = r.top + 2; y < r.bottom - 2; ++y) {
      for (int x = r.left + 2; x < r.right - 2; ++x) {
        if (Level(look, x, y) >= 0x40) continue;
        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
    ASSERT_GE(right, left) << side;
    EXPECT_GT(bottom - top, 2 * (right - left)) << side;
    EXPECT_GT(bottom - top, 16) << side;
    // One line of letters turned, not letters stacked in lines: no rows
    // without ink between them.
    int gap = 0, widest = 0;
    for (int y = top; y <= bottom; ++y) {
      bool ink = false;
      for (int x = left; x <= right; ++x) ink = ink || Level(look, x, y) < 0x40;
      gap = ink ? 0 : gap + 1;
      widest = std::max(widest, gap);
    }
    EXPECT_LE(widest, 2) << side;
    DestroyWindow(tab);
  }
}

// A tab that the control scrolled out of its row is not drawn: no caption
// of it shows at the row's left end.
TEST_F(TabItemsTest, ATabScrolledOutOfTheRowIsNotDrawn) {
  const HWND tab = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 20, 20, 140, 100, form_.hwnd(),
                                   nullptr, nullptr, nullptr);
  for (int i = 0; i < 3; ++i) {
    TCITEMW item = {TCIF_TEXT};
    item.pszText = const_cast<wchar_t*>(i == 0 ? L"WWWWWW" : L"");
    SendMessageW(tab, TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(60, 20));
  SendMessageW(tab, TCM_SETCURSEL, 2, 0);
  SendMessageW(tab, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 1), 0);
  ContainerSkinAttach(tab);
  InvalidateRect(tab, nullptr, TRUE);
  UpdateWindow(tab);
  RECT client = {}, first = Item(tab, 0), shown = {};
  GetClientRect(tab, &client);
  ASSERT_FALSE(IntersectRect(&shown, &first, &client)) << first.left << ", " << first.right;
  const PixelBuffer look = test::Shown(tab);
  for (int y = 3; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_GE(Level(look, x, y), 0x50) << x << ", " << y;
}

}  // namespace
}  // namespace korvath::skin
