#include "skin/core/memory_dc.h"

#include <gtest/gtest.h>

#include "skin/core/engine_state.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using korvath::platform::GdiBitmap;
using korvath::platform::GdiBrush;
using korvath::platform::LiveGdiObjectCount;
using korvath::platform::MemoryDC;

DIBSECTION SectionOf(HDC dc) {
  DIBSECTION section{};
  GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof section, &section);
  return section;
}

class MemoryDcTest : public ::testing::Test {
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

TEST_F(MemoryDcTest, MakesA32BitBitmapOfTheRectanglesSize) {
  HDC dc = SkinCreateMemoryDC(RECT{10, 20, 110, 70});
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
  DIBSECTION section = SectionOf(dc);
  EXPECT_EQ(section.dsBm.bmWidth, 100);
  EXPECT_EQ(section.dsBm.bmHeight, 50);
  EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
  // Bottom-up, as the height was given: the first row in memory is the bottom.
  static_cast<uint32_t*>(section.dsBm.bmBits)[0] = 0x00FFFFFF;
  EXPECT_EQ(GetPixel(dc, 0, 49), RGB(255, 255, 255));
  static_cast<uint32_t*>(section.dsBm.bmBits)[0] = 0;

  testsupport::PixelBuffer fresh = testsupport::CaptureDC(dc, 0, 0, 100, 50);
  for (uint32_t pixel : fresh.pixels) ASSERT_EQ(pixel & 0xFFFFFF, 0u);

  // The DC's origin is the bitmap's top-left pixel, whatever the rectangle's.
  SetPixel(dc, 0, 0, RGB(255, 0, 0));
  SetPixel(dc, 99, 49, RGB(0, 0, 255));
  testsupport::PixelBuffer drawn = testsupport::CaptureDC(dc, 0, 0, 100, 50);
  EXPECT_EQ(drawn.RgbAt(0, 0), 0xFF0000u);
  EXPECT_EQ(drawn.RgbAt(99, 49), 0x0000FFu);
  EXPECT_EQ(drawn.RgbAt(1, 0), 0u);
  EXPECT_TRUE(SkinMemoryDcFree(dc));
}

TEST_F(MemoryDcTest, ABottomAboveTheTopMakesATopDownBitmap) {
  HDC dc = SkinCreateMemoryDC(RECT{0, 40, 30, 0});
  DIBSECTION section = SectionOf(dc);
  EXPECT_EQ(section.dsBm.bmWidth, 30);
  EXPECT_EQ(section.dsBm.bmHeight, 40);
  static_cast<uint32_t*>(section.dsBm.bmBits)[0] = 0x00FFFFFF;
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));  // first row in memory is the top
  EXPECT_TRUE(SkinMemoryDcFree(dc));
}

TEST_F(MemoryDcTest, AZeroSizeStillGivesAFreeableDC) {
  HDC dc = SkinCreateMemoryDC(RECT{5, 5, 5, 40});
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(SkinMemoryDcList.size(), 1u);
  EXPECT_FALSE(SkinMemoryDcList[0].bitmap);
  EXPECT_TRUE(SkinMemoryDcFree(dc));
  EXPECT_FALSE(SkinCreateDib32(0, 10));
  EXPECT_FALSE(SkinCreateDib32(10, 0));
}

TEST_F(MemoryDcTest, FreeReleasesOnlyRegisteredDCsAndOnlyOnce) {
  EXPECT_FALSE(SkinMemoryDcFree(nullptr));
  MemoryDC foreign = MemoryDC::CompatibleWith(nullptr);
  EXPECT_FALSE(SkinMemoryDcFree(foreign.get()));
  EXPECT_EQ(GetObjectType(foreign.get()), static_cast<DWORD>(OBJ_MEMDC));  // left alone

  HDC dc = SkinCreateMemoryDC(RECT{0, 0, 8, 8});
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  EXPECT_TRUE(SkinMemoryDcFree(dc));
  EXPECT_EQ(GetObjectType(dc), 0u);
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_FALSE(SkinMemoryDcFree(dc));
}

TEST_F(MemoryDcTest, FreeingTheMiddleOfThreeKeepsTheOthersInOrder) {
  HDC first = SkinCreateMemoryDC(RECT{0, 0, 4, 4});
  HDC second = SkinCreateMemoryDC(RECT{0, 0, 5, 5});
  HDC third = SkinCreateMemoryDC(RECT{0, 0, 6, 6});
  EXPECT_TRUE(SkinMemoryDcFree(second));
  ASSERT_EQ(SkinMemoryDcList.size(), 2u);
  EXPECT_EQ(SkinMemoryDcList[0].dc.get(), first);
  EXPECT_EQ(SkinMemoryDcList[1].dc.get(), third);
  SkinMemoryDcFree(first);
  SkinMemoryDcFree(third);
}

TEST_F(MemoryDcTest, DCsMadeElsewhereAreRegisteredAndFreedTheSameWay) {
  MemoryDC made = MemoryDC::CompatibleWith(nullptr);
  GdiBitmap bitmap = SkinCreateDib32(16, 16);
  HBITMAP raw = bitmap.get();
  HGDIOBJ previous = SelectObject(made.get(), raw);
  HDC dc = SkinMemoryDcRegister(std::move(made), std::move(bitmap), previous);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(SkinMemoryDcList.size(), 1u);

  // Registering it again keeps one entry and replaces its bitmap.
  GdiBitmap replacement = SkinCreateDib32(8, 8);
  HBITMAP second = replacement.get();
  SelectObject(dc, second);
  SkinMemoryDcRegister(dc, std::move(replacement), previous);
  ASSERT_EQ(SkinMemoryDcList.size(), 1u);
  EXPECT_EQ(SkinMemoryDcList[0].bitmap.get(), second);
  EXPECT_EQ(GetObjectType(raw), 0u);  // the replaced bitmap went

  EXPECT_TRUE(SkinMemoryDcFree(dc));
  EXPECT_EQ(GetObjectType(second), 0u);
  EXPECT_EQ(GetObjectType(dc), 0u);
}

TEST_F(MemoryDcTest, TheScopedDCFreesOnEveryPath) {
  HDC raw = nullptr;
  {
    SkinMemoryDc dc = SkinMemoryDc::Create(20, 10);
    raw = dc.get();
    ASSERT_TRUE(dc);
    SkinMemoryDc moved = std::move(dc);
    EXPECT_FALSE(dc);
    EXPECT_EQ(SkinMemoryDcList.size(), 1u);
  }
  EXPECT_TRUE(SkinMemoryDcList.empty());
  EXPECT_EQ(GetObjectType(raw), 0u);
}

}  // namespace
