#include "skin/core/child_layer.h"

#include <gtest/gtest.h>

#include "platform/gdi_object.h"
#include "skin/core/engine_state.h"
#include "skin/core/memory_dc.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/skinned_form.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;

constexpr uint32_t kGreen = 0x00FF00;

class ChildLayerTest : public ::testing::Test {
 protected:
  EngineGlobals globals_;
  SkinnedForm form_{240, 200};
};

bool HasClipRegion(HDC dc) {
  korvath::platform::GdiRegion region(CreateRectRgn(0, 0, 0, 0));
  return GetClipRgn(dc, region.get()) == 1;
}

TEST_F(ChildLayerTest, ControlPictureGoesIntoTheLayerAtItsClientAreaAroundItsOwnChildren) {
  HWND box = form_.AddChild(L"STATIC", WS_BORDER, 30, 40, 152, 102);
  form_.Skin(box);
  form_.AddChild(L"EDIT", 0, 10, 10, 40, 20, box);                      // keeps its place
  form_.AddChild(L"STATIC", 0, 80, 10, 40, 20, box, WS_EX_TRANSPARENT);  // painted over
  SkinMemoryDc picture = SkinMemoryDc::Create(150, 100);
  FillPattern(picture.get(), 150, 100, nullptr, kGreen);
  SkinPaintChildBackground(box, picture.get());
  HDC layer = form_.record().ChildBackDC.get();
  const auto px = Pixels(layer, 240, 200);
  EXPECT_EQ(px.RgbAt(31, 41), kGreen);
  EXPECT_EQ(px.RgbAt(180, 140), kGreen);
  EXPECT_EQ(px.RgbAt(121, 51), kGreen);
  EXPECT_EQ(px.RgbAt(51, 61), LayerPattern(51, 61));  // the edit
  // Its border ring and everything around stay as the layer was.
  EXPECT_EQ(px.RgbAt(30, 40), LayerPattern(30, 40));
  EXPECT_EQ(px.RgbAt(181, 141), LayerPattern(181, 141));
  EXPECT_FALSE(HasClipRegion(layer));
}

TEST_F(ChildLayerTest, RefreshCopiesTheLayerOntoTheWindow) {
  HWND label = form_.AddChild(L"STATIC", 0, 30, 40, 60, 25);
  form_.Skin(label);
  testsupport::PumpMessages(50);
  SkinRefreshWindow(label);
  testsupport::PumpMessages(50);  // the window surface reaches the screen
  const auto shown = testsupport::CaptureClient(label);
  ASSERT_EQ(shown.width, 60);
  EXPECT_EQ(shown.RgbAt(0, 0), LayerPattern(30, 40));
  EXPECT_EQ(shown.RgbAt(30, 12), LayerPattern(60, 52));
  EXPECT_EQ(shown.RgbAt(59, 24), LayerPattern(89, 64));
  if (HasFailure()) testsupport::SaveFailureImage(shown, "refresh");
}

// A DC the caller gives (a BeginPaint DC, say) stays the caller's to release.
TEST_F(ChildLayerTest, RefreshLeavesTheCallersDcToTheCaller) {
  HWND box = form_.AddChild(L"STATIC", 0, 30, 40, 100, 60);
  form_.Skin(box);
  form_.AddChild(L"EDIT", 0, 10, 10, 30, 20, box);
  testsupport::PumpMessages(50);
  for (bool clipSelfPainting : {false, true}) {
    HDC dc = GetDC(box);
    ASSERT_NE(dc, nullptr);
    SkinRefreshWindow(box, false, clipSelfPainting, dc);
    EXPECT_FALSE(HasClipRegion(dc)) << clipSelfPainting;
    EXPECT_EQ(ReleaseDC(box, dc), 1) << clipSelfPainting;
  }
}

TEST_F(ChildLayerTest, SelfPaintingChildrenAreClippedOutSkinnedOnesAreNot) {
  form_.AddChild(L"BUTTON", 0, 10, 10, 40, 20);
  HWND skinned = form_.AddChild(L"BUTTON", 0, 60, 10, 40, 20);
  HWND edit = form_.AddChild(L"Edit", 0, 110, 10, 40, 20);
  form_.AddChild(L"STATIC", 0, 10, 50, 40, 20, nullptr, WS_EX_TRANSPARENT);
  form_.Skin(skinned);
  form_.Skin(edit);
  SkinMemoryDc dc = SkinMemoryDc::Create(240, 200);
  EXPECT_EQ(SkinGetDCExcludingSkinnedChildren(form_.hwnd(), dc.get()), dc.get());
  EXPECT_FALSE(PtVisible(dc.get(), 30, 20));   // unskinned
  EXPECT_TRUE(PtVisible(dc.get(), 80, 20));    // skinned: its layer picture goes over it
  EXPECT_FALSE(PtVisible(dc.get(), 130, 20));  // an edit paints itself
  EXPECT_TRUE(PtVisible(dc.get(), 30, 60));    // transparent
  EXPECT_TRUE(PtVisible(dc.get(), 120, 120));
}

}  // namespace
