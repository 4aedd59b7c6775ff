// The panel object: creation over a target, its entries and settings, its
// layout numbers, and its record in the callback list.
#include "skin/core/panel_window.h"

#include <gtest/gtest.h>

#include "skin/control/container_skin.h"
#include "skin/core/callbacks.h"
#include "skin/core/skin_picture.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/panel_fixture.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

using fixture::SkinnedForm;
using fixture::SolidPng;
using testsupport::PumpMessages;

RECT RectInParentClient(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class PanelWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallContainerSkin(); }

  HWND CreatePanel(ZqkWindow& panel, HWND target, std::optional<int> style = std::nullopt,
                   std::optional<COLORREF> frame = std::nullopt,
                   std::optional<COLORREF> background = std::nullopt,
                   std::optional<int> alpha = std::nullopt) {
    const SkinPicture picture;
    const HWND window = panel.Create(target, style, frame, background, alpha, picture);
    PumpMessages();
    return window;
  }

  SkinnedForm form_{400, 200, 0x3366AA};
};

TEST_F(PanelWindowTest, CreateLaysThePanelOverTheTargetAndAdoptsIt) {
  const HWND edit = form_.AddEdit(40, 30, 200, 20, L"abc");
  ZqkWindow panel;
  const HWND window = CreatePanel(panel, edit);

  ASSERT_TRUE(IsWindow(window));
  EXPECT_EQ(GetParent(window), form_.hwnd());
  EXPECT_EQ(GetParent(edit), window);
  const RECT r = RectInParentClient(window);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 206);
  EXPECT_EQ(r.bottom - r.top, 26);
  // Without a picture the target keeps its size, 3 pixels in from the edges.
  const RECT t = RectInParentClient(edit);
  EXPECT_EQ(t.left, 3);
  EXPECT_EQ(t.top, 3);
  EXPECT_EQ(t.right - t.left, 200);
  EXPECT_EQ(t.bottom - t.top, 20);
  // The native border is gone and the frame recalculated: the edit's client
  // area is its whole window.
  RECT client;
  GetClientRect(edit, &client);
  EXPECT_EQ(client.right, 200);
  EXPECT_FALSE(GetWindowLongW(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

  const LONG style = GetWindowLongW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_TRUE(style & WS_CLIPCHILDREN);
  EXPECT_TRUE(style & SS_NOTIFY);
}

TEST_F(PanelWindowTest, DefaultsAndPropertiesWithNothingOptionalGiven) {
  const HWND edit = form_.AddEdit(40, 30, 200, 20);
  ZqkWindow panel;
  const HWND window = CreatePanel(panel, edit);

  EXPECT_EQ(panel.frameStyle(), 3);
  EXPECT_EQ(panel.frameColour(), COLORREF(0x808080));
  EXPECT_EQ(panel.backgroundColour(), kPanelNoBackground);
  EXPECT_EQ(panel.backgroundAlpha(), 0);
  EXPECT_EQ(GetSkinProp(edit, prop::Zqk_Szqk), 1);
  EXPECT_EQ(int32_t(GetSkinProp(edit, prop::Zqk_bjs)), -1);
  EXPECT_EQ(GetSkinProp(edit, prop::Zqk_bjstmd), 0);
  EXPECT_EQ(GetSkinPropHandle<HWND>(edit, prop::Zqk_gljb), window);
  EXPECT_EQ(GetSkinProp(window, prop::Zqk_FuID), form_.recordNumber());
  EXPECT_EQ(GetSkinProp(window, prop::Zqk_LbID), panel.GetCallbackSlot());
  EXPECT_EQ(GetSkinProp(window, prop::Kjsx_bkk), 0);  // no picture given
  EXPECT_EQ(panel.GetHandleCopy(), window);
  EXPECT_EQ(panel.GetRedrawPending() == 0, true);  // the first paint has run
  EXPECT_FALSE(panel.picturePresent());

  // The panel is a registered, unframed container of the form's record, and
  // its window procedure is the panel's, with the container's behind it.
  const int container = SkinFindContainerEntry(form_.recordNumber(), window);
  ASSERT_GT(container, 0);
  const SkinContainerEntry& entry = SkinRecordAt(form_.recordNumber())->Containers[container - 1];
  EXPECT_FALSE(entry.framed);
  EXPECT_EQ(entry.kind, 0);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)), &ZqkWindowProc);
  EXPECT_EQ(GetSkinPropHandle<WNDPROC>(window, prop::Zqk_Jgc), &ContainerSkinWndProc);
}

