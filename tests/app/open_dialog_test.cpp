// The open dialog of "读取NPC文档...": paths that GBK cannot hold, chosen
// through the real window and dialog, and the long-path guard at the length
// where it takes over from the dialog and in a folder deeper than the dialog
// can tell, and "." and ".." typed as a file's name in the extended-length
// form.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <fstream>

#include "app/file_paths.h"
#include "app/open_file_dialog.h"
#include "platform/folders.h"
#include "platform/long_paths.h"
#include "tests/app/document_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

namespace {
// Types a path with any characters into the dialog's file name box and presses OK.
DialogAnswerer::Answer ChooseWideFile(const std::wstring& path) {
  return [path](HWND dialog) {
    ASSERT_TRUE(SetDlgItemTextW(dialog, edt1, path.c_str()) || SetDlgItemTextW(dialog, cmb13, path.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
}

// Opens the folder shown in the dialog's list by its name, as a double click
// does, and waits until the dialog shows another folder.
void OpenListedFolder(HWND dialog, const std::wstring& name) {
  HWND list = nullptr;
  const auto listed = [&] {
    HWND view = FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr);
    list = view ? FindWindowExW(view, nullptr, L"SysListView32", nullptr) : nullptr;
    return list && ListView_GetItemCount(list) > 0;
  };
  ASSERT_TRUE(PumpUntil(listed, 10000));
  int found = -1;
  for (int i = 0; i < ListView_GetItemCount(list) && found < 0; ++i) {
    std::wstring text(300, L'\0');
    LVITEMW item{};
    item.pszText = text.data();
    item.cchTextMax = int(text.size());
    SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(i), LPARAM(&item));
    if (text.c_str() == name) found = i;
  }
  ASSERT_GE(found, 0);
  const LRESULT before = SendMessageW(dialog, CDM_GETFOLDERIDLIST, 0, 0);
  ListView_SetItemState(list, found, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SetFocus(list);
  PressKey(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return SendMessageW(dialog, CDM_GETFOLDERIDLIST, 0, 0) != before; }, 10000));
}

void WriteWide(const std::wstring& path, const std::string& bytes) {
  std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

// Closes a complaint about the typed name (the dialog's own or the guard's)
// and then gives up on the dialog behind it.
void CloseComplaintAndDialog(HWND complaint) {
  HWND dialog = GetWindow(complaint, GW_OWNER);
  PressButton(IDOK)(complaint);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}
}  // namespace

// Files whose path holds characters that GBK lacks (Korean): the file name,
// or a folder above it. The record's paths and the folder box are GBK, so
// such a file is not read, but never silently: the notice says why, and the
// form and the record stay as they were.
TEST_F(DocumentTest, AFileWhosePathGbkCannotHoldIsRefusedWithANotice) {
  const std::wstring second = Wide(folder_), korean = second + L"한글";
  ASSERT_TRUE(CreateDirectoryW(korean.c_str(), nullptr));
  const std::string bytes = ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}});
  const std::pair<std::wstring, std::wstring> files[] = {
      {second + L"김철수.pst", second + L"???.pst"},
      {second + L"한글\\ok.pst", second + L"??\\ok.pst"},
  };
  TypeInto(名字编辑框, L"王五");
  ClickUnit(HP编辑框);
  const std::vector<std::string> shown = Shown();
  const auto record = RecordFields();
  for (const auto& [file, named] : files) {
    SCOPED_TRACE(named);
    WriteWide(file, bytes);
    ASSERT_EQ(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    std::vector<SeenDialog> seen = ClickAnswering(读取按钮, {ChooseWideFile(file), PressButton(IDOK)});
    ASSERT_EQ(seen.size(), 2u);  // the open dialog, then the notice
    EXPECT_EQ(seen[0].caption, L"打开AI文档");
    EXPECT_EQ(seen[1].caption, L"提示");
    EXPECT_EQ(seen[1].text, L"无法读取NPC文档[" + named +
                                L"],它的路径中有GBK编码以外的字符(显示为?),请把文件改名或移到路径中没有这些字符的文件夹后再读取!");
    EXPECT_EQ(Shown(), shown);
    EXPECT_TRUE(RecordFields() == record);
  }
}

