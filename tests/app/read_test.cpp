// "读取NPC文档..." on the real window: the open dialog, the values it loads,
// saving again, and files it must refuse.
#include <gtest/gtest.h>

#include "app/open_file_dialog.h"
#include "app/script_reader.h"
#include "app/value_tables.h"
#include "platform/folders.h"
#include "tests/app/main_window_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

namespace {
class ReadTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    RemoveFolder(folder_);
    CreateDirectoryW(Wide(folder_).c_str(), nullptr);
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    RemoveFolder(folder_);
  }
  const std::string folder_ = platform::ProgramDirectory() + "\\读取测试\\";
};
}  // namespace

TEST_F(ReadTest, AWrittenFileReadsBackIntoTheFormAndSavesToTheSameBytes) {
  TypeInto(名字编辑框, L"王五");
  PickWithMouse(主武器组合框, 8);  // 乾坤刀 48
  PickWithKeys(副武器组合框, 11);  // 火统 12
  ClickUnit(Ostrin单选框);
  PickWithKeys(行为组合框, 6);     // 杀死玩家
  PickWithKeys(模型组合框, 19);
  PickWithKeys(速度组合框, 0);     // 10
  PickWithKeys(夺宝组合框, 18);    // 100
  TypeInto(HP编辑框, L"777");
  ClickAnswering(生成保存按钮, {PressButton(IDOK)});
  const std::string written = ReadBytes(DocumentFolder() + "wangwu.pst"), moved = folder_ + "wangwu.pst";
  ASSERT_NE(written, "<missing>");
  WriteBytes(moved, written);
  RemoveFile(DocumentFolder() + "wangwu.pst");

  MainForm().DestroyWindowOrUnit();  // back to the start values
  MainWindowTest::SetUp();
  std::vector<SeenDialog> seen = ClickAnswering(读取按钮, {ChooseFile(moved)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, L"打开AI文档");
  platform::Form& form = MainForm();
  EXPECT_EQ(form.EditContent(名字编辑框), "王五");
  const std::pair<Unit, int> items[] = {{主武器组合框, 8}, {副武器组合框, 11}, {行为组合框, 6},
                                        {模型组合框, 19}, {速度组合框, 0}, {夺宝组合框, 18}};
  for (auto [unit, item] : items) EXPECT_EQ(form.ComboSelectedIndex(unit), item) << unit;
  EXPECT_TRUE(form.RadioChecked(Ostrin单选框));
  EXPECT_FALSE(form.RadioChecked(Velmar单选框));
  EXPECT_EQ(form.EditContent(HP编辑框), "777");
  EXPECT_EQ(form.EditContent(目录编辑框), folder_);
  EXPECT_EQ(Npc().NpcFilePath, moved);
  EXPECT_EQ(Npc().NpcWeapon, 48);
  EXPECT_EQ(Npc().NpcTeam, 2);
  EXPECT_EQ(Npc().NpcSpawn, 42);
  EXPECT_EQ(Npc().NpcInputLines.size(), 30u);

  // Saved at once: into the folder of the file read, the same bytes.
  ASSERT_EQ(ClickAnswering(生成保存按钮, {PressButton(IDYES), PressButton(IDOK)}).size(), 2u);
  EXPECT_EQ(ReadBytes(moved), written);
}

TEST_F(ReadTest, ValuesWithoutAnItemKeepTheListButReachTheRecord) {
  const std::string path = folder_ + "odd.pst", follow = "\tChangeBehavior(g_self, \"follow\", \"player\");";
  WriteBytes(path, ExpectedFile({{"int Model =1;", "int Model =25;"}, {"int Weapon =18;", "int Weapon =26;"},
                                 {"int Team =1;", "int Team =7;"}, {"int View =800;", "int View =850;"},
                                 {follow, "\tChangeBehavior(g_self, \"follow\", \"vip\");"}}));
  ASSERT_TRUE(ReadNpcFile(path));
  platform::Form& form = MainForm();
  EXPECT_EQ(form.ComboSelectedIndex(模型组合框), 19);  // clamped to the last model
  EXPECT_EQ(form.ComboSelectedIndex(主武器组合框), 0);
  EXPECT_TRUE(form.RadioChecked(Velmar单选框));       // 7 is no camp: unchanged
  EXPECT_EQ(form.ComboSelectedIndex(视野组合框), 7);  // no "850": kept
  EXPECT_EQ(form.ComboSelectedIndex(行为组合框), 5);
  EXPECT_EQ((std::vector{Npc().NpcModel, Npc().NpcWeapon, Npc().NpcTeam, Npc().NpcView}),
            (std::vector{25, 26, 7, 850}));

  WriteBytes(path, ExpectedFile({{"int Team =1;", "int Team =0;"},
                                 {follow, "\tChangeBehavior(g_self, \"KILL\", \"player\");"}}));
  ASSERT_TRUE(ReadNpcFile(path));
  EXPECT_TRUE(form.RadioChecked(中立单选框));
  EXPECT_EQ(form.ComboSelectedIndex(行为组合框), 5);  // unrecognised: unchanged
  EXPECT_EQ(Npc().NpcBehaviourText, BehaviourStatementOfItem(5));
}

TEST_F(ReadTest, ShortOrMissingFilesAreRefusedAndChangeNothing) {
  TypeInto(名字编辑框, L"张三");
  ClickUnit(HP编辑框);
  const NpcRecord before = Npc();
  const std::string shortFile = folder_ + "short.pst", bytes = ExpectedFile();
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
  EXPECT_EQ(MainForm().EditContent(目录编辑框), DocumentFolder());
  EXPECT_EQ(MainForm().EditContent(名字编辑框), "张三");
}

TEST_F(ReadTest, ReadOnlyAndOpenFilesAreReadWithNoOtherMessageHandledMeanwhile) {
  std::string path = folder_ + "ro.pst";
  WriteBytes(path, ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}}));
  SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE held = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  // A click on the close button that is waiting when the read starts.
  PostMessageW(MainWindow(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(H(关闭按钮)));
  EXPECT_TRUE(ReadNpcFile(path));
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  EXPECT_EQ(Npc().NpcHp, 1234);
  EXPECT_TRUE(MainForm().IsAlive());
  EXPECT_TRUE(PumpUntil([] { return !MainForm().IsAlive(); }, 2000));
}

TEST_F(ReadTest, CancellingTheDialogEmptiesOnlyThePath) {
  ASSERT_EQ(ClickAnswering(读取按钮, {PressButton(IDCANCEL)}).size(), 1u);
  EXPECT_EQ(Npc().NpcFilePath, "");
  EXPECT_EQ(MainForm().EditContent(目录编辑框), DocumentFolder());
  EXPECT_EQ(Npc().NpcHp, 5000);
}

TEST(OpenFileDialog, ATypedNameOfAMissingFileIsNotAcceptedAndTheDirectoryStays) {
  std::string saved = platform::CurrentDirectory();
  DialogAnswerer answerer({ChooseFile(platform::ProgramDirectory() + "\\no such file.pst"), [](HWND complaint) {
    // The dialog's own "file not found" box: close it, then give up on the dialog behind it.
    HWND dialog = GetWindow(complaint, GW_OWNER);
    PressButton(IDOK)(complaint);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }});
  EXPECT_EQ(OpenFileDialog(nullptr, platform::ProgramDirectory(), "打开AI文档", "NPC文档|*.pst"), "");
  EXPECT_EQ(answerer.seen().size(), 2u);
  EXPECT_EQ(platform::CurrentDirectory(), saved);
}
