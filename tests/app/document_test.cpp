// "生成并保存" and "读取NPC文档..." on the real window: the files written, byte
// for byte, read back and saved again; the questions and notices; what both
// refuse.
#include <gtest/gtest.h>

#include "app/npc_script.h"
#include "app/open_file_dialog.h"
#include "app/script_reader.h"
#include "platform/folders.h"
#include "tests/app/document_fixture.h"
#include "tests/app/npc_test_record.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;


TEST_F(DocumentTest, TheStartFileIsWrittenAndReplacedOnlyAfterYesAndOnlyWhole) {
  MainForm().SetEditContent(目录编辑框, DocumentFolder().substr(0, DocumentFolder().size() - 1));  // gets its "\"
  TypeInto(名字编辑框, L"张三");
  std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  const std::wstring done = Wide("NPC文件[" + zhangSan_ + "]已经生成!");
  EXPECT_EQ(seen[0].text, done);
  EXPECT_EQ(seen[0].caption, L"提示");  // the tool's caption, not the system's "Error"
  EXPECT_EQ(ReadBytes(zhangSan_), ExpectedFile());
  EXPECT_EQ(ReadBytes(zhangSan_), NpcScriptFileBytes(Npc().NpcOutputLines));

  const std::string old = "an older, much longer file than the one written now\r\n" + ExpectedFile();
  WriteBytes(zhangSan_, old);
  seen = Generate({PressButton(IDNO)});
  ASSERT_EQ(seen.size(), 1u);  // the question only: no notice after No
  EXPECT_EQ(seen[0].caption, L"提示");
  EXPECT_EQ(seen[0].text, Wide("NPC存档文件[" + zhangSan_ + "]已经存在,是否覆盖!"));
  EXPECT_EQ(seen[0].buttons.size(), 2u);
  EXPECT_EQ(ReadBytes(zhangSan_), old);
  // Held open by another program that lets nobody else write or delete it.
  HANDLE held = CreateFileW(Wide(zhangSan_).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  seen = Generate({PressButton(IDYES), PressButton(IDOK)});
  CloseHandle(held);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_NE(seen[1].text.find(L"保存失败"), std::wstring::npos);
  EXPECT_EQ(seen[1].text, Wide("NPC文件[" + zhangSan_ + "]保存失败,文件正被其他程序占用!"));
  EXPECT_EQ(ReadBytes(zhangSan_), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(Wide(DocumentFolder())), {}), 1);  // nothing left beside it
  seen = Generate({PressButton(IDYES), PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].text, done);
  EXPECT_EQ(ReadBytes(zhangSan_), ExpectedFile());
  EXPECT_EQ(ReadBytes(zhangSan_), NpcScriptFileBytes(Npc().NpcOutputLines));
}

TEST_F(DocumentTest, ItemsPickedByTheUserReachTheFile) {
  TypeInto(名字编辑框, L" ＡＢ李\u3000四 ");
  // 毒镖, 重锤, 巡逻跟随, and hit chances 40 + 40 + 20 = 100.
  for (auto [unit, item] : {std::pair{主武器组合框, 9}, {副武器组合框, 4}, {行为组合框, 7}, {视野组合框, 19},
                            {轻击组合框, 3}, {重击组合框, 1}, {命中率组合框, 18}})
    Pick(unit, item);
  ClickUnit(中立单选框);
  TypeInto(HP编辑框, L"99");  // the box's rule makes it 3000
  ASSERT_EQ(Generate({PressButton(IDOK)}).size(), 1u);
  EXPECT_EQ(ReadBytes(DocumentFolder() + "lisi.pst"), ExpectedFile({
      {"string Name=\"张三\";", "string Name=\"AB李四\";"}, {"int Weapon =18;", "int Weapon =10;"},
      {"int Weapon2 = 56;", "int Weapon2 = 18;"}, {"int Team =1;", "int Team =0;"},
      {"int View =800;", "int View =2000;"}, {"int Attack1=20;", "int Attack1=40;"},
      {"int Attack3 =40;", "int Attack3 =20;"}, {"int Aim=45;", "int Aim=100;"},
      {"int HP = 5000;", "int HP = 3000;"},
      {"\tChangeBehavior(g_self, \"follow\", \"player\");",
       "\tChangeBehavior(g_self, \"patrol\", 129, 73, 133, 134, 71, 79, 78, 77, 74, 69);\r\n"
       "\tChangeBehavior(g_self, \"follow\", \"player\");"}}));
  EXPECT_EQ(ReadBytes(DocumentFolder() + "lisi.pst"), NpcScriptFileBytes(Npc().NpcOutputLines));
}

