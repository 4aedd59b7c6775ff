// The main window after start-up and the field handlers, driven by real
// input.
#include <gtest/gtest.h>

#include "app/folder_chooser.h"
#include "app/form_setup.h"
#include "app/npc_tool.h"
#include "app/value_tables.h"
#include "platform/folders.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/npc_test_record.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

TEST_F(MainWindowTest, RecordAndControlsAfterStartUpHoldTheTableValues) {
  const NpcRecord& npc = Npc();
  EXPECT_EQ(testdata::Numbers(npc), testdata::Numbers(testdata::StartRecord()));
  EXPECT_EQ(npc.NpcBehaviourText, "\tChangeBehavior(g_self, \"follow\", \"player\");\r\n}");
  EXPECT_EQ(npc.NpcName + npc.NpcFilePart, "");
  EXPECT_EQ(npc.NpcFolder, DocumentFolder());
  EXPECT_EQ(npc.NpcFilePath, DocumentFolder());
  EXPECT_EQ(npc.NpcOutputLines, decltype(npc.NpcOutputLines){});
  EXPECT_TRUE(npc.NpcInputLines.empty());

  platform::Form& form = MainForm();
  EXPECT_EQ(WindowText(MainWindow()), L"KorvathNPC生成器");
  EXPECT_EQ(form.EditContent(目录编辑框) + "|" + form.EditContent(HP编辑框), DocumentFolder() + "|5000");
  EXPECT_EQ(form.ComboBoxGetItemText(主武器组合框, form.ComboSelectedIndex(主武器组合框)), "重锤");
  EXPECT_EQ(form.ComboBoxGetItemText(副武器组合框, form.ComboSelectedIndex(副武器组合框)), "忍刀");
  EXPECT_EQ(form.ComboBoxGetItemText(行为组合框, form.ComboSelectedIndex(行为组合框)), "跟随");
  EXPECT_EQ(form.ComboSelectedIndex(模型组合框), 1);
  EXPECT_EQ(form.ComboBoxItemCount(模型组合框), 20);
  EXPECT_TRUE(form.RadioChecked(Velmar单选框));
  EXPECT_FALSE(form.RadioChecked(Ostrin单选框) || form.RadioChecked(中立单选框));

  RECT r;
  GetWindowRect(MainWindow(), &r);
  EXPECT_EQ(r.right - r.left, 409);
  EXPECT_EQ(r.bottom - r.top, 471);
  EXPECT_EQ(focusAtStart_, H(名字编辑框));
  EXPECT_EQ(form.SelectionStart(目录编辑框), int(DocumentFolder().size()));
  EXPECT_EQ(form.SelectionLength(目录编辑框), 0);

  PixelBuffer shot = CaptureClient(H(标签1));  // "存档目录：" in dark ink
  int ink = 0;
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) ink += (shot.RgbAt(x, y) & 0xFF) < 0x60;
  if (ink < 40) SaveFailureImage(shot, "label_text");
  EXPECT_GE(ink, 40);
}

TEST_F(MainWindowTest, StartUpMakesAMissingDocumentFolder) {
  MainForm().DestroyWindowOrUnit();
  platform::ChangeDirectory(platform::ProgramDirectory());  // the open dialog may have left it inside
  RemoveFolder(DocumentFolder());
  ASSERT_FALSE(PathIsFolder(DocumentFolder()));
  ASSERT_TRUE(RunMainWindow());
  EXPECT_TRUE(PathIsFolder(DocumentFolder()));
}

TEST_F(MainWindowTest, EveryListStoresTheValueOfThePickedItem) {
  for (const NumericCombo& combo : NumericCombos()) {
    int last = MainForm().ComboBoxItemCount(combo.unit) - 1;
    PickWithKeys(combo.unit, last);
    EXPECT_EQ(Npc().*combo.field, combo.range.last) << combo.unit;
    PickWithKeys(combo.unit, last - 1);
    EXPECT_EQ(Npc().*combo.field, combo.range.last - combo.range.step) << combo.unit;
  }
  PickWithMouse(主武器组合框, 9);  // 毒镖
  PickWithMouse(副武器组合框, 4);  // 重锤
  PickWithKeys(行为组合框, 7);
  PickWithMouse(模型组合框, 17);
  EXPECT_EQ(Npc().NpcWeapon, 10);
  EXPECT_EQ(Npc().NpcWeapon2, 18);
  EXPECT_EQ(Npc().NpcBehaviourText, BehaviourStatementOfItem(7));
  EXPECT_EQ(Npc().NpcModel, 17);
}

TEST_F(MainWindowTest, RadioButtonsSetTheCampAlsoWhenAlreadyOn) {
  for (auto [unit, team] : {std::pair{中立单选框, 0}, {Ostrin单选框, 2}, {Ostrin单选框, 2}, {Velmar单选框, 1}}) {
    Npc().NpcTeam = 9;
    ClickUnit(unit);
    EXPECT_TRUE(PumpUntil([team] { return Npc().NpcTeam == team; }, 2000)) << team;
  }
}

TEST_F(MainWindowTest, HpAndNameRulesRunWhenTheFocusLeavesTheBox) {
  const std::pair<const wchar_t*, int32_t> hps[] = {{L"99", 3000}, {L"100", 100}, {L"", 3000},
      {L"0150", 150}, {L"12ab", 3000}, {L"-5", 3000}, {L"１２", 3000}, {L"123456", 1234}};
  for (auto [typed, hp] : hps) {
    TypeInto(HP编辑框, typed);  // the box takes four characters
    ClickUnit(名字编辑框);
    EXPECT_EQ(Npc().NpcHp, hp) << hp;
    EXPECT_EQ(MainForm().EditContent(HP编辑框), std::to_string(hp));
  }
  MainForm().SetEditContent(HP编辑框, "\xA3\xB0\xA3\xB1\xA3\xB5\xA3\xB0");  // full-width 0150
  ClickUnit(HP编辑框);
  ClickUnit(名字编辑框);
  EXPECT_EQ(Npc().NpcHp, 150);

  TypeInto(名字编辑框, L"一二三四五六七八九十");  // the box takes sixteen bytes
  EXPECT_EQ(MainForm().EditContent(名字编辑框), "一二三四五六七八");
  TypeInto(名字编辑框, L" 张三 ");
  ClickUnit(HP编辑框);
  EXPECT_EQ(Npc().NpcName, " 张三 ");
  EXPECT_EQ(Npc().NpcFilePath, DocumentFolder() + " ZHANGSAN .pst");
  TypeInto(名字编辑框, L"   ");  // a blank name, or a blank folder, changes nothing
  ClickUnit(HP编辑框);
  MainForm().SetEditContent(目录编辑框, "  ");
  TypeInto(名字编辑框, L"ＡＢ李");
  ClickUnit(HP编辑框);
  EXPECT_EQ(Npc().NpcName, " 张三 ");
  EXPECT_EQ(Npc().NpcFilePath, DocumentFolder() + " ZHANGSAN .pst");
}

TEST_F(MainWindowTest, EscapeOrTheCloseButtonEndsTheWindowAndTheLoop) {
  ClickUnit(名字编辑框);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([] { return !MainForm().IsAlive(); }, 2000));
  ASSERT_TRUE(RunMainWindow());
  Activate(MainWindow());
  PostMessageW(MainWindow(), WM_NULL, 0, 0);
  ClickUnit(关闭按钮);
  EXPECT_TRUE(PumpUntil([] { return !MainForm().IsAlive(); }, 2000));
  EXPECT_EQ(MainForm().RunMessageLoop(), 0);  // returns at once: no window left
}
