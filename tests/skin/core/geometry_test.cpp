// The engine's rectangles of a window, worked out against its parent, its
// skinned top and its container entry, and the stretched children a
// container's entry lays out: the geometry that reads the records.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "skin/core/background_container.h"
#include "skin/core/child_layer.h"
#include "skin/core/child_layout.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/layered_window.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/border_geometry.h"
#include "skin/draw/tab_page_rect.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

// A frame of 2 pixels on the left, 3 on the right, 6 on top, 1 at the bottom.
LRESULT CALLBACK UnevenFrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_NCCALCSIZE) return DefWindowProcW(w, msg, wp, lp);
  RECT* r = reinterpret_cast<RECT*>(lp);
  *r = RECT{r->left + 2, r->top + 6, r->right - 3, r->bottom - 1};
  return 0;
}

TEST(Geometry, ScrollBarAreaTabPagesAndStretchedChildren) {
  testsupport::TestWindow parent(400, 300);
  EXPECT_EQ(SkinScrollBarGeometry(parent.AddChild(L"STATIC", L"", WS_CHILD, 10, 10, 120, 45)), (RECT{0, 0, 120, 45}));
  HWND list = parent.AddChild(L"LISTBOX", L"", WS_CHILD | WS_VSCROLL | LBS_DISABLENOSCROLL | LBS_NOINTEGRALHEIGHT, 5,
                              5, 100, 80, 0, WS_EX_CLIENTEDGE);
  EXPECT_EQ(SkinScrollBarGeometry(list), (RECT{2, 2, 98, 78}));
  WNDCLASSW wc = {0, UnevenFrameProc, 0, 0, GetModuleHandleW(nullptr)};
  wc.lpszClassName = L"KorvathUnevenFrame";
  RegisterClassW(&wc);
  HWND uneven = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD, 10, 10, 105, 57, parent.hwnd(), nullptr,
                                wc.hInstance, nullptr);
  EXPECT_EQ(SkinScrollBarGeometry(uneven), (RECT{2, 3, 102, 53}));  // 5 around: 2 and 3; 7: 3 and 4
  EXPECT_EQ(SkinScrollBarGeometry(HWND(uintptr_t(0x7FFF0))), (RECT{0, 0, 0, 0}));

  const struct {
    DWORD style;
    int items;
    RECT page;
  } tabs[] = {{0, 2, {0, 21, 200, 150}}, {TCS_MULTILINE, 5, {0, 41, 200, 150}}, {TCS_BOTTOM, 2, {0, 0, 200, 129}},
              {0, 0, {0, 1, 200, 150}}};
  for (const auto& c : tabs) {
    SCOPED_TRACE(c.items);
    HWND tab = parent.AddChild(L"SysTabControl32", L"", WS_CHILD | TCS_FIXEDWIDTH | c.style, 10, 10, 200, 150);
    SendMessageW(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(60, 20));
    for (int i = 0; i < c.items; ++i) {
      TCITEMW item = {TCIF_TEXT};
      item.pszText = const_cast<wchar_t*>(L"page");
      SendMessageW(tab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    EXPECT_EQ(SkinTabPageRect(tab), c.page);
  }

  HWND container = parent.AddChild(L"STATIC", L"", WS_CHILD, 10, 10, 300, 200);
  HWND children[3];
  for (HWND& c : children) c = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 7, 8, 9, 10, container, 0, 0, 0);
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = parent.hwnd();
  record->Containers[0].window = container;
  record->Containers[0].stretchedChildren = {{children[0], 24, 0, true}, {}, {children[1], 30, 10, false}};
  const int32_t n = SkinRecordNumber(*SkinAppendWindowRecord(std::move(record)));
  auto placed = [&](HWND w, int x, int y, int width, int height) {
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ((RECT{r.left, r.top, r.right - r.left, r.bottom - r.top}), (RECT{x, y, width, height}));
  };
  placed(children[0], 7, 8, 9, 10);
  const SkinContainerEntry& entry = SkinRecordAt(n)->Containers[0];
  SkinLayoutChildren(entry);
  placed(children[0], 2, 24, 296, 176);   // full width within margins, to the bottom
  placed(children[1], 10, 30, 288, 168);  // keeps its corner, ends two pixels short
  placed(children[2], 7, 8, 9, 10);
  MoveWindow(container, 10, 10, 150, 120, TRUE);
  SkinLayoutChildren(entry);
  placed(children[0], 2, 24, 146, 96);
  SkinRemoveWindowRecord(n);
}

