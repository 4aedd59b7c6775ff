// The geometry words on real windows: a framed top-level window with a
// caption, a child placed in its client area, and the answers for no window.
#include <gtest/gtest.h>

#include <ostream>

#include "platform/window_geometry.h"

// Rectangles compared and shown by the tests (RECT is a plain C struct).
inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
inline void PrintTo(const RECT& r, std::ostream* out) {
  *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

using namespace korvath::platform;

namespace {

constexpr int kWidth = 240, kHeight = 160;
constexpr POINT kAt{130, 70};
constexpr RECT kChild{5, 7, 5 + 40, 7 + 20};  // in the frame's client area

class WindowGeometryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame_ = CreateWindowExW(0, L"STATIC", L"frame", WS_POPUP | WS_CAPTION | WS_THICKFRAME, kAt.x, kAt.y, kWidth,
                             kHeight, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(frame_, nullptr);
    child_ = CreateWindowExW(0, L"STATIC", L"child", WS_CHILD | WS_BORDER, kChild.left, kChild.top,
                             Width(kChild), Height(kChild), frame_, nullptr, nullptr, nullptr);
    ASSERT_NE(child_, nullptr);
    // Where the frame's client area starts inside the frame, as the system
    // says it: the frame and the caption above it.
    POINT corner{0, 0};
    ClientToScreen(frame_, &corner);
    inset_ = {corner.x - kAt.x, corner.y - kAt.y};
    ASSERT_GT(inset_.x, 0);
    ASSERT_GT(inset_.y, inset_.x);
  }
  void TearDown() override {
    if (frame_) DestroyWindow(frame_);
  }

  HWND frame_ = nullptr;
  HWND child_ = nullptr;
  POINT inset_{};
};

TEST_F(WindowGeometryTest, AWindowsRectangleIsOnTheScreenAndItsClientAreaFromZero) {
  EXPECT_EQ(WindowRect(frame_), (RECT{kAt.x, kAt.y, kAt.x + kWidth, kAt.y + kHeight}));
  const RECT client = ClientRect(frame_);
  EXPECT_EQ(client.left, 0);
  EXPECT_EQ(client.top, 0);
  // The frame on both sides, the caption and the frame above, the frame below.
  EXPECT_EQ(client.right, kWidth - 2 * inset_.x);
  EXPECT_EQ(client.bottom, kHeight - inset_.y - inset_.x);
  EXPECT_EQ(ClientRect(child_), (RECT{0, 0, Width(kChild) - 2, Height(kChild) - 2}));
  for (RECT none : {WindowRect(nullptr), ClientRect(nullptr)}) EXPECT_EQ(none, RECT{});
}

// The child at client position (5, 7): in the frame's window coordinates it
// lies further in by the frame and the caption; in its client coordinates
// where it was put.
TEST_F(WindowGeometryTest, ARectangleInAnotherWindowsWindowOrClientCoordinates) {
  RECT inWindow = kChild;
  OffsetRect(&inWindow, inset_.x, inset_.y);
  EXPECT_EQ(WindowRectIn(child_, frame_), inWindow);
  EXPECT_EQ(WindowRectInClient(child_, frame_), kChild);
  // The frame in its own coordinates: from its corner, and from minus the
  // inset of its client area.
  EXPECT_EQ(WindowRectIn(frame_, frame_), (RECT{0, 0, kWidth, kHeight}));
  EXPECT_EQ(WindowRectInClient(frame_, frame_), (RECT{-inset_.x, -inset_.y, kWidth - inset_.x, kHeight - inset_.y}));
  // The frame in the child's: the other way round.
  EXPECT_EQ(WindowRectIn(frame_, child_), (RECT{-inWindow.left, -inWindow.top, kWidth - inWindow.left,
                                                kHeight - inWindow.top}));
  // No reference: on the screen. No window: nothing, moved.
  EXPECT_EQ(WindowRectIn(frame_, nullptr), WindowRect(frame_));
  EXPECT_EQ(WindowRectInClient(frame_, nullptr), WindowRect(frame_));
  EXPECT_EQ(WindowRectIn(nullptr, frame_), (RECT{-kAt.x, -kAt.y, -kAt.x, -kAt.y}));
}

// The work area of the monitor nearest the window, also for a window that
// lies on none.
TEST_F(WindowGeometryTest, TheWorkAreaIsThatOfTheNearestMonitor) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint(kAt, MONITOR_DEFAULTTONEAREST), &monitor));
  ASSERT_FALSE(IsRectEmpty(&monitor.rcWork));
  EXPECT_EQ(WorkAreaOf(frame_), monitor.rcWork);
  SetWindowPos(frame_, nullptr, -30000, -30000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_EQ(MonitorFromWindow(frame_, MONITOR_DEFAULTTONULL), nullptr);
  const RECT away = WorkAreaOf(frame_);
  EXPECT_EQ(away, GetMonitorInfoW(MonitorFromWindow(frame_, MONITOR_DEFAULTTONEAREST), &monitor) ? monitor.rcWork
                                                                                                 : RECT{});
  EXPECT_FALSE(IsRectEmpty(&away));
}

// A WINDOWPOS resolved: what its flags mark unchanged is the window's own,
// on the screen for a top-level window, in the parent's client area for a
// child.
TEST_F(WindowGeometryTest, AWindowPosTakesWhatItsFlagsMarkUnchangedFromTheWindow) {
  WINDOWPOS pos{};
  pos.x = 10;
  pos.y = 20;
  pos.cx = 30;
  pos.cy = 40;
  struct Case {
    UINT flags;
    RECT frame;
    RECT child;
  };
  const RECT given{10, 20, 40, 60};
  for (const Case& c : {Case{0, given, given},
                        Case{SWP_NOZORDER | SWP_NOACTIVATE, given, given},
                        Case{SWP_NOMOVE, {kAt.x, kAt.y, kAt.x + 30, kAt.y + 40}, {5, 7, 35, 47}},
                        Case{SWP_NOSIZE, {10, 20, 10 + kWidth, 20 + kHeight}, {10, 20, 50, 40}},
                        Case{SWP_NOMOVE | SWP_NOSIZE, WindowRect(frame_), kChild}}) {
    pos.flags = c.flags;
    EXPECT_EQ(WindowPosRect(frame_, pos), c.frame) << "flags " << c.flags;
    EXPECT_EQ(WindowPosRect(child_, pos), c.child) << "flags " << c.flags;
  }
}

}  // namespace