TEST_F(PanelWindowTest, AlphaIsZeroWithoutBackgroundColour) {
  const HWND edit = form_.AddEdit(40, 30, 200, 20);
  ZqkWindow panel;
  CreatePanel(panel, edit, std::nullopt, std::nullopt, std::nullopt, 200);
  EXPECT_EQ(panel.backgroundAlpha(), 0);
  EXPECT_EQ(GetSkinProp(edit, prop::Zqk_bjstmd), 0);

  const HWND other = form_.AddEdit(40, 80, 200, 20);
  ZqkWindow coloured;
  CreatePanel(coloured, other, 1, 0x0000FF, 0x00FF00, 200);
  EXPECT_EQ(coloured.frameStyle(), 1);
  EXPECT_EQ(coloured.frameColour(), COLORREF(0x0000FF));
  EXPECT_EQ(coloured.backgroundAlpha(), 200);
  EXPECT_EQ(GetSkinProp(other, prop::Zqk_bjs), 0x00FF00);
  EXPECT_EQ(GetSkinProp(other, prop::Zqk_bjstmd), 200);
}

TEST_F(PanelWindowTest, HiddenTargetGivesHiddenPanel) {
  const HWND edit = form_.AddEdit(40, 30, 200, 20);
  ShowWindow(edit, SW_HIDE);
  ZqkWindow panel;
  const HWND window = CreatePanel(panel, edit);
  EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(panel.Show(), 0);
}

TEST_F(PanelWindowTest, AddEntryCopiesImagesAndPlacesByPosition) {
  const HWND edit = form_.AddEdit(40, 30, 200, 20);
  ZqkWindow panel;
  CreatePanel(panel, edit);
  const auto red = SolidPng(16, 16, 0xFF0000);
  const auto green = SolidPng(16, 16, 0x00FF00);
  const auto blue = SolidPng(16, 16, 0x0000FF);

  panel.AddEntry(red);
  ASSERT_EQ(panel.entries().size(), 1u);
  EXPECT_EQ(panel.entries()[0].hoverImage, red);
  EXPECT_EQ(panel.entries()[0].pressedImage, red);
  EXPECT_EQ(panel.entries()[0].width, 16);
  EXPECT_EQ(panel.entries()[0].height, 16);

  panel.AddEntry(green, std::nullopt, std::nullopt, 12, 10);
  panel.AddEntry(blue, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 1);
  ASSERT_EQ(panel.entries().size(), 3u);
  EXPECT_EQ(panel.entries()[0].normalImage, blue);
  EXPECT_EQ(panel.entries()[1].normalImage, red);
  EXPECT_EQ(panel.entries()[2].normalImage, green);
  EXPECT_EQ(panel.entries()[2].width, 12);

  panel.AddEntry(red, green, blue, std::nullopt, std::nullopt, 7);  // past the end: appended
  ASSERT_EQ(panel.entries().size(), 4u);
  EXPECT_EQ(panel.entries()[3].hoverImage, green);
  EXPECT_EQ(panel.entries()[3].pressedImage, blue);

  panel.AddEntry(red, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 0);
  panel.AddEntry(red, std::nullopt, std::nullopt, std::nullopt, std::nullopt, -2);
  EXPECT_EQ(panel.entries().size(), 4u);
}

// The main window's folder panel: one entry 20 x 15, no icon, no picture.
TEST_F(PanelWindowTest, LayoutNumbersOfTheFolderPanel) {
  const HWND edit = form_.AddEdit(89, 32, 286, 18);
  ZqkWindow panel;
  const HWND window = CreatePanel(panel, edit);
  panel.AddEntry(SolidPng(20, 15, 0xFF0000), std::nullopt, std::nullopt, 20, 15);

  RECT c;
  GetClientRect(window, &c);
  const int w = c.right;
  ASSERT_EQ(w, 292);
  ASSERT_EQ(c.bottom, 24);
  const RECT e = panel.entries()[0].rectangle;
  EXPECT_EQ(e.left, w - 23);
  EXPECT_EQ(e.right, w - 3);
  EXPECT_EQ(e.top, (24 - 15) / 2 + 1);
  EXPECT_EQ(e.bottom, e.top + 15);
  const RECT t = RectInParentClient(edit);
  EXPECT_EQ(t.left, 4);
  EXPECT_EQ(t.right, w - 25);
  EXPECT_EQ(t.top, 3);  // keeps its top and height
  EXPECT_EQ(t.bottom - t.top, 18);
}