// Typed paths of 247 characters are the dialog's own business; from 248
// (kPlainPathLimit) on the guard answers them before the dialog sees them:
// it takes an existing file for the choice, typed in quotes or not, and
// refuses a missing one with its own notice, which names a path of up to 259
// characters whole.
TEST_F(DocumentTest, TheOpenDialogsGuardTakesOverAtThePlainPathLimit) {
  ASSERT_EQ(platform::kPlainPathLimit, 248u);
  for (size_t length : {size_t(247), size_t(248), size_t(259), size_t(260)}) {
    SCOPED_TRACE(length);
    const std::string folder = MakeLongFolder(folder_ + std::to_string(length), length - 6);
    const std::string file = folder + "\\a.pst", missing = folder + "\\b.pst";
    ASSERT_EQ(Wide(file).size(), length);
    WriteBytes(file, ExpectedFile());
    ASSERT_NE(GetFileAttributesW(ExtendedPath(Wide(file)).c_str()), INVALID_FILE_ATTRIBUTES);

    DialogAnswerer chooser({ChooseFile(file)});
    EXPECT_EQ(OpenFileDialog(nullptr, platform::ProgramDirectory(), "打开AI文档", "NPC文档|*.pst").text, file);
    EXPECT_EQ(chooser.seen().size(), 1u);
    DialogAnswerer quoted({ChooseFile("\"" + file + "\""), &CloseComplaintAndDialog});  // the same file
    EXPECT_EQ(OpenFileDialog(nullptr, platform::ProgramDirectory(), "打开AI文档", "NPC文档|*.pst").text, file);
    EXPECT_EQ(quoted.seen().size(), 1u);

    DialogAnswerer refuser({ChooseFile(missing), &CloseComplaintAndDialog});
    EXPECT_EQ(OpenFileDialog(nullptr, platform::ProgramDirectory(), "打开AI文档", "NPC文档|*.pst").text, "");
    ASSERT_EQ(refuser.seen().size(), 2u);
    const SeenDialog& complaint = refuser.seen()[1];
    if (length < 248) {
      EXPECT_NE(complaint.caption, L"提示");  // the dialog's own complaint
    } else {
      EXPECT_EQ(complaint.caption, L"提示");
      EXPECT_EQ(complaint.text, Wide("文件[" + NoticePath(missing) + "]不存在或路径过长,无法打开!"));
      // Shown whole up to the notices' limit, shortened in the middle past it.
      EXPECT_EQ(complaint.text.find(L"…") != std::wstring::npos, length > kNoticePathLimit);
    }
  }
}

// A folder opened in the dialog that is deeper than the dialog can tell:
// Wine's dialog reports the first 259 characters of its path, which may be
// another folder's whole path. A name typed there is refused, as where the
// file is is unknown, and never read from the folder that the cut path
// names; so is one typed in a folder of exactly 259 characters, which the
// dialog may have cut as well.
TEST_F(DocumentTest, ANameTypedInAFolderThatTheDialogMayHaveCutShortIsRefused) {
  const std::string parent = MakeLongFolder(folder_ + "cut", 240);
  const std::wstring cut(259 - Wide(parent).size() - 1, L'd'), deeper = cut + L"eep";
  for (const std::wstring& name : {cut, deeper}) {
    const std::wstring folder = Wide(parent) + L"\\" + name;
    ASSERT_TRUE(CreateDirectoryW(ExtendedPath(folder).c_str(), nullptr));
    WriteWide(ExtendedPath(folder + L"\\a.pst"), ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}}));
  }
  Npc().NpcFolder = parent + "\\";
  const std::vector<std::string> shown = Shown();
  const auto lines = Npc().NpcInputLines;
  for (const std::wstring& name : {deeper, cut}) {
    SCOPED_TRACE(name.size());
    std::vector<SeenDialog> seen = ClickAnswering(读取按钮, {[&](HWND dialog) {
                                                               OpenListedFolder(dialog, name);
                                                               ChooseFile("a.pst")(dialog);
                                                             },
                                                             &CloseComplaintAndDialog});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, L"提示");
    EXPECT_EQ(seen[1].text, L"文件[a.pst]不存在或路径过长,无法打开!");
    EXPECT_EQ(Shown(), shown);  // nothing read
    EXPECT_EQ(Npc().NpcInputLines, lines);
  }
}

