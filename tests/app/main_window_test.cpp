// The main window after start-up, the field handlers and the folder chooser,
// driven by real input; the boxes' limits, the keyboard's way through the
// controls and the labels' room beside them; the exact Chinese test.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <fstream>
#include <optional>
#include <string>

#include "app/cjk_text.h"
#include "app/field_panels.h"
#include "app/file_paths.h"
#include "app/folder_chooser.h"
#include "app/form_setup.h"
#include "app/npc_tool.h"
#include "app/script_writer.h"
#include "platform/folders.h"
#include "platform/text_commands.h"
#include "skin/control/label_skin.h"
#include "skin/core/child_layer.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/engine/panel.h"
#include "skin/panel/panel_window.h"
#include "skin/core/parent_background.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/npc_test_record.h"
#include "tests/support/save_steps.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

TEST_F(MainWindowTest, RecordAndControlsAfterStartUpHoldTheTableValues) {
  const NpcRecord& npc = Npc();
  EXPECT_EQ(testdata::Numbers(npc), testdata::Numbers(testdata::StartRecord()));
  EXPECT_EQ(npc.NpcBehaviourText, "\tChangeBehavior(g_self, \"follow\", \"player\");\r\n}");
  EXPECT_EQ(npc.NpcName, "");
  EXPECT_EQ(npc.NpcFilePart, "");
  EXPECT_EQ(npc.NpcFolder, DocumentFolder());
  EXPECT_EQ(npc.NpcFilePath, DocumentFolder());
  EXPECT_EQ(npc.NpcOutputLines, decltype(npc.NpcOutputLines){});
  EXPECT_TRUE(npc.NpcInputLines.empty());
  platform::Form& form = MainForm();
  EXPECT_EQ(WindowText(MainWindow()), L"KorvathNPC生成器");
  EXPECT_EQ(form.EditContent(目录编辑框), DocumentFolder());
  EXPECT_EQ(form.EditContent(HP编辑框), "5000");
  for (auto [unit, text] : {std::pair{主武器组合框, "重锤"}, {副武器组合框, "忍刀"}, {行为组合框, "跟随"}})
    EXPECT_EQ(form.ComboBoxGetItemText(unit, form.ComboSelectedIndex(unit)), text);
  EXPECT_EQ(form.ComboSelectedIndex(模型组合框), 1);
  EXPECT_EQ(form.ComboBoxItemCount(模型组合框), 20);
  EXPECT_TRUE(form.RadioChecked(Velmar单选框));
  EXPECT_FALSE(form.RadioChecked(Ostrin单选框));
  EXPECT_FALSE(form.RadioChecked(中立单选框));
  const PixelBuffer whole = CaptureWindow(MainWindow());
  EXPECT_EQ(whole.width, 409);
  EXPECT_EQ(whole.height, 471);
  EXPECT_EQ(focusAtStart_, H(名字编辑框));
  EXPECT_EQ(form.SelectionStart(目录编辑框), int(DocumentFolder().size()));
  PixelBuffer shot = CaptureClient(H(标签1));  // "存档目录：" in dark ink
  int ink = 0;
  for (int i = 0; i < shot.width * shot.height; ++i) ink += (shot.RgbAt(i % shot.width, i / shot.width) & 0xFF) < 0x60;
  if (ink < 40) SaveFailureImage(shot, "label_text");
  EXPECT_GE(ink, 40);
}

// The program's one start (WinMain's, and the fixture's for every test):
// the program's folder becomes the current one, the engine starts with its
// start-up options before the main window and its panels exist, and the end
// releases the engine's lists.
TEST(StartProgram, StartsTheEngineBeforeTheWindowAndEndReleasesIt) {
  SetCurrentDirectoryW(L"C:\\");
  skin::SkinEngine.options.SkinEnabled = false;
  skin::SkinEngine.options.SkinAlpha = 0;
  ASSERT_TRUE(StartProgram());
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  EXPECT_EQ(current, Wide(platform::ProgramDirectory()));
  EXPECT_TRUE(skin::SkinEngine.options.SkinEnabled);
  EXPECT_EQ(skin::SkinEngine.options.SkinAlpha, 160);
  EXPECT_TRUE(IsWindowVisible(MainWindow()));
  EXPECT_NE(PanelInsides(skin::ZqkWindows()[kFolderPanel]).panel(), nullptr);
  EXPECT_EQ(skin::SkinEngine.lists.SkinCallbackList.size(), 3u);  // one record per panel
  MainForm().DestroyWindowOrUnit();
  EndProgram();
  EXPECT_TRUE(skin::SkinEngine.lists.SkinCallbackList.empty());
}

// Every closed drop-down list is as high as the description says, the
// later ones too, which take the field height measured for the first.
TEST_F(MainWindowTest, EveryClosedListIsAsHighAsItsDescription) {
  for (const platform::UnitDescription& u : MainFormDescription().units) {
    if (u.kind != platform::UnitKind::ComboBox) continue;
    RECT r;
    GetWindowRect(H(Unit(u.id)), &r);
    EXPECT_EQ(r.bottom - r.top, u.height) << u.id;
  }
}

