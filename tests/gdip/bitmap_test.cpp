// Bitmaps: creation, pixels, locked bits, area clones and rotation.
#include "gdip/bitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/embedded_assets.h"
#include "platform/gdi_object.h"
#include "tests/support/win_test_support.h"
#include "tests/gdip/gdipa_test_support.h"

namespace gdip = korvath::gdip;
namespace assets = korvath::assets;

namespace {

constexpr gdip::Argb kRed = 0xFFFF0000;
constexpr gdip::Argb kBlue = 0xFF0000FF;
constexpr gdip::Argb kGreen = 0xFF00FF00;

}  // namespace

TEST(Bitmap, CreateWithFormatMakesATransparentArgbBitmap) {
  gdip::Bitmap bitmap;
  ASSERT_TRUE(bitmap.CreateWithFormat(10, 20));
  EXPECT_EQ(bitmap.GetWidth(), 10);
  EXPECT_EQ(bitmap.GetHeight(), 20);
  EXPECT_EQ(bitmap.GetPixelFormat(), gdip::kPixelFormat32bppArgb);
  EXPECT_EQ(bitmap.GetPixel(0, 0), 0u);
  EXPECT_EQ(bitmap.GetPixel(9, 19), 0u);
  // Every level sees the same handle.
  EXPECT_EQ(bitmap.NativeBitmap(), bitmap.GetNativeObject());
  EXPECT_EQ(bitmap.NativeImage(), bitmap.GetNativeObject());
}

TEST(Bitmap, PixelsRoundTripAndOutsidePixelsAreZeroWithAFailure) {
  gdip::Bitmap bitmap;
  ASSERT_TRUE(bitmap.CreateWithFormat(5, 5));
  ASSERT_TRUE(bitmap.SetPixel(2, 3, 0x7F123456));
  EXPECT_EQ(bitmap.GetPixel(2, 3), 0x7F123456u);
  EXPECT_EQ(bitmap.GetPixel(3, 2), 0u);
  EXPECT_EQ(bitmap.GetPixel(5, 0), 0u);
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_EQ(bitmap.GetPixel(-1, 2), 0u);
  EXPECT_FALSE(bitmap.SetPixel(0, 9, kRed));
}

TEST(Bitmap, LockBitsWritesAndReadsThePixels) {
  gdip::Bitmap bitmap;
  ASSERT_TRUE(bitmap.CreateWithFormat(6, 4));
  gdip::BitmapData data;
  ASSERT_TRUE(bitmap.LockBits({1, 1, 4, 2}, Gdiplus::ImageLockModeWrite, gdip::kPixelFormat32bppArgb, data));
  EXPECT_EQ(data.width, 4u);
  EXPECT_EQ(data.height, 2u);
  ASSERT_NE(data.scan0, nullptr);
  for (uint32_t y = 0; y < data.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.scan0) + y * data.stride);
    for (uint32_t x = 0; x < data.width; ++x) row[x] = kGreen;
  }
  ASSERT_TRUE(bitmap.UnlockBits(data));
  EXPECT_EQ(bitmap.GetPixel(1, 1), kGreen);
  EXPECT_EQ(bitmap.GetPixel(4, 2), kGreen);
  EXPECT_EQ(bitmap.GetPixel(0, 0), 0u);
  EXPECT_EQ(bitmap.GetPixel(5, 3), 0u);

  ASSERT_TRUE(bitmap.LockBits({0, 0, 6, 4}, Gdiplus::ImageLockModeRead, gdip::kPixelFormat32bppArgb, data));
  auto* second = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.scan0) + data.stride);
  EXPECT_EQ(second[2], kGreen);
  EXPECT_EQ(second[5], 0u);
  ASSERT_TRUE(bitmap.UnlockBits(data));
}

TEST(Bitmap, CreateFromScan0UsesTheCallersPixels) {
  std::vector<uint32_t> pixels(4 * 3, kBlue);
  pixels[4 + 2] = kRed;
  gdip::Bitmap bitmap;
  ASSERT_TRUE(bitmap.CreateFromScan0(4, 3, 16, gdip::kPixelFormat32bppArgb, pixels.data()));
  EXPECT_EQ(bitmap.GetPixel(2, 1), kRed);
  EXPECT_EQ(bitmap.GetPixel(0, 0), kBlue);
  EXPECT_FALSE(bitmap.CreateFromScan0(0, 3, 0, gdip::kPixelFormat32bppArgb));
  EXPECT_EQ(bitmap.GetNativeObject(), nullptr);
}

TEST(Bitmap, LoadsPngAndJpegBytes) {
  gdip::Bitmap png;
  ASSERT_TRUE(png.FromStream(gdiptest::MakePng(9, 4, [](int x, int) { return x < 3 ? kRed : 0x40000000u; })));
  EXPECT_EQ(png.GetWidth(), 9);
  EXPECT_EQ(png.GetPixel(1, 2), kRed);
  EXPECT_EQ(png.GetPixel(7, 2), 0x40000000u);

  gdip::Bitmap jpeg;
  ASSERT_TRUE(jpeg.FromStream(assets::EmbeddedImageBytes(assets::EmbeddedBackgroundJpeg())));
  EXPECT_EQ(jpeg.GetWidth(), 557);
  EXPECT_EQ(gdip::ArgbAlpha(jpeg.GetPixel(200, 300)), 0xFF);
  EXPECT_TRUE(jpeg.Dispose());
  EXPECT_EQ(jpeg.GetNativeObject(), nullptr);
}

