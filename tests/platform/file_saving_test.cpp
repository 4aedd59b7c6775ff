// Saving a file: what a failure at each step of a save leaves behind, and
// what a kill of the program at each step leaves (the program killed by its
// process id, as a crash ends it); what a replace keeps of the old file, the
// files it refuses and the longest names it takes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/file_saving.h"
#include "platform/gbk_convert.h"
#include "platform/long_paths.h"
#include "tests/platform/save_contents.h"
#include "tests/support/save_steps.h"
#include "tests/support/win_test_support.h"

namespace korvath::platform::files {
void PrintTo(const SaveFailure& failure, std::ostream* out) {
  *out << "a failure at step " << int(failure.step) << " with error " << failure.error;
}
}  // namespace korvath::platform::files

using namespace korvath::platform;
using files::SaveFailure;
using files::savetest::kNewContent;
using files::savetest::kOldContent;

namespace {

std::wstring ProgramFolder() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder = self;
  return folder.substr(0, folder.find_last_of(L'\\'));
}

std::string Gbk(const std::wstring& path) { return WideToGbk(path).text; }

std::optional<std::string> Read(const std::wstring& path) {
  HANDLE file = CreateFileW(FileApiPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

void Write(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(FileApiPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr));
  CloseHandle(file);
}

// The names in the folder that match `pattern`, as the open dialog's filter
// finds them.
std::vector<std::wstring> Entries(const std::wstring& folder, const wchar_t* pattern = L"*") {
  return testsupport::NamesFound(FileApiPath(folder + L"\\" + pattern));
}

void RemoveAll(const std::wstring& folder) {
  for (const std::wstring& name : Entries(folder)) {
    const std::wstring path = FileApiPath(folder + L"\\" + name);
    if (GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveAll(folder + L"\\" + name);
    } else {
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    }
  }
  RemoveDirectoryW(FileApiPath(folder).c_str());
}

// What a file holds, in words: the whole old or new content, nothing, or
// what else.
std::string Described(const std::optional<std::string>& bytes) {
  if (!bytes) return "no file";
  if (*bytes == kOldContent) return "the whole old content";
  if (*bytes == kNewContent) return "the whole new content";
  if (bytes->empty()) return "nothing (0 bytes)";
  size_t same = 0;
  while (same < bytes->size() && same < kNewContent.size() && (*bytes)[same] == kNewContent[same]) ++same;
  return std::to_string(bytes->size()) + " bytes, the first " + std::to_string(same) + " of them new";
}

// The two saves: over a file that is there, and of a new file.
struct Save {
  const char* name;
  bool over;  // a file with the old content is there first
};
constexpr Save kSaves[] = {{"overwrite", true}, {"new file", false}};

// The failed step's kind, as the notices tell them apart.
SaveFailure::Step KindOf(const std::string& step) {
  if (step == "CreateFileW (the new file beside it)") return SaveFailure::Step::Folder;
  if (step == "CreateFileW (the file itself)" || step == "MoveFileExW") return SaveFailure::Step::Target;
  return SaveFailure::Step::Write;
}

class FileSavingTest : public testing::Test {
 protected:
  void SetUp() override {
    RemoveAll(folder_);
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
  }
  void TearDown() override { RemoveAll(folder_); }

  // The folder as the save of `save` finds it.
  void Prepare(const Save& save) {
    RemoveAll(folder_);
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    if (save.over) Write(file_, kOldContent);
  }
  // The steps of `save`, in the order it makes them.
  std::vector<std::string> StepsOf(const Save& save) {
    Prepare(save);
    testsupport::SaveSteps steps;
    EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), std::nullopt);
    EXPECT_EQ(Read(file_), kNewContent);
    return steps.steps();
  }
  // The folder holds the file as the save found it, and nothing else.
  void ExpectAsBefore(const Save& save) {
    EXPECT_EQ(Read(file_), save.over ? std::optional(kOldContent) : std::nullopt);
    EXPECT_EQ(Entries(folder_), save.over ? std::vector<std::wstring>{name_} : std::vector<std::wstring>{});
  }

  // Beside the test program, under a Chinese name as the tool's folders are.
  const std::wstring folder_ = ProgramFolder() + L"\\保存测试";
  const std::wstring name_ = L"zhangsan.pst";
  const std::wstring file_ = folder_ + L"\\" + name_;
};

// Every step of a save made to fail, one at a time, with an error that
// nothing else gives: the save reports that error at that step, and the
// folder is as it was, the old file byte for byte and nothing beside it. The
// steps include those that no small write makes fail (the flush, the close,
// the setting of the attributes and the final move).
TEST_F(FileSavingTest, AFailureAtAnyStepLeavesTheFileAsItWasAndNothingBesideIt) {
  for (const Save& save : kSaves) {
    const std::vector<std::string> names = StepsOf(save);
    ASSERT_GE(names.size(), save.over ? 6u : 5u) << save.name;
    for (size_t step = 0; step < names.size(); ++step) {
      SCOPED_TRACE(std::string(save.name) + ", step " + std::to_string(step) + ": " + names[step]);
      Prepare(save);
      std::optional<SaveFailure> failure;
      {
        testsupport::SaveSteps steps;
        steps.FailAt(step, ERROR_NOT_READY);
        failure = files::SaveFile(Gbk(file_), kNewContent);
        EXPECT_EQ(steps.steps().size(), step + 1);  // no step after the one that failed
      }
      ASSERT_TRUE(failure.has_value());
      EXPECT_EQ(failure->error, DWORD(ERROR_NOT_READY));
      EXPECT_EQ(failure->step, KindOf(names[step]));
      ExpectAsBefore(save);
    }
  }
}

