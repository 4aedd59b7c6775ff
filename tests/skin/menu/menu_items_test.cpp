// Owner-drawn menu items of a described menu, painted as the form's
// WM_DRAWITEM paints them: onto a target DC at the item's rectangle, with the
// item's state read from a real menu.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "skin/core/engine_state.h"
#include "skin/menu/menu_items.h"
#include "skin/control/owner_draw.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/core/skinned_form.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;
using testsupport::ColorNear;
using testsupport::PixelBuffer;

constexpr COLORREF kBackground = 0x705030;  // the engine's background colour
constexpr COLORREF kTheme = 0xC00000;       // blue
constexpr COLORREF kTint = 0x0000C0;        // the menu's own red
constexpr COLORREF kTextRed = 0x0000FF;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kUntouched = 0x123456;   // the target around the item
constexpr int kLeft = 8, kTop = 5, kWidth = 120, kHeight = 24;

bool IsRed(uint32_t rgb) { return (rgb >> 16) > 0xB0 && ((rgb >> 8) & 0xFF) < 0x70 && (rgb & 0xFF) < 0x70; }
// A pixel of the tick in a green theme: the tick's pixels are half opaque.
bool IsGreenish(uint32_t rgb) {
  const int r = int(rgb >> 16), g = int((rgb >> 8) & 0xFF), b = int(rgb & 0xFF);
  return g > r + 40 && g > b + 40;
}
bool IsBlue(uint32_t rgb) { return (rgb & 0xFF) > 0xB0 && (rgb >> 16) < 0x70 && ((rgb >> 8) & 0xFF) < 0x70; }
bool IsGrey(uint32_t rgb) {
  const int r = int(rgb >> 16), g = int((rgb >> 8) & 0xFF), b = int(rgb & 0xFF);
  return r < 0xB0 && std::abs(r - g) < 12 && std::abs(g - b) < 12;
}

std::vector<uint8_t> SolidPng(int width, int height, uint32_t argb) {
  return testsupport::EncodePng(width, height, std::vector<uint32_t>(size_t(width) * height, argb));
}

int Count(const PixelBuffer& b, const RECT& area, const std::function<bool(uint32_t)>& test) {
  int n = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) n += test(b.RgbAt(x, y)) ? 1 : 0;
  return n;
}

// Items of one described menu: 1 caption, 2 separator, 3 with an icon.
enum Item { kCaption = 1, kSeparator = 2, kIcon = 3 };

class MenuItemTest : public EngineTest {
 protected:
  MenuItemTest() {
    SkinEngine.options.SkinBackgroundColor = kBackground;
    SkinEngine.options.SkinThemeColor = kTheme;
    MenuSkinEntry entry;
    entry.menu = menu_;
    entry.itemWidth = kWidth;
    entry.itemHeight = kHeight;
    entry.colour = kTint;
    MenuSkinItemEntry caption;
    caption.text = "MMMM";
    caption.face = "\xCB\xCE\xCC\xE5";  // 宋体
    caption.textColor = kTextRed;
    caption.size = 16;
    caption.style = 1;  // bold
    MenuSkinItemEntry separator;
    separator.separator = true;
    MenuSkinItemEntry icon = caption;
    icon.icon = SolidPng(16, 16, 0xFF0000FF);
    entry.items = {caption, separator, icon};
    SkinEngine.lists.MenuItemList.push_back(entry);
    for (int i = 1; i <= 3; ++i) AppendMenuA(menu_, MF_OWNERDRAW, 100 + i, reinterpret_cast<LPCSTR>(MAKELONG(i, 1)));
  }
  ~MenuItemTest() override { DestroyMenu(menu_); }

