#include "skin/core/shadow_window.h"

#include <gtest/gtest.h>

#include <memory>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using korvath::gdip::Bitmap;
using korvath::gdip::Graphics;
using korvath::platform::LiveGdiObjectCount;

constexpr int kDepth = 15;
constexpr int kW = 330;  // a 300 x 150 message box with depth 15
constexpr int kH = 180;

// The shadow drawn onto a transparent bitmap, as alpha values.
struct ShadowPicture {
  Bitmap bitmap;
  int Alpha(int x, int y) const { return int(bitmap.GetPixel(x, y) >> 24); }
};

std::unique_ptr<ShadowPicture> Build(int32_t position, int32_t depth = kDepth, int w = kW, int h = kH,
                                     bool square = false) {
  auto picture = std::make_unique<ShadowPicture>();
  if (!picture->bitmap.CreateWithFormat(w, h)) return picture;
  Graphics g;
  g.FromImage(picture->bitmap);
  ShadowBuildImage(g, position, depth, RGB(0, 0, 0), 80, w, h, square);
  EXPECT_TRUE(g.IsClipEmpty() == false);  // the clip is reset afterwards
  return picture;
}

TEST(ShadowBuildImage, AFrameAroundTheOwnerAndNothingInside) {
  auto shadow = Build(15);
  EXPECT_GT(shadow->Alpha(kDepth - 2, kH / 2), 0);        // left frame
  EXPECT_GT(shadow->Alpha(kW - kDepth + 1, kH / 2), 0);   // right frame
  EXPECT_GT(shadow->Alpha(kW / 2, kH - kDepth + 1), 0);   // bottom frame
  EXPECT_GT(shadow->Alpha(kW / 2, kDepth - 2), 0);        // top frame
  EXPECT_EQ(shadow->Alpha(kW / 2, kH / 2), 0);            // the owner's area
  EXPECT_EQ(shadow->Alpha(kDepth + 5, kH / 2), 0);
  EXPECT_EQ(shadow->Alpha(kW - kDepth - 5, kH / 2), 0);
  // The shadow falls towards the bottom: darker below than above.
  EXPECT_GT(shadow->Alpha(kW / 2, kH - kDepth + 2), shadow->Alpha(kW / 2, kDepth - 3));
  // Four draws of the small layer: alpha a becomes 1 - (1 - a)^4 at most.
  for (int x = 0; x < kW; x += 7) EXPECT_LE(shadow->Alpha(x, kH - kDepth + 1), 200) << x;
}

TEST(ShadowBuildImage, APlainCutOutLeavesTheCornersOfTheOwnersArea) {
  auto rounded = Build(15, kDepth, kW, kH, false);
  auto square = Build(15, kDepth, kW, kH, true);
  // The owner's very corner: a rounded cut-out leaves shadow there, a plain
  // one does not.
  EXPECT_GT(rounded->Alpha(kDepth, kDepth), 0);
  EXPECT_EQ(square->Alpha(kDepth, kDepth), 0);
  EXPECT_EQ(rounded->Alpha(kDepth + 3, kDepth + 3), 0);
  EXPECT_GT(square->Alpha(kDepth - 2, kH / 2), 0);
}

TEST(ShadowBuildImage, SidesAreDrawnOnlyWhereTheirBitsAreSet) {
  auto none = Build(0);
  for (int y = 0; y < kH; y += 5) {
    for (int x = 0; x < kW; x += 5) ASSERT_EQ(none->Alpha(x, y), 0) << x << "," << y;
  }
  auto bottomRight = Build(10);  // bottom and right
  EXPECT_GT(bottomRight->Alpha(kW / 2, kH - kDepth + 1), 0);
  EXPECT_GT(bottomRight->Alpha(kW - kDepth + 1, kH / 2), 0);
  EXPECT_EQ(bottomRight->Alpha(kW / 2, kDepth - 2), 0);
  EXPECT_EQ(bottomRight->Alpha(kDepth - 2, kH / 2), 0);
  // The right strip starts d + 5 below the top.
  EXPECT_EQ(bottomRight->Alpha(kW - kDepth + 1, kDepth + 3), 0);

  auto all = Build(31);  // four side bits: four strips, not a frame
  EXPECT_GT(all->Alpha(kDepth - 2, kH / 2), 0);
  EXPECT_GT(all->Alpha(kW / 2, kDepth - 2), 0);
  EXPECT_EQ(all->Alpha(kW / 2, kH / 2), 0);
}

TEST(ShadowBuildImage, ZeroDepthOrATinyAreaDrawsNothingAndDoesNotFail) {
  auto flat = Build(15, 0);
  EXPECT_EQ(flat->Alpha(5, kH / 2), 0);
  EXPECT_EQ(flat->Alpha(kW / 2, 5), 0);
  auto negative = Build(15, -4);
  EXPECT_EQ(negative->Alpha(5, kH / 2), 0);
  auto tiny = Build(15, kDepth, 6, 6);  // narrower than 0.6 d
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) EXPECT_EQ(tiny->Alpha(x, y), 0);
  }
}

