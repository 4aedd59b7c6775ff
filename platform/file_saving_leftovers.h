#pragma once
// The file beside a file being saved that holds its new content until the
// move (platform/file_saving.h), and what saves that never ended left of
// such files. Names and folders are wide, as the file API takes them.
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace korvath::platform::files {

// The longest name, in characters, that Windows holds.
inline constexpr size_t kLongestName = 255;

// A save's and its tidy-up's opens share the file with every other program,
// so that none of them stands in another's way.
inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The name of the file that holds a save's new content beside the file named
// `fileName` (its name alone): that name, cut short where the whole would be
// longer than kLongestName, then ".saving-", `unique` in four upper-case hex
// digits (its low 16 bits) and ".tmp".
std::wstring LeftoverName(std::wstring_view fileName, unsigned unique);

// Whether `candidate` is exactly such a name for `fileName`, for any four
// digits, in the case that LeftoverName writes.
bool IsLeftoverName(std::wstring_view candidate, std::wstring_view fileName);

// Removes from `folder` (ending in a separator) the files of such names for
// `fileName`, as saves of that file that never ended left them, save those
// that any program holds open (among them a save of the file still going on;
// under Wine a program of this prefix: the server of another knows nothing of
// what it holds), and touches nothing else, nor makes anything: no file of
// another name, no folder, no link, nor what a link points to (a link of the
// Linux host under Wine too, which Wine shows as the file it points to, here
// or on another disk), and opens nothing that is no file on disk (under Wine a
// host's FIFO, socket or device, or a link to one). A second name of a file (a
// hard link) is removed as a name: the file keeps its other names. A file is
// removed only where the system finds it among the folder's own entries by its
// index (under Wine no link followed) and tells its name as the folder's
// entry, the folder's name told at the same moment (under Wine by the drives
// of that moment: a drive mapped to the folder or removed during a save is no
// matter); where it cannot, as on a file system that finds no file by its
// index (FAT under Windows), the file stays. A file that cannot be removed
// stays; the caller learns nothing of it.
void RemoveLeftovers(const std::wstring& folder, std::wstring_view fileName);

// The path by which the file API opens `folder` (empty for the current one,
// or ending in a separator) as a folder: exactly the name by which its files
// are named, the separator at its end kept. Without it the system would drop
// blanks and dots at the end of the folder's last name (and open another
// folder of that shorter name, or none), and take a drive's root ("X:",
// "\\?\X:") for the drive's current folder or its volume, and a device's
// name for the device.
std::wstring FolderToOpen(std::wstring folder);

// Opens, with `access` and `flags` (as CreateFileW takes them; a folder
// opens only with FILE_FLAG_BACKUP_SEMANTICS) and sharing everything, the
// file or folder whose index `identity` tells (as GetFileInformationByHandle
// tells it), as the system finds it from the folder open as `folder`: among
// the folder's own entries first, then (under Wine) through the folders below
// it on its disk, no link followed. Empty, with the system's error, where it
// finds none or may not open it. Makes nothing: where what it found goes
// before the open (another program removing it), nothing opens.
File OpenByIndex(HANDLE folder, const BY_HANDLE_FILE_INFORMATION& identity, DWORD access, DWORD flags = 0);

// Removes the entry `name` of the folder whose identity `folder` tells, as
// the system finds that folder by its index from the folder open as `from`
// (OpenByIndex), wherever it went meanwhile: only where that entry is the
// file whose identity `file` tells, no program holds it open, and it proves
// to be the folder's own entry as RemoveLeftovers proves one. Touches nothing
// else: no other name of the file (a hard link that another program made, in
// that folder or any other, which a search for the file by its index may
// find first, and through which Wine would remove that name), no link, nor
// what a link points to. Where the system finds no such folder or entry, or
// tells no index of either, the file stays; the caller learns nothing of it.
void RemoveEntryOfFolderFound(HANDLE from, const BY_HANDLE_FILE_INFORMATION& folder, std::wstring_view name,
                              const BY_HANDLE_FILE_INFORMATION& file);

// Whether the entry `name` of the folder whose identity `folder` tells, as
// the system finds that folder by its index from the folder open as `from`
// (OpenByIndex), wherever it went meanwhile, is the file whose identity
// `file` tells, no link followed (under Wine, which opens what a link of the
// host points to, a link to it would do); the file may be open, whatever
// its holder shares. False where the system finds no such folder or entry,
// or tells no index of either.
bool EntryOfFolderFoundIs(HANDLE from, const BY_HANDLE_FILE_INFORMATION& folder, std::wstring_view name,
                          const BY_HANDLE_FILE_INFORMATION& file);

// Whether the system told an index in `identity`: a file system that keeps
// none tells 0.
bool IndexTold(const BY_HANDLE_FILE_INFORMATION& identity);

// Has the name by which `file` was opened (with the right to delete it)
// removed once the file's last handle is closed, through `set`; false when
// the system refuses.
bool RemoveWhenClosed(HANDLE file, decltype(&SetFileInformationByHandle) set = &SetFileInformationByHandle);

}  // namespace korvath::platform::files