TEST_F(PanelWindowTest, LayoutOfSeveralEntriesAndAnIcon) {
  const HWND edit = form_.AddEdit(10, 10, 300, 30);
  ZqkWindow panel;
  const HWND window = CreatePanel(panel, edit);
  panel.AddEntry(SolidPng(16, 16, 0xFF0000));
  panel.AddEntry(SolidPng(10, 8, 0x00FF00), std::nullopt, std::nullopt, 10, 8);
  panel.SetIcon(SolidPng(16, 16, 0x0000FF), 12, 12);

  RECT c;
  GetClientRect(window, &c);
  const int total = (16 + 1) + (10 + 1);
  const RECT a = panel.entries()[0].rectangle;
  const RECT b = panel.entries()[1].rectangle;
  EXPECT_EQ(a.left, c.right - total - 2);
  EXPECT_EQ(a.right, a.left + 16);
  EXPECT_EQ(b.left, a.right + 1);
  EXPECT_EQ(b.right, b.left + 10);
  EXPECT_EQ(a.top, (c.bottom - 16) / 2 + 1);
  EXPECT_EQ(b.top, (c.bottom - 8) / 2 + 1);
  const RECT t = RectInParentClient(edit);
  EXPECT_EQ(t.left, 12 + 4);
  EXPECT_EQ(t.right - t.left, c.right - 12 - 8 - total);
}

TEST_F(PanelWindowTest, HitTestIncludesRightAndBottomEdges) {
  const HWND edit = form_.AddEdit(10, 10, 300, 30);
  ZqkWindow panel;
  CreatePanel(panel, edit);
  panel.AddEntry(SolidPng(16, 16, 0xFF0000));
  panel.AddEntry(SolidPng(16, 16, 0x00FF00));
  const RECT a = panel.entries()[0].rectangle;
  const RECT b = panel.entries()[1].rectangle;

  EXPECT_EQ(panel.HitTest(a.left, a.top), 1);
  EXPECT_EQ(panel.HitTest(a.right, a.bottom), 1);
  EXPECT_EQ(panel.HitTest(a.left - 1, a.top), 0);
  EXPECT_EQ(panel.HitTest(a.left, a.bottom + 1), 0);
  EXPECT_EQ(panel.HitTest(b.left, b.top), 2);  // one pixel right of entry 1's right edge
  EXPECT_EQ(panel.HitTest(b.right, b.top), 2);
  EXPECT_EQ(panel.HitTest(b.right + 1, b.top), 0);
}

int32_t CALLBACK RecordEntry(int32_t entry) { return entry; }
int32_t CALLBACK OtherRecord(int32_t entry) { return -entry; }

TEST_F(PanelWindowTest, SetCallbackRefusesAnEmptyRoutine) {
  const HWND edit = form_.AddEdit(10, 10, 300, 30);
  ZqkWindow panel;
  CreatePanel(panel, edit);
  EXPECT_EQ(panel.SetCallback(SkinRoutine(&RecordEntry)), 1);
  EXPECT_EQ(panel.SetCallback(SkinRoutine()), 0);
  EXPECT_EQ(panel.callback(), SkinRoutine(&RecordEntry));
  EXPECT_EQ(panel.SetCallback(SkinRoutine(&OtherRecord)), 1);
  EXPECT_EQ(panel.callback(), SkinRoutine(&OtherRecord));
}

TEST_F(PanelWindowTest, ShowQueriesOrShowsWithoutActivating) {
  const HWND edit = form_.AddEdit(10, 10, 300, 30);
  ZqkWindow panel;
  const HWND window = CreatePanel(panel, edit);
  EXPECT_EQ(panel.Show(), 1);
  EXPECT_EQ(panel.Show(0), 0);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(panel.Show(), 0);

  const HWND focused = GetFocus();
  EXPECT_EQ(panel.Show(5), 5);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetFocus(), focused);
}

TEST_F(PanelWindowTest, MoveTakesMissingValuesFromThePanelsPlace) {
  const HWND edit = form_.AddEdit(10, 10, 300, 30);
  ZqkWindow panel;
  CreatePanel(panel, edit);
  EXPECT_EQ(panel.GetLeft(), 10);
  EXPECT_EQ(panel.GetTop(), 10);
  EXPECT_EQ(panel.GetWidth(), 306);
  EXPECT_EQ(panel.GetHeight(), 36);

  panel.Move(50, std::nullopt, std::nullopt, 40);
  EXPECT_EQ(panel.GetLeft(), 50);
  EXPECT_EQ(panel.GetTop(), 10);
  EXPECT_EQ(panel.GetRight(), 356);
  EXPECT_EQ(panel.GetBottom(), 50);
}

