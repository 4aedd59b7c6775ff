#include "platform/gdi_object.h"

#include <gtest/gtest.h>

#include <utility>

#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::platform;

bool Alive(HGDIOBJ handle) { return GetObjectType(handle) != 0; }

TEST(GdiObject, OwnersDeleteOnceAndKeepTheCount) {
  const long start = LiveGdiObjectCount();
  GdiRegion a(CreateRectRgn(0, 0, 10, 10)), c(CreateRectRgn(0, 0, 5, 5));
  HRGN raw = a.get(), other = c.get();
  GdiRegion b(std::move(a));
  c = std::move(b);  // the region c held goes away
  EXPECT_FALSE(a || Alive(other));
  EXPECT_EQ(LiveGdiObjectCount(), start + 1);
  HBRUSH parked = GdiBrush(CreateSolidBrush(RGB(9, 9, 9))).Park();
  EXPECT_EQ(LiveGdiObjectCount(), start + 2);  // still ours, only parked
  GdiBrush::Unpark(parked);
  HRGN released = c.Release();  // handed over: not ours, not deleted
  EXPECT_EQ(LiveGdiObjectCount(), start);
  EXPECT_TRUE(Alive(released) && !Alive(parked));
  c.Reset(released);
  c.Reset();
  EXPECT_FALSE(Alive(raw));
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

TEST(GdiObject, MemoryDcAndSelectScopePaintIntoADibAndRestore) {
  const long start = LiveGdiObjectCount();
  HDC raw = nullptr;
  {
    MemoryDC dc = MemoryDC::CompatibleWith(nullptr);
    raw = dc.get();
    DibSection dib = CreateDibSection32(8, 4);
    ASSERT_NE(dib.bits, nullptr);
    HGDIOBJ original = GetCurrentObject(raw, OBJ_BITMAP);
    {
      SelectScope select(raw, dib.bitmap.get());
      GdiBrush red(CreateSolidBrush(RGB(255, 0, 0)));
      RECT r{1, 1, 3, 3};
      FillRect(raw, &r, red.get());
      GdiFlush();
      const uint32_t* px = static_cast<const uint32_t*>(dib.bits);
      EXPECT_EQ(px[1 * 8 + 1] & 0xFFFFFF, 0xFF0000u);  // inside
      EXPECT_EQ(px[0] & 0xFFFFFF, 0u);                 // outside
      EXPECT_EQ(px[3 * 8 + 3] & 0xFFFFFF, 0u);         // past the right/bottom edge
    }
    EXPECT_EQ(GetCurrentObject(raw, OBJ_BITMAP), original);
    EXPECT_EQ(LiveGdiObjectCount(), start + 2);
  }
  EXPECT_EQ(GetObjectType(raw), 0u);
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

TEST(GdiObject, WindowDcsGoBackToTheirWindow) {
  testsupport::TestWindow window(120, 80, L"dc");
  const long start = LiveGdiObjectCount();
  WindowDC client = WindowDC::Client(window.hwnd());
  EXPECT_EQ(WindowFromDC(client.get()), window.hwnd());
  WindowDC moved(std::move(client));
  EXPECT_EQ(LiveGdiObjectCount(), start + 1);
  moved.Reset();
  // A DC that was not given back would run the window's DC cache dry long
  // before this ends.
  for (int i = 0; i < 2000; ++i) ASSERT_TRUE(WindowDC::Ex(window.hwnd(), nullptr, DCX_CACHE | DCX_WINDOW)) << i;
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

}  // namespace
