#include "platform/file_saving.h"

#include <algorithm>
#include <string>

#include "platform/file_saving_calls.h"
#include "platform/files.h"
#include "platform/gbk_convert.h"
#include "platform/long_paths.h"

namespace korvath::platform::files {

namespace {
constexpr size_t kLongestName = 255;
// The marks that a replaced file hands on: those a user gives a file. Any
// change of a file gives it the archive mark besides.
constexpr DWORD kKeptMarks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The error of the call that just failed; never ERROR_SUCCESS, so that a
// failure always reads as one.
DWORD LastError() {
  const DWORD error = GetLastError();
  return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
}

// Windows holds no name longer than 255 characters and no path of
// kLongestPath characters or more, and refuses them; Wine cuts such a name
// short and drops the rest of the path, so that a file would be written to
// another place.
bool FitsFileSystem(const std::wstring& path) {
  if (path.size() >= kLongestPath) return false;
  size_t nameStart = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != L'\\' && path[i] != L'/') continue;
    if (i - nameStart > kLongestName) return false;
    nameStart = i + 1;
  }
  return true;
}

// The file that holds the new content until it takes the place of `target`:
// named after it, so that one left by a save that never ended says whose it
// is, and ending in ".tmp", so that neither the tool nor its open dialog's
// "*.pst" takes it for a document (nor for its short name, "....TMP"). Made
// new, open for writing and shared with nobody; its path for the file API in
// `apiPath`. A file that is not open when none can be made there
// (GetLastError says why).
File NewFileBeside(const std::wstring& target, std::wstring& apiPath) {
  const size_t slash = target.find_last_of(L"\\/");
  const size_t nameStart = slash == std::wstring::npos ? 0 : slash + 1;
  static unsigned next = GetTickCount() ^ GetCurrentProcessId();
  for (unsigned tries = 0; tries < 0x10000; ++tries) {
    const unsigned unique = next++ & 0xFFFF;
    std::wstring suffix = L".saving-";
    for (int shift = 12; shift >= 0; shift -= 4) suffix += L"0123456789ABCDEF"[(unique >> shift) & 0xF];
    suffix += L".tmp";
    // The file's name cut short where it would make too long a name.
    const size_t kept = std::min(target.size() - nameStart, kLongestName - suffix.size());
    const std::wstring path = target.substr(0, nameStart + kept) + suffix;
    if (!FitsFileSystem(path)) {
      SetLastError(ERROR_FILENAME_EXCED_RANGE);
      return File();
    }
    apiPath = FileApiPath(path);
    File file(SaveSystemCalls().createFile(apiPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return file;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return File();
  }
  SetLastError(ERROR_FILE_EXISTS);
  return File();
}
}  // namespace

SaveCalls& SaveSystemCalls() {
  static SaveCalls calls;
  return calls;
}

std::optional<SaveFailure> SaveFile(std::string_view path, std::string_view bytes) {
  using Step = SaveFailure::Step;
  const std::wstring wide = GbkToWide(path);
  if (!FitsFileSystem(wide)) return SaveFailure{Step::Folder, ERROR_FILENAME_EXCED_RANGE};
  const std::wstring target = FileApiPath(wide);
  if (target.empty()) return SaveFailure{Step::Folder, ERROR_INVALID_NAME};
  SaveCalls& calls = SaveSystemCalls();
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
  if (replacing) {
    // Windows refuses to replace a read-only file; Wine would replace it.
    // Honour the mark everywhere, and say that it is the mark.
    if (attributes & FILE_ATTRIBUTE_READONLY) return SaveFailure{Step::Target, ERROR_FILE_READ_ONLY};
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return SaveFailure{Step::Target, ERROR_ACCESS_DENIED};
    // A file that another program holds open without letting it be deleted
    // cannot be replaced, and the move would say no more than "access
    // denied": asking for the right to delete it says that it is held.
    File held(calls.createFile(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!held) return SaveFailure{Step::Target, LastError()};
  }
  std::wstring temporary;
  File file = NewFileBeside(wide, temporary);
  if (!file) return SaveFailure{Step::Folder, LastError()};
  const auto failed = [&](Step step) {
    const DWORD error = LastError();
    CloseFile(file);
    DeleteFileW(temporary.c_str());
    return SaveFailure{step, error};
  };
  // The move gives the file the new file's marks, under Wine as the
  // system's replace does: the new file takes the old one's first.
  FILE_BASIC_INFO marks = {};
  marks.FileAttributes = (attributes & kKeptMarks) | FILE_ATTRIBUTE_ARCHIVE;
  if (replacing && !calls.setFileInformationByHandle(file.SystemHandle(), FileBasicInfo, &marks, sizeof marks))
    return failed(Step::Write);
  if (!WriteAllBytes(file.SystemHandle(), bytes, calls.writeFile) || !calls.flushFileBuffers(file.SystemHandle()))
    return failed(Step::Write);
  if (!calls.closeHandle(file.Release())) return failed(Step::Write);
  // One step that the file system makes whole: the file is the old one or
  // the new one, never some of each. Without replacing when there was no
  // file: one that turned up meanwhile was never asked about.
  const DWORD how = MOVEFILE_WRITE_THROUGH | (replacing ? MOVEFILE_REPLACE_EXISTING : 0);
  if (!calls.moveFileEx(temporary.c_str(), target.c_str(), how)) return failed(Step::Target);
  return std::nullopt;
}

}  // namespace korvath::platform::files
