// The status and empty-object rules, once per wrapper kind: the destroy
// method of an empty object, a getter on an empty object, filling, emptying,
// adopting a second handle, moving, and that no wrapper can be copied.
#include <gtest/gtest.h>

#include <type_traits>

#include "gdip/bitmap.h"
#include "gdip/font.h"
#include "gdip/font_collection.h"
#include "gdip/font_family.h"
#include "gdip/image.h"
#include "gdip/region.h"
#include "gdip/string_format.h"
#include "tests/gdip/gdipa_test_support.h"

namespace gdip = korvath::gdip;

namespace {

// What each wrapper kind is filled with, asked, and emptied by.
template <class T>
struct Kind;

template <>
struct Kind<gdip::Image> {
  static bool Fill(gdip::Image& o) {
    return o.FromStream(gdiptest::MakePng(2, 2, [](int, int) { return 0xFF000000u; }));
  }
  static int Get(const gdip::Image& o) { return o.GetWidth(); }
  static bool Destroy(gdip::Image& o) { return o.Dispose(); }
};
template <>
struct Kind<gdip::Bitmap> {
  static bool Fill(gdip::Bitmap& o) { return o.CreateWithFormat(3, 3); }
  static int Get(const gdip::Bitmap& o) { return int(o.GetPixel(0, 0)) + o.GetHeight(); }
  static bool Destroy(gdip::Bitmap& o) { return o.Dispose(); }
};
template <>
struct Kind<gdip::Region> {
  static bool Fill(gdip::Region& o) { return o.CreateFromRect({0, 0, 4, 4}); }
  static int Get(const gdip::Region& o) { return int(o.GetDataSize()); }
  static bool Destroy(gdip::Region& o) { return o.Delete(); }
};
template <>
struct Kind<gdip::Font> {
  static bool Fill(gdip::Font& o) { return o.CreateFromName("SimSun", 9); }
  static int Get(const gdip::Font& o) { return int(o.GetSize()) + o.GetStyle(); }
  static bool Destroy(gdip::Font& o) { return o.Delete(); }
};
template <>
struct Kind<gdip::FontFamily> {
  static bool Fill(gdip::FontFamily& o) { return o.CreateFromName("SimSun"); }
  static int Get(const gdip::FontFamily& o) { return o.GetEmHeight(0); }
  static bool Destroy(gdip::FontFamily& o) { return o.Delete(); }
};
template <>
struct Kind<gdip::StringFormat> {
  static bool Fill(gdip::StringFormat& o) { return o.Create(Gdiplus::StringFormatFlagsNoWrap); }
  static int Get(const gdip::StringFormat& o) { return o.GetFlags(); }
  static bool Destroy(gdip::StringFormat& o) { return o.Delete(); }
};

template <class T>
class EmptyObjectRules : public testing::Test {};

using Kinds = testing::Types<gdip::Image, gdip::Bitmap, gdip::Region, gdip::Font, gdip::FontFamily,
                             gdip::StringFormat>;
TYPED_TEST_SUITE(EmptyObjectRules, Kinds);

}  // namespace

TYPED_TEST(EmptyObjectRules, NotCopyableButMovable) {
  static_assert(!std::is_copy_constructible_v<TypeParam>);
  static_assert(!std::is_copy_assignable_v<TypeParam>);
  static_assert(std::is_nothrow_move_constructible_v<TypeParam>);
  static_assert(std::is_nothrow_move_assignable_v<TypeParam>);
}

TYPED_TEST(EmptyObjectRules, DestroyMethodOfAnEmptyObjectReturnsFalseAndKeepsTheStatus) {
  TypeParam object;
  gdip::SetLastGdipStatus(Gdiplus::Aborted);
  EXPECT_FALSE(Kind<TypeParam>::Destroy(object));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Aborted);
}

TYPED_TEST(EmptyObjectRules, AGetterOnAnEmptyObjectGivesZeroAndInvalidParameter) {
  TypeParam object;
  gdip::SetLastGdipStatus(Gdiplus::Ok);
  EXPECT_EQ(Kind<TypeParam>::Get(object), 0);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}

TYPED_TEST(EmptyObjectRules, FilledThenDestroyedOnceThenEmpty) {
  TypeParam object;
  ASSERT_TRUE(Kind<TypeParam>::Fill(object));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_NE(object.GetNativeObject(), nullptr);
  EXPECT_NE(Kind<TypeParam>::Get(object), 0);
  EXPECT_TRUE(Kind<TypeParam>::Destroy(object));
  EXPECT_EQ(object.GetNativeObject(), nullptr);
  gdip::SetLastGdipStatus(Gdiplus::Aborted);
  EXPECT_FALSE(Kind<TypeParam>::Destroy(object));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Aborted);
}

TYPED_TEST(EmptyObjectRules, FillingAHoldingObjectReplacesItsHandle) {
  TypeParam object;
  ASSERT_TRUE(Kind<TypeParam>::Fill(object));
  ASSERT_TRUE(Kind<TypeParam>::Fill(object));
  EXPECT_NE(Kind<TypeParam>::Get(object), 0);
}

TYPED_TEST(EmptyObjectRules, MovesLeaveTheSourceEmpty) {
  TypeParam source;
  ASSERT_TRUE(Kind<TypeParam>::Fill(source));
  gdip::NativeHandle handle = source.GetNativeObject();
  TypeParam moved(std::move(source));
  EXPECT_EQ(source.GetNativeObject(), nullptr);
  EXPECT_EQ(moved.GetNativeObject(), handle);
  TypeParam assigned;
  ASSERT_TRUE(Kind<TypeParam>::Fill(assigned));
  assigned = std::move(moved);
  EXPECT_EQ(assigned.GetNativeObject(), handle);
  EXPECT_NE(Kind<TypeParam>::Get(assigned), 0);
}

TEST(EmptyObjectRules, AFontCollectionOwnsNothingAndAnEmptyOneFindsNothing) {
  static_assert(!std::is_copy_constructible_v<gdip::FontCollection>);
  gdip::FontCollection collection;
  gdip::SetLastGdipStatus(Gdiplus::Ok);
  EXPECT_EQ(collection.GetFamilyCount(), 0);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}
