// The dots between the fields of an IP-address control.
#include "skin/edit/ip_address_dots.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "skin/draw/memory_dc.h"
#include "tests/skin/core/skinned_form.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

TEST(IpAddressDots, OneSmallBlackDotRightOfEachFieldAtHalfTheClientHeight) {
  testsupport::TestWindow parent(300, 200);
  HWND control = parent.AddChild(WC_IPADDRESSW, L"", 0, 10, 10, 160, 24);
  EXPECT_TRUE(SkinIpAddressDotPositions(parent.hwnd()).empty());  // no fields, no dots
  RECT c, f;
  GetWindowRect(control, &c);
  const auto dots = SkinIpAddressDotPositions(control);
  ASSERT_EQ(dots.size(), 4u);
  HWND field = nullptr;
  for (const POINT& dot : dots) {
    field = FindWindowExW(control, field, L"Edit", nullptr);
    GetWindowRect(field, &f);
    EXPECT_EQ(dot.x, f.right - c.left + 1);
    EXPECT_EQ(dot.y, 12);
  }
  // On a white picture a few columns wider, so that the last dot shows too.
  const int w = 164, h = 24;
  SkinMemoryDc dc = SkinMemoryDc::Create(w, h);
  test::FillPattern(dc.get(), w, h, nullptr, 0xFFFFFF);
  SkinPaintIpAddressDots(control, dc.get());
  const auto pixels = testsupport::CaptureDC(dc.get(), 0, 0, w, h);
  auto dark = [&](int x, int y) { return x < w && y >= 0 && (pixels.At(x, y) & 0xFFFFFF) < 0x404040; };
  int darkTotal = 0;
  for (int i = 0; i < w * h; ++i) darkTotal += dark(i % w, i / w);
  for (const POINT& dot : dots) {
    int darkNearby = 0;
    for (int i = 0; i < 9; ++i) darkNearby += dark(dot.x + i % 3, dot.y + i / 3);
    EXPECT_GT(darkNearby, 0) << dot.x;
    EXPECT_FALSE(dark(dot.x, dot.y - 4));
    EXPECT_FALSE(dark(dot.x + 5, dot.y));
  }
  EXPECT_LE(darkTotal, 4 * 9);  // at most a 3 x 3 patch each
  if (HasFailure()) testsupport::SaveFailureImage(pixels, "ip_address_dots");
}

}  // namespace
}  // namespace korvath::skin
