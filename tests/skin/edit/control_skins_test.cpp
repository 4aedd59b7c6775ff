// The installers and the procedures of skinned edits, combo boxes, list-type
// controls and transparent children, driven through real windows and input;
// memory that runs out while a box or an edit handles its messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi_object.h"
#include "platform/window_procedure.h"
#include "skin/core/child_layer.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/control_background.h"
#include "skin/core/window_props.h"
#include "skin/core/entry_lookup.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/engine_caches.h"
#include "skin/draw/frame_geometry.h"
#include "skin/draw/memory_dc.h"
#include "skin/edit/edit_installers.h"
#include "skin/edit/edit_lookup.h"
#include "skin/edit/painters.h"
#include "skin/edit/window_procs.h"
#include "tests/skin/edit/edit_skin_fixture.h"
#include "tests/support/failing_allocation.h"
#include "tests/support/failing_messages.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;
using testsupport::ColorNear;
using testsupport::FailingAllocation;

// How long a paint may take before the program is ended as hung: a lock
// left held makes the next paint wait for ever.
constexpr DWORD kHangMs = 20000;

class ControlSkinsTest : public EditSkinTest {
 protected:
  void InstallAll() {
    EditComboSkinInstall(*SkinRecordAt(number()), form_.hwnd());
    ChildControlSkinInstall(*SkinRecordAt(number()), form_.hwnd());
    TransparentChildSkinInstall(*SkinRecordAt(number()), form_.hwnd());
  }
  static WNDPROC ProcOf(HWND w) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC)); }
  static WNDPROC Saved(HWND w) { return GetSkinPropHandle<WNDPROC>(w, prop::Hw_hProc); }
  HWND AddCombo(DWORD kind, int x, int y, std::initializer_list<const wchar_t*> items, int selected = -1) {
    HWND combo = Add(L"ComboBox", kind | WS_VSCROLL, x, y, 120, 200);
    for (const wchar_t* item : items) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    if (selected >= 0) SendMessageW(combo, CB_SETCURSEL, WPARAM(selected), 0);
    return combo;
  }
  static RECT WindowRect(HWND w) {
    RECT r = {};
    GetWindowRect(w, &r);
    return r;
  }
  // An item at the end of `parent`'s children (the root's when null).
  static HTREEITEM AddTreeItem(HWND tree, HTREEITEM parent, const wchar_t* text) {
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<wchar_t*>(text);
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  }
  // A child of a class that paints nothing of its own (ValidateOnly): what
  // its background erase leaves is what it shows.
  HWND AddPlainChild(int x, int y, int w, int h, DWORD exStyle);
  // The bytes of a box's face as the skin keeps it (its whole window, 32
  // bits a pixel): no other allocation of a box's paint is as large.
  static size_t FaceBytes(HWND combo) {
    const RECT r = WindowRect(combo);
    return size_t(r.right - r.left) * size_t(r.bottom - r.top) * 4;
  }
};

// Behind the skin of a box: notes the paints and selections that reach the
// box's own procedure.
std::vector<UINT> g_reachedBox;
WNDPROC g_boxProcedure = nullptr;
LRESULT CALLBACK NotedBox(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_PAINT || m == CB_SETCURSEL) g_reachedBox.push_back(m);
  return CallWindowProcW(g_boxProcedure, w, m, wp, lp);
}

LRESULT CALLBACK SomeOtherSkin(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  return CallWindowProcW(GetSkinPropHandle<WNDPROC>(w, prop::Hw_hProc), w, m, wp, lp);
}

// A second install over the same window, or a window some other skin has
// subclassed, never makes a procedure forward to itself.
TEST_F(ControlSkinsTest, InstallingTwiceSubclassesEveryControlOnce) {
  HWND edit = Add(L"Edit", 0, 10, 10, 100, 24, WS_EX_CLIENTEDGE);
  HWND combo = AddCombo(CBS_DROPDOWNLIST, 10, 50, {L"one", L"two"}, 0);
  HWND list = Add(L"ListBox", WS_BORDER, 150, 10, 100, 60, WS_EX_TRANSPARENT);
  HWND label = Add(L"Static", 0, 150, 90, 100, 20, WS_EX_TRANSPARENT);
  HWND button = Add(L"Button", BS_PUSHBUTTON, 150, 120, 100, 24, WS_EX_TRANSPARENT);
  SetSkinPropHandle(button, prop::Hw_hProc, ProcOf(button));
  SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SomeOtherSkin));
  InstallAll();
  InstallAll();
  EXPECT_EQ(record().Edits.size(), 1u);
  EXPECT_EQ(record().Combos.size(), 1u);
  EXPECT_EQ(record().Children.size(), 1u);
  for (HWND w : {edit, combo, list, label, button}) {
    EXPECT_NE(Saved(w), ProcOf(w)) << SkinGetClassNameText(w);
    EXPECT_NE(Saved(w), nullptr) << SkinGetClassNameText(w);
  }
  EXPECT_EQ(ProcOf(edit), EditSkinWndProc);
  EXPECT_EQ(ProcOf(combo), ComboSkinWndProc);
  EXPECT_EQ(ProcOf(list), ChildControlSkinWndProc);
  EXPECT_EQ(ProcOf(label), TransparentChildSkinWndProc);
  EXPECT_EQ(ProcOf(button), SomeOtherSkin);
  // The list keeps its entry number; the label has none.
  EXPECT_EQ(SkinSlotNumber(list), 1);
  EXPECT_EQ(SkinSlotNumber(label), 0);
  EXPECT_EQ(GetSkinProp(label, prop::Kj_Jzzts), 0x606060);
  // Messages go through the chain and come back.
  EXPECT_TRUE(SetWindowTextW(edit, L"text"));
  EXPECT_EQ(testsupport::WindowText(edit), L"text");
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
  testsupport::PumpMessages(30);
}

