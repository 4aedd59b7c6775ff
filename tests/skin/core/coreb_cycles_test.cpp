// Many create/paint/release cycles of the drawing helpers: GDI owners return
// to their count, and the process does not grow by what a leaked picture,
// graphics or font per cycle would take.
#include <windows.h>

#include <gtest/gtest.h>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "skin/core/control_text.h"
#include "skin/core/glyph_strip.h"
#include "skin/core/image_strip.h"
#include "skin/core/ip_address_dots.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

// Committed private memory of the process, summed over its address space
// (Wine reports no private usage through the process memory counters).
size_t PrivateBytes() {
  size_t total = 0;
  MEMORY_BASIC_INFORMATION info;
  for (const char* at = nullptr; VirtualQuery(at, &info, sizeof(info)) == sizeof(info);
       at = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    if (static_cast<const char*>(info.BaseAddress) + info.RegionSize < at) break;
  }
  return total;
}

constexpr size_t kAllowedGrowth = 4u << 20;

TEST(CorebCycles, FontMetricsGiveBackTheirDeviceContext) {
  testsupport::TestWindow parent(200, 100);
  HWND label = parent.AddChild(L"STATIC", L"x", 0, 0, 0, 100, 30);
  platform::GdiFont font(CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0,
                                     0, L"SimSun"));
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  const int32_t size = SkinControlFontMetrics(label).size;  // also warms GDI+'s font caches
  ASSERT_GE(size, 13);  // 14 pixels, which GDI+ may report as 13.99
  const long objects = platform::LiveGdiObjectCount();
  const size_t bytes = PrivateBytes();
  for (int i = 0; i < 10000; ++i) ASSERT_EQ(SkinControlFontMetrics(label).size, size);
  EXPECT_EQ(platform::LiveGdiObjectCount(), objects);
  EXPECT_LT(PrivateBytes(), bytes + kAllowedGrowth);
  SendMessageW(label, WM_SETFONT, 0, FALSE);
}

TEST(CorebCycles, IpAddressDotsOnFreshOffScreenPictures) {
  testsupport::TestWindow parent(300, 100);
  HWND control = parent.AddChild(L"SysIPAddress32", L"", 0, 10, 10, 160, 24);
  const long objects = platform::LiveGdiObjectCount();
  const size_t bytes = PrivateBytes();
  for (int i = 0; i < 10000; ++i) {
    platform::DibSection dib = platform::CreateDibSection32(164, 24);
    platform::MemoryDC dc = platform::MemoryDC::CompatibleWith(nullptr);
    platform::SelectScope select(dc.get(), dib.bitmap.get());
    SkinPaintIpAddressDots(control, dc.get());
  }
  EXPECT_EQ(platform::LiveGdiObjectCount(), objects);
  EXPECT_LT(PrivateBytes(), bytes + kAllowedGrowth);
}

TEST(CorebCycles, ControlTextReleasesItsPicturesFontsAndFormats) {
  gdip::Bitmap target;
  target.CreateWithFormat(220, 60);
  gdip::Graphics graphics;
  graphics.FromImage(target);
  const std::string caption = "\xB2\xE2\xCA\xD4";  // "测试"
  SkinDrawControlText(graphics, caption, gdip::RectF{0, 0, 200, 50}, RGB(0, 0, 0), RGB(0, 0, 255));
  const size_t bytes = PrivateBytes();
  // A leaked 200 x 50 glow picture per call alone would be 24 MB here.
  for (int i = 0; i < 600; ++i) {
    SkinDrawControlText(graphics, caption, gdip::RectF{0, 0, 200, 50}, RGB(0, 0, 0), RGB(0, 0, 255));
  }
  EXPECT_LT(PrivateBytes(), bytes + kAllowedGrowth);
}

TEST(CorebCycles, ImageStripReloads) {
  ImageStrip strip;
  strip.Load(GlyphStripPng());
  const size_t bytes = PrivateBytes();
  // A leaked decoded strip (8 KB) per load would be 5 MB here.
  for (int i = 0; i < 600; ++i) ASSERT_EQ(strip.Load(GlyphStripPng()), 6);
  EXPECT_LT(PrivateBytes(), bytes + kAllowedGrowth);
}

}  // namespace
}  // namespace korvath::skin