TEST_F(DocumentTest, BadNamesAndFailedWritesAreRefusedWithANoticeAndNoFile) {
  const std::string missing = platform::ProgramDirectory() + "\\no such folder\\";
  // No Chinese character (no file part: ".pst"), a quote that would end the
  // script's string, a semicolon that would end its statement, a character
  // GBK cannot hold (not "?"), a folder that is not there.
  for (auto [name, folder] : {std::pair{L"Abc", DocumentFolder()}, {L"张\"三", DocumentFolder()}, {L"张;三", DocumentFolder()},
                              {L"张ก", DocumentFolder()}, {L"张三", missing}}) {
    SCOPED_TRACE(folder);
    MainForm().SetEditContent(目录编辑框, folder);
    TypeInto(名字编辑框, name);
    std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, L"提示");
    EXPECT_EQ(seen[0].text.find(L"已经生成"), std::wstring::npos);
  }
  const std::wstring notice = Generate({PressButton(IDOK)}).at(0).text;
  EXPECT_NE(notice.find(L"保存失败"), std::wstring::npos);
  EXPECT_EQ(notice, Wide("NPC文件[" + missing + "zhangsan.pst]保存失败,存档目录不存在!"));
  EXPECT_EQ(std::distance(fs::directory_iterator(Wide(DocumentFolder())), {}), 0);
  EXPECT_FALSE(fs::exists(Wide(missing)));
}

// A folder text that is not a full path would put the file wherever the
// current directory is: beside the program at first, in the folder of the
// last file read after a read through the open dialog. Refused, and nothing
// is written anywhere.
TEST_F(DocumentTest, AFolderThatIsNoFullPathIsRefusedAndNothingIsWritten) {
  const std::string beside = platform::ProgramDirectory() + "\\";
  for (const std::string& folder : {beside, folder_}) {  // as no earlier run left them
    DeleteFileW(Wide(folder + "sunba.pst").c_str());
    RemoveFolder(folder + "sub");
    ASSERT_TRUE(CreateDirectoryW(Wide(folder + "sub").c_str(), nullptr));
  }
  const std::string file = folder_ + "wangwu.pst";
  WriteBytes(file, ExpectedFile({{"string Name=\"张三\";", "string Name=\"王五\";"}}));
  const std::wstring notRelative = L"]不是完整的路径,请选择或填写以盘符(如C:\\)或网络路径(如\\\\服务器\\共享\\)开头的存档目录!";
  for (bool afterRead : {false, true}) {
    if (afterRead) {
      ASSERT_EQ(ClickAnswering(读取按钮, {ChooseFile(file)}).size(), 1u);
      ASSERT_EQ(MainForm().EditContent(目录编辑框), folder_);
    }
    for (const char* folder : {"", "   ", "sub", "sub\\", "\\sub\\", "C:sub\\"}) {
      SCOPED_TRACE(std::string(folder) + (afterRead ? " after a read" : ""));
      MainForm().SetEditContent(目录编辑框, folder);
      TypeInto(名字编辑框, L"孙八");
      std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
      ASSERT_EQ(seen.size(), 1u);
      EXPECT_EQ(seen[0].caption, L"提示");
      EXPECT_EQ(seen[0].text, *folder == '\0' || *folder == ' ' ? L"存档目录不能为空,请选择或填写存档目录!"
                                                           : L"存档目录[" + Wide(folder) + notRelative);
      EXPECT_EQ(MainForm().EditContent(目录编辑框), folder);
    }
  }
  const std::string current = platform::CurrentDirectory() + "\\";
  for (const std::string& folder : {beside, folder_, current}) {
    SCOPED_TRACE(folder);
    for (const char* name : {"sunba.pst", "sub\\sunba.pst"})
      EXPECT_FALSE(fs::exists(Wide(folder + name))) << name;
  }
  EXPECT_FALSE(fs::exists(L"C:\\sub\\sunba.pst"));
  EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{});
}

