// The main window after start-up and the field handlers, driven by real
// input.
#include <gtest/gtest.h>

#include "app/folder_chooser.h"
#include "app/form_setup.h"
#include "app/npc_tool.h"
#include "app/value_tables.h"
#include "platform/folders.h"
#include "tests/app/main_window_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;
using namespace testsupport;

TEST_F(MainWindowTest, RecordAfterStartUpHoldsTheTableValues) {
  const NpcRecord& npc = Npc();
  EXPECT_EQ(npc.NpcName, "");
  EXPECT_EQ(npc.NpcModel, 1);
  EXPECT_EQ(npc.NpcWeapon, 18);
  EXPECT_EQ(npc.NpcWeapon2, 56);
  EXPECT_EQ(npc.NpcTeam, 1);
  EXPECT_EQ(npc.NpcView, 800);
  EXPECT_EQ(npc.NpcThink, 80);
  EXPECT_EQ(npc.NpcAttack1, 20);
  EXPECT_EQ(npc.NpcAttack2, 40);
  EXPECT_EQ(npc.NpcAttack3, 40);
  EXPECT_EQ(npc.NpcGuard, 25);
  EXPECT_EQ(npc.NpcDodge, 10);
  EXPECT_EQ(npc.NpcJump, 25);
  EXPECT_EQ(npc.NpcLook, 35);
  EXPECT_EQ(npc.NpcBurst, 25);
  EXPECT_EQ(npc.NpcAim, 45);
  EXPECT_EQ(npc.NpcGetItem, 40);
  EXPECT_EQ(npc.NpcSpawn, 0);
  EXPECT_EQ(npc.NpcHp, 5000);
  EXPECT_EQ(npc.NpcBehaviourText, "\tChangeBehavior(g_self, \"follow\", \"player\");\r\n}");
  EXPECT_EQ(npc.NpcFolder, DocumentFolder());
  EXPECT_EQ(npc.NpcFilePath, DocumentFolder());
  EXPECT_TRUE(npc.NpcFilePart.empty());
  for (const std::string& line : npc.NpcOutputLines) EXPECT_TRUE(line.empty());
  EXPECT_TRUE(npc.NpcInputLines.empty());
}

TEST_F(MainWindowTest, ControlsShowTheDefaults) {
  platform::Form& form = MainForm();
  EXPECT_EQ(WindowText(MainWindow()), L"KorvathNPC生成器");
  EXPECT_EQ(form.EditContent(目录编辑框), DocumentFolder());
  EXPECT_EQ(form.EditContent(HP编辑框), "5000");
  EXPECT_EQ(form.EditContent(名字编辑框), "");
  EXPECT_EQ(form.ComboSelectedIndex(模型组合框), 1);
  EXPECT_EQ(form.ComboBoxItemCount(模型组合框), 20);
  EXPECT_EQ(form.ComboBoxGetItemText(主武器组合框, form.ComboSelectedIndex(主武器组合框)), "重锤");
  EXPECT_EQ(form.ComboBoxGetItemText(副武器组合框, form.ComboSelectedIndex(副武器组合框)), "忍刀");
  EXPECT_EQ(form.ComboBoxGetItemText(行为组合框, form.ComboSelectedIndex(行为组合框)), "跟随");
  EXPECT_TRUE(form.RadioChecked(Velmar单选框));
  EXPECT_FALSE(form.RadioChecked(Ostrin单选框));
  EXPECT_FALSE(form.RadioChecked(中立单选框));

  EXPECT_EQ(form.ComboBoxItemCount(视野组合框), 20);
  EXPECT_EQ(form.ComboBoxGetItemText(视野组合框, 0), "100");
  EXPECT_EQ(form.ComboBoxGetItemText(视野组合框, 19), "2000");
  for (Unit fives : {防御组合框, 逃跑组合框, 跳跃组合框, 张望组合框, 跑动组合框, 命中率组合框, 夺宝组合框}) {
    EXPECT_EQ(form.ComboBoxItemCount(fives), 19);
    EXPECT_EQ(form.ComboBoxGetItemText(fives, 0), "10");
    EXPECT_EQ(form.ComboBoxGetItemText(fives, 1), "15");
    EXPECT_EQ(form.ComboBoxGetItemText(fives, 18), "100");
  }
  for (Unit tens : {速度组合框, 轻击组合框, 中击组合框, 重击组合框}) {
    EXPECT_EQ(form.ComboBoxItemCount(tens), 10);
    EXPECT_EQ(form.ComboBoxGetItemText(tens, 9), "100");
  }
}

