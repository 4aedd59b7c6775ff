// "读取NPC文档..." on the real window: the open dialog, the values it loads,
// saving again, and files it must refuse.
#include <gtest/gtest.h>

#include "app/npc_script.h"
#include "app/open_file_dialog.h"
#include "app/script_reader.h"
#include "app/value_tables.h"
#include "platform/folders.h"
#include "tests/app/main_window_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;
using namespace testsupport;

namespace {

class ReadTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    folder_ = platform::ProgramDirectory() + "\\读取测试\\";
    RemoveFolder(folder_);
    CreateDirectoryW(Wide(folder_).c_str(), nullptr);
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    RemoveFolder(folder_);
  }
  // Clicks the read button and chooses the file in the open dialog.
  std::vector<SeenDialog> ReadThroughDialog(std::vector<DialogAnswerer::Answer> answers) {
    DialogAnswerer answerer(std::move(answers));
    ClickUnit(读取按钮);
    PumpMessages(100);
    return answerer.seen();
  }
  std::string folder_;
};

}  // namespace

TEST_F(ReadTest, AWrittenFileReadsBackIntoTheFormAndSavesToTheSameBytes) {
  // Write a file with values away from the defaults.
  TypeInto(名字编辑框, L"王五");
  PickWithMouse(主武器组合框, 8);  // 乾坤刀 48
  PickWithKeys(副武器组合框, 11);  // 火统 12
  ClickUnit(Ostrin单选框);
  PickWithKeys(行为组合框, 6);     // 杀死玩家
  PickWithKeys(模型组合框, 19);
  PickWithKeys(速度组合框, 0);     // 10
  PickWithKeys(夺宝组合框, 18);    // 100
  TypeInto(HP编辑框, L"777");
  Generate({PressButton(IDOK)});
  const std::string path = DocumentFolder() + "wangwu.pst";
  const std::string written = ReadBytes(path);
  ASSERT_NE(written, "<missing>");
  std::string moved = folder_ + "wangwu.pst";
  WriteBytes(moved, written);
  RemoveFile(path);

  // Back to the start values, then read the file.
  MainForm().DestroyWindowOrUnit();
  MainWindowTest::SetUp();
  std::vector<SeenDialog> seen = ReadThroughDialog({ChooseFile(moved)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, L"打开AI文档");

  platform::Form& form = MainForm();
  EXPECT_EQ(form.EditContent(名字编辑框), "王五");
  EXPECT_EQ(form.ComboSelectedIndex(主武器组合框), 8);
  EXPECT_EQ(form.ComboSelectedIndex(副武器组合框), 11);
  EXPECT_TRUE(form.RadioChecked(Ostrin单选框));
  EXPECT_FALSE(form.RadioChecked(Velmar单选框));
  EXPECT_EQ(form.ComboSelectedIndex(行为组合框), 6);
  EXPECT_EQ(form.ComboSelectedIndex(模型组合框), 19);
  EXPECT_EQ(form.ComboSelectedIndex(速度组合框), 0);
  EXPECT_EQ(form.ComboSelectedIndex(夺宝组合框), 18);
  EXPECT_EQ(form.EditContent(HP编辑框), "777");
  EXPECT_EQ(form.EditContent(目录编辑框), folder_);
  EXPECT_EQ(Npc().NpcFilePath, moved);
  EXPECT_EQ(Npc().NpcWeapon, 48);
  EXPECT_EQ(Npc().NpcTeam, 2);
  EXPECT_EQ(Npc().NpcHp, 777);
  EXPECT_EQ(Npc().NpcSpawn, 42);
  EXPECT_EQ(Npc().NpcInputLines.size(), 30u);

  // Saved at once: into the folder of the file read, the same bytes.
  seen = Generate({PressButton(IDYES), PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(ReadBytes(moved), written);
}

TEST_F(ReadTest, ValuesWithoutAnItemKeepTheListButReachTheRecord) {
  std::string bytes = ExpectedFile({
      {"int Model =1;", "int Model =25;"},
      {"int Weapon =18;", "int Weapon =26;"},
      {"int Team =1;", "int Team =7;"},
      {"int View =800;", "int View =850;"},
      {"int Attack1=20;", "int Attack1=5;"},
  });
  std::string path = folder_ + "odd.pst";
  WriteBytes(path, bytes);
  ASSERT_TRUE(ReadNpcFile(path));
  platform::Form& form = MainForm();
  EXPECT_EQ(form.ComboSelectedIndex(模型组合框), 19);  // clamped to the last model
  EXPECT_EQ(Npc().NpcModel, 25);
  EXPECT_EQ(form.ComboSelectedIndex(主武器组合框), 0);
  EXPECT_EQ(Npc().NpcWeapon, 26);
  EXPECT_TRUE(form.RadioChecked(Velmar单选框));  // 7 is no camp: unchanged
  EXPECT_EQ(Npc().NpcTeam, 7);
  EXPECT_EQ(form.ComboSelectedIndex(视野组合框), 7);  // no "850": kept
  EXPECT_EQ(Npc().NpcView, 850);
  EXPECT_EQ(form.ComboBoxGetItemText(轻击组合框, form.ComboSelectedIndex(轻击组合框)), "50");
  EXPECT_EQ(Npc().NpcAttack1, 5);
}

TEST_F(ReadTest, CampsAndBehavioursAreSelected) {
  std::string path = folder_ + "camp.pst";
  WriteBytes(path, ExpectedFile({{"int Team =1;", "int Team =0;"},
                                 {"\tChangeBehavior(g_self, \"follow\", \"player\");",
                                  "\tChangeBehavior(g_self, \"follow\", \"vip\");"}}));
  ASSERT_TRUE(ReadNpcFile(path));
  EXPECT_TRUE(MainForm().RadioChecked(中立单选框));
  EXPECT_FALSE(MainForm().RadioChecked(Velmar单选框));
  EXPECT_EQ(MainForm().ComboSelectedIndex(行为组合框), 5);
  EXPECT_EQ(Npc().NpcBehaviourText, BehaviourStatementOfItem(5));

  WriteBytes(path, ExpectedFile({{"\tChangeBehavior(g_self, \"follow\", \"player\");",
                                  "\tChangeBehavior(g_self, \"KILL\", \"player\");"}}));
  ASSERT_TRUE(ReadNpcFile(path));
  EXPECT_EQ(MainForm().ComboSelectedIndex(行为组合框), 5);  // unrecognised: unchanged
  EXPECT_EQ(Npc().NpcBehaviourText, BehaviourStatementOfItem(5));
}

TEST_F(ReadTest, ShortOrMissingFilesAreRefusedAndChangeNothing) {
  TypeInto(名字编辑框, L"张三");
  ClickUnit(HP编辑框);
  const NpcRecord before = Npc();
  const std::string folderText = MainForm().EditContent(目录编辑框);

  std::string shortFile = folder_ + "short.pst";
  std::string bytes = ExpectedFile();
  WriteBytes(shortFile, bytes.substr(0, bytes.find("int HP")));  // 18 declaration lines
  DialogAnswerer answerer({PressButton(IDOK), PressButton(IDOK)});
  EXPECT_FALSE(ReadNpcFile(shortFile));
  EXPECT_FALSE(ReadNpcFile(folder_ + "missing.pst"));
  ASSERT_EQ(answerer.seen().size(), 2u);
  for (const SeenDialog& seen : answerer.seen()) EXPECT_EQ(seen.caption, L"提示");
  EXPECT_NE(answerer.seen()[0].text.find(Wide(shortFile)), std::wstring::npos);

  EXPECT_EQ(Npc().NpcName, before.NpcName);
  EXPECT_EQ(Npc().NpcFilePath, before.NpcFilePath);
  EXPECT_EQ(Npc().NpcHp, before.NpcHp);
  EXPECT_EQ(Npc().NpcInputLines, before.NpcInputLines);
  EXPECT_EQ(MainForm().EditContent(目录编辑框), folderText);
  EXPECT_EQ(MainForm().EditContent(名字编辑框), "张三");
}

TEST_F(ReadTest, ReadOnlyFilesAreRead) {
  std::string path = folder_ + "ro.pst";
  WriteBytes(path, ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}}));
  SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE held = CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_TRUE(ReadNpcFile(path));
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  EXPECT_EQ(Npc().NpcHp, 1234);
}

