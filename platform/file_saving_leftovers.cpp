#include "platform/file_saving_leftovers.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <vector>

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

// The name of the file or folder open as `handle` in the system's own
// namespace, as it was reached: under Wine the drive's path of the host's
// path that every host link on the way leads to; under Windows the volume's
// device and the path, the final name itself no link's target when opened
// as such. Empty when the system tells none. (The file API's
// GetFinalPathNameByHandleW tells no path longer than MAX_PATH under Wine,
// nor one of a volume that the host mounts in a folder.)
std::wstring SystemName(HANDLE handle) {
  // Room for the longest name that a UNICODE_STRING holds.
  std::vector<std::byte> buffer(sizeof(OBJECT_NAME_INFORMATION) + 0x10000);
  ULONG size = 0;
  if (!NT_SUCCESS(NtQueryObject(handle, ObjectNameInformation, buffer.data(), ULONG(buffer.size()), &size)))
    return {};
  const UNICODE_STRING& name = reinterpret_cast<const OBJECT_NAME_INFORMATION*>(buffer.data())->Name;
  return std::wstring(name.Buffer, name.Length / sizeof(wchar_t));
}

// The folder open as `folder`'s volume serial number and index there; all
// zero when the system tells none.
BY_HANDLE_FILE_INFORMATION IdentityOf(const File& folder) {
  BY_HANDLE_FILE_INFORMATION information = {};
  if (!folder || !GetFileInformationByHandle(folder.SystemHandle(), &information)) return {};
  return information;
}

// Whether the folder that `systemFolder` (ending in a separator) names in
// the system's own namespace is the one that `folder` (as the file API
// takes it) opens now. Both are opened and told together: the identity of
// either is told the same way at the same moment.
bool IsTheFolder(const std::wstring& systemFolder, const std::wstring& folder) {
  constexpr std::wstring_view kDosDevices = L"\\??\\";
  const std::wstring apiPath = systemFolder.starts_with(kDosDevices)
                                   ? L"\\\\?\\" + systemFolder.substr(kDosDevices.size())
                                   : L"\\\\?\\GLOBALROOT" + systemFolder;
  const auto open = [](const std::wstring& path) {
    return File(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  };
  const File told = open(apiPath), named = open(FileApiPath(FolderToOpen(folder)));
  const BY_HANDLE_FILE_INFORMATION a = IdentityOf(told), b = IdentityOf(named);
  return told && named && a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
         a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

// Whether the file open as `file` is the entry `name` of `folder` itself,
// `inFolder` (ending in a separator) the folder's name as the system told it
// before. Wine tells a name by the drive whose root holds it deepest, as its
// list of drives has them, which it reads again at most once a second: a
// drive mapped to the folder or to a folder above it meanwhile, or one
// removed, tells the same entry by another name. Then it is the entry where
// its name is the entry's and the folder that holds it is the folder.
bool IsTheEntry(HANDLE file, const std::wstring& inFolder, const std::wstring& folder, std::wstring_view name) {
  const std::wstring told = SystemName(file);
  if (told == inFolder + std::wstring(name)) return true;
  if (told.size() <= name.size() || !told.ends_with(name) || told[told.size() - name.size() - 1] != L'\\') return false;
  return IsTheFolder(told.substr(0, told.size() - name.size()), folder);
}

// Removes the entry `name` of `folder`, unless some program holds it open.
// DeleteFile would remove one that its holder lets others delete (under Wine
// at once, the host unlinking it); an open that shares the file with nobody
// fails, under Windows and Wine alike, while anybody else has it open,
// whatever they share, so the file is removed through the handle of such an
// open. Wine takes a link of the host for the file it points to, opens that
// and would unlink that: the file is removed only when what was opened is
// the entry itself (IsTheEntry).
void RemoveUnheld(const std::wstring& folder, std::wstring_view name, const std::wstring& inFolder) {
  const std::wstring path = FileApiPath(folder + std::wstring(name));
  File file(CreateFileW(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (file && IsTheEntry(file.SystemHandle(), inFolder, folder, name)) RemoveWhenClosed(file.SystemHandle());
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

void RemoveLeftovers(const std::wstring& folder, std::wstring_view fileName, std::wstring inFolder) {
  // Each file's own name is the folder's, as the system tells it, with the
  // file's: a folder reached through a link holds its files all the same.
  if (inFolder.empty()) {
    File opened(CreateFileW(FileApiPath(FolderToOpen(folder)).c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (opened) inFolder = SystemName(opened.SystemHandle());
    if (inFolder.empty()) return;  // no file's own name can be told
    if (inFolder.back() != L'\\') inFolder += L'\\';
  }
  WIN32_FIND_DATAW found;
  const std::wstring pattern = FileApiPath(folder + std::wstring(Stem(fileName)) + L"*");
  HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    // A folder or a link of such a name is no file that a save made.
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    if (!IsLeftoverName(found.cFileName, fileName)) continue;
    // What the search finds and no attributes describe is no file on disk
    // (under Wine a host's FIFO, socket or device, or a link to one): an
    // open alone would wake a program that waits at a FIFO's other end.
    if (GetFileAttributesW(FileApiPath(folder + found.cFileName).c_str()) != INVALID_FILE_ATTRIBUTES)
      RemoveUnheld(folder, found.cFileName, inFolder);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

std::wstring FolderSystemName(HANDLE file) {
  std::wstring name = SystemName(file);
  name.resize(name.find_last_of(L'\\') + 1);  // empty where there is no separator
  return name;
}

std::wstring FolderToOpen(std::wstring folder) { return folder.empty() ? L"." : folder; }

bool RemoveWhenClosed(HANDLE file, decltype(&SetFileInformationByHandle) set) {
  FILE_DISPOSITION_INFO gone = {};
  gone.DeleteFile = TRUE;
  return set(file, FileDispositionInfo, &gone, sizeof gone);
}

}  // namespace korvath::platform::files
