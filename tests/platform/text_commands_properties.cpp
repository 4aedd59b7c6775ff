#include "tests/platform/text_commands_properties.h"

#include <cstdint>
#include <vector>

#include "platform/pinyin.h"
#include "platform/text_commands.h"

namespace korvath::platform::testing {

namespace {

std::vector<bool> Boundaries(std::string_view text) {
  std::vector<bool> boundary(text.size() + 1, false);
  for (size_t i = 0; i < text.size(); i += GbkCharLength(text, i)) boundary[i] = true;
  boundary[text.size()] = true;
  return boundary;
}

// The first match, stated differently from the library: same bytes, starting
// and ending on character boundaries of the text.
int ReferenceFind(std::string_view text, std::string_view part, int start) {
  if (part.empty()) return -1;
  const auto boundary = Boundaries(text);
  const size_t from = start < 1 ? 0 : static_cast<size_t>(start) - 1;
  for (size_t i = from; i + part.size() <= text.size(); ++i) {
    if (boundary[i] && boundary[i + part.size()] && text.substr(i, part.size()) == part) {
      return static_cast<int>(i) + 1;
    }
  }
  return -1;
}

std::string Describe(const char* what, std::string_view text, std::string_view part) {
  std::string out = std::string(what) + " text=";
  for (unsigned char c : text) out += "\\x" + std::string(1, "0123456789ABCDEF"[c >> 4]) + "0123456789ABCDEF"[c & 15];
  out += " part=";
  for (unsigned char c : part) out += "\\x" + std::string(1, "0123456789ABCDEF"[c >> 4]) + "0123456789ABCDEF"[c & 15];
  return out;
}

bool IsSubstring(std::string_view text, std::string_view piece) {
  return piece.empty() || text.find(piece) != std::string_view::npos;
}

}  // namespace

std::string CheckTextCommandProperties(std::string_view input) {
  if (input.empty()) return {};
  const size_t partLength = std::min<size_t>(static_cast<uint8_t>(input[0]) % 6, input.size() - 1);
  const std::string_view part = input.substr(1, partLength);
  const std::string_view text = input.substr(1 + partLength);
  const int start = static_cast<int>(static_cast<uint8_t>(input[0]) / 6) - 4;

  for (int s : {1, start}) {
    if (FindText(text, part, s) != ReferenceFind(text, part, s)) return Describe("FindText", text, part);
  }
  const int last = FindTextReverse(text, part);
  if (last != -1 && (FindText(text, part, last) != last || FindText(text, part, last + 1) != -1)) {
    return Describe("FindTextReverse", text, part);
  }
  if ((last == -1) != (FindText(text, part) == -1)) return Describe("FindTextReverse/-1", text, part);
  if (FindText(ToUpper(text), ToUpper(part)) != FindText(text, part, 1, true)) {
    return Describe("FindText ignoring case", text, part);
  }
  if (ToUpper(text).size() != text.size()) return Describe("ToUpper", text, part);

  if (!text.empty()) {
    const auto pieces = SplitText(text, part);
    std::string joined;
    for (size_t i = 0; i < pieces.size(); ++i) joined += (i ? std::string(part) : "") + pieces[i];
    if (joined != text) return Describe("SplitText", text, part);
    if (!part.empty() && pieces.size() > 1 &&
        static_cast<int>(pieces[0].size()) + 1 != FindText(text, part)) {
      return Describe("SplitText first piece", text, part);
    }
  }
  if (ReplaceSubText(text, part, part) != text) return Describe("ReplaceSubText identity", text, part);
  const std::string replaced = ReplaceSubText(text, part, "");
  if (!part.empty() && FindText(text, part) != -1 && replaced.size() >= text.size()) {
    return Describe("ReplaceSubText removal", text, part);
  }

  const std::string trimmed = TrimBoth(text);
  if (!IsSubstring(text, trimmed) || TrimBoth(trimmed) != trimmed) return Describe("TrimBoth", text, part);
  const std::string noBlanks = RemoveAllSpaces(text);
  if (FindByteOutsideChars(noBlanks, ' ') != -1 || noBlanks.size() > text.size()) {
    return Describe("RemoveAllSpaces", text, part);
  }
  if (FindByteOutsideChars(text, ' ') != ReferenceFind(text, " ", 1)) return Describe("FindByteOutsideChars", text, part);
  if (FindLastByteOutsideChars(text, '\\') != FindTextReverse(text, "\\")) {
    return Describe("FindLastByteOutsideChars", text, part);
  }

  const std::string mid = TextMid(text, start, static_cast<int>(partLength) - 1);
  if (!IsSubstring(text, mid) || mid.size() > partLength) return Describe("TextMid", text, part);
  const std::string right = TextRight(text, start);
  if (right.size() > text.size() || text.substr(text.size() - right.size()) != right) {
    return Describe("TextRight", text, part);
  }
  if (CharCodeAt(text, start) != (start >= 1 && static_cast<size_t>(start) <= text.size()
                                      ? static_cast<signed char>(text[start - 1])
                                      : 0)) {
    return Describe("CharCodeAt", text, part);
  }

  ToInteger(text);  // must simply not overflow (UBSan watches)
  const std::string full = ToFullWidth(text);
  if (full.size() < text.size() || full.size() > 2 * text.size()) return Describe("ToFullWidth", text, part);
  if (ToHalfWidth(text).size() > text.size()) return Describe("ToHalfWidth", text, part);
  for (int reading = 0; reading <= 4; ++reading) {
    for (char c : GetPinyin(text, reading)) {
      if (c < 'a' || c > 'z') return Describe("GetPinyin", text, part);
    }
  }
  return {};
}

std::string CheckWellFormedProperties(std::string_view text) {
  if (ToHalfWidth(ToFullWidth(text)) != ToHalfWidth(text)) return Describe("width round trip", text, {});
  // Removing whole characters cannot pair a lone lead byte with a new trail
  // byte when there is none (in malformed text, 0xA1 " " 0xA1 can become a
  // full-width blank).
  const std::string noBlanks = RemoveAllSpaces(text);
  if (RemoveAllSpaces(noBlanks) != noBlanks) return Describe("RemoveAllSpaces", text, {});
  if (ToInteger(ToFullWidth(text)) != ToInteger(text)) return Describe("ToInteger full width", text, {});
  const int number = ToInteger(text);
  if (ToInteger(ToText(number)) != number) return Describe("ToText/ToInteger", text, {});
  return {};
}

}  // namespace korvath::platform::testing