TEST_F(PanelWindowTest, DispatchCodes) {
  ZqkWindow panel;
  EXPECT_EQ(panel.Dispatch(1, 1, 0, 0, 0), 0);
  EXPECT_EQ(panel.Dispatch(2, 0, 0, 0, 0), 1);
  panel.Dispatch(1, 7, 0, 0, 0);  // only 1 sets it
  EXPECT_EQ(panel.Dispatch(2, 0, 0, 0, 0), 0);
  panel.Dispatch(6, 0, 0, int32_t(0xFFFE0005u), 0);  // x 5, y -2
  EXPECT_EQ(panel.Dispatch(5, 0, 0, 0, 0), int32_t(0xFFFE0005u));
  panel.SetPoint(3, 4);
  EXPECT_EQ(panel.Dispatch(5, 0, 0, 0, 0), 3 | (4 << 16));
  EXPECT_EQ(panel.Dispatch(99, 1, 2, 3, 4), 0);
}

TEST_F(PanelWindowTest, CallbackRecordIsFreedAndReusedByAnotherObject) {
  const HWND first = form_.AddEdit(10, 10, 300, 30);
  const HWND second = form_.AddEdit(10, 60, 300, 30);
  ZqkWindow a;
  ZqkWindow b;
  const HWND panelA = CreatePanel(a, first);
  const int slot = a.GetCallbackSlot();
  ASSERT_GE(slot, 1);
  EXPECT_EQ(SkinCallbackList[slot - 1].window, panelA);
  EXPECT_FALSE(SkinCallbackList[slot - 1].free);
  const size_t grown = SkinCallbackList.size();

  DestroyWindow(panelA);
  PumpMessages();
  EXPECT_TRUE(SkinCallbackList[slot - 1].free);
  EXPECT_EQ(SkinCallbackList[slot - 1].window, nullptr);
  EXPECT_EQ(a.panel(), nullptr);
  EXPECT_EQ(a.GetCallbackSlot(), slot);  // kept after Destroy

  // The freed record is taken again instead of growing the list, and now
  // leads to the new object.
  const HWND panelB = CreatePanel(b, second);
  EXPECT_EQ(b.GetCallbackSlot(), slot);
  EXPECT_EQ(SkinCallbackList.size(), grown);
  b.SetRedrawPending(0);
  EXPECT_EQ(SkinInvokeCallback(slot, 1, 1, 0), 1);
  EXPECT_EQ(b.GetRedrawPending(), 1);
  EXPECT_EQ(SkinCallbackList[slot - 1].window, panelB);
}

// Releasing an object whose window has gone again leaves alone the record
// that another panel took meanwhile.
TEST_F(PanelWindowTest, SecondReleaseKeepsTheRecordAnotherPanelTook) {
  const HWND first = form_.AddEdit(10, 10, 300, 30);
  const HWND second = form_.AddEdit(10, 60, 300, 30);
  ZqkWindow a;
  ZqkWindow b;
  DestroyWindow(CreatePanel(a, first));
  PumpMessages();
  const HWND panelB = CreatePanel(b, second);
  ASSERT_EQ(b.GetCallbackSlot(), a.GetCallbackSlot());
  a.Release();
  EXPECT_FALSE(SkinCallbackList[b.GetCallbackSlot() - 1].free);
  EXPECT_EQ(SkinCallbackList[b.GetCallbackSlot() - 1].window, panelB);
  b.SetRedrawPending(0);
  SendMessageW(panelB, WM_SIZE, 0, 0);  // still reaches b
  EXPECT_EQ(b.GetRedrawPending(), 1);
}

TEST_F(PanelWindowTest, BuildThunksBindsOnlySlotsOfTheList) {
  const HWND edit = form_.AddEdit(10, 10, 300, 30);
  ZqkWindow panel;
  CreatePanel(panel, edit);
  EXPECT_FALSE(panel.BuildThunks(0));
  EXPECT_FALSE(panel.BuildThunks(int(SkinCallbackList.size()) + 1));
  EXPECT_TRUE(panel.BuildThunks());
  panel.SetRedrawPending(0);
  SkinInvokeCallback(panel.GetCallbackSlot(), 1, 1, 0);
  EXPECT_EQ(panel.GetRedrawPending(), 1);
}

// A panel whose object goes first gives its window back to the container
// skin, so no message reaches the object afterwards.
TEST_F(PanelWindowTest, ObjectGoingBeforeItsWindowUnbindsIt) {
  const HWND edit = form_.AddEdit(10, 10, 300, 30);
  HWND window = nullptr;
  int slot = 0;
  {
    ZqkWindow panel;
    window = CreatePanel(panel, edit);
    slot = panel.GetCallbackSlot();
  }
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)),
            &ContainerSkinWndProc);
  EXPECT_EQ(SkinCallbackList[slot - 1].target, nullptr);
  EXPECT_EQ(SkinInvokeCallback(slot, 1, 1, 0), 0);
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);
  PumpMessages();
}

}  // namespace
}  // namespace korvath::skin
