// Folder texts as users type or paste them, through the real window: blanks
// and control characters at their ends, "/" for "\", a drive's root in
// each form, a file's path, characters that no name may hold and the
// wildcards, each named as the character it is, a missing folder whose
// name ends in dots beside one of fewer dots, and "." and ".." as a folder's
// name in the extended-length form, and a folder whose names hold runs of
// blanks, shown whole where the notice's lines break.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <utility>

#include "app/document_folder.h"
#include "app/file_paths.h"
#include "platform/gbk_convert.h"
#include "skin/control/static_skin.h"
#include "tests/app/bad_input_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

// Folder texts as users type or paste them. Blanks before or after the
// folder are taken off: the save goes into the folder, and a notice names it
// without them. A folder typed with "/" gets no second separator before the
// file name. A folder text that names a file is said to be one. Nothing is
// written where it should not be, and the form stays.
TEST_F(BadInputTest, FolderTextsAreTakenForTheFolderTheyName) {
  FillInAndSave();
  auto saveInto = [&](const std::string& folderText) { return SaveNoticeWithFolder(Wide(folderText)); };
  EXPECT_EQ(saveInto("  " + folder_ + " "), Wide("NPC文件[" + folder_ + "wangwu.pst]已经生成!"));
  EXPECT_EQ(ReadBytes(folder_ + "wangwu.pst"), savedBytes_);
  EXPECT_EQ(saveInto(" sub\\ "),
            Wide("存档目录[sub\\]不是完整的路径,请选择或填写以盘符(如C:\\)或网络路径(如\\\\服务器\\共享\\)开头的存档目录!"));

  std::string slashed = folder_ + "slash/";
  std::replace(slashed.begin(), slashed.end(), '\\', '/');  // the folder has no character that ends in "\\"
  CreateDirectoryW(Wide(slashed).c_str(), nullptr);
  EXPECT_EQ(saveInto(slashed), Wide("NPC文件[" + slashed + "wangwu.pst]已经生成!"));
  EXPECT_EQ(ReadBytes(folder_ + "slash\\wangwu.pst"), savedBytes_);

  const std::string file = folder_ + "notes.txt";
  WriteBytes(file, "notes");
  for (const std::string& text : {file, file + "\\"})
    EXPECT_EQ(saveInto(text), Wide("存档目录[" + text + "]是一个文件,不是文件夹,请选择或填写存档目录!"));
  EXPECT_EQ(ReadBytes(file), "notes");
  EXPECT_EQ(FolderEntries(folder_), (std::vector<std::wstring>{L"notes.txt", L"slash", L"wangwu.pst"}));
  MainForm().SetEditContent(目录编辑框, DocumentFolder());
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// A folder "x  " ("x " is another) in a folder whose name is runs of two
// blanks between letters, and one whose name is such runs between Chinese
// characters, alone and with "x  " in it: the notice breaks into lines at
// the end of the folder "x  " or inside the name. The lines that the box
// shows hold every character of the notice, each blank where it stands,
// none lost at a break. The file goes into the folder typed.
TEST_F(BadInputTest, ANoticeShowsEveryBlankOfTheFolderWhereItsLinesBreak) {
  FillInAndSave();
  std::string letters = "x", chinese = "文";
  for (int i = 0; i < 50; ++i) {
    letters += "  x";
    chinese += "  文";
  }
  for (const auto& [name, inside] : {std::pair{letters, "x  \\"}, {chinese, ""}, {chinese, "x  \\"}}) {
    const std::string folder = folder_ + name + "\\" + inside;
    SCOPED_TRACE(folder);
    for (const std::string& made : {folder_ + name + "\\", folder})
      CreateDirectoryW(ExtendedPath(Wide(made)).c_str(), nullptr);
    ASSERT_NE(Attributes(folder), INVALID_FILE_ATTRIBUTES);
    MainForm().SetEditContent(目录编辑框, Wide(folder));
    std::vector<std::string> shown;
    const std::vector<SeenDialog> seen = Generate({[&](HWND box) {
      for (HWND s = FindWindowExW(box, nullptr, L"Static", nullptr); s; s = FindWindowExW(box, s, L"Static", nullptr)) {
        if ((GetWindowLongW(s, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
        RECT client{};
        GetClientRect(s, &client);
        shown = skin::StaticShownLines(s, {client.right, client.bottom}).lines;
      }
      PressButton(IDOK)(box);
    }});
    const std::string notice = "NPC文件[" + NoticePath(folder + "wangwu.pst") + "]已经生成!";
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, Wide(notice));
    EXPECT_GE(shown.size(), 2u);
    std::string joined;
    for (const std::string& line : shown) joined += line;
    EXPECT_EQ(joined, notice);
    EXPECT_EQ(ReadBytes(folder + "wangwu.pst"), savedBytes_);
  }
  MainForm().SetEditContent(目录编辑框, DocumentFolder());
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// A folder text pasted with tabs, line breaks or other control characters
// before or after it, which a notice could not show: they go as blanks do,
// at the save and in the name box's file name. A text of nothing else is
// empty; a relative one is named without them. Full-width blanks at the ends
// are characters of a folder's name and stay: no such folder is here.
TEST_F(BadInputTest, ControlCharactersAtTheFolderTextsEndsAreTakenOff) {
  FillInAndSave();
  const std::wstring folder = Wide(folder_);
  EXPECT_EQ(SaveNoticeWithFolder(folder + L"\t"), Wide("NPC文件[" + folder_ + "wangwu.pst]已经生成!"));
  EXPECT_EQ(ReadBytes(folder_ + "wangwu.pst"), savedBytes_);
  RemoveFolder(folder_);
  CreateDirectoryW(folder.c_str(), nullptr);
  EXPECT_EQ(SaveNoticeWithFolder(L"\t \r\n" + folder + L"\x1B\r\n\t"),
            Wide("NPC文件[" + folder_ + "wangwu.pst]已经生成!"));
  EXPECT_EQ(ReadBytes(folder_ + "wangwu.pst"), savedBytes_);
  EXPECT_EQ(SaveNoticeWithFolder(L"\t\r\n"), Wide("存档目录不能为空,请选择或填写存档目录!"));
  EXPECT_EQ(SaveNoticeWithFolder(L"\tsub\\\t"),
            Wide("存档目录[sub\\]不是完整的路径,请选择或填写以盘符(如C:\\)或网络路径(如\\\\服务器\\共享\\)开头的存档目录!"));
  EXPECT_EQ(SaveNoticeWithFolder(L"\t" + folder + L"\u3000\t"),
            Wide("NPC文件[" + folder_ + "\xA1\xA1\\wangwu.pst]保存失败,存档目录不存在!"));

  MainForm().SetEditContent(目录编辑框, L"\t" + folder + L"\r\n");
  TypeInto(名字编辑框, L"李四");
  ClickUnit(HP编辑框);  // the name box loses the focus
  EXPECT_EQ(Npc().NpcFilePath, folder_ + "LISI.pst");
  TypeInto(名字编辑框, L"王五");
  ClickUnit(HP编辑框);
  MainForm().SetEditContent(目录编辑框, DocumentFolder());
  EXPECT_EQ(FolderEntries(folder_), std::vector<std::wstring>{L"wangwu.pst"});
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// A drive's root typed as the folder, as "X:\" and in the device namespace
// ("\\?\X:\", "\\.\X:\", with "/" for "\" and in lower case): the document
// goes into the root, as into any folder, and the save removes what a killed
// save of it left there. Without the separator, the drive in the device
// namespace is a device (its volume, though this drive has none to open).
// The drive is the test's own, mapped to a folder of its own.
TEST_F(BadInputTest, ADrivesRootInEachFormTakesTheDocument) {
  FillInAndSave();
  const std::string mapped = folder_ + "root\\";
  ASSERT_TRUE(CreateDirectoryW(Wide(mapped).c_str(), nullptr));
  const MappedDrive drive(Wide(mapped));
  ASSERT_NE(drive.letter(), 0);
  const std::string x(1, char(drive.letter())), lower(1, char(std::towlower(drive.letter())));
  for (const std::string& text :
       {x + ":\\", "\\\\?\\" + x + ":\\", "\\\\.\\" + x + ":\\", "//?/" + lower + ":/", "//./" + x + ":\\"}) {
    SCOPED_TRACE(text);
    WriteBytes(mapped + "wangwu.pst.saving-0A1B.tmp", "left by a killed save");
    EXPECT_EQ(SaveNoticeWithFolder(Wide(text)), Wide("NPC文件[" + text + "wangwu.pst]已经生成!"));
    EXPECT_EQ(ReadBytes(mapped + "wangwu.pst"), savedBytes_);
    EXPECT_EQ(FolderEntries(mapped), std::vector<std::wstring>{L"wangwu.pst"});
    DeleteFileW(Wide(mapped + "wangwu.pst").c_str());
  }
  // Without that separator the drive in the device namespace is its volume.
  for (const std::string& text : {"\\\\?\\" + x + ":", "\\\\.\\" + lower + ":"})
    EXPECT_EQ(SaveNoticeWithFolder(Wide(text)),
              Wide("存档目录[" + text + "]是一个设备或管道,不是文件夹,请选择或填写存档目录!"));
  EXPECT_EQ(FolderEntries(mapped), std::vector<std::wstring>{});
  MainForm().SetEditContent(目录编辑框, DocumentFolder());
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// A file's path with more than one separator after it names the file all
// the same, whichever separators they are: it is said to be a file, and
// nothing is written.
TEST_F(BadInputTest, AFilesPathWithSeveralSeparatorsAfterItIsSaidToBeAFile) {
  FillInAndSave();
  const std::string file = folder_ + "notes.txt";
  WriteBytes(file, "notes");
  for (const std::string& text : {file + "\\\\", file + "\\/", file + "//\\"})
    EXPECT_EQ(SaveNoticeWithFolder(Wide(text)),
              Wide("存档目录[" + text + "]是一个文件,不是文件夹,请选择或填写存档目录!"));
  EXPECT_EQ(ReadBytes(file), "notes");
  EXPECT_EQ(FolderEntries(folder_), std::vector<std::wstring>{L"notes.txt"});
  MainForm().SetEditContent(目录编辑框, DocumentFolder());
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// A folder text with a character that no name may hold names a folder that
// is not there, whatever a search for the file in it says of the name. A
// wildcard, "*" or "?", is named as the character it is, in any name of the
// folder, typed with "/" too.
TEST_F(BadInputTest, AFolderWithACharacterNoNameMayHoldIsSaidToBeMissing) {
  FillInAndSave();
  for (const char* name : {"a<b", "a>b", "a|b", "a\"b"}) {
    const std::string text = folder_ + name + "\\";
    EXPECT_EQ(SaveNoticeWithFolder(Wide(text)), Wide("NPC文件[" + text + "wangwu.pst]保存失败,存档目录不存在!"));
  }
  const std::pair<std::string, const char*> wildcards[] = {
      {folder_ + "a*b\\", "星号(*)"}, {folder_ + "a?b\\", "问号(?)"}, {"C:\\t3\\a*b\\", "星号(*)"},
      {"C:\\?\\", "问号(?)"}, {"\\\\?\\C:\\t3\\*\\", "星号(*)"}, {"//?/C:/t3/?*/", "问号(?)"},
      {"\\\\server?\\share\\", "问号(?)"}, {folder_ + "王*五/", "星号(*)"}};
  for (const auto& [text, named] : wildcards)
    EXPECT_EQ(SaveNoticeWithFolder(Wide(text)),
              Wide("存档目录[" + text + "]不能含有" + named + ",请选择或填写存档目录!"));
  EXPECT_EQ(FolderEntries(folder_), std::vector<std::wstring>{});
  MainForm().SetEditContent(目录编辑框, DocumentFolder());
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// A folder typed in the extended-length form whose last name ends in dots,
// and that is not there, beside folders of that name with fewer dots or
// none: a search takes the dots at the end of a name that it looks for as
// matching the end of a name, and finds those, which are folders. The
// folder typed is said to be missing, not a device or a pipe; nothing is
// written into the folders beside it.
TEST_F(BadInputTest, AMissingFolderWhoseNameEndsInDotsBesideOneWithFewerIsSaidToBeMissing) {
  FillInAndSave();
  const struct {
    const char* typed;
    std::vector<std::wstring> beside;
  } rows[] = {
      {"e_dot..", {L"e_dot", L"e_dot."}},
      {"e_dot..", {L"e_dot."}},
      {"e_dot..", {L"e_dot"}},
      {"two...", {L"two.."}},
  };
  for (const auto& [typed, beside] : rows) {
    const std::string text = "\\\\?\\" + folder_ + typed + "\\";
    SCOPED_TRACE(text + " beside " + std::to_string(beside.size()) + " folder(s)");
    RemoveFolder(folder_);
    ASSERT_TRUE(CreateDirectoryW(Wide(folder_).c_str(), nullptr));
    for (const std::wstring& name : beside) {
      ASSERT_TRUE(CreateDirectoryW(ExtendedPath(Wide(folder_) + name).c_str(), nullptr));
    }
    EXPECT_EQ(SaveNoticeWithFolder(Wide(text)), Wide("NPC文件[" + text + "wangwu.pst]保存失败,存档目录不存在!"));
    EXPECT_EQ(FolderEntries(folder_), beside);
    for (const std::wstring& name : beside)
      EXPECT_EQ(FolderEntries(platform::WideToGbk(Wide(folder_) + name).text), std::vector<std::wstring>{});
  }
  MainForm().SetEditContent(目录编辑框, DocumentFolder());
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// A folder typed in the extended-length form whose last name is "." or
// "..", with a separator after it or not, in an ordinary folder and in one
// whose name ends in a blank and a dot: in that form they are names, not
// steps, and no file system holds a folder of either name, though a search
// for one finds the folder's own entry for itself or its parent. The folder
// typed is said to be missing, not a device or a pipe; nothing is written.
TEST_F(BadInputTest, AFolderNamedDotOrTwoDotsInTheExtendedLengthFormIsSaidToBeMissing) {
  FillInAndSave();
  ASSERT_TRUE(CreateDirectoryW(Wide(folder_ + "normal").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(ExtendedPath(Wide(folder_ + "sp .")).c_str(), nullptr));
  for (const char* typed : {"normal\\.\\", "normal\\.", "normal\\..\\", "normal\\..", "sp .\\.\\", "sp .\\..",
                            "normal/./", "normal\\.\\.\\"}) {
    const std::string text = "\\\\?\\" + folder_ + typed;
    SCOPED_TRACE(text);
    EXPECT_EQ(SaveNoticeWithFolder(Wide(text)),
              Wide("NPC文件[" + WithTrailingBackslash(text) + "wangwu.pst]保存失败,存档目录不存在!"));
  }
  EXPECT_EQ(FolderEntries(folder_), (std::vector<std::wstring>{L"normal", L"sp ."}));
  EXPECT_EQ(FolderEntries(folder_ + "normal"), std::vector<std::wstring>{});
  EXPECT_EQ(FolderEntries(folder_ + "sp ."), std::vector<std::wstring>{});
  EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{L"wangwu.pst"});
  MainForm().SetEditContent(目录编辑框, DocumentFolder());
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// Every ASCII character, and the full-width forms of "*" and "?", in a
// folder's name: wherever the system makes a folder of that name, the save
// refuses no folder text that names it for a wildcard (the full-width forms
// are characters of names). Only "*" and "?" make no folder, plain or in the
// extended-length form, and only they are named as wildcards: no folder that
// a save could go into is refused. Every other character of UTF-16 is no
// wildcard (FolderCheck.OnlyAStarOrAQuestionMarkIsAWildcard).
TEST(FolderWildcardTest, NoFolderTheSystemMakesIsRefusedForAWildcard) {
  const std::wstring base = Wide(FolderOnC("通配符"));
  std::vector<wchar_t> characters = {L'\uFF0A', L'\uFF1F'};
  for (wchar_t c = 1; c < 0x80; ++c) characters.push_back(c);
  for (const wchar_t c : characters) {
    SCOPED_TRACE(int(c));
    const std::wstring folder = base + L"a" + c + L"b";
    const bool made = c != L'\\' && c != L'/' && CreateDirectoryW(ExtendedPath(folder).c_str(), nullptr);
    const bool wildcard = c == L'*' || c == L'?';
    EXPECT_EQ(FolderWildcard(folder + L"\\"), wildcard ? c : 0);
    const std::string refusal = DocumentFolderRefusal(folder + L"\\");
    EXPECT_EQ(refusal.find("]不能含有") != std::string::npos, wildcard) << refusal;
    if (wildcard) {
      EXPECT_FALSE(made);
      EXPECT_FALSE(CreateDirectoryW(folder.c_str(), nullptr));
    } else if (made) {
      EXPECT_EQ(refusal, "");
      EXPECT_TRUE(RemoveDirectoryW(ExtendedPath(folder).c_str()));
    }
  }
  RemoveFolder(base);
}
