// The form runtime on real windows: events only for the user's actions,
// wherever a control sits; unit properties; Esc; placement.
#include <gtest/gtest.h>

#include <string>

#include "platform/form.h"
#include "tests/support/win_test_support.h"

using namespace korvath::platform;
using namespace testsupport;

namespace {

enum TestUnit : int { kEdit, kGroup, kCombo, kRadioA, kRadioB, kButton, kInnerEdit, kLabel };

struct Counts {
  int editLostFocus = 0, editChanged = 0, innerLostFocus = 0, selection = 0, radioA = 0,
      radioB = 0, button = 0;
  bool createdWhileHidden = false;
};
Counts g_counts;
Form* g_form = nullptr;

// GBK bytes of "张三" and the items, written as escapes: this file is not
// compiled to GBK.
const char kZhangSan[] = "\xD5\xC5\xC8\xFD";

FormDescription Description(EventHandler onButton = [] { ++g_counts.button; }) {
  FormDescription d;
  d.title = "test form";
  d.width = 409;
  d.height = 471;
  d.centred = true;
  d.nativeBorder = false;
  d.maximiseButton = false;
  d.escapeCloses = true;
  d.onCreationDone = [] {
    g_counts.createdWhileHidden = !IsWindowVisible(g_form->WindowHandle());
  };
  d.units = {
      {.id = kEdit, .name = "edit", .kind = UnitKind::EditBox, .x = 10, .y = 10, .width = 150,
       .height = 20, .maxLength = 16,
       .events = {{UnitEvent::LostFocus, [] { ++g_counts.editLostFocus; }},
                  {UnitEvent::ContentChanged, [] { ++g_counts.editChanged; }}}},
      {.id = kGroup, .name = "group", .kind = UnitKind::GroupBox, .x = 10, .y = 50, .width = 380,
       .height = 200},
      {.id = kCombo, .name = "combo", .kind = UnitKind::ComboBox, .parent = kGroup, .x = 10,
       .y = 20, .width = 100, .height = 20, .items = {"10", "20", "Abc", "abd", "30"},
       .events = {{UnitEvent::Selection, [] { ++g_counts.selection; }}}},
      {.id = kRadioA, .name = "a", .kind = UnitKind::RadioButton, .parent = kGroup, .x = 10,
       .y = 60, .width = 80, .height = 16, .caption = "A", .checked = true,
       .events = {{UnitEvent::Click, [] { ++g_counts.radioA; }}}},
      {.id = kRadioB, .name = "b", .kind = UnitKind::RadioButton, .parent = kGroup, .x = 110,
       .y = 60, .width = 80, .height = 16, .caption = "B",
       .events = {{UnitEvent::Click, [] { ++g_counts.radioB; }}}},
      {.id = kButton, .name = "button", .kind = UnitKind::PushButton, .x = 10, .y = 300,
       .width = 100, .height = 30, .caption = "go", .events = {{UnitEvent::Click, onButton}}},
      {.id = kInnerEdit, .name = "inner", .kind = UnitKind::EditBox, .parent = kGroup, .x = 10,
       .y = 100, .width = 100, .height = 20,
       .events = {{UnitEvent::LostFocus, [] { ++g_counts.innerLostFocus; }}}},
      {.id = kLabel, .name = "label", .kind = UnitKind::Label, .x = 200, .y = 10, .width = 64,
       .height = 24, .caption = kZhangSan},
  };
  return d;
}

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_counts = Counts{};
    g_form = &form_;
    description_ = Description();
    ASSERT_TRUE(form_.Create(description_));
    Activate(form_.WindowHandle());
  }
  void TearDown() override {
    form_.DestroyWindowOrUnit();
    PumpMessages();
    g_form = nullptr;
  }
  HWND H(int unit) const { return form_.UnitGetHandle(unit); }
  void ClickUnit(int unit) {
    RECT r;
    GetClientRect(H(unit), &r);
    Click(H(unit), r.right / 2, r.bottom / 2);
  }

  FormDescription description_;
  Form form_;
};

}  // namespace

TEST_F(FormTest, WindowIsCentredAndCreationDoneRunsBeforeItShows) {
  RECT r;
  GetWindowRect(form_.WindowHandle(), &r);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 409) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 471) / 2);
  if (GetSystemMetrics(SM_CXSCREEN) == 1920 && GetSystemMetrics(SM_CYSCREEN) == 1080) {
    EXPECT_EQ(r.left, 755);
    EXPECT_EQ(r.top, 304);
  }
  EXPECT_EQ(r.right - r.left, 409);
  EXPECT_EQ(r.bottom - r.top, 471);
  EXPECT_TRUE(g_counts.createdWhileHidden);
  EXPECT_TRUE(IsWindowVisible(form_.WindowHandle()));
  EXPECT_EQ(GetWindowLongW(form_.WindowHandle(), GWL_STYLE) & (WS_CAPTION | WS_MAXIMIZEBOX), 0);
}

