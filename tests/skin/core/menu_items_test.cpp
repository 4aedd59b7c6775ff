#include "skin/core/menu_items.h"

#include <gtest/gtest.h>

#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/memory_dc.h"
#include "skin/core/owner_draw.h"
#include "tests/skin/core/image_bytes.h"
#include "tests/skin/core/skinned_form.h"

namespace {

using namespace korvath::skin;
using test::Pixels;
using test::SkinnedForm;

constexpr UINT kCommand = 100;
constexpr int kWidth = 150;
constexpr int kHeight = 24;
const char kSongTi[] = "\xCB\xCE\xCC\xE5";  // 宋体 in code page 936

int Red(uint32_t rgb) { return int(rgb >> 16) & 0xFF; }
int Green(uint32_t rgb) { return int(rgb >> 8) & 0xFF; }
int Blue(uint32_t rgb) { return int(rgb) & 0xFF; }

ByteSet SolidPng(int w, int h, uint32_t argb) {
  return testsupport::EncodePng(w, h, std::vector<uint32_t>(size_t(w) * h, argb));
}

ByteSet GreenTick() { return SolidPng(13, 12, 0xFF00C000); }

class MenuItemsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramGlobalsInit();
    SkinThemeColor = 0x0000FF;  // red, to tell the tint apart
    SkinBackgroundColor = 0;
    menu_ = CreatePopupMenu();
    AppendMenuA(menu_, MF_STRING | MF_OWNERDRAW, kCommand, nullptr);
    MenuSkinItemEntry item;
    item.text = "MMMMMM";
    item.face = kSongTi;
    item.textColor = 0xFF0000;  // blue
    item.size = 14;
    MenuSkinEntry entry{menu_, kWidth, kHeight, kNoColor, {item}};
    MenuItemList.push_back(entry);
  }
  void TearDown() override {
    MenuItemList.clear();
    SkinRecolorTickImage = nullptr;
    SkinThemeColor = 0xDDCA22;
    DestroyMenu(menu_);
    ProgramGlobalsRelease();
  }

  MenuSkinItemEntry& Item() { return MenuItemList[0].items[0]; }
  void SetState(UINT state) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    info.fState = state;
    SetMenuItemInfoA(menu_, kCommand, FALSE, &info);
  }
  // Paints the item through the dispatcher into a canvas at (10, 5) and
  // gives the item's pixels.
  testsupport::PixelBuffer Paint(const SkinnedForm& form, int height = kHeight, UINT itemState = 0,
                                 ULONG_PTR itemData = MAKELONG(1, 1)) {
    canvas_ = SkinMemoryDc::Create(kWidth + 20, height + 10);
    test::FillSolid(canvas_.get(), kWidth + 20, height + 10, 0x00FFFF);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_MENU;
    item.itemID = kCommand;
    item.itemState = itemState;
    item.hwndItem = reinterpret_cast<HWND>(menu_);
    item.hDC = canvas_.get();
    item.rcItem = RECT{10, 5, 10 + kWidth, 5 + height};
    item.itemData = itemData;
    SkinDrawItem(form.number(), item);
    return testsupport::CaptureDC(canvas_.get(), 10, 5, kWidth, height);
  }

  HMENU menu_ = nullptr;
  SkinMemoryDc canvas_;
};

bool AnyPixel(const testsupport::PixelBuffer& px, int x0, int x1, int y0, int y1,
              bool (*test)(uint32_t)) {
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (test(px.RgbAt(x, y))) return true;
    }
  }
  return false;
}

TEST_F(MenuItemsTest, ItemIsWashedWhiteWithATintedStripAndItsCaption) {
  SkinnedForm form(300, 200);
  const auto px = Paint(form);
  // Background colour (black) under white at alpha 230.
  EXPECT_TRUE(testsupport::ColorNear(px.RgbAt(kWidth - 3, 3), 0xE6E6E6, 3)) << std::hex << px.RgbAt(kWidth - 3, 3);
  // The strip takes the theme colour.
  const uint32_t strip = px.RgbAt(10, 3);
  EXPECT_GT(Red(strip) - Green(strip), 30) << std::hex << strip;
  EXPECT_EQ(Green(strip), Blue(strip));
  // The caption in its colour, right of the strip.
  EXPECT_TRUE(AnyPixel(px, 22, kWidth, 2, kHeight, [](uint32_t c) { return Blue(c) > Red(c) + 100; }));
  EXPECT_FALSE(AnyPixel(px, 0, 21, 0, kHeight, [](uint32_t c) { return Blue(c) > Red(c) + 100; }));
  // Nothing outside the item's rectangle.
  const auto whole = Pixels(canvas_.get(), kWidth + 20, kHeight + 10);
  EXPECT_EQ(whole.RgbAt(5, 2), 0x00FFFFu);
  EXPECT_EQ(whole.RgbAt(kWidth + 15, kHeight + 7), 0x00FFFFu);
}

TEST_F(MenuItemsTest, SeparatorDrawsItsLinesAndNothingElse) {
  Item().separator = true;
  SkinnedForm form(300, 200);
  const auto px = Paint(form, 12);
  const uint32_t above = px.RgbAt(60, 2);
  EXPECT_LT(Red(px.RgbAt(60, 6)) + Green(px.RgbAt(60, 6)), Red(above) + Green(above) - 20);
  EXPECT_EQ(px.RgbAt(60, 9), above);
  // The lines run from x = 22 to W - 4.
  EXPECT_EQ(px.RgbAt(kWidth - 2, 6), above);
  EXPECT_FALSE(AnyPixel(px, 22, kWidth, 0, 12, [](uint32_t c) { return Blue(c) > Red(c) + 100; }));
}

TEST_F(MenuItemsTest, CheckedItemShowsTheTickInPlaceOfItsIcon) {
  Item().icon = SolidPng(16, 16, 0xFF0000FF);  // blue icon
  SkinnedForm form(300, 200);
  auto px = Paint(form);
  EXPECT_EQ(px.RgbAt(8, 12), 0x0000FFu);

  SkinRecolorTickImage = GreenTick;
  SetState(MFS_CHECKED);
  px = Paint(form);
  EXPECT_EQ(Green(px.RgbAt(8, 12)), 0xC0) << std::hex << px.RgbAt(8, 12);
  EXPECT_EQ(Blue(px.RgbAt(8, 12)), 0);
}

TEST_F(MenuItemsTest, UnknownMenusAndItemDataOutsideTheListAreLeftAlone) {
  SkinnedForm form(300, 200);
  for (ULONG_PTR data : {ULONG_PTR(MAKELONG(1, 2)), ULONG_PTR(MAKELONG(2, 1)), ULONG_PTR(0)}) {
    const auto px = Paint(form, kHeight, 0, data);
    EXPECT_EQ(px.RgbAt(10, 10), 0x00FFFFu);
  }
  MenuItemList.clear();
  const auto px = Paint(form);
  EXPECT_EQ(px.RgbAt(10, 10), 0x00FFFFu);
}

}  // namespace