TEST_F(ReadTest, NoOtherMessageIsHandledInTheMiddleOfARead) {
  std::string path = folder_ + "a.pst";
  WriteBytes(path, ExpectedFile());
  // A click on the close button that is waiting when the read starts.
  PostMessageW(MainWindow(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
               reinterpret_cast<LPARAM>(H(关闭按钮)));
  EXPECT_TRUE(ReadNpcFile(path));
  EXPECT_TRUE(MainForm().IsAlive());
  EXPECT_TRUE(PumpUntil([] { return !MainForm().IsAlive(); }, 2000));
}

TEST_F(ReadTest, CancellingTheDialogEmptiesOnlyThePath) {
  std::string folderText = MainForm().EditContent(目录编辑框);
  std::vector<SeenDialog> seen = ReadThroughDialog({PressButton(IDCANCEL)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(Npc().NpcFilePath, "");
  EXPECT_EQ(MainForm().EditContent(目录编辑框), folderText);
  EXPECT_EQ(Npc().NpcHp, 5000);
}

TEST(OpenFileDialog, CancelKeepsTheCurrentDirectoryUnlessAskedToKeepTheDialogs) {
  std::string saved = platform::CurrentDirectory();
  DialogAnswerer answerer({PressButton(IDCANCEL)});
  EXPECT_EQ(OpenFileDialog(nullptr), "");
  EXPECT_EQ(platform::CurrentDirectory(), saved);
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].caption, L"打开文件");
}

TEST(OpenFileDialog, ATypedNameOfAMissingFileIsNotAccepted) {
  std::string missing = platform::ProgramDirectory() + "\\no such file.pst";
  DialogAnswerer answerer({ChooseFile(missing), [](HWND complaint) {
                             // The dialog's own "file not found" box: close it,
                             // then give up on the dialog behind it.
                             HWND dialog = GetWindow(complaint, GW_OWNER);
                             PressButton(IDOK)(complaint);
                             PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                           }});
  EXPECT_EQ(OpenFileDialog(nullptr, platform::ProgramDirectory(), "打开AI文档", "NPC文档|*.pst"), "");
  EXPECT_EQ(answerer.seen().size(), 2u);
}