TEST_F(ControlSkinsTest, EntriesAreNumberedByPassAndNothingIsTouchedWithTheSkinOff) {
  HWND edit1 = Add(L"Edit", 0, 10, 10, 80, 24);
  HWND edit2 = Add(L"Edit", 0, 10, 40, 80, 24);
  HWND simple = AddCombo(CBS_SIMPLE, 10, 70, {L"a", L"b"});
  HWND view = Add(WC_LISTVIEWW, LVS_REPORT, 140, 10, 100, 60, WS_EX_CLIENTEDGE);
  HWND sorted = Add(WC_LISTVIEWW, LVS_REPORT | LVS_SORTASCENDING, 140, 80, 100, 60);
  HWND tree = Add(WC_TREEVIEWW, TVS_HASLINES, 250, 10, 100, 60);
  HWND address = Add(WC_IPADDRESSW, 0, 250, 80, 100, 24);
  HWND picker = Add(DATETIMEPICK_CLASSW, 0, 250, 120, 100, 24);
  HWND list = Add(L"ListBox", 0, 140, 150, 100, 60);
  SkinEngine.options.SkinEnabled = false;
  InstallAll();
  for (HWND w : {edit1, simple, view, tree, list}) EXPECT_EQ(Saved(w), nullptr);
  EXPECT_EQ(record().Edits.size(), 1u);
  SkinEngine.options.SkinEnabled = true;
  InstallAll();
  EXPECT_EQ(SkinSlotNumber(edit1), 1);
  EXPECT_EQ(SkinSlotNumber(edit2), 2);
  EXPECT_EQ(GetSkinProp(edit2, prop::Hw_FuID), number());
  HWND simpleList = FindWindowExW(simple, nullptr, L"ComboLBox", nullptr);
  ASSERT_NE(simpleList, nullptr);
  EXPECT_EQ(SkinSlotNumber(list), 1);
  EXPECT_EQ(SkinSlotNumber(simpleList), 2);
  EXPECT_EQ(SkinSlotNumber(view), 3);
  EXPECT_EQ(SkinSlotNumber(tree), 4);
  EXPECT_EQ(SkinSlotNumber(address), 5);
  EXPECT_EQ(SkinSlotNumber(picker), 6);
  EXPECT_EQ(Saved(sorted), nullptr);
  EXPECT_FALSE(GetWindowLongW(simpleList, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(GetWindowLongW(simpleList, GWL_STYLE) & WS_BORDER);
  EXPECT_EQ(SkinFindEntry(simpleList, &SkinWindowRecord::Children)->vScrollOverlay, nullptr);
  EXPECT_EQ(SkinFindEntry(address, &SkinWindowRecord::Children)->vScrollOverlay, nullptr);
  EXPECT_EQ(SendMessageW(tree, TVM_GETLINECOLOR, 0, 0), 0x808080);
  EXPECT_EQ(SkinFindEntry(tree, &SkinWindowRecord::Children)->selectedFillColor, 0xFF8800u);
  EXPECT_EQ(SkinFindEntry(tree, &SkinWindowRecord::Children)->selectedTextColor, 0xFFFFFFu);
  // Outside the transparent mode an IP-address control's fields keep their
  // own procedure.
  EXPECT_EQ(Saved(FindWindowExW(address, nullptr, L"Edit", nullptr)), nullptr);
  EXPECT_EQ(record().Edits.size(), 2u);
}

TEST_F(ControlSkinsTest, TransparentModeSkinsTheInnerEditsOfCombosAndAddressFields) {
  SkinEngine.options.SkinTransparentMode = true;
  HWND combo = AddCombo(CBS_DROPDOWN, 10, 10, {L"a"});
  HWND address = Add(WC_IPADDRESSW, 0, 150, 10, 120, 24);
  InstallAll();
  HWND inner = FindWindowExW(combo, nullptr, L"Edit", nullptr);
  EXPECT_EQ(ProcOf(inner), EditSkinWndProc);
  EXPECT_EQ(FindEditRecord(inner)->window, inner);
  EXPECT_EQ(FindEditRecord(inner)->vScrollOverlay, nullptr);
  int fields = 0;
  for (HWND f = FindWindowExW(address, nullptr, L"Edit", nullptr); f; f = FindWindowExW(address, f, L"Edit", nullptr)) {
    EXPECT_EQ(ProcOf(f), EditSkinWndProc);
    ++fields;
  }
  EXPECT_EQ(fields, 4);
  EXPECT_EQ(record().Edits.size(), 5u);
}

TEST_F(ControlSkinsTest, EditsTakeTypingAndShowHoverAndFocusInTheirFrames) {
  HWND edit = Add(L"Edit", ES_AUTOHSCROLL, 20, 20, 140, 26, WS_EX_CLIENTEDGE);
  HWND other = Add(L"Edit", ES_AUTOHSCROLL, 20, 80, 140, 26, WS_EX_CLIENTEDGE);
  InstallAll();
  testsupport::Activate(form_.hwnd());
  testsupport::Click(edit, 10, 10);
  EXPECT_TRUE(FindEditRecord(edit)->focused);
  testsupport::TypeText(L"Korvath");
  testsupport::PumpMessages(30);
  EXPECT_EQ(testsupport::WindowText(edit), L"Korvath");
  // The mouse rests on the edit: hot frame, kept through a repaint.
  RedrawWindow(edit, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(record().HotKind, HoverKind::Edit);
  EXPECT_PRED3(ColorNear, Shown(edit).RgbAt(1, 1), Over(kWhiteRgb, kTheme, 180), 3);
  // Off the edit: the leave notification repaints it plain, focused.
  testsupport::MouseMoveTo(form_.hwnd(), 300, 250);
  testsupport::PumpUntil([&] { return !FindEditRecord(edit)->hot; });
  EXPECT_FALSE(FindEditRecord(edit)->hot);
  EXPECT_EQ(record().PrevHotControl, 0);
  EXPECT_PRED3(ColorNear, Shown(edit).RgbAt(0, 0), Over(kWhiteRgb, kTheme, 180), 3);
  EXPECT_EQ(Shown(edit).RgbAt(1, 1), kWhiteRgb);
  testsupport::Click(other, 10, 10);
  EXPECT_FALSE(FindEditRecord(edit)->focused);
  EXPECT_TRUE(FindEditRecord(other)->focused);
  testsupport::MouseMoveTo(form_.hwnd(), 300, 250);
  testsupport::PumpUntil([&] { return record().PrevHotControl == 0; });
  EXPECT_PRED3(ColorNear, Shown(edit).RgbAt(0, 0), Over(kWhiteRgb, 0, 80), 3);
}

TEST_F(ControlSkinsTest, DropDownListsAreDrawnBySkinAndStillChooseByMouseAndKeyboard) {
  HWND combo = AddCombo(CBS_DROPDOWNLIST, 20, 20, {L"abc", L"WWWWWW", L"third"}, 0);
  InstallAll();
  testsupport::Activate(form_.hwnd());
  testsupport::PumpMessages(30);
  const RECT r = WindowRect(combo);
  const int W = r.right - r.left, H = r.bottom - r.top;
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  GetComboBoxInfo(combo, &info);
  auto shown = Shown(combo);
  // The drop button's chevron sits in the middle of the button.
  const int cx = info.rcButton.left + (info.rcButton.right - info.rcButton.left - 14) / 2;
  const int cy = info.rcButton.top + (info.rcButton.bottom - info.rcButton.top - 14) / 2;
  EXPECT_EQ(shown.RgbAt(cx + 6, cy + 9), 0x98C1D6u);
  EXPECT_PRED3(ColorNear, shown.RgbAt(0, H / 2), Over(kWhiteRgb, 0, 80), 3);
  // The face is white apart from the text.
  EXPECT_EQ(shown.RgbAt(W - 30, 2), kWhiteRgb);
  int dark = 0;
  for (int x = 2; x < 40; ++x)
    for (int y = 2; y < H - 2; ++y) dark += (shown.RgbAt(x, y) & 0xFF) < 0x80;
  EXPECT_GT(dark, 5);
  // Keyboard: the next item, and its text drawn.
  SetFocus(combo);
  testsupport::PressKey(VK_DOWN);
  testsupport::PumpMessages(30);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
  int darkWide = 0;
  shown = Shown(combo);
  for (int x = 2; x < 60; ++x)
    for (int y = 2; y < H - 2; ++y) darkWide += (shown.RgbAt(x, y) & 0xFF) < 0x80;
  EXPECT_GT(darkWide, dark);
  // Mouse: open, pick the third item in the list.
  testsupport::Click(combo, 30, H / 2);
  ASSERT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  const auto itemHeight = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
  testsupport::Click(info.hwndList, 20, int(itemHeight * 2 + itemHeight / 2));
  testsupport::PumpMessages(30);
  EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(testsupport::WindowText(combo), L"third");
}

// A selection that code sets shows as the same selection made by keyboard,
// and the control's own answers come back.
TEST_F(ControlSkinsTest, SelectionsSetByCodeShowAsAfterAKeyboardChoice) {
  HWND combo = AddCombo(CBS_DROPDOWNLIST, 20, 20, {L"abc", L"WWWWWW", L"third"}, 0);
  InstallAll();
  testsupport::Activate(form_.hwnd());
  testsupport::MouseMoveTo(form_.hwnd(), 300, 250);
  auto byKeyboard = [&](std::initializer_list<WORD> keys) {
    SetFocus(combo);
    for (WORD key : keys) testsupport::PressKey(key);
    SetFocus(form_.hwnd());
    testsupport::PumpMessages(30);
    return Shown(combo);
  };
  const auto third = byKeyboard({VK_DOWN, VK_DOWN});
  ASSERT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
  const auto first = byKeyboard({VK_UP, VK_UP});
  ASSERT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
  ASSERT_NE(first.pixels, third.pixels);
  auto same = [](const testsupport::PixelBuffer& a, const testsupport::PixelBuffer& b, const char* name) {
    const bool equal = a.pixels == b.pixels;
    if (!equal) testsupport::SaveFailureImage(a, name);
    return equal;
  };
  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 2, 0), 2);
  EXPECT_TRUE(same(Shown(combo), third, "combo_set_by_index"));
  EXPECT_EQ(SendMessageW(combo, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(L"ab")), 0);
  EXPECT_TRUE(same(Shown(combo), first, "combo_selected_by_text"));
  EXPECT_EQ(SendMessageW(combo, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(L"none")), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 7, 0), CB_ERR);
  // Whatever code does to the text or the items, what shows is what a
  // repaint of the whole control shows.
  auto repainted = [&] {
    RedrawWindow(combo, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return Shown(combo);
  };
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"third"));
  auto shown = Shown(combo);
  EXPECT_TRUE(same(shown, repainted(), "combo_text_set"));
  SendMessageW(combo, CB_SETCURSEL, 2, 0);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  shown = Shown(combo);
  EXPECT_TRUE(same(shown, repainted(), "combo_emptied"));
}

