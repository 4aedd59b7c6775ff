// Where a save must not go through or must not lose anything: a read-only
// file, a file made by another program during the save, a replaced file's
// attributes, the save's new file removed by a program of the host, the
// document folder taken away during the save, links of the host beside the
// document and a link to nothing in its place, a folder whose name is as
// long as names can be, a document folder deeper
// than MAX_PATH and one of 100,000 characters, written, read back and
// refused there through the real window. (A disk that fails the save has
// its own program.)
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>
#include <utility>

#include "app/file_paths.h"
#include "app/npc_script.h"
#include "platform/gbk_convert.h"
#include "tests/app/document_fixture.h"
#include "tests/support/save_steps.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

// A file that the user has given attributes of its own keeps them after a
// replace: hidden, system and archive marks (a file moved into its place
// would have none of them). Nothing is left beside it.
TEST_F(DocumentTest, AReplacedFileKeepsItsAttributes) {
  WriteBytes(zhangSan_, "an older, much longer file than the one written now\r\n" + ExpectedFile());
  const std::wstring wide = Wide(zhangSan_);
  const DWORD marks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  ASSERT_TRUE(SetFileAttributesW(wide.c_str(), marks));
  ASSERT_EQ(GetFileAttributesW(wide.c_str()), marks);
  TypeInto(名字编辑框, L"张三");
  std::vector<SeenDialog> seen = Generate({PressButton(IDYES), PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].text, Wide("NPC文件[" + zhangSan_ + "]已经生成!"));
  EXPECT_EQ(ReadBytes(zhangSan_), NpcScriptFileBytes(Npc().NpcOutputLines));
  EXPECT_EQ(GetFileAttributesW(wide.c_str()), marks);
  EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{L"zhangsan.pst"});  // nothing left beside it
}

// Windows refuses to replace a read-only file and so does the tool, under
// Wine too: the notice that says so, at once and without the question that
// no answer could make good, the form and the file as they were.
TEST_F(DocumentTest, AReadOnlyFileIsRefusedAtOnceWithoutTheQuestion) {
  const std::string old = "an older file\r\n";
  WriteBytes(zhangSan_, old);
  const std::wstring wide = Wide(zhangSan_);
  ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  TypeInto(名字编辑框, L"张三");
  const std::vector<std::string> shown = Shown();
  std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_EQ(seen.size(), 1u);  // no question before it
  EXPECT_EQ(seen[0].caption, L"提示");
  EXPECT_NE(seen[0].text.find(L"保存失败"), std::wstring::npos);
  EXPECT_EQ(seen[0].text, Wide("NPC文件[" + zhangSan_ + "]保存失败,文件是只读的!"));
  EXPECT_EQ(seen[0].buttons.size(), 1u);
  EXPECT_EQ(Shown(), shown);
  EXPECT_EQ(ReadBytes(zhangSan_), old);
  EXPECT_EQ(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE), DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{L"zhangsan.pst"});  // nothing left beside it
}

