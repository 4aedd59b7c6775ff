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

int32_t SkinForm(HWND form) {
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = form;
  RECT client{};
  GetClientRect(form, &client);
  record->ClientWidth = client.right;
  record->ClientHeight = client.bottom;
  return SkinAppendWindowRecord(std::move(record));
}

class ClippedDcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramGlobalsInit();
    SkinTransparentMode = false;
    start_ = LiveGdiObjectCount();
  }
  void TearDown() override {
    SkinTransparentMode = false;
    ProgramGlobalsRelease();
    EXPECT_EQ(LiveGdiObjectCount(), start_);
  }
  long start_ = 0;
};

TEST_F(ClippedDcTest, VisibleChildrenAreClippedOutHiddenOnesAreNot) {
  TestWindow form(300, 200, L"form");
  form.AddChild(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20);
  CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 100, 10, 60, 20, form.hwnd(), nullptr, nullptr,
                  nullptr);  // hidden
  SkinForm(form.hwnd());
  korvath::platform::WindowDC dc = SkinGetClippedDC(form.hwnd());
  ASSERT_TRUE(dc);
  EXPECT_EQ(dc.window(), form.hwnd());
  EXPECT_FALSE(Visible(dc.get(), 12, 12));
  EXPECT_FALSE(Visible(dc.get(), 59, 29));
  EXPECT_TRUE(Visible(dc.get(), 60, 30));
  EXPECT_TRUE(Visible(dc.get(), 9, 9));
  EXPECT_TRUE(Visible(dc.get(), 120, 20));  // the hidden edit's place
  EXPECT_TRUE(Visible(dc.get(), 250, 150));
}

TEST_F(ClippedDcTest, ChildrenAreLimitedToThePaintedSize) {
  TestWindow form(300, 200, L"form");
  form.AddChild(L"BUTTON", L"across", WS_CHILD | WS_VISIBLE, 80, 50, 60, 30);
  form.AddChild(L"BUTTON", L"beyond", WS_CHILD | WS_VISIBLE, 150, 100, 40, 30);
  form.AddChild(L"BUTTON", L"left", WS_CHILD | WS_VISIBLE, -20, 150, 40, 20);
  const int32_t n = SkinForm(form.hwnd());
  SkinRecordAt(n)->ClientWidth = 100;  // last painted narrower than now
  korvath::platform::WindowDC dc = SkinGetClippedDC(form.hwnd());
  EXPECT_FALSE(Visible(dc.get(), 90, 60));
  EXPECT_TRUE(Visible(dc.get(), 120, 60));   // beyond the painted width
  EXPECT_TRUE(Visible(dc.get(), 160, 110));  // wholly outside: clips nothing
  EXPECT_FALSE(Visible(dc.get(), 5, 155));   // from 0 on
}

TEST_F(ClippedDcTest, TransparentChildrenAreClippedOnlyInTransparentMode) {
  TestWindow form(300, 200, L"form");
  form.AddChild(L"STATIC", L"t", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, 0, WS_EX_TRANSPARENT);
  SkinForm(form.hwnd());
  {
    korvath::platform::WindowDC dc = SkinGetClippedDC(form.hwnd());
    EXPECT_TRUE(Visible(dc.get(), 20, 20));
  }
  SkinTransparentMode = true;
  korvath::platform::WindowDC dc = SkinGetClippedDC(form.hwnd());
  EXPECT_FALSE(Visible(dc.get(), 20, 20));
}

TEST_F(ClippedDcTest, AGivenDCIsClippedAndReturnedNotReleased) {
  TestWindow form(300, 200, L"form");
  form.AddChild(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20);
  SkinForm(form.hwnd());
  SkinMemoryDc buffer = SkinMemoryDc::Create(300, 200);
  EXPECT_EQ(SkinGetClippedDC(form.hwnd(), buffer.get()), buffer.get());
  EXPECT_FALSE(Visible(buffer.get(), 20, 20));
  EXPECT_TRUE(Visible(buffer.get(), 100, 100));
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

TEST_F(ClippedDcTest, AWindowWithoutChildrenIsNotClipped) {
  TestWindow form(200, 100, L"form");
  korvath::platform::WindowDC dc = SkinGetClippedDC(form.hwnd());
  RECT box{};
  EXPECT_EQ(GetClipBox(dc.get(), &box), SIMPLEREGION);
  RECT client{};
  GetClientRect(form.hwnd(), &client);
  EXPECT_TRUE(EqualRect(&box, &client));
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
  CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 30, 10, 60, 20, panel, nullptr,
                  nullptr, nullptr);
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

  // A registered container: its painted size.
  const int32_t n = SkinForm(form.hwnd());
  SkinWindowRecord* record = SkinRecordAt(n);
  const int32_t slot = SkinTakeEntrySlot(record->Containers);
  record->Containers[size_t(slot) - 1].window = panel;
  record->Containers[size_t(slot) - 1].paintedWidth = 70;
  record->Containers[size_t(slot) - 1].paintedHeight = 150;
  SetSkinProp(panel, prop::Hw_FuID, n);
  {
    korvath::platform::WindowDC dc = SkinGetClippedDC(panel);
    EXPECT_FALSE(Visible(dc.get(), 65, 15));
    EXPECT_TRUE(Visible(dc.get(), 80, 15));
  }
  // An owner record without a container entry: no known size, the child is
  // clipped out whole.
  record->Containers[size_t(slot) - 1].window = nullptr;
  korvath::platform::WindowDC dc = SkinGetClippedDC(panel);
  EXPECT_FALSE(Visible(dc.get(), 80, 15));
}

