// Bitmaps made from the caller's rows, a graphics, a GDI DIB and a resource;
// areas cloned out of them; their bits locked for reading and writing; their
// pixels read and written at each edge, and on the far side of it.
#include <climits>

#include "tests/gdip/gdip_test_support.h"
#include "tests/gdip/native_objects.h"

using namespace gdiptest;

TEST(BitmapCreators, Scan0BitmapsLiveInTheCallersRowsAtTheirStride) {
  // 3 x 2 pixels in rows of 4: the fourth pixel of a row is no picture's.
  std::vector<gdip::Argb> rows(8, kGreen);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) rows[size_t(y * 4 + x)] = PlaceColour(x, y);
  gdip::Bitmap bitmap, allocated;
  ASSERT_TRUE(bitmap.CreateFromScan0(3, 2, 16, PixelFormat32bppARGB, rows.data()));
  EXPECT_EQ(bitmap.GetBounds(), (gdip::RectF{0, 0, 3, 2}));
  ExpectPixels(bitmap, {{2, 1, PlaceColour(2, 1)}, {0, 1, PlaceColour(0, 1)}, {2, 0, PlaceColour(2, 0)}}, 0);
  ASSERT_TRUE(bitmap.SetPixel(1, 1, kBlue));
  EXPECT_EQ(rows[5], kBlue);

  ASSERT_TRUE(allocated.CreateFromScan0(5, 2, 0, PixelFormat24bppRGB));
  EXPECT_EQ(allocated.GetPixelFormat(), PixelFormat24bppRGB);
  EXPECT_EQ(allocated.GetBounds(), (gdip::RectF{0, 0, 5, 2}));
  EXPECT_EQ(allocated.GetPixel(4, 1), kBlack);
  NativeObjectsBalance balance(-1);  // a failed creator releases what the object held
  EXPECT_FALSE(allocated.CreateFromScan0(3, 2, 10, PixelFormat32bppARGB, rows.data()));  // a stride GDI+ refuses
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_EQ(allocated.GetNativeObject(), nullptr);
}