// Another program makes a file of the name while the tool saves, after the
// tool found none and so asked nothing: just before the move, and between
// the save's look at the name and its search for what no attributes
// describe (a file that the search alone would take for no file on disk).
// And where the tool found a link of the host to nothing there and asked
// about it, another program puts a file in the link's place between the
// save's look at the name and its search for a link to nothing (a file that
// the search alone would take for the link, which a Yes replaces). That file
// stays as it was made, the new content is not left beside it, and the
// notice says what happened. The next save asks the question.
TEST_F(DocumentTest, AFileMadeByAnotherProgramDuringTheSaveIsNamedAndKept) {
  TypeInto(名字编辑框, L"张三");
  std::vector<std::string> steps;
  {
    testsupport::SaveSteps counted;
    ASSERT_EQ(Generate({PressButton(IDOK)}).size(), 1u);
    steps = counted.steps();
  }
  const size_t move = size_t(std::find(steps.begin(), steps.end(), "CreateHardLinkW") - steps.begin());
  ASSERT_LT(move, steps.size());
  const std::string theirs = "made by another program\r\n";
  // The searches for what is at the name, in order: where the tool found
  // something there, its look for what keeps it from being replaced, before
  // the question; then the save's for what is no file on disk, and where it
  // may replace, its search for a link to nothing.
  const struct {
    const char* when;
    std::optional<size_t> search;  // the search it comes before, else the save's move
    bool inPlaceOfALinkToNothing;  // which the tool asked about, and a Yes answered
  } moments[] = {
      {"made before the move", std::nullopt, false},
      {"made before the search", 0, false},
      {"made in place of a link to nothing before the search for one", 2, true},
  };
  for (const auto& moment : moments) {
    SCOPED_TRACE(moment.when);
    RemoveFolder(DocumentFolder());
    fs::create_directory(Wide(DocumentFolder()));
    HostLinks link;
    if (moment.inPlaceOfALinkToNothing && !link.Make(Wide(zhangSan_), L"nowhere.pst"))
      GTEST_SKIP() << "not under Wine: no host to make links with";
    bool made = false;
    std::vector<SeenDialog> seen;
    {
      testsupport::SaveSteps racing;
      const auto make = [&] {
        if (moment.inPlaceOfALinkToNothing && !RunHostProgram(L"/bin/rm", {UnixPath(Wide(zhangSan_))})) return;
        WriteBytes(zhangSan_, theirs);
        made = true;
      };
      if (moment.search) racing.BeforeTheSearch(make, *moment.search);
      else racing.StopBefore(move, make);
      seen = moment.inPlaceOfALinkToNothing ? Generate({PressButton(IDYES), PressButton(IDOK)})
                                            : Generate({PressButton(IDOK)});
    }
    ASSERT_TRUE(made);
    if (moment.inPlaceOfALinkToNothing) {
      ASSERT_EQ(seen.size(), 2u);
      EXPECT_EQ(seen[0].text, Wide("NPC存档文件[" + zhangSan_ + "]已经存在,是否覆盖!"));
      seen.erase(seen.begin());
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, L"提示");
    EXPECT_EQ(seen[0].text, Wide("NPC文件[" + zhangSan_ + "]保存失败,保存时已有其他程序建立了同名文件,请再保存一次!"));
    EXPECT_EQ(ReadBytes(zhangSan_), theirs);
    EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{L"zhangsan.pst"});  // nothing left beside it
    seen = Generate({PressButton(IDNO)});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, Wide("NPC存档文件[" + zhangSan_ + "]已经存在,是否覆盖!"));
    EXPECT_EQ(ReadBytes(zhangSan_), theirs);
  }
}

// A link of the Linux host to nothing where the document goes, as anyone who
// may write into the folder can make it: the search finds its name, so the
// save asks whether to replace it; a No leaves it, a Yes saves the document
// in its place, the link itself replaced, and nothing is made where it
// pointed. The next save asks and replaces as ever.
TEST_F(DocumentTest, AHostLinkToNothingWhereTheDocumentGoesIsReplacedAfterTheQuestion) {
  const std::string qianqi = DocumentFolder() + "qianqi.pst";
  HostLinks made;
  if (!made.Make(Wide(qianqi), L"nowhere.pst")) GTEST_SKIP() << "not under Wine: no host to make links with";
  TypeInto(名字编辑框, L"钱七");
  const std::wstring question = Wide("NPC存档文件[" + qianqi + "]已经存在,是否覆盖!");
  std::vector<SeenDialog> seen = Generate({PressButton(IDNO)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, question);
  EXPECT_TRUE(HostLinks::PointsTo(Wide(qianqi), L"nowhere.pst"));
  for (int save = 0; save < 2; ++save) {
    SCOPED_TRACE(save);
    seen = Generate({PressButton(IDYES), PressButton(IDOK)});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, question);
    EXPECT_EQ(seen[1].text, Wide("NPC文件[" + qianqi + "]已经生成!"));
    EXPECT_EQ(ReadBytes(qianqi), NpcScriptFileBytes(Npc().NpcOutputLines));
    EXPECT_TRUE(RunHostProgram(L"/bin/sh", {L"-c", L"[ -f \"$0\" ] && [ ! -L \"$0\" ]", UnixPath(Wide(qianqi))}));
    EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{L"qianqi.pst"});
  }
}

