// The tally of native GDI+ objects that the other tests lean on: it must see
// every object the library makes and deletes, and a delete that frees nothing
// an object holds.
#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

#include <gtest/gtest-spi.h>

namespace {

using Gdiplus::DllExports::GdipDeleteBrush;
using Gdiplus::DllExports::GdipDeletePen;

TEST(GdipNativeTally, EveryMakerAndDeleterOfTheProgramIsRoutedPastIt) {
  EXPECT_EQ(gdiptest::UntalliedObjectFunctions(), std::vector<std::string>{});
  const std::vector<std::string> tallied = gdiptest::TalliedFunctions();
  for (const char* name : {"GdipCreatePen1", "GdipDeletePen", "GdipCloneRegion", "GdipDisposeImage", "GdipAlloc",
                           "GdipFree", "GlobalAlloc", "GlobalFree"})
    EXPECT_NE(std::find(tallied.begin(), tallied.end(), name), tallied.end()) << name;
}

TEST(GdipNativeTally, CountsWhatIsMadeAndDeletedAndStopsAStrayDelete) {
  const int live = gdiptest::LiveNativeObjects(), stray = gdiptest::StrayNativeDeletes();
  gdip::Pen pen = gdiptest::MakePen(gdiptest::kRed, 2);
  Gdiplus::GpPen* handle = pen.NativePen();
  EXPECT_TRUE(gdiptest::IsLiveNative(handle));
  EXPECT_EQ(gdiptest::LiveNativeObjects(), live + 1);
  // Another family's delete is not passed on: the pen stays.
  EXPECT_NE(GdipDeleteBrush(reinterpret_cast<Gdiplus::GpBrush*>(handle)), Gdiplus::Ok);
  EXPECT_EQ(gdiptest::StrayNativeDeletes(), stray + 1);
  EXPECT_TRUE(gdiptest::IsLiveNative(handle));
  EXPECT_TRUE(pen.Delete());
  EXPECT_FALSE(gdiptest::IsLiveNative(handle));
  EXPECT_EQ(gdiptest::LiveNativeObjects(), live);
  // A second delete of the same handle frees nothing.
  EXPECT_NE(GdipDeletePen(handle), Gdiplus::Ok);
  EXPECT_EQ(gdiptest::StrayNativeDeletes(), stray + 2);
  EXPECT_EQ(gdiptest::LiveNativeObjects(), live);
}

TEST(GdipNativeTally, CountsHeapAndGlobalBlocksAndStopsASecondFree) {
  const int blocks = gdiptest::LiveHeapBlocks(), stray = gdiptest::StrayHeapFrees();
  void* heap = Gdiplus::DllExports::GdipAlloc(16);
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, 16);
  ASSERT_TRUE(heap && global);
  EXPECT_EQ(gdiptest::LiveHeapBlocks(), blocks + 2);
  Gdiplus::DllExports::GdipFree(heap);
  EXPECT_EQ(GlobalFree(global), nullptr);
  EXPECT_EQ(gdiptest::LiveHeapBlocks(), blocks);
  // Freed once more: not passed on, and counted.
  Gdiplus::DllExports::GdipFree(heap);
  EXPECT_EQ(GlobalFree(global), global);
  EXPECT_EQ(gdiptest::StrayHeapFrees(), stray + 2);
  Gdiplus::DllExports::GdipFree(nullptr);
  EXPECT_EQ(gdiptest::StrayHeapFrees(), stray + 2);
}

Gdiplus::GpStatus WINGDIPAPI FortyTwoWide(Gdiplus::GpPen*, Gdiplus::REAL* width) {
  *width = 42;
  return Gdiplus::Ok;
}

TEST(GdipNativeTally, AStandInTakesTheProgramsCallsWhileItLivesAndTheRoutesStay) {
  gdip::Pen pen = gdiptest::MakePen(gdiptest::kRed, 2);
  {
    gdiptest::GdiplusStandIn width = GDIPLUS_STAND_IN(GdipGetPenWidth, FortyTwoWide);
    EXPECT_EQ(pen.GetWidth(), 42);
    EXPECT_NE(width.Original(), nullptr);
    gdiptest::GdiplusStandIn pens("GdipCreatePen1", nullptr);  // over a maker the tally routes
  }
  EXPECT_EQ(pen.GetWidth(), 2);
  const int live = gdiptest::LiveNativeObjects();
  gdip::Pen another = gdiptest::MakePen(gdiptest::kRed, 1);
  EXPECT_EQ(gdiptest::LiveNativeObjects(), live + 1);  // its route is back in place
  EXPECT_NONFATAL_FAILURE(gdiptest::GdiplusStandIn("GdipNoSuchFunction", nullptr), "does not import");
}

TEST(GdipNativeTally, ABalanceFailsOnALeakAndOnAStrayDelete) {
  Gdiplus::GpPen* leaked = nullptr;
  EXPECT_NONFATAL_FAILURE(
      {
        gdiptest::NativeObjectsBalance balance;
        Gdiplus::DllExports::GdipCreatePen1(gdiptest::kRed, 1, Gdiplus::UnitPixel, &leaked);
      },
      "made and not deleted");
  EXPECT_NONFATAL_FAILURE(
      {
        gdiptest::NativeObjectsBalance balance(-1);
        GdipDeletePen(leaked);
        GdipDeletePen(leaked);
      },
      "deletes of handles");
  gdiptest::NativeObjectsBalance balance;
}

}  // namespace
