// The tool at the keyboard alone: the focus goes back to the control that
// had it when a box, a system dialog or another program's window gave the
// main window back, where it shows as it did; Enter presses the focused push
// button; the window minimised takes no keys, also once it is made active
// again. Every key is a real one, the boxes' and dialogs' too.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/notice.h"
#include "app/npc_script.h"
#include "tests/app/document_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

namespace {

class KeyboardFocusTest : public DocumentTest {
 protected:
  // Tab from the control before `unit` to it, and its look with the focus.
  PixelBuffer TabTo(Unit before, Unit unit) {
    SetFocus(H(before));
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), H(unit));
    return Look(H(unit));
  }
  // Presses `key` in the focused control, answering the boxes and dialogs it
  // opens; returns what they showed.
  std::vector<SeenDialog> PressAnswering(WORD key, std::vector<DialogAnswerer::Answer> answers) {
    const size_t expected = answers.size();
    DialogAnswerer answerer(std::move(answers));
    PressKey(key);
    // The key's handler has returned once its last dialog is gone.
    PumpUntil([&] { return answerer.seen().size() == expected && !FindThreadDialog(); });
    return answerer.seen();
  }
  // The unit has the focus and shows it as `look` shows it.
  void ExpectFocusShownOn(Unit unit, const PixelBuffer& look, const std::string& after) {
    EXPECT_EQ(GetFocus(), H(unit)) << after;
    const PixelBuffer now = Look(H(unit));
    EXPECT_EQ(Differing(now, look), 0) << after;
    if (Differing(now, look) != 0) SaveFailureImage(now, std::string("focus_after_") + std::to_string(unit));
  }
  // Gives the name box (by a click) or the generate button (by Tab) the
  // focus, then minimises the window by the caption's item; the button's
  // look with the focus goes to `focused`.
  void MinimiseWithTheFocusOn(Unit unit, PixelBuffer* focused) {
    if (unit == 名字编辑框) {
      ClickUnit(名字编辑框);
    } else {
      *focused = TabTo(读取按钮, 生成保存按钮);
    }
    ClickCaptionItem(1);
    ASSERT_TRUE(PumpUntil([] { return IsIconic(MainWindow()) != FALSE; }));
  }
  // Enter in the minimised window opens nothing and saves nothing (no
  // `file`), but restores it: the unit has the focus again, and shows it.
  void ExpectRestoredByEnter(Unit unit, const PixelBuffer& focused, const std::string& file, const std::string& after) {
    const std::vector<SeenDialog> seen = PressAnswering(VK_RETURN, {});
    EXPECT_TRUE(seen.empty()) << (seen.empty() ? std::wstring() : seen[0].text);
    EXPECT_EQ(ReadBytes(file), "<missing>");
    ASSERT_TRUE(PumpUntil([] { return !IsIconic(MainWindow()); }));
    if (unit == 名字编辑框) {
      EXPECT_EQ(GetFocus(), H(名字编辑框));
    } else {
      ExpectFocusShownOn(生成保存按钮, focused, after);
    }
  }
};

}  // namespace

// The notice of an empty name, closed by Enter: the button has the focus
// again, a second Space gives the notice again, and Tab goes on to the next
// stop.
TEST_F(KeyboardFocusTest, AfterTheEmptyNameNoticeTheButtonStillHasTheFocus) {
  const PixelBuffer focused = TabTo(读取按钮, 生成保存按钮);
  for (int press = 1; press <= 2; ++press) {
    const std::vector<SeenDialog> seen = PressAnswering(VK_SPACE, {AnswerByKey(VK_RETURN)});
    ASSERT_EQ(seen.size(), 1u) << press;
    EXPECT_EQ(seen[0].text, Wide(EmptyNameMessage()));
    ExpectFocusShownOn(生成保存按钮, focused, std::string("the notice ") + std::to_string(press));
  }
  PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), H(关闭按钮));
}

// The completion notice and the overwrite question, each answered by Enter
// (the question's default is No).
TEST_F(KeyboardFocusTest, AfterTheSavesNoticeAndQuestionTheButtonStillHasTheFocus) {
  TypeInto(名字编辑框, L"张三");
  const PixelBuffer focused = TabTo(读取按钮, 生成保存按钮);
  std::vector<SeenDialog> seen = PressAnswering(VK_SPACE, {AnswerByKey(VK_RETURN)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, Wide("NPC文件[" + zhangSan_ + "]已经生成!"));
  ExpectFocusShownOn(生成保存按钮, focused, "the completion notice");
  WriteBytes(zhangSan_, "older");
  seen = PressAnswering(VK_SPACE, {AnswerByKey(VK_RETURN)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].buttons.size(), 2u);
  EXPECT_EQ(ReadBytes(zhangSan_), "older");
  ExpectFocusShownOn(生成保存按钮, focused, "the overwrite question");
}

// The open dialog cancelled by Esc, and a file chosen in it and refused with
// a notice closed by Enter: the read button has the focus again each time.
TEST_F(KeyboardFocusTest, AfterTheOpenDialogAndTheReadNoticeTheButtonStillHasTheFocus) {
  const std::string refused = folder_ + "refused.pst";
  WriteBytes(refused, ExpectedFile({{"int HP = 5000;", "int HP = 99999;"}}));
  const PixelBuffer focused = TabTo(行为组合框, 读取按钮);
  std::vector<SeenDialog> seen = PressAnswering(VK_SPACE, {AnswerByKey(VK_ESCAPE)});
  ASSERT_EQ(seen.size(), 1u);
  ExpectFocusShownOn(读取按钮, focused, "the open dialog cancelled");
  seen = PressAnswering(VK_SPACE, {ChooseFile(refused), AnswerByKey(VK_RETURN)});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].caption, L"提示");
  ExpectFocusShownOn(读取按钮, focused, "the read notice");
}