// A program of the Linux host removes the save's new file just before it
// would take the document's place: the notice says so and asks for another
// save; the document is as it was, and the next save writes it.
TEST_F(DocumentTest, TheNewFileRemovedByAHostProgramDuringTheSaveIsNamed) {
  if (UnixPath(Wide(DocumentFolder())).empty()) GTEST_SKIP() << "not under Wine: no host program to remove it";
  const std::string old = "an older file\r\n";
  WriteBytes(zhangSan_, old);
  TypeInto(名字编辑框, L"张三");
  const auto generate = [&] { return Generate({PressButton(IDYES), PressButton(IDOK)}); };
  const std::vector<std::string> steps = SaveStepsThroughTheWindow(generate);
  WriteBytes(zhangSan_, old);
  const size_t move = testsupport::StepOfTheMove(steps);
  ASSERT_LT(move, steps.size());
  bool removed = false;
  std::vector<SeenDialog> seen;
  {
    testsupport::SaveSteps racing;
    racing.StopBefore(move, [&] {
      for (const std::wstring& name : FolderEntries(DocumentFolder()))
        if (name != L"zhangsan.pst") removed = RunHostProgram(L"/bin/rm", {UnixPath(Wide(DocumentFolder()) + name)});
    });
    seen = generate();
  }
  ASSERT_TRUE(removed);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].caption, L"提示");
  EXPECT_EQ(seen[1].text,
            Wide("NPC文件[" + zhangSan_ + "]保存失败,保存时其他程序删除了正在写入的临时文件,请再保存一次!"));
  EXPECT_EQ(ReadBytes(zhangSan_), old);
  EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{L"zhangsan.pst"});
  seen = generate();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].text, Wide("NPC文件[" + zhangSan_ + "]已经生成!"));
  EXPECT_EQ(ReadBytes(zhangSan_), ExpectedFile());
}

