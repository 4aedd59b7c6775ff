#include "skin/core/memory_dc.h"

#include <gtest/gtest.h>

#include "skin/core/engine_state.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using korvath::platform::LiveGdiObjectCount;

uint32_t* BitsOf(HDC dc) {
  DIBSECTION section{};
  GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof section, &section);
  return static_cast<uint32_t*>(section.dsBm.bmBits);
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

TEST_F(MemoryDcTest, MakesABlack32BitPictureWhoseRowOrderFollowsTheRectangle) {
  HDC dc = SkinCreateMemoryDC(RECT{10, 20, 110, 70});
  ASSERT_NE(dc, nullptr);
  const auto fresh = testsupport::CaptureDC(dc, 0, 0, 100, 50);
  for (uint32_t pixel : fresh.pixels) ASSERT_EQ(pixel & 0xFFFFFF, 0u);
  // Bottom-up, as the height was given: the first row in memory is the bottom.
  BitsOf(dc)[0] = 0x00FFFFFF;
  EXPECT_EQ(GetPixel(dc, 0, 49), RGB(255, 255, 255));
  // The DC's origin is the bitmap's top-left pixel, whatever the rectangle's.
  SetPixel(dc, 99, 0, RGB(0, 0, 255));
  EXPECT_EQ(testsupport::CaptureDC(dc, 0, 0, 100, 50).RgbAt(99, 0), 0x0000FFu);
  HDC topDown = SkinCreateMemoryDC(RECT{0, 40, 30, 0});  // bottom above the top
  BitsOf(topDown)[0] = 0x00FFFFFF;
  EXPECT_EQ(GetPixel(topDown, 0, 0), RGB(255, 255, 255));
  // A zero size still gives a DC to free.
  HDC empty = SkinCreateMemoryDC(RECT{5, 5, 5, 40});
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(SkinMemoryDcList.size(), 3u);
  EXPECT_TRUE(SkinMemoryDcFree(topDown));  // from the middle: the others keep their order
  EXPECT_EQ(SkinMemoryDcList[0].dc.get(), dc);
  EXPECT_EQ(SkinMemoryDcList[1].dc.get(), empty);
  EXPECT_TRUE(SkinMemoryDcFree(empty));
  EXPECT_TRUE(SkinMemoryDcFree(dc));
}

TEST_F(MemoryDcTest, FreeReleasesOnlyRegisteredDCsAndOnlyOnce) {
  korvath::platform::MemoryDC foreign = korvath::platform::MemoryDC::CompatibleWith(nullptr);
  EXPECT_FALSE(SkinMemoryDcFree(nullptr));
  EXPECT_FALSE(SkinMemoryDcFree(foreign.get()));
  EXPECT_EQ(GetObjectType(foreign.get()), static_cast<DWORD>(OBJ_MEMDC));  // left alone
  HDC dc = SkinCreateMemoryDC(RECT{0, 0, 8, 8});
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  EXPECT_TRUE(SkinMemoryDcFree(dc));
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_FALSE(SkinMemoryDcFree(dc));

  // Registering a DC made elsewhere twice keeps one entry and its last bitmap.
  korvath::platform::MemoryDC made = korvath::platform::MemoryDC::CompatibleWith(nullptr);
  korvath::platform::GdiBitmap first = SkinCreateDib32(16, 16);
  HBITMAP raw = first.get();
  HGDIOBJ previous = SelectObject(made.get(), raw);
  HDC registered = SkinMemoryDcRegister(std::move(made), std::move(first), previous);
  korvath::platform::GdiBitmap replacement = SkinCreateDib32(8, 8);
  SelectObject(registered, replacement.get());
  SkinMemoryDcRegister(registered, std::move(replacement), previous);
  EXPECT_EQ(SkinMemoryDcList.size(), 1u);
  EXPECT_EQ(GetObjectType(raw), 0u);  // the replaced bitmap went
  {
    SkinMemoryDc scoped = SkinMemoryDc::Create(20, 10);
    SkinMemoryDc moved = std::move(scoped);
    EXPECT_EQ(SkinMemoryDcList.size(), 2u);
  }
  EXPECT_EQ(SkinMemoryDcList.size(), 1u);
  EXPECT_TRUE(SkinMemoryDcFree(registered));
}

}  // namespace