  // Sets the menu's state of item `i` (MFS_HILITE, MFS_CHECKED).
  void SetState(int i, UINT state) const {
    MENUITEMINFOA info = {sizeof(info), MIIM_STATE};
    info.fState = state;
    SetMenuItemInfoA(menu_, UINT(100 + i), FALSE, &info);
  }
  // What the item's WM_DRAWITEM paints into a target of kUntouched, at
  // (kLeft, kTop); the whole target, 40 pixels wider and higher than the item.
  PixelBuffer Paint(int i, UINT itemState = 0, int height = kHeight, ULONG_PTR data = 0) const {
    SkinMemoryDc target = SkinMemoryDc::Create(kWidth + 40, height + 40);
    FillPattern(target.get(), kWidth + 40, height + 40, nullptr, kUntouched);
    DRAWITEMSTRUCT item = {ODT_MENU, 0, UINT(100 + i), ODA_DRAWENTIRE, itemState};
    item.hwndItem = reinterpret_cast<HWND>(menu_);
    item.hDC = target.get();
    item.rcItem = {kLeft, kTop, kLeft + kWidth, kTop + height};
    item.itemData = data ? data : MAKELONG(i, 1);
    SkinDrawItem(form_.record(), item);
    return Pixels(target.get(), kWidth + 40, height + 40);
  }
  // A pixel of the item, at item coordinates.
  static uint32_t At(const PixelBuffer& b, int x, int y) { return b.RgbAt(kLeft + x, kTop + y); }
  static RECT ItemArea(int height = kHeight) { return {kLeft, kTop, kLeft + kWidth, kTop + height}; }

  SkinnedForm form_{240, 200};
  HMENU menu_ = CreatePopupMenu();
};

// Nothing is painted outside the item's rectangle.
int TouchedOutside(const PixelBuffer& b, int height = kHeight) {
  int n = 0;
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x) {
      const bool inside = x >= kLeft && x < kLeft + kWidth && y >= kTop && y < kTop + height;
      n += !inside && b.RgbAt(x, y) != kUntouched ? 1 : 0;
    }
  return n;
}

TEST_F(MenuItemTest, TheFirstEntryDescribingAMenuIsFound) {
  HMENU other = CreatePopupMenu();
  EXPECT_EQ(MenuSkinItemFind(other), 0);
  SkinEngine.lists.MenuItemList.push_back(SkinEngine.lists.MenuItemList[0]);  // a second entry for the same menu
  SkinEngine.lists.MenuItemList.push_back(SkinEngine.lists.MenuItemList[0]);
  SkinEngine.lists.MenuItemList.back().menu = other;
  EXPECT_EQ(MenuSkinItemFind(menu_), 1);
  EXPECT_EQ(MenuSkinItemFind(other), 3);
  EXPECT_EQ(MenuSkinItemFind(nullptr), 0);
  DestroyMenu(other);
  SkinEngine.lists.MenuItemList.clear();
  EXPECT_EQ(MenuSkinItemFind(menu_), 0);
}

// Without the engine's background picture: the background colour washed with
// white, the menu's tint down a 20-pixel strip, the caption in its colour.
TEST_F(MenuItemTest, AnItemIsWashedBackgroundATintedStripAndItsCaption) {
  const PixelBuffer b = Paint(kCaption);
  EXPECT_EQ(TouchedOutside(b), 0);
  const uint32_t washed = Blend(Rgb(kBackground), kWhite, 230);
  EXPECT_TRUE(ColorNear(At(b, kWidth - 3, 1), washed, 2)) << std::hex << At(b, kWidth - 3, 1);
  // The strip: the tint at 60, then white from 60 at its left to 50 at its right.
  const uint32_t tinted = Blend(washed, Rgb(kTint), 60);
  EXPECT_TRUE(ColorNear(At(b, 1, 1), Blend(tinted, kWhite, 60), 3)) << std::hex << At(b, 1, 1);
  EXPECT_TRUE(ColorNear(At(b, 18, 1), Blend(tinted, kWhite, 51), 3)) << std::hex << At(b, 18, 1);
  EXPECT_GT(At(b, 1, 1) & 0xFF00, At(b, 18, 1) & 0xFF00);  // whiter at the left
  EXPECT_TRUE(ColorNear(At(b, 21, 1), washed, 2)) << std::hex << At(b, 21, 1);
  // The caption: red text right of the strip, vertically centred, nowhere else.
  EXPECT_GT(Count(b, {kLeft + 22, kTop + 2, kLeft + kWidth, kTop + kHeight}, IsRed), 20);
  EXPECT_EQ(Count(b, {kLeft, kTop, kLeft + 22, kTop + kHeight}, IsRed), 0);
  EXPECT_EQ(Count(b, {kLeft, kTop, kLeft + kWidth, kTop + 3}, IsRed), 0);
  // A menu without a colour of its own takes the theme's.
  SkinEngine.lists.MenuItemList[0].colour = std::nullopt;
  const PixelBuffer themed = Paint(kCaption);
  EXPECT_TRUE(ColorNear(At(themed, 1, 1), Blend(Blend(washed, Rgb(kTheme), 60), kWhite, 60), 3));
  if (HasFailure()) testsupport::SaveFailureImage(b, "menu_item_plain");
}