// Another window made active, then the main window again, by the system and
// by a click on a label; the main window minimised and restored: the list
// that had the focus has it again, and shows it.
TEST_F(KeyboardFocusTest, TheFocusComesBackWhenTheWindowIsActiveAgain) {
  const PixelBuffer focused = TabTo(名字编辑框, 模型组合框);
  auto other = std::make_unique<TestWindow>(300, 200, L"another program");
  for (int round = 1; round <= 2; ++round) {
    Activate(other->hwnd());
    ASSERT_EQ(GetActiveWindow(), other->hwnd());
    ASSERT_NE(GetFocus(), H(模型组合框));
    if (round == 1) {
      SetForegroundWindow(MainWindow());
      SetActiveWindow(MainWindow());
    } else {
      Click(H(标签1), 5, 5);
    }
    ASSERT_EQ(GetActiveWindow(), MainWindow()) << round;
    ExpectFocusShownOn(模型组合框, focused, "activated again " + std::to_string(round));
  }
  // Minimised with the focus on the next list, and with no other window to
  // make active: the window may stay the active one (under Wine it does).
  other.reset();
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), H(主武器组合框));
  const PixelBuffer next = Look(H(主武器组合框));
  SendMessageW(MainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(IsIconic(MainWindow()));
  SendMessageW(MainWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_FALSE(IsIconic(MainWindow()));
  ExpectFocusShownOn(主武器组合框, next, "restored");
  PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), H(副武器组合框));
}

// Enter presses the focused push button, as Space does: the notice of an
// empty name, each time, and then the close button ends the tool.
TEST_F(KeyboardFocusTest, EnterPressesTheFocusedPushButton) {
  TabTo(读取按钮, 生成保存按钮);
  for (int press = 1; press <= 2; ++press) {
    const std::vector<SeenDialog> seen = PressAnswering(VK_RETURN, {AnswerByKey(VK_RETURN)});
    ASSERT_EQ(seen.size(), 1u) << press;
    EXPECT_EQ(seen[0].text, Wide(EmptyNameMessage()));
    EXPECT_EQ(GetFocus(), H(生成保存按钮));
  }
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), H(关闭按钮));
  PressKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([] { return !MainForm().IsAlive(); }, 2000));
}


// Minimised by the caption's item with the focus in the name box or on the
// generate button, the window holds no focus: the keys typed go to no
// control, and Enter runs no save but restores the window, as on Windows,
// where the control that had the focus has it again and shows it.
TEST_F(KeyboardFocusTest, AMinimisedWindowTakesNoKeysAndEnterRestoresItWithTheFocusBack) {
  TypeInto(名字编辑框, L"张三");
  for (const Unit unit : {名字编辑框, 生成保存按钮}) {
    SCOPED_TRACE(unit);
    PixelBuffer focused;
    ASSERT_NO_FATAL_FAILURE(MinimiseWithTheFocusOn(unit, &focused));
    EXPECT_EQ(GetFocus(), nullptr);
    TypeText(L"abc");
    EXPECT_EQ(MainForm().EditContent(名字编辑框), "张三");
    ASSERT_NO_FATAL_FAILURE(ExpectRestoredByEnter(unit, focused, zhangSan_, "restored by Enter"));
    EXPECT_EQ(MainForm().EditContent(名字编辑框), "张三");
  }
}

// Made active again while minimised, by the system as another window is
// closed by Alt+F4 or goes, or as the tool's own notice, shown meanwhile, is
// answered: the window still holds no focus. Esc neither ends the tool nor
// touches the name box, and Enter runs no save but restores the window with
// the focus back where it was, in the name box or on the generate button.
TEST_F(KeyboardFocusTest, AMinimisedWindowMadeActiveAgainTakesNoKeys) {
  TypeInto(名字编辑框, L"李四");
  const std::string liSi = DocumentFolder() + "lisi.pst";
  std::vector<NamedStep> ways = AnotherWindowComingAndGoing();
  ways.push_back({"the tool's notice answered", [] {
                    DialogAnswerer answerer({AnswerByKey(VK_RETURN)});
                    ShowNotice(EmptyNameMessage());
                    EXPECT_EQ(answerer.seen().size(), 1u);
                  }});
  for (const Unit unit : {名字编辑框, 生成保存按钮}) {
    for (const auto& way : ways) {
      SCOPED_TRACE(std::to_string(unit) + ", " + way.name);
      PixelBuffer focused;
      ASSERT_NO_FATAL_FAILURE(MinimiseWithTheFocusOn(unit, &focused));
      way.run();
      ASSERT_TRUE(IsIconic(MainWindow()));
      ASSERT_EQ(GetActiveWindow(), MainWindow());
      EXPECT_EQ(GetFocus(), nullptr);
      PressKey(VK_ESCAPE);
      PumpMessages();
      ASSERT_TRUE(MainForm().IsAlive());
      EXPECT_EQ(GetFocus(), nullptr);
      EXPECT_EQ(MainForm().EditContent(名字编辑框), "李四");
      ASSERT_NO_FATAL_FAILURE(ExpectRestoredByEnter(unit, focused, liSi, std::string("restored by Enter after ") + way.name));
      EXPECT_EQ(MainForm().EditContent(名字编辑框), "李四");
    }
  }
}
