#include "skin/core/window_list.h"

#include <gtest/gtest.h>

#include <memory>

#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
using korvath::platform::LiveGdiObjectCount;
using testsupport::TestWindow;

LONG_PTR Prop(HWND window, const char* name) { return GetSkinProp(window, name); }

// Skins a window the way an attach does: a record appended for it.
int32_t AddRecord(HWND window) {
  auto record = std::make_unique<SkinWindowRecord>();
  record->Window = window;
  return SkinAppendWindowRecord(std::move(record));
}

// Registers a child in one of a record's lists the way an installer does.
template <class Entry>
int32_t Register(int32_t n, std::vector<Entry> SkinWindowRecord::*list, HWND child,
                 const char* ownerName = prop::Hw_FuID, const char* numberName = prop::Hw_lbID) {
  auto& entries = SkinRecordAt(n)->*list;
  const int32_t slot = SkinTakeEntrySlot(entries);
  Entry& entry = entries[size_t(slot) - 1];
  if constexpr (requires { entry.Window; }) entry.Window = child;
  else if constexpr (requires { entry.hwnd; }) entry.hwnd = child;
  else entry.window = child;
  SetSkinProp(child, ownerName, n);
  SetSkinProp(child, numberName, slot);
  return slot;
}

class WindowListTest : public ::testing::Test {
 protected:
  void SetUp() override { ProgramGlobalsInit(); }
  void TearDown() override { ProgramGlobalsRelease(); }
};

TEST_F(WindowListTest, RecordsAreFoundByNumberThroughTheProperties) {
  TestWindow a(200, 120, L"A");
  TestWindow b(200, 120, L"B");
  EXPECT_EQ(SkinFindWindowRecord(a.hwnd()), 0);
  EXPECT_EQ(SkinRecordAt(1), nullptr);
  EXPECT_EQ(AddRecord(a.hwnd()), 1);
  EXPECT_EQ(AddRecord(b.hwnd()), 2);
  EXPECT_EQ(Prop(b.hwnd(), prop::Hw_lbID), 2);
  EXPECT_EQ(SkinFindWindowRecord(b.hwnd()), 2);
  EXPECT_EQ(SkinRecordOfWindow(a.hwnd())->Window, a.hwnd());
  // A number that names another window's record, or none, leads nowhere.
  SetSkinProp(a.hwnd(), prop::Hw_lbID, 2);
  EXPECT_EQ(SkinRecordOfWindow(a.hwnd()), nullptr);
  SetSkinProp(a.hwnd(), prop::Hw_lbID, 7);
  EXPECT_EQ(SkinRecordOfWindow(a.hwnd()), nullptr);

  // The first control takes the record's zeroed slot, then the list grows.
  HWND x = a.AddChild(L"BUTTON", L"x", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20);
  HWND y = a.AddChild(L"BUTTON", L"y", WS_CHILD | WS_VISIBLE, 30, 0, 20, 20);
  HWND group = a.AddChild(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 30, 90, 60);
  EXPECT_EQ(Register(1, &SkinWindowRecord::Buttons, x), 1);
  EXPECT_EQ(Register(1, &SkinWindowRecord::Buttons, y), 2);
  EXPECT_EQ(Register(1, &SkinWindowRecord::Containers, group), 1);
  EXPECT_EQ(SkinFindControlInRecord(1, y), 2);
  EXPECT_EQ(SkinFindControlInRecord(1, group), 0);  // lookups stay in their lists
  EXPECT_EQ(SkinFindContainerEntry(1, group), 1);
  EXPECT_EQ(SkinFindContainerEntry(1, x), 0);
  EXPECT_EQ(SkinFindControlInRecord(1, nullptr), 0);
}