TEST(BitmapCreators, FromAGraphicsADibAndAResource) {
  gdip::Bitmap surface, fromGraphics, fromDib, fromResource, reference;
  gdip::Graphics graphics, none;
  ASSERT_TRUE(surface.CreateWithFormat(4, 4) && surface.SetResolution(144, 72) && graphics.FromImage(surface));
  ASSERT_TRUE(fromGraphics.CreateFromGraphics(30, 12, graphics));  // the graphics' resolution
  EXPECT_EQ(fromGraphics.GetBounds(), (gdip::RectF{0, 0, 30, 12}));
  EXPECT_FLOAT_EQ(fromGraphics.GetHorizontalResolution(), 144);
  EXPECT_FLOAT_EQ(fromGraphics.GetVerticalResolution(), 72);
  EXPECT_FALSE(fromGraphics.CreateFromGraphics(30, 12, none));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);

  // A bottom-up DIB of 3 x 2: its first row in memory is the picture's last.
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 32, BI_RGB};
  uint32_t bits[6] = {};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) bits[(1 - y) * 3 + x] = PlaceColour(x, y) & 0xFFFFFF;
  ASSERT_TRUE(fromDib.CreateFromGdiDib(&info, bits));
  EXPECT_EQ(fromDib.GetBounds(), (gdip::RectF{0, 0, 3, 2}));
  ExpectPixels(fromDib, {{2, 0, PlaceColour(2, 0)}, {0, 1, PlaceColour(0, 1)}}, 0);
  EXPECT_FALSE(fromDib.CreateFromGdiDib(nullptr, bits));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);

  // The system's check-mark bitmap (OBM_CHECK), as GDI loads it.
  const wchar_t* check = MAKEINTRESOURCEW(32760);
  platform::GdiBitmap gdi(static_cast<HBITMAP>(LoadImageW(nullptr, check, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  BITMAP size = {};
  ASSERT_TRUE(gdi && GetObjectW(gdi.get(), sizeof(size), &size));
  ASSERT_TRUE(fromResource.CreateFromResource(nullptr, check) && reference.CreateFromHBITMAP(gdi.get()));
  EXPECT_EQ(fromResource.GetBounds(), (gdip::RectF{0, 0, float(size.bmWidth), float(size.bmHeight)}));
  for (int y = 0; y < size.bmHeight; ++y)
    for (int x = 0; x < size.bmWidth; ++x) ASSERT_EQ(fromResource.GetPixel(x, y), reference.GetPixel(x, y)) << x << "," << y;
  NativeObjectsBalance balance(-1);
  EXPECT_FALSE(fromResource.CreateFromResource(GetModuleHandleW(nullptr), L"NO_SUCH_BITMAP"));
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  EXPECT_EQ(fromResource.GetNativeObject(), nullptr);
}

TEST(BitmapAreas, AFloatAreaIsRoundedAnIntegerOneTakenAsItIsBothInTheAskedFormat) {
  gdip::Bitmap source = PlaceBitmap(6, 4), area, areaI;
  // 1.6, 0.6, 3.4 x 2.6 rounds to columns 2 to 4 and rows 1 to 3.
  ASSERT_TRUE(source.CloneArea({1.6f, 0.6f, 3.4f, 2.6f}, PixelFormat24bppRGB, area));
  EXPECT_EQ(area.GetPixelFormat(), PixelFormat24bppRGB);
  EXPECT_EQ(area.GetBounds(), (gdip::RectF{0, 0, 3, 3}));
  ExpectPixels(area, {{0, 0, PlaceColour(2, 1)}, {2, 2, PlaceColour(4, 3)}, {2, 0, PlaceColour(4, 1)}}, 0);
  ASSERT_TRUE(source.CloneAreaI({1, 2, 4, 2}, PixelFormat32bppARGB, areaI));
  EXPECT_EQ(areaI.GetPixelFormat(), PixelFormat32bppARGB);
  EXPECT_EQ(areaI.GetBounds(), (gdip::RectF{0, 0, 4, 2}));
  ExpectPixels(areaI, {{0, 0, PlaceColour(1, 2)}, {3, 1, PlaceColour(4, 3)}}, 0);

  NativeObjectsBalance balance(-2);  // the targets give up what they held
  EXPECT_FALSE(source.CloneArea({4.2f, 1, 3, 2}, PixelFormat32bppARGB, area));  // past the right edge
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_FALSE(source.CloneAreaI({4, 2, 2, 3}, PixelFormat32bppARGB, areaI));  // past the bottom
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  EXPECT_TRUE(!area.GetNativeObject() && !areaI.GetNativeObject());
}

// Areas of a 6 x 4 picture that end on its edges, and those one pixel past
// an edge: each of the two kinds of place GDI+ is asked for.
struct EdgeArea {
  gdip::Rect area;
  bool inside;
};
const EdgeArea kEdgeAreas[] = {
    {{0, 0, 6, 4}, true},   {{5, 3, 1, 1}, true},   {{5, 0, 1, 4}, true},   {{0, 3, 6, 1}, true},
    {{-1, 0, 2, 2}, false}, {{0, -1, 2, 2}, false}, {{5, 0, 2, 1}, false},  {{0, 3, 1, 2}, false},
    {{0, 0, 7, 4}, false},  {{0, 0, 6, 5}, false},  {{INT_MIN, 0, 1, 1}, false},
};

// An area that ends on the edges comes whole, its first and last pixel
// where the picture has them; one past an edge is refused and the target
// holds nothing.
TEST(BitmapAreas, AnAreaPastAnyEdgeIsRefusedAndOneThatEndsOnTheEdgesIsCloned) {
  gdip::Bitmap source = PlaceBitmap(6, 4);
  for (const EdgeArea& edge : kEdgeAreas) {
    const gdip::Rect& a = edge.area;
    SCOPED_TRACE(testing::Message() << a.x << "," << a.y << " " << a.width << "x" << a.height);
    gdip::Bitmap area = PlaceBitmap(1, 1), areaI = PlaceBitmap(1, 1);
    gdip::SetLastGdipStatus(edge.inside ? Gdiplus::GenericError : Gdiplus::Ok);
    EXPECT_EQ(source.CloneArea({float(a.x), float(a.y), float(a.width), float(a.height)}, PixelFormat32bppARGB, area),
              edge.inside);
    EXPECT_EQ(gdip::LastGdipStatus(), edge.inside ? Gdiplus::Ok : Gdiplus::InvalidParameter);
    gdip::SetLastGdipStatus(edge.inside ? Gdiplus::GenericError : Gdiplus::Ok);
    EXPECT_EQ(source.CloneAreaI(a, PixelFormat32bppARGB, areaI), edge.inside);
    EXPECT_EQ(gdip::LastGdipStatus(), edge.inside ? Gdiplus::Ok : Gdiplus::InvalidParameter);
    for (const gdip::Bitmap* cloned : {&area, &areaI}) {
      if (!edge.inside) {
        EXPECT_EQ(cloned->GetNativeObject(), nullptr);
        continue;
      }
      EXPECT_EQ(cloned->GetBounds(), (gdip::RectF{0, 0, float(a.width), float(a.height)}));
      ExpectPixels(*cloned, {{0, 0, PlaceColour(a.x, a.y)},
                             {a.width - 1, a.height - 1, PlaceColour(a.x + a.width - 1, a.y + a.height - 1)}}, 0);
    }
  }
}

TEST(BitmapBits, ALockShowsItsAreaInTheAskedFormatAndWrittenBitsComeBackOnUnlock) {
  gdip::Bitmap bitmap = PlaceBitmap(6, 4);
  gdip::BitmapData read, written, refused;
  ASSERT_TRUE(bitmap.LockBits({1, 2, 4, 2}, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, read));
  EXPECT_EQ(read.width, 4u);
  EXPECT_EQ(read.height, 2u);
  EXPECT_EQ(read.pixelFormat, PixelFormat32bppARGB);
  auto pixel = [](const gdip::BitmapData& data, int x, int y, int size) {
    return static_cast<const uint8_t*>(data.scan0) + y * data.stride + x * size;
  };
  auto argb = [&](int x, int y) { return *reinterpret_cast<const gdip::Argb*>(pixel(read, x, y, 4)); };
  EXPECT_EQ(argb(0, 0), PlaceColour(1, 2));
  EXPECT_EQ(argb(3, 1), PlaceColour(4, 3));
  EXPECT_FALSE(bitmap.LockBits({0, 0, 1, 1}, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, refused));  // locked
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);
  ASSERT_TRUE(bitmap.UnlockBits(read));
  EXPECT_FALSE(bitmap.UnlockBits(read));  // no longer locked
  EXPECT_NE(gdip::LastGdipStatus(), Gdiplus::Ok);

  // Three bytes a pixel, blue first.
  ASSERT_TRUE(bitmap.LockBits({3, 0, 2, 3}, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, written));
  EXPECT_EQ(written.pixelFormat, PixelFormat24bppRGB);
  EXPECT_EQ(written.width, 2u);
  EXPECT_EQ(written.height, 3u);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) std::memset(const_cast<uint8_t*>(pixel(written, x, y, 3)), 0x40, 3);
  uint8_t* corner = const_cast<uint8_t*>(pixel(written, 1, 2, 3));
  corner[0] = 0xFF, corner[1] = 0x80, corner[2] = 0x00;
  ASSERT_TRUE(bitmap.UnlockBits(written));
  ExpectPixels(bitmap, {{4, 2, 0xFF0080FF}, {3, 0, 0xFF404040}, {2, 0, PlaceColour(2, 0)}, {4, 3, PlaceColour(4, 3)}},
               0);
  EXPECT_FALSE(bitmap.LockBits({4, 2, 3, 2}, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, refused));
  EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
}

