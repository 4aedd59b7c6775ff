// Images: loading from bytes and files, their properties, frames, palettes
// and property items, rotation, thumbnails and clones.
#include "gdip/image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "gdip/bitmap.h"
#include "platform/embedded_assets.h"
#include "tests/gdip/gdipa_test_support.h"

namespace gdip = korvath::gdip;
namespace assets = korvath::assets;
using gdiptest::MakePng;

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr char kPageDimension[] = "{7462DC86-6180-4C7E-8E3F-EE7333A7A483}";
constexpr char kTimeDimension[] = "{6AEDBD6D-3FB5-418A-83A6-7F45229DC872}";

// A 1 x 1 GIF with one frame per delay (hundredths of a second), each frame
// a black pixel drawn through a two-colour table.
std::vector<uint8_t> AnimatedGif(const std::vector<uint8_t>& delays) {
  std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0,
                              0, 0, 0, 0xFF, 0xFF, 0xFF};
  // Loop forever (the application extension that marks an animation).
  const uint8_t loop[] = {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0};
  gif.insert(gif.end(), std::begin(loop), std::end(loop));
  for (uint8_t delay : delays) {
    const uint8_t frame[] = {0x21, 0xF9, 4, 0, delay, 0, 0, 0,           // graphic control: the delay
                             0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0,            // image descriptor
                             2, 2, 0x44, 0x01, 0};                       // LZW data of one pixel
    gif.insert(gif.end(), std::begin(frame), std::end(frame));
  }
  gif.push_back(0x3B);
  return gif;
}

// 7 x 5: red with a blue top-left pixel.
std::vector<uint8_t> SmallPng() {
  return MakePng(7, 5, [](int x, int y) { return x == 0 && y == 0 ? kBlue : kRed; });
}

// Pixels of an image, read through a bitmap clone of it.
gdip::Argb PixelOf(const gdip::Image& image, int x, int y) {
  gdip::Bitmap bitmap;
  EXPECT_TRUE(image.Clone(bitmap));
  return bitmap.GetPixel(x, y);
}

}  // namespace

TEST(Image, LoadsAPngFromBytes) {
  gdip::Image image;
  ASSERT_TRUE(image.FromStream(SmallPng()));
  EXPECT_EQ(image.GetWidth(), 7);
  EXPECT_EQ(image.GetHeight(), 5);
  EXPECT_EQ(image.GetRawFormat(), gdip::kPngFormat);
  EXPECT_EQ(image.GetType(), int(Gdiplus::ImageTypeBitmap));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_EQ(image.GetDimension(), (gdip::SizeF{7, 5}));
  int unit = -1;
  EXPECT_EQ(image.GetBounds(&unit), (gdip::RectF{0, 0, 7, 5}));
  EXPECT_EQ(unit, int(Gdiplus::UnitPixel));
  EXPECT_EQ(PixelOf(image, 0, 0), kBlue);
  EXPECT_EQ(PixelOf(image, 6, 4), kRed);
}

TEST(Image, LoadsTheProgramsEmbeddedPictures) {
  gdip::Image png;
  ASSERT_TRUE(png.FromStream(assets::EmbeddedImageBytes(assets::EmbeddedFolderButtonNormalPng())));
  EXPECT_EQ(png.GetWidth(), 20);
  EXPECT_EQ(png.GetHeight(), 15);
  gdip::Image jpeg;
  ASSERT_TRUE(jpeg.FromStream(assets::EmbeddedImageBytes(assets::EmbeddedBackgroundJpeg())));
  EXPECT_EQ(jpeg.GetWidth(), 557);
  EXPECT_EQ(jpeg.GetHeight(), 800);
  EXPECT_EQ(jpeg.GetRawFormat(), "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}");
}

TEST(Image, BytesThatAreNoPictureLeaveTheObjectEmpty) {
  gdip::Image image;
  std::vector<uint8_t> garbage(100, 0x5A);
  EXPECT_FALSE(image.FromStream(garbage));
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_EQ(image.GetNativeObject(), nullptr);
  EXPECT_FALSE(image.FromStream({}));
  EXPECT_EQ(image.GetNativeObject(), nullptr);
}

TEST(Image, ALoadIntoAHoldingObjectReplacesThePicture) {
  gdip::Image image;
  ASSERT_TRUE(image.FromStream(SmallPng()));
  ASSERT_TRUE(image.FromStream(MakePng(3, 9, [](int, int) { return kBlue; })));
  EXPECT_EQ(image.GetWidth(), 3);
  EXPECT_EQ(PixelOf(image, 1, 8), kBlue);
  // A failed load leaves it empty rather than holding the old picture.
  std::vector<uint8_t> garbage(10, 1);
  EXPECT_FALSE(image.FromStream(garbage));
  EXPECT_EQ(image.GetNativeObject(), nullptr);
}

