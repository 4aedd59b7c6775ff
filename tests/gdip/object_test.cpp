// The shared object model: adoption and release of native handles, the last
// status, moves, and the text and GUID conversions.
#include "gdip/object.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

namespace gdip = korvath::gdip;
using Gdiplus::DllExports::GdipCreateRegion;
using Gdiplus::DllExports::GdipDeleteRegion;
using Gdiplus::DllExports::GdipIsVisibleRegionPoint;

namespace {

// A minimal owning wrapper that records which handles it released.
class CountingRegion : public gdip::GdipBase {
 public:
  explicit CountingRegion(std::vector<gdip::NativeHandle>* released) : released_(released) {}
  ~CountingRegion() override { Delete(); }
  CountingRegion(CountingRegion&&) noexcept = default;
  CountingRegion& operator=(CountingRegion&&) noexcept = default;

  bool Delete() {
    gdip::NativeHandle held = GetNativeObject();
    bool ok = DestroyWith(GdipDeleteRegion);
    if (held) released_->push_back(held);
    return ok;
  }
  Gdiplus::GpRegion* NativeRegion() const { return NativeAs<Gdiplus::GpRegion>(); }

 protected:
  bool ReleaseNative() override { return Delete(); }

 private:
  std::vector<gdip::NativeHandle>* released_;
};

Gdiplus::GpRegion* NewRegion() {
  Gdiplus::GpRegion* region = nullptr;
  EXPECT_EQ(GdipCreateRegion(&region), Gdiplus::Ok);
  return region;
}

}  // namespace

static_assert(!std::is_copy_constructible_v<CountingRegion>);
static_assert(!std::is_copy_assignable_v<CountingRegion>);
static_assert(std::is_nothrow_move_constructible_v<CountingRegion>);

TEST(GdipObjectModel, SetNativeObjectAdoptsAndReleasesTheOldHandleKeepingTheStatus) {
  std::vector<gdip::NativeHandle> released;
  {
    CountingRegion region(&released);
    Gdiplus::GpRegion* first = NewRegion();
    Gdiplus::GpRegion* second = NewRegion();
    region.SetNativeObject(first);
    EXPECT_EQ(region.GetNativeObject(), first);
    EXPECT_EQ(region.NativeRegion(), first);

    gdip::SetLastGdipStatus(Gdiplus::OutOfMemory);
    region.SetNativeObject(second);
    EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::OutOfMemory);
    ASSERT_EQ(released.size(), 1u);
    EXPECT_EQ(released[0], first);

    // Adopting the handle it already holds releases nothing.
    region.SetNativeObject(second);
    EXPECT_EQ(released.size(), 1u);
  }
  // The destructor released the second one.
  ASSERT_EQ(released.size(), 2u);
}

TEST(GdipObjectModel, DestroyMethodOnEmptyObjectLeavesStatusAndSecondCallIsHarmless) {
  std::vector<gdip::NativeHandle> released;
  CountingRegion region(&released);
  gdip::SetLastGdipStatus(Gdiplus::WrongState);
  EXPECT_FALSE(region.Delete());
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::WrongState);

  region.SetNativeObject(NewRegion());
  EXPECT_TRUE(region.Delete());
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_EQ(region.GetNativeObject(), nullptr);
  EXPECT_EQ(region.NativeRegion(), nullptr);

  gdip::SetLastGdipStatus(Gdiplus::WrongState);
  EXPECT_FALSE(region.Delete());
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::WrongState);
  EXPECT_EQ(released.size(), 1u);
}

TEST(GdipObjectModel, MovesTransferTheHandleAndMoveAssignmentReleasesTheTargetsOwn) {
  std::vector<gdip::NativeHandle> released;
  Gdiplus::GpRegion* a = NewRegion();
  Gdiplus::GpRegion* b = NewRegion();
  CountingRegion first(&released);
  first.SetNativeObject(a);
  CountingRegion moved(std::move(first));
  EXPECT_EQ(first.GetNativeObject(), nullptr);
  EXPECT_EQ(moved.GetNativeObject(), a);

  CountingRegion other(&released);
  other.SetNativeObject(b);
  other = std::move(moved);
  ASSERT_EQ(released.size(), 1u);
  EXPECT_EQ(released[0], b);
  EXPECT_EQ(other.GetNativeObject(), a);

  // The moved-to handle is still a live (infinite) region.
  BOOL visible = FALSE;
  EXPECT_EQ(GdipIsVisibleRegionPoint(other.NativeRegion(), 5.0f, 5.0f, nullptr, &visible), Gdiplus::Ok);
  EXPECT_TRUE(visible);
  EXPECT_TRUE(other.Delete());
}

TEST(GdipObjectModel, StatusHelpers) {
  EXPECT_TRUE(gdip::StoreStatus(Gdiplus::Ok));
  EXPECT_FALSE(gdip::StoreStatus(Gdiplus::GenericError));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::GenericError);
  EXPECT_FALSE(gdip::RefuseArgument());
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}

TEST(GdipObjectModel, AllocAndFreeUseGdiplusHeap) {
  void* block = gdip::GdipBase::Alloc(64);
  ASSERT_NE(block, nullptr);
  gdip::GdipBase::Free(block);
}