// A folder where the file would go: a file cannot take its place, so nothing
// is asked; the notice says what stands there.
TEST_F(DocumentTest, AFolderOfTheFilesNameIsNamedAndNothingIsAsked) {
  ASSERT_TRUE(CreateDirectoryW(Wide(zhangSan_).c_str(), nullptr));
  TypeInto(名字编辑框, L"张三");
  std::vector<SeenDialog> seen = Generate({PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, L"提示");
  EXPECT_EQ(seen[0].buttons.size(), 1u);
  EXPECT_EQ(seen[0].text, Wide("NPC文件[" + zhangSan_ + "]保存失败,存档目录中已有一个同名的文件夹!"));
  EXPECT_TRUE(fs::is_directory(Wide(zhangSan_)));
  EXPECT_EQ(FolderEntries(DocumentFolder()), std::vector<std::wstring>{L"zhangsan.pst"});
  EXPECT_EQ(FolderEntries(zhangSan_), std::vector<std::wstring>{});
}

TEST_F(DocumentTest, AWrittenFileReadsBackIntoTheFormAndSavesToTheSameBytes) {
  TypeInto(名字编辑框, L"王五");
  const std::pair<Unit, int> items[] = {{主武器组合框, 8}, {副武器组合框, 11}, {行为组合框, 6},
                                        {模型组合框, 19}, {速度组合框, 0}, {夺宝组合框, 18}};
  for (auto [unit, item] : items) Pick(unit, item);
  ClickUnit(Ostrin单选框);
  TypeInto(HP编辑框, L"777");
  Generate({PressButton(IDOK)});
  const std::string written = ReadBytes(DocumentFolder() + "wangwu.pst"), moved = folder_ + "wangwu.pst";
  fs::rename(Wide(DocumentFolder() + "wangwu.pst"), Wide(moved));

  MainForm().DestroyWindowOrUnit();  // back to the start values
  MainWindowTest::SetUp();
  std::vector<SeenDialog> seen = ClickAnswering(读取按钮, {ChooseFile(moved)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, L"打开AI文档");
  platform::Form& form = MainForm();
  for (auto [unit, item] : items) EXPECT_EQ(form.ComboSelectedIndex(unit), item) << unit;
  EXPECT_TRUE(form.RadioChecked(Ostrin单选框));
  EXPECT_FALSE(form.RadioChecked(Velmar单选框));
  EXPECT_EQ(form.EditContent(名字编辑框), "王五");
  EXPECT_EQ(form.EditContent(HP编辑框), "777");
  EXPECT_EQ(form.EditContent(目录编辑框), folder_);
  EXPECT_EQ(Npc().NpcFilePath, moved);
  EXPECT_EQ(Npc().NpcWeapon, 48);
  EXPECT_EQ(Npc().NpcTeam, 2);
  EXPECT_EQ(Npc().NpcSpawn, 42);
  EXPECT_EQ(Npc().NpcInputLines.size(), 30u);
  // Saved at once: into the folder of the file read, the same bytes.
  ASSERT_EQ(Generate({PressButton(IDYES), PressButton(IDOK)}).size(), 2u);
  EXPECT_EQ(ReadBytes(moved), written);
}

TEST_F(DocumentTest, ShortOrMissingFilesAreRefusedReadOnlyOnesReadAndNothingRunsMeanwhile) {
  TypeInto(名字编辑框, L"张三");
  ClickUnit(HP编辑框);
  const NpcRecord before = Npc();
  const std::string shortFile = folder_ + "short.pst", bytes = ExpectedFile(), readOnly = folder_ + "ro.pst";
  WriteBytes(shortFile, bytes.substr(0, bytes.find("int HP")));  // 18 declaration lines
  DialogAnswerer answerer({PressButton(IDOK), PressButton(IDOK)});
  EXPECT_FALSE(ReadNpcFile(shortFile));
  EXPECT_FALSE(ReadNpcFile(folder_ + "missing.pst"));
  ASSERT_EQ(answerer.seen().size(), 2u);
  EXPECT_EQ(answerer.seen()[0].caption, L"提示");
  EXPECT_EQ(answerer.seen()[1].caption, L"提示");
  EXPECT_NE(answerer.seen()[0].text.find(Wide(shortFile)), std::wstring::npos);
  EXPECT_EQ(Npc().NpcName, before.NpcName);
  EXPECT_EQ(Npc().NpcFilePath, before.NpcFilePath);
  EXPECT_EQ(testdata::Numbers(Npc()), testdata::Numbers(before));
  EXPECT_EQ(Npc().NpcInputLines, before.NpcInputLines);
  EXPECT_EQ(MainForm().EditContent(目录编辑框), DocumentFolder());
  EXPECT_EQ(MainForm().EditContent(名字编辑框), "张三");

  WriteBytes(readOnly, ExpectedFile({{"int HP = 5000;", "int HP = 1234;"}}));
  SetFileAttributesW(Wide(readOnly).c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE held = CreateFileW(Wide(readOnly).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  // A click on the close button that is waiting when the read starts.
  PostMessageW(MainWindow(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(H(关闭按钮)));
  EXPECT_TRUE(ReadNpcFile(readOnly));
  CloseHandle(held);
  EXPECT_EQ(Npc().NpcHp, 1234);
  EXPECT_TRUE(MainForm().IsAlive());
  EXPECT_TRUE(PumpUntil([] { return !MainForm().IsAlive(); }, 2000));
}

namespace {
std::string Utf8(const std::string& gbk) {
  const std::wstring wide = Wide(gbk);
  std::string utf8(wide.size() * 3, '\0');
  utf8.resize(size_t(WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), int(utf8.size()), nullptr, nullptr)));
  return utf8;
}

std::string Utf16(const std::string& gbk) {
  const std::wstring wide = Wide(gbk);
  return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}
}  // namespace

// Files that the tool did not write: random bytes, mixed line ends, other
// encodings. Each is refused with a notice that says why, and neither the
// form nor the record changes: the next save writes what the save before the
// read wrote.
TEST_F(DocumentTest, FilesTheToolDidNotWriteAreRefusedAndChangeNothing) {
  TypeInto(名字编辑框, L"王五");
  for (auto [unit, item] : {std::pair{主武器组合框, 8}, {副武器组合框, 11}, {行为组合框, 6}, {模型组合框, 19},
                            {速度组合框, 0}, {夺宝组合框, 18}})
    Pick(unit, item);
  ClickUnit(Ostrin单选框);
  TypeInto(HP编辑框, L"777");
  ASSERT_EQ(Generate({PressButton(IDOK)}).size(), 1u);
  const std::string saved = DocumentFolder() + "wangwu.pst", savedBytes = ReadBytes(saved);
  const std::vector<std::string> shown = Shown();
  const auto record = RecordFields();

  std::string random(1 << 20, ' ');
  uint32_t seed = 20240917;
  for (char& c : random)
    do c = char((seed = seed * 1664525u + 1013904223u) >> 24); while (c == '\0' || c == '\x1A');
  // CR LF, LF alone and, after the main weapon, a lone CR.
  std::string mixed = ExpectedFile();
  for (std::string_view line : {"int Model =1;\r", "int Team =1;\r"}) mixed.erase(mixed.find(line) + line.size() - 1, 1);
  mixed.erase(mixed.find("int Weapon2") - 1, 1);
  const std::string invalid = "]不是有效的NPC文档,", inEncoding = "编码的文件,不是GBK编码的NPC文档!";
  const struct {
    const char* file;
    std::string bytes, text;  // the notice's text after "NPC文档[<path>"
  } files[] = {
      {"random.pst", random, invalid},
      {"mixed.pst", mixed, invalid + "文件中有单独的回车符(行尾应为CR LF)!"},
      {"utf8bom.pst", "\xEF\xBB\xBF" + Utf8(ExpectedFile()), "]是UTF-8" + inEncoding},
      {"utf16.pst", Utf16(ExpectedFile()), "]是UTF-16" + inEncoding},
  };
  for (const auto& [file, bytes, text] : files) {
    SCOPED_TRACE(file);
    const std::string path = folder_ + file;
    WriteBytes(path, bytes);
    std::vector<SeenDialog> seen = ClickAnswering(读取按钮, {ChooseFile(path), PressButton(IDOK)});
    seen.resize(2);  // the open dialog and the notice
    EXPECT_EQ(seen[1].caption, L"提示");
    EXPECT_EQ(seen[1].text.substr(0, Wide("NPC文档[" + path + text).size()), Wide("NPC文档[" + path + text));
    EXPECT_EQ(Shown(), shown);
    EXPECT_TRUE(RecordFields() == record);
    EXPECT_EQ(Generate({PressButton(IDYES), PressButton(IDOK)}).size(), 2u);
    EXPECT_EQ(ReadBytes(saved), savedBytes);
  }

  // UTF-8 without a mark cannot be told from GBK: 张三 in UTF-8 is 寮犱笁 in
  // GBK, a name that the tool writes, so the file is read.
  const std::string utf8 = folder_ + "utf8.pst";
  WriteBytes(utf8, Utf8(ExpectedFile()));
  ASSERT_EQ(ClickAnswering(读取按钮, {ChooseFile(utf8)}).size(), 1u);  // no notice
  EXPECT_EQ(MainForm().EditContent(名字编辑框), "\xE5\xBC\xA0\xE4\xB8\x89");
  EXPECT_EQ(Npc().NpcName, "\xE5\xBC\xA0\xE4\xB8\x89");
  EXPECT_EQ(MainForm().EditContent(HP编辑框), "5000");  // the file's, not the 777 saved before
}

// A list whose selection the read set shows it as one that the user chose
// by keyboard: the skin's picture, not the control's own text drawn over it.
TEST_F(DocumentTest, ListsSetByAReadLookAsAfterAKeyboardChoice) {
  const Unit lists[] = {模型组合框, 主武器组合框, 副武器组合框, 视野组合框, 速度组合框,
                        轻击组合框, 中击组合框, 重击组合框, 防御组合框, 逃跑组合框,
                        跳跃组合框, 张望组合框, 跑动组合框, 命中率组合框, 夺宝组合框, 行为组合框};
  const std::string file = folder_ + "lists.pst";
  WriteBytes(file, ExpectedFile({{"int Model =1;", "int Model =7;"}, {"int Weapon =18;", "int Weapon =10;"},
                                 {"int View =800;", "int View =2000;"}, {"int Attack1=20;", "int Attack1=40;"},
                                 {"int Attack3 =40;", "int Attack3 =20;"},  // hit chances 100 in all
                                 {"int Aim=45;", "int Aim=100;"}}));
  ASSERT_EQ(ClickAnswering(读取按钮, {ChooseFile(file)}).size(), 1u);
  ASSERT_EQ(Npc().NpcView, 2000);
  // Neither the mouse nor the focus on a list while it is looked at.
  auto shown = [&] {
    SetFocus(H(名字编辑框));
    MouseMoveTo(MainWindow(), 200, 8);
    PumpMessages(50);
    std::vector<PixelBuffer> pictures;
    for (Unit list : lists) pictures.push_back(CaptureWindow(H(list)));
    return pictures;
  };
  const std::vector<PixelBuffer> afterRead = shown();
  for (Unit list : lists) {
    const int item = MainForm().ComboSelectedIndex(list);
    ASSERT_GE(item, 0) << list;
    Pick(list, item == 0 ? 1 : item - 1);
    Pick(list, item);
  }
  const std::vector<PixelBuffer> afterKeys = shown();
  for (size_t i = 0; i < std::size(lists); ++i) {
    const bool same = afterRead[i].pixels == afterKeys[i].pixels;
    EXPECT_TRUE(same) << "list " << lists[i];
    if (!same) {
      SaveFailureImage(afterRead[i], "list_after_read_" + std::to_string(lists[i]));
      SaveFailureImage(afterKeys[i], "list_after_keys_" + std::to_string(lists[i]));
    }
  }
}

TEST(OpenFileDialog, ATypedNameOfAMissingFileIsNotAccepted) {
  const std::string saved = platform::CurrentDirectory();
  DialogAnswerer answerer({ChooseFile(platform::ProgramDirectory() + "\\missing.pst"), [](HWND complaint) {
    // The dialog's own "file not found" box: close it, then give up on the dialog behind it.
    HWND dialog = GetWindow(complaint, GW_OWNER);
    PressButton(IDOK)(complaint);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }});
  EXPECT_EQ(OpenFileDialog(nullptr, platform::ProgramDirectory(), "打开AI文档", "NPC文档|*.pst").text, "");
  EXPECT_EQ(answerer.seen().size(), 2u);
  EXPECT_EQ(platform::CurrentDirectory(), saved);
}
