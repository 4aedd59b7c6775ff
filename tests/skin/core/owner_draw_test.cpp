#include "skin/core/owner_draw.h"

#include <gtest/gtest.h>

#include <vector>

#include "skin/core/engine_state.h"
#include "skin/core/menu_items.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/skinned_form.h"

namespace {

using namespace korvath::skin;
using test::SkinnedForm;

struct PaintCall {
  const char* painter;
  HWND button;
  HDC dc;
  UINT itemState;
  RECT item;
};
std::vector<PaintCall> calls;

void RecordVector(HWND b, HDC dc, UINT state, const RECT& r) { calls.push_back({"vector", b, dc, state, r}); }
void RecordPicture(HWND b, HDC dc, UINT state, const RECT& r) { calls.push_back({"picture", b, dc, state, r}); }
void RecordImage(HWND b, HDC dc, UINT state, const RECT& r) { calls.push_back({"image", b, dc, state, r}); }

// The skinned form's answer to WM_DRAWITEM: items that carry the skin's
// numbers go to the dispatcher.
LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    SkinDrawItem(static_cast<int32_t>(GetSkinProp(window, prop::Hw_lbID)), item);
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class OwnerDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramGlobalsInit();
    calls.clear();
    SkinButtonPainters = {RecordVector, RecordPicture, RecordImage};
  }
  void TearDown() override {
    SkinButtonPainters = {};
    MenuItemList.clear();
    ProgramGlobalsRelease();
  }

  // Repaints an owner-drawn button now, so that its parent gets WM_DRAWITEM.
  static void Repaint(HWND button) {
    InvalidateRect(button, nullptr, TRUE);
    UpdateWindow(button);
  }
};

TEST_F(OwnerDrawTest, EachPushButtonKindReachesItsPainter) {
  SkinnedForm form(300, 120);
  SetWindowLongPtrW(form.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FormProc));
  HWND vector = form.AddChild(L"BUTTON", BS_OWNERDRAW, 10, 10, 60, 25);
  HWND picture = form.AddChild(L"BUTTON", BS_OWNERDRAW, 80, 10, 70, 25);
  HWND image = form.AddChild(L"BUTTON", BS_OWNERDRAW | WS_DISABLED, 160, 10, 80, 25);
  form.AddButton(vector, 0);
  form.AddButton(picture, 1);
  form.AddButton(image, 3);
  testsupport::PumpMessages(20);
  calls.clear();

  Repaint(vector);
  Repaint(picture);
  Repaint(image);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_STREQ(calls[0].painter, "vector");
  EXPECT_EQ(calls[0].button, vector);
  EXPECT_NE(calls[0].dc, nullptr);
  EXPECT_EQ(calls[0].item, (RECT{0, 0, 60, 25}));
  EXPECT_STREQ(calls[1].painter, "picture");
  EXPECT_EQ(calls[1].button, picture);
  EXPECT_EQ(calls[1].item, (RECT{0, 0, 70, 25}));
  EXPECT_STREQ(calls[2].painter, "image");
  EXPECT_EQ(calls[2].button, image);
  EXPECT_TRUE(calls[2].itemState & ODS_DISABLED);
  EXPECT_FALSE(calls[0].itemState & ODS_DISABLED);
}

TEST_F(OwnerDrawTest, CheckBoxesRadiosUnnumberedAndStaleButtonsPaintNothingHere) {
  SkinnedForm form(400, 120);
  SetWindowLongPtrW(form.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FormProc));
  HWND vector = form.AddChild(L"BUTTON", BS_OWNERDRAW, 10, 50, 60, 25);
  HWND radio = form.AddChild(L"BUTTON", BS_OWNERDRAW, 10, 10, 60, 25);
  HWND check = form.AddChild(L"BUTTON", BS_OWNERDRAW, 80, 10, 60, 25);
  HWND toggle = form.AddChild(L"BUTTON", BS_OWNERDRAW, 150, 10, 60, 25);
  HWND unnumbered = form.AddChild(L"BUTTON", BS_OWNERDRAW, 220, 10, 60, 25);
  HWND stale = form.AddChild(L"BUTTON", BS_OWNERDRAW, 290, 10, 60, 25);
  const int32_t vectorEntry = form.AddButton(vector, 0);
  form.AddButton(radio, 4);
  form.AddButton(check, 5);
  form.AddButton(toggle, 7);
  // A number that leads to another button's entry, and one past the list.
  SetSkinProp(stale, prop::Hw_FuID, form.number());
  SetSkinProp(stale, prop::Hw_lbID, vectorEntry);
  testsupport::PumpMessages(20);
  calls.clear();
  for (HWND b : {radio, check, toggle, unnumbered, stale}) Repaint(b);
  SetSkinProp(stale, prop::Hw_lbID, 99);
  Repaint(stale);
  EXPECT_TRUE(calls.empty());
}

TEST_F(OwnerDrawTest, PainterNotYetPresentIsSkipped) {
  SkinnedForm form(300, 120);
  SetWindowLongPtrW(form.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FormProc));
  HWND button = form.AddChild(L"BUTTON", BS_OWNERDRAW, 10, 10, 60, 25);
  form.AddButton(button, 1);
  SkinButtonPainters.picture = nullptr;
  testsupport::PumpMessages(20);
  Repaint(button);
  EXPECT_TRUE(calls.empty());
}

TEST_F(OwnerDrawTest, CompanionOwnersAndOtherControlTypesAreLeftAlone) {
  SkinnedForm form(300, 120);
  HWND button = form.AddChild(L"BUTTON", BS_OWNERDRAW, 10, 10, 60, 25);
  form.AddButton(button, 0);
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.hwndItem = button;
  item.rcItem = RECT{0, 0, 60, 25};
  SkinDrawItem(form.number(), item, true);
  EXPECT_TRUE(calls.empty());
  for (UINT type : {UINT(ODT_LISTBOX), UINT(ODT_COMBOBOX), UINT(ODT_TAB), UINT(ODT_LISTVIEW)}) {
    item.CtlType = type;
    SkinDrawItem(form.number(), item);
  }
  EXPECT_TRUE(calls.empty());
  item.CtlType = ODT_BUTTON;
  SkinDrawItem(form.number(), item);
  EXPECT_EQ(calls.size(), 1u);
}

TEST_F(OwnerDrawTest, MenusFoundByHandleFirstMatchWins) {
  HMENU a = CreatePopupMenu();
  HMENU b = CreatePopupMenu();
  EXPECT_EQ(MenuSkinItemFind(a), 0);
  MenuItemList.push_back(MenuSkinEntry{b, 100, 20});
  MenuItemList.push_back(MenuSkinEntry{a, 100, 20});
  MenuItemList.push_back(MenuSkinEntry{a, 120, 24});
  EXPECT_EQ(MenuSkinItemFind(a), 2);
  EXPECT_EQ(MenuSkinItemFind(b), 1);
  EXPECT_EQ(MenuSkinItemFind(nullptr), 0);
  DestroyMenu(a);
  DestroyMenu(b);
}

}  // namespace
