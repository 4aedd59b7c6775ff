#pragma once
// The runtime's folder commands. Paths are GBK.
#include <string>
#include <string_view>

#include "platform/gbk_convert.h"

namespace korvath::platform {

// The folder of the program file, without a trailing backslash, as the system
// names it.
std::wstring ProgramDirectoryWide();
// The same in GBK. A folder whose name has a character that GBK lacks (Korean,
// an emoji) has no GBK path: `exact` is false, and the text, with the
// system's default character in its place, names no folder.
GbkText ProgramDirectoryChecked();
// ProgramDirectoryChecked's text, for a caller that knows the program's folder
// to have a GBK name.
std::string ProgramDirectory();
// Creates one folder; false when it could not (it may exist already), with
// the system's error for GetLastError.
bool CreateDir(std::string_view path);
// The process's current directory; empty when it cannot be read.
std::string CurrentDirectory();
bool ChangeDirectory(std::string_view folder);
bool ChangeDirectory(std::wstring_view folder);
// True exactly when the path names a folder (by its attributes, also past
// MAX_PATH, where the shell's directory test stops).
bool PathIsFolder(std::string_view path);
// True exactly when the path names something that is not a folder (a file,
// by its attributes, as PathIsFolder).
bool PathIsFile(std::string_view path);

}  // namespace korvath::platform