// The same areas locked: one that ends on the edges shows its first and last
// pixel; one past an edge is refused, and leaves nothing locked.
TEST(BitmapBits, AnAreaPastAnyEdgeIsRefusedAndOneThatEndsOnTheEdgesIsLocked) {
  gdip::Bitmap bitmap = PlaceBitmap(6, 4);
  for (const EdgeArea& edge : kEdgeAreas) {
    const gdip::Rect& a = edge.area;
    SCOPED_TRACE(testing::Message() << a.x << "," << a.y << " " << a.width << "x" << a.height);
    gdip::BitmapData data;
    gdip::SetLastGdipStatus(edge.inside ? Gdiplus::GenericError : Gdiplus::Ok);
    EXPECT_EQ(bitmap.LockBits(a, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, data), edge.inside);
    EXPECT_EQ(gdip::LastGdipStatus(), edge.inside ? Gdiplus::Ok : Gdiplus::InvalidParameter);
    if (!edge.inside) continue;
    ASSERT_EQ(data.width, uint32_t(a.width));
    ASSERT_EQ(data.height, uint32_t(a.height));
    const auto* last = static_cast<const uint8_t*>(data.scan0) + (a.height - 1) * data.stride + (a.width - 1) * 4;
    EXPECT_EQ(*static_cast<const gdip::Argb*>(data.scan0), PlaceColour(a.x, a.y));
    EXPECT_EQ(*reinterpret_cast<const gdip::Argb*>(last), PlaceColour(a.x + a.width - 1, a.y + a.height - 1));
    ASSERT_TRUE(bitmap.UnlockBits(data));
  }
  gdip::BitmapData whole;
  ASSERT_TRUE(bitmap.LockBits({0, 0, 6, 4}, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, whole));
  EXPECT_TRUE(bitmap.UnlockBits(whole));
}

