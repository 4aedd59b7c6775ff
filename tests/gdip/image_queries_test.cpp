// What an image reports of itself (size, type, flags), the pictures made from
// it (thumbnails, turns and flips), its property items, and the typed handles
// and the decode count of images and bitmaps.
#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

using namespace gdiptest;

TEST(ImageQueries, SizeTypeAndFlagsAndZeroFromAnEmptyImage) {
  gdip::Bitmap argb = PlaceBitmap(6, 4), rgb;
  gdip::Image png;
  ASSERT_TRUE(rgb.CreateWithFormat(5, 7, PixelFormat24bppRGB) && png.FromStream(MakePng(3, 2, PlaceColour)));
  EXPECT_EQ(argb.GetDimension(), (gdip::SizeF{6, 4}));
  EXPECT_EQ(rgb.GetDimension(), (gdip::SizeF{5, 7}));
  int unit = Gdiplus::UnitInch;
  EXPECT_EQ(rgb.GetBounds(&unit), (gdip::RectF{0, 0, 5, 7}));
  EXPECT_EQ(unit, Gdiplus::UnitPixel);  // the unit GDI+ gives them in
  EXPECT_EQ(argb.GetType(), Gdiplus::ImageTypeBitmap);
  EXPECT_EQ(png.GetType(), Gdiplus::ImageTypeBitmap);
  EXPECT_EQ(argb.GetFlags(), unsigned(Gdiplus::ImageFlagsHasAlpha));
  EXPECT_EQ(rgb.GetFlags(), 0u);
  const unsigned decoded = Gdiplus::ImageFlagsReadOnly | Gdiplus::ImageFlagsHasRealPixelSize |
                           Gdiplus::ImageFlagsColorSpaceRGB | Gdiplus::ImageFlagsHasAlpha;
  EXPECT_EQ(png.GetFlags() & decoded, decoded);
  gdip::Image empty;
  EXPECT_REFUSED(empty.GetDimension() == gdip::SizeF{});
  EXPECT_REFUSED(empty.GetType() == 0);
  EXPECT_REFUSED(empty.GetFlags() == 0);
}

TEST(ImageQueries, AThumbnailScalesTheWholePictureToTheAskedWidthAndHeight) {
  gdip::Bitmap source = TwoColourBitmap(40, 20, kRed, kBlue);
  gdip::Bitmap thumbnail;
  ASSERT_TRUE(source.GetThumbnail(8, 4, thumbnail));
  EXPECT_EQ(thumbnail.GetBounds(), (gdip::RectF{0, 0, 8, 4}));
  ExpectPixels(thumbnail, {{1, 2, kRed}, {6, 1, kBlue}}, 8);
  NativeObjectsBalance balance(-1);
  EXPECT_FALSE(gdip::Image().GetThumbnail(8, 4, thumbnail));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_EQ(thumbnail.GetNativeObject(), nullptr);
}

TEST(ImageQueries, RotateFlipTurnsAndMirrorsThePictureInPlace) {
  // Of the 3 x 2 picture: where each place of the result comes from.
  const struct {
    Gdiplus::RotateFlipType type;
    gdip::RectF bounds;
    int x, y, fromX, fromY;
  } turns[] = {
      {Gdiplus::Rotate90FlipNone, {0, 0, 2, 3}, 0, 0, 0, 1},  {Gdiplus::Rotate90FlipNone, {0, 0, 2, 3}, 1, 2, 2, 0},
      {Gdiplus::Rotate270FlipNone, {0, 0, 2, 3}, 0, 0, 2, 0}, {Gdiplus::Rotate270FlipNone, {0, 0, 2, 3}, 1, 2, 0, 1},
      {Gdiplus::RotateNoneFlipX, {0, 0, 3, 2}, 0, 1, 2, 1},   {Gdiplus::RotateNoneFlipY, {0, 0, 3, 2}, 0, 0, 0, 1},
      {Gdiplus::Rotate180FlipNone, {0, 0, 3, 2}, 2, 0, 0, 1},
  };
  for (const auto& turn : turns) {
    SCOPED_TRACE(testing::Message() << "type " << turn.type << " at " << turn.x << "," << turn.y);
    gdip::Bitmap bitmap = PlaceBitmap(3, 2);
    ASSERT_TRUE(bitmap.RotateFlip(turn.type));
    EXPECT_EQ(bitmap.GetBounds(), turn.bounds);
    EXPECT_EQ(bitmap.GetPixel(turn.x, turn.y), PlaceColour(turn.fromX, turn.fromY));
  }
  EXPECT_FALSE(gdip::Image().RotateFlip(Gdiplus::Rotate90FlipNone));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}