TEST_F(MainWindowTest, ListsAndRadiosStoreTheirValues) {
  for (const NumericCombo& combo : NumericCombos()) {
    int last = MainForm().ComboBoxItemCount(combo.unit) - 1;
    Pick(combo.unit, last);
    EXPECT_EQ(Npc().*combo.field, combo.range.last) << combo.unit;
    Pick(combo.unit, last - 1);
    EXPECT_EQ(Npc().*combo.field, combo.range.last - combo.range.step) << combo.unit;
  }
  for (auto [unit, team] : {std::pair{中立单选框, 0}, {Ostrin单选框, 2}, {Ostrin单选框, 2}, {Velmar单选框, 1}}) {
    Npc().NpcTeam = 9;  // also when it is already on
    ClickUnit(unit);
    EXPECT_TRUE(PumpUntil([team] { return Npc().NpcTeam == team; }, 2000)) << team;
  }
}

TEST_F(MainWindowTest, TheCloseButtonEndsTheWindowAndTheLoop) {
  PostMessageW(MainWindow(), WM_NULL, 0, 0);
  ClickUnit(关闭按钮);
  EXPECT_TRUE(PumpUntil([] { return !MainForm().IsAlive(); }, 2000));
  EXPECT_EQ(MainForm().RunMessageLoop(), 0);  // returns at once: no window left
}

// The name box's file name is the one the save gives the name, upper-cased:
// one rule for the pinyin, whatever else the name holds (blanks, letters,
// characters beyond GB2312 such as 乗, 亅 and 丄, whose trail bytes are
// below 0x80). The box keeps the name's blanks.
TEST_F(MainWindowTest, TheNameBoxTakesTheSavesFileNameUpperCased) {
  const std::pair<const wchar_t*, const char*> names[] = {
      {L" 张乗 Ab三", "ZHANGSAN"}, {L"Ａ亅李丄", "LI"}, {L"王五", "WANGWU"}};
  for (const auto& [name, part] : names) {
    SCOPED_TRACE(part);
    TypeInto(名字编辑框, name);
    ClickUnit(HP编辑框);  // the name box loses the focus
    const NpcRecord left = Npc();
    EXPECT_EQ(left.NpcFilePart, part);
    EXPECT_EQ(left.NpcFilePath, DocumentFolder() + part + ".pst");
    ASSERT_TRUE(BuildNpcScriptLines());  // the save's own build, from the boxes
    EXPECT_EQ(platform::ToUpper(Npc().NpcFilePart), left.NpcFilePart);
  }
  EXPECT_EQ(Npc().NpcName, "王五");
  TypeInto(名字编辑框, L" 张Ａ 三");
  ClickUnit(HP编辑框);
  EXPECT_EQ(Npc().NpcName, " 张A 三");
}

