// What the skinned form's procedure does with the messages its controls send
// it: control colours (transparent mode and not), commands (a described
// menu's choice, controls to repaint) and notifications; each reaches the
// form's own procedure afterwards unless the skin answers it.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "platform/gdi_object.h"
#include "skin/control/control_installers.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/edit/edit_installers.h"
#include "skin/engine/background_theme.h"
#include "skin/form/background_theme.h"
#include "skin/menu/menu_items.h"
#include "tests/skin/form/form_fixture.h"

namespace korvath::skin::test {
namespace {

// The form's own procedure: its answer to every control colour, and the
// commands (wParam) and notifications (code) that reached it.
const HBRUSH kOwnBrush = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
using Reached = std::pair<UINT, UINT>;
std::vector<Reached> reachedOwn;
LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) return reinterpret_cast<LRESULT>(kOwnBrush);
  if (message == WM_COMMAND) reachedOwn.emplace_back(message, UINT(wParam));
  if (message == WM_NOTIFY) reachedOwn.emplace_back(message, reinterpret_cast<const NMHDR*>(lParam)->code);
  return DefWindowProcW(window, message, wParam, lParam);
}
// How often the form's own procedure saw the message.
int ReachedOwn(UINT message, UINT value) {
  return int(std::count(reachedOwn.begin(), reachedOwn.end(), Reached{message, value}));
}

class FormChildTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    reachedOwn.clear();
    Skin(WS_POPUP, 400, 300, Framed(), OwnProc);
  }
  HWND Add(const wchar_t* cls, DWORD style, int x, int y, int w, int h, HWND parent = nullptr) {
    return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent ? parent : form(), nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
  LRESULT Colour(UINT message, HWND control, HDC dc) {
    return SendMessageW(form(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  }
  // True when `send` left the control waiting to be repainted.
  static bool Invalidates(HWND control, const std::function<void()>& send) {
    UpdateWindow(control);
    ValidateRect(control, nullptr);
    send();
    return GetUpdateRect(control, nullptr, FALSE) != FALSE;
  }
  void Command(WPARAM wParam, HWND control = nullptr) {
    SendMessageW(form(), WM_COMMAND, wParam, reinterpret_cast<LPARAM>(control));
  }
  void Notify(HWND from, int code) {
    NMHDR header{from, UINT_PTR(GetDlgCtrlID(from)), UINT(code)};
    SendMessageW(form(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  }
  static LRESULT Brush(HWND control) { return GetSkinProp(control, prop::Kj_dxjb); }
};

const LRESULT kOwn = reinterpret_cast<LRESULT>(kOwnBrush);

// An edit box lying on the skinned form shows the form through itself in
// transparent mode: its background is the form's picture under it, veiled
// in white at the engine's alpha.
TEST_F(FormChildTest, AnEditOnTheFormShowsTheFormThroughItInTransparentMode) {
  SkinSetBackgroundTheme("", {}, 0x305070, 0xC0C0C0);
  SkinEngine.options.SkinTransparentMode = true;
  HWND edit = Add(L"EDIT", 0, 40, 60, 200, 24);
  PumpMessages();
  InvalidateRect(edit, nullptr, TRUE);
  UpdateWindow(edit);
  const testsupport::PixelBuffer shown = testsupport::CaptureClient(edit);
  const uint32_t expected = testsupport::Blend(BackAt(40 + 150, 60 + 12), 0xFFFFFF, SkinEngine.options.SkinAlpha);
  EXPECT_TRUE(testsupport::ColorNear(shown.RgbAt(150, 12), expected, 3))
      << std::hex << shown.RgbAt(150, 12) << " not " << expected;
  if (HasFailure()) testsupport::SaveFailureImage(shown, "transparent_edit");
}

TEST_F(FormChildTest, InTransparentModeEditsStaticsAndButtonsGetTheFormsBackground) {
  SkinEngine.options.SkinTransparentMode = true;
  HWND edit = Add(L"EDIT", 0, 10, 40, 120, 22);
  HWND label = Add(L"STATIC", 0, 10, 70, 120, 22);
  HWND button = Add(L"BUTTON", BS_PUSHBUTTON, 10, 100, 120, 22);
  HWND combo = Add(L"COMBOBOX", CBS_DROPDOWN, 150, 40, 120, 200);
  HWND bar = Add(L"SCROLLBAR", SBS_VERT, 300, 40, 16, 120);
  HDC dc = GetDC(edit);
  for (HWND control : {edit, label}) {
    SetSkinProp(control, prop::Kj_Ztys, 0x0000FF);
    SetSkinProp(control, prop::Kj_Jzzts, 0x00FF00);
    const UINT message = control == edit ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
    SCOPED_TRACE(message);
    const LRESULT first = Colour(message, control, dc);
    EXPECT_NE(first, kOwn);
    EXPECT_EQ(first, Brush(control));
    EXPECT_NE(GetSkinProp(control, prop::Kj_wtjb), 0);
    EXPECT_EQ(GetTextColor(dc), 0x0000FFu);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    // A disabled control takes its disabled colour; its brush is made anew
    // (the fixture sees the first one freed).
    EnableWindow(control, FALSE);
    SetBkMode(dc, OPAQUE);
    const LRESULT second = Colour(message, control, dc);
    EXPECT_EQ(second, Brush(control));
    EXPECT_EQ(GetTextColor(dc), 0x00FF00u);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  }
  // The edit box inside a combo box is the combo skin's.
  HWND inner = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(Colour(WM_CTLCOLOREDIT, inner, dc), kOwn);
  EXPECT_EQ(Brush(inner), 0);
  // A button gets the hollow brush and keeps none of its own.
  SetSkinProp(button, prop::Kj_Ztys, 0xFF0000);
  Colour(WM_CTLCOLORSTATIC, button, dc);
  EXPECT_EQ(Colour(WM_CTLCOLORBTN, button, dc), reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
  EXPECT_EQ(Brush(button), 0);
  EXPECT_EQ(GetSkinProp(button, prop::Kj_wtjb), 0);
  EXPECT_EQ(GetTextColor(dc), 0xFF0000u);
  // Scroll bars are never the skin's.
  EXPECT_EQ(Colour(WM_CTLCOLORSCROLLBAR, bar, dc), kOwn);
  ReleaseDC(edit, dc);
}

// What the slot held below a procedure put over a skinned control, and what
// its brush and the live objects were once the procedures below had handled
// the control's WM_DESTROY.
WNDPROC g_belowWatcher = nullptr;
LONG_PTR g_brushAfterDestroy = -1;
long g_objectsAfterDestroy = -1;
LRESULT CALLBACK WatchDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcW(g_belowWatcher, window, message, wParam, lParam);
  if (message == WM_DESTROY) {
    g_brushAfterDestroy = GetSkinProp(window, prop::Kj_dxjb);
    g_objectsAfterDestroy = platform::LiveGdiObjectCount();
  }
  return result;
}

// A skinned edit and a skinned static destroyed alone while their form lives
// on (the form's end frees what its listed controls hold; these go first):
// each one's skin frees the brush and bitmap the form handed it as it is
// destroyed, and nothing of them is left once it is gone.
TEST_F(FormChildTest, ASkinnedEditOrStaticDestroyedAloneFreesItsBrushAsItGoes) {
  SkinEngine.options.SkinTransparentMode = true;
  HWND edit = Add(L"EDIT", 0, 10, 40, 120, 22);
  HWND label = Add(L"STATIC", 0, 10, 70, 120, 22);
  SetWindowTextW(label, L"label");
  EditComboSkinInstall(*SkinRecordAt(number()), form());
  StaticSkinInstall(*SkinRecordAt(number()), form());
  ASSERT_TRUE(SkinIsSubclassed(edit));
  ASSERT_TRUE(SkinIsSubclassed(label));
  for (HWND control : {edit, label}) {
    const UINT message = control == edit ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
    SCOPED_TRACE(message);
    HDC dc = GetDC(control);
    const LRESULT brush = Colour(message, control, dc);
    ReleaseDC(control, dc);
    ASSERT_EQ(brush, Brush(control));
    ASSERT_NE(brush, 0);
    ASSERT_NE(GetSkinProp(control, prop::Kj_wtjb), 0);
    // All but the control's brush and the bitmap behind it.
    const long before = platform::LiveGdiObjectCount() - 2;
    g_belowWatcher = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchDestroy)));
    g_brushAfterDestroy = g_objectsAfterDestroy = -1;
    ASSERT_TRUE(DestroyWindow(control));
    EXPECT_EQ(g_brushAfterDestroy, 0);
    EXPECT_EQ(g_objectsAfterDestroy, before);
    EXPECT_EQ(platform::LiveGdiObjectCount(), before);
    ASSERT_TRUE(IsWindow(form()));
  }
}

// Without transparent mode only list boxes get the form's background; the
// rest, and drop-down lists, go to the form's own procedure.
TEST_F(FormChildTest, WithoutTransparentModeOnlyListBoxesAreTheSkins) {
  HWND edit = Add(L"EDIT", 0, 10, 40, 120, 22);
  HWND label = Add(L"STATIC", 0, 10, 70, 120, 22);
  HWND button = Add(L"BUTTON", BS_PUSHBUTTON, 10, 100, 120, 22);
  HWND list = Add(L"LISTBOX", 0, 150, 40, 120, 100);
  HWND combo = Add(L"COMBOBOX", CBS_DROPDOWNLIST, 150, 160, 120, 200);
  COMBOBOXINFO info = {sizeof(info)};
  GetComboBoxInfo(combo, &info);
  ASSERT_NE(info.hwndList, nullptr);
  HDC dc = GetDC(edit);
  EXPECT_EQ(Colour(WM_CTLCOLOREDIT, edit, dc), kOwn);
  EXPECT_EQ(Colour(WM_CTLCOLORSTATIC, label, dc), kOwn);
  EXPECT_EQ(Colour(WM_CTLCOLORBTN, button, dc), kOwn);
  EXPECT_EQ(Colour(WM_CTLCOLORLISTBOX, info.hwndList, dc), kOwn);
  // A list box: its text colour (also when disabled), no background of its
  // own text, a pattern brush kept without its bitmap.
  SetSkinProp(list, prop::Kj_Ztys, 0x0000FF);
  SetSkinProp(list, prop::Kj_Jzzts, 0x00FF00);
  EnableWindow(list, FALSE);
  const LRESULT brush = Colour(WM_CTLCOLORLISTBOX, list, dc);
  EXPECT_NE(brush, kOwn);
  EXPECT_EQ(brush, Brush(list));
  EXPECT_EQ(GetSkinProp(list, prop::Kj_wtjb), 0);
  EXPECT_EQ(GetTextColor(dc), 0x0000FFu);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  ReleaseDC(edit, dc);
}

// In transparent mode a drop-down list that lies on the desktop becomes
// layered at alpha 220, and is listed once however often it asks.
TEST_F(FormChildTest, ADropDownListOnTheDesktopIsLayeredAndListedOnce) {
  SkinEngine.options.SkinTransparentMode = true;
  HWND dropDown = CreateWindowExW(WS_EX_TOOLWINDOW, L"ComboLBox", L"", WS_CHILD, 0, 0, 100, 80, GetDesktopWindow(),
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(dropDown, nullptr);
  ASSERT_EQ(GetParent(dropDown), GetDesktopWindow());
  HDC dc = GetDC(form());
  EXPECT_NE(Colour(WM_CTLCOLORLISTBOX, dropDown, dc), kOwn);
  EXPECT_NE(Colour(WM_CTLCOLORLISTBOX, dropDown, dc), kOwn);
  ReleaseDC(form(), dc);
  EXPECT_EQ(std::ranges::count(SkinEngine.lists.LayeredDropDownList, dropDown), 1);
  BYTE alpha = 0;
  DWORD flags = 0;
  EXPECT_TRUE(GetLayeredWindowAttributes(dropDown, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 220);
  DestroyWindow(dropDown);
}

std::vector<int32_t> chosen;
int32_t CALLBACK Chosen(int32_t item) {
  chosen.push_back(item);
  return 0;
}

// A command without a control is a menu's: its identifier is the described
// menu's number followed by four digits of item number.
TEST_F(FormChildTest, AMenuCommandReachesTheRoutineOfTheMenuItsIdentifierNames) {
  chosen.clear();
  MenuSkinEntry first, second;
  first.itemHandler = SkinRoutine(&Chosen);
  SkinEngine.lists.MenuItemList = {first, second};
  Command(10007);
  Command(10000);
  Command(9999);   // four digits name no menu
  Command(20003);  // a menu without a routine
  Command(30001);  // no such menu
  Command(MAKEWPARAM(1, 0));
  EXPECT_EQ(chosen, (std::vector<int32_t>{7, 0}));
  for (WPARAM id : {10007, 10000, 9999, 20003, 30001, 1}) EXPECT_EQ(ReachedOwn(WM_COMMAND, UINT(id)), 1) << id;
  SkinEngine.lists.MenuItemList.clear();
}

// In transparent mode, controls whose look follows their content are
// repainted on their notifications; otherwise nothing is.
TEST_F(FormChildTest, NotificationsRepaintTheControlsTheyComeFromInTransparentMode) {
  HWND edit = Add(L"EDIT", 0, 10, 40, 120, 22);
  HWND list = Add(L"LISTBOX", 0, 150, 40, 120, 100);
  HWND combo = Add(L"COMBOBOX", CBS_DROPDOWNLIST, 150, 160, 120, 200);
  HWND button = Add(L"BUTTON", BS_PUSHBUTTON, 10, 100, 120, 22);
  PumpMessages();
  EXPECT_FALSE(Invalidates(edit, [&] { Command(MAKEWPARAM(0, EN_CHANGE), edit); }));
  SkinEngine.options.SkinTransparentMode = true;
  for (WORD code : {EN_CHANGE, EN_UPDATE, EN_VSCROLL, EN_HSCROLL})
    EXPECT_TRUE(Invalidates(edit, [&] { Command(MAKEWPARAM(0, code), edit); })) << code;
  EXPECT_FALSE(Invalidates(edit, [&] { Command(MAKEWPARAM(0, EN_SETFOCUS), edit); }));
  for (WORD code : {LBN_SELCHANGE, LBN_SELCANCEL})
    EXPECT_TRUE(Invalidates(list, [&] { Command(MAKEWPARAM(0, code), list); })) << code;
  for (WORD code : {CBN_SELCHANGE, CBN_KILLFOCUS})
    EXPECT_TRUE(Invalidates(combo, [&] { Command(MAKEWPARAM(0, code), combo); })) << code;
  EXPECT_FALSE(Invalidates(combo, [&] { Command(MAKEWPARAM(0, CBN_DROPDOWN), combo); }));
  EXPECT_FALSE(Invalidates(button, [&] { Command(MAKEWPARAM(0, BN_CLICKED), button); }));
  EXPECT_EQ(ReachedOwn(WM_COMMAND, MAKEWPARAM(0, EN_CHANGE)), 2);
  EXPECT_EQ(ReachedOwn(WM_COMMAND, MAKEWPARAM(0, CBN_KILLFOCUS)), 1);
}

// Tree views repaint when they expand; a tab control's cached background is
// marked stale when its page changes or its tab scroller moves.
TEST_F(FormChildTest, NotificationsRepaintTreesAndMarkTabBackgroundsStale) {
  HWND tree = Add(WC_TREEVIEWW, 0, 10, 40, 120, 100);
  HWND tab = Add(WC_TABCONTROLW, 0, 150, 40, 200, 120);
  HWND scroller = Add(UPDOWN_CLASSW, 0, 10, 10, 20, 20, tab);
  HWND plainTab = Add(WC_TABCONTROLW, 0, 150, 170, 200, 100);
  HWND panel = Add(L"STATIC", 0, 10, 160, 120, 100);
  HWND looseScroller = Add(UPDOWN_CLASSW, 0, 10, 10, 20, 20, panel);
  PumpMessages();
  // The tab control and the panel as the container skin lists them.
  const auto list = [&](HWND container) {
    auto& containers = record().Containers;
    const int32_t n = SkinTakeEntrySlot(containers);
    containers[size_t(n) - 1].window = container;
    SetSkinProp(container, prop::Hw_FuID, number());
    SetSkinProp(container, prop::Hw_lbID, n);
    return n;
  };
  const int32_t n = list(tab), other = list(panel);
  const auto stale = [&](int32_t entry = 0) { return record().Containers[size_t(entry ? entry : n) - 1].rebuild; };

  EXPECT_TRUE(Invalidates(tree, [&] { Notify(tree, TVN_ITEMEXPANDEDA); }));
  EXPECT_TRUE(Invalidates(tree, [&] { Notify(tree, TVN_ITEMEXPANDINGA); }));
  EXPECT_FALSE(Invalidates(tree, [&] { Notify(tree, TVN_SELCHANGEDA); }));
  Notify(plainTab, TCN_SELCHANGING);       // no entry: nothing
  Notify(looseScroller, UDN_DELTAPOS);     // not a tab's scroller: nothing
  Notify(tab, TCN_SELCHANGE);
  EXPECT_FALSE(stale());
  EXPECT_FALSE(stale(other));
  Notify(tab, TCN_SELCHANGING);
  EXPECT_TRUE(stale());
  record().Containers[size_t(n) - 1].rebuild = false;
  Notify(scroller, UDN_DELTAPOS);
  EXPECT_TRUE(stale());
  for (int code : {TVN_ITEMEXPANDEDA, TVN_ITEMEXPANDINGA, TCN_SELCHANGING, UDN_DELTAPOS})
    EXPECT_GE(ReachedOwn(WM_NOTIFY, UINT(code)), 1) << code;
  // A tab control whose numbers name another container's entry (a stale or
  // copied number) marks nothing: the entry is not its own.
  record().Containers[size_t(n) - 1].rebuild = false;
  SetSkinProp(plainTab, prop::Hw_FuID, number());
  SetSkinProp(plainTab, prop::Hw_lbID, n);
  Notify(plainTab, TCN_SELCHANGING);
  EXPECT_FALSE(stale());
}

}  // namespace
}  // namespace korvath::skin::test
