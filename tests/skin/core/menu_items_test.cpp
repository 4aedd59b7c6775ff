#include "skin/core/menu_items.h"

#include <gtest/gtest.h>

#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/memory_dc.h"
#include "skin/core/owner_draw.h"
#include "tests/skin/core/skinned_form.h"

namespace {

using namespace korvath::skin;

constexpr UINT kCommand = 100;
constexpr int kWidth = 150;
constexpr int kHeight = 24;

int Red(uint32_t rgb) { return int(rgb >> 16) & 0xFF; }
int Green(uint32_t rgb) { return int(rgb >> 8) & 0xFF; }
int Blue(uint32_t rgb) { return int(rgb) & 0xFF; }
bool BlueText(uint32_t c) { return Blue(c) > Red(c) + 100; }

bool AnyPixel(const testsupport::PixelBuffer& px, int x0, int x1, bool (*test)(uint32_t)) {
  for (int y = 0; y < px.height; ++y)
    for (int x = x0; x < x1; ++x)
      if (test(px.RgbAt(x, y))) return true;
  return false;
}

TEST(MenuItemsTest, AnItemIsWashedWhiteWithATintedStripAndItsCaption) {
  ProgramGlobalsInit();
  SkinThemeColor = 0x0000FF;  // red, to tell the tint apart
  SkinBackgroundColor = 0;
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING | MF_OWNERDRAW, kCommand, nullptr);
  MenuSkinItemEntry item{{}, "MMMMMM", "\xCB\xCE\xCC\xE5", 0xFF0000, 14};  // blue "宋体" 14
  MenuItemList.push_back(MenuSkinEntry{menu, kWidth, kHeight, kNoColor, {item}});
  {
    test::SkinnedForm form(300, 200);
    // Paints the item through the dispatcher into a cyan canvas at (10, 5).
    SkinMemoryDc canvas = SkinMemoryDc::Create(kWidth + 20, kHeight + 10);
    auto paint = [&](ULONG_PTR itemData) {
      test::FillPattern(canvas.get(), kWidth + 20, kHeight + 10, nullptr, 0x00FFFF);
      DRAWITEMSTRUCT draw = {ODT_MENU, 0, kCommand};
      draw.hwndItem = reinterpret_cast<HWND>(menu);
      draw.hDC = canvas.get();
      draw.rcItem = RECT{10, 5, 10 + kWidth, 5 + kHeight};
      draw.itemData = itemData;
      SkinDrawItem(form.number(), draw);
      return testsupport::CaptureDC(canvas.get(), 10, 5, kWidth, kHeight);
    };
    const auto px = paint(MAKELONG(1, 1));
    // Background colour (black) under white at alpha 230.
    EXPECT_TRUE(testsupport::ColorNear(px.RgbAt(kWidth - 3, 3), 0xE6E6E6, 3)) << std::hex << px.RgbAt(kWidth - 3, 3);
    const uint32_t strip = px.RgbAt(10, 3);  // in the theme colour
    EXPECT_GT(Red(strip) - Green(strip), 30) << std::hex << strip;
    EXPECT_EQ(Green(strip), Blue(strip));
    EXPECT_TRUE(AnyPixel(px, 22, kWidth, BlueText));  // the caption, right of the strip
    EXPECT_FALSE(AnyPixel(px, 0, 21, BlueText));
    const auto whole = test::Pixels(canvas.get(), kWidth + 20, kHeight + 10);
    EXPECT_EQ(whole.RgbAt(5, 2), 0x00FFFFu);  // nothing outside the item
    EXPECT_EQ(whole.RgbAt(kWidth + 15, kHeight + 7), 0x00FFFFu);
    // Item data that names no entry of the list: left alone.
    for (ULONG_PTR data : {ULONG_PTR(MAKELONG(1, 2)), ULONG_PTR(MAKELONG(2, 1)), ULONG_PTR(0)})
      EXPECT_EQ(paint(data).RgbAt(10, 10), 0x00FFFFu);
  }
  MenuItemList.clear();
  DestroyMenu(menu);
  ProgramGlobalsRelease();
}

}  // namespace
