#include "skin/core/ip_address_dots.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/gdi_object.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

// The dots painted on a white picture a few columns wider than the window,
// so that a dot on or past its right edge shows too.
testsupport::PixelBuffer PaintedDots(HWND window, int w, int h) {
  platform::DibSection dib = platform::CreateDibSection32(w, h);
  platform::MemoryDC dc = platform::MemoryDC::CompatibleWith(nullptr);
  platform::SelectScope select(dc.get(), dib.bitmap.get());
  std::fill_n(static_cast<uint32_t*>(dib.bits), size_t(w) * h, 0xFFFFFFFFu);
  SkinPaintIpAddressDots(window, dc.get());
  return testsupport::CaptureDC(dc.get(), 0, 0, w, h);
}

TEST(IpAddressDots, OneSmallBlackDotRightOfEachFieldAtHalfTheClientHeight) {
  testsupport::TestWindow parent(300, 200);
  HWND control = parent.AddChild(WC_IPADDRESSW, L"", 0, 10, 10, 160, 24);
  HWND odd = parent.AddChild(WC_IPADDRESSW, L"", 0, 10, 50, 160, 23);
  RECT c;
  GetWindowRect(control, &c);
  std::vector<HWND> fields;
  for (HWND f = FindWindowExW(control, nullptr, L"Edit", nullptr); f; f = FindWindowExW(control, f, L"Edit", nullptr))
    fields.push_back(f);
  const auto dots = SkinIpAddressDotPositions(control);
  ASSERT_EQ(fields.size(), 4u);
  ASSERT_EQ(dots.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    RECT f;
    GetWindowRect(fields[i], &f);
    EXPECT_EQ(dots[i].x, f.right - c.left + 1) << i;
    EXPECT_EQ(dots[i].y, 12) << i;
  }
  for (const POINT& dot : SkinIpAddressDotPositions(odd)) EXPECT_EQ(dot.y, 11);  // rounds down

  const int w = 164, h = 24;
  const auto pixels = PaintedDots(control, w, h);
  auto dark = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < w && y < h && (pixels.At(x, y) & 0xFFFFFF) < 0x404040;
  };
  int darkTotal = 0;
  for (int i = 0; i < w * h; ++i) darkTotal += dark(i % w, i / w);
  for (const POINT& dot : dots) {
    int darkNearby = 0;
    for (int dy = 0; dy <= 2; ++dy)
      for (int dx = 0; dx <= 2; ++dx) darkNearby += dark(dot.x + dx, dot.y + dy);
    EXPECT_GT(darkNearby, 0) << dot.x;
    EXPECT_FALSE(dark(dot.x, dot.y - 4));
    EXPECT_FALSE(dark(dot.x + 5, dot.y));
  }
  EXPECT_LE(darkTotal, 4 * 9);  // at most a 3 x 3 patch each
  if (HasFailure()) testsupport::SaveFailureImage(pixels, "ip_address_dots");

  // A window without fields gets nothing.
  HWND plain = parent.AddChild(L"STATIC", L"", 0, 0, 100, 100, 20);
  EXPECT_TRUE(SkinIpAddressDotPositions(plain).empty());
  const auto untouched = PaintedDots(plain, 100, 20);
  for (uint32_t p : untouched.pixels) ASSERT_EQ(p & 0xFFFFFF, 0xFFFFFFu);
}

}  // namespace
}  // namespace korvath::skin