// The euro sign is one byte in code page 936, 0x80, which a file's text
// takes for the start of a two-byte character: the save refuses it.
TEST_F(MainWindowTest, AEuroSignInTheNameIsRefusedAtSave) {
  TypeInto(名字编辑框, L"张€");
  const platform::GbkText name = MainForm().EditContentChecked(名字编辑框);
  EXPECT_EQ(name.text, "张\x80");
  EXPECT_TRUE(name.exact);
  const std::vector<SeenDialog> seen = ClickAnswering(生成保存按钮, {PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, L"提示");
  EXPECT_EQ(seen[0].text, L"人物名字中有无法保存的字符,请重新填写!");
  EXPECT_FALSE(fs::exists(Wide(DocumentFolder() + "zhang.pst")));
}

// Answers the folder dialog that entry `entry` of the folder button opens.
static size_t ChooseFolder(const std::wstring& folder, int entry = 1, int button = IDOK) {
  DialogAnswerer answerer({[&](HWND dialog) {
    EXPECT_NE(FindWindowExW(dialog, nullptr, L"Static", L"选择NPC文档存放目录"), nullptr);
    if (!folder.empty()) {
      EXPECT_TRUE(SelectInFolderDialog(dialog, folder));
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  }});
  NpcChooseDocumentFolderClick(entry);  // returns when its dialog has gone
  PumpMessages();
  return answerer.seen().size();
}

// Folders on C:, which the dialog's tree reaches in two steps however busy
// the machine is (under Z:\ it expands the Linux tree a level at a time).
TEST_F(MainWindowTest, AChosenFolderGetsOneBackslashAndCancelKeepsTheFolder) {
  const std::string program = FolderOnC("选择目录"), document = program + "AI文件夹\\";
  CreateDirectoryW(Wide(document).c_str(), nullptr);
  Npc().NpcFolder = "C:\\";  // the first dialog opens there
  ChooseFolder(Wide(program));
  EXPECT_EQ(MainForm().EditContent(目录编辑框), program);
  EXPECT_EQ(MainForm().SelectionLength(目录编辑框), int(program.size()));
  EXPECT_EQ(GetFocus(), H(目录编辑框));
  EXPECT_EQ(ChooseFolder(Wide(document)), 1u);
  EXPECT_EQ(ChooseFolder(L"", 2), 0u);  // entries 2 and 0 open nothing
  EXPECT_EQ(ChooseFolder(L"", 0), 0u);
  EXPECT_EQ(BrowseInitialFolder(), program);  // it opened on the folder before
  EXPECT_EQ(Npc().NpcFolder, document);
  ChooseFolder(L"C:\\");  // a drive root keeps its single backslash
  EXPECT_EQ(ChooseFolder(L"", 1, IDCANCEL), 1u);
  EXPECT_EQ(Npc().NpcFolder, "C:\\");
  EXPECT_EQ(MainForm().EditContent(目录编辑框), "C:\\");
}

// A folder whose name has characters that GBK lacks (Korean), chosen in the
// dialog: no file could be saved into it, so the choice gets the notice that
// the same folder typed into the box gets at the save, and the box and the
// record keep the folder they held. A cancel after it still keeps it silently.
TEST_F(MainWindowTest, AChosenFolderThatGbkCannotHoldGetsTheTypedFoldersNotice) {
  const std::string parent = FolderOnC("韩文目录");
  const std::wstring korean = Wide(parent) + L"한국";
  CreateDirectoryW(korean.c_str(), nullptr);
  // Last read an hour ago, as a user's folder may be: the dialog's own
  // listing of it then moves its last access.
  AgeLastAccess(Wide(parent), 60);
  Npc().NpcFolder = parent;  // the dialog opens there
  MainForm().SetEditContent(目录编辑框, parent);
  const std::wstring notice = L"存档目录中有无法保存的字符,请重新选择!";
  DialogAnswerer answerer({[&](HWND dialog) {
                             EXPECT_TRUE(SelectInFolderDialog(dialog, korean));
                             PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                           },
                           PressButton(IDOK)});
  NpcChooseDocumentFolderClick(1);  // returns when its dialog and the notice have gone
  PumpMessages();
  ASSERT_EQ(answerer.seen().size(), 2u);
  EXPECT_EQ(answerer.seen()[1].caption, L"提示");
  EXPECT_EQ(answerer.seen()[1].text, notice);
  EXPECT_EQ(Npc().NpcFolder, parent);
  EXPECT_EQ(MainForm().EditContent(目录编辑框), parent);
  EXPECT_EQ(ChooseFolder(L"", 1, IDCANCEL), 1u);
  EXPECT_EQ(Npc().NpcFolder, parent);
  EXPECT_EQ(MainForm().EditContent(目录编辑框), parent);

  TypeInto(目录编辑框, korean + L"\\");
  TypeInto(名字编辑框, L"王五");
  const std::vector<SeenDialog> seen = ClickAnswering(生成保存按钮, {PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, notice);
  EXPECT_TRUE(fs::is_empty(korean));
  RemoveFolder(parent);
}

// Folders whose names end in a blank, a full-width blank or a dot, chosen in
// the dialog's tree, beside a folder of the name without it or alone. The
// box takes the folder exactly as the dialog names it, a name that ends in a
// dot in the extended-length form that keeps the dot, and the save of 冯一
// goes into that folder, flushes it and removes what a killed save left
// there; the folder beside it stays empty. The folder dialog and the open
// dialog open on it again, and a file read from there is the folder's own.
TEST_F(MainWindowTest, AChosenFolderTakesTheSaveAsTheDialogNamesIt) {
  const struct {
    const wchar_t* name;
    const wchar_t* beside;  // none when empty
    bool extended;
  } rows[] = {
      {L"pick ", L"pick", false},
      {L"pick\u3000", L"", false},
      {L"e_dot.", L"e_dot", true},
      {L"e_dot.", L"", true},
  };
  const std::string parent = "C:\\末尾字符\\";
  for (const auto& row : rows) {
    const std::wstring folder = Wide(parent) + row.name + L"\\", beside = Wide(parent) + row.beside + L"\\";
    const std::wstring boxed = (row.extended ? L"\\\\?\\" : L"") + folder;
    SCOPED_TRACE(platform::WideToGbk(boxed).text + (*row.beside ? " beside a folder without its last character" : ""));
    RemoveFolder(parent);
    FolderOnC("末尾字符");
    ASSERT_TRUE(CreateDirectoryW(ExtendedPath(folder).c_str(), nullptr));
    if (*row.beside) {
      ASSERT_TRUE(CreateDirectoryW(ExtendedPath(beside).c_str(), nullptr));
    }
    Npc().NpcFolder = parent;  // the dialog opens there
    EXPECT_EQ(ChooseFolder(folder), 1u);
    EXPECT_EQ(MainForm().EditContentWide(目录编辑框), boxed);
    EXPECT_EQ(Wide(Npc().NpcFolder), boxed);

    std::ofstream(ExtendedPath(folder + L"fengyi.pst.saving-0A1B.tmp").c_str(), std::ios::binary)
        << "left by a killed save";
    TypeInto(名字编辑框, L"冯一");
    std::vector<SeenDialog> saved;
    std::vector<testsupport::FileIdentity> flushed;
    {
      testsupport::SaveSteps steps;
      saved = ClickAnswering(生成保存按钮, {PressButton(IDOK)});
      flushed = steps.foldersFlushed();
    }
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].text, L"NPC文件[" + boxed + L"fengyi.pst]已经生成!");
    EXPECT_EQ(flushed, std::vector{testsupport::FolderIdentity(ExtendedPath(folder))});
    EXPECT_EQ(FolderEntries(platform::WideToGbk(folder).text), std::vector<std::wstring>{L"fengyi.pst"});
    if (*row.beside) {
      EXPECT_EQ(FolderEntries(platform::WideToGbk(beside).text), std::vector<std::wstring>{});
    }

    // The folder dialog opens on it, and a cancel keeps it.
    std::wstring selected;
    DialogAnswerer reopened({[&](HWND dialog) {
      PumpUntil([&] { return SelectedTreeText(dialog) == row.name; }, 15000);
      selected = SelectedTreeText(dialog);
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }});
    NpcChooseDocumentFolderClick(1);
    PumpMessages();
    EXPECT_EQ(selected, row.name);
    EXPECT_EQ(Wide(Npc().NpcFolder), boxed);

    // So does the open dialog. Under Wine it lists there the folder's own
    // files ("pick ") or those of the folder without the dot ("e_dot"), and
    // takes a name typed only where the folder whose name the shell makes
    // of it ("pick", "e_dot") has such a file: the file read is the chosen
    // folder's all the same, and the box keeps the folder.
    if (*row.beside) WriteBytes(platform::WideToGbk(beside).text + "fengyi.pst", ExpectedFile());  // 张三
    std::wstring listed(MAX_PATH, L'\0');
    const std::vector<SeenDialog> opened = ClickAnswering(读取按钮, {[&](HWND dialog) {
      PumpUntil([&] { return SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, LPARAM(listed.data())) > 0; });
      if (*row.beside) {
        ChooseFile("fengyi.pst")(dialog);
      } else {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      }
    }});
    EXPECT_EQ(opened.size(), 1u);  // the open dialog alone: no notice
    EXPECT_EQ(listed.c_str(), folder.substr(0, folder.size() - 1));
    if (*row.beside) {
      EXPECT_EQ(Wide(Npc().NpcFilePath), boxed + L"fengyi.pst");
      EXPECT_EQ(MainForm().EditContentWide(名字编辑框), L"冯一");
    }
    EXPECT_EQ(MainForm().EditContentWide(目录编辑框), boxed);
  }
  RemoveFolder(parent);
}

