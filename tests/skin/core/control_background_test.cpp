#include "skin/core/control_background.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/gdi_object.h"
#include "skin/core/bitmap_copy_region.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/frame_geometry.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/skinned_form.h"

namespace {

using namespace korvath::skin;
using test::BackPattern;
using test::Blend;
using test::Pixels;
using test::SkinnedForm;
using testsupport::ColorNear;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kMagenta = 0xFF00FF;

class ControlBackgroundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramGlobalsInit();
    SkinAlpha = 160;
  }
  void TearDown() override {
    SkinBackgroundColor = 0;
    ProgramGlobalsRelease();
  }
};

TEST_F(ControlBackgroundTest, FrameGeometryPutsTheClientAreaInsideAnEvenFrame) {
  SkinnedForm form(300, 200);
  HWND plain = form.AddChild(L"STATIC", 0, 0, 0, 100, 30);
  HWND bordered = form.AddChild(L"STATIC", WS_BORDER, 0, 40, 100, 30);
  HWND edged = form.AddChild(L"STATIC", 0, 0, 80, 100, 30, nullptr, WS_EX_CLIENTEDGE);
  EXPECT_EQ(SkinGetFrameGeometry(plain), (RECT{0, 0, 100, 30}));
  EXPECT_EQ(SkinGetFrameGeometry(bordered), (RECT{1, 1, 99, 29}));
  EXPECT_EQ(SkinGetFrameGeometry(edged), (RECT{2, 2, 98, 28}));

  // The scroll bar counts 17 pixels whatever the system's width is; an odd
  // remainder loses its half pixel, also below zero.
  HWND scrolled = form.AddChild(L"LISTBOX", WS_VSCROLL | LBS_DISABLENOSCROLL, 120, 0, 100, 100,
                                nullptr, WS_EX_CLIENTEDGE);
  RECT client = {};
  GetClientRect(scrolled, &client);
  const int left = static_cast<int>(std::floor((100 - client.right - 17) / 2.0));
  const RECT frame = SkinGetFrameGeometry(scrolled);
  EXPECT_EQ(frame.left, left);
  EXPECT_EQ(frame.right - frame.left, client.right);
  EXPECT_EQ(frame.bottom - frame.top, client.bottom);
}

TEST_F(ControlBackgroundTest, BitmapCopyRegionCopiesAndFreesItsSource) {
  SkinMemoryDc source = SkinMemoryDc::Create(30, 20);
  test::FillPattern(source.get(), 30, 20, BackPattern);
  HDC sourceHandle = source.get();
  const size_t registered = SkinMemoryDcList.size();
  korvath::platform::GdiBitmap copy = BitmapCopyRegion(std::move(source), 30, 20);
  ASSERT_TRUE(copy);
  EXPECT_EQ(SkinMemoryDcList.size(), registered - 1);
  EXPECT_FALSE(SkinMemoryDcFree(sourceHandle));
  const auto px = testsupport::CaptureBitmap(copy.get());
  EXPECT_EQ(px.width, 30);
  EXPECT_EQ(px.RgbAt(0, 0), BackPattern(0, 0));
  EXPECT_EQ(px.RgbAt(29, 19), BackPattern(29, 19));
}

TEST_F(ControlBackgroundTest, ControlWithoutColourGetsWhiteAtTheEngineAlpha) {
  SkinnedForm form(240, 200);
  HWND edit = form.AddChild(L"STATIC", WS_BORDER, 30, 40, 82, 24);
  korvath::platform::GdiBitmap bitmap = SkinMakeBackgroundBitmap(edit);
  const auto px = testsupport::CaptureBitmap(bitmap.get());
  ASSERT_EQ(px.width, 80);  // the client area
  ASSERT_EQ(px.height, 22);
  for (auto [x, y] : {std::pair{0, 0}, {79, 21}, {40, 10}}) {
    const uint32_t expected = Blend(BackPattern(31 + x, 41 + y), kWhite, 160);
    EXPECT_TRUE(ColorNear(px.RgbAt(x, y), expected, 3)) << std::hex << px.RgbAt(x, y) << " " << expected;
  }
}

