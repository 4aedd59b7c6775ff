#include "skin/core/window_list.h"

#include <gtest/gtest.h>

#include <memory>

#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "tests/support/win_test_support.h"

namespace {

using namespace korvath::skin;
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

TEST_F(WindowListTest, EmptyListFindsNothing) {
  TestWindow form(200, 120, L"form");
  EXPECT_EQ(SkinFindWindowRecord(form.hwnd()), 0);
  EXPECT_EQ(SkinFindWindowRecord(nullptr), 0);
  EXPECT_EQ(SkinTopSkinnedAncestor(form.hwnd()), 0);
  EXPECT_EQ(SkinRecordAt(0), nullptr);
  EXPECT_EQ(SkinRecordAt(1), nullptr);
  EXPECT_EQ(Prop(form.hwnd(), prop::Hw_lbID), 0);
}

TEST_F(WindowListTest, FreshRecordHoldsOneZeroedEntryPerList) {
  SkinWindowRecord record;
  EXPECT_EQ(record.Buttons.size(), 1u);
  EXPECT_EQ(record.Buttons[0].Window, nullptr);
  EXPECT_EQ(record.Edits.size(), 1u);
  EXPECT_EQ(record.Children.size(), 1u);
  EXPECT_EQ(record.Trackbars.size(), 1u);
  EXPECT_EQ(record.Progresses.size(), 1u);
  EXPECT_EQ(record.Combos.size(), 1u);
  EXPECT_EQ(record.UpDowns.size(), 1u);
  EXPECT_EQ(record.Headers.size(), 1u);
  EXPECT_EQ(record.Toolbars.size(), 1u);
  EXPECT_EQ(record.Statics.size(), 1u);
  EXPECT_EQ(record.Labels.size(), 1u);
  ASSERT_EQ(record.Containers.size(), 1u);
  EXPECT_EQ(record.Containers[0].stretchedChildren.size(), 1u);
  EXPECT_EQ(record.CaptionChildRects.size(), 1u);
  EXPECT_EQ(record.StatusBarSegments.size(), 1u);
  EXPECT_FALSE(record.BackDC);
  EXPECT_EQ(record.Tips.GetHandle(), nullptr);
  EXPECT_FALSE(record.HasPicture);
  EXPECT_FALSE(record.Picture.GetField1());
  EXPECT_FALSE(record.Buttons[0].Picture.GetField1());
}

TEST_F(WindowListTest, FirstControlTakesTheZeroedSlotThenTheListGrows) {
  TestWindow form(200, 120, L"form");
  HWND a = form.AddChild(L"BUTTON", L"a", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20);
  HWND b = form.AddChild(L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 30, 0, 20, 20);
  const int32_t n = AddRecord(form.hwnd());
  EXPECT_EQ(Register(n, &SkinWindowRecord::Buttons, a), 1);
  EXPECT_EQ(SkinRecordAt(n)->Buttons.size(), 1u);
  EXPECT_EQ(Register(n, &SkinWindowRecord::Buttons, b), 2);
  EXPECT_EQ(SkinRecordAt(n)->Buttons.size(), 2u);
  EXPECT_EQ(SkinFindControlInRecord(n, b), 2);
  EXPECT_EQ(SkinFindControlInRecord(n, a), 1);
}

TEST_F(WindowListTest, RecordsAreFoundByNumberThroughTheProperties) {
  TestWindow a(200, 120, L"A");
  TestWindow b(200, 120, L"B");
  EXPECT_EQ(AddRecord(a.hwnd()), 1);
  EXPECT_EQ(AddRecord(b.hwnd()), 2);
  EXPECT_EQ(Prop(a.hwnd(), prop::Hw_lbID), 1);
  EXPECT_EQ(Prop(b.hwnd(), prop::Hw_lbID), 2);
  EXPECT_EQ(SkinFindWindowRecord(b.hwnd()), 2);
  EXPECT_EQ(SkinRecordOfWindow(b.hwnd()), SkinRecordAt(2));
  EXPECT_EQ(SkinRecordOfWindow(a.hwnd())->Window, a.hwnd());
  // A number that names another window's record leads nowhere.
  SetSkinProp(a.hwnd(), prop::Hw_lbID, 2);
  EXPECT_EQ(SkinRecordOfWindow(a.hwnd()), nullptr);
  SetSkinProp(a.hwnd(), prop::Hw_lbID, 7);
  EXPECT_EQ(SkinRecordOfWindow(a.hwnd()), nullptr);
}

TEST_F(WindowListTest, RemovingARecordRenumbersTheWindowsBehindIt) {
  TestWindow a(200, 120, L"A");
  TestWindow b(200, 120, L"B");
  TestWindow c(200, 120, L"C");
  HWND aButton = a.AddChild(L"BUTTON", L"x", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20);
  HWND bEdit = b.AddChild(L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 60, 20);
  HWND bLabel = b.AddChild(L"STATIC", L"l", WS_CHILD | WS_VISIBLE, 0, 30, 60, 20);
  HWND bGroup = b.AddChild(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 60, 90, 40);
  HWND bToolbar = b.AddChild(L"STATIC", L"t", WS_CHILD | WS_VISIBLE, 100, 0, 60, 20);
  HWND cCombo = c.AddChild(L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 0, 80, 90);
  AddRecord(a.hwnd());
  AddRecord(b.hwnd());
  AddRecord(c.hwnd());
  Register(1, &SkinWindowRecord::Buttons, aButton);
  Register(2, &SkinWindowRecord::Edits, bEdit);
  Register(2, &SkinWindowRecord::Labels, bLabel);
  Register(2, &SkinWindowRecord::Containers, bGroup);
  Register(2, &SkinWindowRecord::Toolbars, bToolbar, prop::Kj_FuID, prop::Kj_lbID);
  Register(3, &SkinWindowRecord::Combos, cCombo);
  ASSERT_EQ(Prop(bEdit, prop::Hw_FuID), 2);
  ASSERT_EQ(Prop(cCombo, prop::Hw_FuID), 3);

  SkinRemoveWindowRecord(1);

  ASSERT_EQ(SkinWindowList.size(), 2u);
  EXPECT_EQ(SkinFindWindowRecord(a.hwnd()), 0);
  EXPECT_EQ(SkinFindWindowRecord(b.hwnd()), 1);
  EXPECT_EQ(SkinFindWindowRecord(c.hwnd()), 2);
  EXPECT_EQ(Prop(b.hwnd(), prop::Hw_lbID), 1);
  EXPECT_EQ(Prop(c.hwnd(), prop::Hw_lbID), 2);
  EXPECT_EQ(Prop(bEdit, prop::Hw_FuID), 1);
  EXPECT_EQ(Prop(bLabel, prop::Hw_FuID), 1);
  EXPECT_EQ(Prop(bGroup, prop::Hw_FuID), 1);
  EXPECT_EQ(Prop(bToolbar, prop::Kj_FuID), 1);
  EXPECT_EQ(Prop(bToolbar, prop::Hw_FuID), 0);  // the second layer only
  EXPECT_EQ(Prop(cCombo, prop::Hw_FuID), 2);
  // Entry numbers stay; the removed window keeps its last properties.
  EXPECT_EQ(Prop(bEdit, prop::Hw_lbID), 1);
  EXPECT_EQ(Prop(a.hwnd(), prop::Hw_lbID), 1);
  EXPECT_EQ(Prop(aButton, prop::Hw_FuID), 1);
  EXPECT_EQ(SkinRecordOfWindow(c.hwnd())->Combos[0].hwnd, cCombo);

  SkinRemoveWindowRecord(0);
  SkinRemoveWindowRecord(3);
  EXPECT_EQ(SkinWindowList.size(), 2u);
}

TEST_F(WindowListTest, RemovingARecordReleasesItsLayersAndTooltip) {
  TestWindow form(200, 120, L"form");
  const long before = korvath::platform::LiveGdiObjectCount();
  const int32_t n = AddRecord(form.hwnd());
  SkinWindowRecord* record = SkinRecordAt(n);
  record->BackDC = SkinMemoryDc::Create(200, 120);
  record->ChildBackDC = SkinMemoryDc::Create(200, 120);
  record->CaptionDC = SkinMemoryDc::Create(200, 25);
  HWND tip = record->Tips.Create(form.hwnd());
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(SkinMemoryDcList.size(), 3u);
  EXPECT_GT(korvath::platform::LiveGdiObjectCount(), before);
  SkinRemoveWindowRecord(n);
  EXPECT_TRUE(SkinMemoryDcList.empty());
  EXPECT_EQ(korvath::platform::LiveGdiObjectCount(), before);
  EXPECT_FALSE(IsWindow(tip));
  EXPECT_TRUE(IsWindow(form.hwnd()));
}

TEST_F(WindowListTest, TopSkinnedAncestorClimbsParentsAndOwners) {
  TestWindow form(300, 200, L"form");
  HWND group = form.AddChild(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 10, 200, 150);
  HWND inner = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 20, 80, 20, group,
                               nullptr, nullptr, nullptr);
  // A message-box-like popup owned by the form, with a control of its own.
  HWND box = CreateWindowExW(0, L"STATIC", L"box", WS_POPUP | WS_VISIBLE, 50, 50, 120, 80,
                             form.hwnd(), nullptr, nullptr, nullptr);
  HWND boxButton = CreateWindowExW(0, L"BUTTON", L"ok", WS_CHILD | WS_VISIBLE, 5, 5, 40, 20, box,
                                   nullptr, nullptr, nullptr);
  TestWindow plain(100, 100, L"plain");
  HWND plainChild = plain.AddChild(L"BUTTON", L"p", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20);

