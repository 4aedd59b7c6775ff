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

constexpr int kDepth = 15;
constexpr int kW = 330;  // a 300 x 150 message box with depth 15
constexpr int kH = 180;

// The shadow drawn onto a transparent bitmap, read as alpha values.
struct ShadowPicture {
  korvath::gdip::Bitmap bitmap;
  ShadowPicture(int32_t position, int32_t depth = kDepth, int w = kW, int h = kH, bool square = false) {
    if (!bitmap.CreateWithFormat(w, h)) return;
    korvath::gdip::Graphics g;
    g.FromImage(bitmap);
    ShadowBuildImage(g, position, depth, RGB(0, 0, 0), 80, w, h, square);
  }
  int operator()(int x, int y) const { return int(bitmap.GetPixel(x, y) >> 24); }
};

TEST(ShadowBuildImage, SidesAreDrawnWhereTheirBitsAreSetAndNeverInsideTheOwner) {
  const ShadowPicture frame(15), bottomRight(10), none(0), square(15, kDepth, kW, kH, true);
  const int left = frame(kDepth - 2, kH / 2), top = frame(kW / 2, kDepth - 2);
  const int right = frame(kW - kDepth + 1, kH / 2), bottom = frame(kW / 2, kH - kDepth + 1);
  EXPECT_GT(left, 0);
  EXPECT_GT(top, 0);
  EXPECT_GT(right, 0);
  EXPECT_GT(bottom, 0);
  EXPECT_EQ(frame(kW / 2, kH / 2), 0);  // the owner's area
  EXPECT_EQ(frame(kDepth + 5, kH / 2), 0);
  EXPECT_GT(frame(kW / 2, kH - kDepth + 2), frame(kW / 2, kDepth - 3));  // darker below
  for (int x = 0; x < kW; x += 7) EXPECT_LE(frame(x, kH - kDepth + 1), 200) << x;
  // A rounded cut-out leaves shadow in the owner's very corner, a plain one not.
  EXPECT_GT(frame(kDepth, kDepth), 0);
  EXPECT_EQ(square(kDepth, kDepth), 0);
  EXPECT_GT(bottomRight(kW / 2, kH - kDepth + 1), 0);
  EXPECT_GT(bottomRight(kW - kDepth + 1, kH / 2), 0);
  EXPECT_EQ(bottomRight(kW / 2, kDepth - 2), 0);
  EXPECT_EQ(bottomRight(kDepth - 2, kH / 2), 0);
  EXPECT_EQ(bottomRight(kW - kDepth + 1, kDepth + 3), 0);  // the right strip starts d + 5 down
  for (int y = 0; y < kH; y += 5)
    for (int x = 0; x < kW; x += 5) ASSERT_EQ(none(x, y), 0) << x << "," << y;
}

// A depth of 0 or below, or an area narrower than the blur, would divide by
// zero: nothing is drawn instead.
TEST(ShadowBuildImage, ZeroDepthOrATinyAreaDrawsNothing) {
  const ShadowPicture flat(15, 0), negative(15, -4), tiny(15, kDepth, 6, 6);
  EXPECT_EQ(flat(5, kH / 2), 0);
  EXPECT_EQ(flat(kW / 2, 5), 0);
  EXPECT_EQ(negative(5, kH / 2), 0);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(tiny(x, y), 0);
}

int g_ownerPresses = 0;
LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCLBUTTONDOWN && wParam == HTCAPTION) return ++g_ownerPresses, 0;  // the move loop
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ShadowWindowTest, TheShadowIsPushedToTheScreenAroundItsOwner) {
  SkinEngineStartup();
  const long start = korvath::platform::LiveGdiObjectCount();
  {
    testsupport::TestWindow back(500, 400, L"back", WS_POPUP | WS_VISIBLE, nullptr, RGB(255, 255, 255));
    SetWindowPos(back.hwnd(), nullptr, 50, 50, 500, 400, SWP_NOZORDER);
    testsupport::TestWindow owner(300, 150, L"owner", WS_POPUP | WS_VISIBLE, OwnerProc, RGB(0, 128, 0));
    SetWindowPos(owner.hwnd(), HWND_TOP, 150, 150, 300, 150, 0);
    auto record = std::make_unique<SkinWindowRecord>();
    record->Window = owner.hwnd();
    const int32_t n = SkinAppendWindowRecord(std::move(record));
    HWND shadow = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, L"yinyWindow", L"", WS_POPUP, 135, 135, kW,
                                  kH, owner.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SetSkinProp(shadow, prop::Yyck_yysd, kDepth);
    SetSkinProp(shadow, prop::Yyck_yyWz, 15);
    SetSkinProp(shadow, prop::Yyck_Tmd, 80);
    SetSkinPropHandle(shadow, prop::Yyck_Glck, owner.hwnd());
    ShadowRedraw(shadow);
    ShowWindow(shadow, SW_SHOWNOACTIVATE);
    SetWindowPos(owner.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    testsupport::PumpMessages(150);
    EXPECT_TRUE(SkinMemoryDcList.empty());  // the surface went with the paint
    const testsupport::PixelBuffer seen = testsupport::CaptureWindow(shadow);
    ASSERT_EQ(seen.width, kW);
    // Darker than the white behind it along the bottom frame; the owner untouched.
    EXPECT_LT(seen.RgbAt(kW / 2, kH - kDepth + 1) & 0xFF, 0xF0u) << std::hex << seen.RgbAt(kW / 2, kH - 14);
    EXPECT_TRUE(testsupport::ColorNear(seen.RgbAt(kW / 2, kH / 2), 0x008000));
    if (HasFailure()) testsupport::SaveFailureImage(seen, "shadow_window");
    // A press drags the owner only when its record says so.
    g_ownerPresses = 0;
    SendMessageW(shadow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(g_ownerPresses, 0);
    SkinRecordAt(n)->ShadowDragsOwner = true;
    SendMessageW(shadow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(g_ownerPresses, 1);
    DestroyWindow(shadow);
  }
  SkinEngineShutdown();
  EXPECT_EQ(korvath::platform::LiveGdiObjectCount(), start);
}

}  // namespace