TEST(Image, DisposeEmptiesOnceAndKeepsTheStatusWhenEmpty) {
  gdip::Image image;
  ASSERT_TRUE(image.FromStream(SmallPng()));
  EXPECT_TRUE(image.Dispose());
  EXPECT_EQ(image.GetNativeObject(), nullptr);
  EXPECT_EQ(image.NativeImage(), nullptr);
  gdip::SetLastGdipStatus(Gdiplus::Win32Error);
  EXPECT_FALSE(image.Dispose());
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::Win32Error);
  EXPECT_EQ(image.GetWidth(), 0);
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}

TEST(Image, ASavedFileWithAChineseNameLoadsBack) {
  gdip::Image image;
  ASSERT_TRUE(image.FromStream(SmallPng()));
  std::string name = gdiptest::TempFileName("\xCD\xBC\xC6\xAC") + ".png";  // 图片
  std::string format;
  ASSERT_TRUE(image.Save(name, &format));
  EXPECT_EQ(format, gdip::kPngFormat);  // the image's own format, written back
  std::vector<uint8_t> file = gdiptest::ReadFileBytes(name);
  ASSERT_GE(file.size(), 8u);
  EXPECT_EQ(file[1], 'P');

  gdip::Image loaded;
  ASSERT_TRUE(loaded.FromFile(name));
  EXPECT_EQ(loaded.GetWidth(), 7);
  EXPECT_EQ(PixelOf(loaded, 0, 0), kBlue);
  gdip::Bitmap asBitmap;
  ASSERT_TRUE(asBitmap.FromFile(name));
  EXPECT_EQ(asBitmap.GetPixel(3, 3), kRed);
  loaded.Dispose();
  asBitmap.Dispose();
  gdiptest::RemoveFile(name);
  EXPECT_FALSE(loaded.FromFile(name));
}