TEST_F(WindowListTest, RemovingARecordRenumbersTheWindowsBehindIt) {
  TestWindow a(200, 120, L"A");
  TestWindow b(200, 120, L"B");
  TestWindow c(200, 120, L"C");
  HWND aButton = a.AddChild(L"BUTTON", L"x", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20);
  HWND bEdit = b.AddChild(L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 60, 20);
  HWND bGroup = b.AddChild(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 60, 90, 40);
  HWND bToolbar = b.AddChild(L"STATIC", L"t", WS_CHILD | WS_VISIBLE, 100, 0, 60, 20);
  HWND cCombo = c.AddChild(L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 0, 80, 90);
  for (HWND w : {a.hwnd(), b.hwnd(), c.hwnd()}) AddRecord(w);
  Register(1, &SkinWindowRecord::Buttons, aButton);
  Register(2, &SkinWindowRecord::Edits, bEdit);
  Register(2, &SkinWindowRecord::Containers, bGroup);
  Register(2, &SkinWindowRecord::Toolbars, bToolbar, prop::Kj_FuID, prop::Kj_lbID);
  Register(3, &SkinWindowRecord::Combos, cCombo);

  SkinRemoveWindowRecord(1);

  ASSERT_EQ(SkinWindowList.size(), 2u);
  EXPECT_EQ(SkinFindWindowRecord(a.hwnd()), 0);
  EXPECT_EQ(SkinFindWindowRecord(b.hwnd()), 1);
  EXPECT_EQ(SkinFindWindowRecord(c.hwnd()), 2);
  EXPECT_EQ(Prop(c.hwnd(), prop::Hw_lbID), 2);
  EXPECT_EQ(Prop(bEdit, prop::Hw_FuID), 1);
  EXPECT_EQ(Prop(bGroup, prop::Hw_FuID), 1);
  EXPECT_EQ(Prop(bToolbar, prop::Kj_FuID), 1);
  EXPECT_EQ(Prop(bToolbar, prop::Hw_FuID), 0);  // the second layer only
  EXPECT_EQ(Prop(cCombo, prop::Hw_FuID), 2);
  // Entry numbers stay; the removed window keeps its last properties.
  EXPECT_EQ(Prop(bEdit, prop::Hw_lbID), 1);
  EXPECT_EQ(Prop(aButton, prop::Hw_FuID), 1);
  EXPECT_EQ(SkinRecordOfWindow(c.hwnd())->Combos[0].hwnd, cCombo);
  SkinRemoveWindowRecord(0);
  SkinRemoveWindowRecord(3);
  EXPECT_EQ(SkinWindowList.size(), 2u);
}

// The tooltip of a record is a window of its own: it goes with the record.
TEST_F(WindowListTest, RemovingARecordReleasesItsLayersAndTooltip) {
  TestWindow form(200, 120, L"form");
  const long before = LiveGdiObjectCount();
  const int32_t n = AddRecord(form.hwnd());
  SkinWindowRecord* record = SkinRecordAt(n);
  record->BackDC = SkinMemoryDc::Create(200, 120);
  record->ChildBackDC = SkinMemoryDc::Create(200, 120);
  HWND tip = record->Tips.Create(form.hwnd());
  ASSERT_NE(tip, nullptr);
  SkinRemoveWindowRecord(n);
  EXPECT_TRUE(SkinMemoryDcList.empty());
  EXPECT_EQ(LiveGdiObjectCount(), before);
  EXPECT_FALSE(IsWindow(tip));
  EXPECT_TRUE(IsWindow(form.hwnd()));

  // Release at exit empties every list and leaves windows alone.
  AddRecord(form.hwnd());
  SkinRecordAt(1)->BackDC = SkinMemoryDc::Create(100, 80);
  LayeredDropDownList.push_back(form.hwnd());
  FadeList.emplace_back();
  ProgramGlobalsRelease();
  EXPECT_TRUE(SkinWindowList.empty());
  EXPECT_TRUE(LayeredDropDownList.empty());
  EXPECT_TRUE(FadeList.empty());
  EXPECT_EQ(LiveGdiObjectCount(), before);
  EXPECT_TRUE(IsWindow(form.hwnd()));
}

TEST_F(WindowListTest, TopSkinnedAncestorClimbsParentsAndOwners) {
  TestWindow form(300, 200, L"form");
  HWND group = form.AddChild(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 10, 200, 150);
  HWND inner = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 20, 80, 20, group, nullptr,
                               nullptr, nullptr);
  // A message-box-like popup owned by the form, with a control of its own.
  HWND box = CreateWindowExW(0, L"STATIC", L"box", WS_POPUP | WS_VISIBLE, 50, 50, 120, 80, form.hwnd(),
                             nullptr, nullptr, nullptr);
  HWND boxButton = CreateWindowExW(0, L"BUTTON", L"ok", WS_CHILD | WS_VISIBLE, 5, 5, 40, 20, box, nullptr,
                                   nullptr, nullptr);
  TestWindow plain(100, 100, L"plain");
  EXPECT_EQ(SkinTopSkinnedAncestor(inner), 0);
  const int32_t formRecord = AddRecord(form.hwnd());
  EXPECT_EQ(SkinTopSkinnedAncestor(inner), formRecord);
  EXPECT_EQ(SkinTopSkinnedAncestor(form.hwnd()), formRecord);
  EXPECT_EQ(SkinTopSkinnedAncestor(boxButton), formRecord);  // through the box's owner
  EXPECT_EQ(AddRecord(box), 2);
  EXPECT_EQ(SkinTopSkinnedAncestor(boxButton), 2);
  EXPECT_EQ(SkinTopSkinnedAncestor(plain.hwnd()), 0);
  DestroyWindow(box);
}

}  // namespace