TEST_F(MainWindowTest, WindowIsCentredWithTheNameBoxFocusedAndTheCaretAfterTheFolder) {
  RECT r;
  GetWindowRect(MainWindow(), &r);
  EXPECT_EQ(r.right - r.left, 409);
  EXPECT_EQ(r.bottom - r.top, 471);
  if (GetSystemMetrics(SM_CXSCREEN) == 1920 && GetSystemMetrics(SM_CYSCREEN) == 1080) {
    EXPECT_EQ(r.left, 755);
    EXPECT_EQ(r.top, 304);
  }
  EXPECT_EQ(focusAtStart_, H(名字编辑框));
  EXPECT_EQ(MainForm().SelectionStart(目录编辑框), int(DocumentFolder().size()));
  EXPECT_EQ(MainForm().SelectionLength(目录编辑框), 0);
}

TEST_F(MainWindowTest, ChineseTextShowsOnTheLabels) {
  EXPECT_EQ(WindowText(H(标签1)), L"存档目录：");
  PumpMessages(100);
  PixelBuffer shot = CaptureClient(H(标签1));
  int ink = 0;
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) ink += (shot.RgbAt(x, y) & 0xFF) < 0x60;
  if (ink < 40) SaveFailureImage(shot, "label_text");
  EXPECT_GE(ink, 40);
}

TEST_F(MainWindowTest, StartUpMakesAMissingDocumentFolder) {
  MainForm().DestroyWindowOrUnit();
  // The open dialog may have left the current directory in it.
  platform::ChangeDirectory(platform::ProgramDirectory());
  RemoveFolder(DocumentFolder());
  ASSERT_FALSE(PathIsFolder(DocumentFolder()));
  ASSERT_TRUE(RunMainWindow());
  EXPECT_TRUE(PathIsFolder(DocumentFolder()));
  EXPECT_EQ(MainForm().EditContent(目录编辑框), platform::ProgramDirectory() + "\\AI文件夹\\");
}

TEST_F(MainWindowTest, ChoosingItemsStoresTheirValues) {
  PickWithMouse(主武器组合框, 9);  // 毒镖
  EXPECT_EQ(Npc().NpcWeapon, 10);
  PickWithMouse(副武器组合框, 4);  // 重锤
  EXPECT_EQ(Npc().NpcWeapon2, 18);
  PickWithKeys(行为组合框, 7);  // 巡逻跟随
  EXPECT_EQ(Npc().NpcBehaviourText.size(), 126u);
  EXPECT_EQ(Npc().NpcBehaviourText, BehaviourStatementOfItem(7));
  PickWithKeys(视野组合框, 19);
  EXPECT_EQ(Npc().NpcView, 2000);
  PickWithKeys(逃跑组合框, 1);
  EXPECT_EQ(Npc().NpcDodge, 15);
  PickWithKeys(逃跑组合框, 0);
  EXPECT_EQ(Npc().NpcDodge, 10);
  PickWithMouse(模型组合框, 17);
  EXPECT_EQ(Npc().NpcModel, 17);
}

TEST_F(MainWindowTest, EveryNumericListStoresTheNumberOfItsItem) {
  for (const NumericCombo& combo : NumericCombos()) {
    int last = MainForm().ComboBoxItemCount(combo.unit) - 1;
    PickWithKeys(combo.unit, last);
    EXPECT_EQ(Npc().*combo.field, combo.range.last) << combo.unit;
    PickWithKeys(combo.unit, last - 1);
    EXPECT_EQ(Npc().*combo.field, combo.range.last - combo.range.step) << combo.unit;
  }
}

TEST_F(MainWindowTest, SettingFromCodeRaisesNoHandler) {
  MainForm().SetComboSelectedIndex(视野组合框, 0);
  MainForm().SetRadioChecked(中立单选框, true);
  MainForm().SetComboSelectedIndex(主武器组合框, 0);
  PumpMessages(50);
  EXPECT_EQ(Npc().NpcView, 800);
  EXPECT_EQ(Npc().NpcTeam, 1);
  EXPECT_EQ(Npc().NpcWeapon, 18);
}