TEST(Bitmap, CloneAreaCopiesTheRectangleAndAFailedCloneEmptiesTheTarget) {
  gdip::Bitmap source = gdiptest::TwoColourBitmap(10, 6, kRed, kBlue);
  gdip::Bitmap area;
  ASSERT_TRUE(source.CloneArea({3, 1, 4, 3}, gdip::kPixelFormat32bppArgb, area));
  EXPECT_EQ(area.GetWidth(), 4);
  EXPECT_EQ(area.GetHeight(), 3);
  EXPECT_EQ(area.GetPixel(0, 0), kRed);  // x 3
  EXPECT_EQ(area.GetPixel(3, 2), kBlue);  // x 6
  gdip::Bitmap areaI;
  ASSERT_TRUE(source.CloneAreaI({5, 0, 5, 6}, gdip::kPixelFormat32bppArgb, areaI));
  EXPECT_EQ(areaI.GetPixel(0, 5), kBlue);
  EXPECT_EQ(source.GetPixel(0, 0), kRed);  // the source is unchanged

  EXPECT_FALSE(source.CloneArea({8, 4, 10, 10}, gdip::kPixelFormat32bppArgb, area));
  EXPECT_EQ(area.GetNativeObject(), nullptr);
}

TEST(Bitmap, RotationGeometryUsesTheWholeWidthAndHeight) {
  EXPECT_EQ(gdip::Bitmap::RotationGeometry(100, 50, 0), (gdip::SizeF{100, 50}));
  gdip::SizeF quarter = gdip::Bitmap::RotationGeometry(100, 50, 90);
  EXPECT_NEAR(quarter.width, 50, 1e-3);
  EXPECT_NEAR(quarter.height, 100, 1e-3);
  gdip::SizeF eighth = gdip::Bitmap::RotationGeometry(100, 50, 45);
  EXPECT_NEAR(eighth.width, 150 * std::sqrt(0.5), 1e-3);
  EXPECT_NEAR(eighth.height, 150 * std::sqrt(0.5), 1e-3);
  gdip::SizeF half = gdip::Bitmap::RotationGeometry(30, 20, 180);
  EXPECT_NEAR(half.width, 30, 1e-3);
  EXPECT_NEAR(half.height, 20, 1e-3);
}

TEST(Bitmap, RotateDrawIntoByZeroKeepsThePicture) {
  gdip::Bitmap source = gdiptest::TwoColourBitmap(20, 10, kRed, kBlue);
  gdip::Bitmap turned;
  ASSERT_TRUE(source.RotateDrawInto(0, turned));
  EXPECT_EQ(turned.GetWidth(), 20);
  EXPECT_EQ(turned.GetHeight(), 10);
  EXPECT_EQ(turned.GetPixel(2, 5), kRed);
  EXPECT_EQ(turned.GetPixel(17, 5), kBlue);
  EXPECT_EQ(turned.GetPixel(19, 9), kBlue);  // the last column and row survive
}

TEST(Bitmap, RotateDrawIntoByAQuarterTurnsClockwise) {
  gdip::Bitmap source = gdiptest::TwoColourBitmap(40, 20, kRed, kBlue);
  gdip::Bitmap turned;
  ASSERT_TRUE(source.RotateDrawInto(90, turned));
  EXPECT_EQ(turned.GetWidth(), 20);
  EXPECT_EQ(turned.GetHeight(), 40);
  // The left (red) half comes to the top.
  EXPECT_EQ(turned.GetPixel(10, 8), kRed);
  EXPECT_EQ(turned.GetPixel(10, 32), kBlue);
  EXPECT_EQ(source.GetWidth(), 40);  // the source is unchanged
}

TEST(Bitmap, RotateDrawIntoFillsTheCornersAndHonoursAGivenSize) {
  gdip::Bitmap source = gdiptest::TwoColourBitmap(40, 40, kRed, kRed);
  gdip::Bitmap turned;
  ASSERT_TRUE(source.RotateDrawInto(45, turned, kGreen, Gdiplus::InterpolationModeNearestNeighbor));
  int size = turned.GetWidth();
  EXPECT_NEAR(size, 56, 1);
  EXPECT_EQ(turned.GetPixel(2, 2), kGreen);
  EXPECT_EQ(turned.GetPixel(size - 3, size - 3), kGreen);
  EXPECT_EQ(turned.GetPixel(size / 2, size / 2), kRed);

  gdip::Bitmap sized;
  ASSERT_TRUE(source.RotateDrawInto(0, sized, std::nullopt, std::nullopt, gdip::SizeF{60, 50}));
  EXPECT_EQ(sized.GetWidth(), 60);
  EXPECT_EQ(sized.GetHeight(), 50);
  EXPECT_EQ(sized.GetPixel(30, 25), kRed);  // centred
  EXPECT_EQ(sized.GetPixel(3, 25), 0u);     // no fill: transparent
}

