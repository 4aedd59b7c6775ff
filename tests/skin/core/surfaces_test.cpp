// Layered windows and clipped DCs: the surfaces the engine paints on that
// read its records (the drop shadow's are the shadow family's; memory DCs
// and keyed copies are the drawing vocabulary's).
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <tuple>
#include <vector>

#include "skin/core/clipped_dc.h"
#include "skin/core/engine_state.h"
#include "skin/core/layered_window.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/memory_dc.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/skin/draw/surface_fixture.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;
using korvath::platform::GdiBrush;
using testsupport::ColorNear;
using testsupport::TestWindow;

// A registered picture: opaque red on the left third, half-transparent
// green (premultiplied) in the middle third, nothing on the right third.
HDC MakeAlphaPicture() {
  HDC dc = SkinCreateMemoryDC(RECT{0, 0, kWidth, kHeight});
  for (int i = 0; i < kWidth * kHeight; ++i)
    BitsOf(dc)[i] = i % kWidth < kWidth / 3 ? 0xFFFF0000u : i % kWidth < 2 * kWidth / 3 ? 0x80008000u : 0;
  return dc;
}

HWND MakePopup() {
  return CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 150, 130,
                         kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
}

TEST_F(SurfaceTest, PerPixelAlphaShowsTheBackgroundThroughTransparentPixels) {
  TestWindow back(300, 200, L"back", WS_POPUP | WS_VISIBLE, nullptr, RGB(0, 0, 255));
  SetWindowPos(back.hwnd(), nullptr, 100, 100, 300, 200, SWP_NOZORDER);
  HWND given = MakePopup();
  HDC picture = MakeAlphaPicture();
  SkinUpdateLayered(given, {.sourceDc = picture});
  HWND fromRecord = MakePopup();  // without a source: the record's back buffer
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = fromRecord;
  record->BackDC = SkinMemoryDc(MakeAlphaPicture());
  SkinAppendWindowRecord(std::move(record));
  SkinUpdateLayered(fromRecord);
  for (HWND popup : {given, fromRecord}) {
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    testsupport::PumpUntil([&] { return ColorNear(testsupport::CaptureWindow(popup).RgbAt(15, 40), 0xFF0000); });
    const auto seen = testsupport::CaptureWindow(popup);
    ASSERT_EQ(seen.width, kWidth);
    for (auto [x, y, rgb] : {std::tuple{15, 40, 0xFF0000u}, {2, 2, 0xFF0000u}, {kWidth - 15, 40, 0x0000FFu},
                             {kWidth - 2, kHeight - 2, 0x0000FFu}})
      EXPECT_TRUE(ColorNear(seen.RgbAt(x, y), rgb)) << x << "," << y << ": " << std::hex << seen.RgbAt(x, y);
    // X without a compositor shows half-transparent pixels unblended: only
    // their green is certain on screen.
    EXPECT_GT((seen.RgbAt(kWidth / 2, 40) >> 8) & 0xFF, 0x60u);
    if (HasFailure()) testsupport::SaveFailureImage(seen, "layered_alpha");
    ShowWindow(popup, SW_HIDE);
  }
  for (HWND w : {given, fromRecord}) DestroyWindow(w);
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

TEST_F(SurfaceTest, TheColourKeyCutsOutMagenta) {
  TestWindow back(300, 200, L"back", WS_POPUP | WS_VISIBLE, nullptr, RGB(0, 0, 255));
  SetWindowPos(back.hwnd(), nullptr, 100, 100, 300, 200, SWP_NOZORDER);
  TestWindow keyed(kWidth, kHeight, L"keyed", WS_POPUP | WS_VISIBLE, KeyedProc);
  SetWindowPos(keyed.hwnd(), HWND_TOP, 150, 130, kWidth, kHeight, 0);
  SkinSetWindowAlpha(keyed.hwnd(), 255);
  RedrawWindow(keyed.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  testsupport::PumpUntil([&] { return ColorNear(testsupport::CaptureWindow(keyed.hwnd()).RgbAt(15, 40), 0x0000FF); });
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(keyed.hwnd(), &key, &alpha, &flags));
  EXPECT_EQ(key, RGB(255, 0, 255));
  EXPECT_EQ(alpha, 255);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
  const auto seen = testsupport::CaptureWindow(keyed.hwnd());
  EXPECT_TRUE(ColorNear(seen.RgbAt(15, 40), 0x0000FF)) << std::hex << seen.RgbAt(15, 40);
  EXPECT_TRUE(ColorNear(seen.RgbAt(kWidth - 15, 40), 0x00FF00)) << std::hex << seen.RgbAt(kWidth - 15, 40);
  if (HasFailure()) testsupport::SaveFailureImage(seen, "layered_key");
}

bool Visible(HDC dc, int x, int y) { return PtVisible(dc, x, y) != FALSE; }

TEST_F(SurfaceTest, ClippedDCsClipVisibleChildrenWithinThePaintedSize) {
  TestWindow form(300, 200, L"form");
  form.AddChild(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20);
  CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 100, 10, 50, 20, form.hwnd(), nullptr, nullptr, nullptr);  // hidden
  form.AddChild(L"BUTTON", L"across", WS_CHILD | WS_VISIBLE, 180, 50, 60, 30);
  form.AddChild(L"BUTTON", L"beyond", WS_CHILD | WS_VISIBLE, 250, 100, 40, 30);
  form.AddChild(L"STATIC", L"t", WS_CHILD | WS_VISIBLE, 10, 150, 50, 20, 0, WS_EX_TRANSPARENT);
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = form.hwnd();
  record->ClientWidth = 200;  // last painted narrower than now
  record->ClientHeight = 200;
  SkinAppendWindowRecord(std::move(record));
  {
    korvath::platform::WindowDC dc = SkinGetClippedDC(form.hwnd());
    EXPECT_FALSE(Visible(dc.get(), 12, 12));
    EXPECT_TRUE(Visible(dc.get(), 60, 30));
    EXPECT_TRUE(Visible(dc.get(), 120, 20));   // the hidden edit's place
    EXPECT_FALSE(Visible(dc.get(), 190, 60));
    EXPECT_TRUE(Visible(dc.get(), 220, 60));   // beyond the painted width
    EXPECT_TRUE(Visible(dc.get(), 260, 110));  // wholly outside: clips nothing
    EXPECT_TRUE(Visible(dc.get(), 20, 160));   // transparent, outside transparent mode
  }
  SkinEngine.options.SkinTransparentMode = true;
  EXPECT_FALSE(Visible(SkinGetClippedDC(form.hwnd()).get(), 20, 160));
  // A DC the caller gives is clipped and handed back, never released; a fill
  // over everything leaves the child's place alone.
  SkinMemoryDc buffer = SkinMemoryDc::Create(300, 200);
  EXPECT_EQ(SkinGetClippedDC(form.hwnd(), buffer.get()), buffer.get());
  RECT all{0, 0, 300, 200};
  FillRect(buffer.get(), &all, GdiBrush(CreateSolidBrush(RGB(255, 0, 0))).get());
  const auto pixels = testsupport::CaptureDC(buffer.get(), 0, 0, 300, 200);
  EXPECT_EQ(pixels.RgbAt(30, 20), 0u);
  EXPECT_EQ(pixels.RgbAt(5, 5), 0xFF0000u);
  EXPECT_EQ(pixels.RgbAt(61, 20), 0xFF0000u);
}

