#include "skin/core/ip_address_dots.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/gdi_object.h"
#include "skin/core/layered_window.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

// The "Edit" fields of a control, in the order FindWindowEx gives them.
std::vector<HWND> Fields(HWND control) {
  std::vector<HWND> fields;
  for (HWND f = FindWindowExW(control, nullptr, L"Edit", nullptr); f;
       f = FindWindowExW(control, f, L"Edit", nullptr)) {
    fields.push_back(f);
  }
  return fields;
}

// Right edge of a field relative to the control's window rectangle.
int RightInControl(HWND control, HWND field) {
  RECT c, f;
  GetWindowRect(control, &c);
  GetWindowRect(field, &f);
  return f.right - c.left;
}

class IpAddressDots : public ::testing::Test {
 protected:
  HWND MakeControl(int height) {
    return parent_.AddChild(WC_IPADDRESSW, L"", 0, 10, 10, 160, height);
  }
  testsupport::TestWindow parent_{300, 200};
};

TEST_F(IpAddressDots, OneDotRightOfEachFieldAtHalfTheClientHeight) {
  HWND control = MakeControl(24);
  RECT client;
  GetClientRect(control, &client);
  ASSERT_EQ(client.bottom, 24);
  const auto fields = Fields(control);
  ASSERT_EQ(fields.size(), 4u);
  const auto dots = SkinIpAddressDotPositions(control);
  ASSERT_EQ(dots.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(dots[i].x, RightInControl(control, fields[i]) + 1) << i;
    EXPECT_EQ(dots[i].y, 12) << i;
  }
  // The last field gets its dot too: one dot lies right of every field.
  const int rightmost = std::max_element(dots.begin(), dots.end(), [](POINT a, POINT b) {
                          return a.x < b.x;
                        })->x;
  for (HWND f : fields) EXPECT_LE(RightInControl(control, f) + 1, rightmost);
}

TEST_F(IpAddressDots, OddClientHeightRoundsDown) {
  HWND control = MakeControl(23);
  for (const POINT& dot : SkinIpAddressDotPositions(control)) EXPECT_EQ(dot.y, 11);
}

TEST_F(IpAddressDots, WindowWithoutFieldsGetsNoDots) {
  HWND plain = parent_.AddChild(L"STATIC", L"", 0, 0, 100, 100, 20);
  EXPECT_TRUE(SkinIpAddressDotPositions(plain).empty());
  const long before = platform::LiveGdiObjectCount();
  platform::DibSection dib = platform::CreateDibSection32(100, 20);
  platform::MemoryDC dc = platform::MemoryDC::CompatibleWith(nullptr);
  platform::SelectScope select(dc.get(), dib.bitmap.get());
  std::fill_n(static_cast<uint32_t*>(dib.bits), 100 * 20, 0xFFFFFFFFu);
  SkinPaintIpAddressDots(plain, dc.get());
  const auto pixels = testsupport::CaptureDC(dc.get(), 0, 0, 100, 20);
  for (uint32_t p : pixels.pixels) ASSERT_EQ(p & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(platform::LiveGdiObjectCount(), before + 2);  // only the test's own DIB and DC
}

TEST_F(IpAddressDots, DotsAreBlackOnTheOffScreenPicture) {
  HWND control = MakeControl(24);
  RECT client;
  GetClientRect(control, &client);
  // A few columns more than the control has, so that the dot right of the
  // last field, on or past the control's edge, can be seen too.
  const int w = client.right + 4, h = client.bottom;
  platform::DibSection dib = platform::CreateDibSection32(w, h);
  platform::MemoryDC dc = platform::MemoryDC::CompatibleWith(nullptr);
  platform::SelectScope select(dc.get(), dib.bitmap.get());
  std::fill_n(static_cast<uint32_t*>(dib.bits), size_t(w) * h, 0xFFFFFFFFu);
  SkinPaintIpAddressDots(control, dc.get());
  const auto pixels = testsupport::CaptureDC(dc.get(), 0, 0, w, h);

  auto dark = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < w && y < h && (pixels.At(x, y) & 0xFFFFFF) < 0x404040;
  };
  const auto dots = SkinIpAddressDotPositions(control);
  int darkTotal = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) darkTotal += dark(x, y);
  for (const POINT& dot : dots) {
    int darkNearby = 0;
    for (int dy = 0; dy <= 2; ++dy)
      for (int dx = 0; dx <= 2; ++dx) darkNearby += dark(dot.x + dx, dot.y + dy);
    EXPECT_GT(darkNearby, 0) << dot.x;
    EXPECT_FALSE(dark(dot.x, dot.y - 4));
    EXPECT_FALSE(dark(dot.x + 5, dot.y));
  }
  // Small dots only: at most a 3 x 3 patch each.
  EXPECT_LE(darkTotal, int(dots.size()) * 9);
  EXPECT_GE(darkTotal, int(dots.size()));
  if (HasFailure()) testsupport::SaveFailureImage(pixels, "ip_address_dots");
}

}  // namespace
}  // namespace korvath::skin
