#pragma once
// Properties of the text commands, the line rules and pinyin that hold for
// any bytes. The unit tests check them on seeded random bytes, the fuzz
// target (fuzz/platform/) on what libFuzzer makes. Each check returns the name
// of the first property that failed, or an empty text.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/pinyin.h"
#include "platform/text_commands.h"
#include "platform/text_lines.h"

namespace korvath::platform::properties {

// The first match, stated differently from the library: the same bytes,
// starting and ending on character boundaries of the text.
inline int ReferenceFind(std::string_view text, std::string_view part, int start) {
  std::string boundary(text.size() + 1, '\0');
  for (size_t i = 0; i < text.size(); i += GbkCharLength(text, i)) boundary[i] = 1;
  boundary[text.size()] = 1;
  for (size_t i = start < 1 ? 0 : size_t(start) - 1; !part.empty() && i + part.size() <= text.size(); ++i)
    if (boundary[i] && boundary[i + part.size()] && text.substr(i, part.size()) == part) return int(i) + 1;
  return -1;
}

// Properties that hold for any bytes: the first byte of the input picks the
// length of a search part and a start; the rest is the text. Returns the
// name of the first property that failed, or an empty text.
inline std::string CheckTextCommandProperties(std::string_view input) {
  if (input.empty()) return {};
  const size_t partLength = std::min<size_t>(uint8_t(input[0]) % 6, input.size() - 1);
  const std::string_view part = input.substr(1, partLength), text = input.substr(1 + partLength);
  const int start = int(uint8_t(input[0]) / 6) - 4, last = FindTextReverse(text, part);
  for (int from : {1, start})
    if (FindText(text, part, from) != ReferenceFind(text, part, from)) return "FindText";
  if (last == -1 ? FindText(text, part) != -1 : FindText(text, part, last) != last || FindText(text, part, last + 1) != -1)
    return "FindTextReverse";
  if (FindText(ToUpper(text), ToUpper(part)) != FindText(text, part, 1, true)) return "FindText ignoring case";
  for (size_t b = 0; b <= text.size(); b += b < text.size() ? GbkCharLength(text, b) : 1)
    if (FindTextFromBoundary(text, part, int(b) + 1, start & 1) != FindText(text, part, int(b) + 1, start & 1))
      return "FindTextFromBoundary";
  if (FindLastByteOutsideChars(text, '\\') != FindTextReverse(text, "\\")) return "FindLastByteOutsideChars";
  const std::vector<std::string> pieces = SplitText(text, part);
  std::string joined;
  for (size_t i = 0; i < pieces.size(); ++i) joined += (i ? std::string(part) : "") + pieces[i];
  if (!text.empty() && joined != text) return "SplitText";
  if (ReplaceSubText(text, part, part) != text) return "ReplaceSubText";
  const std::string trimmed = TrimBoth(text);
  if (text.find(trimmed) == std::string_view::npos || TrimBoth(trimmed) != trimmed) return "TrimBoth";
  if (FindByteOutsideChars(RemoveAllSpaces(text), ' ') != -1) return "RemoveAllSpaces";
  if (TextMid(text, start, int(partLength) - 1).size() > partLength) return "TextMid";
  if (!text.ends_with(TextRight(text, start))) return "TextRight";
  ToInteger(text);  // must simply not overflow (UBSan watches)
  if (ToFullWidth(text).size() > 2 * text.size() || ToHalfWidth(text).size() > text.size()) return "width";
  for (char c : GetPinyin(text, start)) if (c < 'a' || c > 'z') return "GetPinyin";
  return {};
}

// Every line that ForEachTextLine gives of the bytes, read to the end: the
// lines that the reader takes, which a read in chunks must give too.
inline std::vector<std::string> SplitTextLines(std::string_view bytes) {
  std::vector<std::string> lines;
  ForEachTextLine(bytes, [&](std::string_view line) {
    lines.emplace_back(line);
    return true;
  });
  return lines;
}

// A file read in chunks: each scan resumes where the last incomplete one
// stopped, and the lines are those of the whole bytes.
inline std::vector<std::string> LinesReadInChunks(std::string_view bytes, size_t chunk) {
  std::vector<std::string> lines;
  size_t begin = 0, available = 0, resume = 0;
  for (;;) {
    const std::string_view data = bytes.substr(begin, available);
    const TextLineScan scan = ScanTextLine(data, begin + available >= bytes.size(), resume);
    if (!scan.complete) {
      resume = scan.scanned;
      available += chunk;
      continue;
    }
    if (begin >= bytes.size()) return lines;
    lines.emplace_back(data.substr(0, scan.lineLength));
    if (scan.textEnded) return lines;
    begin += scan.consumed;
    available -= std::min(available, scan.consumed);
    resume = 0;
  }
}

// The text as the form hands it over: every byte from 0x80 on belongs to a
// whole two-byte character (the conversion from UTF-16 makes nothing else).
// The bytes that belong to none are dropped; the others keep their pairing.
inline std::string WholeGbkChars(std::string_view bytes) {
  std::string out;
  for (size_t i = 0; i < bytes.size();) {
    const size_t len = GbkCharLength(bytes, i);
    if (len == 2 || uint8_t(bytes[i]) < 0x80) out.append(bytes.substr(i, len));
    i += len;
  }
  return out;
}

// Whether the offsets start..end of `text` are character boundaries.
inline bool OnBoundaries(std::string_view text, size_t start, size_t end) {
  size_t i = 0;
  while (i < start) i += GbkCharLength(text, i);
  if (i != start) return false;
  while (i < end) i += GbkCharLength(text, i);
  return i == end;
}

// The number at the front of `half`, read in 64 bits and saturated to 32.
inline int32_t ReferenceInteger(std::string_view half) {
  size_t i = half.find_first_not_of(" \t\n\v\f\r");
  if (i == std::string_view::npos) return 0;
  const bool negative = half[i] == '-';
  if (half[i] == '-' || half[i] == '+') ++i;
  int64_t value = 0;
  for (; i < half.size() && half[i] >= '0' && half[i] <= '9'; ++i)
    value = std::min<int64_t>(value * 10 + (half[i] - '0'), int64_t(1) << 40);
  if (negative) value = -value;
  return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// Properties of searching, case and width on the characters of the text: the
// first byte of the input picks the part's length, a start and the case
// option; the rest is the text.
inline std::string CheckGbkTextProperties(std::string_view input) {
  if (input.empty()) return {};
  const uint8_t control = uint8_t(input[0]);
  const size_t partLength = std::min<size_t>(control % 6, input.size() - 1);
  const std::string_view part = input.substr(1, partLength), text = input.substr(1 + partLength);
  const int start = int(control / 6) % 16 - 4;
  const bool ignoreCase = control & 0x80;

  // A match starts and ends on character boundaries, at or after the start,
  // and holds the part; so does the last one.
  const int found = FindText(text, part, start, ignoreCase);
  if (found != -1) {
    const size_t at = size_t(found - 1);
    if (at < size_t(std::max(start, 1) - 1) || at + part.size() > text.size() ||
        !OnBoundaries(text, at, at + part.size()) ||
        (ignoreCase ? ToUpper(text.substr(at, part.size())) != ToUpper(part) : text.substr(at, part.size()) != part))
      return "FindText on characters";
  }
  if (const int last = FindTextReverse(text, part); last != -1) {
    const size_t at = size_t(last - 1);
    if (at + part.size() > text.size() || !OnBoundaries(text, at, at + part.size()) ||
        text.substr(at, part.size()) != part)
      return "FindTextReverse on characters";
  }
  // ToUpper folds a-z that stand alone and leaves two-byte characters whole.
  const std::string upper = ToUpper(text);
  if (upper.size() != text.size()) return "ToUpper length";
  for (size_t i = 0; i < text.size(); i += GbkCharLength(text, i)) {
    const bool folds = GbkCharLength(text, i) == 1 && text[i] >= 'a' && text[i] <= 'z';
    if (upper[i] != (folds ? char(text[i] - 'a' + 'A') : text[i]) ||
        (GbkCharLength(text, i) == 2 && upper[i + 1] != text[i + 1]))
      return "ToUpper on characters";
  }
  // Split and replace find the same occurrences.
  if (!text.empty() && !part.empty() &&
      ReplaceSubText(text, part, std::string(part) + "#").size() != text.size() + SplitText(text, part).size() - 1)
    return "ReplaceSubText and SplitText";

  // On whole characters, as the form gives them: the width conversions keep
  // every character whole, full width makes every printable ASCII character
  // two-byte, and half width then full width gives back a half-width text.
  const std::string gbk = WholeGbkChars(text);
  const std::string full = ToFullWidth(gbk), half = ToHalfWidth(gbk);
  if (WholeGbkChars(full) != full || WholeGbkChars(half) != half) return "width keeps whole characters";
  if (full.size() > 2 * gbk.size() || ToFullWidth(full) != full) return "ToFullWidth twice";
  for (size_t i = 0; i < full.size(); i += GbkCharLength(full, i))
    if (GbkCharLength(full, i) == 1 && full[i] >= 0x20 && full[i] <= 0x7E) return "ToFullWidth leaves ASCII";
  if (ToHalfWidth(half) != half || ToHalfWidth(ToFullWidth(half)) != half) return "ToHalfWidth round trip";
  const std::string bare = RemoveAllSpaces(gbk);
  if (RemoveAllSpaces(bare) != bare || TrimBoth(bare) != bare || WholeGbkChars(bare) != bare) return "RemoveAllSpaces";

  // Numbers: the leading number of the half-width text, saturated; a number
  // written as text, half or full width, reads back.
  if (ToInteger(text) != ReferenceInteger(ToHalfWidth(text))) return "ToInteger";
  if (input.size() >= 4) {
    int32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value = int32_t(uint32_t(value) << 8 | uint8_t(input[input.size() - 1 - i]));
    if (ToInteger(ToText(value)) != value || ToInteger(ToFullWidth(ToText(value))) != value) return "ToText round trip";
  }
  return {};
}

// The line rules: read in chunks of any size the lines are those of the whole
// bytes; no line holds a line end or a byte that ends the text; joined again
// they give the bytes up to the text's end, with CR LF as LF; nothing after a
// NUL or 0x1A byte counts. The first byte of the input picks the chunk size.
inline std::string CheckTextLineProperties(std::string_view input) {
  if (input.empty()) return {};
  const size_t chunk = uint8_t(input[0]) % 7 + 1;
  const std::string_view text = input.substr(1);
  const std::vector<std::string> lines = SplitTextLines(text);
  if (LinesReadInChunks(text, chunk) != lines) return "ScanTextLine in chunks";
  for (const std::string& line : lines)
    if (line.find_first_of(std::string_view("\n\0\x1A", 3)) != std::string::npos) return "line holds an end";
  const size_t end = text.find_first_of(std::string_view("\0\x1A", 2));
  if (end != std::string_view::npos) {
    if (SplitTextLines(text.substr(0, end + 1)) != lines) return "text end";
    return {};
  }
  std::string joined, expected;
  for (size_t i = 0; i < lines.size(); ++i) joined += (i ? "\n" : "") + lines[i];
  if (text.ends_with('\n')) joined += '\n';
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) expected += text[i];
  if (joined != expected) return "lines joined";
  return {};
}

// Pinyin: only the first two bytes count; only GB2312 Chinese characters have
// readings, in lower-case letters, the later ones only after the earlier.
inline std::string CheckPinyinProperties(std::string_view text) {
  std::string previous = "-";
  for (int reading = 1; reading <= 4; ++reading) {
    const std::string pinyin = GetPinyin(text, reading);
    if (pinyin != GetPinyin(text.substr(0, 2), reading)) return "GetPinyin reads two bytes";
    if (pinyin.find_first_not_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos) return "GetPinyin letters";
    if (!pinyin.empty() && (uint8_t(text[0]) < 0xB0 || uint8_t(text[0]) > 0xF7 || uint8_t(text[1]) < 0xA1 ||
                            uint8_t(text[1]) == 0xFF))
      return "GetPinyin outside GB2312";
    if (!pinyin.empty() && (previous.empty() || pinyin == previous)) return "GetPinyin readings in order";
    previous = pinyin;
  }
  if (GetPinyin(text, 0) != GetPinyin(text, 1)) return "GetPinyin first reading";
  return {};
}

}  // namespace korvath::platform::properties
