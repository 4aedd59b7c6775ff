// The main window after start-up, the field handlers and the folder chooser,
// driven by real input; the exact Chinese test.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "app/cjk_text.h"
#include "app/field_panels.h"
#include "app/folder_chooser.h"
#include "app/form_setup.h"
#include "app/npc_tool.h"
#include "platform/folders.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/panel_window.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/npc_test_record.h"

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
  skin::SkinEnabled = false;
  skin::SkinAlpha = 0;
  ASSERT_TRUE(StartProgram());
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  EXPECT_EQ(current, Wide(platform::ProgramDirectory()));
  EXPECT_TRUE(skin::SkinEnabled);
  EXPECT_EQ(skin::SkinAlpha, 160);
  EXPECT_TRUE(IsWindowVisible(MainWindow()));
  EXPECT_NE(skin::ZqkWindows()[kFolderPanel].panel(), nullptr);
  EXPECT_EQ(skin::SkinCallbackList.size(), 3u);  // one record per panel
  MainForm().DestroyWindowOrUnit();
  EndProgram();
  EXPECT_TRUE(skin::SkinCallbackList.empty());
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

// Answers the folder dialog that entry `entry` of the folder button opens.
static size_t ChooseFolder(const std::wstring& folder, int entry = 1, int button = IDOK) {
  DialogAnswerer answerer({[&](HWND dialog) {
    EXPECT_NE(FindWindowExW(dialog, nullptr, L"Static", L"选择NPC文档存放目录"), nullptr);
    if (!folder.empty()) EXPECT_TRUE(SelectInFolderDialog(dialog, folder));
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

// A document folder of 287 characters (the program's own folder may be that
// deep): the shell's dialog cannot show it, so it opens on the deepest parent
// that it can, and a cancel keeps the folder.
TEST_F(MainWindowTest, AFolderLongerThanMaxPathOpensTheDialogOnItsDeepestShortParent) {
  const std::string parent = FolderOnC("长目录");
  const std::string folder = MakeLongFolder(parent, 287);
  std::wstring shortParent = Wide(folder);
  while (shortParent.size() >= MAX_PATH - 12) shortParent.resize(shortParent.find_last_of(L'\\'));
  Npc().NpcFolder = folder + "\\";
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
