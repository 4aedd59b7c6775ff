#include "platform/file_saving_leftovers.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
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

// A name as SystemName tells it without the blanks and dots at the end of
// its last name, never past the separator before that.
std::wstring_view LastNameTrimmed(std::wstring_view name) {
  while (name.ends_with(L' ') || name.ends_with(L'.')) name.remove_suffix(1);
  return name;
}

// Whether the file or folder open as `handle` is the one whose volume and
// index `identity` tells.
bool IsThe(HANDLE handle, const BY_HANDLE_FILE_INFORMATION& identity) {
  BY_HANDLE_FILE_INFORMATION is = {};
  return GetFileInformationByHandle(handle, &is) && is.dwVolumeSerialNumber == identity.dwVolumeSerialNumber &&
         is.nFileIndexHigh == identity.nFileIndexHigh && is.nFileIndexLow == identity.nFileIndexLow;
}

// Whether the system finds the file open as `file`, which the caller holds
// so that nobody else may open it, among the entries of the folder open as
// `folder`, by its index: under Wine by a search of the folder's own entries
// and then of its subfolders', on the folder's disk alone, that follows no
// link (a link of the host is an entry of an index of its own); under
// Windows on the folder's volume. The open of what it finds fails for the
// caller's hold: it is that very file, not a file of the same index on the
// folder's disk where the held one is on another (Wine tells both by one
// volume serial number, 0 for any drive mapped while it runs), which opens,
// unless its own holder too shares it with nobody.
bool FoundAmongTheEntries(HANDLE file, HANDLE folder) {
  BY_HANDLE_FILE_INFORMATION held = {};
  if (!GetFileInformationByHandle(file, &held)) return false;
  const File found = OpenByIndex(folder, held, FILE_READ_DATA);
  return !found && GetLastError() == ERROR_SHARING_VIOLATION;
}

// Opens `name`, a name in the system's own namespace or, with `root`, one
// relative to the folder open as `root` (with FILE_OPEN_BY_FILE_ID in
// `options`, an index there), with `access` and `options` (as NtCreateFile
// takes them), shared as `share` says. Only what is there opens: nothing is
// made. Empty, with the system's error, where nothing opens.
File OpenNamed(HANDLE root, std::wstring_view name, ACCESS_MASK access, ULONG share, ULONG options) {
  UNICODE_STRING named;
  named.Length = named.MaximumLength = USHORT(name.size() * sizeof(wchar_t));
  named.Buffer = const_cast<wchar_t*>(name.data());
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &named, 0, root, nullptr);
  IO_STATUS_BLOCK status = {};
  HANDLE opened = nullptr;
  const NTSTATUS opening = NtCreateFile(&opened, access | SYNCHRONIZE, &attributes, &status, nullptr, 0, share,
                                        FILE_OPEN, options | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
  if (!NT_SUCCESS(opening)) {
    SetLastError(RtlNtStatusToDosError(opening));
    return File();
  }
  return File(opened);
}

// Whether `entries`, a folder as SystemName tells it in the names of its
// entries (with the separator after it), is the folder open as `folder`,
// whose own name SystemName tells as `own`. Under Windows both are the
// folder's path as it is. Wine tells the own name without the blanks and
// dots at the end of its last name, the entries' without one dot there: a
// folder whose last name is blanks and dots alone (and each such folder
// beside it) is told as the folder above it with the separator after it,
// just as a drive's root, or a folder that a drive is mapped to, is told.
// The root's own name opens the root itself, and names its entries as it
// is. Such a folder's opens another folder or none; its entries' folder,
// trimmed as its own name is, must be that name: the entries of the folder
// above, trimmed so, lack the separator, and those of such a folder in a
// root (which a search from the root would find) are no root's.
bool TellsTheFolder(std::wstring_view entries, const std::wstring& own, HANDLE folder) {
  const std::wstring_view asOwn = LastNameTrimmed(entries.substr(0, entries.size() - 1));
  if (!own.ends_with(L'\\')) return asOwn == LastNameTrimmed(own);
  BY_HANDLE_FILE_INFORMATION identity = {};
  if (!GetFileInformationByHandle(folder, &identity)) return false;
  const File named = OpenNamed(nullptr, own, FILE_READ_ATTRIBUTES, kShareAll, FILE_DIRECTORY_FILE);
  return named && IsThe(named.SystemHandle(), identity) ? entries == own : asOwn == own;
}

// Whether the file open as `file`, held so that nobody else may open it, is
// the entry `name` of the folder open as `folder` itself. Wine opens what a
// link of the host points to, and tells the name of what it opened: the
// host's path with every link on the way followed, by the drive whose root
// holds it deepest, as its list of drives has them, which it reads again at
// most once a second. That name must be the folder's entry, the folder's own
// name told at the same moment (so a drive mapped to the folder or removed
// during a save is no matter); but it proves nothing on its own, since Wine
// drops a dot at the end of each folder's name in it (a link in "e_dot." to
// a file of its name in "e_dot" is told as the entry itself), and tells
// folders of blanks and dots alone side by side alike: the system must find
// the file among the folder's own entries too.
bool IsTheEntry(HANDLE file, HANDLE folder, std::wstring_view name) {
  const std::wstring told = SystemName(file);
  if (told.size() <= name.size() || !told.ends_with(name) || told[told.size() - name.size() - 1] != L'\\') return false;
  const std::wstring_view toldFolder = std::wstring_view(told).substr(0, told.size() - name.size());
  return TellsTheFolder(toldFolder, SystemName(folder), folder) && FoundAmongTheEntries(file, folder);
}

