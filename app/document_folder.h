#pragma once
// The folder that a save goes into: the tool's own beside the program, and
// what the folder box's text must be before a save is tried.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/folders.h"

namespace korvath::app {

// The tool's own document folder beside the program, "AI文件夹" with its
// trailing "\", as the system names it: made at start-up when missing and
// its path has a GBK form (the tool's paths are GBK). Defined here, so that
// the start-up benchmark's window without the tool shows the same folder.
inline std::wstring DefaultDocumentFolder() {
  return platform::ProgramDirectoryWide() + L"\\AI\u6587\u4EF6\u5939\\";
}

// Makes the tool's own document folder when it is missing. ERROR_SUCCESS when
// it is there afterwards; else the system's error, or
// ERROR_NO_UNICODE_TRANSLATION when the program's folder has a character that
// GBK lacks: the tool's paths are GBK, so it makes no folder there that it
// could not save into.
DWORD MakeDefaultDocumentFolder();

// The folder box's text without the blanks and control characters at its
// ends (TrimBlanks): the folder that the save and the name box take.
std::wstring FolderBoxText();

// Why a save cannot go into the folder that the folder box names (`typed`,
// its FolderBoxText), told before anything is written:
// there is none, it would depend on the current directory, it is the tool's
// own folder and the program's folder cannot hold it (its path has characters
// that GBK lacks, or the folder could not be made there, with the system's
// reason), or it holds a wildcard ("*" or "?", FolderWildcard), which no
// name may hold, or it names a file, or a device or a pipe: by its name
// without the separators at its end, by which the save opens the folder (a
// drive's root, "C:\" or "\\?\C:\", with its own, and so no device), or
// what is there and is no folder (under Wine a host's FIFO or link to a
// device). The tool's own folder is made again when it has gone since
// start-up. Empty when nothing speaks against the folder.
std::string DocumentFolderRefusal(std::wstring_view typed);

}  // namespace korvath::app