// Boxes of one size and look share the drawing of their face (ground, frame
// and drop button), never their text; a new theme colour draws the face anew.
TEST_F(ControlSkinsTest, CombosOfOneSizeShowTheirOwnTextAndTheCurrentTheme) {
  HWND first = AddCombo(CBS_DROPDOWNLIST, 20, 20, {L"abc", L"WWWW"}, 0);
  HWND second = AddCombo(CBS_DROPDOWNLIST, 20, 80, {L"abc", L"WWWW"}, 1);
  HWND third = AddCombo(CBS_DROPDOWNLIST, 200, 20, {L"abc", L"WWWW"}, 0);
  InstallAll();
  for (HWND combo : {first, second, third}) ComboSkinPaint(SkinFindEntry(combo, &SkinWindowRecord::Combos));
  const auto a = Shown(first), b = Shown(second), c = Shown(third);
  ASSERT_EQ(a.width, b.width);
  ASSERT_EQ(a.height, b.height);
  EXPECT_EQ(a.pixels, c.pixels);
  int textDiffers = 0, faceDiffers = 0;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      const bool inText = x >= 2 && x < a.width - 17 && y >= 2 && y < a.height - 2;
      (inText ? textDiffers : faceDiffers) += a.RgbAt(x, y) != b.RgbAt(x, y);
    }
  }
  EXPECT_GT(textDiffers, 10);
  EXPECT_EQ(faceDiffers, 0);
  SetFocus(first);
  EXPECT_PRED3(ColorNear, Shown(first).RgbAt(0, 5), Over(kWhiteRgb, kTheme, 200), 3);
  constexpr COLORREF kOtherTheme = 0x2040E0;
  SkinEngine.options.SkinThemeColor = kOtherTheme;
  ComboSkinPaint(SkinFindEntry(first, &SkinWindowRecord::Combos));
  EXPECT_PRED3(ColorNear, Shown(first).RgbAt(0, 5), Over(kWhiteRgb, kOtherTheme, 200), 3);
}

