#include "platform/gdi_object.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::platform;

// True while the handle names a live GDI object.
bool Alive(HGDIOBJ handle) { return GetObjectType(handle) != 0; }

TEST(GdiObject, OwnsDeletesAndCounts) {
  const long start = LiveGdiObjectCount();
  HBRUSH raw = nullptr;
  {
    GdiBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    raw = brush.get();
    ASSERT_TRUE(brush);
    EXPECT_TRUE(Alive(raw));
    EXPECT_EQ(LiveGdiObjectCount(), start + 1);
  }
  EXPECT_FALSE(Alive(raw));
  EXPECT_EQ(LiveGdiObjectCount(), start);

  GdiPen empty(nullptr);
  EXPECT_FALSE(empty);
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

TEST(GdiObject, MoveTransfersOwnershipOnce) {
  const long start = LiveGdiObjectCount();
  GdiRegion a(CreateRectRgn(0, 0, 10, 10));
  HRGN raw = a.get();
  GdiRegion b(std::move(a));
  EXPECT_FALSE(a);
  EXPECT_EQ(b.get(), raw);
  EXPECT_EQ(LiveGdiObjectCount(), start + 1);

  GdiRegion c(CreateRectRgn(0, 0, 5, 5));
  HRGN other = c.get();
  c = std::move(b);  // the region c held goes away
  EXPECT_FALSE(Alive(other));
  EXPECT_TRUE(Alive(raw));
  EXPECT_EQ(LiveGdiObjectCount(), start + 1);

  std::vector<GdiFont> fonts;
  for (int i = 0; i < 20; ++i) fonts.emplace_back(CreateFontW(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial"));
  EXPECT_EQ(LiveGdiObjectCount(), start + 21);
  fonts.clear();
  c.Reset();
  EXPECT_FALSE(Alive(raw));
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

TEST(GdiObject, ReleaseHandsOverWithoutDeleting) {
  const long start = LiveGdiObjectCount();
  GdiRegion region(CreateRectRgn(0, 0, 4, 4));
  HRGN raw = region.Release();
  EXPECT_FALSE(region);
  EXPECT_EQ(LiveGdiObjectCount(), start);
  EXPECT_TRUE(Alive(raw));
  GdiRegion again(raw);  // adopt it back so the test leaks nothing
}

TEST(GdiObject, AParkedObjectStaysCountedUntilUnparked) {
  const long start = LiveGdiObjectCount();
  GdiBrush brush(CreateSolidBrush(RGB(9, 9, 9)));
  HBRUSH parked = brush.Park();
  EXPECT_FALSE(brush);
  EXPECT_TRUE(Alive(parked));
  EXPECT_EQ(LiveGdiObjectCount(), start + 1);  // still ours, only parked
  {
    GdiBrush back = GdiBrush::Unpark(parked);
    EXPECT_EQ(back.get(), parked);
    EXPECT_EQ(LiveGdiObjectCount(), start + 1);
  }
  EXPECT_FALSE(Alive(parked));
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

TEST(GdiObject, ResetReplaces) {
  const long start = LiveGdiObjectCount();
  GdiBitmap bitmap(CreateBitmap(2, 2, 1, 32, nullptr));
  HBITMAP first = bitmap.get();
  bitmap.Reset(CreateBitmap(3, 3, 1, 32, nullptr));
  EXPECT_FALSE(Alive(first));
  EXPECT_EQ(LiveGdiObjectCount(), start + 1);
  bitmap.Reset();
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

TEST(MemoryDCOwner, SelectScopeRestoresAndDCIsDeleted) {
  const long start = LiveGdiObjectCount();
  HDC raw = nullptr;
  {
    MemoryDC dc = MemoryDC::CompatibleWith(nullptr);
    raw = dc.get();
    ASSERT_TRUE(dc);
    EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
    DibSection dib = CreateDibSection32(8, 4);
    ASSERT_TRUE(dib.bitmap);
    ASSERT_NE(dib.bits, nullptr);
    HGDIOBJ original = GetCurrentObject(raw, OBJ_BITMAP);
    {
      SelectScope select(raw, dib.bitmap.get());
      EXPECT_EQ(GetCurrentObject(raw, OBJ_BITMAP), dib.bitmap.get());
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

TEST(MemoryDCOwner, ReleaseGivesTheDCUpWithoutDeletingIt) {
  const long start = LiveGdiObjectCount();
  MemoryDC dc = MemoryDC::CompatibleWith(nullptr);
  HDC raw = dc.Release();
  EXPECT_FALSE(dc);
  EXPECT_EQ(LiveGdiObjectCount(), start);
  EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
  MemoryDC again(raw);  // adopted back, so that it is deleted
}

TEST(MemoryDCOwner, DibSectionRefusesEmptySizes) {
  const long start = LiveGdiObjectCount();
  EXPECT_FALSE(CreateDibSection32(0, 10).bitmap);
  EXPECT_FALSE(CreateDibSection32(10, 0).bitmap);
  EXPECT_FALSE(CreateDibSection32(-3, 2).bitmap);
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

TEST(WindowDCOwner, ReleasesToItsWindow) {
  testsupport::TestWindow window(120, 80, L"dc");
  const long start = LiveGdiObjectCount();
  {
    WindowDC client = WindowDC::Client(window.hwnd());
    WindowDC whole = WindowDC::Whole(window.hwnd());
    ASSERT_TRUE(client);
    ASSERT_TRUE(whole);
    EXPECT_EQ(client.window(), window.hwnd());
    EXPECT_EQ(WindowFromDC(client.get()), window.hwnd());
    EXPECT_EQ(LiveGdiObjectCount(), start + 2);
    WindowDC moved(std::move(client));
    EXPECT_FALSE(client);
    EXPECT_EQ(LiveGdiObjectCount(), start + 2);
  }
  EXPECT_EQ(LiveGdiObjectCount(), start);
  // Many get/release cycles: a DC that was not given back would run the
  // window's DC cache dry long before this ends.
  for (int i = 0; i < 2000; ++i) {
    WindowDC dc = WindowDC::Ex(window.hwnd(), nullptr, DCX_CACHE | DCX_WINDOW);
    ASSERT_TRUE(dc) << i;
  }
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

LRESULT CALLBACK PaintCountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PaintScope paint(hwnd);
    GdiBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
    FillRect(paint.dc(), &paint.dirty(), blue.get());
    SetPropW(hwnd, L"painted", reinterpret_cast<HANDLE>(LiveGdiObjectCount()));
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST(PaintScopeOwner, EndsThePaintAndValidates) {
  testsupport::TestWindow window(100, 60, L"paint", WS_POPUP | WS_VISIBLE, PaintCountingProc);
  const long start = LiveGdiObjectCount();
  InvalidateRect(window.hwnd(), nullptr, TRUE);
  UpdateWindow(window.hwnd());
  // Inside the paint: the DC and the brush were live.
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(GetPropW(window.hwnd(), L"painted")), start + 2);
  EXPECT_EQ(LiveGdiObjectCount(), start);
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(window.hwnd(), &update, FALSE));  // EndPaint validated it
  RemovePropW(window.hwnd(), L"painted");
}

TEST(SavedDCStateScope, RestoresClip) {
  MemoryDC dc = MemoryDC::CompatibleWith(nullptr);
  RECT box{};
  const int before = GetClipBox(dc.get(), &box);
  {
    SavedDCState saved(dc.get());
    IntersectClipRect(dc.get(), 0, 0, 0, 0);
    EXPECT_EQ(GetClipBox(dc.get(), &box), NULLREGION);
  }
  EXPECT_EQ(GetClipBox(dc.get(), &box), before);
}

TEST(OwnedIconOwner, DestroysAndCounts) {
  const long start = LiveGdiObjectCount();
  {
    GdiBitmap color(CreateBitmap(16, 16, 1, 32, nullptr));
    GdiBitmap mask(CreateBitmap(16, 16, 1, 1, nullptr));
    ICONINFO info{TRUE, 0, 0, mask.get(), color.get()};
    OwnedIcon icon(CreateIconIndirect(&info));
    ASSERT_TRUE(icon);
    EXPECT_EQ(LiveGdiObjectCount(), start + 3);
    OwnedIcon other(std::move(icon));
    EXPECT_FALSE(icon);
  }
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

}  // namespace
