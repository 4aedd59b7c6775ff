// Brushes: the typed views of one handle, solid colours, and textures cut
// from a picture, wrapped and transformed, told apart by the colours of a row
// of pixels.
#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

using namespace gdiptest;

namespace {

template <class T>
class GdipBrushKinds : public testing::Test {};
using BrushKinds =
    testing::Types<gdip::SolidBrush, gdip::LinearGradientBrush, gdip::PathGradientBrush, gdip::TextureBrush>;
TYPED_TEST_SUITE(GdipBrushKinds, BrushKinds);

template <class T>
gdip::NativeHandle TypedView(const T& brush) {
  if constexpr (std::is_same_v<T, gdip::SolidBrush>) return brush.NativeSolidFill();
  else if constexpr (std::is_same_v<T, gdip::LinearGradientBrush>) return brush.NativeLineGradient();
  else if constexpr (std::is_same_v<T, gdip::PathGradientBrush>) return brush.NativePathGradient();
  else return brush.NativeTexture();
}

// The colours of `count` pixels of a row as letters: R, G, B, W(hite), . (clear), ? (other).
std::string Row(const Canvas& canvas, int y, int count = 12) {
  std::string row;
  for (int x = 0; x < count; ++x) {
    gdip::Argb pixel = canvas.Pixel(x, y);
    row += pixel == kRed ? 'R' : pixel == kGreen ? 'G' : pixel == kBlue ? 'B' : pixel == kWhite ? 'W'
         : pixel == 0    ? '.' : '?';
  }
  return row;
}

// Image attributes (the library has no class of them): a colour remap and a wrap mode.
class TestAttributes : public gdip::GdipBase {
 public:
  TestAttributes(gdip::Argb from, gdip::Argb to, Gdiplus::WrapMode wrap) {
    Gdiplus::GpImageAttributes* attributes = nullptr;
    Gdiplus::ColorMap map{{from}, {to}};
    EXPECT_EQ(Gdiplus::DllExports::GdipCreateImageAttributes(&attributes), Gdiplus::Ok);
    SetNativeObject(attributes);
    EXPECT_EQ(Gdiplus::DllExports::GdipSetImageAttributesRemapTable(attributes, Gdiplus::ColorAdjustTypeDefault,
                                                                     TRUE, 1, &map), Gdiplus::Ok);
    EXPECT_EQ(Gdiplus::DllExports::GdipSetImageAttributesWrapMode(attributes, wrap, 0, FALSE), Gdiplus::Ok);
  }
  ~TestAttributes() override { ReleaseNative(); }

 protected:
  bool ReleaseNative() override { return DestroyWith(Gdiplus::DllExports::GdipDisposeImageAttributes); }
};

}  // namespace

TYPED_TEST(GdipBrushKinds, TheViewsShowOneHandleAndAnAdoptedOneReplacesIt) {
  gdip::Bitmap surface = TwoColourBitmap(4, 2, kRed, kGreen);
  TypeParam brush, source;
  ASSERT_TRUE(Kind<TypeParam>::Fill(brush, surface) && Kind<TypeParam>::Fill(source, surface));
  EXPECT_EQ(brush.NativeBrush(), brush.GetNativeObject());
  EXPECT_EQ(TypedView(brush), brush.GetNativeObject());
  Gdiplus::GpBrush* copy = nullptr;
  ASSERT_EQ(Gdiplus::DllExports::GdipCloneBrush(source.NativeBrush(), &copy), Gdiplus::Ok);
  {
    NativeObjectsBalance balance(-1);  // the brush held before goes
    brush.SetNativeBrush(copy);
  }
  EXPECT_EQ(brush.GetNativeObject(), copy);
  EXPECT_EQ(TypedView(brush), copy);
  EXPECT_EQ(Kind<TypeParam>::Get(brush), Kind<TypeParam>::Get(source));
}

TEST(GdipSolidBrush, ItsColourReadsBackAndFills) {
  gdip::SolidBrush brush = MakeBrush(0x80FF0000);
  EXPECT_EQ(brush.GetColor(), 0x80FF0000);
  ExpectSettings(brush, {SETTING(o.SetColor(0x40102030), o.GetColor() == 0x40102030)});
  ASSERT_TRUE(brush.SetColor(kGreen));
  Canvas canvas(10, 10, kWhite);
  EXPECT_TRUE(canvas.graphics.FillRectangle(brush, 2, 3, 4, 5));
  ExpectPixels(canvas, {{3, 7, kGreen}, {7, 3, kWhite}});
}

