// The shared object model (adoption, release, moves, the last status), the
// status and empty-object rules once per wrapper kind, and the text and GUID
// conversions.
#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

namespace {

// A minimal owning wrapper that records which handles it released.
class CountingRegion : public gdip::GdipBase {
 public:
  explicit CountingRegion(std::vector<gdip::NativeHandle>* released) : released_(released) {}
  ~CountingRegion() override { ReleaseNative(); }
  CountingRegion(CountingRegion&&) noexcept = default;
  CountingRegion& operator=(CountingRegion&&) noexcept = default;

 protected:
  bool ReleaseNative() override {
    if (GetNativeObject()) released_->push_back(GetNativeObject());
    return DestroyWith(Gdiplus::DllExports::GdipDeleteRegion);
  }

 private:
  std::vector<gdip::NativeHandle>* released_;
};

Gdiplus::GpRegion* NewRegion() {
  Gdiplus::GpRegion* region = nullptr;
  EXPECT_EQ(Gdiplus::DllExports::GdipCreateRegion(&region), Gdiplus::Ok);
  return region;
}

}  // namespace

TEST(GdipObjectModel, AdoptionMovesAndFailedCreatorsReleaseEachHandleOnceAndKeepTheStatus) {
  std::vector<gdip::NativeHandle> released;
  Gdiplus::GpRegion *a = NewRegion(), *b = NewRegion();
  {
    CountingRegion first(&released), other(&released);
    first.SetNativeObject(NewRegion());
    gdip::NativeHandle old = first.GetNativeObject();
    gdip::SetLastGdipStatus(Gdiplus::OutOfMemory);
    first.SetNativeObject(a);
    EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::OutOfMemory);
    EXPECT_EQ(released, std::vector<gdip::NativeHandle>{old});
    first.SetNativeObject(a);  // the handle it holds already: nothing released
    EXPECT_EQ(released.size(), 1u);
    CountingRegion moved(std::move(first));
    EXPECT_EQ(first.GetNativeObject(), nullptr);
    other.SetNativeObject(b);
    gdip::SetLastGdipStatus(Gdiplus::ObjectBusy);
    other = std::move(moved);  // releasing what it held is no call of the caller's: the status stays
    EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::ObjectBusy);
    EXPECT_EQ(released.back(), b);
    EXPECT_EQ(other.GetNativeObject(), a);
    CountingRegion& same = other;
    other = std::move(same);  // onto itself: nothing released, the handle kept
    EXPECT_EQ(released.back(), b);
    EXPECT_EQ(other.GetNativeObject(), a);
    BOOL visible = FALSE;  // still a live (infinite) region
    EXPECT_EQ(Gdiplus::DllExports::GdipIsVisibleRegionPoint(a, 5, 5, nullptr, &visible), Gdiplus::Ok);
    EXPECT_TRUE(visible);
  }
  EXPECT_EQ(released.size(), 3u);
  EXPECT_EQ(released.back(), a);

  CountingRegion region(&released);
  region.SetNativeObject(NewRegion());
  // What a failed call left behind is not a live object: neither adopted nor released.
  auto* leftOver = reinterpret_cast<Gdiplus::GpRegion*>(uintptr_t(0x10));
  EXPECT_FALSE(gdip::AdoptInto(region, Gdiplus::OutOfMemory, leftOver));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::OutOfMemory);
  EXPECT_EQ(region.GetNativeObject(), nullptr);
  EXPECT_EQ(released.size(), 4u);
}

// ---- the rules once per wrapper kind -------------------------------------------------

namespace {

template <class T>
class GdipWrapperRules : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(surface.CreateWithFormat(4, 4)); }
  bool Fill(T& object) { return gdiptest::Kind<T>::Fill(object, surface); }
  static double Get(const T& object) { return gdiptest::Kind<T>::Get(object); }
  // The class's destroy method; on an empty object it makes no call and keeps the status.
  static bool Destroy(T& object) {
    if constexpr (std::is_base_of_v<gdip::Image, T>) return object.Dispose();
    else return object.Delete();
  }
  static void ExpectNoCallToDestroy(T& object) {
    gdip::SetLastGdipStatus(Gdiplus::Aborted);
    EXPECT_FALSE(Destroy(object));
    EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Aborted);
  }
  gdip::Bitmap surface;
};

// The flat call with which each kind's destroy releases its handle.
template <class T>
struct Release;
#define RELEASE(T, fn)                                         \
  template <>                                                  \
  struct Release<T> {                                          \
    using Function = decltype(&Gdiplus::DllExports::fn);       \
    static constexpr const char* kName = #fn;                  \
  }
