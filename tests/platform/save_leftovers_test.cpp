// What saves that never ended leave beside a file, and what the next save of
// that file that succeeds removes of it: only such files of that file, in
// its folder, that no program holds open.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/file_saving.h"
#include "platform/file_saving_leftovers.h"
#include "tests/platform/file_saving_fixture.h"

using namespace korvath::platform;
using namespace korvath::platform::files::savetest;

namespace {

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
  std::sort(names.begin(), names.end());
  return names;
}

// The step of a save (of a new file or over one) before which the program is
// stopped: its new file written and closed, not yet moved.
size_t StepBefore(const std::vector<std::string>& steps, const std::string& name) {
  return size_t(std::find(steps.begin(), steps.end(), name) - steps.begin());
}

// Ten saves killed before the move left ten files beside the file, each the
// whole new content under a name of the pattern; the next save that
// succeeds leaves the file and nothing beside it.
TEST_F(FileSavingTest, TheNextSaveRemovesWhatTenKilledSavesLeft) {
  const size_t move = StepBefore(StepsOf(kSaves[0]), "MoveFileExW");
  Prepare(kSaves[0]);
  for (int kill = 0; kill < 10; ++kill) {
    KilledSave killed(move, file_);
    ASSERT_EQ(killed.error(), "") << "kill " << kill;
  }
  const std::vector<std::wstring> left = Entries(folder_, L"zhangsan.pst.saving-*");
  EXPECT_EQ(left.size(), 10u);
  for (const std::wstring& name : left) {
    EXPECT_TRUE(files::IsLeftoverName(name, name_)) << Gbk(name);
    EXPECT_EQ(Read(folder_ + L"\\" + name), kNewContent) << Gbk(name);
  }
  EXPECT_EQ(Read(file_), kOldContent);
  EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), std::nullopt);
  EXPECT_EQ(Read(file_), kNewContent);
  EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
}

// Beside what a killed save left: another file's leftover, names that are
// like the pattern but not it (other digits, case, length or ending), a
// folder of the pattern with a file in it, the new file of a save of the
// same file that another program is still making (open, written, not yet
// moved), and one that a program holds open to read it. The save removes
// the killed save's file alone, and succeeds though it could not remove the
// held ones.
TEST_F(FileSavingTest, ASaveRemovesNoOtherFileNorOneThatIsHeld) {
  const std::vector<std::string> steps = StepsOf(kSaves[0]);
  const size_t close = StepBefore(steps, "CloseHandle"), move = StepBefore(steps, "MoveFileExW");
  Prepare(kSaves[0]);
  {
    KilledSave killed(move, file_);
    ASSERT_EQ(killed.error(), "");
  }
  ASSERT_EQ(Entries(folder_, L"zhangsan.pst.saving-*").size(), 1u);
  std::vector<std::wstring> kept = {
      L"lisi.pst.saving-1A2B.tmp",      L"zhangsan.pst.saving-12345.tmp",  L"zhangsan.pst.saving-123.tmp",
      L"zhangsan.pst.saving-XYZW.tmp",  L"zhangsan.pst.saving-abcd.tmp",   L"zhangsan.pst.saving-1A2C.TMP",
      L"zhangsan.pst.saving-1A2D.tmp.bak", L"xzhangsan.pst.saving-1A2E.tmp", L"zhangsan.pstsaving-1A2F.tmp",
      L"ZHANGSAN.PST.saving-1A30.tmp",  L"zhangsan.pst.saving-1A31",       L"zhangsan.pst.1A32.tmp",
      L"zhangsan.saving-1A33.tmp"};
  for (const std::wstring& name : kept) Write(folder_ + L"\\" + name, "not left by a save of zhangsan.pst\r\n");
  const std::wstring folder = L"zhangsan.pst.saving-C0DE.tmp";
  ASSERT_TRUE(CreateDirectoryW((folder_ + L"\\" + folder).c_str(), nullptr));
  Write(folder_ + L"\\" + folder + L"\\inside.txt", "in a folder\r\n");
  kept.push_back(folder);
  // One of the pattern that a program reads, letting others read, write and
  // delete it (the system's check of an open is the same whoever holds it).
  const std::wstring read = L"zhangsan.pst.saving-BEEF.tmp";
  Write(folder_ + L"\\" + read, kNewContent);
  HANDLE reading = CreateFileW((folder_ + L"\\" + read).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                               nullptr);
  ASSERT_NE(reading, INVALID_HANDLE_VALUE);
  kept.push_back(read);
  const std::vector<std::wstring> before = Entries(folder_);
  KilledSave going(close, file_, AtTheStep::Hold);
  ASSERT_EQ(going.error(), "");
  for (const std::wstring& name : Entries(folder_))
    if (std::find(before.begin(), before.end(), name) == before.end()) kept.push_back(name);
  ASSERT_EQ(kept.size(), 16u);  // the held save's new file among them

  EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), std::nullopt);
  CloseHandle(reading);
  EXPECT_EQ(Read(file_), kNewContent);
  kept.push_back(name_);
  EXPECT_EQ(Sorted(Entries(folder_)), Sorted(kept));
  EXPECT_EQ(Entries(folder_ + L"\\" + folder), std::vector<std::wstring>{L"inside.txt"});
}

// A file whose name is as long as names can be: its killed save's file has
// a name cut short to fit, and the next save removes that one too.
TEST_F(FileSavingTest, TheNextSaveRemovesTheLeftoverOfANameOf255Characters) {
  const size_t move = StepBefore(StepsOf(kSaves[0]), "MoveFileExW");
  const std::wstring name = std::wstring(251, L'n') + L".pst", file = folder_ + L"\\" + name;
  Prepare(kSaves[1]);
  Write(file, kOldContent);
  {
    KilledSave killed(move, file);
    ASSERT_EQ(killed.error(), "");
  }
  const std::vector<std::wstring> left = Entries(folder_, L"nnn*.tmp");
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].size(), 255u);
  EXPECT_TRUE(files::IsLeftoverName(left[0], name));
  EXPECT_EQ(files::SaveFile(Gbk(file), kNewContent), std::nullopt);
  EXPECT_EQ(Read(file), kNewContent);
  EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name});
}

}  // namespace
