// The form runtime's text commands. Texts are GBK (code page 936) byte strings;
// positions are 1-based and -1 means "not found", as the runtime's callers
// expect. Nothing here calls Win32, so it builds and is tested natively too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvath::platform {

std::string ToText(int32_t value);
int32_t ToInteger(std::string_view text);
std::string ToFullWidth(std::string_view text);
std::string ToHalfWidth(std::string_view text);
int TextLength(std::string_view text);
std::string TextMid(std::string_view text, int start, int length);
std::string TextRight(std::string_view text, int count);
std::string TrimBoth(std::string_view text);
std::string SpaceText(int count);
std::string RemoveAllSpaces(std::string_view text);
int CharCodeAt(std::string_view text, int position);
int FindText(std::string_view text, std::string_view part, int start = 1, bool ignoreCase = false);
int FindTextReverse(std::string_view text, std::string_view part);
std::string ReplaceSubText(std::string_view text, std::string_view oldPart, std::string_view newPart,
                           bool caseSensitive = true);
std::vector<std::string> SplitText(std::string_view text, std::string_view separator);

// GBK character rules: a lead byte is 0x81-0xFE; a two-byte character is a
// lead byte followed by a trail byte (0x40-0xFE except 0x7F). A trail byte can
// be an ASCII value such as "\" (0x5C), so searching for an ASCII byte must
// step over whole characters.
bool IsGbkLeadByte(uint8_t byte);
size_t GbkCharLength(std::string_view text, size_t offset);
int FindByteOutsideChars(std::string_view text, char ascii);
int FindLastByteOutsideChars(std::string_view text, char ascii);

}  // namespace korvath::platform