// Memory that runs out while a box's face is kept, inside the kept faces'
// lock, leaves the lock free: the next paint of that look returns and draws
// the face, as a box that never failed shows it.
TEST_F(ControlSkinsTest, MemoryThatRunsOutWhileAFaceIsKeptLeavesTheirLockFree) {
  HWND combo = AddCombo(CBS_DROPDOWNLIST, 20, 20, {L"abc"}, 0);
  HWND twin = AddCombo(CBS_DROPDOWNLIST, 200, 20, {L"abc"}, 0);
  InstallAll();
  SkinEngineCacheRegistry().Clear();  // no face kept
  const ComboRef box = SkinFindEntry(combo, &SkinWindowRecord::Combos);
  EXPECT_TRUE(testsupport::ThrowsWhenAnAllocationFails([&] { ComboSkinPaint(box, true); }, 1, FaceBytes(combo)));
  const testsupport::HangGuard guard(kHangMs);
  ComboSkinPaint(box, true);
  ComboSkinPaint(SkinFindEntry(twin, &SkinWindowRecord::Combos), true);
  EXPECT_EQ(Shown(combo).pixels, Shown(twin).pixels);
}

// Memory that runs out while the skin paints a box ends only the skin's part
// of the message, at the box's procedure: a paint goes on to the box's own
// procedure; a selection that went there before the paint does not go a
// second time, and its caller gets the answer; nothing waits for a lock
// left held. Then the box shows the skin's picture again.
TEST_F(ControlSkinsTest, MemoryThatRunsOutInABoxsPaintEndsOnlyTheSkinsPartOfTheMessage) {
  HWND combo = AddCombo(CBS_DROPDOWNLIST, 20, 20, {L"abc", L"WWWW"}, 0);
  HWND twin = AddCombo(CBS_DROPDOWNLIST, 200, 20, {L"abc", L"WWWW"}, 1);
  g_boxProcedure = korvath::platform::SetWindowProcedure(combo, &NotedBox);
  InstallAll();
  ASSERT_EQ(Saved(combo), &NotedBox);
  const testsupport::HangGuard guard(kHangMs);
  g_reachedBox.clear();
  SkinEngineCacheRegistry().Clear();
  {
    const FailingAllocation failing(1, FaceBytes(combo));
    RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(failing.Failed());
  }
  EXPECT_EQ(g_reachedBox, std::vector<UINT>{WM_PAINT});
  SkinEngineCacheRegistry().Clear();
  {
    const FailingAllocation failing(1, FaceBytes(combo));
    EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 1, 0), 1);
    EXPECT_TRUE(failing.Failed());
  }
  EXPECT_EQ(g_reachedBox, (std::vector<UINT>{WM_PAINT, CB_SETCURSEL}));
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
  for (HWND box : {combo, twin}) ComboSkinPaint(SkinFindEntry(box, &SkinWindowRecord::Combos));
  EXPECT_EQ(Shown(combo).pixels, Shown(twin).pixels);
}