TEST_F(ControlBackgroundTest, ControlUnderAPanelTakesThePanelsColour) {
  SkinnedForm form(240, 200);
  HWND edit = form.AddChild(L"EDIT", 0, 30, 40, 80, 22);
  SetSkinProp(edit, prop::Zqk_Szqk, 1);
  SetSkinProp(edit, prop::Zqk_bjs, 0x0000FF);
  SetSkinProp(edit, prop::Zqk_bjstmd, 200);
  korvath::platform::GdiBitmap bitmap = SkinMakeBackgroundBitmap(edit);
  auto px = testsupport::CaptureBitmap(bitmap.get());
  EXPECT_TRUE(ColorNear(px.RgbAt(10, 10), Blend(BackPattern(40, 50), 0xFF0000, 200), 3))
      << std::hex << px.RgbAt(10, 10);

  // Only the value 1 means "under a panel".
  SetSkinProp(edit, prop::Zqk_Szqk, 2);
  bitmap = SkinMakeBackgroundBitmap(edit);
  px = testsupport::CaptureBitmap(bitmap.get());
  EXPECT_TRUE(ColorNear(px.RgbAt(10, 10), Blend(BackPattern(40, 50), kWhite, 160), 3));

  // A control's own colour, when it has one.
  SetSkinProp(edit, prop::Kj_bjys, 0x00FF00);
  SetSkinProp(edit, prop::Kj_bjystmd, 255);
  bitmap = SkinMakeBackgroundBitmap(edit);
  px = testsupport::CaptureBitmap(bitmap.get());
  EXPECT_EQ(px.RgbAt(10, 10), 0x00FF00u);
}

TEST_F(ControlBackgroundTest, ControlOutsideSkinnedWindowsGetsTheEngineBackgroundWash) {
  testsupport::TestWindow plain(200, 100, L"plain", WS_POPUP | WS_VISIBLE);
  HWND edit = plain.AddChild(L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 70, 24);
  SkinBackgroundColor = 0x0000FF;  // red
  korvath::platform::GdiBitmap bitmap = SkinMakeBackgroundBitmap(edit);
  const auto px = testsupport::CaptureBitmap(bitmap.get());
  EXPECT_EQ(px.width, 70);  // the whole window rectangle
  EXPECT_EQ(px.height, 24);
  EXPECT_TRUE(ColorNear(px.RgbAt(35, 12), Blend(kWhite, 0xFF0000, 30), 3)) << std::hex << px.RgbAt(35, 12);
  EXPECT_FALSE(SkinFillControlBackground(edit));
}

TEST_F(ControlBackgroundTest, FilledBackgroundIsARegisteredDcOfTheClientSize) {
  SkinnedForm form(240, 200);
  HWND edit = form.AddChild(L"STATIC", WS_BORDER, 30, 40, 82, 24);
  const size_t registered = SkinMemoryDcList.size();
  SkinMemoryDc dc = SkinFillControlBackground(edit);
  ASSERT_TRUE(dc);
  EXPECT_EQ(SkinMemoryDcList.size(), registered + 1);
  const auto px = Pixels(dc.get(), 80, 22);
  EXPECT_TRUE(ColorNear(px.RgbAt(5, 5), Blend(BackPattern(36, 46), kWhite, 160), 3));
}

TEST_F(ControlBackgroundTest, ReplaceColourKeySwapsOnlyTheKeyPixels) {
  SkinMemoryDc dc = SkinMemoryDc::Create(40, 30);
  test::FillPattern(dc.get(), 40, 30, BackPattern);
  test::FillSolid(dc.get(), 10, 10, kMagenta);
  SkinReplaceColourKey(dc.get(), 0xFF00FF, 0x00FF00, 40, 30);
  auto px = Pixels(dc.get(), 40, 30);
  EXPECT_EQ(px.RgbAt(5, 5), 0x00FF00u);
  EXPECT_EQ(px.RgbAt(20, 20), BackPattern(20, 20));
  EXPECT_EQ(px.RgbAt(12, 3), BackPattern(12, 3));

  // Nothing of the key: unchanged; all of it: a plain fill.
  SkinReplaceColourKey(dc.get(), 0xFF00FF, 0x00FF00, 40, 30);
  EXPECT_EQ(Pixels(dc.get(), 40, 30).RgbAt(30, 25), BackPattern(30, 25));
  test::FillSolid(dc.get(), 40, 30, kMagenta);
  SkinReplaceColourKey(dc.get(), 0xFF00FF, 0x0000FF, 40, 30);
  px = Pixels(dc.get(), 40, 30);
  EXPECT_EQ(px.RgbAt(0, 0), 0xFF0000u);
  EXPECT_EQ(px.RgbAt(39, 29), 0xFF0000u);
}

}  // namespace