RELEASE(gdip::Image, GdipDisposeImage);
RELEASE(gdip::Bitmap, GdipDisposeImage);
RELEASE(gdip::Region, GdipDeleteRegion);
RELEASE(gdip::Font, GdipDeleteFont);
RELEASE(gdip::FontFamily, GdipDeleteFontFamily);
RELEASE(gdip::StringFormat, GdipDeleteStringFormat);
RELEASE(gdip::Graphics, GdipDeleteGraphics);
RELEASE(gdip::Pen, GdipDeletePen);
RELEASE(gdip::GraphicsPath, GdipDeletePath);
RELEASE(gdip::SolidBrush, GdipDeleteBrush);
RELEASE(gdip::LinearGradientBrush, GdipDeleteBrush);
RELEASE(gdip::PathGradientBrush, GdipDeleteBrush);
RELEASE(gdip::TextureBrush, GdipDeleteBrush);
#undef RELEASE

// A release that GDI+ carries out and answers with a failure all the same:
// the status that only the destroy's own store can bring to the last status.
template <class Function>
struct FailingRelease;
template <class Native>
struct FailingRelease<Gdiplus::GpStatus(WINGDIPAPI*)(Native*)> {
  static constexpr Gdiplus::GpStatus kAnswer = Gdiplus::Win32Error;
  static inline void* original = nullptr;
  static Gdiplus::GpStatus WINGDIPAPI Call(Native* object) {
    reinterpret_cast<Gdiplus::GpStatus(WINGDIPAPI*)(Native*)>(original)(object);
    return kAnswer;
  }
};

using Kinds = testing::Types<gdip::Image, gdip::Bitmap, gdip::Region, gdip::Font, gdip::FontFamily, gdip::StringFormat,
                             gdip::Graphics, gdip::Pen, gdip::GraphicsPath, gdip::SolidBrush, gdip::LinearGradientBrush,
                             gdip::PathGradientBrush, gdip::TextureBrush>;
TYPED_TEST_SUITE(GdipWrapperRules, Kinds);

}  // namespace

TYPED_TEST(GdipWrapperRules, AnEmptyObjectMakesNoCallToDestroyAndItsGettersAnswerZeroWithInvalidParameter) {
  static_assert(!std::is_copy_constructible_v<TypeParam> && !std::is_copy_assignable_v<TypeParam>);
  static_assert(std::is_nothrow_move_constructible_v<TypeParam> && std::is_nothrow_move_assignable_v<TypeParam>);
  TypeParam object;
  this->ExpectNoCallToDestroy(object);
  EXPECT_REFUSED(this->Get(object) == 0);
}

TYPED_TEST(GdipWrapperRules, FillingReplacingMovingAndDestroyingHandOneHandleAlong) {
  TypeParam object, other;
  ASSERT_TRUE(this->Fill(object) && this->Fill(object));  // a holding object takes a new handle
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
  gdip::NativeHandle handle = object.GetNativeObject();
  ASSERT_NE(handle, nullptr);
  gdip::SetLastGdipStatus(Gdiplus::ObjectBusy);  // a moved object keeps the last status, also where it lets go
  TypeParam moved(std::move(object));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::ObjectBusy);
  EXPECT_EQ(object.GetNativeObject(), nullptr);
  ASSERT_TRUE(this->Fill(other));
  gdip::SetLastGdipStatus(Gdiplus::ObjectBusy);
  other = std::move(moved);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::ObjectBusy);
  EXPECT_EQ(moved.GetNativeObject(), nullptr);
  EXPECT_EQ(other.GetNativeObject(), handle);
  EXPECT_NE(this->Get(other), 0);
  {
    gdiptest::NativeObjectsBalance unchanged;  // moved onto itself: it keeps what it holds
    TypeParam& same = other;
    other = std::move(same);
    EXPECT_EQ(other.GetNativeObject(), handle);
    EXPECT_NE(this->Get(other), 0);
  }
  EXPECT_TRUE(this->Destroy(other));
  EXPECT_EQ(other.GetNativeObject(), nullptr);
  this->ExpectNoCallToDestroy(other);
}

// The destroy, called or run by the destructor, stores its release's status
// over whatever was there: Ok, or the failure that GDI+ answered.
TYPED_TEST(GdipWrapperRules, DestroyingStoresTheStatusOfTheRelease) {
  TypeParam object;
  ASSERT_TRUE(this->Fill(object));
  gdip::SetLastGdipStatus(Gdiplus::Aborted);
  EXPECT_TRUE(this->Destroy(object));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
  {
    TypeParam dropped;
    ASSERT_TRUE(this->Fill(dropped));
    gdip::SetLastGdipStatus(Gdiplus::Aborted);
  }
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok) << "after the destructor";

  using Failing = FailingRelease<typename Release<TypeParam>::Function>;
  for (bool byDestructor : {false, true}) {
    SCOPED_TRACE(byDestructor ? "by the destructor" : "by the destroy method");
    std::optional<TypeParam> failing(std::in_place);
    ASSERT_TRUE(this->Fill(*failing));
    gdiptest::NativeObjectsBalance released(-1);  // the release was carried out
    gdiptest::GdiplusStandIn standIn(Release<TypeParam>::kName, reinterpret_cast<void*>(&Failing::Call));
    Failing::original = standIn.Original();
    gdip::SetLastGdipStatus(Gdiplus::Ok);
    if (byDestructor) {
      failing.reset();
    } else {
      EXPECT_FALSE(this->Destroy(*failing));
      EXPECT_EQ(failing->GetNativeObject(), nullptr);
    }
    EXPECT_EQ(gdip::LastGdipStatus(), Failing::kAnswer);
  }
}

