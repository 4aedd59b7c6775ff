// The container skin: registration with one layer of subclassing, and its
// answers to children's colour messages without piling anything up.
#include "skin/control/container_skin.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <algorithm>

#include "skin/control/control_installers.h"
#include "skin/core/child_layer.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "skin/edit/window_procs.h"
#include "skin/install/container_attach.h"
#include "skin/install/control_attach.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/core/panel_fixture.h"

namespace korvath::skin {
namespace {

class ContainerSkinTest : public test::EngineTest {
 protected:
  HWND Add(const wchar_t* cls, HWND parent = nullptr) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE, 10, 10, 100, 50,
                           parent ? parent : form_.hwnd(), nullptr, nullptr, nullptr);
  }
  fixture::SkinnedForm form_{400, 300, 0x808080};
};

// The first container takes the record's empty entry, the next appends. A
// second attach, or one of a window that another skin subclassed already,
// changes nothing, so a message passes through once and reaches the window's
// own procedure (no endless hand-back to itself).
TEST_F(ContainerSkinTest, AttachRegistersAndSubclassesOneLayerOnly) {
  const HWND a = Add(L"Static"), b = Add(L"Static"), c = Add(L"Static");
  ContainerSkinAttach(a);
  ContainerSkinAttach(b);
  const LONG_PTR saved = GetSkinProp(a, prop::Hw_hProc), proc = GetWindowLongPtrW(c, GWLP_WNDPROC);
  ContainerSkinAttach(a, false);
  SetSkinProp(c, prop::Hw_hProc, proc);
  ContainerSkinAttach(c);
  EXPECT_EQ(SkinRecordAt(form_.recordNumber())->Containers.size(), 2u);
  EXPECT_EQ(GetSkinProp(b, prop::Hw_lbID), 2);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(a, GWLP_WNDPROC)), &ContainerSkinWndProc);
  EXPECT_EQ(SendMessageW(a, WM_GETDLGCODE, 0, 0),
            CallWindowProcW(reinterpret_cast<WNDPROC>(saved), a, WM_GETDLGCODE, 0, 0));
  EXPECT_EQ(GetWindowLongPtrW(c, GWLP_WNDPROC), proc);
}

// Registering by window alone finds the window's skinned top-level record and
// registers it there once, with the settings given (the alpha's low byte); a
// window under no skinned window is left alone.
TEST_F(ContainerSkinTest, RegisteringByWindowFindsItsRecordAndRegistersOnce) {
  const HWND a = Add(L"Static");
  ContainerControlRegister(a, false, RGB(1, 2, 3), 0x1C0);
  ContainerControlRegister(a, true, RGB(9, 9, 9), 7);
  const SkinWindowRecord& record = *SkinRecordAt(form_.recordNumber());
  ASSERT_EQ(record.Containers.size(), 1u);
  EXPECT_EQ(record.Containers[0].window, a);
  EXPECT_EQ(record.Containers[0].backgroundColor, RGB(1, 2, 3));
  EXPECT_EQ(record.Containers[0].backgroundAlpha, 0xC0);
  EXPECT_FALSE(record.Containers[0].framed);
  EXPECT_EQ(GetSkinProp(a, prop::Hw_lbID), 1);

  const HWND lone = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
  const LONG_PTR own = GetWindowLongPtrW(lone, GWLP_WNDPROC);
  ContainerControlRegister(lone);
  EXPECT_EQ(GetSkinProp(lone, prop::Hw_lbID), 0);
  EXPECT_EQ(GetWindowLongPtrW(lone, GWLP_WNDPROC), own);
  DestroyWindow(lone);
}