// Deep folders chosen in the dialog's tree, whose paths the shell gives cut
// short at 259 characters under Wine (a cut names the parent, or a folder
// of the name less its end where one stands beside it): the box gets the
// folder whole. Where the folder chosen is not there as the tree shows it
// when OK is pressed (moved away or replaced by a file meanwhile, or one
// that Wine's tree shows inside a folder of 260 characters or more), a
// notice comes and the box keeps its folder. The save of 冯一 that follows
// goes into the box's folder, and nothing into the folder that a cut names.
TEST_F(MainWindowTest, AChosenDeepFolderGoesIntoTheBoxWholeOrGetsANotice) {
  enum class BeforeOk { Nothing, MovedAway, ReplacedByAFile };
  struct Row {
    std::string what;
    std::wstring folder, cut;  // no "\" at their ends; `cut` the folder that the cut path names
    BeforeOk before = BeforeOk::Nothing;
    bool made = true;  // else only the tree shows it
  };
  // (d) right below the drive's root, 253 characters.
  const std::wstring top = L"C:\\" + std::wstring(250, L'd');
  RemoveFolder(top);  // as a run that ended early left them
  RemoveFolder("C:\\深目录\\");
  const std::string parent = FolderOnC("深目录");
  const std::wstring start = Wide(parent), moved = start + L"moved";
  // (a) below a folder whose path is 258 characters, 259 with its "\".
  const std::wstring deep = Wide(MakeLongFolder(parent + "a", 258));
  // (b) 260 characters, beside its sibling of one character less.
  const std::wstring sibling = Wide(FolderOnC("深目录\\b")) + std::wstring(250, L'b');
  // (c) 321 characters, below a folder of 120, beside the folder its first
  // 259 characters name.
  const std::wstring longest = Wide(MakeLongFolder(parent + "c", 120)) + L'\\' + std::wstring(200, L'c');
  for (const auto& [path, length] : {std::pair{deep, 258u}, {sibling, 259u}, {longest, 321u}, {top, 253u}})
    ASSERT_EQ(path.size(), length);
  const Row rows[] = {
      {"a folder below one of 259 characters", deep + L"\\sub123456789", deep},
      // Inside a folder of 260 characters or more Wine's tree lists the
      // folder that its path cut at 259 names: here `deep` again.
      {"a folder that the tree shows inside one of 271 characters", deep + L"\\sub123456789\\sub123456789", deep,
       BeforeOk::Nothing, false},
      {"a folder of 260 characters", sibling + L'b', sibling},
      {"a folder of 260 characters moved away before OK", sibling + L'b', sibling, BeforeOk::MovedAway},
      {"a folder of 321 characters", longest, longest.substr(0, MAX_PATH - 1)},
      {"a folder of 321 characters replaced by a file before OK", longest, longest.substr(0, MAX_PATH - 1),
       BeforeOk::ReplacedByAFile},
      {"a folder of 253 characters below the root", top, L""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    for (const std::wstring& folder : {row.made ? row.folder : L"", row.cut}) {
      if (!folder.empty()) {
        ASSERT_TRUE(CreateDirectoryW(ExtendedPath(folder).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
      }
    }
    Npc().NpcFolder = parent;  // the dialog opens there
    MainForm().SetEditContent(目录编辑框, parent);
    const bool whole = row.made && row.before == BeforeOk::Nothing;
    DialogAnswerer answerer({[&](HWND dialog) {
                               EXPECT_TRUE(SelectInFolderDialog(dialog, row.folder));
                               if (row.before != BeforeOk::Nothing) {
                                 EXPECT_TRUE(MoveFileW(ExtendedPath(row.folder).c_str(), ExtendedPath(moved).c_str()));
                               }
                               if (row.before == BeforeOk::ReplacedByAFile) {
                                 std::ofstream(ExtendedPath(row.folder).c_str()) << "not a folder";
                               }
                               PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                             },
                             PressButton(IDOK)});
    NpcChooseDocumentFolderClick(1);  // returns when its dialog and a notice have gone
    PumpMessages();
    const std::wstring boxed = whole ? row.folder + L"\\" : start;
    EXPECT_EQ(answerer.seen().size(), whole ? 1u : 2u);
    if (!whole && answerer.seen().size() == 2) {
      EXPECT_EQ(answerer.seen()[1].caption, L"提示");
      EXPECT_EQ(answerer.seen()[1].text, Wide(NoWholePathMessage()));
    }
    EXPECT_EQ(MainForm().EditContentWide(目录编辑框), boxed);
    EXPECT_EQ(Wide(Npc().NpcFolder), boxed);

    TypeInto(名字编辑框, L"冯一");
    const std::vector<SeenDialog> saved = ClickAnswering(生成保存按钮, {PressButton(IDOK)});
    ASSERT_EQ(saved.size(), 1u);
    const std::string file = platform::WideToGbk(boxed).text + "fengyi.pst";
    EXPECT_EQ(saved[0].text, L"NPC文件[" + Wide(NoticePath(file)) + L"]已经生成!");
    EXPECT_EQ(ReadBytes(platform::WideToGbk(ExtendedPath(boxed) + L"fengyi.pst").text),
              ExpectedFile({{"string Name=\"张三\";", "string Name=\"冯一\";"}}));
    for (const std::wstring& other : {row.cut + L"\\", moved + L"\\", start}) {
      if (other != L"\\" && other != boxed) {
        EXPECT_EQ(GetFileAttributesW(ExtendedPath(other + L"fengyi.pst").c_str()), INVALID_FILE_ATTRIBUTES);
      }
    }
    for (const std::wstring& folder : {boxed, row.cut + L"\\", Wide(Npc().NpcFolder)})
      DeleteFileW(ExtendedPath(folder + L"fengyi.pst").c_str());  // also where a wrong box put it
    if (row.before != BeforeOk::Nothing) RemoveFolder(moved);
    if (row.before == BeforeOk::ReplacedByAFile) DeleteFileW(ExtendedPath(row.folder).c_str());
  }
  RemoveFolder(top);
  RemoveFolder(parent);
}

// "读取NPC文档..." opens its dialog on the folder last chosen with the folder
// button, at first the tool's own: not on a folder typed into the box, nor
// on the folder of the file read last, though the box then names it.
TEST_F(MainWindowTest, TheOpenDialogOpensOnTheFolderLastChosen) {
  auto openedOn = [&](DialogAnswerer::Answer then) {
    std::wstring shown(MAX_PATH, L'\0');
    ClickAnswering(读取按钮, {[&](HWND dialog) {
      PumpUntil([&] { return SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, LPARAM(shown.data())) > 0; });
      then(dialog);
    }});
    return std::wstring(shown.c_str());
  };
  const DialogAnswerer::Answer cancel = [](HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  };
  auto withoutSeparator = [](const std::string& folder) { return Wide(folder.substr(0, folder.size() - 1)); };
  const std::string typed = FolderOnC("键入的目录"), chosen = FolderOnC("选择的目录");
  TypeInto(目录编辑框, Wide(typed));
  EXPECT_EQ(openedOn(cancel), withoutSeparator(DocumentFolder()));
  Npc().NpcFolder = "C:\\";  // the folder dialog opens there
  ChooseFolder(Wide(chosen));
  ASSERT_EQ(MainForm().EditContent(目录编辑框), chosen);
  TypeInto(目录编辑框, Wide(typed));
  EXPECT_EQ(openedOn(cancel), withoutSeparator(chosen));

  // A file saved into the typed folder and read from there.
  TypeInto(名字编辑框, L"王五");
  ASSERT_EQ(ClickAnswering(生成保存按钮, {PressButton(IDOK)}).size(), 1u);
  ASSERT_NE(ReadBytes(typed + "wangwu.pst"), "<missing>");
  MainForm().SetEditContent(目录编辑框, chosen);
  EXPECT_EQ(openedOn(ChooseFile(typed + "wangwu.pst")), withoutSeparator(chosen));
  EXPECT_EQ(Npc().NpcFilePath, typed + "wangwu.pst");
  EXPECT_EQ(MainForm().EditContent(目录编辑框), typed);
  EXPECT_EQ(openedOn(cancel), withoutSeparator(chosen));
  RemoveFolder(typed);
  RemoveFolder(chosen);
}

// A document folder of 287 characters (the program's own folder may be that
// deep): the shell's dialog cannot show it, so it opens on the deepest parent
// that it can, and a cancel keeps the folder.
TEST_F(MainWindowTest, AFolderLongerThanMaxPathOpensTheDialogOnItsDeepestShortParent) {
  const std::string parent = FolderOnC("长目录");
  const std::string folder = MakeLongFolder(parent, 287);
  std::wstring shortParent = Wide(folder);
  while (shortParent.size() >= MAX_PATH - 12) shortParent.resize(shortParent.find_last_of(L'\\'));
  Npc().NpcFolder = folder + "\\";
  // Folders last read an hour ago, as a user's may be, listed since: the
  // test is of the tool's start folder, not of Wine's walk to it.
  for (size_t end = shortParent.find(L'\\', 3); end != std::wstring::npos; end = shortParent.find(L'\\', end + 1))
    AgeLastAccess(shortParent.substr(0, end), 60);
  AgeLastAccess(shortParent, 60);
  ListFoldersOnTheWay(shortParent);
  std::wstring opened;
  const std::wstring expected = shortParent.substr(shortParent.find_last_of(L'\\') + 1);
  DialogAnswerer answerer({[&](HWND dialog) {
    // The dialog goes to its start folder after it shows, the later the
    // busier the machine: wait for the folder it reports, not for a time.
    PumpUntil([&] { return SelectedTreeText(dialog) == expected; }, 30000);
    opened = SelectedTreeText(dialog);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }});
  NpcChooseDocumentFolderClick(1);
  RemoveFolder(parent);
  EXPECT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(opened, expected);
  EXPECT_EQ(Npc().NpcFolder, folder + "\\");
}

TEST(IsCjkText, ExactTestAsksTheRegularExpressionObject) {
  for (const char* yes : {"张三", "张"}) EXPECT_TRUE(IsCjkText(yes, true)) << yes;
  for (const char* no : {"张A", "\xA3\xC1", "", "A"}) EXPECT_FALSE(IsCjkText(no, true)) << no;
}

// The HP box takes four characters, full-width digits (two bytes each) as
// well as ASCII ones, and its rule reads them alike; the name box still
// stops at 16 bytes.
TEST_F(MainWindowTest, TheHpBoxTakesFourCharactersOfEitherWidthAndTheNameBoxSixteenBytes) {
  TypeInto(HP编辑框, L"５０００");
  EXPECT_EQ(WindowText(H(HP编辑框)), L"５０００");
  TypeText(L"０");  // a fifth character is refused
  EXPECT_EQ(WindowText(H(HP编辑框)), L"５０００");
  ClickUnit(名字编辑框);
  EXPECT_EQ(Npc().NpcHp, 5000);
  EXPECT_EQ(MainForm().EditContent(HP编辑框), "5000");
  TypeInto(HP编辑框, L"０１５０");
  ClickUnit(名字编辑框);
  EXPECT_EQ(Npc().NpcHp, 150);
  EXPECT_EQ(MainForm().EditContent(HP编辑框), "150");
  TypeInto(HP编辑框, L"12345");
  EXPECT_EQ(WindowText(H(HP编辑框)), L"1234");

  TypeInto(名字编辑框, L"张三李四王五赵六钱");  // 18 bytes
  EXPECT_EQ(WindowText(H(名字编辑框)), L"张三李四王五赵六");
  TypeInto(名字编辑框, L"张三李四王五赵六a");
  EXPECT_EQ(WindowText(H(名字编辑框)), L"张三李四王五赵六");
  TypeInto(名字编辑框, L"abcdefghijklmnopq");
  EXPECT_EQ(WindowText(H(名字编辑框)), L"abcdefghijklmnop");
}

// Typed in full width and saved without leaving the box first: the file
// holds the HP typed.
TEST_F(MainWindowTest, AFullWidthHpReachesTheFile) {
  const std::string file = DocumentFolder() + "zhangsan.pst";
  DeleteFileW(Wide(file).c_str());
  TypeInto(名字编辑框, L"张三");
  TypeInto(HP编辑框, L"５０００");
  const std::vector<SeenDialog> seen = ClickAnswering(生成保存按钮, {PressButton(IDOK)});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(ReadBytes(file), ExpectedFile());  // "int HP = 5000;"
  EXPECT_EQ(Npc().NpcHp, 5000);
  DeleteFileW(Wide(file).c_str());
}

namespace {

// The order in which Tab visits the main window's controls: the units'
// order, the folder button (its panel) after the folder box, the camp radios
// one stop (the checked one).
std::vector<HWND> TabStops() {
  std::vector<HWND> stops;
  for (Unit unit : {目录编辑框, 名字编辑框, 模型组合框, 主武器组合框, 副武器组合框, Velmar单选框, 视野组合框,
                    速度组合框, 轻击组合框, 中击组合框, 重击组合框, 命中率组合框, 防御组合框, 逃跑组合框,
                    跳跃组合框, 张望组合框, 跑动组合框, 夺宝组合框, HP编辑框, 行为组合框, 读取按钮,
                    生成保存按钮, 关闭按钮}) {
    stops.push_back(MainForm().UnitGetHandle(unit));
    if (unit == 目录编辑框) stops.push_back(PanelInsides(skin::ZqkWindows()[kFolderPanel]).panel());
  }
  return stops;
}

}  // namespace

TEST_F(MainWindowTest, TabAndShiftTabVisitEveryTabStopInOrderAndWrap) {
  const std::vector<HWND> stops = TabStops();
  SetFocus(stops.front());
  for (size_t i = 1; i <= stops.size(); ++i) {
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), stops[i % stops.size()]) << "Tab " << i;
  }
  for (size_t i = stops.size(); i-- > 0;) {
    PressKey(VK_TAB, VK_SHIFT);
    EXPECT_EQ(GetFocus(), stops[i]) << "Shift+Tab to stop " << i;
  }
  // From the window itself, Tab goes to the first stop, Shift+Tab to the last.
  SetFocus(MainWindow());
  PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), stops.front());
  SetFocus(MainWindow());
  PressKey(VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), stops.back());
  // An edit box entered by Tab has its text selected; the box left raised
  // its handler.
  MainForm().UnitSetFocus(夺宝组合框);
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), H(HP编辑框));
  EXPECT_EQ(MainForm().SelectionStart(HP编辑框), 0);
  EXPECT_EQ(MainForm().SelectionLength(HP编辑框), 4);
  TypeText(L"99");
  PressKey(VK_TAB);
  EXPECT_EQ(Npc().NpcHp, 3000);
  EXPECT_EQ(MainForm().EditContent(HP编辑框), "3000");
}

