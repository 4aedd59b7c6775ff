#pragma once
// The file part of an NPC's ".pst": the pinyin of the Chinese characters of
// its name. Texts are GBK.
#include <string>
#include <string_view>

namespace korvath::app {

// Whether a text counts as Chinese.
using CjkTest = bool (*)(std::string_view text);

// The byte test: the text counts as Chinese when, blanks aside, it is one or
// more whole two-byte characters: every two-byte character but the
// full-width blank, whatever its trail byte (乗 is 0x81 0x5C).
bool IsCjkTextByBytes(std::string_view text);

// The pinyin of every character that `isCjk` accepts, in lower-case letters
// without tone, a blank after each syllable when `separator` is on; every
// option is off when not given, and the test is then the byte test. Other
// characters are copied half-width (full-width with `keepFullWidth`), except
// those that cannot stand in a file name (control characters, \ / : * ? " < >
// |, and bytes that are no whole character), which are dropped. The name is
// walked character by character, so a stray single byte cannot shift the
// pairs after it. `text` is left in its half-width form.
std::string NameToPinyin(std::string& text, bool separator = false, bool keepFullWidth = false,
                         CjkTest isCjk = &IsCjkTextByBytes);

// The file part that a name is saved under, for the save and for the name
// box alike: the pinyin of its characters with every option off and the byte
// test. Every two-byte character counts as Chinese and gives its pinyin,
// which only GB2312's Chinese characters have, so nothing else of the name
// reaches the file name; blanks give nothing either, as the save leaves them
// out of the name. `name` is left in its half-width form.
std::string NpcFilePartOf(std::string& name);

}  // namespace korvath::app
