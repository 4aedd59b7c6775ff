#include "skin/core/clipped_dc.h"

#include <gtest/gtest.h>

#include <memory>

#include "skin/core/child_layer.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/memory_dc.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using korvath::platform::LiveGdiObjectCount;
using testsupport::TestWindow;

bool Visible(HDC dc, int x, int y) { return PtVisible(dc, x, y) != FALSE; }

int32_t SkinForm(HWND form, int width) {
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = form;
  record->ClientWidth = width;
  record->ClientHeight = 200;
  return SkinAppendWindowRecord(std::move(record));
}

HWND Hidden(const wchar_t* cls, HWND parent, int x) {
  return CreateWindowExW(0, cls, L"", WS_CHILD, x, 10, 50, 20, parent, nullptr, nullptr, nullptr);
}

class ClippedDcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramGlobalsInit();
    start_ = LiveGdiObjectCount();
  }
  void TearDown() override {
    SkinTransparentMode = false;
    ProgramGlobalsRelease();
    EXPECT_EQ(LiveGdiObjectCount(), start_);
  }
  long start_ = 0;
};

TEST_F(ClippedDcTest, VisibleChildrenWithinThePaintedSizeAreClippedOut) {
  TestWindow form(300, 200, L"form");
  form.AddChild(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20);
  Hidden(L"EDIT", form.hwnd(), 100);
  form.AddChild(L"BUTTON", L"across", WS_CHILD | WS_VISIBLE, 180, 50, 60, 30);
  form.AddChild(L"BUTTON", L"beyond", WS_CHILD | WS_VISIBLE, 250, 100, 40, 30);
  form.AddChild(L"STATIC", L"t", WS_CHILD | WS_VISIBLE, 10, 150, 50, 20, 0, WS_EX_TRANSPARENT);
  SkinForm(form.hwnd(), 200);  // last painted narrower than now
  {
    korvath::platform::WindowDC dc = SkinGetClippedDC(form.hwnd());
    ASSERT_TRUE(dc);
    EXPECT_FALSE(Visible(dc.get(), 12, 12));
    EXPECT_FALSE(Visible(dc.get(), 59, 29));
    EXPECT_TRUE(Visible(dc.get(), 60, 30));
    EXPECT_TRUE(Visible(dc.get(), 120, 20));   // the hidden edit's place
    EXPECT_FALSE(Visible(dc.get(), 190, 60));
    EXPECT_TRUE(Visible(dc.get(), 220, 60));   // beyond the painted width
    EXPECT_TRUE(Visible(dc.get(), 260, 110));  // wholly outside: clips nothing
    EXPECT_TRUE(Visible(dc.get(), 20, 160));   // transparent, outside transparent mode
  }
  SkinTransparentMode = true;
  korvath::platform::WindowDC dc = SkinGetClippedDC(form.hwnd());
  EXPECT_FALSE(Visible(dc.get(), 20, 160));
}

// A DC the caller gives is clipped and handed back, never released.
TEST_F(ClippedDcTest, AGivenDCIsClippedAndReturnedNotReleased) {
  TestWindow form(300, 200, L"form");
  form.AddChild(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20);
  SkinForm(form.hwnd(), 300);
  SkinMemoryDc buffer = SkinMemoryDc::Create(300, 200);
  EXPECT_EQ(SkinGetClippedDC(form.hwnd(), buffer.get()), buffer.get());
  EXPECT_EQ(GetObjectType(buffer.get()), static_cast<DWORD>(OBJ_MEMDC));
  // The clip is real: a fill over everything leaves the child's place alone.
  korvath::platform::GdiBrush red(CreateSolidBrush(RGB(255, 0, 0)));
  RECT all{0, 0, 300, 200};
  FillRect(buffer.get(), &all, red.get());
  testsupport::PixelBuffer pixels = testsupport::CaptureDC(buffer.get(), 0, 0, 300, 200);
  EXPECT_EQ(pixels.RgbAt(30, 20), 0u);
  EXPECT_EQ(pixels.RgbAt(5, 5), 0xFF0000u);
  EXPECT_EQ(pixels.RgbAt(61, 20), 0xFF0000u);
}

struct SizeTarget : SkinCallbackTarget {
  int32_t code = 0;
  int32_t SkinCallback(int32_t a, int32_t, int32_t) override {
    code = a;
    return (40 << 16) | 50;  // 50 wide, 40 high
  }
};