// The picture: 4 x 2 pixels, red on the left half, green on the right.
TEST(GdipTextureBrush, EachCreatorCutsItsRectangleAndTakesItsWrapMode) {
  gdip::Bitmap picture = TwoColourBitmap(4, 2, kRed, kGreen);
  TestAttributes blueTiles(kRed, kBlue, Gdiplus::WrapModeTile), blueMirrors(kRed, kBlue, Gdiplus::WrapModeTileFlipX);
  struct Case {
    const char* name;
    std::function<bool(gdip::TextureBrush&)> create;
    Gdiplus::WrapMode wrap;
    const char* row;
  } cases[] = {
      // A float rectangle keeps its fractions: from x = 0.5 it is three pixels wide, not (0, 0, 2, 2).
      {"rect", [&](auto& o) { return o.CreateFromRect(picture, 0.5f, 0, 2.5f, 2); }, Gdiplus::WrapModeTile,
       "RGGRGGRGGRGG"},
      {"rect mirrored", [&](auto& o) { return o.CreateFromRect(picture, 0.5f, 0, 2.5f, 2, Gdiplus::WrapModeTileFlipX); },
       Gdiplus::WrapModeTileFlipX, "RGGGGRRGGGGR"},
      {"whole, mirrored", [&](auto& o) { return o.Create(picture, Gdiplus::WrapModeTileFlipX); },
       Gdiplus::WrapModeTileFlipX, "RRGGGGRRRRGG"},
      {"integer rect", [&](auto& o) { return o.CreateFromRectI(picture, 1, 0, 3, 2, Gdiplus::WrapModeTileFlipX); },
       Gdiplus::WrapModeTileFlipX, "RGGGGRRGGGGR"},
      {"integer rect tiled", [&](auto& o) { return o.CreateFromRectI(picture, 2, 0, 2, 2); }, Gdiplus::WrapModeTile,
       "GGGGGGGGGGGG"},
      {"no attributes", [&](auto& o) { return o.CreateWithAttributes(picture, 1, 0, 2, 2); }, Gdiplus::WrapModeTile,
       "RGRGRGRGRGRG"},
      {"attributes", [&](auto& o) { return o.CreateWithAttributes(picture, 0.5f, 0, 2.5f, 2, &blueTiles); },
       Gdiplus::WrapModeTile, "BGGBGGBGGBGG"},
      {"integer attributes", [&](auto& o) { return o.CreateWithAttributesI(picture, 1, 0, 3, 2, &blueMirrors); },
       Gdiplus::WrapModeTileFlipX, "BGGGGBBGGGGB"},
      {"integer, no attributes", [&](auto& o) { return o.CreateWithAttributesI(picture, 0, 0, 3, 2); },
       Gdiplus::WrapModeTile, "RRGRRGRRGRRG"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gdip::TextureBrush brush;
    ASSERT_TRUE(c.create(brush));
    EXPECT_EQ(brush.GetWrapMode(), c.wrap);
    Canvas canvas(12, 4, kWhite);
    EXPECT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, 12, 4));
    EXPECT_EQ(Row(canvas, 1), c.row);
  }
  // A rectangle beyond the picture, on any side of it, or no picture: GDI+
  // refuses and the brush stays empty.
  gdip::Image none;
  std::function<bool(gdip::TextureBrush&)> refusals[] = {
      [&](auto& o) { return o.CreateFromRect(picture, 2, 0, 2.5f, 2); },
      [&](auto& o) { return o.CreateFromRectI(picture, 0, 1, 4, 2); },
      [&](auto& o) { return o.CreateFromRectI(picture, 2, 0, 3, 2); },
      [&](auto& o) { return o.CreateWithAttributes(picture, 0, 0, 4, 2.5f, &blueTiles); },
      [&](auto& o) { return o.CreateWithAttributesI(picture, 3, 0, 2, 2); },
      [&](auto& o) { return o.CreateFromRect(picture, -1, 0, 2, 2); },
      [&](auto& o) { return o.CreateFromRectI(picture, 0, -1, 2, 2); },
      [&](auto& o) { return o.CreateWithAttributes(picture, 0, -0.5f, 2, 2, &blueTiles); },
      [&](auto& o) { return o.CreateWithAttributesI(picture, -1, 0, 2, 2); },
      [&](auto& o) { return o.Create(none); },
  };
  for (auto& create : refusals) {
    gdip::TextureBrush refused;
    EXPECT_REFUSED(!create(refused));
    EXPECT_EQ(refused.GetNativeObject(), nullptr);
  }
}

