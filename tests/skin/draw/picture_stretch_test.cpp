// The engine's own stretch of a picture against GDI+'s DrawImageRect at the
// default modes: the same pixels, for pictures made smaller and larger, with
// the edges where GDI+ samples outside the picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "skin/draw/memory_dc.h"
#include "skin/draw/picture_stretch.h"
#include "skin/draw/skin_graphics.h"
#include "tests/skin/core/engine_fixture.h"
#include "tests/support/png_writer.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using namespace korvath::skin::test;

// A picture whose every pixel differs from its neighbours, so that a sample
// taken one pixel off or weighted differently shows.
std::vector<uint8_t> NoisyPicture(int width, int height) {
  std::vector<uint32_t> pixels(size_t(width) * size_t(height));
  uint32_t seed = 12345;
  for (uint32_t& p : pixels) {
    seed = seed * 1103515245u + 12345u;
    p = 0xFF000000u | (seed >> 8 & 0xFFFFFFu);
  }
  return testsupport::EncodePng(width, height, pixels);
}

// The DIB's pixels after a grey fill and the picture drawn over it, by GDI+
// or by the engine.
std::vector<uint32_t> Stretched(const std::vector<uint8_t>& png, int width, int height, bool byGdiPlus) {
  korvath::gdip::Bitmap picture;
  EXPECT_TRUE(picture.FromStream(png));
  SkinMemoryDc surface = SkinMemoryDc::Create(width, height);
  const RECT all = {0, 0, width, height};
  FillRect(surface.get(), &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  if (byGdiPlus) {
    korvath::gdip::Graphics graphics;
    EXPECT_TRUE(SkinGraphicsOnDC(graphics, surface.get()));
    graphics.DrawImageRect(picture, 0, 0, float(width), float(height));
  } else {
    EXPECT_TRUE(SkinStretchPictureBilinear(picture, surface.get(), width, height));
  }
  const testsupport::PixelBuffer pixels = testsupport::CaptureDC(surface.get(), 0, 0, width, height);
  return pixels.pixels;
}

class PictureStretchTest : public EngineTest {};

TEST_F(PictureStretchTest, GivesGdiPlusOwnPixelsSmallerAndLarger) {
  struct Case {
    int pictureWidth, pictureHeight, width, height;
  };
  // The form's picture onto its client; a small picture blown up, whose last
  // row and column GDI+ blends with what lies under it.
  for (const Case c : {Case{557, 800, 409, 471}, Case{9, 7, 120, 61}, Case{64, 48, 63, 47}}) {
    const std::vector<uint8_t> png = NoisyPicture(c.pictureWidth, c.pictureHeight);
    const std::vector<uint32_t> expected = Stretched(png, c.width, c.height, true);
    const std::vector<uint32_t> got = Stretched(png, c.width, c.height, false);
    ASSERT_EQ(got.size(), expected.size());
    int differing = 0, first = -1;
    for (size_t i = 0; i < got.size(); ++i) {
      if (got[i] != expected[i]) {
        ++differing;
        if (first < 0) first = int(i);
      }
    }
    EXPECT_EQ(differing, 0) << c.pictureWidth << "x" << c.pictureHeight << " onto " << c.width << "x" << c.height
                            << ", first at " << first % c.width << "," << first / c.width << std::hex << " "
                            << (first >= 0 ? got[size_t(first)] : 0) << " for " << (first >= 0 ? expected[size_t(first)] : 0);
  }
}

// A noisy 24-bit picture, as a BMP file: GDI+ keeps it as 24-bit RGB, the
// format a JPEG (the tool's background) decodes to.
std::vector<uint8_t> NoisyRgbPicture(int width, int height) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + DWORD(stride * height);
  std::vector<uint8_t> bytes(file.bfSize);
  std::memcpy(bytes.data(), &file, sizeof file);
  std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
  uint32_t seed = 54321;
  for (size_t i = file.bfOffBits; i < bytes.size(); ++i) {
    seed = seed * 1103515245u + 12345u;
    bytes[i] = uint8_t(seed >> 16);
  }
  return bytes;
}

// Made smaller (the tool's background onto its window): GDI+'s pixels, read
// from the picture as it is. Made larger, GDI+ samples a 24-bit picture
// otherwise than this stretch (about 8,500 of 540,000 pixels differ): the
// stretch leaves that to GDI+ and draws nothing.
TEST_F(PictureStretchTest, GivesGdiPlusOwnPixelsForATwentyFourBitPictureOrLeavesItToGdiPlus) {
  const std::vector<uint8_t> bmp = NoisyRgbPicture(557, 800);
  korvath::gdip::Bitmap decoded;
  ASSERT_TRUE(decoded.FromStream(bmp));
  ASSERT_EQ(decoded.GetPixelFormat(), 0x21808);  // 24-bit RGB
  const std::vector<uint32_t> expected = Stretched(bmp, 409, 471, true);
  const std::vector<uint32_t> got = Stretched(bmp, 409, 471, false);
  ASSERT_EQ(got.size(), expected.size());
  size_t differing = 0;
  for (size_t i = 0; i < got.size(); ++i) differing += got[i] != expected[i];
  EXPECT_EQ(differing, 0u);
  for (const SIZE larger : {SIZE{600, 900}, SIZE{600, 700}, SIZE{500, 900}}) {
    SkinMemoryDc surface = SkinMemoryDc::Create(larger.cx, larger.cy);
    EXPECT_FALSE(SkinStretchPictureBilinear(decoded, surface.get(), larger.cx, larger.cy))
        << larger.cx << "x" << larger.cy;
  }
}

TEST_F(PictureStretchTest, LeavesAnythingButA32BitSectionToGdiPlus) {
  korvath::gdip::Bitmap picture;
  ASSERT_TRUE(picture.FromStream(NoisyPicture(4, 4)));
  const HDC screen = GetDC(nullptr);
  EXPECT_FALSE(SkinStretchPictureBilinear(picture, screen, 4, 4));
  ReleaseDC(nullptr, screen);
  SkinMemoryDc small = SkinMemoryDc::Create(4, 4);
  EXPECT_FALSE(SkinStretchPictureBilinear(picture, small.get(), 5, 4));
  EXPECT_FALSE(SkinStretchPictureBilinear(picture, small.get(), 0, 4));
}

}  // namespace
