#pragma once
// Paths that name a device rather than a file on disk, told by their text
// alone, before anything is opened: a read of a serial port or of a pipe that
// nobody serves waits for ever. Nothing here calls Win32, so it builds and is
// tested natively too.
#include <string_view>

namespace korvath::platform {

// True for a path that the system takes for a device:
// - a reserved DOS device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, the
//   COM and LPT names with a superscript 1, 2 or 3, CONIN$, CONOUT$) as the
//   last part of a drive, rooted or relative path, in any folder, in any
//   case, with any extension, with blanks before the extension or a ":"
//   after the name ("C:\x\aux.pst", "com1 .txt", "nul:");
// - a path in the device namespace ("\\.\", "\\?\", "\??\") that names a
//   device itself ("\\.\COM1", "\\?\C:") or a pipe or mail slot;
// - a pipe or mail slot of another computer ("\\server\pipe\name").
// "/" counts as "\". A path inside a drive, share or volume in the device
// namespace ("\\?\C:\x\aux.pst", "\\?\UNC\server\share\aux.pst") takes its
// names literally, as a share's path does: the system maps no DOS device
// name there. Names that merely begin like a device's ("con1.pst",
// "auxiliary.pst", "COM0", "COM10") are ordinary files. A drive's root in the
// device namespace ("\\?\C:\") counts as its drive's device: it is no file,
// and a folder's path is told apart by PathIsDriveRoot.
bool PathNamesDevice(std::wstring_view path);

// True for a drive's root folder named with the one separator after the
// drive that makes it the root: "C:\", and in the device namespace
// "\\?\C:\", "\\.\C:\" or "\??\C:\" ("/" counting as "\", the letter in
// either case). Without that separator the name is no folder's path: "C:" is
// the drive's current folder, "\\?\C:" and "\\.\C:" its volume, a device
// that an open for a folder would take in the root's place.
bool PathIsDriveRoot(std::wstring_view path);

}  // namespace korvath::platform