  EXPECT_EQ(SkinTopSkinnedAncestor(inner), 0);
  const int32_t formRecord = AddRecord(form.hwnd());
  EXPECT_EQ(SkinTopSkinnedAncestor(inner), formRecord);
  EXPECT_EQ(SkinTopSkinnedAncestor(group), formRecord);
  EXPECT_EQ(SkinTopSkinnedAncestor(form.hwnd()), formRecord);
  // Unskinned box: its controls climb to the box's owner.
  EXPECT_EQ(SkinTopSkinnedAncestor(boxButton), formRecord);
  const int32_t boxRecord = AddRecord(box);
  EXPECT_EQ(SkinTopSkinnedAncestor(boxButton), boxRecord);
  EXPECT_EQ(SkinTopSkinnedAncestor(plainChild), 0);
  EXPECT_EQ(SkinTopSkinnedAncestor(nullptr), 0);
  DestroyWindow(box);
}

TEST_F(WindowListTest, ContainerAndButtonLookupsStayInTheirLists) {
  TestWindow form(300, 200, L"form");
  HWND edit = form.AddChild(L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 60, 20);
  HWND group = form.AddChild(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 30, 90, 60);
  const int32_t n = AddRecord(form.hwnd());
  Register(n, &SkinWindowRecord::Edits, edit);
  Register(n, &SkinWindowRecord::Containers, group);
  EXPECT_EQ(SkinFindControlInRecord(n, edit), 0);
  EXPECT_EQ(SkinFindControlInRecord(n, group), 0);
  EXPECT_EQ(SkinFindContainerEntry(n, group), 1);
  EXPECT_EQ(SkinFindContainerEntry(n, edit), 0);
  EXPECT_EQ(SkinFindContainerEntry(n + 1, group), 0);  // no such record
  // The zeroed element never matches a real window, nor the null handle.
  EXPECT_EQ(SkinFindControlInRecord(n, nullptr), 0);
}

TEST_F(WindowListTest, ReleaseEmptiesEveryList) {
  TestWindow form(100, 80, L"form");
  AddRecord(form.hwnd());
  SkinRecordAt(1)->BackDC = SkinMemoryDc::Create(100, 80);
  LayeredDropDownList.push_back(form.hwnd());
  FadeList.emplace_back();
  SkinBackgroundImage = {1, 2, 3};
  const long before = korvath::platform::LiveGdiObjectCount();
  ProgramGlobalsRelease();
  EXPECT_TRUE(SkinWindowList.empty());
  EXPECT_TRUE(SkinMemoryDcList.empty());
  EXPECT_TRUE(LayeredDropDownList.empty());
  EXPECT_TRUE(FadeList.empty());
  EXPECT_TRUE(SkinBackgroundImage.empty());
  EXPECT_EQ(korvath::platform::LiveGdiObjectCount(), before - 2);  // the DC and its bitmap
  EXPECT_TRUE(IsWindow(form.hwnd()));  // windows are left alone
  EXPECT_EQ(SkinMouseState.list4.size(), 1u);
}

}  // namespace
