#include "platform/device_names.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "platform/long_paths.h"

namespace korvath::platform {

namespace {
wchar_t AsciiUpper(wchar_t c) { return c >= L'a' && c <= L'z' ? wchar_t(c - L'a' + L'A') : c; }

// `text` is `upper` in any case of its ASCII letters.
bool SameName(std::wstring_view text, std::wstring_view upper) {
  return text.size() == upper.size() &&
         std::equal(text.begin(), text.end(), upper.begin(), [](wchar_t a, wchar_t b) { return AsciiUpper(a) == b; });
}

bool IsDriveLetterColon(std::wstring_view part) {
  return part.size() == 2 && AsciiUpper(part[0]) >= L'A' && AsciiUpper(part[0]) <= L'Z' && part[1] == L':';
}

// The digits after COM and LPT: 1 to 9, and the superscript 1, 2 and 3 that
// newer versions of Windows reserve as well.
bool IsPortDigit(wchar_t c) { return (c >= L'1' && c <= L'9') || c == L'\u00B9' || c == L'\u00B2' || c == L'\u00B3'; }

bool IsReservedName(std::wstring_view stem) {
  for (std::wstring_view name : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
    if (SameName(stem, name)) return true;
  return stem.size() == 4 && (SameName(stem.substr(0, 3), L"COM") || SameName(stem.substr(0, 3), L"LPT")) &&
         IsPortDigit(stem[3]);
}

// The file part of a drive, rooted or relative path, as the system reads it
// for a device name: after the last separator (and after a drive's "X:"), up
// to its first "." or ":", without the blanks at its end.
bool LastPartIsReservedName(std::wstring_view path) {
  size_t start = path.size() >= 2 && IsDriveLetterColon(path.substr(0, 2)) ? 2 : 0;
  for (size_t i = start; i < path.size(); ++i)
    if (IsPathSeparator(path[i])) start = i + 1;
  std::wstring_view stem = path.substr(start);
  stem = stem.substr(0, std::min(stem.find(L'.'), stem.find(L':')));
  while (!stem.empty() && stem.back() == L' ') stem.remove_suffix(1);
  return IsReservedName(stem);
}

// The parts between separators, empty ones left out.
std::vector<std::wstring_view> Parts(std::wstring_view text) {
  std::vector<std::wstring_view> parts;
  size_t begin = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !IsPathSeparator(text[i])) continue;
    if (i > begin) parts.push_back(text.substr(begin, i - begin));
    begin = i + 1;
  }
  return parts;
}

bool IsPipeOrMailslot(std::wstring_view part) { return SameName(part, L"PIPE") || SameName(part, L"MAILSLOT"); }

// "\\server\share\...": the pipes and mail slots of the server are its shares
// "pipe" and "mailslot".
bool ShareIsPipeOrMailslot(const std::vector<std::wstring_view>& serverAndShare) {
  return serverAndShare.size() >= 2 && IsPipeOrMailslot(serverAndShare[1]);
}

// The parts after a device-namespace prefix ("\\.\COM1" -> COM1).
bool DeviceNamespacePathIsDevice(const std::vector<std::wstring_view>& parts) {
  if (parts.size() <= 1) return true;  // the namespace itself, or a device ("COM1", "C:", "PhysicalDrive0")
  if (SameName(parts[0], L"UNC")) return ShareIsPipeOrMailslot({parts.begin() + 1, parts.end()});
  return IsPipeOrMailslot(parts[0]);
}

// Whether the path begins with a device-namespace prefix ("\\.", "\\?",
// "\??") that a separator or the path's end follows.
bool InDeviceNamespace(std::wstring_view path) {
  if (path.size() < 3 || (path.size() > 3 && !IsPathSeparator(path[3]))) return false;
  return IsPathSeparator(path[0]) && ((IsPathSeparator(path[1]) && (path[2] == L'.' || path[2] == L'?')) ||
                                  (path[1] == L'?' && path[2] == L'?'));
}
}  // namespace

bool PathNamesDevice(std::wstring_view path) {
  if (InDeviceNamespace(path)) return DeviceNamespacePathIsDevice(Parts(path.substr(3)));
  if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) return ShareIsPipeOrMailslot(Parts(path));
  return LastPartIsReservedName(path);
}

bool PathIsDriveRoot(std::wstring_view path) {
  if (InDeviceNamespace(path)) path.remove_prefix(std::min(path.size(), size_t(4)));
  return path.size() == 3 && IsDriveLetterColon(path.substr(0, 2)) && IsPathSeparator(path[2]);
}

}  // namespace korvath::platform
