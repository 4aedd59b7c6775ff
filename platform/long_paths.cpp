#include "platform/long_paths.h"

#include <windows.h>

#include "platform/gbk_convert.h"

namespace korvath::platform {

namespace {
static_assert(kPlainPathLimit == MAX_PATH - 12);

bool HasPrefix(const std::wstring& text, std::wstring_view prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// Whether a name of the path (its last one only with `last`) ends in one of
// `ends`. The names "." and "..", which step within the path, end in none.
bool SomeNameEndsIn(std::wstring_view path, std::wstring_view ends, bool last) {
  for (size_t begin = 0; begin < path.size();) {
    size_t end = begin;
    while (end < path.size() && !IsPathSeparator(path[end])) ++end;
    const std::wstring_view name = path.substr(begin, end - begin);
    if ((last || end < path.size()) && !name.empty() && name != L"." && name != L".." &&
        ends.find(name.back()) != std::wstring_view::npos)
      return true;
    begin = end + 1;
  }
  return false;
}

// The extended-length form of a full path.
std::wstring ExtendedForm(const std::wstring& full) {
  if (HasPrefix(full, L"\\\\?\\") || HasPrefix(full, L"\\\\.\\")) return full;
  if (HasPrefix(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

// The plain form of an extended-length path.
std::wstring PlainForm(const std::wstring& path) {
  if (HasPrefix(path, L"\\\\?\\UNC\\")) return L"\\\\" + path.substr(8);
  if (HasPrefix(path, L"\\\\?\\")) return path.substr(4);
  return path;
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

std::wstring ShortPath(const std::wstring& path) {
  DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
  while (n > 0) {
    std::wstring shortened(n, L'\0');
    const DWORD got = GetShortPathNameW(path.c_str(), shortened.data(), n);
    if (got == 0) break;
    if (got < n) {
      shortened.resize(got);
      return shortened;
    }
    n = got;
  }
  return {};
}

std::wstring FileApiPath(std::wstring path) {
  if (path.size() < kPlainPathLimit || HasPrefix(path, L"\\\\.\\")) return path;
  if (!HasPrefix(path, L"\\\\?\\")) {
    std::wstring full = FullPath(path);
    if (full.empty()) return path;  // the file function reports the failure
    path = ExtendedForm(full);
  }
  // The system counts a path's bytes in 16 bits, its terminator included. A
  // longer one it refuses whole in the plain form; in the extended-length
  // form Wine takes it cut short, as another path, or reads past its end and
  // ends the program.
  return path.size() <= kLongestExtendedPath ? path : PlainForm(path);
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

std::wstring ExactPath(std::wstring path, bool lastIsFile) {
  if (HasPrefix(path, L"\\\\?\\") || HasPrefix(path, L"\\\\.\\") || !SomeNameEndsIn(path, L".", !lastIsFile))
    return path;
  return ExtendedForm(path);
}

std::wstring DialogFolder(std::wstring folder, std::wstring (*shortPath)(const std::wstring&)) {
  if (HasPrefix(folder, L"\\\\?\\") || SomeNameEndsIn(folder, L" .", true)) {
    const std::wstring shortened = shortPath(ExtendedForm(folder));
    if (!shortened.empty()) folder = PlainForm(shortened);
  }
  return DeepestShortFolder(std::move(folder));
}

}  // namespace korvath::platform
