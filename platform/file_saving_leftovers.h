#pragma once
// The file beside a file being saved that holds its new content until the
// move (platform/file_saving.h), and what saves that never ended left of
// such files. Names and folders are wide, as the file API takes them.
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace korvath::platform::files {

// The longest name, in characters, that Windows holds.
inline constexpr size_t kLongestName = 255;

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
// that any program holds open (among them a save of the file still going on),
// and touches nothing else: no file of another name, no folder, no link, nor
// what a link points to (a link of the Linux host under Wine too, which Wine
// shows as the file it points to), and opens nothing that is no file on disk
// (under Wine a host's FIFO, socket or device, or a link to one). A second name of a file (a hard link) is
// removed as a name: the file keeps its other names. A file that cannot be
// removed stays; the caller learns nothing of it. `inFolder` is the
// folder's name as FolderSystemName tells it of a file that the caller made
// there; without one, the folder's own name as the system tells it, which
// under Wine lacks the blanks at the end of its last name. A file that the
// system tells by another name of its folder (under Wine: in such a folder,
// or by a drive mapped or removed since) is removed where the folder of that
// name is, as the system tells their identity, the one that `folder` opens.
void RemoveLeftovers(const std::wstring& folder, std::wstring_view fileName, std::wstring inFolder = {});

// The name of the folder that holds the file open as `file`, which the
// caller made there (no link), as the system tells names in its own
// namespace, ending in a separator: what RemoveLeftovers takes each file's
// own name to begin with. Empty when the system tells none.
std::wstring FolderSystemName(HANDLE file);

// The path by which the file API opens `folder` (empty for the current one,
// or ending in a separator) as a folder: exactly the name by which its files
// are named, the separator at its end kept. Without it the system would drop
// blanks and dots at the end of the folder's last name (and open another
// folder of that shorter name, or none), and take a drive's root ("X:",
// "\\?\X:") for the drive's current folder or its volume, and a device's
// name for the device.
std::wstring FolderToOpen(std::wstring folder);

// Has the name by which `file` was opened (with the right to delete it)
// removed once the file's last handle is closed, through `set`; false when
// the system refuses.
bool RemoveWhenClosed(HANDLE file, decltype(&SetFileInformationByHandle) set = &SetFileInformationByHandle);

}  // namespace korvath::platform::files
