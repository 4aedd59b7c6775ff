// Close animations, the layered-painting operations they stand on, and the
// working-set trim: the frames a real window goes through, the snapshot and
// composition of its picture, and what the trim does and does not do.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/gdi_object.h"
#include "skin/close_effect/close_animations.h"
#include "skin/close_effect/layered_painting.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/alpha_blend.h"
#include "skin/draw/memory_dc.h"
#include "skin/engine/attach.h"
#include "skin/engine/start.h"
#include "skin/form/form_attach.h"
#include "skin/form/working_set_trim.h"
#include "skin/message_box/dialog_skin_attach.h"
#include "skin/shadow/drop_shadow.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using testsupport::PixelBuffer;

struct Frame {
  int x, y, w, h;
  bool operator==(const Frame&) const = default;
};
void PrintTo(const Frame& f, std::ostream* out) { *out << "{" << f.x << ", " << f.y << ", " << f.w << ", " << f.h << "}"; }

// A visible window at (100, 100) of the given outer size; with a frame
// (caption and borders) its client area is smaller than its window.
HWND MakeWindow(int width, int height, bool framed) {
  const DWORD style = (framed ? WS_OVERLAPPEDWINDOW : WS_POPUP) | WS_VISIBLE;
  HWND window = CreateWindowExW(0, L"Static", L"", style, 100, 100, width, height, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  testsupport::PumpMessages(20);
  return window;
}

Frame Last(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

class CloseAnimationTest : public korvath::skin::test::EngineTest {
 protected:
  static void SetUpTestSuite() { SkinEngineStart(); }
  // Both DCs of every animation are freed.
  void TearDown() override { EXPECT_TRUE(SkinMemoryDcList().empty()); }
};

// Where each close effect leaves a window at (100, 100) after its tenth
// frame; the shrink also on a framed window, whose client area is smaller.
TEST_F(CloseAnimationTest, EachEffectEndsWhereItsRuleLeadsIt) {
  struct Case {
    int effect;
    int width, height;
    Frame last;
    bool framed = false;
  };
  const Case cases[] = {
      {1, 305, 207, {250, 200, 5, 7}},  // to the centre, 30 x 20 smaller each frame
      {1, 305, 207, {250, 200, 5, 7}, true},
      {2, 300, 460, {100, 95, 300, 460}},  // pulse: back to its size, 5 px higher (odd step 9)
      {3, 305, 207, {100, 100, 305, 207}},   // fades where it stands
      {4, 305, 207, {100, 200, 305, 7}},    // to the horizontal centre line
      {5, 305, 207, {100, 100, 305, 7}},    // upwards
      {6, 305, 207, {100, 300, 305, 7}},    // downwards
      {7, 305, 207, {100, 100, 5, 207}},    // leftwards
      {8, 305, 207, {400, 100, 5, 207}},    // rightwards
      {9, 305, 207, {250, 100, 5, 207}},    // to the vertical centre line
      {0, 305, 207, {100, 100, 305, 207}},   // none
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.effect);
    HWND window = MakeWindow(c.width, c.height, c.framed);
    SkinPlayCloseEffect(window, c.effect);
    if (c.effect) {
      EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    }
    EXPECT_EQ(Last(window), c.last);
    DestroyWindow(window);
  }
}

// The snapshot holds what the window shows, opaque, with the colour key
// transparent; SkinWindowSnapshot's DC has the window's outer size.
TEST_F(CloseAnimationTest, TheSnapshotIsOpaqueButForTheColourKey) {
  HWND window = MakeWindow(120, 80, false);
  {
    korvath::platform::WindowDC dc = korvath::platform::WindowDC::Whole(window);
    korvath::platform::GdiBrush green(CreateSolidBrush(RGB(0, 200, 0)));
    korvath::platform::GdiBrush key(CreateSolidBrush(RGB(255, 0, 255)));
    RECT all{0, 0, 120, 80}, corner{0, 0, 10, 10};
    FillRect(dc.get(), &all, green.get());
    FillRect(dc.get(), &corner, key.get());
  }
  SkinMemoryDc snapshot(SkinWindowSnapshot(window));
  const PixelBuffer p = testsupport::CaptureDC(snapshot.get(), 0, 0, 120, 80);
  EXPECT_EQ(p.At(60, 40), 0xFF00C800u);
  EXPECT_EQ(p.At(5, 5), 0u);
  DestroyWindow(window);
}

TEST_F(CloseAnimationTest, MemoryDcsFromGdiplusAreEmptyOrHoldTheImageAtItsOwnSize) {
  SkinMemoryDc empty(SkinCreateMemoryDCGdip(100, 50));
  BITMAP info{};
  GetObjectW(GetCurrentObject(empty.get(), OBJ_BITMAP), sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 100);
  EXPECT_EQ(info.bmHeight, 50);
  EXPECT_EQ(testsupport::CaptureDC(empty.get(), 0, 0, 100, 50).At(50, 25), 0u);
  SkinMemoryDc glyph(SkinCreateMemoryDCGdip(300, 300, CloseGlyphPng()));
  GetObjectW(GetCurrentObject(glyph.get(), OBJ_BITMAP), sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 38);
  EXPECT_EQ(info.bmHeight, 18);
  // Blending the glyph without an alpha: only its own alpha counts.
  SkinMemoryDc white = SkinMemoryDc::Create(38, 18);
  PatBlt(white.get(), 0, 0, 38, 18, WHITENESS);
  EXPECT_TRUE(SkinAlphaBlend(white.get(), 0, 0, 38, 18, glyph.get(), 0, 0, 38, 18));
  const PixelBuffer p = testsupport::CaptureDC(white.get(), 0, 0, 38, 18);
  EXPECT_LT(p.RgbAt(18, 8) & 0xFF, 0x60u);  // the dark centre of the cross
  EXPECT_EQ(p.RgbAt(2, 2), 0xFFFFFFu);      // transparent around it
}

TEST_F(CloseAnimationTest, ClearingTheLayeredStyleLeavesEveryOtherBit) {
  HWND window = MakeWindow(50, 50, false);
  SetWindowLongW(window, GWL_EXSTYLE, WS_EX_LAYERED | WS_EX_TOOLWINDOW);
  SkinClearLayeredStyle(window);
  EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TOOLWINDOW), WS_EX_TOOLWINDOW);
  SkinClearLayeredStyle(window);
  EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TOOLWINDOW), WS_EX_TOOLWINDOW);
  DestroyWindow(window);
}

