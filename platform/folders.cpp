#include "platform/folders.h"

#include <windows.h>

#include <vector>

#include "platform/gbk_convert.h"
#include "platform/long_paths.h"

namespace korvath::platform {

std::string ProgramDirectory() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) {
      std::wstring path(buffer.data(), n);
      size_t slash = path.find_last_of(L"\\/");
      return WideToGbk(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash)).text;
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool CreateDir(std::string_view path) {
  std::wstring wide = FileApiPath(path);
  return !wide.empty() && CreateDirectoryW(wide.c_str(), nullptr) != 0;
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

bool ChangeDirectory(std::string_view folder) {
  std::wstring wide = GbkToWide(folder);
  return !wide.empty() && SetCurrentDirectoryW(wide.c_str()) != 0;
}

bool PathIsFolder(std::string_view path) {
  std::wstring wide = FileApiPath(path);
  if (wide.empty()) return false;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace korvath::platform