// A container's children are clipped within the size its skin last painted
// it at, which its entry in its owner's record keeps.
TEST_F(SurfaceTest, AContainersChildrenAreClippedWithinTheSizeItsEntryKeeps) {
  TestWindow form(300, 200, L"form");
  const HWND box = form.AddChild(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 150);
  for (const int x : {10, 80}) {
    CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, x, 10, 60, 20, box, nullptr, nullptr, nullptr);
  }
  auto made = std::make_unique<SkinWindowRecord>();
  made->Window = form.hwnd();
  made->Containers.emplace_back();
  made->Containers[1].window = box;
  made->Containers[1].paintedWidth = 100;
  made->Containers[1].paintedHeight = 100;
  const SkinWindowRecord& record = *SkinAppendWindowRecord(std::move(made));
  SetSkinProp(box, prop::Hw_FuID, SkinRecordNumber(record));
  SetSkinProp(box, prop::Hw_lbID, 2);  // its place in the container list, as the attach sets it
  SkinMemoryDc buffer = SkinMemoryDc::Create(200, 150);
  SkinGetClippedDC(box, buffer.get());
  EXPECT_FALSE(Visible(buffer.get(), 20, 15));
  EXPECT_FALSE(Visible(buffer.get(), 90, 15));   // the second child, within the painted width
  EXPECT_TRUE(Visible(buffer.get(), 120, 15));   // the second child, beyond it
}

