#include "gdip/picture_decode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "gdip/bitmap.h"
#include "platform/embedded_image.h"
#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

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

constexpr std::string_view kJpegFormat = "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}";

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

// A lock as Windows' GDI+ hands one out: a buffer of its own of exactly the
// locked rows, followed by guard bytes, whose rows are copied into the bitmap
// when it is unlocked. Wine's lock hands out the bitmap's own bits, where a
// row written past the locked area lands in the picture and shows nothing.
struct ExactRowsLock {
  static constexpr uint8_t kGuard = 0x5A;
  static inline void* lockOriginal = nullptr;
  static inline void* unlockOriginal = nullptr;
  static inline int locks = 0;
  static inline bool guardWritten = false;
  static inline std::vector<uint8_t> buffer;
  static inline size_t rowBytes = 0;  // the locked rows' bytes at the buffer's start
  static inline UINT lockFlags = 0;
  static inline void* bitmapRows = nullptr;

  static Gdiplus::GpStatus WINGDIPAPI Lock(Gdiplus::GpBitmap* bitmap, const Gdiplus::GpRect* area, UINT flags,
                                           Gdiplus::PixelFormat format, Gdiplus::BitmapData* data) {
    const Gdiplus::GpStatus status =
        reinterpret_cast<decltype(&Gdiplus::DllExports::GdipBitmapLockBits)>(lockOriginal)(bitmap, area, flags,
                                                                                             format, data);
    if (status != Gdiplus::Ok) return status;
    ++locks;
    lockFlags = flags;
    const size_t stride = size_t(std::abs(data->Stride));
    UINT pictureHeight = 0;
    Gdiplus::DllExports::GdipGetImageHeight(bitmap, &pictureHeight);
    rowBytes = stride * data->Height;
    // A guard as long as the whole picture: whatever is written past the
    // locked rows lands in it, never in memory the test does not own.
    buffer.assign(rowBytes + stride * (pictureHeight + 1), kGuard);
    if (flags & Gdiplus::ImageLockModeRead) std::memcpy(buffer.data(), data->Scan0, rowBytes);
    else std::fill_n(buffer.begin(), rowBytes, uint8_t(0xA5));  // what a fresh buffer holds: not the picture
    bitmapRows = std::exchange(data->Scan0, buffer.data());
    return Gdiplus::Ok;
  }
  static Gdiplus::GpStatus WINGDIPAPI Unlock(Gdiplus::GpBitmap* bitmap, Gdiplus::BitmapData* data) {
    if (data->Scan0 == buffer.data()) {
      guardWritten = guardWritten || std::any_of(buffer.begin() + rowBytes, buffer.end(),
                                                 [](uint8_t b) { return b != kGuard; });
      if (lockFlags & Gdiplus::ImageLockModeWrite) std::memcpy(bitmapRows, buffer.data(), rowBytes);
      data->Scan0 = bitmapRows;
    }
    return reinterpret_cast<decltype(&Gdiplus::DllExports::GdipBitmapUnlockBits)>(unlockOriginal)(bitmap, data);
  }
};

// Every row of the picture arrives, and nothing is written past the rows that
// the decode locked, under a lock that hands out exactly those rows.
TEST(PictureDecode, EveryRowArrivesThroughALockOfExactlyTheLockedRows) {
  gdiptest::GdiplusStandIn lock = GDIPLUS_STAND_IN(GdipBitmapLockBits, ExactRowsLock::Lock);
  gdiptest::GdiplusStandIn unlock = GDIPLUS_STAND_IN(GdipBitmapUnlockBits, ExactRowsLock::Unlock);
  ExactRowsLock::lockOriginal = lock.Original();
  ExactRowsLock::unlockOriginal = unlock.Original();
  // Rows of their own colours, the last one unlike the empty bitmap's.
  Bitmap rows = gdiptest::PlaceBitmap(5, 7);
  std::string jpeg(kJpegFormat);
  const std::vector<uint8_t> madePng = gdiptest::MakePng(5, 7, gdiptest::PlaceColour);
  const std::vector<uint8_t> madeJpeg = rows.SaveToStream(&jpeg);
  const std::span<const uint8_t> pictures[] = {
      madePng, madeJpeg, platform::EmbeddedImageBytes(test_pictures::Background()),
      platform::EmbeddedImageBytes(test_pictures::CaptionClose()),
      platform::EmbeddedImageBytes(test_pictures::GlyphStrip())};
  const int formats[] = {PixelFormat32bppARGB, PixelFormat24bppRGB, PixelFormat24bppRGB, PixelFormat32bppARGB,
                         PixelFormat32bppARGB};
  for (size_t i = 0; i < std::size(pictures); ++i) {
    SCOPED_TRACE("picture " + std::to_string(i));
    ExactRowsLock::locks = 0;
    ExactRowsLock::guardWritten = false;
    ExpectBytesSameAsGdiplus(pictures[i], formats[i]);
    EXPECT_GE(ExactRowsLock::locks, 1) << "the decode took no lock";
    EXPECT_FALSE(ExactRowsLock::guardWritten) << "written past the locked rows";
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