TEST(Bitmap, RotateDrawIntoItselfReplacesThePicture) {
  gdip::Bitmap bitmap = gdiptest::TwoColourBitmap(40, 20, kRed, kBlue);
  ASSERT_TRUE(bitmap.RotateDrawInto(-90, bitmap));
  EXPECT_EQ(bitmap.GetWidth(), 20);
  EXPECT_EQ(bitmap.GetHeight(), 40);
  // Counter-clockwise: the left (red) half goes to the bottom.
  EXPECT_EQ(bitmap.GetPixel(10, 32), kRed);
  EXPECT_EQ(bitmap.GetPixel(10, 8), kBlue);
}

TEST(Bitmap, RotateDrawIntoOfAnEmptyBitmapFails) {
  gdip::Bitmap empty;
  gdip::Bitmap target = gdiptest::TwoColourBitmap(4, 4, kRed, kRed);
  EXPECT_FALSE(empty.RotateDrawInto(30, target));
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
}

TEST(Bitmap, CreateFromGdiDibReadsABottomUpDib) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = 4;
  info.bmiHeader.biHeight = 2;  // bottom-up: the first row in memory is the lowest
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> bits = {0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF,   // bottom row: blue
                                0xFF0000, 0xFF0000, 0xFF0000, 0x00FF00};  // top row: red, one green
  gdip::Bitmap bitmap;
  ASSERT_TRUE(bitmap.CreateFromGdiDib(&info, bits.data()));
  EXPECT_EQ(bitmap.GetWidth(), 4);
  EXPECT_EQ(bitmap.GetPixel(1, 0) & 0xFFFFFF, kRed & 0xFFFFFF);
  EXPECT_EQ(bitmap.GetPixel(3, 0) & 0xFFFFFF, kGreen & 0xFFFFFF);
  EXPECT_EQ(bitmap.GetPixel(2, 1) & 0xFFFFFF, kBlue & 0xFFFFFF);
}

TEST(Bitmap, CreateFromGraphicsMakesABitmapOfTheGivenSize) {
  gdip::Bitmap surface;
  ASSERT_TRUE(surface.CreateWithFormat(8, 8));
  ASSERT_TRUE(surface.SetResolution(144, 144));
  gdiptest::TestGraphics graphics(surface);
  gdip::Bitmap bitmap;
  ASSERT_TRUE(bitmap.CreateFromGraphics(30, 12, graphics));
  EXPECT_EQ(bitmap.GetWidth(), 30);
  EXPECT_EQ(bitmap.GetHeight(), 12);
  EXPECT_FLOAT_EQ(bitmap.GetHorizontalResolution(), 144);
  gdip::Bitmap none;
  gdip::Bitmap emptySurface;
  EXPECT_FALSE(none.CreateFromGraphics(30, 12, emptySurface));
}

TEST(Bitmap, GdiBitmapsAndIconsComeOwnedAndLoadBack) {
  long live = korvath::platform::LiveGdiObjectCount();
  gdip::Bitmap source = gdiptest::TwoColourBitmap(8, 4, 0, kBlue);  // left half transparent
  {
    korvath::platform::GdiBitmap handle = source.GetHBITMAP(kRed);
    ASSERT_TRUE(handle);
    EXPECT_EQ(korvath::platform::LiveGdiObjectCount(), live + 1);
    testsupport::PixelBuffer pixels = testsupport::CaptureBitmap(handle.get());
    ASSERT_EQ(pixels.width, 8);
    EXPECT_EQ(pixels.RgbAt(1, 2), 0xFF0000u);  // composed on the background
    EXPECT_EQ(pixels.RgbAt(6, 2), 0x0000FFu);

    gdip::Bitmap back;
    ASSERT_TRUE(back.CreateFromHBITMAP(handle.get()));
    EXPECT_EQ(back.GetWidth(), 8);
    EXPECT_EQ(back.GetPixel(1, 1) & 0xFFFFFF, kRed & 0xFFFFFF);
    EXPECT_EQ(back.GetPixel(6, 1) & 0xFFFFFF, kBlue & 0xFFFFFF);

    korvath::platform::OwnedIcon icon = source.GetHICON();
    ASSERT_TRUE(icon);
    gdip::Bitmap fromIcon;
    ASSERT_TRUE(fromIcon.CreateFromHICON(icon.get()));
    EXPECT_EQ(fromIcon.GetWidth(), 8);
    EXPECT_EQ(fromIcon.GetHeight(), 4);
    EXPECT_EQ(fromIcon.GetPixel(6, 1), kBlue);
  }
  EXPECT_EQ(korvath::platform::LiveGdiObjectCount(), live);

  gdip::Bitmap empty;
  EXPECT_FALSE(empty.GetHBITMAP());
  EXPECT_FALSE(empty.GetHICON());
  EXPECT_EQ(korvath::platform::LiveGdiObjectCount(), live);
}
