// Many paint cycles of every painting helper of this layer: nothing may be
// left behind, neither GDI objects nor registered memory DCs.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "platform/gdi_object.h"
#include "skin/core/child_layer.h"
#include "skin/core/control_background.h"
#include "skin/core/engine_state.h"
#include "skin/core/memory_dc.h"
#include "skin/core/menu_items.h"
#include "skin/core/owner_draw.h"
#include "skin/core/parent_background.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/skinned_form.h"

namespace {

using namespace korvath::skin;
using korvath::platform::LiveGdiObjectCount;

TEST(PaintingCyclesTest, ThousandsOfCyclesLeaveTheLiveObjectCountWhereItWas) {
  ProgramGlobalsInit();
  {
    test::SkinnedForm form(300, 220);
    HWND group = form.AddChild(L"BUTTON", BS_GROUPBOX, 10, 10, 250, 150);
    HWND edit = form.AddChild(L"EDIT", WS_BORDER, 20, 30, 120, 24, group);
    HWND panel = form.AddChild(L"STATIC", 0, 20, 70, 120, 30, group);
    HWND button = form.AddChild(L"BUTTON", 0, 10, 180, 80, 25);
    form.AddContainer(group, 0x00FF00, 120, 1);
    form.AddContainer(panel, 0xFFFFFFFF, 0, 0, false);
    SetSkinProp(panel, prop::Zqk_LbID, 1);
    form.Skin(edit);
    form.Skin(button);
    testsupport::TestWindow plain(100, 60, L"plain", WS_POPUP | WS_VISIBLE);
    HWND orphan = plain.AddChild(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 5, 5, 40, 20);

    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING | MF_OWNERDRAW, 7, nullptr);
    MenuItemList.push_back(MenuSkinEntry{menu, 120, 22, kNoColor, {MenuSkinItemEntry{{}, "Item", "SimSun", 0, 12}}});
    SkinMemoryDc menuCanvas = SkinMemoryDc::Create(120, 22);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_MENU;
    item.itemID = 7;
    item.hwndItem = reinterpret_cast<HWND>(menu);
    item.hDC = menuCanvas.get();
    item.rcItem = RECT{0, 0, 120, 22};
    item.itemData = MAKELONG(1, 1);

    const long objects = LiveGdiObjectCount();
    const size_t registered = SkinMemoryDcList.size();
    const auto start = std::chrono::steady_clock::now();
    constexpr int kCycles = 3000;
    for (int i = 0; i < kCycles; ++i) {
      for (HWND control : {edit, button, panel, group}) {
        RECT client = {};
        GetClientRect(control, &client);
        SkinMemoryDc dc = SkinPaintParentBackground(control, client, 1, 5);
        SkinPaintChildBackground(control, dc.get());
      }
      SkinRefreshWindow(edit);
      HDC given = GetDC(button);
      SkinRefreshWindow(button, false, true, given);
      ReleaseDC(button, given);
      korvath::platform::GdiBitmap bitmap = SkinMakeBackgroundBitmap(edit);
      SkinMemoryDc fill = SkinFillControlBackground(edit);
      SkinReplaceColourKey(fill.get(), 0xFF00FF, 0xFFFFFF, 118, 22);
      korvath::platform::GdiBitmap outside = SkinMakeBackgroundBitmap(orphan);
      SkinMemoryDc none = SkinPaintParentBackground(orphan, RECT{0, 0, 40, 20});
      if (i % 10 == 0) SkinDrawItem(form.number(), item);
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("paint cycle (4 parent backgrounds with layer writes, 2 refreshes, 3 control backgrounds): %.3f ms\n",
                ms / kCycles);
    EXPECT_EQ(LiveGdiObjectCount(), objects);
    EXPECT_EQ(SkinMemoryDcList.size(), registered);
    MenuItemList.clear();
    DestroyMenu(menu);
  }
  ProgramGlobalsRelease();
}

}  // namespace