namespace Flat = Gdiplus::DllExports;

// A 6 x 4 picture of 72 dots per inch across and 300 down.
gdip::Bitmap UnevenBitmap() {
  gdip::Bitmap bitmap = PlaceBitmap(6, 4);
  EXPECT_TRUE(bitmap.SetResolution(72, 300));
  return bitmap;
}

// Each new picture made of a picture of unequal resolutions. Written and read
// back, the two stay where they were. Copies, areas and turns or flips in
// place are GDI+'s own: the library's give what GDI+ gives the same bitmap
// when called without it, neither traded nor one taken for both (Wine's
// GDI+ gives each new bitmap its defaults, 96 both ways).
TEST(ImageQueries, NewPicturesKeepTheHorizontalAndVerticalResolutionsApart) {
  gdip::Bitmap source = UnevenBitmap();
  EXPECT_FLOAT_EQ(source.GetHorizontalResolution(), 72);
  EXPECT_FLOAT_EQ(source.GetVerticalResolution(), 300);
  auto saved = [&](std::string_view format) {
    std::string named(format);
    return source.SaveToStream(&named);
  };
  using Make = std::function<bool(gdip::Bitmap&)>;
  auto turned = [](Gdiplus::RotateFlipType type, bool flat) {
    return Make([=](gdip::Bitmap& o) {
      o = UnevenBitmap();
      return flat ? Flat::GdipImageRotateFlip(o.NativeImage(), type) == Gdiplus::Ok : o.RotateFlip(type);
    });
  };
  // Flat calls' new objects, adopted so that they are released.
  auto flatCopy = [&](gdip::Bitmap& o) {
    Gdiplus::GpImage* made = nullptr;
    bool ok = Flat::GdipCloneImage(source.NativeImage(), &made) == Gdiplus::Ok;
    o.SetNativeObject(ok ? made : nullptr);
    return ok;
  };
  auto flatArea = [&](Gdiplus::PixelFormat format) {
    return Make([&, format](gdip::Bitmap& o) {
      Gdiplus::GpBitmap* made = nullptr;
      bool ok = Flat::GdipCloneBitmapAreaI(1, 1, 3, 2, format, source.NativeBitmap(), &made) == Gdiplus::Ok;
      o.SetNativeObject(ok ? made : nullptr);
      return ok;
    });
  };
  const struct {
    const char* name;
    Make make;
    std::optional<gdip::SizeF> resolutions;  // none: what `byGdiplus` gives
    Make byGdiplus;
  } cases[] = {
      {"PNG", [&](auto& o) { return o.FromStream(saved(gdip::kPngFormat)); }, gdip::SizeF{72, 300}, {}},
      {"BMP", [&](auto& o) { return o.FromStream(saved(gdip::kBmpFormat)); }, gdip::SizeF{72, 300}, {}},
      {"copy", [&](auto& o) { return source.Clone(o); }, {}, flatCopy},
      {"area", [&](auto& o) { return source.CloneArea({1, 1, 3, 2}, PixelFormat32bppARGB, o); }, {},
       flatArea(PixelFormat32bppARGB)},
      {"integer area", [&](auto& o) { return source.CloneAreaI({1, 1, 3, 2}, PixelFormat24bppRGB, o); }, {},
       flatArea(PixelFormat24bppRGB)},
      {"turned 90", turned(Gdiplus::Rotate90FlipNone, false), {}, turned(Gdiplus::Rotate90FlipNone, true)},
      {"turned 270, flipped", turned(Gdiplus::Rotate270FlipX, false), {}, turned(Gdiplus::Rotate270FlipX, true)},
      {"turned 180", turned(Gdiplus::Rotate180FlipNone, false), {}, turned(Gdiplus::Rotate180FlipNone, true)},
      {"flipped", turned(Gdiplus::RotateNoneFlipY, false), {}, turned(Gdiplus::RotateNoneFlipY, true)},
  };
  auto resolutions = [](const gdip::Bitmap& b) {
    return gdip::SizeF{b.GetHorizontalResolution(), b.GetVerticalResolution()};
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    gdip::Bitmap made, reference;
    ASSERT_TRUE(c.make(made));
    if (!c.resolutions) {
      ASSERT_TRUE(c.byGdiplus(reference));
    }
    const gdip::SizeF expected = c.resolutions ? *c.resolutions : resolutions(reference);
    EXPECT_NEAR(made.GetHorizontalResolution(), expected.width, 0.5);
    EXPECT_NEAR(made.GetVerticalResolution(), expected.height, 0.5);
  }
  EXPECT_FLOAT_EQ(source.GetHorizontalResolution(), 72);
  EXPECT_FLOAT_EQ(source.GetVerticalResolution(), 300);
}