TEST_F(FormTest, UnitsSitInTheirParentsAtTheirPlaces) {
  EXPECT_EQ(GetParent(H(kCombo)), H(kGroup));
  EXPECT_EQ(GetParent(H(kEdit)), form_.WindowHandle());
  RECT r;
  GetWindowRect(H(kCombo), &r);
  MapWindowPoints(nullptr, H(kGroup), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(r.bottom - r.top, 20);  // the closed box
  EXPECT_EQ(form_.UnitOfHandle(H(kRadioB)), kRadioB);
  EXPECT_EQ(form_.UnitOfHandle(form_.WindowHandle()), -1);
  EXPECT_EQ(WindowText(H(kLabel)), L"张三");
}

TEST_F(FormTest, WritesFromCodeRaiseNothingButEditContent) {
  form_.SetComboSelectedIndex(kCombo, 3);
  form_.SetRadioChecked(kRadioB, true);
  form_.ComboBoxSelectText(kCombo, "2");
  EXPECT_EQ(g_counts.selection, 0);
  EXPECT_EQ(g_counts.radioA + g_counts.radioB, 0);
  EXPECT_EQ(g_counts.editChanged, 0);
  form_.SetEditContent(kEdit, "abc");
  EXPECT_EQ(g_counts.editChanged, 1);
  form_.SetEditContent(kEdit, "abc");  // the same text again still counts
  EXPECT_EQ(g_counts.editChanged, 2);
  EXPECT_EQ(form_.EditContent(kEdit), "abc");
}

TEST_F(FormTest, UserActionsInsideAGroupBoxReachTheirHandlers) {
  ClickUnit(kRadioB);
  EXPECT_TRUE(PumpUntil([] { return g_counts.radioB == 1; }, 2000));
  EXPECT_TRUE(form_.RadioChecked(kRadioB));
  EXPECT_FALSE(form_.RadioChecked(kRadioA));

  form_.SetComboSelectedIndex(kCombo, 0);
  form_.UnitSetFocus(kCombo);
  PressKey(VK_DOWN);
  EXPECT_TRUE(PumpUntil([] { return g_counts.selection >= 1; }, 2000));
  EXPECT_EQ(form_.ComboSelectedIndex(kCombo), 1);

  ClickUnit(kButton);
  EXPECT_TRUE(PumpUntil([] { return g_counts.button == 1; }, 2000));
}

TEST_F(FormTest, PickingAnItemWithTheMouseRaisesTheSelection) {
  form_.SetComboSelectedIndex(kCombo, 0);
  ClickUnit(kCombo);
  ASSERT_TRUE(PumpUntil([&] { return SendMessageW(H(kCombo), CB_GETDROPPEDSTATE, 0, 0) != 0; }));
  COMBOBOXINFO info = {sizeof(info)};
  GetComboBoxInfo(H(kCombo), &info);
  RECT item;
  SendMessageW(info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  Click(info.hwndList, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
  EXPECT_TRUE(PumpUntil([] { return g_counts.selection >= 1; }, 2000));
  EXPECT_EQ(form_.ComboSelectedIndex(kCombo), 2);
}

TEST_F(FormTest, EditEventsComeFromTheBoxItselfAlsoUnderAnotherParent) {
  // A skin may put an edit box under a panel window of its own, whose
  // procedure passes the box's notifications nowhere.
  HWND panel = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 5, 400, 200, 30,
                               form_.WindowHandle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SetParent(H(kInnerEdit), panel);
  MoveWindow(H(kInnerEdit), 3, 3, 150, 20, TRUE);
  ClickUnit(kInnerEdit);
  ClickUnit(kEdit);
  EXPECT_TRUE(PumpUntil([] { return g_counts.innerLostFocus == 1; }, 2000));
  TypeText(L"ab");
  EXPECT_EQ(g_counts.editChanged, 2);
  SetParent(H(kEdit), panel);
  MoveWindow(H(kEdit), 3, 3, 150, 20, TRUE);
  ClickUnit(kEdit);
  TypeText(L"c");
  EXPECT_EQ(g_counts.editChanged, 3);
  int lost = g_counts.editLostFocus;
  form_.UnitSetFocus(kInnerEdit);
  EXPECT_EQ(g_counts.editLostFocus, lost + 1);
  EXPECT_EQ(form_.EditContent(kEdit), "abc");
}

TEST_F(FormTest, TypedTextStopsAtTheByteLimit) {
  ClickUnit(kEdit);
  TypeText(L"张三李四王五赵六钱七");  // 10 characters, 20 bytes
  EXPECT_EQ(WindowText(H(kEdit)), L"张三李四王五赵六");
  int changes = g_counts.editChanged;
  TypeText(L"x");
  EXPECT_EQ(g_counts.editChanged, changes);  // refused: nothing changed

  form_.SetEditContent(kEdit, "");
  TypeText(L"a张bcdefghijklmnopq");
  EXPECT_EQ(WindowText(H(kEdit)), L"a张bcdefghijklmn");
  EXPECT_EQ(form_.EditContent(kEdit).size(), 16u);
}

TEST_F(FormTest, SelectionPropertiesCountBytesAndMinusOneMeansAll) {
  form_.SetEditContent(kEdit, "ab\xD5\xC5");  // "ab张"
  form_.SetSelectionStart(kEdit, -1);
  EXPECT_EQ(form_.SelectionStart(kEdit), 4);
  EXPECT_EQ(form_.SelectionLength(kEdit), 0);
  form_.SetSelectionLength(kEdit, -1);
  EXPECT_EQ(form_.SelectionStart(kEdit), 0);
  EXPECT_EQ(form_.SelectionLength(kEdit), 4);
  form_.SetSelectionStart(kEdit, 1);
  form_.SetSelectionLength(kEdit, 3);
  EXPECT_EQ(form_.SelectionStart(kEdit), 1);
  EXPECT_EQ(form_.SelectionLength(kEdit), 3);
}

TEST_F(FormTest, ComboItemsAndSelectionByPrefix) {
  EXPECT_EQ(form_.ComboBoxItemCount(kCombo), 5);
  EXPECT_EQ(form_.ComboBoxGetItemText(kCombo, 2), "Abc");
  EXPECT_EQ(form_.ComboBoxGetItemText(kCombo, 5), "");
  EXPECT_EQ(form_.ComboBoxGetItemText(kCombo, -1), "");
  EXPECT_TRUE(form_.ComboBoxSelectText(kCombo, "AB"));
  EXPECT_EQ(form_.ComboSelectedIndex(kCombo), 2);
  EXPECT_TRUE(form_.ComboBoxSelectText(kCombo, "3"));
  EXPECT_EQ(form_.ComboSelectedIndex(kCombo), 4);
  EXPECT_FALSE(form_.ComboBoxSelectText(kCombo, "5"));
  EXPECT_EQ(form_.ComboSelectedIndex(kCombo), 4);
  form_.ComboBoxAddItem(kCombo, kZhangSan);
  EXPECT_EQ(form_.ComboBoxGetItemText(kCombo, 5), kZhangSan);
  form_.SetComboSelectedIndex(kCombo, 99);
  EXPECT_EQ(form_.ComboSelectedIndex(kCombo), 5);
  form_.SetComboSelectedIndex(kCombo, -7);
  EXPECT_EQ(form_.ComboSelectedIndex(kCombo), -1);
}

TEST_F(FormTest, TurningARadioOnTurnsItsNeighboursOff) {
  EXPECT_TRUE(form_.RadioChecked(kRadioA));
  form_.SetRadioChecked(kRadioB, true);
  EXPECT_TRUE(form_.RadioChecked(kRadioB));
  EXPECT_FALSE(form_.RadioChecked(kRadioA));
  form_.SetRadioChecked(kRadioB, false);
  EXPECT_FALSE(form_.RadioChecked(kRadioB));
}

TEST_F(FormTest, EscapeInAnEditClosesTheWindowButOnlyTheListInAnOpenCombo) {
  form_.UnitSetFocus(kCombo);
  SendMessageW(H(kCombo), CB_SHOWDROPDOWN, TRUE, 0);
  PressKey(VK_ESCAPE);
  PumpMessages(50);
  ASSERT_TRUE(form_.IsAlive());
  EXPECT_FALSE(SendMessageW(H(kCombo), CB_GETDROPPEDSTATE, 0, 0));

  ClickUnit(kEdit);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !form_.IsAlive(); }, 2000));
  EXPECT_EQ(form_.UnitGetHandle(kEdit), nullptr);
}