// The marks that a user gives a file (hidden, system) are the replaced
// file's too, with the archive mark that any change gives; nothing is left
// beside it.
TEST_F(FileSavingTest, AReplacedFileKeepsItsHiddenAndSystemMarks) {
  const std::wstring api = FileApiPath(file_);
  for (DWORD marks : {DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE),
                      DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
                      DWORD(FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE), DWORD(FILE_ATTRIBUTE_ARCHIVE)}) {
    SCOPED_TRACE(marks);
    Write(file_, kOldContent);
    ASSERT_TRUE(SetFileAttributesW(api.c_str(), marks));
    ASSERT_EQ(GetFileAttributesW(api.c_str()), marks);
    EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), std::nullopt);
    EXPECT_EQ(Read(file_), kNewContent);
    EXPECT_EQ(GetFileAttributesW(api.c_str()), marks);
    EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
    SetFileAttributesW(api.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

// What Windows does not replace is not replaced under Wine either, with the
// error that says why: a read-only file, a folder of the file's name, a file
// that another program holds open for writing and lets others read and write
// but not delete (as an editor holds its document). A file held open with
// deleting allowed too is not replaced either. Each stays as it was and
// nothing is left beside it.
TEST_F(FileSavingTest, AFileThatWindowsWouldNotReplaceIsLeftAsItWas) {
  const std::wstring api = FileApiPath(file_);
  Write(file_, kOldContent);
  ASSERT_TRUE(SetFileAttributesW(api.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  std::optional<SaveFailure> failure = files::SaveFile(Gbk(file_), kNewContent);
  EXPECT_EQ(GetFileAttributesW(api.c_str()), DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  SetFileAttributesW(api.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->step, SaveFailure::Step::Target);
  EXPECT_EQ(failure->error, DWORD(ERROR_FILE_READ_ONLY));
  ExpectAsBefore(kSaves[0]);

  for (DWORD share :
       {DWORD(FILE_SHARE_READ | FILE_SHARE_WRITE), DWORD(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)}) {
    SCOPED_TRACE(share);
    HANDLE holder = CreateFileW(api.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    failure = files::SaveFile(Gbk(file_), kNewContent);
    CloseHandle(holder);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->step, SaveFailure::Step::Target);
    if (!(share & FILE_SHARE_DELETE)) {
      EXPECT_EQ(failure->error, DWORD(ERROR_SHARING_VIOLATION));
    }
    ExpectAsBefore(kSaves[0]);
  }

  RemoveAll(folder_);
  ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(file_.c_str(), nullptr));
  failure = files::SaveFile(Gbk(file_), kNewContent);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->step, SaveFailure::Step::Target);
  EXPECT_EQ(failure->error, DWORD(ERROR_ACCESS_DENIED));
  EXPECT_NE(GetFileAttributesW(file_.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{name_});
  EXPECT_EQ(Entries(file_), std::vector<std::wstring>{});
}

// The longest names that Windows holds, 255 characters, as a folder's and as
// the file's: saved new and over an old file, with nothing left beside it
// (the new content's file takes a name cut short to fit). A name of one more
// character, and a path of kLongestPath characters, are refused at once, and
// nothing is made.
TEST_F(FileSavingTest, NamesOf255CharactersAreSavedAndLongerOnesRefused) {
  const std::wstring folder = folder_ + L"\\" + std::wstring(255, L'f');
  ASSERT_TRUE(CreateDirectoryW(FileApiPath(folder).c_str(), nullptr));
  const std::wstring name = std::wstring(251, L'n') + L".pst", file = folder + L"\\" + name;
  EXPECT_EQ(files::SaveFile(Gbk(file), kOldContent), std::nullopt);
  EXPECT_EQ(Read(file), kOldContent);
  EXPECT_EQ(files::SaveFile(Gbk(file), kNewContent), std::nullopt);
  EXPECT_EQ(Read(file), kNewContent);
  EXPECT_EQ(Entries(folder), std::vector<std::wstring>{name});

  std::wstring tooLong = folder + L"\\" + std::wstring(252, L'n') + L".pst";
  std::optional<SaveFailure> failure = files::SaveFile(Gbk(tooLong), kNewContent);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->error, DWORD(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(Entries(folder), std::vector<std::wstring>{name});
  tooLong = folder_ + L"\\" + std::wstring(256, L'f') + L"\\" + name;
  failure = files::SaveFile(Gbk(tooLong), kNewContent);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->error, DWORD(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(Entries(folder_), std::vector<std::wstring>{folder.substr(folder_.size() + 1)});
  tooLong = folder;
  while (tooLong.size() < kLongestPath - name.size() - 1) tooLong += L"\\" + std::wstring(200, L'f');
  tooLong += L"\\" + name;
  ASSERT_GE(tooLong.size(), kLongestPath);
  failure = files::SaveFile(Gbk(tooLong), kNewContent);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->error, DWORD(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(Entries(folder), std::vector<std::wstring>{name});
}

// ---- killed saves ----------------------------------------------------------

// The program that the kill test kills: until it is gone, it is killed
// should the test end early.
class KilledSave {
 public:
  KilledSave(size_t step, const std::wstring& file) {
    static unsigned count = 0;
    const std::wstring event = L"korvath-save-stopped-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                               std::to_wstring(++count);
    idFile_ = ProgramFolder() + L"\\killed-save-id.txt";
    DeleteFileW(idFile_.c_str());
    stopped_ = CreateEventW(nullptr, TRUE, FALSE, event.c_str());
    if (!stopped_ || !testsupport::StartProcess(ProgramFolder() + L"\\save_killed_child.exe",
                                                {std::to_wstring(step), file, event, idFile_}, &process_)) {
      error_ = "could not start save_killed_child.exe";
      return;
    }
    HANDLE either[] = {stopped_, process_};
    switch (WaitForMultipleObjects(2, either, FALSE, 60000)) {
      case WAIT_OBJECT_0: break;
      case WAIT_OBJECT_0 + 1: error_ = "the save ended before it reached the step"; return;
      default: error_ = "the save did not reach the step within 60 s"; return;
    }
    error_ = Kill();
  }
  ~KilledSave() {
    if (process_) {
      TerminateProcess(process_, 9);
      WaitForSingleObject(process_, 30000);
      CloseHandle(process_);
    }
    if (stopped_) CloseHandle(stopped_);
    DeleteFileW(idFile_.c_str());
  }
  KilledSave(const KilledSave&) = delete;
  KilledSave& operator=(const KilledSave&) = delete;
  // Empty once the program stopped at the step and was killed there.
  const std::string& error() const { return error_; }

 private:
  // By its process id on the Linux host under Wine (SIGKILL, as a crash
  // ends a program), else by its handle.
  std::string Kill() {
    const std::optional<std::string> id = Read(idFile_);
    const std::string pid = id ? id->substr(0, id->find_first_not_of("0123456789")) : "";
    if (!testsupport::UnixPath(idFile_).empty()) {
      if (pid.empty()) return "the program did not tell its process id";
      if (!testsupport::RunHostProgram(L"/bin/kill", {L"-KILL", std::wstring(pid.begin(), pid.end())}))
        return "kill -KILL " + pid + " failed";
    } else if (!TerminateProcess(process_, 9)) {
      return "the program could not be ended";
    }
    if (WaitForSingleObject(process_, 30000) != WAIT_OBJECT_0) return "the killed program did not end within 30 s";
    return {};
  }

  HANDLE stopped_ = nullptr;
  HANDLE process_ = nullptr;
  std::wstring idFile_;
  std::string error_;
};

// The program killed before each step of a save and once it has returned,
// over a file of 601 bytes with one of 510 and of a new file: the file then
// holds its whole old or its whole new content, byte for byte (or is not
// there yet), and beside it is at most one file, the new content's, named
// after the file and ending in ".tmp": never a ".pst" file that the tool or
// its open dialog would take. Prints what each kill left.
TEST_F(FileSavingTest, AKillAtAnyStepLeavesTheWholeOldOrTheWholeNewFile) {
  for (const Save& save : kSaves) {
    const std::vector<std::string> names = StepsOf(save);
    for (size_t step = 0; step <= names.size(); ++step) {
      const std::string when = step < names.size() ? "before " + names[step] : "after the save returned";
      SCOPED_TRACE(std::string(save.name) + ", killed " + when);
      Prepare(save);
      {
        KilledSave killed(step, file_);
        ASSERT_EQ(killed.error(), "");
      }
      const std::optional<std::string> held = Read(file_);
      std::string beside;
      size_t others = 0;
      for (const std::wstring& name : Entries(folder_)) {
        if (name == name_) continue;
        ++others;
        const std::optional<std::string> bytes = Read(folder_ + L"\\" + name);
        beside += Gbk(name) + " (" + std::to_string(bytes ? bytes->size() : 0) + " bytes) ";
        EXPECT_EQ(name.substr(0, name_.size() + 1), name_ + L".");
        EXPECT_EQ(name.substr(name.size() - 4), L".tmp");
      }
      std::printf("%-9s | killed %-57s | the file: %-22s | beside it: %s\n", save.name, when.c_str(),
                  Described(held).c_str(), others ? beside.c_str() : "nothing");
      if (save.over) EXPECT_TRUE(held == kOldContent || held == kNewContent) << Described(held);
      else EXPECT_TRUE(!held || held == kNewContent) << Described(held);
      EXPECT_LE(others, 1u);
      EXPECT_EQ(Entries(folder_, L"*.pst"), held ? std::vector<std::wstring>{name_} : std::vector<std::wstring>{});
    }
  }
}

}  // namespace
