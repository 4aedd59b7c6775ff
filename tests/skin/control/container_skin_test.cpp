// The container skin: registration with the owner's record, one layer of
// subclassing, removal and renumbering, the dirty flags, its answers to
// children's messages, and the invalidation of a window's cached backgrounds.
#include "skin/control/container_skin.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <utility>

#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/owner_draw.h"
#include "skin/core/panel_window.h"
#include "skin/core/skin_picture.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/panel_fixture.h"

namespace korvath::skin {
namespace {

class ContainerSkinTest : public ::testing::Test {
 protected:
  HWND Add(const wchar_t* cls, DWORD style, int x, int y, int w, int h, HWND parent = nullptr) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                           parent ? parent : form_.hwnd(), nullptr, nullptr, nullptr);
  }
  SkinWindowRecord& record() { return *SkinRecordAt(form_.recordNumber()); }
  SkinContainerEntry& entry(HWND window) {
    return record().Containers[SkinFindContainerEntry(form_.recordNumber(), window) - 1];
  }
  void Clean() {
    for (SkinContainerEntry& e : record().Containers) e.rebuild = e.childChanged = false;
  }
  fixture::SkinnedForm form_{400, 300, 0x808080};
};

TEST_F(ContainerSkinTest, FirstContainerTakesTheEmptyEntrySecondAppends) {
  const HWND a = Add(L"Static", 0, 10, 10, 100, 50), b = Add(L"Static", 0, 10, 70, 100, 50);
  ASSERT_EQ(record().Containers.size(), 1u);
  ContainerSkinAttach(a);
  ContainerSkinAttach(b, false, 0x00FF00, 300, true);
  ASSERT_EQ(record().Containers.size(), 2u);
  EXPECT_EQ(GetSkinProp(a, prop::Hw_lbID), 1);
  EXPECT_EQ(GetSkinProp(b, prop::Hw_lbID), 2);
  EXPECT_EQ(GetSkinProp(a, prop::Hw_FuID), form_.recordNumber());
  EXPECT_TRUE(entry(a).framed);
  EXPECT_EQ(entry(a).paintedWidth, 100);
  EXPECT_FALSE(entry(b).framed);
  EXPECT_EQ(entry(b).backgroundColor, COLORREF(0x00FF00));
  EXPECT_EQ(entry(b).backgroundAlpha, 300 & 0xFF);
  EXPECT_TRUE(entry(b).outline);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(a, GWLP_WNDPROC)), &ContainerSkinWndProc);
  EXPECT_EQ(GetSkinPropHandle<WNDPROC>(a, prop::Hw_hProc), entry(a).previousProc);
}

// One layer only: a second attach, or one of a window that another skin
// subclassed already, changes nothing, so a message passes through once and
// reaches the window's own procedure (no endless hand-back to itself).
TEST_F(ContainerSkinTest, AttachSubclassesOneLayerOnly) {
  const HWND a = Add(L"Static", 0, 10, 10, 100, 50), b = Add(L"Static", 0, 10, 70, 100, 50);
  ContainerSkinAttach(a);
  const LONG_PTR saved = GetSkinProp(a, prop::Hw_hProc);
  ContainerSkinAttach(a, false, 0x0000FF);
  EXPECT_EQ(record().Containers.size(), 1u);
  EXPECT_EQ(GetSkinProp(a, prop::Hw_hProc), saved);
  EXPECT_TRUE(entry(a).framed);
  EXPECT_EQ(SendMessageW(a, WM_GETDLGCODE, 0, 0),
            CallWindowProcW(reinterpret_cast<WNDPROC>(saved), a, WM_GETDLGCODE, 0, 0));

  const LONG_PTR proc = GetWindowLongPtrW(b, GWLP_WNDPROC);
  SetSkinProp(b, prop::Hw_hProc, proc);
  ContainerSkinAttach(b);
  EXPECT_EQ(SkinFindContainerEntry(form_.recordNumber(), b), 0);
  EXPECT_EQ(GetWindowLongPtrW(b, GWLP_WNDPROC), proc);
}

