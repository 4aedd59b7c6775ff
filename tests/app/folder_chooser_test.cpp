// The folder button's routine with the shell's folder dialog answered.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/folder_chooser.h"
#include "platform/folders.h"
#include "tests/app/main_window_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;
using namespace testsupport;

namespace {

class FolderChooserTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    other_ = platform::ProgramDirectory() + "\\其他目录";
    CreateDirectoryW(Wide(other_).c_str(), nullptr);
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    RemoveFolder(other_);
  }
  std::vector<SeenDialog> Choose(DialogAnswerer::Answer answer, int entry = 1) {
    DialogAnswerer answerer({std::move(answer)});
    NpcChooseDocumentFolderClick(entry);
    PumpMessages(50);
    return answerer.seen();
  }
  std::string other_;
};

}  // namespace

static BOOL CALLBACK CollectText(HWND child, LPARAM texts) {
  reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(WindowText(child));
  return TRUE;
}

TEST_F(FolderChooserTest, AChosenFolderGetsOneBackslashAndFillsTheBox) {
  std::vector<std::wstring> texts;
  std::vector<SeenDialog> seen = Choose([&](HWND dialog) {
    EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&texts));
    ChooseFolder(Wide(other_))(dialog);
  });
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"选择NPC文档存放目录"), texts.end());
  EXPECT_EQ(Npc().NpcFolder, other_ + "\\");
  EXPECT_EQ(MainForm().EditContent(目录编辑框), other_ + "\\");
  EXPECT_EQ(MainForm().SelectionStart(目录编辑框), 0);
  EXPECT_EQ(MainForm().SelectionLength(目录编辑框), int(other_.size()) + 1);
  EXPECT_EQ(GetFocus(), H(目录编辑框));
}

TEST_F(FolderChooserTest, TheDialogOpensOnTheCurrentDocumentFolder) {
  Choose(ChooseFolder());
  EXPECT_EQ(Npc().NpcFolder, DocumentFolder());
  EXPECT_EQ(BrowseInitialFolder(), DocumentFolder());
}

TEST_F(FolderChooserTest, ADriveRootKeepsItsSingleBackslash) {
  Choose(ChooseFolder(L"C:\\"));
  EXPECT_EQ(Npc().NpcFolder, "C:\\");
  EXPECT_EQ(MainForm().EditContent(目录编辑框), "C:\\");
}

TEST_F(FolderChooserTest, CancelKeepsTheFolderAndTheBox) {
  std::vector<SeenDialog> seen = Choose(PressButton(IDCANCEL));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(Npc().NpcFolder, DocumentFolder());
  EXPECT_EQ(MainForm().EditContent(目录编辑框), DocumentFolder());
}

TEST_F(FolderChooserTest, OtherEntriesDoNothing) {
  EXPECT_TRUE(Choose(PressButton(IDOK), 2).empty());
  EXPECT_TRUE(Choose(PressButton(IDOK), 0).empty());
  EXPECT_EQ(Npc().NpcFolder, DocumentFolder());
}

TEST(PathIsFolder, OnlyExistingFoldersAre) {
  std::string program = platform::ProgramDirectory();
  EXPECT_TRUE(PathIsFolder(program));
  EXPECT_TRUE(PathIsFolder(program + "\\"));
  EXPECT_FALSE(PathIsFolder(program + "\\app_ui_tests.exe"));
  EXPECT_FALSE(PathIsFolder(program + "\\no such folder"));
  EXPECT_FALSE(PathIsFolder(""));
}
