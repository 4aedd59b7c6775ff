#include "platform/gdi_object.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/unique_handle.h"

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
  c.Reset(c.get());  // its own handle: kept, and counted once
  EXPECT_TRUE(Alive(c.get()));
  EXPECT_EQ(LiveGdiObjectCount(), start + 1);
  HBRUSH parked = GdiBrush(CreateSolidBrush(RGB(9, 9, 9))).Park();
  EXPECT_EQ(LiveGdiObjectCount(), start + 2);  // still ours, only parked
  GdiBrush::Unpark(parked);
  HRGN released = c.Release();  // handed over: not ours, not deleted
  EXPECT_EQ(LiveGdiObjectCount(), start);
  EXPECT_TRUE(Alive(released) && !Alive(parked));
  (void)GdiRegion(released);  // adopted again, and deleted
  EXPECT_FALSE(Alive(raw));
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

TEST(GdiObject, MemoryDcAndSelectScopeRestoreAndDelete) {
  const long start = LiveGdiObjectCount();
  MemoryDC dc = MemoryDC::CompatibleWith(nullptr);
  DibSection dib = CreateDibSection32(8, 4);
  ASSERT_NE(dib.bits, nullptr);
  HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BITMAP);
  {
    SelectScope select(dc.get(), dib.bitmap.get());
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), dib.bitmap.get());
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), original);
  EXPECT_EQ(LiveGdiObjectCount(), start + 2);
  HDC raw = dc.get();
  dc.Reset();
  dib.bitmap.Reset();
  EXPECT_EQ(GetObjectType(raw), 0u);
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

TEST(GdiObject, WindowDcsGoBackToTheirWindow) {
  testsupport::TestWindow window(120, 80, L"dc");
  const long start = LiveGdiObjectCount();
  WindowDC client = WindowDC::Client(window.hwnd());
  EXPECT_EQ(WindowFromDC(client.get()), window.hwnd());
  // Wine takes a DC back without its window as well: only the owner tells.
  EXPECT_EQ(client.window(), window.hwnd());
  EXPECT_EQ(WindowDC::Whole(window.hwnd()).window(), window.hwnd());
  EXPECT_EQ(WindowDC::Ex(window.hwnd(), nullptr, DCX_CACHE).window(), window.hwnd());
  WindowDC moved(std::move(client));
  EXPECT_EQ(moved.window(), window.hwnd());
  EXPECT_EQ(LiveGdiObjectCount(), start + 1);
  moved.Reset();
  // A DC that was not given back would run the window's DC cache dry long
  // before this ends.
  for (int i = 0; i < 2000; ++i) ASSERT_TRUE(WindowDC::Ex(window.hwnd(), nullptr, DCX_CACHE | DCX_WINDOW)) << i;
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

// Whether the icon can still be drawn: a destroyed one cannot.
bool IconAlive(HICON icon) {
  MemoryDC dc = MemoryDC::CompatibleWith(nullptr);
  DibSection dib = CreateDibSection32(16, 16);
  SelectScope select(dc.get(), dib.bitmap.get());
  return DrawIconEx(dc.get(), 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
}

// An icon made at run time is counted while an owner holds it and destroyed
// once, by the owner that holds it last (an icon is no GDI object: deleted
// as one, it would stay).
TEST(GdiObject, AnIconOwnerDestroysItsIconOnce) {
  const long start = LiveGdiObjectCount();
  HICON raw = nullptr;
  {
    const GdiBitmap mask(CreateBitmap(16, 16, 1, 1, nullptr));
    const DibSection colour = CreateDibSection32(16, 16);
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.bitmap.get()};
    OwnedIcon icon(CreateIconIndirect(&info));
    ASSERT_TRUE(icon);
    raw = icon.get();
    OwnedIcon moved(std::move(icon));
    EXPECT_FALSE(icon);
    EXPECT_EQ(LiveGdiObjectCount(), start + 3);
    moved.Reset(raw);  // its own icon: kept
    EXPECT_TRUE(IconAlive(raw));
    EXPECT_EQ(LiveGdiObjectCount(), start + 3);
  }
  EXPECT_FALSE(IconAlive(raw));
  EXPECT_EQ(LiveGdiObjectCount(), start);
}

// The owner that the ones above are made of, over values whose frees are
// written down. Its empty value is -1, so that 0 is a value like any other.
std::vector<int> freed;
struct WrittenDownTraits {
  using Value = int;
  static Value Empty() noexcept { return -1; }
  static void Free(int value) noexcept { freed.push_back(value); }
};
using Owner = UniqueHandle<WrittenDownTraits>;
using Freed = std::vector<int>;

class UniqueHandleTest : public testing::Test {
 protected:
  void SetUp() override { freed.clear(); }
};

TEST_F(UniqueHandleTest, AMovedValueIsFreedOnceByItsNewOwner) {
  {
    Owner source(0);
    Owner moved(std::move(source));
    EXPECT_FALSE(source);
    EXPECT_EQ(moved.get(), 0);
  }
  EXPECT_EQ(freed, Freed{0});
}

TEST_F(UniqueHandleTest, MoveAssignmentFreesTheValueHeldBeforeOnceAndItselfKeepsItsValue) {
  {
    Owner a(1), b(2);
    b = std::move(a);
    EXPECT_EQ(freed, Freed{2});
    EXPECT_FALSE(a);
    EXPECT_EQ(b.get(), 1);
    Owner& same = b;
    b = std::move(same);
    EXPECT_EQ(b.get(), 1);
    EXPECT_EQ(freed, Freed{2});
  }
  EXPECT_EQ(freed, (Freed{2, 1}));
}

TEST_F(UniqueHandleTest, ReleaseHandsTheValueOnAndResetFreesWhatItReplaces) {
  {
    Owner a(3);
    EXPECT_EQ(a.Release(), 3);
    EXPECT_FALSE(a);
    a.Reset(4);
    a.Reset(4);  // its own value stays
    a.Reset(5);
    EXPECT_EQ(freed, Freed{4});
    a.Reset();
    EXPECT_FALSE(a);
  }
  EXPECT_EQ(freed, (Freed{4, 5}));
}

}  // namespace
