// Many create/paint/release cycles of what the engine keeps per window: a
// leak of one GDI object or one window per cycle shows as a count that does
// not return to its start.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "skin/core/engine_state.h"
#include "skin/core/layered_window.h"
#include "skin/core/memory_dc.h"
#include "skin/core/shadow_window.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/core/engine_startup.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using korvath::platform::GdiBrush;
using korvath::platform::LiveGdiObjectCount;
using korvath::skin::SkinEngineStartup;

constexpr int kCycles = 10000;

BOOL CALLBACK CountOne(HWND, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

// Top-level windows of this thread (tooltips included).
int CountThreadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountOne, reinterpret_cast<LPARAM>(&count));
  return count;
}

void Paint(HDC dc, int width, int height, COLORREF colour) {
  GdiBrush brush(CreateSolidBrush(colour));
  RECT all{0, 0, width, height};
  FillRect(dc, &all, brush.get());
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

TEST(ResourceCycles, RecordsLayersTooltipsAndLayeredWindowsLeaveNothingBehind) {
  ProgramGlobalsInit();
  testsupport::TestWindow form(160, 100, L"form", WS_POPUP | WS_VISIBLE);
  const long gdiStart = LiveGdiObjectCount();
  const int windowsStart = CountThreadWindows();
  const auto started = std::chrono::steady_clock::now();

  for (int i = 0; i < kCycles; ++i) {
    auto record = std::make_unique<SkinWindowRecord>();
    record->Window = form.hwnd();
    record->BackDC = SkinMemoryDc::Create(160, 100);
    record->ChildBackDC = SkinMemoryDc::Create(160, 100);
    const int32_t n = SkinAppendWindowRecord(std::move(record));
    SkinWindowRecord* kept = SkinRecordAt(n);
    Paint(kept->BackDC.get(), 160, 100, RGB(i & 0xFF, 0, 0));
    BitBlt(kept->ChildBackDC.get(), 0, 0, 160, 100, kept->BackDC.get(), 0, 0, SRCCOPY);
    kept->Tips.Create(form.hwnd());
    kept->Tips.AddTool(std::nullopt, "tip", 1);

    HWND layered = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 64,
                                   48, nullptr, nullptr, nullptr, nullptr);
    {
      SkinMemoryDc picture = SkinMemoryDc::Create(64, 48);
      Paint(picture.get(), 64, 48, RGB(0, i & 0xFF, 0));
      SkinUpdateLayered(layered, {.sourceDc = picture.get()});
    }
    SkinSetWindowAlpha(layered, 220);
    DestroyWindow(layered);

    HDC loose = SkinCreateMemoryDC(RECT{0, 0, 32, 32});
    Paint(loose, 32, 32, RGB(0, 0, 255));
    SkinMemoryDcFree(loose);
    SkinRemoveWindowRecord(n);
    ASSERT_TRUE(SkinWindowList.empty());
  }

  const double elapsed = MillisecondsSince(started);
  EXPECT_EQ(LiveGdiObjectCount(), gdiStart);
  EXPECT_TRUE(SkinMemoryDcList.empty());
  EXPECT_EQ(CountThreadWindows(), windowsStart);
  std::printf("[ figures  ] %d cycles in %.0f ms (%.3f ms each); live GDI objects %ld -> %ld; "
              "windows %d -> %d\n",
              kCycles, elapsed, elapsed / kCycles, gdiStart, LiveGdiObjectCount(), windowsStart,
              CountThreadWindows());
  ProgramGlobalsRelease();
}

TEST(ResourceCycles, ShadowRedrawsLeaveNothingBehind) {
  SkinEngineStartup();
  testsupport::TestWindow owner(300, 150, L"owner", WS_POPUP | WS_VISIBLE);
  HWND shadow = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, L"yinyWindow", L"", WS_POPUP, 0, 0,
                                330, 180, owner.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SetSkinProp(shadow, prop::Yyck_yysd, 15);
  SetSkinProp(shadow, prop::Yyck_yyWz, 15);
  SetSkinProp(shadow, prop::Yyck_Tmd, 80);
  SetSkinPropHandle(shadow, prop::Yyck_Glck, owner.hwnd());
  const long gdiStart = LiveGdiObjectCount();
  constexpr int kRedraws = 100;
  const auto started = std::chrono::steady_clock::now();
  for (int i = 0; i < kRedraws; ++i) ShadowRedraw(shadow);
  const double elapsed = MillisecondsSince(started);
  EXPECT_EQ(LiveGdiObjectCount(), gdiStart);
  EXPECT_TRUE(SkinMemoryDcList.empty());
  std::printf("[ figures  ] %d shadow redraws of 330 x 180 in %.0f ms (%.2f ms each)\n", kRedraws,
              elapsed, elapsed / kRedraws);
  DestroyWindow(shadow);
  SkinEngineShutdown();
}

}  // namespace