TEST_F(MainWindowTest, RadioButtonsSetTheCampAlsoWhenAlreadyOn) {
  ClickUnit(中立单选框);
  EXPECT_TRUE(PumpUntil([] { return Npc().NpcTeam == 0; }, 2000));
  ClickUnit(Ostrin单选框);
  EXPECT_TRUE(PumpUntil([] { return Npc().NpcTeam == 2; }, 2000));
  EXPECT_FALSE(MainForm().RadioChecked(中立单选框));
  Npc().NpcTeam = 9;
  ClickUnit(Ostrin单选框);
  EXPECT_TRUE(PumpUntil([] { return Npc().NpcTeam == 2; }, 2000));
  ClickUnit(Velmar单选框);
  EXPECT_TRUE(PumpUntil([] { return Npc().NpcTeam == 1; }, 2000));
}

TEST_F(MainWindowTest, HpRuleRunsWhenTheFocusLeavesTheBox) {
  struct Case {
    const wchar_t* typed;
    int32_t hp;
    const char* shown;
  };
  const Case cases[] = {{L"99", 3000, "3000"}, {L"100", 100, "100"}, {L"", 3000, "3000"},
                        {L"0150", 150, "150"}, {L"12ab", 3000, "3000"}, {L"-5", 3000, "3000"},
                        {L"１２", 3000, "3000"}};
  for (const Case& c : cases) {
    TypeInto(HP编辑框, c.typed);
    ClickUnit(名字编辑框);
    EXPECT_EQ(Npc().NpcHp, c.hp) << c.shown;
    EXPECT_EQ(MainForm().EditContent(HP编辑框), c.shown);
  }
  // Full-width digits count as digits (set from code: four of them do not
  // fit the box's four bytes).
  MainForm().SetEditContent(HP编辑框, "\xA3\xB0\xA3\xB1\xA3\xB5\xA3\xB0");
  ClickUnit(HP编辑框);
  ClickUnit(名字编辑框);
  EXPECT_EQ(Npc().NpcHp, 150);
  EXPECT_EQ(MainForm().EditContent(HP编辑框), "150");
}

TEST_F(MainWindowTest, HpBoxTakesFourCharactersAndTheNameBoxSixteenBytes) {
  TypeInto(HP编辑框, L"123456");
  EXPECT_EQ(MainForm().EditContent(HP编辑框), "1234");
  TypeInto(名字编辑框, L"一二三四五六七八九十");
  EXPECT_EQ(MainForm().EditContent(名字编辑框), "一二三四五六七八");
}

TEST_F(MainWindowTest, NameRuleKeepsBlanksAndMakesTheUpperCasePath) {
  TypeInto(名字编辑框, L" 张三 ");
  ClickUnit(HP编辑框);
  EXPECT_EQ(Npc().NpcName, " 张三 ");
  EXPECT_EQ(Npc().NpcFilePart, " ZHANGSAN ");
  EXPECT_EQ(Npc().NpcFilePath, DocumentFolder() + " ZHANGSAN .pst");

  TypeInto(名字编辑框, L"ＡＢ李");
  ClickUnit(HP编辑框);
  EXPECT_EQ(Npc().NpcName, "AB李");
  EXPECT_EQ(Npc().NpcFilePath, DocumentFolder() + "LI.pst");
}

TEST_F(MainWindowTest, BlankNameOrFolderLeavesTheNameFieldsAlone) {
  TypeInto(名字编辑框, L"张三");
  ClickUnit(HP编辑框);
  const NpcRecord before = Npc();
  TypeInto(名字编辑框, L"   ");
  ClickUnit(HP编辑框);
  EXPECT_EQ(Npc().NpcName, before.NpcName);
  EXPECT_EQ(Npc().NpcFilePart, before.NpcFilePart);
  EXPECT_EQ(Npc().NpcFilePath, before.NpcFilePath);
  MainForm().SetEditContent(目录编辑框, "  ");
  TypeInto(名字编辑框, L"李四");
  ClickUnit(HP编辑框);
  EXPECT_EQ(Npc().NpcName, before.NpcName);
  EXPECT_EQ(Npc().NpcFilePath, before.NpcFilePath);
}

TEST_F(MainWindowTest, EscapeClosesTheWindow) {
  ClickUnit(名字编辑框);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([] { return !MainForm().IsAlive(); }, 2000));
}

TEST_F(MainWindowTest, CloseButtonDestroysTheWindowAndEndsTheLoop) {
  PostMessageW(MainWindow(), WM_NULL, 0, 0);
  ClickUnit(关闭按钮);
  EXPECT_TRUE(PumpUntil([] { return !MainForm().IsAlive(); }, 2000));
  EXPECT_EQ(MainForm().RunMessageLoop(), 0);  // returns at once: no window left
}