// The arrow keys move within the camp radios, wrapping, and turn on the one
// they reach through its click; Tab leaves the group from the checked one
// and comes back to it.
TEST_F(MainWindowTest, ArrowKeysMoveWithinTheCampRadiosAndCheckThem) {
  MainForm().UnitSetFocus(副武器组合框);
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), H(Velmar单选框));
  const std::pair<WORD, std::pair<Unit, int>> steps[] = {
      {VK_RIGHT, {Ostrin单选框, 2}}, {VK_DOWN, {中立单选框, 0}}, {VK_RIGHT, {Velmar单选框, 1}},
      {VK_LEFT, {中立单选框, 0}}, {VK_UP, {Ostrin单选框, 2}}};
  for (auto [key, to] : steps) {
    Npc().NpcTeam = 9;
    PressKey(key);
    EXPECT_EQ(GetFocus(), H(to.first)) << key;
    EXPECT_TRUE(PumpUntil([team = to.second] { return Npc().NpcTeam == team; }, 2000)) << key;
    for (Unit radio : {Velmar单选框, Ostrin单选框, 中立单选框})
      EXPECT_EQ(MainForm().RadioChecked(radio), radio == to.first) << key;
  }
  PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), H(视野组合框));
  PressKey(VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), H(Ostrin单选框));
  PressKey(VK_TAB, VK_SHIFT);
  EXPECT_EQ(GetFocus(), H(副武器组合框));
}

