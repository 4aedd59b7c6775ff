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

// "%d".
std::string ToText(int32_t value);
// Full-width forms made half-width first; then leading white space, an
// optional sign and decimal digits up to the first other character. 0 when
// there are no digits; out-of-range values saturate to INT32_MIN/INT32_MAX.
int32_t ToInteger(std::string_view text);
// ASCII 0x21-0x7D -> 0xA3 (c + 0x80); "~" -> 0xA1 0xAB; blank -> 0xA1 0xA1;
// two-byte characters and all other bytes stay.
std::string ToFullWidth(std::string_view text);
// The reverse of ToFullWidth (0xA3 0xA1-0xFE, 0xA1 0xA1, 0xA1 0xAB), and the
// two stars 0xA1 0xEE / 0xA1 0xEF become "*"; everything else stays.
std::string ToHalfWidth(std::string_view text);
// ASCII a-z become A-Z; two-byte characters stay whole.
std::string ToUpper(std::string_view text);
// Length in bytes.
int TextLength(std::string_view text);
// The first `count` bytes; empty when count < 1.
std::string TextLeft(std::string_view text, int count);
// Up to `length` bytes from the 1-based `start`, clamped to the text (a start
// below 1 counts as 1; empty when length < 1 or start is past the end).
std::string TextMid(std::string_view text, int start, int length);
// The last `count` bytes (the whole text when shorter); empty when count < 1.
std::string TextRight(std::string_view text, int count);
// Without leading and trailing ASCII blanks and full-width blanks (0xA1 0xA1).
std::string TrimBoth(std::string_view text);
// `count` ASCII blanks; empty when count < 1.
std::string SpaceText(int count);
// Without any ASCII blank or full-width blank, wherever they stand.
std::string RemoveAllSpaces(std::string_view text);
// The byte at the 1-based position as a signed value (negative for 0x80 and
// above); 0 outside the text.
int CharCodeAt(std::string_view text, int position);
// 1-based position of the first occurrence at or after `start` (below 1 counts
// as 1), -1 when there is none or `part` is empty. Matches start on character
// boundaries; ignoreCase folds ASCII letters only, never bytes of two-byte
// characters.
int FindText(std::string_view text, std::string_view part, int start = 1, bool ignoreCase = false);
// FindText for a `start` that is known to be a character boundary, such as
// the position right after an earlier match: it does not walk from the
// text's beginning to find the boundary, so a loop of searches through one
// long text stays linear in its length.
int FindTextFromBoundary(std::string_view text, std::string_view part, int start,
                         bool ignoreCase = false);
// 1-based position of the last occurrence, -1 when none; character-aware.
int FindTextReverse(std::string_view text, std::string_view part);
// Every occurrence (left to right, not overlapping) replaced; character-aware.
std::string ReplaceSubText(std::string_view text, std::string_view oldPart, std::string_view newPart,
                           bool caseSensitive = true);
// The pieces between separators, in order, empty pieces included; no pieces
// for an empty text, the whole text as one piece when the separator is empty
// or absent. Character-aware.
std::vector<std::string> SplitText(std::string_view text, std::string_view separator);

// GBK character rules: a lead byte is 0x81-0xFE; a two-byte character is a
// lead byte followed by a trail byte (0x40-0xFE except 0x7F). A trail byte can
// be an ASCII value such as "\" (0x5C), so searching for an ASCII byte must
// step over whole characters.
bool IsGbkLeadByte(uint8_t byte);
// 2 for a lead byte followed by a valid trail byte, else 1 (also for a lone or
// invalid lead byte, and at or past the end of the text).
size_t GbkCharLength(std::string_view text, size_t offset);
// 1-based position of the first / last `ascii` byte that is a character of its
// own (not the trail byte of a two-byte character); -1 when none.
int FindByteOutsideChars(std::string_view text, char ascii);
int FindLastByteOutsideChars(std::string_view text, char ascii);

}  // namespace korvath::platform
