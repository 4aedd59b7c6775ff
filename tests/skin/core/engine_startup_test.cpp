#include "skin/core/engine_startup.h"

#include <gtest/gtest.h>

#include <memory>

#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;

TEST(EngineStartup, StartsOnceWithItsClassesAndGlyphStripAndReleasesAtExit) {
  SkinEngineStartup();
  EXPECT_TRUE(GdiplusToken.ok());
  EXPECT_EQ(SkinOptTrimMemory, 1);  // the working-set helper never runs
  for (const wchar_t* name : {L"yinyWindow", L"hbfcWindow"}) {
    WNDCLASSEXW cls{sizeof cls};
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), name, &cls)) << name;
    EXPECT_EQ(cls.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
  }
  ASSERT_EQ(SkinImageStrip.GetCount(), 6);  // the check-box glyphs
  // A second start finds GDI+ started and loads the strip afresh.
  const ULONG_PTR token = GdiplusToken.value();
  SkinModuleInit();
  EXPECT_EQ(GdiplusToken.value(), token);
  EXPECT_EQ(SkinImageStrip.GetCount(), 6);

  testsupport::TestWindow form(100, 80, L"form");
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = form.hwnd();
  record->BackDC = SkinMemoryDc::Create(100, 80);
  SkinAppendWindowRecord(std::move(record));
  const long live = korvath::platform::LiveGdiObjectCount();
  SkinEngineShutdown();
  EXPECT_TRUE(SkinWindowList.empty());
  EXPECT_EQ(korvath::platform::LiveGdiObjectCount(), live - 2);  // the DC and its bitmap
  EXPECT_EQ(SkinImageStrip.GetCount(), 0);
  EXPECT_TRUE(IsWindow(form.hwnd()));
}

TEST(EngineStartup, SetOptionsTouchesOnlyItsFourValues) {
  SkinEngineStartup();
  SkinThemeColor = 0xC0C0C0;  // as the background theme call leaves it
  SkinSetOptions(true, 0);    // an alpha of 0 given still switches the mode on
  EXPECT_EQ(SkinAlpha, 0);
  EXPECT_TRUE(SkinTransparentMode);
  SkinSetOptions(false, 200, 0);
  EXPECT_FALSE(SkinEnabled);
  EXPECT_EQ(SkinAlpha, 200);
  EXPECT_EQ(SkinOptTrackbar, 0);
  SkinSetOptions(true);
  EXPECT_EQ(SkinAlpha, 160);
  EXPECT_FALSE(SkinTransparentMode);
  EXPECT_EQ(SkinOptTrackbar, 1);
  EXPECT_EQ(SkinThemeColor, 0xC0C0C0u);
  EXPECT_EQ(SkinOptTrimMemory, 1);
  SkinEngineShutdown();
}

}  // namespace
