// The container skin: registration with the owner's record, the subclassing,
// the dirty flags its window procedure keeps, its answers to children's
// messages, its removal and renumbering, and the invalidation of a window's
// cached backgrounds.
#include "skin/control/container_skin.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <algorithm>

#include "platform/gdi_object.h"
#include "skin/core/callbacks.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/owner_draw.h"
#include "skin/core/panel_window.h"
#include "skin/core/skin_picture.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/panel_fixture.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

using fixture::PlainForm;
using fixture::SkinnedForm;
using testsupport::PumpMessages;

class ContainerSkinTest : public ::testing::Test {
 protected:
  HWND AddChild(const wchar_t* cls, DWORD style, int x, int y, int w, int h,
                HWND parent = nullptr) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                           parent ? parent : form_.hwnd(), nullptr, GetModuleHandleW(nullptr),
                           nullptr);
  }
  SkinWindowRecord& record() { return *SkinRecordAt(form_.recordNumber()); }
  SkinContainerEntry& entry(HWND window) {
    return record().Containers[SkinFindContainerEntry(form_.recordNumber(), window) - 1];
  }

  SkinnedForm form_{400, 300, 0x808080};
};

TEST_F(ContainerSkinTest, FirstContainerTakesTheEmptyEntrySecondAppends) {
  const HWND a = AddChild(L"Static", 0, 10, 10, 100, 50);
  const HWND b = AddChild(L"Static", 0, 10, 70, 100, 50);
  ASSERT_EQ(record().Containers.size(), 1u);

  ContainerSkinAttach(a);
  ContainerSkinAttach(b, false, 0x00FF00, 300, true);

  ASSERT_EQ(record().Containers.size(), 2u);
  EXPECT_EQ(GetSkinProp(a, prop::Hw_lbID), 1);
  EXPECT_EQ(GetSkinProp(b, prop::Hw_lbID), 2);
  EXPECT_EQ(GetSkinProp(a, prop::Hw_FuID), form_.recordNumber());
  EXPECT_EQ(GetSkinProp(a, prop::Mb_zpf), 0);

  const SkinContainerEntry& first = entry(a);
  EXPECT_TRUE(first.framed);  // the default
  EXPECT_EQ(first.backgroundColor, COLORREF(0));
  EXPECT_EQ(first.backgroundAlpha, 255);
  EXPECT_FALSE(first.outline);
  EXPECT_TRUE(first.rebuild);
  EXPECT_EQ(first.paintedWidth, 100);
  EXPECT_EQ(first.paintedHeight, 50);
  EXPECT_EQ(first.kind, 0);

  const SkinContainerEntry& second = entry(b);
  EXPECT_FALSE(second.framed);
  EXPECT_EQ(second.backgroundColor, COLORREF(0x00FF00));
  EXPECT_EQ(second.backgroundAlpha, 300 & 0xFF);
  EXPECT_TRUE(second.outline);

  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(a, GWLP_WNDPROC)), &ContainerSkinWndProc);
  EXPECT_EQ(GetSkinPropHandle<WNDPROC>(a, prop::Hw_hProc), first.previousProc);
  EXPECT_NE(first.previousProc, nullptr);
}

TEST_F(ContainerSkinTest, AttachingTwiceChangesNothing) {
  const HWND a = AddChild(L"Static", 0, 10, 10, 100, 50);
  ContainerSkinAttach(a);
  const LONG_PTR saved = GetSkinProp(a, prop::Hw_hProc);
  ContainerSkinAttach(a, false, 0x0000FF);
  EXPECT_EQ(record().Containers.size(), 1u);
  EXPECT_EQ(GetSkinProp(a, prop::Hw_hProc), saved);
  EXPECT_TRUE(entry(a).framed);
  // One layer only: a message passes through the container once and reaches
  // the static's own procedure (no endless hand-back to itself).
  EXPECT_EQ(SendMessageW(a, WM_GETDLGCODE, 0, 0), CallWindowProcW(reinterpret_cast<WNDPROC>(saved),
                                                                   a, WM_GETDLGCODE, 0, 0));
}