// Another program takes the document folder away between the save's new
// file and its move: moves it (a Windows program or one of the host), moves
// the folder above it or the one above that, removes it, or moves it and puts
// a file in its place; or it first makes a second name of the new file (a
// hard link: beside the folder, inside it, or there while the folder goes
// out of the folder above it). Or, as the new file is written or put on
// disk, it moves the folder and makes another of its name in its place,
// empty or with a file of its own under the new file's name. The notice
// says that the folder is not there (where a folder of its name is, that
// it was moved away or replaced, and that nothing was saved), not that the
// new file was removed nor that the document was made; the document is not
// made, and nothing
// that the save made stays behind, in the moved folder neither, which holds
// what it held (the older document, over which the save went), save where
// the folder went out of the deepest folder above it that is still there,
// whose folders alone the search for the new file walks: there the new file
// stays. A second name of the new file is another program's and stays, whole,
// and so does its file in the new folder.
// Of a new document and over one.
TEST_F(DocumentTest, TheFolderTakenAwayDuringTheSaveIsNamedAndTheNewFileGoesWithIt) {
  const std::string top = folder_ + "top\\", above = top + "above\\", folder = above + "folder\\",
                    file = folder + "zhangsan.pst", beside = above + "moved\\", further = top + "moved\\",
                    furthest = folder_ + "moved\\";
  const std::string old = "an older file\r\n";
  TypeInto(名字编辑框, L"张三");
  MainForm().SetEditContent(目录编辑框, folder);
  const auto withoutSeparator = [](const std::string& path) { return Wide(path.substr(0, path.size() - 1)); };
  const auto moveFolder = [&] {
    return MoveFileW(withoutSeparator(folder).c_str(), withoutSeparator(beside).c_str()) != 0;
  };
  const auto isNewFile = [](const std::wstring& name) { return name.starts_with(L"zhangsan.pst.saving-"); };
  // Another program's second name of the new file at `path`.
  const auto linkTheNewFile = [&](const std::string& path) {
    const std::vector<std::wstring> names = FolderEntries(folder);
    const auto made = std::find_if(names.begin(), names.end(), isNewFile);
    return made != names.end() && CreateHardLinkW(Wide(path).c_str(), (Wide(folder) + *made).c_str(), nullptr) != 0;
  };
  // The folder moved and another made in its place; in it, where `theirs`
  // is not empty, another program's file of the new file's name.
  const std::string theirs = "theirs";
  const auto replaceFolder = [&](const std::string& made) {
    const std::vector<std::wstring> names = FolderEntries(folder);
    const auto newFile = std::find_if(names.begin(), names.end(), isNewFile);
    if (newFile == names.end() || !moveFolder() || !fs::create_directory(Wide(folder))) return false;
    if (!made.empty()) WriteBytes(folder + platform::WideToGbk(*newFile).text, made);
    return true;
  };
  const struct {
    const char* what;
    bool over;
    std::function<bool()> take;
    std::string left;  // the folder that holds what the document folder held then; none when empty
    std::string secondName = "";  // where the second name of the new file is then; none when empty
    bool newFileKept = false;  // it went out of the deepest folder above that is still there, and stays in `left`
    const char* at = nullptr;  // the step that the save is held before; the move when none
    std::string inTheNewFolder = "";  // what another program's file in the folder put in its place holds
    bool replaced = false;            // another folder is in the folder's place
  } taken[] = {
      {"the folder moved", false, moveFolder, beside},
      {"the folder moved", true, moveFolder, beside},
      {"the folder moved by a program of the host", true,
       [&] {
         const std::wstring from = UnixPath(withoutSeparator(folder)), into = UnixPath(withoutSeparator(above));
         return !from.empty() && !into.empty() && RunHostProgram(L"/bin/mv", {from, into + L"/moved"});
       },
       beside},
      {"the folder above moved", true,
       [&] { return MoveFileW(withoutSeparator(above).c_str(), withoutSeparator(further).c_str()) != 0; },
       further + "folder\\"},
      {"the folder two above moved", false,
       [&] { return MoveFileW(withoutSeparator(top).c_str(), withoutSeparator(furthest).c_str()) != 0; },
       furthest + "above\\folder\\"},
      {"the folder two above moved", true,
       [&] { return MoveFileW(withoutSeparator(top).c_str(), withoutSeparator(furthest).c_str()) != 0; },
       furthest + "above\\folder\\"},
      {"the folder removed by a program of the host", true,
       [&] {
         const std::wstring host = UnixPath(withoutSeparator(folder));
         return !host.empty() && RunHostProgram(L"/bin/rm", {L"-r", host});
       },
       ""},
      {"a file put in the folder's place", false,
       [&] {
         if (!moveFolder()) return false;
         WriteBytes(folder.substr(0, folder.size() - 1), "a file of the folder's name\r\n");
         return true;
       },
       beside},
      {"a second name of the new file made beside the folder, then the folder moved", false,
       [&] { return linkTheNewFile(above + "keep_link") && moveFolder(); }, beside, above + "keep_link"},
      {"a second name of the new file made beside the folder, then the folder moved", true,
       [&] { return linkTheNewFile(above + "keep_link") && moveFolder(); }, beside, above + "keep_link"},
      {"a second name of the new file made in the folder, then the folder moved", false,
       [&] { return linkTheNewFile(folder + "keep_link") && moveFolder(); }, beside, beside + "keep_link"},
      {"a second name of the new file made beside the folder, then the folder moved out of the folder above", false,
       [&] {
         return linkTheNewFile(above + "keep_link") &&
                MoveFileW(withoutSeparator(folder).c_str(), withoutSeparator(further).c_str()) != 0;
       },
       further, above + "keep_link", true},
      {"an empty folder put in the folder's place as the new file is written", false, [&] { return replaceFolder(""); },
       beside, "", false, "WriteFile", "", true},
      {"an empty folder put in the folder's place as the new file is written", true, [&] { return replaceFolder(""); },
       beside, "", false, "WriteFile", "", true},
      {"a folder with another program's file of the new file's name put in the folder's place as the new file is "
       "put on disk",
       false, [&] { return replaceFolder(theirs); }, beside, "", false, "FlushFileBuffers", theirs, true},
      {"a folder with another program's file of the new file's name put in the folder's place as the new file is "
       "put on disk",
       true, [&] { return replaceFolder(theirs); }, beside, "", false, "FlushFileBuffers", theirs, true},
  };
  const auto prepare = [&](bool over) {
    RemoveFolder(folder_);
    for (const std::string& made : {folder_, top, above, folder}) fs::create_directory(Wide(made));
    if (over) WriteBytes(file, old);
  };
  const auto generator = [&](bool over) {
    return [this, over] {
      return Generate(over ? std::vector{PressButton(IDYES), PressButton(IDOK)} : std::vector{PressButton(IDOK)});
    };
  };
  std::vector<std::string> stepsOf[2];  // of a new document, over one
  for (const bool over : {false, true}) {
    prepare(over);
    stepsOf[over] = SaveStepsThroughTheWindow(generator(over));
  }
  for (const auto& [what, over, take, left, secondName, newFileKept, at, inTheNewFolder, replaced] : taken) {
    SCOPED_TRACE(std::string(what) + (over ? ", over a document" : ", a new document"));
    const std::vector<std::string>& steps = stepsOf[over];
    const size_t move = at ? size_t(std::find(steps.begin(), steps.end(), at) - steps.begin())
                           : testsupport::StepOfTheMove(steps);
    ASSERT_LT(move, steps.size());
    prepare(over);
    bool took = false;
    std::vector<SeenDialog> seen;
    {
      testsupport::SaveSteps stopped;
      stopped.StopBefore(move, [&, &take = take] { took = take(); });
      seen = generator(over)();
    }
    ASSERT_TRUE(took);
    ASSERT_EQ(seen.size(), over ? 2u : 1u);
    EXPECT_EQ(seen.back().caption, L"提示");
    EXPECT_EQ(seen.back().text,
              Wide("NPC文件[" + file + "]保存失败," +
                   (replaced ? "保存时存档目录被其他程序移走或替换了,文件没有保存,请检查存档目录后再保存一次"
                             : "存档目录不存在") +
                   "!"));
    EXPECT_EQ(ReadBytes(file), "<missing>");
    if (!secondName.empty()) {
      EXPECT_EQ(ReadBytes(secondName), ExpectedFile());
    }
    if (!inTheNewFolder.empty()) {
      const std::vector<std::wstring> entries = FolderEntries(folder);
      ASSERT_EQ(entries.size(), 1u);
      EXPECT_TRUE(isNewFile(entries[0])) << platform::WideToGbk(entries[0]).text;
      EXPECT_EQ(ReadBytes(folder + platform::WideToGbk(entries[0]).text), inTheNewFolder);
    }
    if (!left.empty()) {
      std::vector<std::wstring> entries = FolderEntries(left);
      const auto kept = std::remove_if(entries.begin(), entries.end(), isNewFile);
      EXPECT_EQ(entries.end() - kept, newFileKept ? 1 : 0);
      entries.erase(kept, entries.end());
      std::vector<std::wstring> held;
      if (over) held.push_back(L"zhangsan.pst");
      if (secondName == left + "keep_link") held.push_back(L"keep_link");
      std::sort(entries.begin(), entries.end());
      std::sort(held.begin(), held.end());
      EXPECT_EQ(entries, held);
      EXPECT_EQ(ReadBytes(left + "zhangsan.pst"), over ? old : "<missing>");
    }
  }
  RemoveFolder(folder_);
  fs::create_directory(Wide(folder_));
}