// In an open drop-down list Esc closes only the list and Tab closes it and
// moves on; Esc elsewhere still closes the window.
TEST_F(MainWindowTest, TabAndEscInAnOpenListAndEscElsewhere) {
  MainForm().UnitSetFocus(模型组合框);
  PressKey(VK_F4);
  ASSERT_TRUE(PumpUntil([&] { return SendMessageW(H(模型组合框), CB_GETDROPPEDSTATE, 0, 0) != 0; }, 2000));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !SendMessageW(H(模型组合框), CB_GETDROPPEDSTATE, 0, 0); }, 2000));
  ASSERT_TRUE(MainForm().IsAlive());
  EXPECT_EQ(GetFocus(), H(模型组合框));
  PressKey(VK_F4);
  ASSERT_TRUE(PumpUntil([&] { return SendMessageW(H(模型组合框), CB_GETDROPPEDSTATE, 0, 0) != 0; }, 2000));
  PressKey(VK_TAB);
  EXPECT_TRUE(PumpUntil([&] { return !SendMessageW(H(模型组合框), CB_GETDROPPEDSTATE, 0, 0); }, 2000));
  EXPECT_EQ(GetFocus(), H(主武器组合框));
  EXPECT_EQ(MainForm().ComboSelectedIndex(模型组合框), 1);
  ASSERT_TRUE(MainForm().IsAlive());
  for (int i = 0; i < 2; ++i) PressKey(VK_TAB);  // to the camp radios
  ASSERT_EQ(GetFocus(), H(Velmar单选框));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([] { return !MainForm().IsAlive(); }, 2000));
}