int g_ownerPresses = 0;
LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCLBUTTONDOWN && wParam == HTCAPTION) {
    ++g_ownerPresses;  // stands in for the platform's move loop
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class ShadowWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SkinEngineStartup();
    start_ = LiveGdiObjectCount();
  }
  void TearDown() override {
    SkinEngineShutdown();
    EXPECT_EQ(LiveGdiObjectCount(), start_);
  }

  // A shadow window as the shadow attach makes one around `owner`.
  static HWND MakeShadow(HWND owner, int depth, int position) {
    RECT r{};
    GetWindowRect(owner, &r);
    HWND shadow = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, L"yinyWindow", L"",
                                  WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, r.left - depth,
                                  r.top - depth, r.right - r.left + 2 * depth,
                                  r.bottom - r.top + 2 * depth, owner, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SetSkinProp(shadow, prop::Yyck_yysd, depth);
    SetSkinProp(shadow, prop::Yyck_yyys, 0);
    SetSkinProp(shadow, prop::Yyck_yyWz, position);
    SetSkinProp(shadow, prop::Yyck_Tmd, 80);
    SetSkinPropHandle(shadow, prop::Yyck_Glck, owner);
    return shadow;
  }
  long start_ = 0;
};

TEST_F(ShadowWindowTest, TheShadowIsPushedToTheScreenAroundItsOwner) {
  testsupport::TestWindow back(500, 400, L"back", WS_POPUP | WS_VISIBLE, nullptr, RGB(255, 255, 255));
  SetWindowPos(back.hwnd(), nullptr, 50, 50, 500, 400, SWP_NOZORDER);
  testsupport::TestWindow owner(300, 150, L"owner", WS_POPUP | WS_VISIBLE, OwnerProc, RGB(0, 128, 0));
  SetWindowPos(owner.hwnd(), HWND_TOP, 150, 150, 300, 150, 0);
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = owner.hwnd();
  record->HasBorder = true;
  SkinAppendWindowRecord(std::move(record));

  HWND shadow = MakeShadow(owner.hwnd(), kDepth, 15);
  ShadowRedraw(shadow);
  ShowWindow(shadow, SW_SHOWNOACTIVATE);
  SetWindowPos(owner.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  testsupport::PumpMessages(150);
  EXPECT_TRUE(SkinMemoryDcList.empty());  // the surface went with the paint

  testsupport::PixelBuffer seen = testsupport::CaptureWindow(shadow);
  ASSERT_EQ(seen.width, kW);
  // Darker than the white behind it along the bottom frame; the owner itself
  // is untouched.
  EXPECT_LT(seen.RgbAt(kW / 2, kH - kDepth + 1) & 0xFF, 0xF0u) << std::hex << seen.RgbAt(kW / 2, kH - kDepth + 1);
  EXPECT_TRUE(testsupport::ColorNear(seen.RgbAt(kW / 2, kH / 2), 0x008000));
  if (HasFailure()) testsupport::SaveFailureImage(seen, "shadow_window");

  // Resizing the shadow rebuilds it (WM_SIZE) without leaking its surface.
  SetWindowPos(shadow, nullptr, 0, 0, kW + 20, kH + 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(SkinMemoryDcList.empty());
  DestroyWindow(shadow);
}

TEST_F(ShadowWindowTest, APressDragsTheOwnerOnlyWhenItsRecordSaysSo) {
  testsupport::TestWindow owner(200, 100, L"owner", WS_POPUP | WS_VISIBLE, OwnerProc);
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = owner.hwnd();
  const int32_t n = SkinAppendWindowRecord(std::move(record));
  HWND shadow = MakeShadow(owner.hwnd(), 10, 15);
  g_ownerPresses = 0;
  SendMessageW(shadow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(g_ownerPresses, 0);
  SkinRecordAt(n)->ShadowDragsOwner = true;
  SendMessageW(shadow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(g_ownerPresses, 1);
  DestroyWindow(shadow);
}

TEST_F(ShadowWindowTest, AShadowWithoutSettingsOrRecordStaysQuiet) {
  testsupport::TestWindow owner(200, 100, L"owner", WS_POPUP | WS_VISIBLE, OwnerProc);
  // Created before its properties are set: WM_SIZE redraws with depth 0.
  HWND shadow = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, L"yinyWindow", L"", WS_POPUP, 0, 0,
                                220, 120, owner.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(shadow, nullptr);
  ShadowRedraw(shadow);
  SendMessageW(shadow, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_TRUE(SkinMemoryDcList.empty());
  DestroyWindow(shadow);
}

}  // namespace
