#include "skin/core/layered_window.h"

#include <gtest/gtest.h>

#include <cstring>

#include "skin/core/engine_state.h"
#include "skin/core/memory_dc.h"
#include "skin/core/window_list.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using korvath::platform::DibSection;
using korvath::platform::GdiBrush;
using korvath::platform::LiveGdiObjectCount;
using testsupport::PixelBuffer;
using testsupport::TestWindow;

constexpr int kWidth = 120;
constexpr int kHeight = 80;

HWND MakePopup(int x, int y, DWORD exStyle = WS_EX_LAYERED | WS_EX_TOPMOST) {
  return CreateWindowExW(exStyle | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, x, y, kWidth, kHeight,
                         nullptr, nullptr, nullptr, nullptr);
}

// A registered picture: opaque red on the left third, half-transparent
// green (premultiplied) in the middle third, nothing on the right third.
HDC MakeAlphaPicture() {
  HDC dc = SkinCreateMemoryDC(RECT{0, 0, kWidth, kHeight});
  DIBSECTION section{};
  GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof section, &section);
  auto* bits = static_cast<uint32_t*>(section.dsBm.bmBits);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      uint32_t pixel = 0;
      if (x < kWidth / 3) pixel = 0xFFFF0000u;
      else if (x < 2 * kWidth / 3) pixel = 0x80008000u;
      bits[y * kWidth + x] = pixel;
    }
  }
  return dc;
}

class LayeredWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramGlobalsInit();
    start_ = LiveGdiObjectCount();
  }
  void TearDown() override {
    ProgramGlobalsRelease();
    EXPECT_EQ(LiveGdiObjectCount(), start_);
  }
  long start_ = 0;
};

TEST_F(LayeredWindowTest, PerPixelAlphaShowsTheBackgroundThroughTransparentPixels) {
  TestWindow back(300, 200, L"back", WS_POPUP | WS_VISIBLE, nullptr, RGB(0, 0, 255));
  SetWindowPos(back.hwnd(), nullptr, 100, 100, 300, 200, SWP_NOZORDER);
  HWND popup = MakePopup(150, 130);
  HDC picture = MakeAlphaPicture();
  SkinUpdateLayered(popup, {.sourceDc = picture});
  ShowWindow(popup, SW_SHOWNOACTIVATE);
  testsupport::PumpMessages(150);

  // Placed at its own window rectangle, from source point (0, 0).
  RECT placed{};
  GetWindowRect(popup, &placed);
  EXPECT_EQ(placed.left, 150);
  EXPECT_EQ(placed.top, 130);
  EXPECT_EQ(placed.right - placed.left, kWidth);
  PixelBuffer seen = testsupport::CaptureWindow(popup);
  ASSERT_EQ(seen.width, kWidth);
  EXPECT_TRUE(testsupport::ColorNear(seen.RgbAt(15, 40), 0xFF0000)) << std::hex << seen.RgbAt(15, 40);
  EXPECT_TRUE(testsupport::ColorNear(seen.RgbAt(2, 2), 0xFF0000));
  EXPECT_TRUE(testsupport::ColorNear(seen.RgbAt(kWidth - 15, 40), 0x0000FF))
      << std::hex << seen.RgbAt(kWidth - 15, 40);
  EXPECT_TRUE(testsupport::ColorNear(seen.RgbAt(kWidth - 2, kHeight - 2), 0x0000FF));
  // Half-transparent pixels: X without a compositor shows them unblended, so
  // only their green is certain on screen; the picture holds the alpha.
  EXPECT_GT((seen.RgbAt(kWidth / 2, 40) >> 8) & 0xFF, 0x60u);
  DIBSECTION section{};
  GetObjectW(GetCurrentObject(picture, OBJ_BITMAP), sizeof section, &section);
  EXPECT_EQ(static_cast<uint32_t*>(section.dsBm.bmBits)[40 * kWidth + kWidth / 2], 0x80008000u);
  if (HasFailure()) testsupport::SaveFailureImage(seen, "layered_alpha");
  DestroyWindow(popup);
  SkinMemoryDcFree(picture);
}

