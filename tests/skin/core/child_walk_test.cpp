// The shared walk of a window's children: the installers' look-ups by class
// find what FindWindowExW finds, from one list that is taken again when the
// skin changes the children.
#include "skin/core/child_walk.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/win_test_support.h"

namespace korvath::skin {
namespace {

using testsupport::TestWindow;

std::vector<HWND> Found(HWND parent, const wchar_t* cls) {
  std::vector<HWND> found;
  SkinForEachChild(parent, cls, [&](HWND child) { found.push_back(child); });
  return found;
}

std::vector<HWND> FoundBySystem(HWND parent, const wchar_t* cls) {
  std::vector<HWND> found;
  for (HWND child = FindWindowExW(parent, nullptr, cls, nullptr); child;
       child = FindWindowExW(parent, child, cls, nullptr)) {
    found.push_back(child);
  }
  return found;
}

class ChildWalkTest : public ::testing::Test {
 protected:
  void ExpectSameAsSystem(const char* when) {
    // Class names match whatever their case; null is every class.
    for (const wchar_t* cls : {L"BUTTON", L"button", L"Static", L"Edit", L"ListBox", (const wchar_t*)nullptr}) {
      EXPECT_EQ(Found(form_.hwnd(), cls), FoundBySystem(form_.hwnd(), cls)) << when << ": " << (cls ? cls : L"(any)");
    }
    // After a child of another class there is none, as for FindWindowExW.
    EXPECT_EQ(SkinNextChild(form_.hwnd(), label_, L"BUTTON"), FindWindowExW(form_.hwnd(), label_, L"BUTTON", nullptr))
        << when;
    EXPECT_EQ(SkinNextChild(form_.hwnd(), label_, L"BUTTON"), nullptr) << when;
  }
  HWND AddButton() { return form_.AddChild(L"Button", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 100, 50, 20); }

  TestWindow form_{300, 200, L"walk", WS_POPUP};
  HWND first_ = AddButton();
  HWND label_ = form_.AddChild(L"Static", L"s", WS_CHILD | WS_VISIBLE, 10, 30, 50, 20);
  HWND second_ = AddButton();
  HWND edit_ = form_.AddChild(L"Edit", L"", WS_CHILD | WS_VISIBLE, 10, 60, 50, 20);
  HWND seeThrough_ = form_.AddChild(L"Static", L"t", WS_CHILD | WS_VISIBLE, 80, 30, 50, 20, 0, WS_EX_TRANSPARENT);
};

TEST_F(ChildWalkTest, FindsWhatFindWindowExFindsWithAndWithoutASharedWalk) {
  ExpectSameAsSystem("no walk");
  const SkinSharedChildWalk walk(form_.hwnd());
  ExpectSameAsSystem("shared walk");
  {
    const SkinSharedChildWalk nested(form_.hwnd());
    ExpectSameAsSystem("nested walk of the same parent");
  }
  ExpectSameAsSystem("after the nested walk");
}

// The list is taken once: a child the skin adds or takes away is found (or
// no longer found) once the skin says so.
TEST_F(ChildWalkTest, ASharedWalkListsTheChildrenAgainAfterTheSkinChangedThem) {
  const SkinSharedChildWalk walk(form_.hwnd());
  ASSERT_EQ(Found(form_.hwnd(), L"BUTTON"), (std::vector<HWND>{first_, second_}));
  const HWND added = AddButton();
  EXPECT_EQ(Found(form_.hwnd(), L"BUTTON"), (std::vector<HWND>{first_, second_})) << "one list while nothing is said";
  SkinNoteChildrenChanged(form_.hwnd());
  EXPECT_EQ(Found(form_.hwnd(), L"BUTTON"), FoundBySystem(form_.hwnd(), L"BUTTON"));
  EXPECT_EQ(Found(form_.hwnd(), L"BUTTON").size(), 3u);
  DestroyWindow(added);
  DestroyWindow(first_);
  EXPECT_EQ(Found(form_.hwnd(), L"BUTTON"), (std::vector<HWND>{second_})) << "a window gone is not handed out";
  SkinNoteChildrenChanged(form_.hwnd());
  ExpectSameAsSystem("after two buttons went");
}

}  // namespace
}  // namespace korvath::skin