// With the background picture, the item shows the skinned window behind it:
// its back buffer below the caption, or a companion's layer from its top.
TEST_F(MenuItemTest, WithABackgroundPictureTheWindowBehindShowsThrough) {
  SkinEngine.options.SkinBackgroundImage = {1};
  form_.record().CaptionHeight = 10;
  // Black down to the row the item's top lies on below the caption, white below.
  const auto halves = [](HDC dc, int splitRow) {
    FillPattern(dc, 240, 200, nullptr, 0);
    RECT below = {0, splitRow, 240, 200};
    FillRect(dc, &below, HBRUSH(GetStockObject(WHITE_BRUSH)));
  };
  halves(form_.record().BackDC.get(), kTop + 10);
  const auto expected = [](uint32_t behind) {
    return Blend(Blend(behind, Rgb(kBackground), 150), kWhite, 230);
  };
  PixelBuffer b = Paint(kCaption);
  EXPECT_TRUE(ColorNear(At(b, kWidth - 3, 0), expected(kWhite), 2)) << std::hex << At(b, kWidth - 3, 0);
  EXPECT_FALSE(ColorNear(expected(kWhite), expected(0), 4));
  // A window that works with a companion takes its layer as it lies.
  SkinMemoryDc companion = SkinMemoryDc::Create(240, 200);
  halves(companion.get(), kTop + 1);
  SetSkinProp(form_.hwnd(), prop::CK_Fcck, 1);
  SetSkinPropHandle(form_.hwnd(), prop::Fcsx_bjcj, companion.get());
  b = Paint(kCaption);
  EXPECT_TRUE(ColorNear(At(b, kWidth - 3, 0), expected(0), 2)) << std::hex << At(b, kWidth - 3, 0);
  EXPECT_TRUE(ColorNear(At(b, kWidth - 3, 1), expected(kWhite), 2)) << std::hex << At(b, kWidth - 3, 1);
  SetSkinProp(form_.hwnd(), prop::CK_Fcck, 0);
}

// A separator 12 pixels high: a dark line on row 6 and a light one on row 7,
// from x = 22 to 4 pixels short of the right; no caption.
TEST_F(MenuItemTest, ASeparatorDrawsTwoRowsOfLinesAndNothingElse) {
  const PixelBuffer plain = Paint(kSeparator, 0, 12);
  SetState(kSeparator, MFS_HILITE | MFS_CHECKED);  // a separator is never hot nor ticked
  const PixelBuffer b = Paint(kSeparator, 0, 12);
  EXPECT_EQ(b.pixels, plain.pixels);
  EXPECT_EQ(TouchedOutside(b, 12), 0);
  const uint32_t washed = Blend(Rgb(kBackground), kWhite, 230);
  const uint32_t dark = Blend(Blend(washed, 0, 80), Rgb(kTheme), 80);
  const uint32_t light = Blend(washed, kWhite, 160);
  for (int x : {22, 60, kWidth - 5}) {
    SCOPED_TRACE(x);
    EXPECT_TRUE(ColorNear(At(b, x, 5), washed, 2)) << std::hex << At(b, x, 5);
    EXPECT_TRUE(ColorNear(At(b, x, 6), dark, 3)) << std::hex << At(b, x, 6);
    EXPECT_TRUE(ColorNear(At(b, x, 7), light, 3)) << std::hex << At(b, x, 7);
    EXPECT_TRUE(ColorNear(At(b, x, 8), washed, 2)) << std::hex << At(b, x, 8);
  }
  EXPECT_TRUE(ColorNear(At(b, kWidth - 2, 6), washed, 2));
  EXPECT_EQ(At(b, 15, 6), At(b, 15, 3));  // the strip has no line
  if (HasFailure()) testsupport::SaveFailureImage(b, "menu_item_separator");
}

