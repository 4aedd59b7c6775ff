// What the skinned form's procedure does besides rendering, on a test form:
// the cached paint with its children clipped out, the repaint of list views
// after a restore, companion windows travelling with the form, and children
// laid out on resize.
#include <windows.h>
#include <commctrl.h>

#include "platform/gdi_object.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/form/child_repaint.h"
#include "skin/install/container_attach.h"
#include "tests/skin/form/form_fixture.h"

namespace korvath::skin::test {
namespace {

constexpr uint32_t kMagenta = 0xFF00FF;

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT Screen(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

bool HasUpdate(HWND window) { return GetUpdateRect(window, nullptr, FALSE) != FALSE; }

// A paint that needs no render copies the cached image over whatever the
// window shows, and leaves its visible children alone.
TEST_F(FormTest, ACachedPaintCopiesTheBackBufferAroundTheChildren) {
  Skin(WS_POPUP, 300, 200);
  window_->AddChild(L"Static", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 40, 60, 60, 40);
  RedrawWindow(form(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ASSERT_FALSE(record().RenderPending);
  const uint32_t child = CaptureClient(form()).RgbAt(70, 80);  // the child shows itself
  ASSERT_NE(child, BackAt(70, 80));
  {
    // Something else draws over the form's own surface.
    platform::WindowDC dc = platform::WindowDC::Client(form());
    platform::GdiBrush magenta(CreateSolidBrush(RGB(255, 0, 255)));
    RECT over{150, 100, 250, 180};
    FillRect(dc.get(), &over, magenta.get());
  }
  // The screen shows a window's drawing once the system has flushed it.
  auto showsAt = [this](int x, int y, uint32_t colour) {
    return PumpUntil([&] { return CaptureClient(form()).RgbAt(x, y) == colour; }, 2000);
  };
  ASSERT_TRUE(showsAt(200, 140, kMagenta));
  // The form alone is painted again; its child gets no paint of its own.
  RedrawWindow(form(), nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
  EXPECT_FALSE(record().RenderPending);
  EXPECT_TRUE(showsAt(200, 140, BackAt(200, 140)));
  const PixelBuffer shown = CaptureClient(form());
  EXPECT_EQ(shown.RgbAt(10, 190), BackAt(10, 190));
  EXPECT_EQ(shown.RgbAt(70, 80), child) << "the child is not overdrawn";
}

// A print of the client area gives what the screen shows of the form, with
// the visible children left out (each prints itself), and changes nothing;
// a form whose next paint renders has no picture yet and prints nothing.
TEST_F(FormTest, PrintingTheClientGivesWhatTheScreenShowsAroundTheChildren) {
  Skin(WS_POPUP, 300, 200);
  HWND child = window_->AddChild(L"Static", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 40, 60, 60, 40);
  RedrawWindow(form(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ASSERT_FALSE(record().RenderPending);
  ASSERT_TRUE(PumpUntil([&] { return CaptureClient(form()).RgbAt(200, 140) == BackAt(200, 140); }, 2000));
  const PixelBuffer shown = CaptureClient(form());
  const PixelBuffer printed = PrintClient(form(), kMagenta);
  ASSERT_EQ(printed.width, shown.width);
  ASSERT_EQ(printed.height, shown.height);
  // The screen shows the form within its rounded region only.
  platform::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(form(), region.get()), ERROR);
  const RECT inChild = ChildRect(child);
  int compared = 0, differing = 0, childPrinted = 0;
  for (int y = 0; y < shown.height; ++y) {
    for (int x = 0; x < shown.width; ++x) {
      if (PtInRect(&inChild, POINT{x, y})) {
        childPrinted += printed.RgbAt(x, y) != kMagenta;
      } else if (PtInRegion(region.get(), x, y)) {
        ++compared;
        differing += printed.RgbAt(x, y) != shown.RgbAt(x, y);
      }
    }
  }
  EXPECT_GT(compared, 250 * 150);
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(childPrinted, 0) << "the child is left out";
  EXPECT_FALSE(HasUpdate(form()));
  // A render is due: the print neither runs it nor shows the old picture.
  record().RenderPending = true;
  EXPECT_EQ(PrintClient(form(), kMagenta).RgbAt(200, 140), kMagenta);
  EXPECT_TRUE(record().RenderPending);
}

// After a restore from the minimised state the next full render has the
// visible list views repaint in full, once: here those in a group box, which
// the render's own repaint of the controls on the form does not reach.
// Hidden list views and other list-type controls are left alone.
TEST_F(FormTest, AFullRenderAfterARestoreRepaintsTheVisibleListViewsOnce) {
  Skin(WS_POPUP, 300, 220);
  HWND group = window_->AddChild(L"Button", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 5, 30, 290, 180);
  auto add = [group](const wchar_t* cls, DWORD style, int y) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | style, 10, y, 120, 50, group, nullptr, nullptr, nullptr);
  };
  HWND shown = add(WC_LISTVIEWW, WS_VISIBLE | LVS_REPORT, 15);
  HWND hidden = add(WC_LISTVIEWW, LVS_REPORT, 70);
  HWND list = add(L"ListBox", WS_VISIBLE, 125);
  ContainerSkinAttach(group);
  SkinWindowRecord& r = record();
  ASSERT_EQ(r.Children.size(), 3u);
  auto entry = [&r](HWND control) -> SkinChildEntry& {
    for (SkinChildEntry& e : r.Children)
      if (e.window == control) return e;
    ADD_FAILURE() << "not skinned";
    return r.Children.front();
  };
  auto settle = [&] {
    RedrawWindow(form(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    for (HWND control : {shown, hidden, list}) entry(control).dirty = false;
    EXPECT_FALSE(HasUpdate(shown));
    EXPECT_FALSE(HasUpdate(list));
  };
  settle();
  // What the system sends as the minimised form is opened again; the restore
  // asks for a full render.
  SendMessageW(form(), WM_QUERYOPEN, 0, 0);
  EXPECT_TRUE(r.ListViewRepaintPending);
  r.RenderPending = true;
  SendMessageW(form(), WM_PAINT, 0, 0);
  EXPECT_FALSE(r.ListViewRepaintPending);
  EXPECT_TRUE(HasUpdate(shown));
  EXPECT_TRUE(entry(shown).dirty);
  EXPECT_FALSE(entry(hidden).dirty);
  EXPECT_FALSE(HasUpdate(list));
  EXPECT_FALSE(entry(list).dirty);
  // The next full render leaves them alone.
  settle();
  r.RenderPending = true;
  SendMessageW(form(), WM_PAINT, 0, 0);
  EXPECT_FALSE(HasUpdate(shown));
  EXPECT_FALSE(entry(shown).dirty);
}

// Companion windows keep their offset from the form's corner as it moves,
// their own size, and the visibility the form takes; a companion that is gone
// is passed over.
TEST_F(FormTest, CompanionWindowsTravelWithTheFormAndTakeItsVisibility) {
  Skin(WS_POPUP, 300, 200);
  TestWindow companion(50, 40, L"companion", WS_POPUP | WS_VISIBLE);
  HWND gone = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  record().CompanionRects = {{gone, 0, 5, 5}, {companion.hwnd(), 0, 310, 20}};
  SetWindowPos(form(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Screen(companion.hwnd()), (RECT{510, 170, 560, 210}));
  ShowWindow(form(), SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(companion.hwnd()));
  ShowWindow(form(), SW_SHOWNOACTIVATE);
  EXPECT_TRUE(IsWindowVisible(companion.hwnd()));
  SetWindowPos(form(), nullptr, 120, 110, 280, 190, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Screen(companion.hwnd()), (RECT{430, 130, 480, 170}));
  record().CompanionRects.clear();
}

// Children listed for layout follow the form's new size: a full-width one
// between 2-pixel margins, another from its own left edge, both stopping
// above the status bar; the list's empty first entry moves nothing.
TEST_F(FormTest, ListedChildrenFollowTheFormsSizeAboveTheStatusBar) {
  struct Case {
    int statusBar;
    RECT full, fromLeft;  // after a resize to 400 x 300
  };
  const Case cases[] = {
      {0, {2, 30, 398, 296}, {10, 30, 398, 298}},
      {20, {2, 30, 398, 276}, {10, 30, 398, 278}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.statusBar);
    FormSkinSettings settings = Framed();
    if (c.statusBar) settings.statusBarHeight = c.statusBar;
    Skin(WS_POPUP, 360, 260, settings);
    HWND full = window_->AddChild(L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10);
    HWND fromLeft = window_->AddChild(L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10);
    ASSERT_EQ(record().CaptionChildRects.size(), 1u);
    record().CaptionChildRects.push_back({full, 30, 0, true});
    record().CaptionChildRects.push_back({fromLeft, 30, 10, false});
    SetWindowPos(form(), nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(ChildRect(full), c.full);
    EXPECT_EQ(ChildRect(fromLeft), c.fromLeft);
  }
}

// After a render the controls lying on the form repaint over the new
// background: every listed one whose parent is the form, a list-type control
// with its visible child windows and its dirty flag; a control inside a group
// box, and a list's hidden child, are left alone.
TEST_F(FormTest, ARenderRepaintsTheListedControlsLyingOnTheForm) {
  Skin(WS_POPUP, 300, 220);
  HWND list = window_->AddChild(L"ListBox", L"", WS_CHILD | WS_VISIBLE, 10, 30, 100, 60);
  auto childOf = [](HWND parent, DWORD style) {
    return CreateWindowExW(0, L"Static", L"", WS_CHILD | style, 2, 2, 20, 10, parent, nullptr, nullptr, nullptr);
  };
  HWND listShown = childOf(list, WS_VISIBLE), listHidden = childOf(list, 0);
  HWND edit = window_->AddChild(L"Edit", L"", WS_CHILD | WS_VISIBLE, 120, 30, 80, 20);
  HWND button = window_->AddChild(L"Button", L"b", WS_CHILD | WS_VISIBLE, 120, 60, 80, 20);
  HWND group = window_->AddChild(L"Button", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 100, 200, 100);
  HWND inner = childOf(group, WS_VISIBLE | SS_BLACKRECT);
  SkinWindowRecord& r = record();
  r.Children[size_t(SkinTakeEntrySlot(r.Children)) - 1].window = list;
  SetSkinProp(list, prop::Hw_FuID, number());
  r.Edits[size_t(SkinTakeEntrySlot(r.Edits)) - 1].window = edit;
  r.Edits[size_t(SkinTakeEntrySlot(r.Edits)) - 1].window = inner;  // not on the form
  r.Buttons[size_t(SkinTakeEntrySlot(r.Buttons)) - 1].window = button;
  RedrawWindow(form(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  for (HWND w : {list, listShown, listHidden, edit, button, group, inner}) ValidateRect(w, nullptr);
  r.Children.back().dirty = false;

  SkinInvalidateChildren(r);
  EXPECT_TRUE(HasUpdate(list));
  EXPECT_TRUE(r.Children.back().dirty);
  EXPECT_TRUE(HasUpdate(listShown));
  EXPECT_FALSE(HasUpdate(listHidden));
  EXPECT_TRUE(HasUpdate(edit));
  EXPECT_TRUE(HasUpdate(button));
  EXPECT_FALSE(HasUpdate(inner));
  EXPECT_FALSE(HasUpdate(group));
}

}  // namespace
}  // namespace korvath::skin::test