namespace {

PixelBuffer Crop(const PixelBuffer& picture, const RECT& r) {
  PixelBuffer part{r.right - r.left, r.bottom - r.top};
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) part.pixels.push_back(picture.At(x, y));
  return part;
}

}  // namespace

// A control reached by Tab shows its skin's focus look at a glance, and
// loses it when Tab goes on: the push button its focus ring, the drop-down
// list its focus frame, the camp radio a ring round its caption, the folder
// button (the panel's picture beside the folder box) a ring round its
// picture. (The edit boxes show their caret.)
TEST_F(MainWindowTest, AControlReachedByTabShowsItsFocusLook) {
  const skin::ZqkPanel& folder = PanelInsides(skin::ZqkWindows()[kFolderPanel]);
  RECT button = folder.entries().at(0).rectangle;
  InflateRect(&button, 2, 2);  // the picture and what lies round it, not the folder box
  struct Kind {
    std::string name;
    HWND before, control;
    std::optional<RECT> part;
  };
  for (const Kind& kind : {Kind{"push_button", H(读取按钮), H(生成保存按钮)}, Kind{"list", H(跑动组合框), H(夺宝组合框)},
                           Kind{"radio", H(副武器组合框), H(Velmar单选框)},
                           Kind{"folder_button", H(目录编辑框), folder.panel(), button}}) {
    const auto look = [&] {
      const PixelBuffer whole = Look(kind.control);
      return kind.part ? Crop(whole, *kind.part) : whole;
    };
    SetFocus(kind.before);
    const PixelBuffer plain = look();
    PressKey(VK_TAB);
    ASSERT_EQ(GetFocus(), kind.control) << kind.name;
    const PixelBuffer focused = look();
    PressKey(VK_TAB);
    ASSERT_NE(GetFocus(), kind.control) << kind.name;
    const PixelBuffer left = look();
    const int changed = Differing(plain, focused), seen = Contrasting(plain, focused);
    if (seen < 60) SaveFailureImage(focused, "focus_look_" + kind.name);
    EXPECT_GE(changed, 40) << "pixels of the " << kind.name << " that change as it takes the focus";
    EXPECT_GE(seen, 60) << "pixels of the " << kind.name << " that change at a glance as it takes the focus";
    EXPECT_EQ(Differing(plain, left), 0) << "pixels of the " << kind.name << " changed after it lost the focus";
  }
}