TEST_F(ContainerSkinTest, GroupBoxesAndTabControlsAreFramedWhateverWasAsked) {
  const HWND group = Add(L"Button", BS_GROUPBOX, 10, 10, 150, 80);
  const HWND push = Add(L"Button", BS_PUSHBUTTON, 10, 140, 150, 30);
  const HWND tab = Add(WC_TABCONTROLW, 0, 170, 10, 200, 120);
  for (HWND w : {group, push, tab}) ContainerSkinAttach(w, false);
  EXPECT_EQ((std::array<int, 3>{entry(group).kind, entry(push).kind, entry(tab).kind}),
            (std::array<int, 3>{1, 0, 2}));
  EXPECT_TRUE(entry(group).framed);
  EXPECT_TRUE(entry(tab).framed);
  EXPECT_FALSE(entry(push).framed);
}

TEST_F(ContainerSkinTest, DestroyingAContainerRemovesItAndRenumbersTheRest) {
  const HWND a = Add(L"Static", 0, 10, 10, 100, 30), b = Add(L"Static", 0, 10, 50, 100, 30),
             c = Add(L"Static", 0, 10, 90, 100, 30);
  for (HWND w : {a, b, c}) ContainerSkinAttach(w);
  DestroyWindow(b);
  ASSERT_EQ(record().Containers.size(), 2u);
  EXPECT_EQ(record().Containers[1].window, c);
  EXPECT_EQ(GetSkinProp(a, prop::Hw_lbID), 1);
  EXPECT_EQ(GetSkinProp(c, prop::Hw_lbID), 2);
  DestroyWindow(a);
  DestroyWindow(c);
  EXPECT_TRUE(record().Containers.empty());
  const HWND d = Add(L"Static", 0, 10, 10, 100, 30);
  ContainerSkinAttach(d);
  EXPECT_EQ(GetSkinProp(d, prop::Hw_lbID), 1);
}