// Memory that runs out at any allocation of the skin's part of a message to
// an edit, each in turn, ends the skin's part there, inside the edit's
// procedure: the message goes on to the edit's own procedure once (a paint
// that went there before the ring is drawn does not go a second time, the
// loss of the focus goes there after the skin's part failed) and gets its
// answer. Then the edit shows what an edit that never failed shows.
TEST_F(ControlSkinsTest, MemoryThatRunsOutInAnEditsProcedureEndsOnlyTheSkinsPartOfTheMessage) {
  HWND edit = Add(L"Edit", ES_AUTOHSCROLL, 20, 20, 140, 26, WS_EX_CLIENTEDGE);
  HWND twin = Add(L"Edit", ES_AUTOHSCROLL, 20, 80, 140, 26, WS_EX_CLIENTEDGE);
  korvath::platform::SetWindowProcedure(edit, &testsupport::CountingOwnProcedure);
  InstallAll();
  ASSERT_EQ(Saved(edit), &testsupport::CountingOwnProcedure);
  const testsupport::HangGuard guard(kHangMs);
  testsupport::SendWithEachAllocationFailing({
      // The ring is drawn on a registered memory DC: the list of them is
      // made to grow at each paint.
      {"painted", [&] { return LRESULT(RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW)); },
       WM_PAINT, TRUE, false, [] { SkinMemoryDcList().shrink_to_fit(); }},
      {"left", [&] { return SendMessageW(edit, WM_KILLFOCUS, 0, 0); }, WM_KILLFOCUS, 0},
  });
  for (HWND box : {edit, twin}) RedrawWindow(box, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(testsupport::SameRgb(Shown(edit), Shown(twin)));
}

