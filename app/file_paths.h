#pragma once
// Path and dialog-filter texts (GBK). A "\" can be the trail byte of a
// two-byte character, so the tests for it step over whole characters.
#include <cstddef>
#include <string>
#include <string_view>

namespace korvath::app {

// The path up to and including its last separator ("\" or "/"); empty when
// it has none.
std::string PathDirectoryPart(std::string_view path);
// The folder with one separator at its end: a "\" added unless it ends in
// "\" or "/" already. An empty text stays empty.
std::string WithTrailingBackslash(std::string_view folder);
// The folder text without the blanks (" ") and control characters (a tab, a
// line break) at its ends. No folder name on Windows ends in a blank and no
// full path begins with one, nor holds a control character: they are slips of
// typing or pasting, which a notice could not even show, and the folder is
// the text between them. Full-width blanks are characters of names and stay.
std::wstring_view TrimBlanks(std::wstring_view folder);
// An open-dialog filter "description|pattern|..." as the dialog wants it:
// each piece followed by a NUL byte, and one more NUL at the end.
std::string OpenFileFilterBytes(std::string_view filter);

// Whether the folder text names its folder whatever the current directory
// is: a drive letter path ("X:\...") or a UNC path ("\\server\share\...",
// the extended-length "\\?\..." forms included); "/" counts as "\". Any other
// text (empty, "sub", "\sub", "X:sub") is resolved against the current
// directory, which the open dialog moves.
bool IsAbsoluteFolder(std::string_view folder);

// The first character of the folder text that the file functions take for
// a wildcard, "*" or "?", which no file or folder name may hold; 0 when it
// has none. The "?" of the device namespace's "\\?\" at the text's start
// ("/" counting as "\") belongs to the form, not to a name.
wchar_t FolderWildcard(std::wstring_view folder);

// Characters of the longest path that a notice shows whole: every path that
// the system's classic file functions and dialogs take (shorter than
// MAX_PATH). Only deeper ones, which the tool reaches through extended-length
// paths, are shortened.
inline constexpr size_t kNoticePathLimit = 259;
// The path as a notice names it: whole while it has at most kNoticePathLimit
// characters; else its start (the drive and first folders) and its end (the
// last folder and the file name) with "…" between them, kNoticePathLimit
// characters in all, so that the reason after it stays in view.
std::string NoticePath(std::string_view path);

}  // namespace korvath::app
