#include "skin/core/owner_draw.h"

#include <gtest/gtest.h>

#include <vector>

#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/skinned_form.h"

namespace {

using namespace korvath::skin;

struct PaintCall {
  const char* painter;
  HWND button;
  UINT itemState;
  RECT item;
};
std::vector<PaintCall> calls;

void RecordVector(HWND b, HDC, UINT state, const RECT& r) { calls.push_back({"vector", b, state, r}); }
void RecordPicture(HWND b, HDC, UINT state, const RECT& r) { calls.push_back({"picture", b, state, r}); }
void RecordImage(HWND b, HDC, UINT state, const RECT& r) { calls.push_back({"image", b, state, r}); }

// The skinned form's answer to WM_DRAWITEM: the dispatcher.
LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_DRAWITEM) return DefWindowProcW(window, message, wParam, lParam);
  SkinDrawItem(int32_t(GetSkinProp(window, prop::Hw_lbID)), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  return TRUE;
}

TEST(OwnerDrawTest, EachPushButtonKindReachesItsPainterOtherButtonsNone) {
  ProgramGlobalsInit();
  SkinButtonPainters = {RecordVector, RecordPicture, RecordImage};
  {
    test::SkinnedForm form(400, 120);
    SetWindowLongPtrW(form.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FormProc));
    const int32_t kinds[] = {0, 1, 3, 4, 5, 7, -1, -2};  // -1: no entry, -2: another button's
    std::vector<HWND> buttons;
    for (int32_t kind : kinds) {
      HWND b = form.AddChild(L"BUTTON", BS_OWNERDRAW | (kind == 3 ? WS_DISABLED : 0), 10 + 45 * int(buttons.size()),
                             10, 40 + int(buttons.size()), 25);
      if (kind >= 0) form.AddButton(b, kind);
      buttons.push_back(b);
    }
    SetSkinProp(buttons[7], prop::Hw_FuID, form.number());
    SetSkinProp(buttons[7], prop::Hw_lbID, 1);
    testsupport::PumpMessages(20);
    calls.clear();
    for (HWND b : buttons) {
      InvalidateRect(b, nullptr, TRUE);
      UpdateWindow(b);  // the parent gets WM_DRAWITEM now
    }
    ASSERT_EQ(calls.size(), 3u);  // radio buttons, check boxes and the rest paint themselves
    const char* painters[] = {"vector", "picture", "image"};
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(i);
      EXPECT_STREQ(calls[i].painter, painters[i]);
      EXPECT_EQ(calls[i].button, buttons[i]);
      EXPECT_EQ(calls[i].item, (RECT{0, 0, 40 + i, 25}));
      EXPECT_EQ((calls[i].itemState & ODS_DISABLED) != 0, i == 2);
    }
    // A companion owner's items, and other control types, are not for this painter.
    DRAWITEMSTRUCT item = {ODT_BUTTON};
    item.hwndItem = buttons[0];
    SkinDrawItem(form.number(), item, true);
    for (UINT type : {UINT(ODT_LISTBOX), UINT(ODT_COMBOBOX), UINT(ODT_TAB)}) {
      item.CtlType = type;
      SkinDrawItem(form.number(), item);
    }
    EXPECT_EQ(calls.size(), 3u);
  }
  SkinButtonPainters = {};
  ProgramGlobalsRelease();
}

}  // namespace