// A window's picture composed from its background layer and its companion
// items; an item with a parent is cut out of what the foreground covers.
TEST_F(CloseAnimationTest, LayersComposeBackgroundItemsAndForeground) {
  HWND window = MakeWindow(40, 30, false);
  SkinMemoryDc background(SkinCreateMemoryDCGdip(40, 30));
  SkinMemoryDc item(SkinCreateMemoryDCGdip(10, 10));
  SkinMemoryDc foreground(SkinCreateMemoryDCGdip(40, 30));
  auto fill = [](HDC dc, int w, int h, uint32_t argb) {
    DIBSECTION dib{};
    GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof dib, &dib);
    for (int i = 0; i < w * h; ++i) static_cast<uint32_t*>(dib.dsBm.bmBits)[i] = argb;
  };
  fill(background.get(), 40, 30, 0xFF0000FF);
  fill(item.get(), 10, 10, 0xFF00FF00);
  fill(foreground.get(), 40, 30, 0xFFFF0000);
  SetSkinPropHandle(window, prop::Fcsx_bjcj, background.get());
  SkinEngine.lists.CompanionWindowList.push_back({window,
                                 {CompanionItem{0, 2, item.get(), true, RECT{5, 5, 15, 15}},
                                  CompanionItem{0, 0, nullptr, true, RECT{0, 0, 40, 30}}}});
  SetSkinProp(window, prop::Fc_lbID, 1);
  auto composed = [window](int x, int y) {
    SkinMemoryDc dc(SkinComposeLayers(window));
    return testsupport::CaptureDC(dc.get(), 0, 0, 40, 30).RgbAt(x, y);
  };
  EXPECT_EQ(composed(30, 20), 0x0000FFu);  // the background
  EXPECT_EQ(composed(10, 10), 0x00FF00u);  // the item over it
  SetSkinPropHandle(window, prop::Fcsx_gycj, foreground.get());
  EXPECT_EQ(composed(30, 20), 0xFF0000u);  // the foreground over both
  EXPECT_EQ(composed(10, 10), 0x00FF00u);  // but not over an item with a parent
  DestroyWindow(window);
}