// The hot look follows the menu's state, not ODS_SELECTED; a checked item
// shows the tick in place of its icon; a disabled caption is grey.
TEST_F(MenuItemTest, HotCheckedAndDisabledItemsFollowTheMenusState) {
  const PixelBuffer rest = Paint(kCaption);
  EXPECT_EQ(Paint(kCaption, ODS_SELECTED).pixels, rest.pixels);
  SetState(kCaption, MFS_HILITE);
  const PixelBuffer hot = Paint(kCaption);
  EXPECT_EQ(TouchedOutside(hot), 0);
  // The highlight: both gradients over the whole item, outlined in black.
  EXPECT_NE(At(hot, 60, 2), At(rest, 60, 2));
  EXPECT_NE(At(hot, 60, kHeight - 3), At(rest, 60, kHeight - 3));
  EXPECT_LT(At(hot, kWidth - 2, kHeight / 2) & 0xFF, At(rest, kWidth - 2, kHeight / 2) & 0xFF);
  EXPECT_GT(Count(hot, ItemArea(), IsRed), 20);  // the caption still shows

  // The icon at the left, unless the item is checked: then the tick alone,
  // 14 x 14 at (3, centred), in the theme's colour: green in a green theme,
  // and nothing green in a blue one.
  SkinEngine.options.SkinThemeColor = 0x00FF00;
  const PixelBuffer icon = Paint(kIcon);
  EXPECT_TRUE(IsBlue(At(icon, 10, kHeight / 2))) << std::hex << At(icon, 10, kHeight / 2);
  EXPECT_EQ(Count(icon, ItemArea(), IsGreenish), 0);
  EXPECT_EQ(Count(Paint(kCaption), ItemArea(), IsGreenish), 0);  // no icon, no tick either
  SetState(kIcon, MFS_CHECKED);
  const PixelBuffer ticked = Paint(kIcon);
  const int tickTop = kTop + (kHeight - 14) / 2;
  EXPECT_GE(Count(ticked, {kLeft + 3, tickTop, kLeft + 17, tickTop + 14}, IsGreenish), 15);
  EXPECT_EQ(Count(ticked, ItemArea(), IsBlue), 0);
  EXPECT_EQ(Count(ticked, {kLeft, kTop, kLeft + kWidth, tickTop}, IsGreenish), 0);
  EXPECT_EQ(Count(ticked, {kLeft + 18, kTop, kLeft + kWidth, kTop + kHeight}, IsGreenish), 0);
  SkinEngine.options.SkinThemeColor = 0xFF0000;
  EXPECT_EQ(Count(Paint(kIcon), ItemArea(), IsGreenish), 0);

  const PixelBuffer disabled = Paint(kCaption, ODS_DISABLED);
  EXPECT_EQ(Count(disabled, ItemArea(), IsRed), 0);
  EXPECT_GT(Count(disabled, {kLeft + 22, kTop, kLeft + kWidth, kTop + kHeight}, IsGrey), 20);
  if (HasFailure()) {
    testsupport::SaveFailureImage(hot, "menu_item_hot");
    testsupport::SaveFailureImage(ticked, "menu_item_ticked");
  }
}