// A file's name typed into the open dialog with a dot at its end, alone in
// the folder the dialog shows or as a whole path: the system names the file
// without it, as it names every plain path, and the tool reads that file
// without a notice. Only a folder's name that ends in a dot is kept, in the
// form that keeps it; a file's name is not.
TEST_F(DocumentTest, AFileNameTypedWithADotAtItsEndReadsTheFileOfThatName) {
  const std::string file = folder_ + "zhangsan.pst";
  WriteBytes(file, ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}}));
  Npc().NpcFolder = folder_;  // the dialog opens there
  for (const std::string& typed : {std::string("zhangsan.pst."), file + "."}) {
    SCOPED_TRACE(typed);
    TypeInto(HP编辑框, L"3000");
    ClickUnit(名字编辑框);
    ASSERT_EQ(Npc().NpcHp, 3000);
    const std::vector<SeenDialog> seen = ClickAnswering(读取按钮, {ChooseFile(typed)});
    EXPECT_EQ(seen.size(), 1u);  // the open dialog alone: no notice
    EXPECT_EQ(Npc().NpcHp, 1234);
    EXPECT_EQ(MainForm().EditContent(目录编辑框), folder_);
  }
}

// A file's name typed into the open dialog in the extended-length form as
// "." or "..": in that form they are names, not steps, and no file of
// either name is there, though a search for one finds the folder's own
// entry for itself or its parent. In a folder deeper than the dialog can
// tell, where the guard answers, the file is said to be missing, not read as
// a device or a pipe; in a short folder the dialog complains itself. Nothing
// is read and the form stays.
TEST_F(DocumentTest, ADotOrTwoDotsTypedAsAFilesNameInTheExtendedLengthFormIsSaidToBeMissing) {
  ASSERT_TRUE(CreateDirectoryW(Wide(folder_ + "normal").c_str(), nullptr));
  const std::string longFolder = MakeLongFolder(folder_ + "long", 260);
  Npc().NpcFolder = folder_;
  TypeInto(名字编辑框, L"王五");
  ClickUnit(HP编辑框);
  const std::vector<std::string> shown = Shown();
  const auto lines = Npc().NpcInputLines;
  for (const std::string& folder : {folder_ + "normal", longFolder}) {
    for (const char* name : {".", ".."}) {
      const std::string typed = "\\\\?\\" + folder + "\\" + name;
      SCOPED_TRACE(typed);
      std::vector<SeenDialog> seen = ClickAnswering(读取按钮, {ChooseFile(typed), &CloseComplaintAndDialog});
      ASSERT_EQ(seen.size(), 2u);  // the open dialog, then the complaint
      if (folder == longFolder) {
        EXPECT_EQ(seen[1].caption, L"提示");
        EXPECT_EQ(seen[1].text, Wide("文件[" + NoticePath(typed) + "]不存在或路径过长,无法打开!"));
      } else {
        EXPECT_NE(seen[1].caption, L"提示");  // the dialog's own complaint
      }
      EXPECT_EQ(Shown(), shown);  // nothing read
      EXPECT_EQ(Npc().NpcInputLines, lines);
    }
  }
}