TEST_F(ControlSkinsTest, CombosShowHoverAndFocusAndReportTheirOwnAnswerToSetText) {
  HWND list = AddCombo(CBS_DROPDOWNLIST, 20, 20, {L"abc"});
  HWND drop = AddCombo(CBS_DROPDOWN, 20, 80, {L"abc"}, 0);
  InstallAll();
  // The installer put the selected item's text back.
  EXPECT_EQ(testsupport::WindowText(drop), L"abc");
  EXPECT_TRUE(SetWindowTextW(drop, L"typed"));
  EXPECT_EQ(testsupport::WindowText(drop), L"typed");
  HWND twin = AddCombo(CBS_DROPDOWNLIST, 200, 20, {L"abc"});
  EXPECT_EQ(SendMessageW(list, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc")),
            SendMessageW(twin, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc")));
  DestroyWindow(twin);
  testsupport::Activate(form_.hwnd());
  testsupport::MouseMoveTo(list, 10, 5);
  EXPECT_EQ(record().HotKind, HoverKind::Combo);
  const uint32_t themed = Over(kWhiteRgb, kTheme, 200);
  EXPECT_PRED3(ColorNear, Shown(list).RgbAt(0, 5), themed, 3);
  testsupport::MouseMoveTo(form_.hwnd(), 300, 250);
  testsupport::PumpUntil([&] { return record().PrevHotControl == 0; });
  EXPECT_PRED3(ColorNear, Shown(list).RgbAt(0, 5), Over(kWhiteRgb, 0, 80), 3);
  SetFocus(list);
  EXPECT_TRUE(SkinFindEntry(list, &SkinWindowRecord::Combos)->focused);
  EXPECT_PRED3(ColorNear, Shown(list).RgbAt(0, 5), themed, 3);
  SetFocus(form_.hwnd());
  EXPECT_FALSE(SkinFindEntry(list, &SkinWindowRecord::Combos)->focused);
  EXPECT_PRED3(ColorNear, Shown(list).RgbAt(0, 5), Over(kWhiteRgb, 0, 80), 3);
}

// The hot frame of a list goes when the mouse does: the leave notification
// is asked for whatever the hover-tracking option says.
TEST_F(ControlSkinsTest, ListFramesLoseTheirHoverWhenTheMouseLeaves) {
  HWND list = Add(L"ListBox", WS_BORDER | WS_VSCROLL, 20, 20, 120, 100);
  InstallAll();
  testsupport::Activate(form_.hwnd());
  testsupport::MouseMoveTo(list, 30, 30);
  EXPECT_TRUE(SkinFindEntry(list, &SkinWindowRecord::Children)->hot);
  EXPECT_EQ(record().HotKind, HoverKind::List);
  EXPECT_PRED3(ColorNear, Shown(list).RgbAt(0, 50), Over(kWhiteRgb, kTheme, 200), 3);
  EXPECT_EQ(SkinFindEntry(list, &SkinWindowRecord::Children)->mouseX, 30);
  testsupport::MouseMoveTo(form_.hwnd(), 300, 250);
  testsupport::PumpUntil([&] { return !SkinFindEntry(list, &SkinWindowRecord::Children)->hot; });
  EXPECT_FALSE(SkinFindEntry(list, &SkinWindowRecord::Children)->hot);
  EXPECT_EQ(SkinFindEntry(list, &SkinWindowRecord::Children)->mouseX, -1);
  EXPECT_PRED3(ColorNear, Shown(list).RgbAt(0, 50), Over(kWhiteRgb, 0, 90), 3);
}

TEST_F(ControlSkinsTest, TransparentModeTreeIsPaintedBySkinInTheWindowTextColour) {
  SkinEngine.options.SkinTransparentMode = true;
  HWND tree = Add(WC_TREEVIEWW, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_CHECKBOXES, 20, 20, 200, 160,
                  WS_EX_CLIENTEDGE);
  const HTREEITEM root = AddTreeItem(tree, nullptr, L"WWWW root");
  const HTREEITEM child = AddTreeItem(tree, root, L"WWWW child");
  SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(child));
  TVITEMW ticked = {};
  ticked.mask = TVIF_STATE | TVIF_HANDLE;
  ticked.hItem = root;
  ticked.state = INDEXTOSTATEIMAGEMASK(2);
  ticked.stateMask = TVIS_STATEIMAGEMASK;
  SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&ticked));
  InstallAll();
  ASSERT_EQ(SendMessageW(tree, TVM_GETTEXTCOLOR, 0, 0), -1);
  InvalidateRect(tree, nullptr, TRUE);
  UpdateWindow(tree);
  EXPECT_EQ(SkinFindEntry(tree, &SkinWindowRecord::Children)->textColor, GetSysColor(COLOR_WINDOWTEXT));
  RECT text = {};
  std::memcpy(&text, &root, sizeof root);
  SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text));
  const RECT client = SkinGetFrameGeometry(tree);
  const auto shown = testsupport::CaptureDC(korvath::platform::WindowDC::Client(tree).get(), 0, 0,
                                            client.right - client.left, client.bottom - client.top);
  int dark = 0;
  for (int x = text.left; x < text.right; ++x)
    for (int y = text.top; y < text.bottom; ++y) dark += (shown.RgbAt(x, y) & 0xFF) < 0x60;
  EXPECT_GT(dark, 10);
  // The ticked root's check box, left of its text, shows the green tick.
  int green = 0;
  for (int x = text.left - 14; x < text.left - 1; ++x)
    for (int y = text.top; y < text.bottom; ++y) {
      const uint32_t p = shown.RgbAt(x, y);
      green += ((p >> 8) & 0xFF) > ((p >> 16) & 0xFF) + 30 && ((p >> 8) & 0xFF) > (p & 0xFF) + 30;
    }
  EXPECT_GT(green, 5);
  // The selected child gets the fill, the empty area shows the form's picture.
  RECT selected = {};
  std::memcpy(&selected, &child, sizeof child);
  SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&selected));
  const POINT fill = {selected.right - 2, selected.top + 2};
  const RECT place = SkinChildBackgroundRect(record(), tree);
  const uint32_t under = BackPattern(place.left + fill.x, place.top + fill.y);
  EXPECT_PRED3(ColorNear, shown.RgbAt(fill.x, fill.y), Over(under, 0xFF8800, 120), 4);
  EXPECT_EQ(shown.RgbAt(150, 140), BackPattern(place.left + 150, place.top + 140));
  if (HasFailure()) testsupport::SaveFailureImage(shown, "tree");
}

// In the see-through mode a list box paints itself off-screen over its
// skinned background; the picture is shown and kept in the owner's layer.
// While the owner is being dragged, a list that the mouse is not on is
// restored from that layer instead of painted again; once the drag ends it
// paints itself again.
TEST_F(ControlSkinsTest, TransparentModeListsAreRenderedOffScreenAndRestoredFromTheLayerWhileMoving) {
  SkinEngine.options.SkinTransparentMode = true;
  HWND list = Add(L"ListBox", WS_BORDER | LBS_NOINTEGRALHEIGHT, 20, 20, 150, 100);
  for (int i = 0; i < 3; ++i) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"WWWW WWWW"));
  InstallAll();
  const RECT place = SkinChildBackgroundRect(record(), list);
  const int w = place.right - place.left, h = place.bottom - place.top;
  const auto client = [&] {
    return testsupport::CaptureDC(korvath::platform::WindowDC::Client(list).get(), 0, 0, w, h);
  };
  const auto layer = [&] { return testsupport::CaptureDC(record().ChildBackDC.get(), place.left, place.top, w, h); };
  const auto repaint = [&] { RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); };

  repaint();
  EXPECT_FALSE(SkinFindEntry(list, &SkinWindowRecord::Children)->dirty);
  const auto drawn = client();
  int dark = 0;
  for (int x = 0; x < w; ++x) dark += (drawn.RgbAt(x, 6) & 0xFF) < 0x60;
  EXPECT_GT(dark, 5) << "the first line's text";
  EXPECT_EQ(layer().pixels, drawn.pixels);

  {
    korvath::platform::GdiBrush mark(CreateSolidBrush(RGB(0x12, 0x34, 0x56)));
    FillRect(record().ChildBackDC.get(), &place, mark.get());
  }
  record().Moving = true;
  repaint();
  EXPECT_EQ(client().RgbAt(w / 2, h / 2), 0x123456u) << "restored from the layer";
  EXPECT_FALSE(SkinFindEntry(list, &SkinWindowRecord::Children)->dirty);
  record().Moving = false;
  repaint();
  EXPECT_EQ(client().pixels, drawn.pixels);
  EXPECT_EQ(layer().pixels, drawn.pixels);
  if (HasFailure()) testsupport::SaveFailureImage(client(), "list_off_screen");
}