// A container keeps the background piece it shows: the nearest piece among
// its parents, never itself, and none outside every piece.
TEST_F(ContainerSkinTest, AContainerKeepsTheNearestBackgroundPieceAboveIt) {
  const HWND piece = Add(L"Static"), plain = Add(L"Static");
  SetSkinProp(piece, prop::Wxk_Zpf, 1);
  const HWND inner = Add(L"Static", piece), pieceInside = Add(L"Static", piece);
  const HWND deep = Add(L"Static", inner);
  SetSkinProp(pieceInside, prop::Wxk_Zpf, 1);
  for (HWND container : {plain, inner, pieceInside, deep}) ContainerSkinAttach(container, false);
  EXPECT_EQ(GetSkinPropHandle<HWND>(plain, prop::Mb_zpf), nullptr);
  EXPECT_EQ(GetSkinPropHandle<HWND>(inner, prop::Mb_zpf), piece);
  EXPECT_EQ(GetSkinPropHandle<HWND>(pieceInside, prop::Mb_zpf), piece);
  EXPECT_EQ(GetSkinPropHandle<HWND>(deep, prop::Mb_zpf), piece);
}

// A container about to move marks the container around it, whose kept look
// shows it where it was.
TEST_F(ContainerSkinTest, AMovingContainerMarksTheContainerAroundIt) {
  const HWND outer = Add(L"Static"), inner = Add(L"Static", outer);
  ContainerSkinAttach(outer, false);
  ContainerSkinAttach(inner, false);
  SkinContainerEntry& entry =
      SkinRecordAt(form_.recordNumber())->Containers[GetSkinProp(outer, prop::Hw_lbID) - 1];
  entry.childChanged = false;
  SetWindowPos(inner, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(entry.childChanged);
}

// A control about to move marks the container around it through the owner
// record its entry was found in; without that record only the change of
// layout is noted.
TEST_F(ContainerSkinTest, AMovingControlMarksItsContainerThroughItsEntrysRecord) {
  const HWND outer = Add(L"Static");
  ContainerSkinAttach(outer, false);
  const HWND bar = Add(TRACKBAR_CLASSW, outer);
  SkinWindowRecord& record = *SkinRecordAt(form_.recordNumber());
  SkinEngine.options.SkinEnabled = true;
  TrackbarSkinInstall(record, outer);
  ASSERT_EQ(GetSkinProp(bar, prop::Hw_FuID), form_.recordNumber());
  SkinContainerEntry& entry = record.Containers[GetSkinProp(outer, prop::Hw_lbID) - 1];
  entry.childChanged = false;
  SetWindowPos(bar, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(entry.childChanged);

  entry.childChanged = false;
  const uint32_t generation = SkinLayoutGeneration();
  SkinMarkParentDirty(SkinFoundEntry<SkinTrackbarEntry>{}, bar);
  EXPECT_FALSE(entry.childChanged);
  EXPECT_NE(SkinLayoutGeneration(), generation);
  SkinMarkParentDirty(SkinFoundEntry<SkinTrackbarEntry>{.record = &record}, bar);
  EXPECT_TRUE(entry.childChanged);
}

// Group boxes ("Button" with style bit 0x4) and tab controls are framed
// containers of their own kinds whatever the caller asks; a radio button
// (bits 0x8 and 0x1) is no group box.
TEST_F(ContainerSkinTest, GroupBoxesAndTabControlsAreFramedContainersOfTheirKinds) {
  using K = ContainerKind;
  const struct { const wchar_t* cls; DWORD style; ContainerKind kind; bool framed; } cases[] = {
      {L"Button", BS_GROUPBOX, K::GroupBox, true}, {L"Button", BS_AUTORADIOBUTTON, K::Other, false},
      {L"SysTabControl32", 0, K::TabControl, true}, {L"Static", 0, K::Other, false}};
  for (const auto& c : cases) {
    const HWND window = CreateWindowExW(0, c.cls, L"", WS_CHILD | WS_VISIBLE | c.style, 10, 10, 100,
                                        50, form_.hwnd(), nullptr, nullptr, nullptr);
    ContainerSkinAttach(window, false);
    const SkinContainerEntry& entry =
        SkinRecordAt(form_.recordNumber())->Containers[GetSkinProp(window, prop::Hw_lbID) - 1];
    EXPECT_EQ(entry.kind, c.kind) << c.style;
    EXPECT_EQ(entry.framed, c.framed) << c.style;
  }
}

// The edit, combo and list skins run over a container's children too: the
// tool's numeric combo boxes and its HP box sit in group boxes.
TEST_F(ContainerSkinTest, EditsCombosAndListsInsideAContainerAreSkinned) {
  const bool wasEnabled = SkinEngine.options.SkinEnabled;
  SkinEngine.options.SkinEnabled = true;
  const HWND group = CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 10, 300, 200,
                                     form_.hwnd(), nullptr, nullptr, nullptr);
  const HWND edit = Add(L"Edit", group), combo = Add(L"ComboBox", group), list = Add(L"ListBox", group);
  ContainerSkinAttach(group, false);
  SkinEngine.options.SkinEnabled = wasEnabled;
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_WNDPROC)), &EditSkinWndProc);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(combo, GWLP_WNDPROC)), &ComboSkinWndProc);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(list, GWLP_WNDPROC)), &ChildControlSkinWndProc);
  EXPECT_EQ(GetSkinProp(combo, prop::Hw_FuID), form_.recordNumber());
}