TEST_F(ClippedDcTest, ACallbackOrAContainerEntryGivesTheLimit) {
  TestWindow form(300, 200, L"form");
  HWND panel = form.AddChild(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 150);
  CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 30, 10, 60, 20, panel, nullptr, nullptr, nullptr);
  SizeTarget target;
  SkinCallbackList = {SkinCallbackEntry{panel, &target, false}};
  SetSkinProp(panel, prop::Wxk_LBID, 1);
  {
    korvath::platform::WindowDC dc = SkinGetClippedDC(panel);
    EXPECT_EQ(target.code, 5);
    EXPECT_FALSE(Visible(dc.get(), 40, 15));
    EXPECT_TRUE(Visible(dc.get(), 60, 15));  // beyond the reported width
  }
  SetSkinProp(panel, prop::Wxk_LBID, 0);
  const int32_t n = SkinForm(form.hwnd(), 300);
  auto& containers = SkinRecordAt(n)->Containers;
  const int32_t slot = SkinTakeEntrySlot(containers);
  containers[size_t(slot) - 1].window = panel;
  containers[size_t(slot) - 1].paintedWidth = 70;
  containers[size_t(slot) - 1].paintedHeight = 150;
  SetSkinProp(panel, prop::Hw_FuID, n);
  korvath::platform::WindowDC dc = SkinGetClippedDC(panel);
  EXPECT_FALSE(Visible(dc.get(), 65, 15));
  EXPECT_TRUE(Visible(dc.get(), 80, 15));
  SkinCallbackList.clear();
}

TEST_F(ClippedDcTest, ExcludingChildrenFromABackBufferUsesWindowCoordinates) {
  TestWindow form(300, 200, L"framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  form.AddChild(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20);
  form.AddChild(L"STATIC", L"t", WS_CHILD | WS_VISIBLE, 100, 10, 50, 20, 0, WS_EX_TRANSPARENT);
  Hidden(L"EDIT", form.hwnd(), 200);
  SkinForm(form.hwnd(), 300);
  RECT outer{};
  GetWindowRect(form.hwnd(), &outer);
  POINT origin{0, 0};
  ClientToScreen(form.hwnd(), &origin);
  const int dx = origin.x - outer.left, dy = origin.y - outer.top;
  SkinMemoryDc buffer = SkinMemoryDc::Create(outer.right - outer.left, outer.bottom - outer.top);
  EXPECT_EQ(SkinExcludeChildrenClip(form.hwnd(), buffer.get()), buffer.get());
  EXPECT_FALSE(Visible(buffer.get(), dx + 12, dy + 12));  // the button, frame included
  EXPECT_TRUE(Visible(buffer.get(), 12, 12));             // where it would be without the frame
  EXPECT_TRUE(Visible(buffer.get(), dx + 110, dy + 15));  // transparent child
  EXPECT_TRUE(Visible(buffer.get(), dx + 210, dy + 15));  // hidden child
}

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  korvath::platform::PaintScope paint(window);
  SetPropW(window, L"paints", HANDLE(INT_PTR(GetPropW(window, L"paints")) + 1));
  return 0;
}

TEST_F(ClippedDcTest, ChildWalksRepaintAndInvalidateTheRightChildren) {
  TestWindow form(300, 200, L"form");
  WNDCLASSW cls{};
  cls.lpfnWndProc = CountingProc;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = L"CountingPaints";
  RegisterClassW(&cls);
  HWND children[4] = {};
  const DWORD exStyles[4] = {0, WS_EX_TRANSPARENT, 0, 0};
  for (int i = 0; i < 4; ++i) {
    children[i] = CreateWindowExW(exStyles[i], L"CountingPaints", L"", WS_CHILD | (i < 3 ? WS_VISIBLE : 0),
                                  10 + 40 * i, 10, 30, 30, form.hwnd(), nullptr, cls.hInstance, nullptr);
  }
  testsupport::PumpMessages(50);
  auto paints = [](HWND w) { return INT_PTR(GetPropW(w, L"paints")); };
  const INT_PTR before[3] = {paints(children[0]), paints(children[1]), paints(children[2])};
  SkinRedrawChildren(form.hwnd());  // repaints the transparent one at once
  EXPECT_EQ(paints(children[0]), before[0]);
  EXPECT_EQ(paints(children[1]), before[1] + 1);
  EXPECT_EQ(paints(children[2]), before[2]);
  SkinInvalidateVisibleChildren(form.hwnd());
  RECT update{};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(GetUpdateRect(children[i], &update, FALSE) != FALSE, i < 3) << i;
  EXPECT_EQ(paints(children[0]), before[0]);  // nothing painted yet
}

}  // namespace