// A brush handed to a child that has no skin of its own ends with the
// child, which ends with the control it was asked of.
TEST_F(ControlSkinsTest, BrushesHandedToChildrenEndWithTheirControl) {
  SkinEngine.options.SkinTransparentMode = true;
  const long before = korvath::platform::LiveGdiObjectCount();
  HWND list = Add(L"ListBox", WS_BORDER, 20, 20, 150, 100);
  HWND label = CreateWindowExW(0, L"Static", L"label", WS_CHILD | WS_VISIBLE, 5, 5, 80, 20, list, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  InstallAll();
  const auto brush = SendMessageW(list, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(GetDC(label)),
                                  reinterpret_cast<LPARAM>(label));
  EXPECT_NE(brush, 0);
  EXPECT_EQ(GetSkinProp(label, prop::Kj_dxjb), brush);
  EXPECT_GT(korvath::platform::LiveGdiObjectCount(), before);
  DestroyWindow(list);
  EXPECT_EQ(korvath::platform::LiveGdiObjectCount(), before);
}

LRESULT CALLBACK ValidateOnly(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_PAINT) {
    korvath::platform::PaintScope paint(w);
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

HWND ControlSkinsTest::AddPlainChild(int x, int y, int w, int h, DWORD exStyle) {
  WNDCLASSW cls = {};
  cls.lpfnWndProc = ValidateOnly;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = L"KorvathPlainChild";
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassW(&cls);
  return Add(L"KorvathPlainChild", 0, x, y, w, h, exStyle);
}

TEST_F(ControlSkinsTest, TransparentChildrenShowTheFormThroughAndFeedTheLayer) {
  HWND child = AddPlainChild(40, 40, 100, 30, WS_EX_TRANSPARENT);
  InstallAll();
  EXPECT_EQ(ProcOf(child), TransparentChildSkinWndProc);
  // Outside the transparent mode the child erases itself; its picture still
  // reaches the layer after its paint.
  RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(Shown(child).RgbAt(20, 10), Rgb(GetSysColor(COLOR_WINDOW)));
  EXPECT_EQ(Layer().RgbAt(60, 50), Rgb(GetSysColor(COLOR_WINDOW)));
  SkinEngine.options.SkinTransparentMode = true;
  RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(Shown(child).RgbAt(20, 10), BackPattern(60, 50));
  EXPECT_EQ(Layer().RgbAt(60, 50), BackPattern(60, 50));
}

// Asked for its client through WM_PRINTCLIENT, a combo box gives the
// picture it shows, its inner edit's area left to the edit.
TEST_F(ControlSkinsTest, PrintingACombosClientGivesWhatItShowsAroundItsInnerEdit) {
  HWND list = AddCombo(CBS_DROPDOWNLIST, 20, 20, {L"abc", L"WWWW"}, 1);
  HWND drop = AddCombo(CBS_DROPDOWN, 20, 80, {L"abc"}, 0);
  InstallAll();
  testsupport::Activate(form_.hwnd());
  testsupport::MouseMoveTo(form_.hwnd(), 300, 250);
  SetFocus(list);
  for (HWND combo : {list, drop}) {
    RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    const testsupport::PixelBuffer shown = ShownClient(combo);
    const testsupport::PixelBuffer printed = testsupport::PrintClient(combo);
    ASSERT_EQ(printed.width, shown.width);
    ASSERT_EQ(printed.height, shown.height);
    RECT inner = {};
    if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr)) inner = SkinChildRectInParent(edit);
    int differing = 0;
    for (int y = 0; y < shown.height; ++y) {
      for (int x = 0; x < shown.width; ++x) {
        if (!PtInRect(&inner, POINT{x, y})) differing += (printed.RgbAt(x, y) != shown.RgbAt(x, y));
      }
    }
    EXPECT_EQ(differing, 0) << (combo == list ? "drop-down list" : "drop-down");
    if (HasFailure()) testsupport::SaveFailureImage(printed, "combo_printed");
  }
}