// A window that another first-layer skin subclassed already is left alone.
TEST_F(ContainerSkinTest, WindowCarryingASavedProcedureIsSkipped) {
  const HWND a = AddChild(L"Static", 0, 10, 10, 100, 50);
  SetSkinProp(a, prop::Hw_hProc, GetWindowLongPtrW(a, GWLP_WNDPROC));
  const LONG_PTR proc = GetWindowLongPtrW(a, GWLP_WNDPROC);
  ContainerSkinAttach(a);
  EXPECT_EQ(SkinFindContainerEntry(form_.recordNumber(), a), 0);
  EXPECT_EQ(GetWindowLongPtrW(a, GWLP_WNDPROC), proc);
}

TEST(ContainerWithoutSkinTest, UnskinnedTopLevelWindowRegistersNothing) {
  PlainForm form(300, 200, RGB(255, 255, 255));
  const HWND a = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50,
                                 form.hwnd(), nullptr, nullptr, nullptr);
  const LONG_PTR proc = GetWindowLongPtrW(a, GWLP_WNDPROC);
  ContainerSkinAttach(a);
  EXPECT_EQ(GetWindowLongPtrW(a, GWLP_WNDPROC), proc);
  EXPECT_EQ(GetSkinProp(a, prop::Hw_FuID), 0);
}

TEST_F(ContainerSkinTest, GroupBoxesAndTabControlsAreFramed) {
  const HWND group = AddChild(L"Button", BS_GROUPBOX, 10, 10, 150, 80);
  const HWND threeState = AddChild(L"Button", BS_3STATE, 10, 100, 150, 30);
  const HWND push = AddChild(L"Button", BS_PUSHBUTTON, 10, 140, 150, 30);
  const HWND tab = AddChild(WC_TABCONTROLW, 0, 170, 10, 200, 120);
  EXPECT_TRUE(IsGroupBoxButton(group));
  EXPECT_TRUE(IsGroupBoxButton(threeState));  // shares the bit
  EXPECT_FALSE(IsGroupBoxButton(push));
  EXPECT_FALSE(IsGroupBoxButton(tab));

  ContainerSkinAttach(group, false);
  ContainerSkinAttach(tab, false);
  ContainerSkinAttach(push, false);
  EXPECT_TRUE(entry(group).framed);
  EXPECT_EQ(entry(group).kind, 1);
  EXPECT_TRUE(entry(tab).framed);
  EXPECT_EQ(entry(tab).kind, 2);
  EXPECT_FALSE(entry(push).framed);
  EXPECT_EQ(entry(push).kind, 0);
  // A window without a font still gets a caption font.
  EXPECT_EQ(entry(group).captionFontFace, "\xCB\xCE\xCC\xE5");  // 宋体
  EXPECT_EQ(entry(group).captionFontSize, 12);
  EXPECT_TRUE(entry(push).captionFontFace.empty());
}

TEST_F(ContainerSkinTest, BackgroundPieceIsTheNearestAncestorFlaggedOne) {
  const HWND outer = AddChild(L"Static", 0, 10, 10, 200, 200);
  const HWND middle = AddChild(L"Static", 0, 10, 10, 150, 150, outer);
  const HWND inner = AddChild(L"Static", 0, 10, 10, 100, 100, middle);
  EXPECT_EQ(GetParentBackgroundPiece(inner), nullptr);
  SetSkinProp(outer, prop::Wxk_Zpf, 1);
  SetSkinProp(middle, prop::Wxk_Zpf, 2);  // only 1 counts
  EXPECT_EQ(GetParentBackgroundPiece(inner), outer);
  ContainerSkinAttach(inner);
  EXPECT_EQ(GetSkinPropHandle<HWND>(inner, prop::Mb_zpf), outer);
}