TYPED_TEST(GdipWrapperRules, ACloneLivesOnItsOwnAndAFailedCloneEmptiesTheTarget) {
  if constexpr (requires(const TypeParam& a, TypeParam& b) { a.Clone(b); }) {
    TypeParam source, clone, empty;
    ASSERT_TRUE(this->Fill(source) && source.Clone(clone) && this->Destroy(source));
    EXPECT_NE(this->Get(clone), 0);
    EXPECT_FALSE(empty.Clone(clone));
    EXPECT_EQ(clone.GetNativeObject(), nullptr);
  }
}

// ---- texts, GUIDs, colours -------------------------------------------------------------

TEST(GdipTexts, ConversionsUseCodePage936BothWaysAndGuidsCrossAsBraceText) {
  EXPECT_EQ(gdip::AnsiToWide("\xCB\xCE\xCC\xE5"), L"\u5B8B\u4F53");  // 宋体
  EXPECT_EQ(gdip::WideToAnsi(L"\u5B8B\u4F53"), "\xCB\xCE\xCC\xE5");
  EXPECT_EQ(gdip::WideToAnsi(static_cast<const wchar_t*>(nullptr)), "");
  wchar_t buffer[32] = L"Ab";  // room to spare: stops at the terminator
  EXPECT_EQ(gdip::WideToAnsi(static_cast<const wchar_t*>(buffer)), "Ab");

  // GUIDs cross as brace text; text that is no GUID gives the null GUID.
  EXPECT_EQ(gdip::GuidToText(GUID_NULL), "{00000000-0000-0000-0000-000000000000}");
  const std::string png = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
  EXPECT_TRUE(IsEqualGUID(gdip::TextToGuid(png), Gdiplus::ImageFormatPNG));
  EXPECT_EQ(gdip::GuidToText(Gdiplus::ImageFormatPNG), png);
  EXPECT_EQ(gdip::GuidToText(gdip::TextToGuid("{b96b3caf-0728-11d3-9d7b-0000f81ef32e}")), png);
  for (const char* text : {"", "Paint.Picture", "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E",
                           "{B96B3CAF-0728-11D3-9D7B-0000F81EF32G}", "B96B3CAF-0728-11D3-9D7B-0000F81EF32E"})
    EXPECT_TRUE(IsEqualGUID(gdip::TextToGuid(text), GUID_NULL)) << text;
}

TEST(GdipRecords, ArgbFromColorRefSwapsRedAndBlue) {
  EXPECT_EQ(gdip::ArgbFromColorRef(0xDDCA22), 0xFF22CADDu);
  EXPECT_EQ(gdip::ArgbFromColorRef(0xDDCA22, 160), 0xA022CADDu);
}

TEST(GdipRecords, ArgbChannelsComeOutOfTheirOwnBits) {
  constexpr gdip::Argb colour = 0x80C04020;
  EXPECT_EQ(gdip::ArgbAlpha(colour), 0x80);
  EXPECT_EQ(gdip::ArgbRed(colour), 0xC0);
  EXPECT_EQ(gdip::ArgbGreen(colour), 0x40);
  EXPECT_EQ(gdip::ArgbBlue(colour), 0x20);
}

TEST(GdipTexts, AWideViewIsConvertedToItsEndAndNotToAZeroCharacter) {
  const wchar_t text[] = L"\u5B8B\u4F53xy";
  EXPECT_EQ(gdip::WideToAnsi(std::wstring_view(text, 3)), "\xCB\xCE\xCC\xE5x");
  EXPECT_EQ(gdip::WideToAnsi(std::wstring_view(L"a\0b", 3)), std::string("a\0b", 3));
}

TEST(GdipObjectModel, GdiplusHeapBlocksHoldWhatIsWrittenIntoThemAndAreGivenBack) {
  const int blocks = gdiptest::LiveHeapBlocks();
  auto* block = static_cast<uint8_t*>(gdip::GdipBase::Alloc(4096));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(gdiptest::LiveHeapBlocks(), blocks + 1);
  for (size_t i = 0; i < 4096; ++i) block[i] = uint8_t(i * 7);
  EXPECT_EQ(block[4095], uint8_t(4095 * 7));
  gdip::GdipBase::Free(block);
  EXPECT_EQ(gdiptest::LiveHeapBlocks(), blocks);
  gdip::GdipBase::Free(nullptr);
}