// The document folder moved within a drive while its root is the nearest
// folder still above it: the notice names the folder gone, and the save does
// not look for its new file below the root (under Wine that search walks
// every folder below it, and Z:'s is the host's whole file system), so the
// new file stays where the folder went. The drive is the test's own.
TEST_F(DocumentTest, AFolderTakenAwayBelowADrivesRootIsNamedWithoutASearchOfTheDrive) {
  const std::string root = folder_ + "root\\";
  RemoveFolder(folder_);
  for (const std::string& made : {folder_, root, root + "folder\\"}) fs::create_directory(Wide(made));
  const testsupport::MappedDrive drive(Wide(root));
  ASSERT_NE(drive.letter(), 0);
  const std::string folder = std::string(1, char(drive.letter())) + ":\\folder\\", file = folder + "zhangsan.pst";
  TypeInto(名字编辑框, L"张三");
  MainForm().SetEditContent(目录编辑框, folder);
  const auto generate = [this] { return Generate({PressButton(IDOK)}); };
  const size_t move = testsupport::StepOfTheMove(SaveStepsThroughTheWindow(generate));
  RemoveFolder(root + "folder\\");
  fs::create_directory(Wide(root + "folder\\"));
  bool took = false;
  std::vector<SeenDialog> seen;
  {
    testsupport::SaveSteps stopped;
    stopped.StopBefore(move, [&] { took = MoveFileW(Wide(root + "folder").c_str(), Wide(root + "moved").c_str()) != 0; });
    seen = generate();
  }
  ASSERT_TRUE(took);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen.back().text, Wide("NPC文件[" + file + "]保存失败,存档目录不存在!"));
  const std::vector<std::wstring> left = FolderEntries(root + "moved\\");
  ASSERT_EQ(left.size(), 1u);
  EXPECT_TRUE(left[0].starts_with(L"zhangsan.pst.saving-")) << left[0];
  RemoveFolder(folder_);
  fs::create_directory(Wide(folder_));
}