// A shadow reaches its depth beyond the window; attaching again with a new
// depth moves and resizes it; only a shadow that drags its owner takes the
// mouse; a window without a record gets none.
TEST_F(CloseAnimationTest, ShadowsAttachToRecordsAndTakeNewSettings) {
  HWND window = MakeWindow(300, 150, false);
  EXPECT_FALSE(ShadowAttach(window));
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = window;
  SkinAppendWindowRecord(std::move(record));
  ASSERT_TRUE(ShadowAttach(window, {.depth = 15, .alpha = 20}));
  HWND shadow = SkinRecordOfWindow(window)->ShadowWindow;
  EXPECT_EQ(Last(shadow), (Frame{85, 85, 330, 180}));
  EXPECT_TRUE(GetWindowLongW(shadow, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  ASSERT_TRUE(ShadowAttach(window, {.depth = 5, .dragOwner = true}));
  EXPECT_EQ(SkinRecordOfWindow(window)->ShadowWindow, shadow);
  EXPECT_EQ(Last(shadow), (Frame{95, 95, 310, 160}));
  EXPECT_EQ(GetSkinProp(shadow, prop::Yyck_Tmd), 80);
  EXPECT_FALSE(GetWindowLongW(shadow, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  DestroyWindow(window);
  EXPECT_FALSE(IsWindow(shadow));
}

// The trim writes no file and starts no program; it runs at most once per
// deactivation and never while the option keeps it off (its start-up value).
TEST_F(CloseAnimationTest, TheTrimRunsInProcessOncePerDeactivationAndOnlyWhenSwitchedOn) {
  SkinEngine.options.SkinOptTrimMemory = 1;
  EXPECT_FALSE(SkinTrimOnActivateApp(false));
  EXPECT_FALSE(SkinTrimWorkingSet());
  SkinEngine.options.SkinOptTrimMemory = 0;
  EXPECT_TRUE(SkinTrimOnActivateApp(false));
  EXPECT_FALSE(SkinTrimOnActivateApp(false));  // the next form of the same deactivation
  EXPECT_FALSE(SkinTrimOnActivateApp(true));
  EXPECT_TRUE(SkinTrimOnActivateApp(false));
  // Skinned forms trim as the application loses and regains activation.
  testsupport::TestWindow form(200, 100, L"form", WS_POPUP);
  FormSkinAttach(form.hwnd());
  SendMessageW(form.hwnd(), WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_FALSE(SkinEngine.forms.TrimDoneSinceActivation);
  SendMessageW(form.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_TRUE(SkinEngine.forms.TrimDoneSinceActivation);
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  EXPECT_EQ(GetFileAttributesW((std::wstring(windows) + L"\\empty.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Frames are pushed at the window's full size: a framed window (client area
// smaller than the window) shows its picture to its edges in the pulse's
// last frame, which has the starting size (at alpha 5, as the screen shows).
TEST_F(CloseAnimationTest, FramesOfAFramedWindowShowItsPictureToItsEdges) {
  HWND window = MakeWindow(300, 460, true);
  {
    korvath::platform::WindowDC dc = korvath::platform::WindowDC::Whole(window);
    korvath::platform::GdiBrush white(CreateSolidBrush(RGB(255, 255, 255)));
    RECT all{0, 0, 300, 460};
    FillRect(dc.get(), &all, white.get());
  }
  SkinAnimateEffect2(window);
  korvath::platform::WindowDC screen = korvath::platform::WindowDC::Client(nullptr);
  const PixelBuffer p = testsupport::CaptureDC(screen.get(), 100, 95, 300, 460);
  EXPECT_NE(p.RgbAt(150, 230), 0u);
  EXPECT_EQ(p.RgbAt(150, 457), p.RgbAt(150, 230));
  EXPECT_EQ(p.RgbAt(297, 230), p.RgbAt(150, 230));
  DestroyWindow(window);
}

}  // namespace