// The engine's rectangles of a window: a child at client position (5, 7) of
// a skinned window with a frame and a caption, the child's own child, the
// skinned window itself (empty where it is the top, told by its record's
// number, not by a number any window may carry) and a window with no parent.
TEST(Geometry, AWindowsRectanglesAgainstItsParentItsTopAndItself) {
  testsupport::TestWindow frame(300, 200, L"framed", WS_OVERLAPPEDWINDOW);
  auto owned = std::make_unique<SkinWindowRecord>();
  owned->Window = frame.hwnd();
  SkinWindowRecord& top = *SkinAppendWindowRecord(std::move(owned));
  const int32_t number = SkinRecordNumber(top);
  HWND child = frame.AddChild(L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 5, 7, 60, 40);
  HWND inner = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 3, 4, 20, 10, child, nullptr, nullptr,
                               nullptr);
  // A control carries numbers too, here the frame's.
  SetSkinProp(child, prop::Hw_lbID, number);
  RECT outer{};
  GetWindowRect(frame.hwnd(), &outer);
  POINT corner{0, 0};
  ClientToScreen(frame.hwnd(), &corner);
  const POINT inset{corner.x - outer.left, corner.y - outer.top};
  ASSERT_GT(inset.y, inset.x);  // a caption above the client area

  const RECT inFrame{inset.x + 5, inset.y + 7, inset.x + 65, inset.y + 47};
  EXPECT_EQ(SkinRectInParentWindow(child), inFrame);
  EXPECT_EQ(SkinChildRectInParent(child), (RECT{5, 7, 65, 47}));
  EXPECT_EQ(SkinRectRelativeTo(frame.hwnd(), child), inFrame);
  EXPECT_EQ(SkinRectInTopAncestor(top, child), inFrame);
  EXPECT_EQ(SkinRectInContainer(top, child), inFrame);
  // Its client area inside its 1-pixel border.
  EXPECT_EQ(SkinChildBackgroundRect(top, child),
            (RECT{inFrame.left + 1, inFrame.top + 1, inFrame.right - 1, inFrame.bottom - 1}));

  // The child's child, at (3, 4) of the child's client area.
  EXPECT_EQ(SkinRectInParentWindow(inner), (RECT{4, 5, 24, 15}));
  EXPECT_EQ(SkinChildRectInParent(inner), (RECT{3, 4, 23, 14}));
  EXPECT_EQ(SkinRectInContainer(top, inner), (RECT{inFrame.left + 4, inFrame.top + 5, inFrame.left + 24,
                                                   inFrame.top + 15}));
  EXPECT_EQ(SkinRectRelativeTo(child, inner), (RECT{4, 5, 24, 15}));

  // The skinned window: empty against its parent and its top, its client
  // area in its own window coordinates (the frame taken as even).
  EXPECT_EQ(SkinRectInParentWindow(frame.hwnd()), (RECT{}));
  EXPECT_EQ(SkinChildRectInParent(frame.hwnd()), (RECT{}));
  EXPECT_EQ(SkinRectInContainer(top, frame.hwnd()), (RECT{}));
  EXPECT_EQ(SkinRectInTopAncestor(top, frame.hwnd()), (RECT{0, 0, 300, 200}));
  const RECT border = SkinScrollBarGeometry(frame.hwnd());
  EXPECT_EQ(SkinChildBackgroundRect(top, frame.hwnd()),
            (RECT{border.left, border.top, 300 - border.left, 200 - border.top}));

  // A window without a parent: its screen rectangle; none: nothing.
  testsupport::TestWindow plain(120, 80, L"plain", WS_POPUP);
  SetWindowPos(plain.hwnd(), nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetSkinProp(plain.hwnd(), prop::Hw_lbID, number);
  EXPECT_EQ(SkinRectInParentWindow(plain.hwnd()), (RECT{30, 40, 150, 120}));
  EXPECT_EQ(SkinRectInContainer(top, plain.hwnd()), (RECT{30, 40, 150, 120}));
  EXPECT_EQ(SkinRectInParentWindow(nullptr), (RECT{}));
  SkinRemoveWindowRecord(number);
}

}  // namespace
}  // namespace korvath::skin