// Item data that names no item of the menu, and a menu that is not
// described, are left to the system's drawing.
TEST_F(MenuItemTest, ItemsTheListDoesNotDescribeAreNotPainted) {
  EXPECT_EQ(Count(Paint(kCaption, 0, kHeight, MAKELONG(4, 1)), ItemArea(), [](uint32_t c) { return c != kUntouched; }), 0);
  EXPECT_EQ(Count(Paint(kCaption, 0, kHeight, MAKELONG(1, 2)), ItemArea(), [](uint32_t c) { return c != kUntouched; }), 0);
  SkinEngine.lists.MenuItemList[0].menu = nullptr;
  EXPECT_EQ(Count(Paint(kCaption), ItemArea(), [](uint32_t c) { return c != kUntouched; }), 0);
}

// The painter as it is called for a window (a companion window's items): the
// item's background comes from the record the window's `Hw_lbID` names, below
// its caption, or from the window's companion layer from its top.
class MenuItemByWindowTest : public MenuItemTest {
 protected:
  PixelBuffer PaintFor(HWND window, int i) const {
    SkinMemoryDc target = SkinMemoryDc::Create(kWidth + 40, kHeight + 40);
    FillPattern(target.get(), kWidth + 40, kHeight + 40, nullptr, kUntouched);
    DRAWITEMSTRUCT item = {ODT_MENU, 0, UINT(100 + i), ODA_DRAWENTIRE, 0};
    item.hwndItem = reinterpret_cast<HWND>(menu_);
    item.hDC = target.get();
    item.rcItem = {kLeft, kTop, kLeft + kWidth, kTop + kHeight};
    item.itemData = MAKELONG(i, 1);
    MenuSkinItemPaint(window, item);
    return Pixels(target.get(), kWidth + 40, kHeight + 40);
  }
  // Black down to `splitRow`, white below.
  static void Halves(HDC dc, int splitRow) {
    FillPattern(dc, 240, 200, nullptr, 0);
    RECT below = {0, splitRow, 240, 200};
    FillRect(dc, &below, HBRUSH(GetStockObject(WHITE_BRUSH)));
  }
  static uint32_t Washed(uint32_t behind) { return Blend(Blend(behind, Rgb(kBackground), 150), kWhite, 230); }
};

TEST_F(MenuItemByWindowTest, AWindowsItemsShowItsRecordsBackBufferOrItsCompanionsLayer) {
  SkinEngine.options.SkinBackgroundImage = {1};
  form_.record().CaptionHeight = 10;
  Halves(form_.record().BackDC.get(), kTop + 10);
  const PixelBuffer own = PaintFor(form_.hwnd(), kCaption);
  EXPECT_EQ(TouchedOutside(own), 0);
  EXPECT_TRUE(ColorNear(At(own, kWidth - 3, 0), Washed(kWhite), 2)) << std::hex << At(own, kWidth - 3, 0);
  EXPECT_FALSE(ColorNear(Washed(kWhite), Washed(0), 4));
  EXPECT_EQ(own.pixels, Paint(kCaption).pixels) << "by window as by its record";

  // A window of its own with a companion layer, which has no caption.
  testsupport::TestWindow companionWindow(240, 200, L"companion", WS_POPUP);
  SkinMemoryDc companion = SkinMemoryDc::Create(240, 200);
  Halves(companion.get(), kTop + 1);
  SetSkinProp(companionWindow.hwnd(), prop::CK_Fcck, 1);
  SetSkinPropHandle(companionWindow.hwnd(), prop::Fcsx_bjcj, companion.get());
  const PixelBuffer layered = PaintFor(companionWindow.hwnd(), kCaption);
  EXPECT_EQ(TouchedOutside(layered), 0);
  EXPECT_TRUE(ColorNear(At(layered, kWidth - 3, 0), Washed(0), 2)) << std::hex << At(layered, kWidth - 3, 0);
  EXPECT_TRUE(ColorNear(At(layered, kWidth - 3, 1), Washed(kWhite), 2)) << std::hex << At(layered, kWidth - 3, 1);
  if (HasFailure()) {
    testsupport::SaveFailureImage(own, "menu_item_by_window");
    testsupport::SaveFailureImage(layered, "menu_item_by_companion");
  }
}

}  // namespace