// In the see-through mode a list box and a tree view print the picture their
// paint shows; while the owner is being dragged that is the layer's copy.
TEST_F(ControlSkinsTest, TransparentModeListsAndTreesPrintWhatTheyShow) {
  SkinEngine.options.SkinTransparentMode = true;
  HWND list = Add(L"ListBox", WS_BORDER | LBS_NOINTEGRALHEIGHT, 20, 20, 150, 100);
  for (int i = 0; i < 3; ++i) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"WWWW WWWW"));
  HWND tree = Add(WC_TREEVIEWW, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, 190, 20, 150, 120, WS_EX_CLIENTEDGE);
  const HTREEITEM root = AddTreeItem(tree, nullptr, L"WWWW root");
  AddTreeItem(tree, root, L"WWWW child");
  SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
  InstallAll();
  const auto repaint = [](HWND w) { RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); };
  for (HWND control : {list, tree}) {
    repaint(control);
    const testsupport::PixelBuffer shown = ShownClient(control);
    EXPECT_TRUE(testsupport::SameRgb(testsupport::PrintClient(control), shown)) << SkinGetClassNameText(control);
  }
  const RECT place = SkinChildBackgroundRect(record(), list);
  {
    korvath::platform::GdiBrush mark(CreateSolidBrush(RGB(0x12, 0x34, 0x56)));
    FillRect(record().ChildBackDC.get(), &place, mark.get());
  }
  record().Moving = true;
  repaint(list);
  const testsupport::PixelBuffer restored = ShownClient(list);
  ASSERT_EQ(restored.RgbAt(restored.width / 2, restored.height / 2), 0x123456u);
  EXPECT_TRUE(testsupport::SameRgb(testsupport::PrintClient(list), restored)) << "restored from the layer";
  EXPECT_FALSE(SkinFindEntry(list, &SkinWindowRecord::Children)->dirty);
  record().Moving = false;
}

// A child with a transparent background prints the skin's erase under its
// own print, as its paint shows the erase under its own paint.
TEST_F(ControlSkinsTest, TransparentChildrenPrintTheSkinsEraseUnderTheirOwnPrint) {
  HWND plain = AddPlainChild(40, 40, 100, 30, WS_EX_TRANSPARENT);
  HWND label = Add(L"Static", SS_LEFT, 40, 90, 100, 30, WS_EX_TRANSPARENT);
  SetWindowTextW(label, L"WWWW");
  InstallAll();
  SkinEngine.options.SkinTransparentMode = true;
  for (HWND child : {plain, label}) {
    RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const testsupport::PixelBuffer shown = ShownClient(child);
    EXPECT_TRUE(testsupport::SameRgb(testsupport::PrintClient(child), shown)) << SkinGetClassNameText(child);
  }
  EXPECT_EQ(ShownClient(plain).RgbAt(20, 10), BackPattern(60, 50));
}

// The parent's answer to WM_CTLCOLOREDIT in the see-through mode, as the
// skinned form gives it: the control's skinned background as a brush.
LRESULT CALLBACK FormControlColour(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (m == WM_CTLCOLOREDIT && SkinEngine.options.SkinTransparentMode) {
    SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
    return reinterpret_cast<LRESULT>(SkinControlBackgroundBrush(reinterpret_cast<HWND>(lp)));
  }
  return DefSubclassProc(w, m, wp, lp);
}

// An edit's client area is the native edit's own paint on its parent's
// brush, in a print as on screen: the skin leaves WM_PRINTCLIENT to it.
TEST_F(ControlSkinsTest, EditsPrintTheirClientAsTheyShowItWithNoAnswerOfTheSkins) {
  SetWindowSubclass(form_.hwnd(), FormControlColour, 1, 0);
  HWND line = Add(L"Edit", ES_AUTOHSCROLL, 20, 20, 140, 26, WS_EX_CLIENTEDGE);
  HWND lines = Add(L"Edit", ES_MULTILINE | WS_VSCROLL, 20, 60, 140, 80, WS_EX_CLIENTEDGE);
  SetWindowTextW(line, L"WWWW text");
  SetWindowTextW(lines, L"WWWW text\r\nsecond line");
  InstallAll();
  for (bool transparent : {false, true}) {
    SkinEngine.options.SkinTransparentMode = transparent;
    for (HWND edit : {line, lines}) {
      RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
      const testsupport::PixelBuffer shown = ShownClient(edit);
      EXPECT_TRUE(testsupport::SameRgb(testsupport::PrintClient(edit), shown))
          << (transparent ? "see-through " : "plain ") << (edit == line ? "line" : "lines");
    }
  }
  // The see-through background reaches the print: the form's picture under
  // the veil, not a plain fill.
  const testsupport::PixelBuffer printed = testsupport::PrintClient(line);
  EXPECT_NE(printed.RgbAt(printed.width - 2, 2), printed.RgbAt(printed.width - 2, printed.height - 3));
  RemoveWindowSubclass(form_.hwnd(), FormControlColour, 1);
}

// Moving a skinned edit, list or combo box inside a registered container
// marks the container's kept background stale.
TEST_F(ControlSkinsTest, MovingAControlInsideAContainerMarksItsBackgroundStale) {
  HWND group = Add(L"Static", 0, 10, 10, 320, 220);
  const int32_t container = form_.AddContainer(group, 0xFFFFFF, 255);
  HWND edit = Add(L"Edit", 0, 10, 10, 100, 24, WS_EX_CLIENTEDGE, group);
  HWND list = Add(L"ListBox", WS_BORDER, 10, 50, 100, 60, 0, group);
  HWND combo = Add(L"ComboBox", CBS_DROPDOWNLIST, 150, 10, 100, 100, 0, group);
  EditComboSkinInstall(record(), group);
  ChildControlSkinInstall(record(), group);
  for (HWND control : {edit, list, combo}) {
    record().Containers[size_t(container) - 1].childChanged = false;
    SetWindowPos(control, nullptr, 20, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(record().Containers[size_t(container) - 1].childChanged) << SkinGetClassNameText(control);
  }
}

}  // namespace
