// The folder button's routine with the shell's folder dialog answered.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "app/folder_chooser.h"
#include "platform/folders.h"
#include "tests/app/main_window_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

namespace {
// Selects a folder (none: keeps the one the dialog opened on) and presses OK.
DialogAnswerer::Answer ChooseFolder(const std::wstring& folder = L"") {
  return [folder](HWND dialog) {
    if (!folder.empty()) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
}

size_t Choose(DialogAnswerer::Answer answer, int entry = 1) {
  DialogAnswerer answerer({std::move(answer)});
  NpcChooseDocumentFolderClick(entry);
  PumpMessages(50);
  return answerer.seen().size();
}
}  // namespace

TEST_F(MainWindowTest, AChosenFolderGetsOneBackslashAndFillsTheBox) {
  const std::string other = platform::ProgramDirectory() + "\\其他目录";
  CreateDirectoryW(Wide(other).c_str(), nullptr);
  HWND title = nullptr;
  EXPECT_EQ(Choose([&](HWND dialog) {
    title = FindWindowExW(dialog, nullptr, L"Static", L"选择NPC文档存放目录");
    ChooseFolder(Wide(other))(dialog);
  }), 1u);
  RemoveFolder(other);
  EXPECT_NE(title, nullptr);
  EXPECT_EQ(Npc().NpcFolder, other + "\\");
  EXPECT_EQ(MainForm().EditContent(目录编辑框), other + "\\");
  EXPECT_EQ(MainForm().SelectionStart(目录编辑框), 0);
  EXPECT_EQ(MainForm().SelectionLength(目录编辑框), int(other.size()) + 1);
  EXPECT_EQ(GetFocus(), H(目录编辑框));

  Choose(ChooseFolder(L"C:\\"));  // a drive root keeps its single backslash
  EXPECT_EQ(MainForm().EditContent(目录编辑框), "C:\\");
  EXPECT_EQ(Npc().NpcFolder, "C:\\");
}

TEST_F(MainWindowTest, TheFolderDialogOpensOnTheFolderAndCancelKeepsIt) {
  Choose(ChooseFolder());
  EXPECT_EQ(BrowseInitialFolder(), DocumentFolder());
  EXPECT_EQ(Npc().NpcFolder, DocumentFolder());
  EXPECT_EQ(Choose(PressButton(IDCANCEL)), 1u);
  EXPECT_EQ(Npc().NpcFolder, DocumentFolder());
  EXPECT_EQ(MainForm().EditContent(目录编辑框), DocumentFolder());
  EXPECT_EQ(Choose(PressButton(IDOK), 2) + Choose(PressButton(IDOK), 0), 0u);  // other entries: nothing
}
