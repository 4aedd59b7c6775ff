#pragma once
// The file part of an NPC's ".pst": the pinyin of the Chinese characters of
// its name. Texts are GBK.
#include <string>
#include <string_view>

namespace korvath::app {

// Whether a text counts as Chinese.
using CjkTest = bool (*)(std::string_view text);

// The byte test: the text counts as Chinese when it holds at least two
// bytes besides blanks and its first that many bytes all have the high bit
// set (every two-byte character but the full-width blank).
bool IsCjkTextByBytes(std::string_view text);

// The pinyin of every character that `isCjk` accepts, in lower-case letters
// without tone, a blank after each syllable when `separator` is on. Other
// characters are copied half-width (full-width with `keepFullWidth`), except
// those that cannot stand in a file name (control characters, \ / : * ? " < >
// |, and bytes that are no whole character), which are dropped. The name is
// walked character by character, so a stray single byte cannot shift the
// pairs after it. `text` is left in its half-width form.
std::string NameToPinyinWith(std::string& text, bool separator, bool keepFullWidth, CjkTest isCjk);

}  // namespace korvath::app