TEST(FormLifetime, AHandlerMayCloseTheWindowAndTheFormOpensAgain) {
  Form form;
  g_form = &form;
  FormDescription d = Description([] { g_form->DestroyWindowOrUnit(); });
  ASSERT_TRUE(form.Create(d));
  EXPECT_FALSE(form.Create(d));  // one window per form
  Activate(form.WindowHandle());
  RECT r;
  GetClientRect(form.UnitGetHandle(kButton), &r);
  Click(form.UnitGetHandle(kButton), r.right / 2, r.bottom / 2);
  EXPECT_TRUE(PumpUntil([&] { return !form.IsAlive(); }, 2000));
  ASSERT_TRUE(form.Create(d));
  EXPECT_TRUE(form.IsAlive());
  form.DestroyWindowOrUnit();
  g_form = nullptr;
}

TEST(FormLifetime, AMalformedDescriptionMakesNoWindow) {
  Form form;
  FormDescription d = Description();
  d.units[2].parent = kEdit;  // only group boxes hold units
  EXPECT_FALSE(form.Create(d));
  EXPECT_FALSE(form.IsAlive());
  d = Description();
  std::swap(d.units[0], d.units[1]);  // numbers out of order
  EXPECT_FALSE(form.Create(d));
  d = Description();
  d.units[2].parent = 5;  // a parent listed later
  EXPECT_FALSE(form.Create(d));
}