std::vector<LayeredFrame> pushedFrames;
void NotePushedFrame(const LayeredFrame& frame) { pushedFrames.push_back(frame); }

// Without a picture, a layered window shows the back buffer of the record its
// `Hw_lbID` names, at its current place and size, from the buffer's corner,
// at full constant alpha; a picture given is shown instead; a window with
// neither is left alone.
TEST_F(SurfaceTest, WithoutAPictureALayeredWindowShowsItsRecordsBackBuffer) {
  TestWindow back(300, 200, L"back", WS_POPUP | WS_VISIBLE, nullptr, RGB(0, 0, 255));
  SetWindowPos(back.hwnd(), nullptr, 100, 100, 300, 200, SWP_NOZORDER);
  HWND popup = MakePopup();
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = popup;
  record->BackDC = SkinMemoryDc(MakeAlphaPicture());
  SkinAppendWindowRecord(std::move(record));
  HWND bare = MakePopup();
  HDC green = SkinCreateMemoryDC(RECT{0, 0, kWidth, kHeight});
  for (int i = 0; i < kWidth * kHeight; ++i) BitsOf(green)[i] = 0xFF00FF00u;

  pushedFrames.clear();
  SkinWatchLayeredFrames(&NotePushedFrame);
  SkinUpdateLayered(popup);
  SkinUpdateLayered(bare);
  SkinWatchLayeredFrames(nullptr);
  ASSERT_EQ(pushedFrames.size(), 1u) << "the window without a record or a picture is left alone";
  EXPECT_EQ(pushedFrames[0].window, popup);
  const RECT at = pushedFrames[0].bounds;
  EXPECT_EQ((std::tuple{at.left, at.top, at.right, at.bottom}),
            (std::tuple{150L, 130L, 150L + kWidth, 130L + kHeight}));
  EXPECT_EQ(pushedFrames[0].alpha, 255);

  ShowWindow(popup, SW_SHOWNOACTIVATE);
  // The buffer's left third is opaque red, its right third transparent.
  const auto red = [&] { return ColorNear(testsupport::CaptureWindow(popup).RgbAt(2, 2), 0xFF0000); };
  EXPECT_TRUE(testsupport::PumpUntil(red)) << "the record's back buffer shows from its corner";
  EXPECT_TRUE(ColorNear(testsupport::CaptureWindow(popup).RgbAt(kWidth - 2, kHeight - 2), 0x0000FF));
  SkinUpdateLayered(popup, {.sourceDc = green});
  const auto allGreen = [&] { return ColorNear(testsupport::CaptureWindow(popup).RgbAt(2, 2), 0x00FF00); };
  EXPECT_TRUE(testsupport::PumpUntil(allGreen)) << "a picture given is shown instead of the record's";
  if (HasFailure()) testsupport::SaveFailureImage(testsupport::CaptureWindow(popup), "layered_default");
  for (HWND w : {popup, bare}) DestroyWindow(w);
  SkinMemoryDcFree(green);
}

}  // namespace