TEST(Image, SaveWideWithoutFormatWritesABmp) {
  gdip::Image image;
  ASSERT_TRUE(image.FromStream(SmallPng()));
  std::string name = gdiptest::TempFileName("wide") + ".bmp";
  std::string format;
  ASSERT_TRUE(image.SaveWide(gdip::AnsiToWide(name), &format));
  EXPECT_EQ(format, gdip::kBmpFormat);
  std::vector<uint8_t> file = gdiptest::ReadFileBytes(name);
  ASSERT_GE(file.size(), 2u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  gdip::Bitmap loaded;
  ASSERT_TRUE(loaded.FromFileSimple(gdip::AnsiToWide(name)));
  EXPECT_EQ(loaded.GetWidth(), 7);
  EXPECT_EQ(loaded.GetPixel(0, 0) & 0xFFFFFF, kBlue & 0xFFFFFF);
  loaded.Dispose();
  gdiptest::RemoveFile(name);
}

TEST(Image, RotateFlipTurnsThePicture) {
  gdip::Image image;
  ASSERT_TRUE(image.FromStream(SmallPng()));
  ASSERT_TRUE(image.RotateFlip(Gdiplus::Rotate90FlipNone));
  EXPECT_EQ(image.GetWidth(), 5);
  EXPECT_EQ(image.GetHeight(), 7);
  // Clockwise: the top-left pixel goes to the top-right corner.
  EXPECT_EQ(PixelOf(image, 4, 0), kBlue);
  EXPECT_EQ(PixelOf(image, 0, 0), kRed);
}

TEST(Image, CloneAndThumbnailMakeObjectsOfTheirOwn) {
  gdip::Image image;
  ASSERT_TRUE(image.FromStream(SmallPng()));
  gdip::Bitmap clone;
  ASSERT_TRUE(image.Clone(clone));
  EXPECT_NE(clone.GetNativeObject(), image.GetNativeObject());
  EXPECT_EQ(clone.NativeBitmap(), clone.GetNativeObject());
  ASSERT_TRUE(clone.SetPixel(0, 0, kRed));
  EXPECT_EQ(PixelOf(image, 0, 0), kBlue);

  gdip::Image thumbnail;
  ASSERT_TRUE(image.GetThumbnail(4, 2, thumbnail));
  EXPECT_EQ(thumbnail.GetWidth(), 4);
  EXPECT_EQ(thumbnail.GetHeight(), 2);

  // A clone of an empty image fails and empties the target.
  gdip::Image empty;
  EXPECT_FALSE(empty.Clone(clone));
  EXPECT_EQ(clone.GetNativeObject(), nullptr);
}

TEST(Image, FramesOfASinglePagePicture) {
  gdip::Image image;
  ASSERT_TRUE(image.FromStream(SmallPng()));
  std::vector<std::string> dimensions = {"old"};
  ASSERT_TRUE(image.GetFrameDimensionsList(dimensions));
  ASSERT_EQ(dimensions.size(), 1u);
  EXPECT_EQ(dimensions[0], kPageDimension);
  EXPECT_EQ(image.GetFrameCount(kPageDimension), 1u);
  EXPECT_TRUE(image.SelectActiveFrame(kPageDimension, 0));

  gdip::Image empty;
  dimensions = {"kept"};
  EXPECT_FALSE(empty.GetFrameDimensionsList(dimensions));
  EXPECT_EQ(dimensions, std::vector<std::string>{"kept"});
}

TEST(Image, FrameDelaysOfAPictureWithoutThemLeaveTheListAlone) {
  gdip::Image image;
  ASSERT_TRUE(image.FromStream(SmallPng()));
  std::vector<int32_t> delays = {7, 7};
  EXPECT_FALSE(image.GetFrameDelays(delays));
  EXPECT_EQ(delays, (std::vector<int32_t>{7, 7}));
}

TEST(Image, AnAnimatedGifGivesItsFramesAndDelays) {
  gdip::Image gif;
  ASSERT_TRUE(gif.FromStream(AnimatedGif({10, 20, 30})));
  EXPECT_EQ(gif.GetRawFormat(), "{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}");
  std::vector<std::string> dimensions;
  ASSERT_TRUE(gif.GetFrameDimensionsList(dimensions));
  ASSERT_EQ(dimensions.size(), 1u);
  EXPECT_EQ(dimensions[0], kTimeDimension);
  EXPECT_EQ(gif.GetFrameCount(kTimeDimension), 3u);
  EXPECT_TRUE(gif.SelectActiveFrame(kTimeDimension, 2));

  std::vector<int32_t> delays;
  ASSERT_TRUE(gif.GetFrameDelays(delays));
  EXPECT_EQ(delays, (std::vector<int32_t>{10, 20, 30}));

  std::vector<uint32_t> ids;
  int count = gif.GetPropertyIdList(ids);
  ASSERT_GT(count, 0);
  ASSERT_EQ(ids.size(), size_t(count));
  EXPECT_NE(std::find(ids.begin(), ids.end(), gdip::kFrameDelayTag), ids.end());
  gdip::PropertyItem item;
  ASSERT_TRUE(gif.GetPropertyItem(gdip::kFrameDelayTag, item));
  EXPECT_EQ(item.id, gdip::kFrameDelayTag);
  EXPECT_EQ(item.type, 4u);  // long
  EXPECT_EQ(item.length, 12u);
  EXPECT_EQ(item.value, (std::vector<uint8_t>{10, 0, 0, 0, 20, 0, 0, 0, 30, 0, 0, 0}));

  gdip::PropertyItem kept;
  kept.value = {1};
  EXPECT_FALSE(gif.GetPropertyItem(0x0131, kept));  // no "software" tag
  EXPECT_EQ(kept.value, std::vector<uint8_t>{1});
}

TEST(Image, APictureWithoutPropertiesHasAnEmptyIdList) {
  gdip::Bitmap bitmap;
  ASSERT_TRUE(bitmap.CreateWithFormat(4, 4));
  std::vector<uint32_t> ids = {99};
  EXPECT_EQ(bitmap.GetPropertyIdList(ids), 0);
  EXPECT_TRUE(ids.empty());
  gdip::Image empty;
  ids = {99};
  EXPECT_EQ(empty.GetPropertyIdList(ids), 0);
  EXPECT_EQ(ids, std::vector<uint32_t>{99});
}

TEST(Image, APropertyItemLongerThanItsValueIsRefused) {
  gdip::Bitmap bitmap;
  ASSERT_TRUE(bitmap.CreateWithFormat(4, 4));
  gdip::PropertyItem item;
  item.id = 0x010E;  // image description
  item.type = 2;
  item.value = {'a', 0};
  item.length = 64;
  gdip::SetLastGdipStatus(Gdiplus::Ok);
  EXPECT_FALSE(bitmap.SetPropertyItem(item));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  std::vector<uint32_t> ids;
  EXPECT_EQ(bitmap.GetPropertyIdList(ids), 0);
}

TEST(Image, PalettesOfIndexedBitmapsRoundTripAllEntries) {
  gdip::Bitmap bitmap;
  ASSERT_TRUE(bitmap.CreateWithFormat(8, 8, PixelFormat8bppIndexed));
  gdip::ColorPalette palette;
  palette.flags = 0;
  for (uint32_t i = 0; i < 256; ++i) palette.entries.push_back(0xFF000000u | (i << 16) | (255 - i));
  ASSERT_TRUE(bitmap.SetPalette(palette));
  gdip::ColorPalette read;
  ASSERT_TRUE(bitmap.GetPalette(read));
  ASSERT_EQ(read.entries.size(), 256u);
  EXPECT_EQ(read.entries, palette.entries);

  gdip::Image empty;
  read.entries = {1, 2};
  EXPECT_FALSE(empty.GetPalette(read));
  EXPECT_EQ(read.entries, (std::vector<gdip::Argb>{1, 2}));
}

TEST(Image, ResolutionFollowsTheBitmap) {
  gdip::Bitmap bitmap;
  ASSERT_TRUE(bitmap.CreateWithFormat(4, 4));
  ASSERT_TRUE(bitmap.SetResolution(120, 72));
  EXPECT_FLOAT_EQ(bitmap.GetHorizontalResolution(), 120);
  EXPECT_FLOAT_EQ(bitmap.GetVerticalResolution(), 72);
  EXPECT_EQ(bitmap.GetPixelFormat(), gdip::kPixelFormat32bppArgb);
  EXPECT_TRUE(bitmap.GetFlags() & Gdiplus::ImageFlagsHasAlpha);
}