TEST_F(LayeredWindowTest, WithoutASourceTheRecordsBackBufferIsShown) {
  TestWindow back(300, 200, L"back", WS_POPUP | WS_VISIBLE, nullptr, RGB(0, 0, 255));
  SetWindowPos(back.hwnd(), nullptr, 100, 100, 300, 200, SWP_NOZORDER);
  HWND popup = MakePopup(150, 130);
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = popup;
  record->BackDC = SkinMemoryDc(MakeAlphaPicture());
  SkinAppendWindowRecord(std::move(record));
  SkinUpdateLayered(popup);
  ShowWindow(popup, SW_SHOWNOACTIVATE);
  testsupport::PumpMessages(150);
  PixelBuffer seen = testsupport::CaptureWindow(popup);
  EXPECT_TRUE(testsupport::ColorNear(seen.RgbAt(15, 40), 0xFF0000));
  EXPECT_TRUE(testsupport::ColorNear(seen.RgbAt(kWidth - 15, 40), 0x0000FF));
  if (HasFailure()) testsupport::SaveFailureImage(seen, "layered_backbuffer");

  // A window without a record and without a source is left alone.
  HWND other = MakePopup(150, 130);
  SkinUpdateLayered(other, {.x = 10, .y = 10});
  RECT untouched{};
  GetWindowRect(other, &untouched);
  EXPECT_EQ(untouched.left, 150);
  DestroyWindow(other);
  SkinRemoveWindowRecord(1);
  DestroyWindow(popup);
}

TEST_F(LayeredWindowTest, AGivenPlaceAndSizeMoveAndShrinkTheWindow) {
  HWND popup = MakePopup(150, 130);
  HDC picture = MakeAlphaPicture();
  SkinUpdateLayered(popup, {.sourceDc = picture, .x = 200, .y = 220, .width = 60, .height = 40});
  RECT placed{};
  GetWindowRect(popup, &placed);
  EXPECT_EQ(placed.left, 200);
  EXPECT_EQ(placed.top, 220);
  EXPECT_EQ(placed.right, 260);
  EXPECT_EQ(placed.bottom, 260);
  DestroyWindow(popup);
  SkinMemoryDcFree(picture);
}