TEST_F(ContainerSkinTest, DestroyingAContainerRemovesItAndRenumbersTheRest) {
  const HWND a = AddChild(L"Static", 0, 10, 10, 100, 30);
  const HWND b = AddChild(L"Static", 0, 10, 50, 100, 30);
  const HWND c = AddChild(L"Static", 0, 10, 90, 100, 30);
  ContainerSkinAttach(a);
  ContainerSkinAttach(b);
  ContainerSkinAttach(c);
  ASSERT_EQ(GetSkinProp(c, prop::Hw_lbID), 3);
  const auto previous = GetSkinPropHandle<WNDPROC>(b, prop::Hw_hProc);

  DestroyWindow(b);
  ASSERT_EQ(record().Containers.size(), 2u);
  EXPECT_EQ(record().Containers[0].window, a);
  EXPECT_EQ(record().Containers[1].window, c);
  EXPECT_EQ(GetSkinProp(c, prop::Hw_lbID), 2);
  EXPECT_EQ(GetSkinProp(a, prop::Hw_lbID), 1);
  (void)previous;

  DestroyWindow(a);
  DestroyWindow(c);
  EXPECT_TRUE(record().Containers.empty());
  const HWND d = AddChild(L"Static", 0, 10, 10, 100, 30);
  ContainerSkinAttach(d);
  EXPECT_EQ(GetSkinProp(d, prop::Hw_lbID), 1);
}

TEST_F(ContainerSkinTest, UnskinPutsThePreviousProcedureBack) {
  const HWND a = AddChild(L"Static", 0, 10, 10, 100, 30);
  const LONG_PTR own = GetWindowLongPtrW(a, GWLP_WNDPROC);
  ContainerSkinAttach(a);
  UnskinContainer(form_.recordNumber(), 1);
  EXPECT_EQ(GetWindowLongPtrW(a, GWLP_WNDPROC), own);
  EXPECT_EQ(GetSkinProp(a, prop::Hw_FuID), form_.recordNumber());  // properties stay
}