TEST_F(ClippedDcTest, ExcludingChildrenFromABackBufferUsesWindowCoordinates) {
  TestWindow form(300, 200, L"framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND button = form.AddChild(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20);
  form.AddChild(L"STATIC", L"t", WS_CHILD | WS_VISIBLE, 100, 10, 50, 20, 0, WS_EX_TRANSPARENT);
  CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 200, 10, 50, 20, form.hwnd(), nullptr, nullptr, nullptr);
  SkinForm(form.hwnd());
  SkinTransparentMode = true;  // makes no difference here
  RECT outer{};
  GetWindowRect(form.hwnd(), &outer);
  POINT origin{0, 0};
  ClientToScreen(form.hwnd(), &origin);
  const int dx = origin.x - outer.left;
  const int dy = origin.y - outer.top;
  SkinMemoryDc buffer = SkinMemoryDc::Create(outer.right - outer.left, outer.bottom - outer.top);
  EXPECT_EQ(SkinExcludeChildrenClip(form.hwnd(), buffer.get()), buffer.get());
  EXPECT_FALSE(Visible(buffer.get(), dx + 12, dy + 12));   // the button, frame included
  EXPECT_TRUE(Visible(buffer.get(), 12, 12));              // where it would be without the frame
  EXPECT_TRUE(Visible(buffer.get(), dx + 110, dy + 15));   // transparent child
  EXPECT_TRUE(Visible(buffer.get(), dx + 210, dy + 15));   // hidden child
  (void)button;
}

TEST_F(ClippedDcTest, ChildRectInParentIsInClientCoordinates) {
  TestWindow parent(300, 200, L"framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND child = parent.AddChild(L"BUTTON", L"c", WS_CHILD | WS_VISIBLE, 5, 7, 40, 20);
  RECT r = SkinChildRectInParent(child);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 7);
  EXPECT_EQ(r.right, 45);
  EXPECT_EQ(r.bottom, 27);
  SkinForm(parent.hwnd());
  r = SkinChildRectInParent(parent.hwnd());
  EXPECT_EQ(r.right, 0);
  EXPECT_EQ(r.bottom, 0);
  EXPECT_FALSE(IsWindowExTransparent(child));
  SetWindowLongW(child, GWL_EXSTYLE, GetWindowLongW(child, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
  EXPECT_TRUE(IsWindowExTransparent(child));
}

TEST_F(ClippedDcTest, OwnerDrawListBoxesAreToldApart) {
  TestWindow form(300, 200, L"form");
  HWND fixed = form.AddChild(L"ListBox", L"", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                             0, 0, 80, 60);
  HWND variable = form.AddChild(L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE, 90, 0,
                                80, 60);
  HWND plain = form.AddChild(L"ListBox", L"", WS_CHILD | WS_VISIBLE, 180, 0, 80, 60);
  HWND combo = form.AddChild(L"ComboBox", L"",
                             WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             0, 100, 80, 100);
  COMBOBOXINFO info{sizeof info};
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  EXPECT_TRUE(SkinIsOwnerDrawListBox(fixed));
  EXPECT_TRUE(SkinIsOwnerDrawListBox(variable));
  EXPECT_FALSE(SkinIsOwnerDrawListBox(plain));
  EXPECT_FALSE(SkinIsOwnerDrawListBox(info.hwndList));  // "ComboLBox"
  EXPECT_FALSE(SkinIsOwnerDrawListBox(combo));
}

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    korvath::platform::PaintScope paint(window);
    SetPropW(window, L"paints", HANDLE(INT_PTR(GetPropW(window, L"paints")) + 1));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

INT_PTR Paints(HWND window) { return INT_PTR(GetPropW(window, L"paints")); }

HWND CountingChild(HWND parent, int x, DWORD style, DWORD exStyle = 0) {
  static ATOM atom = [] {
    WNDCLASSW cls{};
    cls.lpfnWndProc = CountingProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"CountingPaints";
    return RegisterClassW(&cls);
  }();
  (void)atom;
  return CreateWindowExW(exStyle, L"CountingPaints", L"", WS_CHILD | style, x, 10, 30, 30, parent,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
}

TEST_F(ClippedDcTest, ChildWalksRepaintAndInvalidateTheRightChildren) {
  TestWindow form(300, 200, L"form");
  HWND a = CountingChild(form.hwnd(), 10, WS_VISIBLE);
  HWND b = CountingChild(form.hwnd(), 50, WS_VISIBLE, WS_EX_TRANSPARENT);
  HWND c = CountingChild(form.hwnd(), 90, WS_VISIBLE);
  HWND hidden = CountingChild(form.hwnd(), 130, 0);
  testsupport::PumpMessages(50);
  const INT_PTR pa = Paints(a), pb = Paints(b), pc = Paints(c);

  SkinRedrawChildren(form.hwnd());  // repaints at once, without a message loop
  EXPECT_EQ(Paints(a), pa);
  EXPECT_EQ(Paints(b), pb + 1);
  EXPECT_EQ(Paints(c), pc);

  SkinInvalidateVisibleChildren(form.hwnd());
  RECT update{};
  EXPECT_TRUE(GetUpdateRect(a, &update, FALSE));
  EXPECT_TRUE(GetUpdateRect(b, &update, FALSE));
  EXPECT_TRUE(GetUpdateRect(c, &update, FALSE));
  EXPECT_FALSE(GetUpdateRect(hidden, &update, FALSE));
  EXPECT_EQ(Paints(a), pa);  // nothing painted yet
}

}  // namespace