// Links of the Linux host beside the document under names of its leftovers
// (as anyone who may write into a shared folder can make them): to the
// document itself, to another NPC's document, to a file in another folder, to
// a folder, and to nothing. The user saves 张三 over his document and as a new
// one: "已经生成!" comes, the document holds what was saved, and every link
// and what it points to stay as they were.
TEST_F(DocumentTest, HostLinksNamedLikeLeftoversAreLeftWithWhatTheyPointTo) {
  const std::wstring hostElsewhere = UnixPath(Wide(folder_.substr(0, folder_.size() - 1)));  // no "/" at its end
  if (hostElsewhere.empty()) GTEST_SKIP() << "not under Wine: no host to make links with";
  TypeInto(名字编辑框, L"张三");
  const std::string lisi = DocumentFolder() + "lisi.pst", victim = folder_ + "victim.txt";
  const std::string theirs = "another NPC's document\r\n", victimContent = "a file in another folder\r\n";
  const std::wstring leftover = Wide(zhangSan_) + L".saving-";
  const struct {
    const wchar_t* digits;
    std::wstring target;
  } links[] = {
      {L"C0DE", L"zhangsan.pst"},          {L"0B0B", L"lisi.pst"}, {L"8888", hostElsewhere + L"/victim.txt"},
      {L"ABCD", UnixPath(Wide(zhangSan_))}, {L"F01D", hostElsewhere}, {L"DEAD", L"nothing-here.pst"},
  };
  for (const bool over : {true, false}) {
    SCOPED_TRACE(over ? "over his document" : "a new document");
    RemoveFolder(DocumentFolder());
    fs::create_directory(Wide(DocumentFolder()));
    if (over) WriteBytes(zhangSan_, "an older file\r\n");
    WriteBytes(lisi, theirs);
    WriteBytes(victim, victimContent);
    HostLinks made;
    for (const auto& link : links) ASSERT_TRUE(made.Make(leftover + link.digits + L".tmp", link.target));
    std::vector<SeenDialog> seen =
        Generate(over ? std::vector{PressButton(IDYES), PressButton(IDOK)} : std::vector{PressButton(IDOK)});
    ASSERT_EQ(seen.size(), over ? 2u : 1u);
    EXPECT_EQ(seen.back().text, Wide("NPC文件[" + zhangSan_ + "]已经生成!"));
    EXPECT_EQ(ReadBytes(zhangSan_), ExpectedFile());
    for (const auto& link : links)
      EXPECT_TRUE(HostLinks::PointsTo(leftover + link.digits + L".tmp", link.target)) << link.digits;
    EXPECT_EQ(ReadBytes(lisi), theirs);
    EXPECT_EQ(ReadBytes(victim), victimContent);
    EXPECT_EQ(FolderEntries(folder_), std::vector<std::wstring>{L"victim.txt"});
  }
}

// A folder whose name is as long as names can be, 255 characters: the file is
// written there and replaced there like anywhere else.
TEST_F(DocumentTest, AFolderWhoseNameHas255CharactersTakesTheFile) {
  const std::string folder = folder_ + std::string(255, 'f') + "\\", file = folder + "zhangsan.pst";
  ASSERT_TRUE(CreateDirectoryW(ExtendedPath(Wide(folder)).c_str(), nullptr));
  MainForm().SetEditContent(目录编辑框, folder);
  TypeInto(名字编辑框, L"张三");
  const std::wstring done = Wide("NPC文件[" + NoticePath(file) + "]已经生成!");
  std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, done);
  EXPECT_EQ(ReadBytes(file), ExpectedFile());
  TypeInto(HP编辑框, L"1234");
  seen = Generate({PressButton(IDYES), PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].text, done);
  EXPECT_EQ(ReadBytes(file), ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}}));
  EXPECT_EQ(FolderEntries(folder), std::vector<std::wstring>{L"zhangsan.pst"});
}