// A list under the mouse with the focus keeps its focus ring: the hot face
// that a list of its size showed without the focus is not the one drawn for
// it (the skin keeps the faces it drew for the next list of one size and
// look).
TEST_F(MainWindowTest, AFocusedListUnderTheMouseKeepsItsFocusRing) {
  const HWND list = H(主武器组合框);
  RECT r;
  GetWindowRect(list, &r);
  const POINT middle = {(r.right - r.left) / 2, (r.bottom - r.top) / 2};
  const POINT ring = {1, middle.y};  // inside the frame, on the ring
  ASSERT_NE(GetFocus(), list);
  MouseMoveTo(list, middle.x, middle.y);
  const PixelBuffer hot = CaptureWindow(list);
  SetFocus(list);
  const PixelBuffer focused = Look(list);
  ASSERT_NE(hot.RgbAt(ring.x, ring.y), focused.RgbAt(ring.x, ring.y)) << "the ring of the focused list";
  MouseMoveTo(list, middle.x, middle.y);
  const PixelBuffer hotFocused = CaptureWindow(list);
  EXPECT_EQ(hotFocused.RgbAt(ring.x, ring.y), focused.RgbAt(ring.x, ring.y)) << "the ring under the mouse";
  EXPECT_NE(Differing(hotFocused, hot), 0) << "the focused list under the mouse looks as the list without the focus";
  if (HasFailure()) SaveFailureImage(hotFocused, "hot_focused_list");
}

namespace {

// What the skinned label paints of its text, as points of its parent's
// client area: where its picture, drawn afresh into its owner's child layer,
// differs from the background behind it. The layer holds the label whole,
// whatever lies over it on the screen.
std::vector<POINT> LabelInk(HWND label) {
  RECT client;
  GetClientRect(label, &client);
  const skin::SkinMemoryDc background = skin::SkinPaintParentBackground(label, client);
  const PixelBuffer under = CaptureDC(background.get(), 0, 0, client.right, client.bottom);
  skin::LabelSkinPaint(skin::SkinFindEntry(label, &skin::SkinWindowRecord::Labels));
  const skin::SkinWindowRecord* owner = skin::SkinRecordAt(int32_t(skin::GetSkinProp(label, skin::prop::Hw_FuID)));
  if (!owner || under.Empty()) return {};
  const RECT at = skin::SkinChildBackgroundRect(*owner, label);
  const PixelBuffer drawn = CaptureDC(owner->ChildBackDC.get(), at.left, at.top, client.right, client.bottom);
  POINT origin = {0, 0};
  MapWindowPoints(label, GetParent(label), &origin, 1);
  std::vector<POINT> ink;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x)
      if (under.RgbAt(x, y) != drawn.RgbAt(x, y)) ink.push_back({origin.x + x, origin.y + y});
  return ink;
}

}  // namespace

// Every label's text stays clear of every control beside it (the panel
// around an edit box included) by two pixels at least: none stands on or
// against another's frame.
TEST_F(MainWindowTest, NoLabelsTextReachesAControlBesideIt) {
  constexpr int kClearance = 2;
  for (const platform::UnitDescription& u : MainFormDescription().units) {
    if (u.kind != platform::UnitKind::Label) continue;
    const HWND label = H(Unit(u.id)), parent = GetParent(label);
    const std::vector<POINT> ink = LabelInk(label);
    EXPECT_GE(ink.size(), 40u) << "label unit " << u.id;
    int right = 0;
    for (POINT p : ink) right = std::max<int>(right, p.x);
    for (HWND sibling = GetWindow(parent, GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
      if (sibling == label || !IsWindowVisible(sibling)) continue;
      RECT r;
      GetWindowRect(sibling, &r);
      MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
      InflateRect(&r, kClearance, kClearance);
      const auto inside = std::count_if(ink.begin(), ink.end(), [&](POINT p) { return PtInRect(&r, p) != 0; });
      EXPECT_EQ(inside, 0) << "label unit " << u.id << " (text to x " << right << ") over the control of unit "
                           << MainForm().UnitOfHandle(sibling) << " at x " << r.left + kClearance << ".."
                           << r.right - kClearance << ", y " << r.top + kClearance << ".." << r.bottom - kClearance;
    }
  }
}
