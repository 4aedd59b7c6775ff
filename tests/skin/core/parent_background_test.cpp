#include "skin/core/parent_background.h"

#include <gtest/gtest.h>

#include "platform/gdi_object.h"
#include "skin/core/child_layer.h"
#include "skin/core/engine_state.h"
#include "skin/core/memory_dc.h"
#include "skin/core/window_props.h"
#include "tests/skin/core/skinned_form.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kBlue = 0xFF0000;

class ParentBackgroundTest : public ::testing::Test {
 protected:
  EngineGlobals globals_;
  SkinnedForm form_{240, 200};
};

// A control painted the way every skinned painter paints: its parent's
// background first, then the picture onto the window and into the layer.
LRESULT CALLBACK TransparentControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return TRUE;
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  korvath::platform::PaintScope paint(window);
  RECT client = {};
  GetClientRect(window, &client);
  SkinMemoryDc picture = SkinPaintParentBackground(window, client);
  BitBlt(paint.dc(), 0, 0, client.right, client.bottom, picture.get(), 0, 0, SRCCOPY);
  SkinPaintChildBackground(window, picture.get());
  return 0;
}

TEST_F(ParentBackgroundTest, PaintedControlOverAColouredParentShowsThatColour) {
  HWND group = form_.AddChild(L"BUTTON", BS_GROUPBOX, 20, 20, 150, 100);
  HWND control = form_.AddChild(L"STATIC", 0, 10, 20, 80, 40, group);
  HWND onForm = form_.AddChild(L"STATIC", 0, 20, 140, 80, 40);
  form_.AddContainer(group, kGreen, 255, 1);
  for (HWND w : {control, onForm}) {
    form_.Skin(w);
    SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TransparentControlProc));
    InvalidateRect(w, nullptr, TRUE);
    UpdateWindow(w);
  }
  testsupport::PumpMessages(50);
  const auto shown = testsupport::CaptureClient(control);
  EXPECT_EQ(shown.RgbAt(2, 2), Rgb(kGreen));
  EXPECT_EQ(shown.RgbAt(40, 20), Rgb(kGreen));
  EXPECT_EQ(shown.RgbAt(77, 37), Rgb(kGreen));
  if (HasFailure()) testsupport::SaveFailureImage(shown, "coloured_parent");
  // Straight on the form: the form's own picture at the control's place.
  EXPECT_EQ(testsupport::CaptureClient(onForm).RgbAt(40, 20), BackPattern(60, 160));
  // The layer keeps both pictures for later refreshes.
  const auto layer = Pixels(form_.record().ChildBackDC.get(), 240, 200);
  EXPECT_EQ(layer.RgbAt(70, 60), Rgb(kGreen));
  EXPECT_EQ(layer.RgbAt(60, 160), BackPattern(60, 160));
}

TEST_F(ParentBackgroundTest, TheNearestContainerThatPaintsTintsTheCopyOfTheBackBuffer) {
  const struct {
    const char* name;
    COLORREF colour;
    int alpha;
    bool framed;
    bool panel;
    uint32_t expected;  // at the middle of the 40 x 20 edit at (35, 45) in the form
  } cases[] = {
      {"opaque", kBlue, 255, true, false, Rgb(kBlue)},
      {"translucent", kBlue, 128, true, false, Blend(BackPattern(55, 55), Rgb(kBlue), 128)},
      {"no colour", 0, 255, true, false, BackPattern(55, 55)},
      {"paints nothing", kGreen, 255, false, false, Rgb(kRed)},
      {"panel", kGreen, 255, false, true, Rgb(kRed)},  // never its own colour
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND outer = form_.AddChild(L"BUTTON", BS_GROUPBOX, 10, 10, 200, 150);
    HWND inner = form_.AddChild(L"STATIC", 0, 10, 20, 150, 100, outer);
    HWND edit = form_.AddChild(L"EDIT", 0, 15, 15, 40, 20, inner);
    form_.AddContainer(outer, kRed, 255, 1);
    form_.AddContainer(inner, c.colour, c.alpha, 0, c.framed);
    if (c.panel) SetSkinProp(inner, prop::Zqk_LbID, 1);
    SkinMemoryDc dc = SkinPaintParentBackground(c.panel ? inner : edit, RECT{0, 0, 40, 20});
    const uint32_t seen = Pixels(dc.get(), 40, 20).RgbAt(20, 10);
    EXPECT_TRUE(testsupport::ColorNear(seen, c.expected, c.alpha == 128 ? 3 : 0)) << std::hex << seen << " " << c.expected;
    DestroyWindow(outer);
    form_.record().Containers = {SkinContainerEntry{}};
  }
  // Straight on the form: its back buffer, from the given part's corner.
  HWND button = form_.AddChild(L"BUTTON", 0, 30, 40, 60, 25);
  SkinMemoryDc part = SkinPaintParentBackground(button, RECT{5, 3, 25, 13});
  EXPECT_EQ(Pixels(part.get(), 20, 10).RgbAt(0, 0), BackPattern(35, 43));
  EXPECT_EQ(Pixels(part.get(), 20, 10).RgbAt(19, 9), BackPattern(54, 52));
}

TEST_F(ParentBackgroundTest, AGroupBoxIsFilledInsideItsRoundedFrameATabInItsPage) {
  HWND group = form_.AddChild(L"BUTTON", BS_GROUPBOX, 20, 20, 150, 100);
  form_.AddContainer(group, kRed, 255, 1);
  // Its painter gives an inset and a corner: a group box does not use them.
  SkinMemoryDc dc = SkinPaintParentBackground(group, RECT{0, 0, 150, 100}, 20, 5);
  const auto px = Pixels(dc.get(), 150, 100);
  EXPECT_EQ(px.RgbAt(75, 2), BackPattern(95, 22));  // above the frame
  EXPECT_EQ(px.RgbAt(0, 5), BackPattern(20, 25));   // outside the rounded corner
  EXPECT_EQ(px.RgbAt(8, 12), Rgb(kRed));
  EXPECT_EQ(px.RgbAt(140, 90), Rgb(kRed));

  HWND tab = form_.AddChild(L"SysTabControl32", 0, 10, 130, 200, 60);
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(L"page");
  SendMessageW(tab, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  form_.AddContainer(tab, kGreen, 255, 2);
  dc = SkinPaintParentBackground(tab, RECT{0, 0, 200, 60});
  const auto tabPx = Pixels(dc.get(), 200, 60);
  EXPECT_EQ(tabPx.RgbAt(100, 3), BackPattern(110, 133));  // the tab strip
  EXPECT_EQ(tabPx.RgbAt(100, 45), Rgb(kGreen));
  EXPECT_EQ(tabPx.RgbAt(199, 59), BackPattern(209, 189));  // one pixel short of the client edge
}

// Without a skinned ancestor there is nothing to copy: the memory DC is not
// even made, so none can be left behind.
TEST_F(ParentBackgroundTest, NoSkinnedAncestorGivesNothingAndLeaksNothing) {
  testsupport::TestWindow plain(120, 80, L"plain", WS_POPUP | WS_VISIBLE);
  HWND orphan = plain.AddChild(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 5, 6, 40, 20);
  const long objects = korvath::platform::LiveGdiObjectCount();
  const size_t dcs = SkinMemoryDcList.size();
  for (int i = 0; i < 50; ++i) EXPECT_FALSE(SkinPaintParentBackground(orphan, RECT{0, 0, 40, 20}));
  EXPECT_EQ(korvath::platform::LiveGdiObjectCount(), objects);
  EXPECT_EQ(SkinMemoryDcList.size(), dcs);
}

}  // namespace
