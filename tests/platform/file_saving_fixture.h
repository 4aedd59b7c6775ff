#pragma once
// What the tests of saving a file share: the folder they save in, beside the
// test program, the files' contents read and written around the save, and
// the program that a test kills in the middle of a save.
#include <gtest/gtest.h>
#include <windows.h>

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
inline void PrintTo(const SaveFailure& failure, std::ostream* out) {
  *out << "a failure at step " << int(failure.step) << " with error " << failure.error;
}
inline void PrintTo(const SaveResult& result, std::ostream* out) {
  if (result.failure) PrintTo(*result.failure, out);
  else *out << "saved";
  if (result.folderUnflushed) *out << ", the folder's flush failing with error " << *result.folderUnflushed;
}
}  // namespace korvath::platform::files

namespace korvath::platform::files::savetest {

inline std::wstring ProgramFolder() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder = self;
  return folder.substr(0, folder.find_last_of(L'\\'));
}

inline std::string Gbk(const std::wstring& path) { return WideToGbk(path).text; }

// A save's result where the file is in its place and its folder flushed.
inline const SaveResult kSaved{};

inline std::optional<std::string> Read(const std::wstring& path) {
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

inline void Write(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(FileApiPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr));
  CloseHandle(file);
}

// The names in the folder that match `pattern`, as the open dialog's filter
// finds them.
inline std::vector<std::wstring> Entries(const std::wstring& folder, const wchar_t* pattern = L"*") {
  return testsupport::NamesFound(FileApiPath(folder + L"\\" + pattern));
}

inline void RemoveAll(const std::wstring& folder) {
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
inline std::string Described(const std::optional<std::string>& bytes) {
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
inline constexpr Save kSaves[] = {{"overwrite", true}, {"new file", false}};

// The failed step's kind, as the notices tell them apart: of the steps up to
// the move.
inline SaveFailure::Step KindOf(const std::string& step) {
  if (step == "CreateFileW (the new file beside it)") return SaveFailure::Step::Folder;
  if (step == "CreateFileW (the file itself)" || step == "MoveFileExW" || step == "CreateHardLinkW")
    return SaveFailure::Step::Target;
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
    EXPECT_EQ(files::SaveFile(Gbk(file_), kNewContent), kSaved);
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

// ---- killed saves ----------------------------------------------------------

// What a save that reached its step is left to: killed there, or holding
// there (its new file open, as a save that is still going on holds it) until
// the object is gone.
enum class AtTheStep { Kill, Hold };

// The program that the kill test kills: until it is gone, it is killed
// should the test end early.
class KilledSave {
 public:
  KilledSave(size_t step, const std::wstring& file, AtTheStep then = AtTheStep::Kill) {
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
    if (then == AtTheStep::Kill) error_ = Kill();
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
  // Empty once the program stopped at the step and was killed there (or
  // holds there).
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


}  // namespace korvath::platform::files::savetest
