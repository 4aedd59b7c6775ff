#include "platform/file_saving.h"

#include <string>
#include <utility>

#include "platform/files.h"
#include "platform/gbk_convert.h"
#include "platform/long_paths.h"

namespace korvath::platform::files {

namespace {
constexpr DWORD kCopyChunk = 64 * 1024;
constexpr size_t kLongestName = 255;

// The error of the call that just failed; never ERROR_SUCCESS, so that a
// failure always reads as one.
DWORD LastError() {
  const DWORD error = GetLastError();
  return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
}

bool Rewind(HANDLE file) {
  LARGE_INTEGER zero = {};
  return SetFilePointerEx(file, zero, nullptr, FILE_BEGIN) != 0;
}

// Ends the file where it is written to and puts it on disk.
bool EndHere(HANDLE file) { return SetEndOfFile(file) && FlushFileBuffers(file); }

// The whole content of `from` into `to`, both from their start.
bool CopyContent(HANDLE from, HANDLE to) {
  if (!Rewind(from) || !Rewind(to)) return false;
  std::string chunk(kCopyChunk, '\0');
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(from, chunk.data(), kCopyChunk, &got, nullptr)) return false;
    if (got == 0) return EndHere(to);
    if (!WriteAllBytes(to, std::string_view(chunk.data(), got))) return false;
  }
}

// A new, empty file with a unique name in the folder of `path`, open for
// reading and writing and shared with nobody; its GBK path in `name`. A
// file that is not open when none can be made there (GetLastError says why).
File NewFileBeside(std::string_view path, std::string& name) {
  const std::wstring wide = GbkToWide(path);
  const size_t slash = wide.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? std::wstring() : wide.substr(0, slash + 1);
  // Names as GetTempFileNameW makes them ("npc" and four hex digits), made
  // here because that function assumes a folder shorter than MAX_PATH and a
  // buffer of MAX_PATH characters.
  static unsigned next = GetTickCount() ^ GetCurrentProcessId();
  for (unsigned tries = 0; tries < 0x10000; ++tries) {
    const unsigned unique = next++ & 0xFFFF;
    std::wstring candidate = folder + L"npc";
    for (int shift = 12; shift >= 0; shift -= 4) candidate += L"0123456789ABCDEF"[(unique >> shift) & 0xF];
    candidate += L".tmp";
    const std::wstring apiPath = FileApiPath(candidate);
    File file(CreateFileW(apiPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      return File();
    }
    GbkText gbk = WideToGbk(candidate);
    if (!gbk.exact) {  // the caller could not name it again
      CloseFile(file);
      DeleteFileW(apiPath.c_str());
      SetLastError(ERROR_INVALID_NAME);
      return File();
    }
    name = std::move(gbk.text);
    return file;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return File();
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

void DeleteFileAt(std::string_view path) { DeleteFileW(FileApiPath(path).c_str()); }

std::optional<SaveFailure> SaveNewFile(std::string_view path, std::string_view bytes) {
  using Step = SaveFailure::Step;
  std::string temporary;
  File file = NewFileBeside(path, temporary);
  if (!file) return SaveFailure{Step::Folder, LastError()};
  if (!WriteAllBytes(file.SystemHandle(), bytes) || !EndHere(file.SystemHandle()) || !CloseFile(file)) {
    const DWORD error = LastError();
    CloseFile(file);
    DeleteFileAt(temporary);
    return SaveFailure{Step::Write, error};
  }
  // Without replacing: a file that turned up meanwhile was never asked about.
  if (!MoveFileExW(FileApiPath(temporary).c_str(), FileApiPath(path).c_str(), MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = LastError();
    DeleteFileAt(temporary);
    return SaveFailure{Step::Target, error};
  }
  return std::nullopt;
}

std::optional<SaveFailure> RewriteInPlace(std::string_view path, const std::wstring& target, DWORD attributes,
                                          std::string_view bytes) {
  using Step = SaveFailure::Step;
  // Windows refuses to write a read-only file; Wine would write it. Honour
  // the mark everywhere, and say that it is the mark.
  if (attributes & FILE_ATTRIBUTE_READONLY) return SaveFailure{Step::Target, ERROR_FILE_READ_ONLY};
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return SaveFailure{Step::Target, ERROR_ACCESS_DENIED};
  File file(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return SaveFailure{Step::Target, LastError()};
  std::string backupName;
  File backup = NewFileBeside(path, backupName);
  if (!backup) return SaveFailure{Step::Folder, LastError()};
  if (!CopyContent(file.SystemHandle(), backup.SystemHandle())) {
    const DWORD error = LastError();
    CloseFile(backup);
    DeleteFileAt(backupName);
    return SaveFailure{Step::Write, error};
  }
  if (!Rewind(file.SystemHandle()) || !WriteAllBytes(file.SystemHandle(), bytes) || !EndHere(file.SystemHandle())) {
    const DWORD error = LastError();
    // The old content back: in place, or else its copy in the file's stead;
    // should both fail, the copy stays, the one whole old content left.
    const bool restored = CopyContent(backup.SystemHandle(), file.SystemHandle()) && CloseFile(file);
    CloseFile(file);
    CloseFile(backup);
    if (restored) DeleteFileAt(backupName);
    else MoveFileExW(FileApiPath(backupName).c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    return SaveFailure{Step::Write, error};
  }
  // The new content is on disk: a failing close loses nothing of it.
  CloseFile(file);
  CloseFile(backup);
  DeleteFileAt(backupName);
  return std::nullopt;
}
}  // namespace

std::optional<SaveFailure> SaveFile(std::string_view path, std::string_view bytes) {
  if (!FitsFileSystem(GbkToWide(path))) return SaveFailure{SaveFailure::Step::Folder, ERROR_FILENAME_EXCED_RANGE};
  const std::wstring target = FileApiPath(path);
  if (target.empty()) return SaveFailure{SaveFailure::Step::Folder, ERROR_INVALID_NAME};
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return SaveNewFile(path, bytes);
  return RewriteInPlace(path, target, attributes, bytes);
}

}  // namespace korvath::platform::files
