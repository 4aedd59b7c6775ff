#include "skin/core/layered_window.h"

#include <gtest/gtest.h>

#include <memory>

#include "skin/core/engine_state.h"
#include "skin/core/memory_dc.h"
#include "skin/core/window_list.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using korvath::platform::GdiBrush;
using korvath::platform::LiveGdiObjectCount;
using testsupport::ColorNear;
using testsupport::PixelBuffer;
using testsupport::TestWindow;

constexpr int kWidth = 120;
constexpr int kHeight = 80;

HWND MakePopup() {
  return CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 150,
                         130, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
}

// A registered picture: opaque red on the left third, half-transparent
// green (premultiplied) in the middle third, nothing on the right third.
HDC MakeAlphaPicture() {
  HDC dc = SkinCreateMemoryDC(RECT{0, 0, kWidth, kHeight});
  DIBSECTION section{};
  GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof section, &section);
  auto* bits = static_cast<uint32_t*>(section.dsBm.bmBits);
  for (int i = 0; i < kWidth * kHeight; ++i) {
    const int x = i % kWidth;
    bits[i] = x < kWidth / 3 ? 0xFFFF0000u : x < 2 * kWidth / 3 ? 0x80008000u : 0;
  }
  return dc;
}

class LayeredWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramGlobalsInit();
    start_ = LiveGdiObjectCount();
    SetWindowPos(back_.hwnd(), nullptr, 100, 100, 300, 200, SWP_NOZORDER);
  }
  void TearDown() override {
    ProgramGlobalsRelease();
    EXPECT_EQ(LiveGdiObjectCount(), start_);
  }
  TestWindow back_{300, 200, L"back", WS_POPUP | WS_VISIBLE, nullptr, RGB(0, 0, 255)};
  long start_ = 0;
};

TEST_F(LayeredWindowTest, PerPixelAlphaShowsTheBackgroundThroughTransparentPixels) {
  HWND given = MakePopup();
  HDC picture = MakeAlphaPicture();
  SkinUpdateLayered(given, {.sourceDc = picture});
  // Without a source, the record's back buffer is shown.
  HWND fromRecord = MakePopup();
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = fromRecord;
  record->BackDC = SkinMemoryDc(MakeAlphaPicture());
  SkinAppendWindowRecord(std::move(record));
  SkinUpdateLayered(fromRecord);
  for (HWND popup : {given, fromRecord}) {
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    testsupport::PumpMessages(150);
    PixelBuffer seen = testsupport::CaptureWindow(popup);
    ASSERT_EQ(seen.width, kWidth);
    EXPECT_TRUE(ColorNear(seen.RgbAt(15, 40), 0xFF0000)) << std::hex << seen.RgbAt(15, 40);
    EXPECT_TRUE(ColorNear(seen.RgbAt(2, 2), 0xFF0000));
    EXPECT_TRUE(ColorNear(seen.RgbAt(kWidth - 15, 40), 0x0000FF)) << std::hex << seen.RgbAt(kWidth - 15, 40);
    EXPECT_TRUE(ColorNear(seen.RgbAt(kWidth - 2, kHeight - 2), 0x0000FF));
    // X without a compositor shows half-transparent pixels unblended, so only
    // their green is certain on screen.
    EXPECT_GT((seen.RgbAt(kWidth / 2, 40) >> 8) & 0xFF, 0x60u);
    if (HasFailure()) testsupport::SaveFailureImage(seen, "layered_alpha");
    ShowWindow(popup, SW_HIDE);
  }
  // A given place and size move and shrink the window.
  SkinUpdateLayered(given, {.sourceDc = picture, .x = 200, .y = 220, .width = 60, .height = 40});
  RECT placed{};
  GetWindowRect(given, &placed);
  EXPECT_EQ(placed.left, 200);
  EXPECT_EQ(placed.top, 220);
  EXPECT_EQ(placed.right, 260);
  EXPECT_EQ(placed.bottom, 260);
  // A window without a record and without a source is left alone.
  HWND other = MakePopup();
  SkinUpdateLayered(other, {.x = 10, .y = 10});
  GetWindowRect(other, &placed);
  EXPECT_EQ(placed.left, 150);
  for (HWND w : {given, fromRecord, other}) DestroyWindow(w);
  SkinRemoveWindowRecord(1);
  SkinMemoryDcFree(picture);
}

// Paints its left half magenta, its right half green.
LRESULT CALLBACK KeyedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  korvath::platform::PaintScope paint(window);
  RECT left{0, 0, kWidth / 2, kHeight}, right{kWidth / 2, 0, kWidth, kHeight};
  FillRect(paint.dc(), &left, GdiBrush(CreateSolidBrush(RGB(255, 0, 255))).get());
  FillRect(paint.dc(), &right, GdiBrush(CreateSolidBrush(RGB(0, 255, 0))).get());
  return 0;
}

TEST_F(LayeredWindowTest, TheColourKeyCutsOutMagenta) {
  TestWindow keyed(kWidth, kHeight, L"keyed", WS_POPUP | WS_VISIBLE, KeyedProc);
  SetWindowPos(keyed.hwnd(), HWND_TOP, 150, 130, kWidth, kHeight, 0);
  SkinSetWindowAlpha(keyed.hwnd(), 255);
  RedrawWindow(keyed.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  testsupport::PumpMessages(150);
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(keyed.hwnd(), &key, &alpha, &flags));
  EXPECT_EQ(key, RGB(255, 0, 255));
  EXPECT_EQ(alpha, 255);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
  PixelBuffer seen = testsupport::CaptureWindow(keyed.hwnd());
  EXPECT_TRUE(ColorNear(seen.RgbAt(15, 40), 0x0000FF)) << std::hex << seen.RgbAt(15, 40);
  EXPECT_TRUE(ColorNear(seen.RgbAt(kWidth - 15, 40), 0x00FF00)) << std::hex << seen.RgbAt(kWidth - 15, 40);
  if (HasFailure()) testsupport::SaveFailureImage(seen, "layered_key");
  SkinSetWindowAlpha(keyed.hwnd(), 220, RGB(0, 255, 0));
  ASSERT_TRUE(GetLayeredWindowAttributes(keyed.hwnd(), &key, &alpha, &flags));
  EXPECT_EQ(key, RGB(0, 255, 0));
  EXPECT_EQ(alpha, 220);
}

}  // namespace
