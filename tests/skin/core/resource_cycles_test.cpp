// Many create/paint/release cycles of what the engine keeps per window: a
// leak of one GDI object or one window per cycle shows as a count that does
// not return to its start.
#include <gtest/gtest.h>

#include <memory>

#include "skin/core/engine_state.h"
#include "skin/core/layered_window.h"
#include "skin/core/memory_dc.h"
#include "skin/core/window_list.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using korvath::platform::GdiBrush;
using korvath::platform::LiveGdiObjectCount;

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

TEST(ResourceCycles, RecordsLayersTooltipsAndLayeredUpdatesLeaveNothingBehind) {
  ProgramGlobalsInit();
  testsupport::TestWindow form(160, 100, L"form", WS_POPUP | WS_VISIBLE);
  HWND layered = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 64,
                                 48, nullptr, nullptr, nullptr, nullptr);
  const long gdiStart = LiveGdiObjectCount();
  const int windowsStart = CountThreadWindows();

  for (int i = 0; i < kCycles; ++i) {
    auto record = std::make_unique<SkinWindowRecord>();
    record->Window = form.hwnd();
    record->BackDC = SkinMemoryDc::Create(160, 100);
    record->ChildBackDC = SkinMemoryDc::Create(160, 100);
    const int32_t n = SkinAppendWindowRecord(std::move(record));
    SkinWindowRecord* kept = SkinRecordAt(n);
    Paint(kept->BackDC.get(), 160, 100, RGB(i & 0xFF, 0, 0));
    BitBlt(kept->ChildBackDC.get(), 0, 0, 160, 100, kept->BackDC.get(), 0, 0, SRCCOPY);
    // Tooltips of every tenth record: comctl32 makes them slowly under Wine.
    if (i % 10 == 0) {
      kept->Tips.Create(form.hwnd());
      kept->Tips.AddTool(std::nullopt, "tip", 1);
    }
    {
      SkinMemoryDc picture = SkinMemoryDc::Create(64, 48);
      Paint(picture.get(), 64, 48, RGB(0, i & 0xFF, 0));
      SkinUpdateLayered(layered, {.sourceDc = picture.get()});
    }
    HDC loose = SkinCreateMemoryDC(RECT{0, 0, 32, 32});
    Paint(loose, 32, 32, RGB(0, 0, 255));
    SkinMemoryDcFree(loose);
    SkinRemoveWindowRecord(n);
    ASSERT_TRUE(SkinWindowList.empty());
  }

  EXPECT_EQ(LiveGdiObjectCount(), gdiStart);
  EXPECT_TRUE(SkinMemoryDcList.empty());
  EXPECT_EQ(CountThreadWindows(), windowsStart);
  std::printf("[ figures  ] %d cycles; live GDI objects %ld -> %ld; windows %d -> %d\n", kCycles,
              gdiStart, LiveGdiObjectCount(), windowsStart, CountThreadWindows());
  DestroyWindow(layered);
  ProgramGlobalsRelease();
}

}  // namespace
