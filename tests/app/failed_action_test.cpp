// Handlers that throw: memory that runs out while the read button reads a
// file, in the folder button's routine as its panel calls it, beneath the
// system's dialogs or while the engine writes a window's properties, and
// failures of any other kind. The action ends with a notice; the tool goes
// on with everything as it was.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <stdexcept>

#include "app/field_panels.h"
#include "app/folder_chooser.h"
#include "app/handler_guard.h"
#include "platform/long_paths.h"
#include "skin/core/window_props.h"
#include "skin/engine/panel.h"
#include "skin/panel/panel_window.h"
#include "tests/app/bad_input_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

namespace {
// Allocations of at least this many bytes fail, as they do when memory runs
// short: nothing of the window, its dialogs or its boxes asks for that much
// at once.
std::atomic<size_t> g_failFrom{SIZE_MAX};
// Only the first allocation of at least this many bytes fails.
std::atomic<size_t> g_failOnceFrom{SIZE_MAX};
std::atomic<int> g_failed{0};
}  // namespace

void* operator new(size_t size) {
  if (size >= g_failOnceFrom) {
    g_failOnceFrom = SIZE_MAX;
    ++g_failed;
    throw std::bad_alloc();
  }
  if (size >= g_failFrom) {
    ++g_failed;
    throw std::bad_alloc();
  }
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
// Out of line: inlined where a `new` of this file is undone, their free()
// would meet that `new` and GCC would take the pair for a mismatch.
[[gnu::noinline]] void operator delete(void* block) noexcept { std::free(block); }
[[gnu::noinline]] void operator delete(void* block, size_t) noexcept { std::free(block); }

namespace {
void ThrowsRuntimeError() { throw std::runtime_error("failed"); }
void ThrowsInt(int entry) { throw entry; }

// A window that the engine keeps no property of yet: its first property
// takes a row of the engine's table, of some 170 bytes, the first allocation
// of at least 160 bytes that the write makes.
HWND g_freshWindow = nullptr;
void SetsAFreshWindowsPropertyAsMemoryRunsOut() {
  g_failOnceFrom = 160;
  skin::SetSkinProp(g_freshWindow, skin::prop::Kj_Ztys, 1);
}
}  // namespace

// The read button reads a file of one 1 MiB line, the largest file it
// reads, which takes more than 512 KiB at once. When that memory cannot be
// had, the handler ends with a notice, and the form, the record and the next
// save are as they were; the tool then reads the file as before.
TEST_F(BadInputTest, MemoryThatRunsOutInAHandlerEndsOnlyItsAction) {
  FillInAndSave();
  const std::string path = folder_ + "one_megabyte.pst";
  WriteBytes(path, std::string(1 << 20, '\xD5'));
  g_failFrom = 512 << 10;
  const std::wstring notice = ReadNotice(path);
  g_failFrom = SIZE_MAX;
  EXPECT_GT(g_failed, 0);
  EXPECT_EQ(notice, L"内存不足,这一操作未能完成!");
  ExpectNothingLost();
  EXPECT_EQ(ReadNotice(path), Wide(Refused(path, "文件内容不完整")));
  EXPECT_TRUE(MainForm().IsAlive());
}

// Any other failure that throws, from a handler of the form or of a panel
// entry: the same notice, without the memory.
TEST_F(BadInputTest, AnyFailureThatAHandlerThrowsEndsOnlyItsAction) {
  FillInAndSave();
  using Handler = void (*)() noexcept;
  const Handler entryClick = []() noexcept { GuardedEntry<&ThrowsInt>(1); };
  for (Handler handler : {Handler(&Guarded<&ThrowsRuntimeError>), entryClick}) {
    DialogAnswerer answerer({PressButton(IDOK)});
    handler();
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption, L"提示");
    EXPECT_EQ(answerer.seen()[0].text, L"程序内部出错,这一操作未能完成!");
  }
  ExpectNothingLost();
}

