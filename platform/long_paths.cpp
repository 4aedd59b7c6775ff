#include "platform/long_paths.h"

#include <windows.h>

#include "platform/gbk_convert.h"

namespace korvath::platform {

namespace {
static_assert(kPlainPathLimit == MAX_PATH - 12);

bool HasPrefix(const std::wstring& text, std::wstring_view prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// The full path of a relative or untidy one ("..", "/"); the system measures
// it first, so that no length is assumed.
std::wstring FullPath(const std::wstring& path) {
  DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  while (n > 0) {
    std::wstring full(n, L'\0');
    DWORD got = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
    if (got == 0) break;
    if (got < n) {
      full.resize(got);
      return full;
    }
    n = got;  // the current directory changed in between: measure again
  }
  return {};
}
}  // namespace

std::wstring FileApiPath(std::wstring path) {
  if (path.size() < kPlainPathLimit || HasPrefix(path, L"\\\\?\\") || HasPrefix(path, L"\\\\.\\"))
    return path;
  std::wstring full = FullPath(path);
  if (full.empty()) return path;  // the file function reports the failure
  if (HasPrefix(full, L"\\\\?\\") || HasPrefix(full, L"\\\\.\\")) return full;
  if (HasPrefix(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

std::wstring FileApiPath(std::string_view gbkPath) { return FileApiPath(GbkToWide(gbkPath)); }

std::wstring DeepestShortFolder(std::wstring folder) {
  while (folder.size() >= kPlainPathLimit) {
    const size_t slash = folder.find_last_of(L"\\/", folder.size() - 2);
    if (slash == std::wstring::npos) return {};
    folder.resize(slash + 1);
  }
  return folder;
}

}  // namespace korvath::platform
