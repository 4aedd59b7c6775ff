// The drop shadow's window: its class as the engine's start registers it,
// its picture on the sides its position names, its owner's record, and the
// picture builder's guards.
#include "skin/shadow/shadow_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/engine/start.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using testsupport::TestWindow;

// Every test leaves the live-object count where it found it.
using SurfaceTest = korvath::skin::test::GdiCountedEngineTest;

// The engine's start registers the shadows' class with the shadow's
// procedure and the program's icon, beside the initialiser's own class.
TEST(ShadowClass, TheEnginesStartRegistersItWithTheShadowsProcedure) {
  const korvath::skin::test::EngineGlobals engine;
  SkinEngineStart();
  WNDCLASSEXW cls{sizeof cls};
  EXPECT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"hbfcWindow", &cls));
  ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"yinyWindow", &cls));
  EXPECT_EQ(cls.lpfnWndProc, &ShadowWndProc);
  EXPECT_EQ(cls.hIcon, SkinEngine.options.AppIcon);
}

// A shadow is drawn anew whenever its window changes size, on the sides its
// position names (1 top, 2 bottom); the owner's area stays clear.
TEST_F(SurfaceTest, AResizedShadowShowsOnTheSidesItsPositionNames) {
  TestWindow back(300, 200, L"back", WS_POPUP | WS_VISIBLE, nullptr, RGB(0, 0, 255));
  SetWindowPos(back.hwnd(), nullptr, 100, 100, 300, 200, SWP_NOZORDER);
  SkinRegisterWindowClass(L"yinyWindow", ShadowWndProc);
  for (const int position : {1, 2}) {
    SCOPED_TRACE(position);
    HWND shadow = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"yinyWindow", L"",
                                  WS_POPUP, 150, 130, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetSkinProp(shadow, prop::Yyck_yyWz, position);
    SetSkinProp(shadow, prop::Yyck_yysd, 15);
    SetSkinProp(shadow, prop::Yyck_yyys, RGB(255, 0, 0));
    SetSkinProp(shadow, prop::Yyck_Tmd, 255);
    SetWindowPos(shadow, nullptr, 0, 0, 200, 120, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(shadow, SW_SHOWNOACTIVATE);
    auto shown = [&](int x, int y) { return testsupport::CaptureWindow(shadow).RgbAt(x, y) != 0x0000FFu; };
    EXPECT_TRUE(testsupport::PumpUntil([&] { return shown(100, position == 1 ? 11 : 109); }));
    EXPECT_FALSE(shown(100, position == 1 ? 109 : 11));
    EXPECT_FALSE(shown(100, 60));
    if (HasFailure()) testsupport::SaveFailureImage(testsupport::CaptureWindow(shadow), "shadow_sides");
    RECT place{};
    GetWindowRect(shadow, &place);
    DestroyWindow(shadow);
    // The next shadow takes the same place: the screen shows the back there
    // again first, or a side of this one could pass for a side of the next.
    EXPECT_TRUE(testsupport::PumpUntil([&] {
      const testsupport::PixelBuffer screen = testsupport::CaptureScreen(place);
      return screen.RgbAt(100, 11) == 0x0000FFu && screen.RgbAt(100, 109) == 0x0000FFu;
    }));
  }
}

std::vector<WPARAM> ownerPresses;  // the non-client presses the owner got
LRESULT CALLBACK RecordOwnerPress(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Kept from the system, whose move loop would wait for the mouse.
  if (message == WM_NCLBUTTONDOWN) return ownerPresses.push_back(wParam), 0;
  return DefWindowProcW(window, message, wParam, lParam);
}

// A shadow goes by its owner's record, found for each message that needs
// it: a resize draws it and marks it drawn in the record; a press moves an
// owner that drags by its shadow, by its caption, and no other owner.
TEST_F(SurfaceTest, AShadowDrawsAndMovesItsOwnerAsTheOwnersRecordSays) {
  SkinRegisterWindowClass(L"yinyWindow", ShadowWndProc);
  TestWindow owner(300, 200, L"owner", WS_POPUP | WS_VISIBLE, RecordOwnerPress);
  auto made = std::make_unique<SkinWindowRecord>();
  made->Window = owner.hwnd();
  SkinWindowRecord& record = *SkinAppendWindowRecord(std::move(made));
  HWND shadow = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"yinyWindow", L"", WS_POPUP, 150, 130, 10, 10,
                                nullptr, nullptr, nullptr, nullptr);
  SetSkinPropHandle(shadow, prop::Yyck_Glck, owner.hwnd());
  SetSkinProp(shadow, prop::Yyck_yyWz, 15);
  SetSkinProp(shadow, prop::Yyck_yysd, 15);
  SetSkinProp(shadow, prop::Yyck_Tmd, 255);
  ASSERT_FALSE(record.ShadowDrawn);
  SetWindowPos(shadow, nullptr, 0, 0, 200, 120, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(record.ShadowDrawn);

  ownerPresses.clear();
  SendMessageW(shadow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(ownerPresses.empty());
  record.ShadowDragsOwner = true;
  SendMessageW(shadow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(ownerPresses, std::vector<WPARAM>{HTCAPTION});
  DestroyWindow(shadow);
}

// A depth of 0 or below, or an area narrower than the blur, would divide by
// zero: the shadow of a 300 x 150 box is then fully transparent.
TEST(ShadowBuildImage, FramesTheOwnerAndDrawsNothingForDepthZero) {
  auto alpha = [](int32_t depth, int w, int h, int x, int y) {
    korvath::gdip::Bitmap bitmap;
    korvath::gdip::Graphics g;
    EXPECT_TRUE(bitmap.CreateWithFormat(w, h) && g.FromImage(bitmap));
    ShadowBuildImage(g, 15, depth, RGB(0, 0, 0), 80, w, h, false);
    return int(bitmap.GetPixel(x, y) >> 24);
  };
  EXPECT_GT(alpha(15, 330, 180, 13, 90), 0);
  EXPECT_GT(alpha(15, 330, 180, 165, 166), alpha(15, 330, 180, 165, 12));  // darker below
  EXPECT_EQ(alpha(15, 330, 180, 165, 90), 0);  // the owner's area
  EXPECT_EQ(alpha(0, 330, 180, 5, 90), 0);
  EXPECT_EQ(alpha(-4, 330, 180, 5, 90), 0);
  EXPECT_EQ(alpha(15, 6, 6, 3, 3), 0);
}

}  // namespace