TEST_F(ContainerSkinTest, DirtyFlagsFollowSizeMoveShowAndErase) {
  const HWND framed = AddChild(L"Static", 0, 10, 10, 100, 30);
  const HWND unframed = AddChild(L"Static", 0, 10, 50, 100, 30);
  ContainerSkinAttach(framed);
  ContainerSkinAttach(unframed, false);
  auto clean = [&] {
    for (SkinContainerEntry& e : record().Containers) e.rebuild = e.childChanged = false;
  };

  clean();
  SetWindowPos(unframed, nullptr, 0, 0, 120, 40, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(entry(unframed).rebuild);  // WM_SIZE, framed or not

  clean();
  SendMessageW(framed, WM_SHOWWINDOW, 0, 0);
  EXPECT_FALSE(entry(framed).rebuild);
  SendMessageW(framed, WM_SHOWWINDOW, 1, 0);
  EXPECT_TRUE(entry(framed).rebuild);

  // WM_MOVE of a framed container declares every cache of the window stale.
  clean();
  record().Labels[0].dirty = false;
  SetWindowPos(framed, nullptr, 20, 12, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_TRUE(entry(framed).rebuild);
  EXPECT_TRUE(entry(unframed).rebuild);
  EXPECT_TRUE(entry(unframed).childChanged);
  EXPECT_TRUE(record().Labels[0].dirty);

  clean();
  HDC dc = GetDC(framed);
  record().Active = true;
  record().Sizing = true;
  EXPECT_EQ(SendMessageW(framed, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  EXPECT_FALSE(entry(framed).rebuild);  // being sized
  record().Sizing = false;
  record().Active = false;
  SendMessageW(framed, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_FALSE(entry(framed).rebuild);  // inactive
  record().Active = true;
  SendMessageW(framed, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_TRUE(entry(framed).rebuild);
  EXPECT_EQ(SendMessageW(unframed, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  EXPECT_FALSE(entry(unframed).rebuild);
  ReleaseDC(framed, dc);
}

// A child about to move marks its container's look stale.
TEST_F(ContainerSkinTest, ChildMovingInsideMarksTheContainer) {
  const HWND box = AddChild(L"Static", 0, 10, 10, 200, 100);
  ContainerSkinAttach(box, false);
  const HWND inner = AddChild(L"Static", 0, 10, 10, 50, 20, box);
  ContainerSkinAttach(inner, false);
  entry(box).childChanged = false;
  SetWindowPos(inner, nullptr, 30, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_TRUE(entry(box).childChanged);
}

TEST_F(ContainerSkinTest, ColourMessagesOutsideTheSeeThroughMode) {
  ASSERT_FALSE(SkinTransparentMode);
  const HWND box = AddChild(L"Static", 0, 10, 10, 300, 200);
  ContainerSkinAttach(box, false);
  const HWND edit = AddChild(L"Edit", 0, 10, 10, 100, 20, box);
  const HWND list = AddChild(L"ListBox", 0, 10, 40, 100, 60, box);
  SetSkinProp(list, prop::Kj_Ztys, 0x123456);
  const bool enabled = SkinEnabled;
  SkinEnabled = true;

  HDC dc = GetDC(list);
  // Edits are passed on: no pattern brush is made for them.
  SendMessageW(box, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
  EXPECT_EQ(GetSkinProp(edit, prop::Kj_dxjb), 0);
  // A list box gets the pattern brush and its text colour.
  const long before = platform::LiveGdiObjectCount();
  const LRESULT first =
      SendMessageW(box, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(list));
  EXPECT_NE(first, 0);
  EXPECT_EQ(GetSkinProp(list, prop::Kj_dxjb), first);
  EXPECT_EQ(GetTextColor(dc), COLORREF(0x123456));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  const long withOne = platform::LiveGdiObjectCount();
  EXPECT_EQ(withOne, before + 2);  // brush and bitmap
  // A second message replaces the pair: nothing accumulates.
  SendMessageW(box, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(platform::LiveGdiObjectCount(), withOne);
  ReleaseDC(list, dc);
  SkinDeleteControlBrush(list);
  EXPECT_EQ(platform::LiveGdiObjectCount(), before);
  SkinEnabled = enabled;
}

TEST_F(ContainerSkinTest, DropDownListIsListedOnceAsLayered) {
  const HWND box = AddChild(L"Static", 0, 10, 10, 300, 200);
  ContainerSkinAttach(box, false);
  // An open drop-down list is a child of the desktop.
  const HWND dropDown = CreateWindowExW(WS_EX_TOOLWINDOW, L"ComboLBox", L"", WS_CHILD, 0, 0, 100,
                                        100, GetDesktopWindow(), nullptr, nullptr, nullptr);
  ASSERT_NE(dropDown, nullptr);
  const bool mode = SkinTransparentMode;
  SkinTransparentMode = true;
  LayeredDropDownList.clear();
  HDC dc = GetDC(dropDown);
  for (int i = 0; i < 3; ++i) {
    SendMessageW(box, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(dropDown));
  }
  ReleaseDC(dropDown, dc);
  EXPECT_EQ(std::count(LayeredDropDownList.begin(), LayeredDropDownList.end(), dropDown), 1);
  EXPECT_TRUE(GetWindowLongW(dropDown, GWL_EXSTYLE) & WS_EX_LAYERED);
  SkinTransparentMode = mode;
  SkinDeleteControlBrush(dropDown);
  DestroyWindow(dropDown);
  LayeredDropDownList.clear();
}

TEST_F(ContainerSkinTest, TabNotificationsMarkOnlyRegisteredTabs) {
  const HWND box = AddChild(L"Static", 0, 10, 10, 300, 200);
  ContainerSkinAttach(box, false);
  const HWND tab = AddChild(WC_TABCONTROLW, 0, 0, 0, 200, 100, box);
  const HWND loose = AddChild(WC_TABCONTROLW, 0, 0, 100, 200, 100, box);
  ContainerSkinAttach(tab);
  entry(tab).rebuild = false;

  NMHDR note = {loose, 0, UINT(TCN_SELCHANGING)};
  SendMessageW(box, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
  EXPECT_FALSE(entry(tab).rebuild);
  note.hwndFrom = tab;
  SendMessageW(box, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
  EXPECT_TRUE(entry(tab).rebuild);
}

// An owner-drawn skinned button inside a container is painted by its kind's
// painter through the container; an unskinned one is left to the procedure
// behind it.
HWND paintedButton = nullptr;
void RecordPainted(HWND button, HDC, UINT, const RECT&) { paintedButton = button; }

TEST_F(ContainerSkinTest, DrawItemOfASkinnedButtonReachesItsPainter) {
  const HWND box = AddChild(L"Static", 0, 10, 10, 300, 200);
  ContainerSkinAttach(box, false);
  const HWND skinned = AddChild(L"Button", BS_OWNERDRAW, 10, 10, 80, 24, box);
  const HWND plain = AddChild(L"Button", BS_OWNERDRAW, 10, 50, 80, 24, box);
  record().Buttons[0].Window = skinned;
  record().Buttons[0].Kind = 0;
  SetSkinProp(skinned, prop::Hw_FuID, form_.recordNumber());
  SetSkinProp(skinned, prop::Hw_lbID, 1);
  const SkinButtonPainterSet saved = SkinButtonPainters;
  SkinButtonPainters.vector = &RecordPainted;

  paintedButton = nullptr;
  DRAWITEMSTRUCT item = {ODT_BUTTON, 0, 0, ODA_DRAWENTIRE, 0, skinned, GetDC(skinned), {0, 0, 80, 24}, 0};
  EXPECT_EQ(SendMessageW(box, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)), TRUE);
  EXPECT_EQ(paintedButton, skinned);
  ReleaseDC(skinned, item.hDC);

  paintedButton = nullptr;
  item.hwndItem = plain;
  item.hDC = GetDC(plain);
  SendMessageW(box, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(paintedButton, nullptr);
  ReleaseDC(plain, item.hDC);
  SkinButtonPainters = saved;
}

// In the see-through mode an edit inside a container is repainted when its
// text is about to change.
TEST_F(ContainerSkinTest, SeeThroughModeRepaintsAnEditOnUpdate) {
  const HWND box = AddChild(L"Static", 0, 10, 10, 300, 200);
  ContainerSkinAttach(box, false);
  const HWND edit = AddChild(L"Edit", 0, 10, 10, 100, 20, box);
  PumpMessages();
  ValidateRect(edit, nullptr);
  RECT dirty;
  ASSERT_FALSE(GetUpdateRect(edit, &dirty, FALSE));
  SendMessageW(box, WM_COMMAND, MAKEWPARAM(0, EN_UPDATE), reinterpret_cast<LPARAM>(edit));
  EXPECT_FALSE(GetUpdateRect(edit, &dirty, FALSE));  // mode off: passed on only

  const bool mode = SkinTransparentMode;
  const bool enabled = SkinEnabled;
  SkinTransparentMode = true;
  SkinEnabled = true;
  SendMessageW(box, WM_COMMAND, MAKEWPARAM(0, EN_UPDATE), reinterpret_cast<LPARAM>(edit));
  EXPECT_TRUE(GetUpdateRect(edit, &dirty, FALSE));
  SkinTransparentMode = mode;
  SkinEnabled = enabled;
}

TEST_F(ContainerSkinTest, InvalidateBackgroundCachesReachesPanelsOfTheWindow) {
  InstallContainerSkin();
  const HWND a = AddChild(L"Static", 0, 10, 10, 100, 30);
  ContainerSkinAttach(a, false);
  const HWND edit = AddChild(L"Edit", WS_BORDER, 10, 60, 200, 20);
  ZqkWindow panel;
  const SkinPicture picture;
  panel.Create(edit, std::nullopt, std::nullopt, std::nullopt, std::nullopt, picture);
  PumpMessages();

  // Containers only: panels and the other lists are left alone.
  panel.SetRedrawPending(0);
  record().Labels[0].dirty = false;
  entry(a).rebuild = entry(a).childChanged = false;
  InvalidateBackgroundCaches(form_.hwnd(), true);
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