// A list box's pattern brush is made once and kept until the list moves,
// resizes or goes or its background changes; an open drop-down list (a child
// of the desktop) is listed as layered once in the see-through mode, however
// many colour messages it sends.
TEST_F(ContainerSkinTest, ColourMessagesKeepOneBrushUntilItsBackgroundChanges) {
  ASSERT_FALSE(SkinEngine.options.SkinTransparentMode);
  const HWND box = Add(L"Static");
  ContainerSkinAttach(box, false);
  const HWND list = Add(L"ListBox", box);
  SetSkinProp(list, prop::Kj_Ztys, 0x123456);
  const HWND dropDown = CreateWindowExW(WS_EX_TOOLWINDOW, L"ComboLBox", L"", WS_CHILD, 0, 0, 100,
                                        100, GetDesktopWindow(), nullptr, nullptr, nullptr);
  SkinEngine.options.SkinEnabled = true;
  auto colour = [&](HWND child, HDC dc) {
    return SendMessageW(box, WM_CTLCOLORLISTBOX, WPARAM(dc), reinterpret_cast<LPARAM>(child));
  };
  HDC dc = GetDC(list);
  const long before = platform::LiveGdiObjectCount();
  const LRESULT brush = colour(list, dc);
  EXPECT_NE(brush, 0);
  EXPECT_EQ(colour(list, dc), brush);
  EXPECT_EQ(GetSkinProp(list, prop::Kj_dxjb), brush);
  EXPECT_EQ(platform::LiveGdiObjectCount(), before + 2);  // brush and bitmap
  EXPECT_EQ(GetTextColor(dc), COLORREF(0x123456));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  SetWindowPos(list, nullptr, 0, 0, 120, 60, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(platform::LiveGdiObjectCount(), before);
  colour(list, dc);
  InvalidateBackgroundCaches(*SkinRecordAt(form_.recordNumber()));  // the background behind it changed
  EXPECT_EQ(platform::LiveGdiObjectCount(), before);
  colour(list, dc);
  SetWindowPos(list, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(platform::LiveGdiObjectCount(), before);
  colour(list, dc);
  EXPECT_EQ(platform::LiveGdiObjectCount(), before + 2);
  ReleaseDC(list, dc);
  DestroyWindow(list);
  EXPECT_EQ(platform::LiveGdiObjectCount(), before);

  SkinEngine.options.SkinTransparentMode = true;
  dc = GetDC(dropDown);
  for (int i = 0; i < 3; ++i) colour(dropDown, dc);
  ReleaseDC(dropDown, dc);
  EXPECT_EQ(std::ranges::count(SkinEngine.lists.LayeredDropDownList, dropDown), 1);
  EXPECT_TRUE(GetWindowLongW(dropDown, GWL_EXSTYLE) & WS_EX_LAYERED);
  DestroyWindow(dropDown);
}

}  // namespace
}  // namespace korvath::skin