TEST_F(ContainerSkinTest, DirtyFlagsFollowSizeMoveAndErase) {
  const HWND framed = Add(L"Static", 0, 10, 10, 100, 30), unframed = Add(L"Static", 0, 10, 50, 100, 30);
  ContainerSkinAttach(framed);
  ContainerSkinAttach(unframed, false);
  Clean();
  SetWindowPos(unframed, nullptr, 0, 0, 120, 40, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(entry(unframed).rebuild);  // WM_SIZE, framed or not
  // WM_MOVE of a framed container declares every cache of the window stale.
  Clean();
  record().Labels[0].dirty = false;
  SetWindowPos(framed, nullptr, 20, 12, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_TRUE(entry(unframed).rebuild);
  EXPECT_TRUE(entry(unframed).childChanged);
  EXPECT_TRUE(record().Labels[0].dirty);
  // Erasing rebuilds a framed container's look unless its form is being sized.
  Clean();
  HDC dc = GetDC(framed);
  record().Sizing = true;
  EXPECT_EQ(SendMessageW(framed, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  EXPECT_FALSE(entry(framed).rebuild);
  record().Sizing = false;
  SendMessageW(framed, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_TRUE(entry(framed).rebuild);
  ReleaseDC(framed, dc);
}

// A list box's pattern brush is replaced, not piled up, and given back.
TEST_F(ContainerSkinTest, ColourMessagesKeepOneBrushPerChild) {
  ASSERT_FALSE(SkinTransparentMode);
  const HWND box = Add(L"Static", 0, 10, 10, 300, 200);
  ContainerSkinAttach(box, false);
  const HWND edit = Add(L"Edit", 0, 10, 10, 100, 20, box), list = Add(L"ListBox", 0, 10, 40, 100, 60, box);
  SetSkinProp(list, prop::Kj_Ztys, 0x123456);
  const bool enabled = std::exchange(SkinEnabled, true);
  HDC dc = GetDC(list);
  SendMessageW(box, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
  EXPECT_EQ(GetSkinProp(edit, prop::Kj_dxjb), 0);  // edits are passed on
  const long before = platform::LiveGdiObjectCount();
  for (int i = 0; i < 2; ++i) {
    const LRESULT brush = SendMessageW(box, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(list));
    EXPECT_NE(brush, 0);
    EXPECT_EQ(GetSkinProp(list, prop::Kj_dxjb), brush);
    EXPECT_EQ(platform::LiveGdiObjectCount(), before + 2);  // brush and bitmap
  }
  EXPECT_EQ(GetTextColor(dc), COLORREF(0x123456));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  ReleaseDC(list, dc);
  SkinDeleteControlBrush(list);
  EXPECT_EQ(platform::LiveGdiObjectCount(), before);
  SkinEnabled = enabled;
}

// In the see-through mode every colour message of an open drop-down list
// (a child of the desktop) used to list it again.
TEST_F(ContainerSkinTest, DropDownListIsListedOnceAsLayered) {
  const HWND box = Add(L"Static", 0, 10, 10, 300, 200);
  ContainerSkinAttach(box, false);
  const HWND dropDown = CreateWindowExW(WS_EX_TOOLWINDOW, L"ComboLBox", L"", WS_CHILD, 0, 0, 100,
                                        100, GetDesktopWindow(), nullptr, nullptr, nullptr);
  ASSERT_NE(dropDown, nullptr);
  const bool mode = std::exchange(SkinTransparentMode, true);
  LayeredDropDownList.clear();
  HDC dc = GetDC(dropDown);
  for (int i = 0; i < 3; ++i) {
    SendMessageW(box, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dropDown));
  }
  ReleaseDC(dropDown, dc);
  EXPECT_EQ(std::count(LayeredDropDownList.begin(), LayeredDropDownList.end(), dropDown), 1);
  EXPECT_TRUE(GetWindowLongW(dropDown, GWL_EXSTYLE) & WS_EX_LAYERED);
  SkinTransparentMode = mode;
  SkinDeleteControlBrush(dropDown);
  DestroyWindow(dropDown);
  LayeredDropDownList.clear();
}

// An owner-drawn skinned button inside a container is painted by its kind's
// painter; an unskinned one is left to the procedure behind it.
HWND paintedButton = nullptr;
void RecordPainted(HWND button, HDC, UINT, const RECT&) { paintedButton = button; }

TEST_F(ContainerSkinTest, DrawItemOfASkinnedButtonReachesItsPainter) {
  const HWND box = Add(L"Static", 0, 10, 10, 300, 200);
  ContainerSkinAttach(box, false);
  const HWND skinned = Add(L"Button", BS_OWNERDRAW, 10, 10, 80, 24, box),
             plain = Add(L"Button", BS_OWNERDRAW, 10, 50, 80, 24, box);
  record().Buttons[0].Window = skinned;
  record().Buttons[0].Kind = 0;
  SetSkinProp(skinned, prop::Hw_FuID, form_.recordNumber());
  SetSkinProp(skinned, prop::Hw_lbID, 1);
  const SkinButtonPainterSet saved = SkinButtonPainters;
  SkinButtonPainters.vector = &RecordPainted;
  for (HWND button : {skinned, plain}) {
    paintedButton = nullptr;
    DRAWITEMSTRUCT item = {ODT_BUTTON, 0, 0, ODA_DRAWENTIRE, 0, button, GetDC(button), {0, 0, 80, 24}, 0};
    const LRESULT answer = SendMessageW(box, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(paintedButton, button == skinned ? skinned : nullptr);
    EXPECT_TRUE(button != skinned || answer == TRUE);
    ReleaseDC(button, item.hDC);
  }
  SkinButtonPainters = saved;
}

TEST_F(ContainerSkinTest, InvalidateBackgroundCachesReachesPanelsOfTheWindow) {
  InstallContainerSkin();
  const HWND a = Add(L"Static", 0, 10, 10, 100, 30);
  ContainerSkinAttach(a, false);
  ZqkWindow panel;
  panel.Create(Add(L"Edit", WS_BORDER, 10, 60, 200, 20), std::nullopt, std::nullopt, std::nullopt,
               std::nullopt, SkinPicture());
  testsupport::PumpMessages();
  panel.SetRedrawPending(0);
  record().Labels[0].dirty = false;
  Clean();
  InvalidateBackgroundCaches(form_.hwnd(), true);  // containers only
  EXPECT_TRUE(entry(a).rebuild);
  EXPECT_TRUE(entry(a).childChanged);
  EXPECT_FALSE(record().Labels[0].dirty);
  EXPECT_EQ(panel.GetRedrawPending(), 0);
  InvalidateBackgroundCaches(form_.hwnd());
  EXPECT_TRUE(record().Labels[0].dirty);
  EXPECT_TRUE(record().Toolbars[0].repaint);
  EXPECT_TRUE(record().Children[0].dirty);
  EXPECT_EQ(panel.GetRedrawPending(), 1);
}

}  // namespace
}  // namespace korvath::skin