// Each edge of a 6 x 4 picture, on both sides of it: a read inside answers
// the pixel with Ok; one outside, however far, answers 0 with GDI+'s
// refusal, whatever the status was before. A write outside is refused too,
// and lands nowhere.
TEST(BitmapPixels, AReadOutsideTheBitmapAnswersZeroWithGdiplusRefusalAndAWriteLandsNowhere) {
  gdip::Bitmap bitmap = PlaceBitmap(6, 4);
  const struct {
    int x, y;
    bool inside;
  } places[] = {
      {0, 0, true},        {5, 3, true},         {5, 0, true},    {0, 3, true},     // the corners
      {-1, 0, false},      {0, -1, false},       {6, 0, false},   {0, 4, false},    // one past each edge
      {6, 3, false},       {5, 4, false},        {-1, -1, false}, {6, 4, false},    // past the corners
      {INT_MIN, 0, false}, {0, INT_MAX, false},  {-1, 3, false},  {5, -1, false},
  };
  for (const auto& place : places) {
    SCOPED_TRACE(testing::Message() << place.x << "," << place.y);
    gdip::SetLastGdipStatus(place.inside ? Gdiplus::GenericError : Gdiplus::Ok);
    EXPECT_EQ(bitmap.GetPixel(place.x, place.y), place.inside ? PlaceColour(place.x, place.y) : 0u);
    EXPECT_EQ(gdip::LastGdipStatus(), place.inside ? Gdiplus::Ok : Gdiplus::InvalidParameter);
    if (place.inside) continue;
    gdip::SetLastGdipStatus(Gdiplus::Ok);
    EXPECT_FALSE(bitmap.SetPixel(place.x, place.y, kWhite));
    EXPECT_EQ(gdip::LastGdipStatus(), Gdiplus::InvalidParameter);
  }
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(bitmap.GetPixel(x, y), PlaceColour(x, y)) << x << "," << y;
  EXPECT_REFUSED(gdip::Bitmap().GetPixel(0, 0) == 0);
}