// Opens the entry `name` of the folder open as `folder`, in that very folder
// whatever its name is now, as RemoveUnheld opens an entry: to remove it,
// shared with nobody, asking that no link be followed (Wine opens what a
// link of the host points to all the same, and tells its name: IsTheEntry).
File OpenEntryOf(HANDLE folder, std::wstring_view name) {
  return OpenNamed(folder, name, DELETE | FILE_READ_ATTRIBUTES, 0, FILE_NON_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT);
}

// Removes the entry `name` of `folder`, open as `opened`, unless some program
// holds it open. DeleteFile would remove one that its holder lets others
// delete (under Wine at once, the host unlinking it); an open that shares the
// file with nobody fails, under Windows and Wine alike, while anybody else
// has it open, whatever they share, so the file is removed through the handle
// of such an open. Wine takes a link of the host for the file it points to,
// opens that and would unlink that: the file is removed only when what was
// opened is the entry itself (IsTheEntry).
void RemoveUnheld(const std::wstring& folder, const File& opened, std::wstring_view name) {
  const std::wstring path = FileApiPath(folder + std::wstring(name));
  File file(CreateFileW(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (file && IsTheEntry(file.SystemHandle(), opened.SystemHandle(), name)) RemoveWhenClosed(file.SystemHandle());
}

// The folder that `folder` tells, found from the folder open as `from` by
// its index, under the one name that a folder has, for an entry of the file
// that `file` tells, which goes by its own name there, never by its index,
// which a search finds under any of its names. Empty where either tells no
// index.
File FolderFoundFor(HANDLE from, const BY_HANDLE_FILE_INFORMATION& folder, const BY_HANDLE_FILE_INFORMATION& file) {
  if (!IndexTold(folder) || !IndexTold(file)) return File();
  return OpenByIndex(from, folder, FILE_READ_ATTRIBUTES, FILE_FLAG_BACKUP_SEMANTICS);
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
  const File opened(CreateFileW(FileApiPath(FolderToOpen(folder)).c_str(), FILE_READ_ATTRIBUTES, kShareAll,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!opened) return;  // no file can be found among its entries
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
      RemoveUnheld(folder, opened, found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// Not through OpenFileById: Wine's asks the system to open the file or make
// it, so that where the name that its search found for the index goes before
// the open (a save in another prefix, whose server shares no locks with this
// one, removing its own new file while this tidy-up looks at it), an empty
// file of that name is made and stays.
File OpenByIndex(HANDLE folder, const BY_HANDLE_FILE_INFORMATION& identity, DWORD access, DWORD flags) {
  // The name of an open by index is the index's eight bytes.
  const uint64_t index = uint64_t(identity.nFileIndexHigh) << 32 | identity.nFileIndexLow;
  wchar_t asName[sizeof index / sizeof(wchar_t)];
  std::memcpy(asName, &index, sizeof index);
  const ULONG options = flags & FILE_FLAG_BACKUP_SEMANTICS ? FILE_OPEN_FOR_BACKUP_INTENT : FILE_NON_DIRECTORY_FILE;
  return OpenNamed(folder, std::wstring_view(asName, std::size(asName)), access, kShareAll,
                   FILE_OPEN_BY_FILE_ID | options);
}

void RemoveEntryOfFolderFound(HANDLE from, const BY_HANDLE_FILE_INFORMATION& folder, std::wstring_view name,
                              const BY_HANDLE_FILE_INFORMATION& file) {
  const File found = FolderFoundFor(from, folder, file);
  if (!found) return;
  const File entry = OpenEntryOf(found.SystemHandle(), name);
  if (entry && IsThe(entry.SystemHandle(), file) && IsTheEntry(entry.SystemHandle(), found.SystemHandle(), name))
    RemoveWhenClosed(entry.SystemHandle());
}

bool EntryOfFolderFoundIs(HANDLE from, const BY_HANDLE_FILE_INFORMATION& folder, std::wstring_view name,
                          const BY_HANDLE_FILE_INFORMATION& file) {
  const File found = FolderFoundFor(from, folder, file);
  if (!found) return false;
  const File entry = OpenNamed(found.SystemHandle(), name, FILE_READ_ATTRIBUTES, kShareAll,
                               FILE_NON_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT);
  return entry && IsThe(entry.SystemHandle(), file);
}

bool IndexTold(const BY_HANDLE_FILE_INFORMATION& identity) {
  return identity.nFileIndexHigh != 0 || identity.nFileIndexLow != 0;
}

std::wstring FolderToOpen(std::wstring folder) { return folder.empty() ? L"." : folder; }

bool RemoveWhenClosed(HANDLE file, decltype(&SetFileInformationByHandle) set) {
  FILE_DISPOSITION_INFO gone = {};
  gone.DeleteFile = TRUE;
  return set(file, FileDispositionInfo, &gone, sizeof gone);
}

}  // namespace korvath::platform::files