TEST(ImageQueries, APropertyItemIsRemovedByItsId) {
  // 1 x 1, two frames of 10 and 20 hundredths of a second: a frame-delay item.
  std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF};
  for (uint8_t delay : {10, 20})
    gif.insert(gif.end(), {0x21, 0xF9, 4, 0, delay, 0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0});
  gif.push_back(0x3B);
  gdip::Image image;
  gdip::PropertyItem item;
  ASSERT_TRUE(image.FromStream(gif) && image.GetPropertyItem(gdip::kFrameDelayTag, item));
  bool removed = image.RemovePropertyItem(gdip::kFrameDelayTag);
  if (gdip::LastGdipStatus() == Gdiplus::NotImplemented) {
    EXPECT_FALSE(removed);  // Wine's GDI+ removes no property item, and says so
  } else {
    EXPECT_TRUE(removed);
    EXPECT_FALSE(image.GetPropertyItem(gdip::kFrameDelayTag, item));
  }
  EXPECT_FALSE(gdip::Image().RemovePropertyItem(gdip::kFrameDelayTag));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}

TEST(ImageHandles, TypedHandlesViewTheOneHandleAndEachLoadFromBytesIsCounted) {
  TestFolder folder;  // before the images, which may hold their files open
  gdip::Bitmap bitmap = PlaceBitmap(3, 2);
  gdip::Image image;
  gdip::NativeHandle held = bitmap.GetNativeObject();
  EXPECT_EQ(bitmap.NativeBitmap(), held);
  EXPECT_EQ(bitmap.NativeImage(), held);
  {
    NativeObjectsBalance balance;
    Gdiplus::GpBitmap* made = nullptr;
    ASSERT_EQ(Gdiplus::DllExports::GdipCreateBitmapFromScan0(5, 7, 0, PixelFormat32bppARGB, nullptr, &made),
              Gdiplus::Ok);
    bitmap.SetNativeBitmap(made);  // adopted; the bitmap held before is released
    EXPECT_FALSE(IsLiveNative(held));
    EXPECT_EQ(bitmap.GetBounds(), (gdip::RectF{0, 0, 5, 7}));
    Gdiplus::GpImage* clone = nullptr;
    ASSERT_EQ(Gdiplus::DllExports::GdipCloneImage(bitmap.NativeImage(), &clone), Gdiplus::Ok);
    image.SetNativeImage(clone);
    EXPECT_EQ(image.NativeImage(), clone);
    EXPECT_EQ(image.GetWidth(), 5);
    EXPECT_TRUE(image.Dispose());
  }
  uint64_t loads = gdip::Image::StreamLoads();
  ASSERT_TRUE(image.FromStream(MakePng(2, 3, PlaceColour)) && bitmap.FromStream(MakePng(3, 2, PlaceColour)));
  EXPECT_FALSE(image.FromStream(std::vector<uint8_t>(16, 1)));
  std::string png(gdip::kPngFormat);
  ASSERT_TRUE(bitmap.SaveWide(folder.Path(L"uncounted.png"), &png) &&
              image.FromFileSimple(folder.Path(L"uncounted.png")));  // no bytes
  EXPECT_EQ(gdip::Image::StreamLoads(), loads + 3);
}
