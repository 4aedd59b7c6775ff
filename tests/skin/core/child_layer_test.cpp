#include "skin/core/child_layer.h"

#include <gtest/gtest.h>

#include "platform/gdi_object.h"
#include "skin/core/engine_state.h"
#include "skin/core/memory_dc.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/skinned_form.h"

namespace {

using namespace korvath::skin;
using test::LayerPattern;
using test::Pixels;
using test::SkinnedForm;

constexpr uint32_t kGreen = 0x00FF00;

class ChildLayerTest : public ::testing::Test {
 protected:
  void SetUp() override { ProgramGlobalsInit(); }
  void TearDown() override { ProgramGlobalsRelease(); }
};

SkinMemoryDc Solid(int width, int height, uint32_t rgb) {
  SkinMemoryDc dc = SkinMemoryDc::Create(width, height);
  test::FillSolid(dc.get(), width, height, rgb);
  return dc;
}

bool HasClipRegion(HDC dc) {
  korvath::platform::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
  return GetClipRgn(dc, region.get()) == 1;
}

TEST_F(ChildLayerTest, ChildBackgroundRectIsTheClientAreaInTheTopWindow) {
  SkinnedForm form(240, 200);
  HWND group = form.AddChild(L"STATIC", 0, 20, 20, 150, 100);
  HWND framed = form.AddChild(L"STATIC", WS_BORDER, 10, 30, 62, 27, group);
  EXPECT_EQ(SkinChildBackgroundRect(framed), (RECT{31, 51, 91, 76}));
  // A borderless form: its whole window.
  EXPECT_EQ(SkinChildBackgroundRect(form.hwnd()), (RECT{0, 0, 240, 200}));
  testsupport::TestWindow plain(50, 50, L"plain", WS_POPUP);
  EXPECT_EQ(SkinChildBackgroundRect(plain.hwnd()), (RECT{0, 0, 0, 0}));
}

TEST_F(ChildLayerTest, ControlPictureGoesIntoTheLayerAtItsClientArea) {
  SkinnedForm form(240, 200);
  HWND framed = form.AddChild(L"STATIC", WS_BORDER, 30, 40, 62, 27);
  form.Skin(framed);
  SkinMemoryDc picture = Solid(60, 25, kGreen);
  SkinPaintChildBackground(framed, picture.get());
  HDC layer = form.record().ChildBackDC.get();
  const auto px = Pixels(layer, 240, 200);
  EXPECT_EQ(px.RgbAt(31, 41), kGreen);
  EXPECT_EQ(px.RgbAt(90, 65), kGreen);
  // Its border ring and everything around stay as the layer was.
  EXPECT_EQ(px.RgbAt(30, 40), LayerPattern(30, 40));
  EXPECT_EQ(px.RgbAt(91, 66), LayerPattern(91, 66));
  EXPECT_FALSE(HasClipRegion(layer));
}

TEST_F(ChildLayerTest, WindowRectangleVariantCoversTheWholeWindow) {
  SkinnedForm form(240, 200);
  HWND framed = form.AddChild(L"STATIC", WS_BORDER, 30, 40, 62, 27);
  form.Skin(framed);
  SkinMemoryDc picture = Solid(62, 27, kGreen);
  SkinPaintChildBackground(framed, picture.get(), false, true);
  const auto px = Pixels(form.record().ChildBackDC.get(), 240, 200);
  EXPECT_EQ(px.RgbAt(30, 40), kGreen);
  EXPECT_EQ(px.RgbAt(91, 66), kGreen);
  EXPECT_EQ(px.RgbAt(92, 67), LayerPattern(92, 67));
}

TEST_F(ChildLayerTest, ControlsOwnChildrenKeepTheirPlaceInTheLayer) {
  SkinnedForm form(240, 200);
  HWND box = form.AddChild(L"STATIC", 0, 20, 20, 150, 100);
  form.Skin(box);
  form.AddChild(L"EDIT", 0, 10, 10, 40, 20, box);                         // keeps its place
  form.AddChild(L"STATIC", 0, 80, 10, 40, 20, box, WS_EX_TRANSPARENT);     // painted over
  HWND hidden = form.AddChild(L"STATIC", 0, 10, 60, 40, 20, box);         // painted over
  ShowWindow(hidden, SW_HIDE);
  SkinMemoryDc picture = Solid(150, 100, kGreen);
  SkinPaintChildBackground(box, picture.get());
  HDC layer = form.record().ChildBackDC.get();
  const auto px = Pixels(layer, 240, 200);
  EXPECT_EQ(px.RgbAt(50, 40), LayerPattern(50, 40));
  EXPECT_EQ(px.RgbAt(120, 40), kGreen);
  EXPECT_EQ(px.RgbAt(50, 90), kGreen);
  EXPECT_EQ(px.RgbAt(25, 25), kGreen);
  EXPECT_FALSE(HasClipRegion(layer));
}

TEST_F(ChildLayerTest, OwnerComesFromTheSecondLayerOrTheWindowsOwnNumber) {
  SkinnedForm form(240, 200);
  HWND toolbar = form.AddChild(L"STATIC", 0, 30, 40, 20, 10);
  SetSkinProp(toolbar, prop::Kj_FuID, form.number());
  SkinMemoryDc picture = Solid(20, 10, kGreen);
  // Through Hw_FuID the toolbar has no owner: nothing happens.
  SkinPaintChildBackground(toolbar, picture.get());
  EXPECT_EQ(Pixels(form.record().ChildBackDC.get(), 240, 200).RgbAt(35, 45), LayerPattern(35, 45));
  SkinPaintChildBackground(toolbar, picture.get(), true);
  EXPECT_EQ(Pixels(form.record().ChildBackDC.get(), 240, 200).RgbAt(35, 45), kGreen);

  // The form itself finds its record through its own Hw_lbID.
  SkinMemoryDc whole = Solid(240, 200, 0x123456);
  SkinPaintChildBackground(form.hwnd(), whole.get());
  EXPECT_EQ(Pixels(form.record().ChildBackDC.get(), 240, 200).RgbAt(200, 150), 0x123456u);
}

TEST_F(ChildLayerTest, RefreshCopiesTheLayerOntoTheWindow) {
  SkinnedForm form(240, 200);
  HWND label = form.AddChild(L"STATIC", 0, 30, 40, 60, 25);
  form.Skin(label);
  testsupport::PumpMessages(50);
  SkinRefreshWindow(label);
  testsupport::PumpMessages(50);  // the window surface reaches the screen
  const auto shown = testsupport::CaptureClient(label);
  ASSERT_EQ(shown.width, 60);
  EXPECT_EQ(shown.RgbAt(0, 0), LayerPattern(30, 40));
  EXPECT_EQ(shown.RgbAt(59, 24), LayerPattern(89, 64));
  if (shown.RgbAt(30, 12) != LayerPattern(60, 52)) testsupport::SaveFailureImage(shown, "refresh");
}

TEST_F(ChildLayerTest, RefreshLeavesTheCallersDcToTheCaller) {
  SkinnedForm form(240, 200);
  HWND box = form.AddChild(L"STATIC", 0, 30, 40, 100, 60);
  form.Skin(box);
  form.AddChild(L"EDIT", 0, 10, 10, 30, 20, box);
  testsupport::PumpMessages(50);
  for (bool clipSelfPainting : {false, true}) {
    HDC dc = GetDC(box);
    ASSERT_NE(dc, nullptr);
    SkinRefreshWindow(box, false, clipSelfPainting, dc);
    // Still the caller's: not released, and without clipping left behind.
    EXPECT_FALSE(HasClipRegion(dc)) << clipSelfPainting;
    EXPECT_EQ(ReleaseDC(box, dc), 1) << clipSelfPainting;
  }
}

TEST_F(ChildLayerTest, RefreshWithoutOwnerDoesNothing) {
  testsupport::TestWindow plain(80, 60, L"plain", WS_POPUP | WS_VISIBLE);
  const long objects = korvath::platform::LiveGdiObjectCount();
  SkinRefreshWindow(plain.hwnd());
  SkinRefreshWindow(plain.hwnd(), false, true);
  EXPECT_EQ(korvath::platform::LiveGdiObjectCount(), objects);
}

TEST_F(ChildLayerTest, SelfPaintingChildrenAreClippedOutSkinnedOnesAreNot) {
  SkinnedForm form(240, 200);
  HWND unskinned = form.AddChild(L"BUTTON", 0, 10, 10, 40, 20);
  HWND skinned = form.AddChild(L"BUTTON", 0, 60, 10, 40, 20);
  HWND edit = form.AddChild(L"Edit", 0, 110, 10, 40, 20);
  HWND panel = form.AddChild(L"STATIC", 0, 160, 10, 40, 20);
  HWND transparent = form.AddChild(L"STATIC", 0, 10, 50, 40, 20, nullptr, WS_EX_TRANSPARENT);
  form.Skin(skinned);
  form.Skin(edit);
  form.Skin(panel);
  SetSkinProp(panel, prop::Zqk_LbID, 1);
  (void)unskinned;
  (void)transparent;
  // On a DC of the form's client size, so that only this clipping counts.
  SkinMemoryDc dc = SkinMemoryDc::Create(240, 200);
  EXPECT_EQ(SkinGetDCExcludingSkinnedChildren(form.hwnd(), dc.get()), dc.get());
  EXPECT_FALSE(PtVisible(dc.get(), 30, 20));   // unskinned
  EXPECT_TRUE(PtVisible(dc.get(), 80, 20));    // skinned: its layer picture goes over it
  EXPECT_FALSE(PtVisible(dc.get(), 130, 20));  // edit
  EXPECT_FALSE(PtVisible(dc.get(), 180, 20));  // panel
  EXPECT_TRUE(PtVisible(dc.get(), 30, 60));    // transparent
  EXPECT_TRUE(PtVisible(dc.get(), 120, 120));  // the form itself
}

TEST_F(ChildLayerTest, ExcludeChildrenClipWorksInTopWindowCoordinates) {
  SkinnedForm form(240, 200);
  HWND box = form.AddChild(L"STATIC", 0, 20, 30, 150, 100);
  form.AddChild(L"STATIC", 0, 10, 10, 40, 20, box);
  form.AddChild(L"STATIC", 0, 70, 10, 40, 20, box, WS_EX_TRANSPARENT);
  SkinMemoryDc dc = SkinMemoryDc::Create(240, 200);
  EXPECT_EQ(SkinExcludeChildrenClip(box, dc.get()), dc.get());
  EXPECT_FALSE(PtVisible(dc.get(), 40, 50));
  EXPECT_TRUE(PtVisible(dc.get(), 100, 50));
  EXPECT_TRUE(PtVisible(dc.get(), 15, 15));
}

TEST_F(ChildLayerTest, ChildMovingMarksItsContainerDirty) {
  SkinnedForm form(240, 200);
  HWND group = form.AddChild(L"BUTTON", BS_GROUPBOX, 10, 10, 200, 150);
  HWND inGroup = form.AddChild(L"BUTTON", 0, 10, 20, 60, 25, group);
  HWND onForm = form.AddChild(L"BUTTON", 0, 10, 170, 60, 25);
  const int32_t entry = form.AddContainer(group, 0, 255, 1);
  auto& container = form.record().Containers[size_t(entry) - 1];

  SkinMarkParentDirty(onForm);
  EXPECT_FALSE(container.childChanged);
  SetSkinProp(group, prop::Wxk_LBID, 3);
  SkinMarkParentDirty(inGroup);
  EXPECT_FALSE(container.childChanged);
  SetSkinProp(group, prop::Wxk_LBID, 0);
  SkinMarkParentDirty(inGroup);
  EXPECT_TRUE(container.childChanged);
  EXPECT_FALSE(container.rebuild);
}

}  // namespace