TEST(GdipTexts, AnsiToWideUsesCodePage936WhateverTheSystemCodePage) {
  std::wstring abc = gdip::AnsiToWide("abc");
  EXPECT_EQ(abc, L"abc");
  EXPECT_EQ(abc.c_str()[3], L'\0');
  EXPECT_EQ((abc.size() + 1) * sizeof(wchar_t), 8u);  // three characters and a zero

  // "宋体" in GBK.
  std::string songti = "\xCB\xCE\xCC\xE5";
  EXPECT_EQ(gdip::AnsiToWide(songti), L"\u5B8B\u4F53");
  EXPECT_TRUE(gdip::AnsiToWide("").empty());
}

TEST(GdipTexts, WideToAnsiRoundTripsChineseNames) {
  std::string name = "\xCE\xA2\xC8\xED\xD1\xC5\xBA\xDA";  // 微软雅黑
  EXPECT_EQ(gdip::WideToAnsi(gdip::AnsiToWide(name)), name);
  EXPECT_EQ(gdip::WideToAnsi(L"\u5B8B\u4F53"), "\xCB\xCE\xCC\xE5");
  const wchar_t* none = nullptr;
  EXPECT_EQ(gdip::WideToAnsi(none), "");
  // A buffer with room to spare stops at its terminator.
  wchar_t buffer[32] = L"Ab";
  EXPECT_EQ(gdip::WideToAnsi(static_cast<const wchar_t*>(buffer)), "Ab");
}

TEST(GdipGuids, BraceTextBothWays) {
  EXPECT_EQ(gdip::GuidToText(GUID_NULL), "{00000000-0000-0000-0000-000000000000}");

  const std::string pngText = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
  GUID png = gdip::TextToGuid(pngText);
  EXPECT_EQ(png.Data1, 0xB96B3CAFu);
  EXPECT_EQ(png.Data2, 0x0728);
  EXPECT_EQ(png.Data3, 0x11D3);
  EXPECT_EQ(png.Data4[0], 0x9D);
  EXPECT_EQ(png.Data4[7], 0x2E);
  EXPECT_EQ(gdip::GuidToText(png), pngText);
  EXPECT_EQ(gdip::GuidToText(Gdiplus::ImageFormatPNG), pngText);

  // Lower-case digits are read; the text form always comes back upper-case.
  EXPECT_EQ(gdip::GuidToText(gdip::TextToGuid("{b96b3caf-0728-11d3-9d7b-0000f81ef32e}")), pngText);
}

TEST(GdipGuids, TextThatIsNoGuidGivesTheNullGuid) {
  for (const char* text : {"", "Paint.Picture", "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E",
                           "{B96B3CAF-0728-11D3-9D7B-0000F81EF32G}", "B96B3CAF-0728-11D3-9D7B-0000F81EF32E"}) {
    EXPECT_TRUE(IsEqualGUID(gdip::TextToGuid(text), GUID_NULL)) << text;
  }
}

TEST(GdipRecords, ArgbFromColorRefSwapsRedAndBlue) {
  EXPECT_EQ(gdip::ArgbFromColorRef(0xDDCA22), 0xFF22CADDu);
  EXPECT_EQ(gdip::ArgbFromColorRef(0xDDCA22, 160), 0xA022CADDu);
  EXPECT_EQ(gdip::MakeArgb(1, 2, 3, 4), 0x01020304u);
  EXPECT_EQ(gdip::ArgbRed(0x01020304u), 2);
}

TEST(GdipRecords, ArraysReachGdiplusAsOneBufferOrNone) {
  std::vector<gdip::PointF> none;
  EXPECT_EQ(gdip::NativeArray(std::span(none)), nullptr);
  std::vector<gdip::PointF> points = {{1, 2}, {3, 4}};
  Gdiplus::PointF* native = gdip::NativeArray(std::span(points));
  EXPECT_EQ(native[1].X, 3.0f);
  native[0].Y = 9;  // GDI+ writing into its buffer writes into the records
  EXPECT_EQ(points[0].y, 9.0f);
  EXPECT_EQ(gdip::NativeCount(std::span(points)), 2);
}

TEST(GdipObjectModel, AFailedCreatorLeavesTheTargetEmptyAndTakesNothingFromTheCall) {
  std::vector<gdip::NativeHandle> released;
  CountingRegion region(&released);
  region.SetNativeObject(NewRegion());
  // What a failed call left behind is not a live object: it must be neither
  // adopted nor released.
  auto* leftOver = reinterpret_cast<Gdiplus::GpRegion*>(uintptr_t(0x10));
  EXPECT_FALSE(gdip::AdoptInto(region, Gdiplus::OutOfMemory, leftOver));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::OutOfMemory);
  EXPECT_EQ(region.GetNativeObject(), nullptr);
  EXPECT_EQ(released.size(), 1u);  // the region it held before

  Gdiplus::GpRegion* made = NewRegion();
  EXPECT_TRUE(gdip::AdoptInto(region, Gdiplus::Ok, made));
  EXPECT_EQ(region.GetNativeObject(), made);
}