// Integer rectangles up to and past the picture's right edge, each made by the
// wrapper and by GDI+'s own call: the same status, and where GDI+ makes a
// brush, the same tiles. A rectangle past the edge is not cut down to the
// picture (GDI+ refuses it).
TEST(GdipTextureBrush, AnIntegerRectangleUpToOrPastTheRightEdgeIsWhatGdiplusMakesOfIt) {
  namespace Flat = Gdiplus::DllExports;
  gdip::Bitmap picture = TwoColourBitmap(4, 2, kRed, kGreen);
  struct Area {
    int x, y, width, height;
  };
  const Area areas[] = {{1, 0, 3, 2}, {3, 0, 1, 2}, {2, 0, 3, 2}, {3, 0, 2, 2}, {0, 0, 5, 2}, {4, 0, 1, 2}};
  for (const Area& a : areas) {
    for (bool attributes : {false, true}) {
      SCOPED_TRACE(std::to_string(a.x) + ", " + std::to_string(a.width) + (attributes ? " with attributes" : ""));
      Gdiplus::GpTexture* made = nullptr;
      const Gdiplus::GpStatus expected =
          attributes ? Flat::GdipCreateTextureIAI(picture.NativeImage(), nullptr, a.x, a.y, a.width, a.height, &made)
                     : Flat::GdipCreateTexture2I(picture.NativeImage(), Gdiplus::WrapModeTile, a.x, a.y, a.width,
                                                 a.height, &made);
      gdip::TextureBrush reference, brush;
      if (expected == Gdiplus::Ok) reference.SetNativeObject(made);
      gdip::SetLastGdipStatus(Gdiplus::GenericError);
      const bool created = attributes ? brush.CreateWithAttributesI(picture, a.x, a.y, a.width, a.height)
                                      : brush.CreateFromRectI(picture, a.x, a.y, a.width, a.height);
      EXPECT_EQ(created, expected == Gdiplus::Ok);
      EXPECT_EQ(gdip::LastGdipStatus(), expected);
      if (expected != Gdiplus::Ok) {
        EXPECT_EQ(brush.GetNativeObject(), nullptr);
        continue;
      }
      Canvas filled(12, 4, kWhite), byGdiplus(12, 4, kWhite);
      EXPECT_TRUE(filled.graphics.FillRectangle(brush, 0, 0, 12, 4) &&
                  byGdiplus.graphics.FillRectangle(reference, 0, 0, 12, 4));
      EXPECT_EQ(Row(filled, 1), Row(byGdiplus, 1));
    }
  }
}

TEST(GdipTextureBrush, WrapModeAndTransformMoveTheTilesAndTheImageComesBackAsANewOne) {
  gdip::Bitmap picture = TwoColourBitmap(4, 2, kRed, kGreen), part;
  gdip::TextureBrush brush, empty;
  ASSERT_TRUE(brush.CreateFromRectI(picture, 1, 0, 3, 2));
  TestMatrix stretch(4, 0, 0, 1, 4, 0);
  ExpectSettings(brush, {SETTING(o.SetWrapMode(Gdiplus::WrapModeClamp), o.GetWrapMode() == Gdiplus::WrapModeClamp),
                         SETTING(o.SetTransform(stretch), Mapped(o, 1, 1) == (gdip::PointF{8, 1}))});
  // Four times as wide from x = 4, once: red, green, green, then nothing (probed off the tiles' edges).
  Canvas canvas(20, 4, kWhite);
  canvas.graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  EXPECT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, 20, 4));
  ExpectPixels(canvas, {{1, 1, kWhite}, {5, 1, kRed}, {9, 1, kGreen}, {13, 1, kGreen}, {18, 1, kWhite}, {5, 3, kWhite}});
  ASSERT_TRUE(brush.SetWrapMode(Gdiplus::WrapModeTile) && brush.ResetTransform() && brush.RotateTransform(90));
  EXPECT_TRUE(canvas.graphics.FillRectangle(brush, 0, 0, 12, 4));  // turned: the columns become rows
  EXPECT_EQ(Row(canvas, 0), "RRRRRRRRRRRR");
  EXPECT_EQ(Row(canvas, 2), "GGGGGGGGGGGG");

  {
    NativeObjectsBalance balance(+1);  // an image of the target's own
    ASSERT_TRUE(brush.GetImage(part));
  }
  EXPECT_EQ(part.GetWidth(), 3);
  EXPECT_EQ(part.GetPixel(0, 1), kRed);
  EXPECT_EQ(part.GetPixel(2, 1), kGreen);
  ExpectEmptyAnswersZero<gdip::TextureBrush>({GETTER(o.GetWrapMode()), GETTER(o.GetType())});
  EXPECT_FALSE(empty.GetImage(part));
  EXPECT_EQ(part.GetNativeObject(), nullptr);
}
