// The shared status and empty-object rules, once per wrapper kind of the
// drawing half of the library: a destroy method on an empty object makes no
// call, a getter on an empty object answers 0 with InvalidParameter, a
// destroy method empties the object, and a failed clone empties its target.
#include <gtest/gtest.h>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/path_gradient_brush.h"
#include "gdip/pen.h"
#include "gdip/texture_brush.h"

namespace gdip = korvath::gdip;

namespace {

// How each kind is filled, and one of its getters.
struct GraphicsKind {
  using Type = gdip::Graphics;
  gdip::Bitmap surface;
  bool Fill(Type& object) {
    surface.CreateWithFormat(4, 4);
    return object.FromImage(surface);
  }
  static float Get(const Type& object) { return object.GetDpiX(); }
};

struct PenKind {
  using Type = gdip::Pen;
  bool Fill(Type& object) { return object.CreateFromColor(0xFF102030, 3); }
  static float Get(const Type& object) { return object.GetWidth(); }
};

struct PathKind {
  using Type = gdip::GraphicsPath;
  bool Fill(Type& object) { return object.Create() && object.AddRectangle(0, 0, 5, 5); }
  static int Get(const Type& object) { return object.GetPointCount2(); }
};

struct SolidBrushKind {
  using Type = gdip::SolidBrush;
  bool Fill(Type& object) { return object.Create(0xFF102030); }
  static gdip::Argb Get(const Type& object) { return object.GetColor(); }
};

struct LinearGradientKind {
  using Type = gdip::LinearGradientBrush;
  bool Fill(Type& object) { return object.CreateFromPoints({0, 0}, {10, 0}, 0xFF000000, 0xFFFFFFFF); }
  static int Get(const Type& object) { return object.GetBlendCount(); }
};

struct PathGradientKind {
  using Type = gdip::PathGradientBrush;
  bool Fill(Type& object) {
    const gdip::PointF triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    return object.Create(triangle);
  }
  static int Get(const Type& object) { return object.GetPointCount(); }
};

struct TextureKind {
  using Type = gdip::TextureBrush;
  gdip::Bitmap picture;
  bool Fill(Type& object) {
    picture.CreateWithFormat(2, 2);
    return object.Create(picture);
  }
  static int Get(const Type& object) { return object.GetType(); }
};

template <class Kind>
class GdipWrapperRules : public testing::Test {
 protected:
  Kind kind;
};

using Kinds = testing::Types<GraphicsKind, PenKind, PathKind, SolidBrushKind, LinearGradientKind, PathGradientKind,
                             TextureKind>;
TYPED_TEST_SUITE(GdipWrapperRules, Kinds);

template <class T>
bool DeleteOf(T& object) {
  return object.Delete();
}

}  // namespace

TYPED_TEST(GdipWrapperRules, DestroyOnAnEmptyObjectMakesNoCall) {
  typename TypeParam::Type object;
  gdip::SetLastGdipStatus(Gdiplus::Aborted);
  EXPECT_FALSE(DeleteOf(object));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Aborted);
}

TYPED_TEST(GdipWrapperRules, GetterOnAnEmptyObjectAnswersZeroAndInvalidParameter) {
  typename TypeParam::Type object;
  gdip::SetLastGdipStatus(Gdiplus::Ok);
  EXPECT_EQ(TypeParam::Get(object), 0);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}

TYPED_TEST(GdipWrapperRules, DestroyEmptiesAndASecondDestroyIsHarmless) {
  typename TypeParam::Type object;
  ASSERT_TRUE(this->kind.Fill(object));
  EXPECT_NE(object.GetNativeObject(), nullptr);
  EXPECT_NE(TypeParam::Get(object), 0);
  EXPECT_TRUE(DeleteOf(object));
  EXPECT_EQ(object.GetNativeObject(), nullptr);
  EXPECT_FALSE(DeleteOf(object));
}

TYPED_TEST(GdipWrapperRules, MovingHandsTheNativeObjectOverAndCopyingIsForbidden) {
  static_assert(!std::is_copy_constructible_v<typename TypeParam::Type>);
  static_assert(!std::is_copy_assignable_v<typename TypeParam::Type>);
  typename TypeParam::Type source;
  ASSERT_TRUE(this->kind.Fill(source));
  gdip::NativeHandle handle = source.GetNativeObject();
  typename TypeParam::Type target(std::move(source));
  EXPECT_EQ(source.GetNativeObject(), nullptr);
  EXPECT_EQ(target.GetNativeObject(), handle);
  EXPECT_NE(TypeParam::Get(target), 0);
}

// Clone exists on the kinds that GDI+ can copy; the failed clone of an empty
// object must leave the target empty, not holding its old handle.
TEST(GdipWrapperClone, CloneOfAnEmptyObjectEmptiesTheTarget) {
  gdip::Pen emptyPen, pen;
  ASSERT_TRUE(pen.CreateFromColor(0xFF000000, 1));
  EXPECT_FALSE(emptyPen.Clone(pen));
  EXPECT_EQ(pen.GetNativeObject(), nullptr);

  gdip::GraphicsPath emptyPath, path;
  ASSERT_TRUE(path.Create());
  EXPECT_FALSE(emptyPath.Clone(path));
  EXPECT_EQ(path.GetNativeObject(), nullptr);

  gdip::SolidBrush emptyBrush, brush;
  ASSERT_TRUE(brush.Create(0xFF000000));
  EXPECT_FALSE(emptyBrush.Clone(brush));
  EXPECT_EQ(brush.GetNativeObject(), nullptr);
}

TEST(GdipWrapperClone, CloneMakesAnIndependentNativeCopy) {
  gdip::SolidBrush brush, copy;
  ASSERT_TRUE(brush.Create(0x80FF0000));
  ASSERT_TRUE(brush.Clone(copy));
  EXPECT_NE(copy.GetNativeObject(), brush.GetNativeObject());
  EXPECT_EQ(copy.NativeSolidFill(), copy.GetNativeObject());
  ASSERT_TRUE(brush.Delete());
  EXPECT_EQ(copy.GetColor(), 0x80FF0000u);
  EXPECT_EQ(copy.GetType(), Gdiplus::BrushTypeSolidColor);
}