// Paints its left half magenta, its right half green.
LRESULT CALLBACK KeyedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    korvath::platform::PaintScope paint(window);
    RECT client{};
    GetClientRect(window, &client);
    RECT left = client;
    left.right = client.right / 2;
    RECT right = client;
    right.left = left.right;
    GdiBrush magenta(CreateSolidBrush(RGB(255, 0, 255)));
    GdiBrush green(CreateSolidBrush(RGB(0, 255, 0)));
    FillRect(paint.dc(), &left, magenta.get());
    FillRect(paint.dc(), &right, green.get());
    return 0;
  }
  if (message == WM_STYLECHANGED && wParam == WPARAM(GWL_EXSTYLE)) {
    SetPropW(window, L"styleWrites", HANDLE(INT_PTR(GetPropW(window, L"styleWrites")) + 1));
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(LayeredWindowTest, TheColourKeyCutsOutMagenta) {
  TestWindow back(300, 200, L"back", WS_POPUP | WS_VISIBLE, nullptr, RGB(0, 0, 255));
  SetWindowPos(back.hwnd(), nullptr, 100, 100, 300, 200, SWP_NOZORDER);
  TestWindow keyed(kWidth, kHeight, L"keyed", WS_POPUP | WS_VISIBLE, KeyedProc);
  SetWindowPos(keyed.hwnd(), HWND_TOP, 150, 130, kWidth, kHeight, 0);
  SkinSetWindowAlpha(keyed.hwnd(), 255);
  RedrawWindow(keyed.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  testsupport::PumpMessages(150);

  EXPECT_TRUE(GetWindowLongW(keyed.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(keyed.hwnd(), &key, &alpha, &flags));
  EXPECT_EQ(key, RGB(255, 0, 255));
  EXPECT_EQ(alpha, 255);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));

  PixelBuffer seen = testsupport::CaptureWindow(keyed.hwnd());
  EXPECT_TRUE(testsupport::ColorNear(seen.RgbAt(15, 40), 0x0000FF)) << std::hex << seen.RgbAt(15, 40);
  EXPECT_TRUE(testsupport::ColorNear(seen.RgbAt(kWidth - 15, 40), 0x00FF00))
      << std::hex << seen.RgbAt(kWidth - 15, 40);
  if (HasFailure()) testsupport::SaveFailureImage(seen, "layered_key");

  SkinSetWindowAlpha(keyed.hwnd(), 220, RGB(0, 255, 0));
  ASSERT_TRUE(GetLayeredWindowAttributes(keyed.hwnd(), &key, &alpha, &flags));
  EXPECT_EQ(key, RGB(0, 255, 0));
  EXPECT_EQ(alpha, 220);
}

LONG_PTR StyleWrites(HWND window) { return LONG_PTR(GetPropW(window, L"styleWrites")); }

TEST_F(LayeredWindowTest, EnsureLayeredOnlyEverAddsBits) {
  TestWindow plain(60, 40, L"plain", WS_POPUP, KeyedProc);
  HWND w = plain.hwnd();
  SkinEnsureLayered(w);
  EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  const LONG_PTR writes = StyleWrites(w);
  EXPECT_EQ(writes, 1);
  SkinEnsureLayered(w);        // already layered: nothing written
  SkinEnsureLayered(w, true);  // layered already: does not become transparent
  EXPECT_EQ(StyleWrites(w), writes);
  EXPECT_FALSE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TRANSPARENT);

  TestWindow fresh(60, 40, L"fresh", WS_POPUP, KeyedProc);
  SkinEnsureLayered(fresh.hwnd(), true);
  const LONG ex = GetWindowLongW(fresh.hwnd(), GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(ex & WS_EX_TRANSPARENT);

  TestWindow seeThrough(60, 40, L"see-through", WS_POPUP, KeyedProc);
  SetWindowLongW(seeThrough.hwnd(), GWL_EXSTYLE, GetWindowLongW(seeThrough.hwnd(), GWL_EXSTYLE) | WS_EX_TRANSPARENT);
  SkinEnsureLayered(seeThrough.hwnd(), true);
  EXPECT_FALSE(GetWindowLongW(seeThrough.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(LayeredWindowTest, RectInParentWindowCountsTheParentsFrame) {
  TestWindow parent(300, 200, L"framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND child = parent.AddChild(L"BUTTON", L"c", WS_CHILD | WS_VISIBLE, 5, 7, 40, 20);
  RECT outer{};
  GetWindowRect(parent.hwnd(), &outer);
  POINT client{0, 0};
  ClientToScreen(parent.hwnd(), &client);
  const LONG frameX = client.x - outer.left;
  const LONG frameY = client.y - outer.top;
  ASSERT_GT(frameY, frameX);  // a caption
  RECT r = SkinRectInParentWindow(child);
  EXPECT_EQ(r.left, 5 + frameX);
  EXPECT_EQ(r.top, 7 + frameY);
  EXPECT_EQ(r.right, 45 + frameX);
  EXPECT_EQ(r.bottom, 27 + frameY);

  // A skinned top-level window: the empty rectangle.
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = parent.hwnd();
  SkinAppendWindowRecord(std::move(record));
  r = SkinRectInParentWindow(parent.hwnd());
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, 0);
  EXPECT_EQ(r.bottom, 0);
  // Without a parent: the window's screen rectangle.
  TestWindow lone(50, 30, L"lone", WS_POPUP);
  SetWindowPos(lone.hwnd(), nullptr, 40, 60, 50, 30, SWP_NOZORDER);
  r = SkinRectInParentWindow(lone.hwnd());
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 60);
  EXPECT_EQ(r.right, 90);
}

}  // namespace
