#pragma once
// Paths for the file API. A folder typed, chosen or read from a file can be
// longer than MAX_PATH; the W file functions take such a path only in its
// extended-length form ("\\?\C:\..." or "\\?\UNC\server\share\..."), which
// skips the system's own tidying of the text, so short paths stay as they are.
#include <string>
#include <string_view>

namespace korvath::platform {

// Paths shorter than this many characters every file function and dialog
// takes as they are (CreateDirectoryW's limit, MAX_PATH less room for an 8.3
// name, is the lowest).
inline constexpr size_t kPlainPathLimit = 260 - 12;

// Characters of the longest path the system takes, its terminator included:
// a buffer of this size holds any path a dialog can hand back.
inline constexpr size_t kLongestPath = 32768;

// Characters of the longest extended-length path ("\\?\...") the system
// takes; FileApiPath gives a longer one in the plain form.
inline constexpr size_t kLongestExtendedPath = 32766;

// The file functions take "/" for "\" between the names of a path.
inline bool IsPathSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// The wide path to hand to CreateFileW, MoveFileExW and the like: the text as
// it is while it is short, else its full path in the extended-length form,
// up to kLongestExtendedPath characters; one longer than that, in the plain
// form, which every file function refuses as too long. Empty for an empty
// text.
std::wstring FileApiPath(std::string_view gbkPath);
std::wstring FileApiPath(std::wstring path);

// The folder to open a dialog on: the folder while it is shorter than
// kPlainPathLimit, else its deepest parent that is; empty when none is. The
// shell's dialogs copy the folders they show into MAX_PATH buffers (under
// Wine a longer one ends the program) and cannot show a deeper folder.
std::wstring DeepestShortFolder(std::wstring folder);

// A full path ("C:\..." or "\\server\share\...", "\" separators, as the
// shell's dialogs give it) in a form that names it to the file functions:
// as it is, unless a folder's name in it ends in a dot, which the system's
// tidying of a plain path drops ("e_dot." would be "e_dot", another folder
// or none); then in its extended-length form, taken as it stands. With
// `lastIsFile` the last name is a file's and does not count: a name typed
// into a dialog as "zhangsan.pst." opens "zhangsan.pst" as ever.
std::wstring ExactPath(std::wstring path, bool lastIsFile = false);

// The path's short (8.3) form as the system gives it, in the form the path
// has; empty where it gives none (a path that is not there; under Wine any
// path of a share).
std::wstring ShortPath(const std::wstring& path);

// The folder to hand a shell dialog to open on (the folder dialog's start,
// the open dialog's): DeepestShortFolder of it, in a form by which the shell
// finds that folder. The shell takes a plain path with the blanks and a dot
// at the end of each name dropped ("pick " opens "pick", a folder beside it)
// and no extended-length path at all: such a folder goes by its short (8.3)
// path, which names it alone, where the system gives it one (`shortPath`,
// which a test replaces with its own), in the plain form; else as it is.
std::wstring DialogFolder(std::wstring folder, std::wstring (*shortPath)(const std::wstring&) = &ShortPath);

}  // namespace korvath::platform
