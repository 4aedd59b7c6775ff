#include "platform/text_commands.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace korvath::platform {

namespace {

constexpr uint8_t kFullWidthLead = 0xA3;   // row of the full-width ASCII forms
constexpr uint8_t kSymbolLead = 0xA1;      // row of the blank, "～" and the stars
constexpr uint8_t kFullBlankTrail = 0xA1;  // 0xA1 0xA1: full-width blank
constexpr uint8_t kFullTildeTrail = 0xAB;  // 0xA1 0xAB: full-width tilde
constexpr uint8_t kWhiteStarTrail = 0xEE;  // 0xA1 0xEE: ☆
constexpr uint8_t kBlackStarTrail = 0xEF;  // 0xA1 0xEF: ★

uint8_t ByteAt(std::string_view text, size_t offset) { return static_cast<uint8_t>(text[offset]); }

bool IsFullWidthBlank(std::string_view text, size_t offset) {
  return GbkCharLength(text, offset) == 2 && ByteAt(text, offset) == kSymbolLead &&
         ByteAt(text, offset + 1) == kFullBlankTrail;
}

char FoldAscii(char c, bool fold) {
  return (fold && c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether `part` stands at `offset` of `text`, compared character by
// character so that two-byte characters match only whole and are never
// case-folded. `offset` must be a character boundary of `text`.
bool MatchesAt(std::string_view text, size_t offset, std::string_view part, bool ignoreCase) {
  if (text.size() - offset < part.size()) return false;
  size_t i = offset;
  size_t j = 0;
  while (j < part.size()) {
    const size_t len = GbkCharLength(text, i);
    if (len != GbkCharLength(part, j)) return false;
    if (len == 1) {
      if (FoldAscii(text[i], ignoreCase) != FoldAscii(part[j], ignoreCase)) return false;
    } else if (text[i] != part[j] || text[i + 1] != part[j + 1]) {
      return false;
    }
    i += len;
    j += len;
  }
  return true;
}

// Calls visit(offset, length) for every character of `text` in order.
template <typename Visit>
void ForEachChar(std::string_view text, Visit visit) {
  for (size_t i = 0; i < text.size();) {
    const size_t len = GbkCharLength(text, i);
    visit(i, len);
    i += len;
  }
}

int ToPosition(size_t offset) { return static_cast<int>(offset) + 1; }

// 0-based offset of the first match at or after `boundary`, which must be a
// character boundary; npos when there is none.
size_t FindFromBoundary(std::string_view text, std::string_view part, size_t boundary, bool ignoreCase) {
  if (part.empty()) return std::string_view::npos;
  for (size_t i = boundary; i < text.size() && text.size() - i >= part.size(); i += GbkCharLength(text, i)) {
    if (MatchesAt(text, i, part, ignoreCase)) return i;
  }
  return std::string_view::npos;
}

// The first character boundary at or after `offset` (text.size() at most).
size_t BoundaryAtOrAfter(std::string_view text, size_t offset) {
  size_t i = 0;
  while (i < text.size() && i < offset) i += GbkCharLength(text, i);
  return i;
}

}  // namespace

bool IsGbkLeadByte(uint8_t byte) { return byte >= 0x81 && byte <= 0xFE; }

size_t GbkCharLength(std::string_view text, size_t offset) {
  if (offset + 1 >= text.size() || !IsGbkLeadByte(ByteAt(text, offset))) return 1;
  const uint8_t trail = ByteAt(text, offset + 1);
  return (trail >= 0x40 && trail <= 0xFE && trail != 0x7F) ? 2 : 1;
}

int FindByteOutsideChars(std::string_view text, char ascii) {
  for (size_t i = 0; i < text.size(); i += GbkCharLength(text, i)) {
    if (text[i] == ascii && GbkCharLength(text, i) == 1) return ToPosition(i);
  }
  return -1;
}

int FindLastByteOutsideChars(std::string_view text, char ascii) {
  int found = -1;
  ForEachChar(text, [&](size_t i, size_t len) {
    if (len == 1 && text[i] == ascii) found = ToPosition(i);
  });
  return found;
}

std::string ToText(int32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(value));
  return buffer;
}

int32_t ToInteger(std::string_view text) {
  const std::string half = ToHalfWidth(text);
  size_t i = 0;
  while (i < half.size() && (half[i] == ' ' || (half[i] >= '\t' && half[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < half.size() && (half[i] == '+' || half[i] == '-')) negative = half[i++] == '-';
  // Accumulate as a negative number, whose range is the larger one, and
  // saturate instead of overflowing.
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  int32_t value = 0;
  for (; i < half.size() && half[i] >= '0' && half[i] <= '9'; ++i) {
    const int digit = half[i] - '0';
    if (value < (kMin + digit) / 10) {
      value = kMin;
    } else {
      value = value * 10 - digit;
    }
  }
  if (negative) return value;
  return value == kMin ? std::numeric_limits<int32_t>::max() : -value;
}

std::string ToFullWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  ForEachChar(text, [&](size_t i, size_t len) {
    const uint8_t c = ByteAt(text, i);
    if (len == 2) {
      out.append(text.substr(i, 2));
    } else if (c == ' ') {
      out += static_cast<char>(kSymbolLead);
      out += static_cast<char>(kFullBlankTrail);
    } else if (c == '~') {
      out += static_cast<char>(kSymbolLead);
      out += static_cast<char>(kFullTildeTrail);
    } else if (c >= 0x21 && c <= 0x7D) {
      out += static_cast<char>(kFullWidthLead);
      out += static_cast<char>(c + 0x80);
    } else {
      out += static_cast<char>(c);
    }
  });
  return out;
}

std::string ToHalfWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachChar(text, [&](size_t i, size_t len) {
    if (len == 1) {
      out += text[i];
      return;
    }
    const uint8_t lead = ByteAt(text, i);
    const uint8_t trail = ByteAt(text, i + 1);
    if (lead == kFullWidthLead && trail >= 0xA1) {
      out += static_cast<char>(trail - 0x80);
    } else if (lead == kSymbolLead && trail == kFullBlankTrail) {
      out += ' ';
    } else if (lead == kSymbolLead && trail == kFullTildeTrail) {
      out += '~';
    } else if (lead == kSymbolLead && (trail == kWhiteStarTrail || trail == kBlackStarTrail)) {
      out += '*';
    } else {
      out.append(text.substr(i, 2));
    }
  });
  return out;
}

std::string ToUpper(std::string_view text) {
  std::string out(text);
  ForEachChar(text, [&](size_t i, size_t len) {
    if (len == 1) out[i] = FoldAscii(out[i], true);
  });
  return out;
}

int TextLength(std::string_view text) { return static_cast<int>(text.size()); }

std::string TextLeft(std::string_view text, int count) {
  if (count < 1) return {};
  return std::string(text.substr(0, static_cast<size_t>(count)));
}

std::string TextMid(std::string_view text, int start, int length) {
  if (length < 1) return {};
  const size_t from = static_cast<size_t>(std::max(start, 1) - 1);
  if (from >= text.size()) return {};
  return std::string(text.substr(from, static_cast<size_t>(length)));
}

std::string TextRight(std::string_view text, int count) {
  if (count < 1) return {};
  const size_t n = std::min(text.size(), static_cast<size_t>(count));
  return std::string(text.substr(text.size() - n));
}

std::string TrimBoth(std::string_view text) {
  size_t first = std::string_view::npos;
  size_t end = 0;
  ForEachChar(text, [&](size_t i, size_t len) {
    if (text[i] == ' ' || IsFullWidthBlank(text, i)) return;
    if (first == std::string_view::npos) first = i;
    end = i + len;
  });
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, end - first));
}

