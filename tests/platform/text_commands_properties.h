// Properties that the text commands keep for any bytes, checked by the seeded
// random test and by the libFuzzer entry. The first byte of the input picks
// the length of a search part and a start; the rest is the text.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/pinyin.h"
#include "platform/text_commands.h"

namespace korvath::platform::testing {

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

// The name of the first property that failed, or an empty text.
inline std::string CheckTextCommandProperties(std::string_view input) {
  if (input.empty()) return {};
  const size_t partLength = std::min<size_t>(uint8_t(input[0]) % 6, input.size() - 1);
  const std::string_view part = input.substr(1, partLength), text = input.substr(1 + partLength);
  const int start = int(uint8_t(input[0]) / 6) - 4, last = FindTextReverse(text, part);
  if (FindText(text, part, start) != ReferenceFind(text, part, start)) return "FindText";
  if (FindText(text, part) != ReferenceFind(text, part, 1)) return "FindText";
  if (last != -1 && (FindText(text, part, last) != last || FindText(text, part, last + 1) != -1)) return "FindTextReverse";
  if ((last == -1) != (FindText(text, part) == -1)) return "FindTextReverse";
  if (FindText(ToUpper(text), ToUpper(part)) != FindText(text, part, 1, true)) return "FindText ignoring case";
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

}  // namespace korvath::platform::testing