// Memory that runs out in an action while the engine writes a window's
// property, inside the lock of its table of properties: the notice comes
// (its box's skin reads and writes properties) and the tool goes on, its
// window and its boxes skinned as before.
TEST_F(BadInputTest, MemoryThatRunsOutWhileTheEngineWritesAPropertyEndsWithTheNotice) {
  FillInAndSave();
  g_freshWindow =
      CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, MainForm().WindowHandle(), nullptr, nullptr, nullptr);
  ASSERT_NE(g_freshWindow, nullptr);
  const int failedBefore = g_failed;
  {
    const HangGuard guard(30000);
    DialogAnswerer answerer({PressButton(IDOK)});
    Guarded<&SetsAFreshWindowsPropertyAsMemoryRunsOut>();
    g_failOnceFrom = SIZE_MAX;
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption, L"提示");
    EXPECT_EQ(answerer.seen()[0].text, L"内存不足,这一操作未能完成!");
  }
  EXPECT_EQ(g_failed, failedBefore + 1);
  DestroyWindow(g_freshWindow);
  ExpectNothingLost();
}

// The open dialog's OK runs beneath the system's dialog code. Memory that
// runs out there ends only that OK, with the same notice: the dialog stays
// open, and a file chosen in it then is read as before.
TEST_F(BadInputTest, MemoryThatRunsOutBeneathTheOpenDialogEndsOnlyItsOk) {
  FillInAndSave();
  TypeInto(HP编辑框, L"123");  // the file read puts the saved form back
  HWND openDialog = nullptr;
  const std::vector<SeenDialog> seen = ClickAnswering(
      读取按钮, {[&](HWND dialog) {
                   openDialog = dialog;
                   // The OK on a relative name asks for the dialog's folder, with room for the longest path.
                   g_failOnceFrom = platform::kLongestPath * sizeof(wchar_t);
                   ChooseFile("wangwu.pst")(dialog);
                 },
                 [&](HWND notice) {
                   PressButton(IDOK)(notice);
                   ChooseFile(saved_)(openDialog);
                 }});
  g_failOnceFrom = SIZE_MAX;
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].caption, L"提示");
  EXPECT_EQ(seen[1].text, L"内存不足,这一操作未能完成!");
  EXPECT_EQ(Shown(), shown_);
  ExpectNextSaveAsBefore();
}

// The folder dialog's callback runs beneath the shell's dialog code. Memory
// that runs out there ends with the same notice, and the dialog opens all
// the same.
TEST_F(BadInputTest, MemoryThatRunsOutBeneathTheFolderDialogEndsWithTheNotice) {
  // Of 30,000 bytes: the callback's UTF-16 copy is the one allocation of at
  // least 45,000 bytes that choosing a folder makes before the dialog opens.
  Npc().NpcFolder = "C:\\" + std::string(30000, 'a') + "\\";
  const std::string folder = Npc().NpcFolder;
  bool folderDialog = false;
  DialogAnswerer answerer({PressButton(IDOK), [&](HWND dialog) {
                             folderDialog = FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr) != nullptr;
                             PressButton(IDCANCEL)(dialog);
                           }});
  g_failOnceFrom = 45000;
  GuardedEntry<&NpcChooseDocumentFolderClick>(1);
  g_failOnceFrom = SIZE_MAX;
  ASSERT_EQ(answerer.seen().size(), 2u);
  EXPECT_EQ(answerer.seen()[0].caption, L"提示");
  EXPECT_EQ(answerer.seen()[0].text, L"内存不足,这一操作未能完成!");
  EXPECT_TRUE(folderDialog);
  EXPECT_EQ(Npc().NpcFolder, folder);  // the cancelled dialog keeps it
  EXPECT_TRUE(MainForm().IsAlive());
}

// The routine that the folder box's panel calls on a click on its button,
// with memory that runs out in it before any dialog opens (its copy of the
// long start folder): the same notice, no dialog, the folder kept.
TEST_F(BadInputTest, MemoryThatRunsOutInTheFolderButtonsRoutineEndsWithTheNotice) {
  Npc().NpcFolder = "C:\\" + std::string(30000, 'a') + "\\";
  const std::string folder = Npc().NpcFolder;
  const std::vector<std::string> shown = Shown();
  const skin::ZqkClickRoutine folderButton = PanelInsides(skin::ZqkWindows()[kFolderPanel]).callback();
  ASSERT_NE(folderButton, nullptr);
  DialogAnswerer answerer({PressButton(IDOK)});
  g_failOnceFrom = 30000;
  folderButton(1);
  g_failOnceFrom = SIZE_MAX;
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].caption, L"提示");
  EXPECT_EQ(answerer.seen()[0].text, L"内存不足,这一操作未能完成!");
  EXPECT_EQ(Npc().NpcFolder, folder);
  EXPECT_EQ(Shown(), shown);
  EXPECT_TRUE(MainForm().IsAlive());
}
