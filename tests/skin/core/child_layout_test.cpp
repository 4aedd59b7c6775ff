#include "skin/core/child_layout.h"

#include <gtest/gtest.h>

#include <memory>

#include "skin/core/window_list.h"
#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

// A 300 x 200 container (no border, so its client area is the whole
// window) in a skinned top-level window whose record holds it as container 1.
class ChildLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    container_ = form_.AddChild(L"STATIC", L"", 0, 10, 10, 300, 200);
    auto record = std::make_unique<SkinWindowRecord>();
    record->Window = form_.hwnd();
    const int32_t slot = SkinTakeEntrySlot(record->Containers);
    ASSERT_EQ(slot, 1);
    record->Containers[0].window = container_;
    recordNumber_ = SkinAppendWindowRecord(std::move(record));
  }
  void TearDown() override { SkinRemoveWindowRecord(recordNumber_); }

  HWND AddChildOfContainer() {
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, container_, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
  std::vector<SkinStretchChild>& Children() {
    return SkinRecordAt(recordNumber_)->Containers[0].stretchedChildren;
  }
  // Position and size in the container's client coordinates.
  RECT Placement(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, container_, reinterpret_cast<POINT*>(&r), 2);
    return RECT{r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  static void ExpectPlacement(const RECT& p, int x, int y, int w, int h) {
    EXPECT_EQ(p.left, x);
    EXPECT_EQ(p.top, y);
    EXPECT_EQ(p.right, w);
    EXPECT_EQ(p.bottom, h);
  }

  testsupport::TestWindow form_{400, 300};
  HWND container_ = nullptr;
  int32_t recordNumber_ = 0;
};

TEST_F(ChildLayout, FullWidthChildSpansTheWidthWithMarginsAndReachesTheBottom) {
  HWND child = AddChildOfContainer();
  Children() = {SkinStretchChild{child, 24, 0, true}};
  SkinLayoutChildren(recordNumber_, 1);
  ExpectPlacement(Placement(child), 2, 24, 296, 176);
}

TEST_F(ChildLayout, OtherChildKeepsItsCornerAndEndsTwoPixelsShort) {
  HWND child = AddChildOfContainer();
  Children() = {SkinStretchChild{child, 30, 10, false}};
  SkinLayoutChildren(recordNumber_, 1);
  ExpectPlacement(Placement(child), 10, 30, 288, 168);
}

TEST_F(ChildLayout, EmptyEntryIsSkippedAndLaterEntriesStillLaidOut) {
  HWND first = AddChildOfContainer();
  HWND second = AddChildOfContainer();
  Children() = {SkinStretchChild{first, 5, 6, false}, SkinStretchChild{}, SkinStretchChild{second, 40, 0, true}};
  SkinLayoutChildren(recordNumber_, 1);
  ExpectPlacement(Placement(first), 6, 5, 292, 193);
  ExpectPlacement(Placement(second), 2, 40, 296, 160);
}

TEST_F(ChildLayout, FollowsTheContainersNewSize) {
  HWND child = AddChildOfContainer();
  Children() = {SkinStretchChild{child, 20, 0, true}};
  MoveWindow(container_, 10, 10, 150, 120, TRUE);
  SkinLayoutChildren(recordNumber_, 1);
  ExpectPlacement(Placement(child), 2, 20, 146, 100);
}

TEST_F(ChildLayout, TheInitialEmptyEntryMovesNothing) {
  HWND child = AddChildOfContainer();
  MoveWindow(child, 7, 8, 9, 10, FALSE);
  ASSERT_EQ(Children().size(), 1u);
  SkinLayoutChildren(recordNumber_, 1);
  ExpectPlacement(Placement(child), 7, 8, 9, 10);
}

TEST_F(ChildLayout, NumbersThatNameNothingDoNothing) {
  HWND child = AddChildOfContainer();
  MoveWindow(child, 7, 8, 9, 10, FALSE);
  Children() = {SkinStretchChild{child, 20, 0, true}};
  SkinLayoutChildren(recordNumber_, 2);
  SkinLayoutChildren(recordNumber_, 0);
  SkinLayoutChildren(recordNumber_ + 1, 1);
  SkinLayoutChildren(0, 1);
  ExpectPlacement(Placement(child), 7, 8, 9, 10);
}

}  // namespace
}  // namespace korvath::skin