std::string SpaceText(int count) { return std::string(static_cast<size_t>(std::max(count, 0)), ' '); }

std::string RemoveAllSpaces(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachChar(text, [&](size_t i, size_t len) {
    if (text[i] != ' ' && !IsFullWidthBlank(text, i)) out.append(text.substr(i, len));
  });
  return out;
}

int CharCodeAt(std::string_view text, int position) {
  if (position < 1 || static_cast<size_t>(position) > text.size()) return 0;
  return static_cast<signed char>(text[static_cast<size_t>(position) - 1]);
}

int FindText(std::string_view text, std::string_view part, int start, bool ignoreCase) {
  const size_t from = static_cast<size_t>(std::max(start, 1) - 1);
  const size_t found = FindFromBoundary(text, part, BoundaryAtOrAfter(text, from), ignoreCase);
  return found == std::string_view::npos ? -1 : ToPosition(found);
}

int FindTextFromBoundary(std::string_view text, std::string_view part, int start, bool ignoreCase) {
  const size_t from = static_cast<size_t>(std::max(start, 1) - 1);
  const size_t found = FindFromBoundary(text, part, from, ignoreCase);
  return found == std::string_view::npos ? -1 : ToPosition(found);
}

int FindTextReverse(std::string_view text, std::string_view part) {
  if (part.empty()) return -1;
  int found = -1;
  ForEachChar(text, [&](size_t i, size_t) {
    if (MatchesAt(text, i, part, false)) found = ToPosition(i);
  });
  return found;
}

std::string ReplaceSubText(std::string_view text, std::string_view oldPart, std::string_view newPart,
                           bool caseSensitive) {
  std::string out;
  size_t copied = 0;
  for (size_t at = FindFromBoundary(text, oldPart, 0, !caseSensitive); at != std::string_view::npos;
       at = FindFromBoundary(text, oldPart, copied, !caseSensitive)) {
    out.append(text.substr(copied, at - copied));
    out.append(newPart);
    copied = at + oldPart.size();
  }
  out.append(text.substr(copied));
  return out;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  size_t begin = 0;
  for (size_t at = FindFromBoundary(text, separator, 0, false); at != std::string_view::npos;
       at = FindFromBoundary(text, separator, begin, false)) {
    pieces.emplace_back(text.substr(begin, at - begin));
    begin = at + separator.size();
  }
  pieces.emplace_back(text.substr(begin));
  return pieces;
}

}  // namespace korvath::platform
