#include "platform/gdi_object.h"

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/gdiplus_startup.h"
#include "platform/unique_handle.h"

#include "tests/support/import_slots.h"
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

// While alive, the program's starts and shut-downs of GDI+ come here on
// their way: each start is written down with its version and handed a token
// of its own (GDI+ may give every start the same one), each shut-down with
// the token it names. A start may be made to be refused, a token written
// all the same.
class GdiplusStartsAndEnds {
 public:
  GdiplusStartsAndEnds()
      : startSlot_(testsupport::ImportSlot("gdiplus.dll", "GdiplusStartup")),
        endSlot_(testsupport::ImportSlot("gdiplus.dll", "GdiplusShutdown")) {
    if (!startSlot_ || !endSlot_) return;
    start_ = reinterpret_cast<decltype(start_)>(testsupport::SwapImport(startSlot_, reinterpret_cast<void*>(&Start)));
    end_ = reinterpret_cast<decltype(end_)>(testsupport::SwapImport(endSlot_, reinterpret_cast<void*>(&End)));
    versions.clear();
    ended.clear();
    started_.clear();
    refuse = false;
  }
  ~GdiplusStartsAndEnds() {
    if (!start_) return;
    testsupport::SwapImport(startSlot_, reinterpret_cast<void*>(start_));
    testsupport::SwapImport(endSlot_, reinterpret_cast<void*>(end_));
  }
  GdiplusStartsAndEnds(const GdiplusStartsAndEnds&) = delete;
  GdiplusStartsAndEnds& operator=(const GdiplusStartsAndEnds&) = delete;
  bool routed() const { return start_ != nullptr; }

  static inline std::vector<UINT32> versions;
  static inline std::vector<ULONG_PTR> ended;
  static inline bool refuse = false;

 private:
  static Gdiplus::Status WINAPI Start(ULONG_PTR* token, const Gdiplus::GdiplusStartupInput* input,
                                      Gdiplus::GdiplusStartupOutput* output) {
    versions.push_back(input->GdiplusVersion);
    *token = 0x7000 + versions.size();
    if (refuse) return Gdiplus::GenericError;
    ULONG_PTR real = 0;
    const Gdiplus::Status status = start_(&real, input, output);
    if (status == Gdiplus::Ok) started_.push_back({*token, real});
    return status;
  }
  static void WINAPI End(ULONG_PTR token) {
    ended.push_back(token);
    for (const auto& [given, real] : started_)
      if (given == token) end_(real);
  }

  static inline decltype(&Start) start_ = nullptr;
  static inline decltype(&End) end_ = nullptr;
  static inline std::vector<std::pair<ULONG_PTR, ULONG_PTR>> started_;  // {given, GDI+'s own}
  void** startSlot_;
  void** endSlot_;
};

// GDI+ started with the version asked for, and shut down once with the
// token of that start, by the owner that holds it last; a start that GDI+
// refuses holds no token and shuts nothing down.
TEST(GdiplusStartupToken, ShutsGdiplusDownOnceWithItsStartsToken) {
  GdiplusStartsAndEnds calls;
  ASSERT_TRUE(calls.routed());
  ULONG_PTR first = 0;
  {
    GdiplusStartupToken token = GdiplusStartupToken::Start();
    ASSERT_TRUE(token.ok());
    first = token.value();
    GdiplusStartupToken moved(std::move(token));
    EXPECT_FALSE(token.ok());
    EXPECT_EQ(moved.value(), first);
    EXPECT_TRUE(calls.ended.empty());
  }
  EXPECT_EQ(calls.ended, std::vector<ULONG_PTR>{first});
  GdiplusStartupToken second = GdiplusStartupToken::Start(2);
  ASSERT_TRUE(second.ok());
  EXPECT_NE(second.value(), first);
  EXPECT_EQ(calls.versions, (std::vector<UINT32>{1, 2}));
  const ULONG_PTR secondToken = second.value();
  second.Reset();
  second.Reset();
  EXPECT_FALSE(second.ok());
  EXPECT_EQ(calls.ended, (std::vector<ULONG_PTR>{first, secondToken}));

  GdiplusStartsAndEnds::refuse = true;
  GdiplusStartupToken refused = GdiplusStartupToken::Start();
  EXPECT_FALSE(refused.ok());
  EXPECT_EQ(refused.value(), 0u);
  refused.Reset();
  EXPECT_EQ(calls.versions.size(), 3u);
  EXPECT_EQ(calls.ended.size(), 2u);
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
