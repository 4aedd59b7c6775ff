#include "app/file_paths.h"

#include <algorithm>
#include <vector>

#include "platform/long_paths.h"
#include "platform/text_commands.h"

namespace korvath::app {

using namespace korvath::platform;

namespace {
// Where the path's last separator ends: its 1-based position, 0 when it has
// none. A "\" can be the second byte of a character; a "/" never is.
size_t LastSeparatorEnd(std::string_view path) {
  const int backslash = FindLastByteOutsideChars(path, '\\');
  const size_t slash = path.rfind('/');
  return std::max(backslash < 1 ? size_t(0) : size_t(backslash), slash == std::string_view::npos ? 0 : slash + 1);
}
}  // namespace

std::string PathDirectoryPart(std::string_view path) { return std::string(path.substr(0, LastSeparatorEnd(path))); }

std::string WithTrailingBackslash(std::string_view folder) {
  std::string out(folder);
  if (!out.empty() && LastSeparatorEnd(out) != out.size()) out += '\\';
  return out;
}

namespace {
// A blank, or a control character of Unicode's C0 or C1 set or DEL.
bool IsBlankOrControl(wchar_t c) { return c == L' ' || c < 0x20 || (c >= 0x7F && c <= 0x9F); }
}  // namespace

std::wstring_view TrimBlanks(std::wstring_view folder) {
  while (!folder.empty() && IsBlankOrControl(folder.front())) folder.remove_prefix(1);
  while (!folder.empty() && IsBlankOrControl(folder.back())) folder.remove_suffix(1);
  return folder;
}

std::string OpenFileFilterBytes(std::string_view filter) {
  std::string bytes;
  for (const std::string& piece : SplitText(filter, "|")) {
    bytes += piece;
    bytes += '\0';
  }
  bytes += '\0';
  return bytes;
}

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The byte offset where each character of the text begins.
std::vector<size_t> CharStarts(std::string_view text) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < text.size(); i += GbkCharLength(text, i)) starts.push_back(i);
  return starts;
}
}  // namespace

bool IsAbsoluteFolder(std::string_view folder) {
  // Every byte looked at here begins a character: what stands before it is ASCII.
  if (folder.size() >= 3 && IsAsciiLetter(folder[0]) && folder[1] == ':' && IsSeparator(folder[2])) return true;
  if (folder.size() < 2 || !IsSeparator(folder[0]) || !IsSeparator(folder[1])) return false;
  // "\\server\share": a server name, a separator after it, then a share name.
  const std::string_view rest = folder.substr(2);
  size_t server = 0;
  while (server < rest.size() && !IsSeparator(rest[server])) server += GbkCharLength(rest, server);
  return server > 0 && server + 1 < rest.size() && !IsSeparator(rest[server + 1]);
}

wchar_t FolderWildcard(std::wstring_view folder) {
  using platform::IsPathSeparator;
  const bool deviceForm = folder.size() >= 4 && IsPathSeparator(folder[0]) && IsPathSeparator(folder[1]) &&
                          folder[2] == L'?' && IsPathSeparator(folder[3]);
  const size_t found = folder.find_first_of(L"*?", deviceForm ? 4 : 0);
  return found == std::wstring_view::npos ? 0 : folder[found];
}

std::string NoticePath(std::string_view path) {
  const std::vector<size_t> starts = CharStarts(path);
  const size_t count = starts.size();
  if (count <= kNoticePathLimit) return std::string(path);
  const size_t kept = kNoticePathLimit - 1;  // "…" is one character
  const size_t headChars = kept / 2, tailChars = kept - headChars;
  // The start ends after a folder's "\" and the end begins at one, when
  // that costs at most half of either: whole folder names on both sides.
  size_t headEnd = headChars;
  for (size_t i = headChars; i > headChars / 2; --i) {
    if (IsSeparator(path[starts[i - 1]])) {
      headEnd = i;
      break;
    }
  }
  size_t tailBegin = count - tailChars;
  for (size_t i = tailBegin; i < count - tailChars / 2; ++i) {
    if (IsSeparator(path[starts[i]])) {
      tailBegin = i;
      break;
    }
  }
  return std::string(path.substr(0, starts[headEnd])) + "…" + std::string(path.substr(starts[tailBegin]));
}

}  // namespace korvath::app
