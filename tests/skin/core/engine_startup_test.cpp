#include "skin/core/engine_startup.h"

#include <gtest/gtest.h>

#include <memory>

#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;

TEST(EngineStartup, StartsWithTheDefaultOptionsAndBothClasses) {
  SkinEngineStartup();
  EXPECT_TRUE(GdiplusToken.ok());
  EXPECT_EQ(SkinOptTrimMemory, 1);  // the working-set helper never runs
  EXPECT_EQ(SkinOptFormFlag, 1);
  EXPECT_TRUE(SkinEnabled);
  EXPECT_EQ(SkinAlpha, 160);
  EXPECT_EQ(SkinThemeColor, 0xDDCA22u);
  EXPECT_EQ(SkinOptTrackbar, 1);
  EXPECT_EQ(SkinHoverTracking, 0);
  EXPECT_FALSE(SkinTransparentMode);
  EXPECT_EQ(CursorHand, LoadCursorA(nullptr, IDC_HAND));
  EXPECT_EQ(CursorIBeam, LoadCursorA(nullptr, IDC_IBEAM));
  EXPECT_EQ(CursorSizeWE, LoadCursorA(nullptr, IDC_SIZEWE));
  EXPECT_TRUE(SkinWindowList.empty());
  EXPECT_TRUE(SkinCallbackList.empty());
  // The check-box glyph strip: six cells of 21 x 16.
  ASSERT_EQ(SkinImageStrip.GetCount(), 6);
  for (int32_t n = 1; n <= 6; ++n) {
    EXPECT_EQ(SkinImageStrip.GetCellWidth(n), 21) << n;
    EXPECT_EQ(SkinImageStrip.GetCellHeight(n), 16) << n;
    EXPECT_FALSE(SkinImageStrip.GetCellPicture(n).empty()) << n;
  }

  for (const wchar_t* name : {L"yinyWindow", L"hbfcWindow"}) {
    WNDCLASSEXW cls{sizeof cls};
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), name, &cls)) << name;
    EXPECT_EQ(cls.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
    EXPECT_EQ(cls.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    EXPECT_EQ(cls.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(cls.cbWndExtra, 0);
  }
  // A second start finds GDI+ started and the classes registered.
  const ULONG_PTR token = GdiplusToken.value();
  SkinModuleInit();
  EXPECT_EQ(GdiplusToken.value(), token);
  EXPECT_EQ(SkinGdiplusStart(), token);
  EXPECT_EQ(SkinImageStrip.GetCount(), 6);  // loaded afresh, not appended
  SkinEngineShutdown();
  EXPECT_EQ(SkinImageStrip.GetCount(), 0);
}

TEST(EngineStartup, HbfcWindowsPassEverythingOn) {
  SkinEngineStartup();
  HWND window = CreateWindowExW(0, L"hbfcWindow", L"hbfc", WS_OVERLAPPEDWINDOW, 10, 10, 200, 120,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  SetWindowTextW(window, L"renamed");
  EXPECT_EQ(testsupport::WindowText(window), L"renamed");
  EXPECT_EQ(HbfcWndProc(window, WM_GETTEXTLENGTH, 0, 0), 7);
  DestroyWindow(window);
  SkinEngineShutdown();
}

TEST(EngineStartup, SetOptionsTouchesOnlyItsFourValues) {
  SkinEngineStartup();
  SkinThemeColor = 0xC0C0C0;  // as the background theme call leaves it
  SkinSetOptions(true);
  EXPECT_TRUE(SkinEnabled);
  EXPECT_EQ(SkinAlpha, 160);
  EXPECT_FALSE(SkinTransparentMode);
  EXPECT_EQ(SkinOptTrackbar, 1);

  SkinSetOptions(true, 0);  // an alpha of 0 given still switches the mode on
  EXPECT_EQ(SkinAlpha, 0);
  EXPECT_TRUE(SkinTransparentMode);

  SkinSetOptions(false, 200, 0);
  EXPECT_FALSE(SkinEnabled);
  EXPECT_EQ(SkinAlpha, 200);
  EXPECT_EQ(SkinOptTrackbar, 0);

  SkinSetOptions(true);
  EXPECT_FALSE(SkinTransparentMode);
  EXPECT_EQ(SkinThemeColor, 0xC0C0C0u);
  EXPECT_EQ(SkinHoverTracking, 0);
  EXPECT_EQ(SkinOptTrimMemory, 1);
  EXPECT_EQ(SkinOptFormFlag, 1);
  SkinEngineShutdown();
}

TEST(EngineStartup, ShutdownReleasesRecordsLeftAtExit) {
  SkinEngineStartup();
  testsupport::TestWindow form(100, 80, L"form");
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = form.hwnd();
  record->BackDC = SkinMemoryDc::Create(100, 80);
  SkinAppendWindowRecord(std::move(record));
  const long live = korvath::platform::LiveGdiObjectCount();
  SkinEngineShutdown();
  EXPECT_TRUE(SkinWindowList.empty());
  EXPECT_EQ(korvath::platform::LiveGdiObjectCount(), live - 2);
  EXPECT_TRUE(IsWindow(form.hwnd()));
}

}  // namespace