// A document folder of 287 characters, deeper than MAX_PATH: the file is
// written there and read back from there like anywhere else; what fails
// there fails with the notice and leaves nothing behind. The notices name
// such a path shortened in its middle.
TEST_F(DocumentTest, AFolderLongerThanMaxPathIsWrittenAndReadLikeAnyOther) {
  const std::string folder = MakeLongFolder(folder_, 287), file = folder + "\\zhangsan.pst";
  MainForm().SetEditContent(目录编辑框, folder);
  TypeInto(名字编辑框, L"张三");
  std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, Wide("NPC文件[" + NoticePath(file) + "]已经生成!"));
  EXPECT_EQ(ReadBytes(file), ExpectedFile());
  EXPECT_EQ(FolderEntries(folder), std::vector<std::wstring>{L"zhangsan.pst"});

  WriteBytes(file, ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}}));
  MainForm().SetEditContent(目录编辑框, DocumentFolder());
  seen = ClickAnswering(读取按钮, {ChooseFile(file)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(Npc().NpcFilePath, file);
  EXPECT_EQ(Npc().NpcHp, 1234);
  EXPECT_EQ(MainForm().EditContent(目录编辑框), folder + "\\");
  EXPECT_EQ(MainForm().EditContent(HP编辑框), "1234");
  const std::string refused = folder + "\\hp0.pst";
  WriteBytes(refused, ExpectedFile({{"int HP = 5000;", "int HP = 0;"}}));
  seen = ClickAnswering(读取按钮, {ChooseFile(refused), PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].text, Wide("NPC文档[" + NoticePath(refused) + "]不是有效的NPC文档,“int HP”的值不在可选范围内!"));
  EXPECT_NE(seen[1].text.find(L"…"), std::wstring::npos);
  EXPECT_EQ(Npc().NpcHp, 1234);
  DeleteFileW(ExtendedPath(Wide(refused)).c_str());

  const std::wstring wide = ExtendedPath(Wide(file));
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY);
  seen = Generate({PressButton(IDOK)});
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, Wide("NPC文件[" + NoticePath(file) + "]保存失败,文件是只读的!"));
  EXPECT_EQ(ReadBytes(file), ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}}));
  MainForm().SetEditContent(目录编辑框, folder + "\\不存在\\");
  seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_NE(seen[0].text.find(L"保存失败"), std::wstring::npos);
  EXPECT_EQ(seen[0].text, Wide("NPC文件[" + NoticePath(folder + "\\不存在\\zhangsan.pst") + "]保存失败,存档目录不存在!"));
  EXPECT_EQ(FolderEntries(folder), std::vector<std::wstring>{L"zhangsan.pst"});

  // As the document folder, it opens the open dialog (near it); a long path
  // of no file is refused there with a notice, and the dialog stays.
  Npc().NpcFolder = folder + "\\";
  const std::string missing = folder + "\\missing.pst";
  seen = ClickAnswering(读取按钮, {ChooseFile(missing), [](HWND complaint) {
    HWND dialog = GetWindow(complaint, GW_OWNER);
    PressButton(IDOK)(complaint);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].caption, L"打开AI文档");
  EXPECT_EQ(seen[1].caption, L"提示");
  EXPECT_EQ(seen[1].text, Wide("文件[" + NoticePath(missing) + "]不存在或路径过长,无法打开!"));
  EXPECT_EQ(Npc().NpcFilePath, "");
  EXPECT_EQ(MainForm().EditContent(HP编辑框), "1234");
}

// A folder text of 100,000 characters: the notice names the path shortened
// in its middle, so that the whole message, the reason at its end included,
// stays in view in a box of a few lines.
TEST_F(DocumentTest, TheNoticeForAFolderOf100000CharactersKeepsItsReasonInView) {
  std::string folder = DocumentFolder();
  for (int i = 0; i < 100000; ++i) folder += "长";
  folder += "\\";
  MainForm().SetEditContent(目录编辑框, folder);
  ASSERT_EQ(MainForm().EditContent(目录编辑框), folder);
  TypeInto(名字编辑框, L"张三");
  RECT box = {};
  std::vector<SeenDialog> seen = Generate({[&box](HWND dialog) {
    GetWindowRect(dialog, &box);
    PressButton(IDOK)(dialog);
  }});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, L"提示");
  const std::wstring& text = seen[0].text;
  const std::wstring end = L"长长长\\zhangsan.pst]保存失败,存档目录不存在!";
  const std::wstring start = L"NPC文件[" + Wide(DocumentFolder()).substr(0, 3);  // the drive
  EXPECT_EQ(text.substr(0, start.size()), start);
  EXPECT_NE(text.find(L"…"), std::wstring::npos);
  ASSERT_GE(text.size(), end.size());
  EXPECT_EQ(text.substr(text.size() - end.size()), end);
  EXPECT_LE(text.size(), kNoticePathLimit + std::wstring(L"NPC文件[]保存失败,存档目录不存在!").size());
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LT(box.bottom - box.top, (work.bottom - work.top) / 4);
  EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{});
}
