#include "skin/core/control_background.h"

#include <gtest/gtest.h>

#include "platform/gdi_object.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/skinned_form.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;

TEST(ControlBackgroundTest, AControlsColourOrAPanelsOrWhiteWashesTheParentBackground) {
  ProgramGlobalsInit();
  SkinAlpha = 160;
  {
    SkinnedForm form(240, 200);
    HWND edit = form.AddChild(L"STATIC", WS_BORDER, 30, 40, 82, 24);
    auto background = [&](int x, int y) {
      korvath::platform::GdiBitmap bitmap = SkinMakeBackgroundBitmap(edit);
      const auto px = testsupport::CaptureBitmap(bitmap.get());
      EXPECT_EQ(px.width, 80);  // the client area
      EXPECT_EQ(px.height, 22);
      return px.RgbAt(x, y);
    };
    for (auto [x, y] : {std::pair{0, 0}, {79, 21}, {40, 10}}) {
      const uint32_t expected = Blend(BackPattern(31 + x, 41 + y), 0xFFFFFF, 160);
      EXPECT_TRUE(testsupport::ColorNear(background(x, y), expected, 3)) << std::hex << expected;
    }
    SetSkinProp(edit, prop::Zqk_Szqk, 1);
    SetSkinProp(edit, prop::Zqk_bjs, 0x0000FF);
    SetSkinProp(edit, prop::Zqk_bjstmd, 200);
    EXPECT_TRUE(testsupport::ColorNear(background(10, 10), Blend(BackPattern(41, 51), 0xFF0000, 200), 3));
    SetSkinProp(edit, prop::Zqk_Szqk, 2);  // only 1 means "under a panel"
    EXPECT_TRUE(testsupport::ColorNear(background(10, 10), Blend(BackPattern(41, 51), 0xFFFFFF, 160), 3));
    SetSkinProp(edit, prop::Kj_bjys, 0x00FF00);
    SetSkinProp(edit, prop::Kj_bjystmd, 255);
    EXPECT_EQ(background(10, 10), 0x00FF00u);
  }
  ProgramGlobalsRelease();
}

TEST(ControlBackgroundTest, ReplaceColourKeySwapsOnlyTheKeyPixels) {
  SkinMemoryDc dc = SkinMemoryDc::Create(40, 30);
  FillPattern(dc.get(), 40, 30, BackPattern);
  FillPattern(dc.get(), 10, 10, nullptr, 0xFF00FF);
  SkinReplaceColourKey(dc.get(), 0xFF00FF, 0x00FF00, 40, 30);
  const auto px = Pixels(dc.get(), 40, 30);
  EXPECT_EQ(px.RgbAt(5, 5), 0x00FF00u);
  EXPECT_EQ(px.RgbAt(20, 20), BackPattern(20, 20));
  EXPECT_EQ(px.RgbAt(12, 3), BackPattern(12, 3));
}

}  // namespace
