#pragma once
// The runtime's folder commands. Paths are GBK.
#include <string>
#include <string_view>

namespace korvath::platform {

// The folder of the program file, without a trailing backslash.
std::string ProgramDirectory();
// Creates one folder; false when it could not (it may exist already).
bool CreateDir(std::string_view path);
// The process's current directory; empty when it cannot be read.
std::string CurrentDirectory();
bool ChangeDirectory(std::string_view folder);
// True exactly when the path names a folder (by its attributes, also past
// MAX_PATH, where the shell's directory test stops).
bool PathIsFolder(std::string_view path);

}  // namespace korvath::platform
