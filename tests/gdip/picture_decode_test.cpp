#include "gdip/picture_decode.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "gdip/bitmap.h"
#include "platform/embedded_image.h"
#include "tests/gdip/gdip_test_support.h"

namespace korvath::gdip::test_pictures {
std::span<const uint8_t> Background();
std::span<const uint8_t> CaptionClose();
std::span<const uint8_t> CaptionHelp();
std::span<const uint8_t> CaptionMaximise();
std::span<const uint8_t> CaptionMenu();
std::span<const uint8_t> CaptionMinimise();
std::span<const uint8_t> CaptionRestore();
std::span<const uint8_t> GlyphStrip();
}  // namespace korvath::gdip::test_pictures

namespace korvath::gdip {
namespace {

Gdiplus::ARGB PixelOf(const Image& image, int x, int y) {
  Gdiplus::ARGB colour = 0;
  Gdiplus::DllExports::GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(image.GetNativeObject()), x, y, &colour);
  return colour;
}

// The direct decode must be indistinguishable from GDI+'s own: the program's
// pictures go through it, and every pixel of the window depends on them.
void ExpectBytesSameAsGdiplus(std::span<const uint8_t> bytes, int pixelFormat) {
  Image direct, viaGdiplus;
  ASSERT_TRUE(DecodePictureDirect(bytes, direct));
  ASSERT_TRUE(viaGdiplus.FromStream(bytes));
  EXPECT_EQ(direct.GetPixelFormat(), pixelFormat);
  EXPECT_EQ(direct.GetPixelFormat(), viaGdiplus.GetPixelFormat());
  ASSERT_EQ(direct.GetWidth(), viaGdiplus.GetWidth());
  ASSERT_EQ(direct.GetHeight(), viaGdiplus.GetHeight());
  EXPECT_EQ(direct.GetHorizontalResolution(), viaGdiplus.GetHorizontalResolution());
  EXPECT_EQ(direct.GetVerticalResolution(), viaGdiplus.GetVerticalResolution());
  int differing = 0;
  for (int y = 0; y < int(direct.GetHeight()); ++y)
    for (int x = 0; x < int(direct.GetWidth()); ++x) differing += PixelOf(direct, x, y) != PixelOf(viaGdiplus, x, y);
  EXPECT_EQ(differing, 0);
}

void ExpectSameAsGdiplus(std::span<const uint8_t> embedded, int pixelFormat) {
  ExpectBytesSameAsGdiplus(platform::EmbeddedImageBytes(embedded), pixelFormat);
}

TEST(PictureDecode, GivesGdiplusOwnPixelsFormatAndResolutionForTheProgramsPictures) {
  ExpectSameAsGdiplus(test_pictures::Background(), PixelFormat24bppRGB);
  ExpectSameAsGdiplus(test_pictures::CaptionClose(), PixelFormat32bppARGB);
  ExpectSameAsGdiplus(test_pictures::CaptionHelp(), PixelFormat32bppARGB);
  ExpectSameAsGdiplus(test_pictures::CaptionMaximise(), PixelFormat32bppARGB);
  ExpectSameAsGdiplus(test_pictures::CaptionMenu(), PixelFormat32bppARGB);
  ExpectSameAsGdiplus(test_pictures::CaptionMinimise(), PixelFormat32bppARGB);
  ExpectSameAsGdiplus(test_pictures::CaptionRestore(), PixelFormat32bppARGB);
  ExpectSameAsGdiplus(test_pictures::GlyphStrip(), PixelFormat32bppARGB);
}

// A picture whose pixels are not square keeps its horizontal and its
// vertical resolution, each where GDI+ has it.
TEST(PictureDecode, KeepsAHorizontalResolutionThatDiffersFromTheVertical) {
  constexpr std::string_view kJpegFormat = "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}";
  const struct {
    std::string_view format;
    int pixelFormat;
  } kinds[] = {{kPngFormat, PixelFormat32bppARGB}, {kJpegFormat, PixelFormat24bppRGB}};
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.format);
    Bitmap source = gdiptest::TwoColourBitmap(6, 4, 0xFF204080, 0xFFC08040);
    ASSERT_TRUE(source.SetResolution(72, 150));
    std::string format(kind.format);
    const std::vector<uint8_t> bytes = source.SaveToStream(&format);
    ASSERT_FALSE(bytes.empty());
    ExpectBytesSameAsGdiplus(bytes, kind.pixelFormat);
    Image direct;
    ASSERT_TRUE(DecodePictureDirect(bytes, direct));
    EXPECT_NEAR(direct.GetHorizontalResolution(), 72, 0.5);
    EXPECT_NEAR(direct.GetVerticalResolution(), 150, 0.5);
  }
}

TEST(PictureDecode, LeavesOtherPicturesToGdiplusAndTheTargetAlone) {
  // A PNG that does not decode and bytes that are no JPEG or PNG.
  const std::vector<uint8_t> notAPicture = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0};
  Image target;
  ASSERT_TRUE(target.FromStream(platform::EmbeddedImageBytes(test_pictures::CaptionClose())));
  void* before = target.GetNativeObject();
  EXPECT_FALSE(DecodePictureDirect(notAPicture, target));
  EXPECT_FALSE(DecodePictureDirect(std::vector<uint8_t>{'B', 'M', 0, 0}, target));
  EXPECT_FALSE(DecodePictureDirect({}, target));
  // A PNG without alpha (24 bits a pixel) is a layout GDI+ converts.
  Bitmap opaque;
  ASSERT_TRUE(opaque.CreateWithFormat(4, 2, PixelFormat24bppRGB));
  std::string png(kPngFormat);
  const std::vector<uint8_t> rgb = opaque.SaveToStream(&png);
  Image viaGdiplus;
  ASSERT_TRUE(viaGdiplus.FromStream(rgb));
  ASSERT_EQ(viaGdiplus.GetPixelFormat(), PixelFormat24bppRGB);
  EXPECT_FALSE(DecodePictureDirect(rgb, target));
  EXPECT_EQ(target.GetNativeObject(), before);
}

TEST(PictureDecode, APictureItCannotTakeGoesThroughTheTargetsOwnDecoder) {
  // A BMP: GDI+ decodes it, into a bitmap when the target is one.
  Bitmap source = gdiptest::TwoColourBitmap(4, 2, 0xFF0000FF, 0xFFFF0000);
  std::string format(kBmpFormat);
  const std::vector<uint8_t> bmp = source.SaveToStream(&format);
  ASSERT_FALSE(bmp.empty());
  Bitmap decoded;
  ASSERT_TRUE(DecodePicture(bmp, decoded));
  EXPECT_EQ(decoded.GetRawFormat(), kBmpFormat);
  EXPECT_EQ(decoded.GetPixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(decoded.GetPixel(3, 1), 0xFFFF0000u);
  Image undecodable;
  EXPECT_FALSE(DecodePicture(std::vector<uint8_t>{1, 2, 3, 4}, undecodable));
  EXPECT_EQ(undecodable.GetNativeObject(), nullptr);
}

}  // namespace
}  // namespace korvath::gdip
