#include "platform/file_saving_leftovers.h"

#include <windows.h>

#include <algorithm>

#include "platform/files.h"
#include "platform/long_paths.h"

namespace korvath::platform::files {

namespace {
constexpr std::wstring_view kMark = L".saving-";
constexpr std::wstring_view kEnd = L".tmp";
constexpr std::wstring_view kDigits = L"0123456789ABCDEF";
constexpr size_t kDigitCount = 4;
constexpr size_t kSuffixLength = kMark.size() + kDigitCount + kEnd.size();

// The part of the file's name that its leftovers begin with.
std::wstring_view Stem(std::wstring_view fileName) {
  return fileName.substr(0, std::min(fileName.size(), kLongestName - kSuffixLength));
}

// Removes the file unless some program holds it open. DeleteFile would
// remove one that its holder lets others delete (under Wine at once, the
// host unlinking it); an open that shares the file with nobody fails, under
// Windows and Wine alike, while anybody else has it open, whatever they
// share, so the file is removed through the handle of such an open.
void RemoveUnheld(const std::wstring& path) {
  File file(CreateFileW(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return;
  FILE_DISPOSITION_INFO gone = {};
  gone.DeleteFile = TRUE;
  SetFileInformationByHandle(file.SystemHandle(), FileDispositionInfo, &gone, sizeof gone);
}
}  // namespace

std::wstring LeftoverName(std::wstring_view fileName, unsigned unique) {
  std::wstring name(Stem(fileName));
  name += kMark;
  for (int shift = 4 * (int(kDigitCount) - 1); shift >= 0; shift -= 4) name += kDigits[(unique >> shift) & 0xF];
  name += kEnd;
  return name;
}

bool IsLeftoverName(std::wstring_view candidate, std::wstring_view fileName) {
  const size_t digitsAt = Stem(fileName).size() + kMark.size();
  if (candidate.size() != digitsAt + kDigitCount + kEnd.size()) return false;
  unsigned unique = 0;
  for (size_t i = 0; i < kDigitCount; ++i) {
    const size_t digit = kDigits.find(candidate[digitsAt + i]);
    if (digit == std::wstring_view::npos) return false;
    unique = unique << 4 | unsigned(digit);
  }
  return candidate == LeftoverName(fileName, unique);
}

void RemoveLeftovers(const std::wstring& folder, std::wstring_view fileName) {
  WIN32_FIND_DATAW found;
  const std::wstring pattern = FileApiPath(folder + std::wstring(Stem(fileName)) + L"*");
  HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    // A folder or a link of such a name is no file that a save made.
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    if (IsLeftoverName(found.cFileName, fileName)) RemoveUnheld(FileApiPath(folder + found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace korvath::platform::files
