#include "platform/folders.h"

#include <windows.h>

#include <vector>

#include "platform/gbk_convert.h"
#include "platform/long_paths.h"

namespace korvath::platform {

std::wstring ProgramDirectoryWide() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) {
      std::wstring path(buffer.data(), n);
      size_t slash = path.find_last_of(L"\\/");
      return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    }
    buffer.resize(buffer.size() * 2);
  }
}

GbkText ProgramDirectoryChecked() { return WideToGbk(ProgramDirectoryWide()); }

std::string ProgramDirectory() { return ProgramDirectoryChecked().text; }

bool CreateDir(std::string_view path) {
  std::wstring wide = FileApiPath(path);
  if (wide.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  return CreateDirectoryW(wide.c_str(), nullptr) != 0;
}

std::string CurrentDirectory() {
  DWORD n = GetCurrentDirectoryW(0, nullptr);
  if (n == 0) return {};
  std::wstring buffer(n, L'\0');
  n = GetCurrentDirectoryW(n, buffer.data());
  if (n == 0 || n >= buffer.size()) return {};
  buffer.resize(n);
  return WideToGbk(buffer).text;
}

bool ChangeDirectory(std::string_view folder) { return ChangeDirectory(std::wstring_view(GbkToWide(folder))); }

bool ChangeDirectory(std::wstring_view folder) {
  return !folder.empty() && SetCurrentDirectoryW(std::wstring(folder).c_str()) != 0;
}

namespace {
DWORD AttributesOf(std::string_view path) {
  std::wstring wide = FileApiPath(path);
  return wide.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
}
}  // namespace

bool PathIsFolder(std::string_view path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathIsFile(std::string_view path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace korvath::platform
