#include "platform/text_commands.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace korvath::platform {
namespace {

// GBK bytes of the characters used below (UTF-8 reading in the name).
const std::string kZhang = "\xD5\xC5";      // 张
const std::string kSan = "\xC8\xFD";        // 三
const std::string kZhong = "\xD6\xD0";      // 中
const std::string kFullBlank = "\xA1\xA1";  // full-width blank
const std::string kFullA = "\xA3\xC1";      // Ａ
// A two-byte character whose trail byte is "\" (0x5C), and one whose trail
// byte is "a" (0x61) and one with trail "A" (0x41).
const std::string kTrailBackslash = "\xB1\x5C";
const std::string kTrailLowerA = "\xB1\x61";
const std::string kTrailUpperA = "\xB1\x41";

TEST(GbkCharacters, LeadAndTrailBytes) {
  EXPECT_FALSE(IsGbkLeadByte(0x80));
  EXPECT_TRUE(IsGbkLeadByte(0x81));
  EXPECT_TRUE(IsGbkLeadByte(0xFE));
  EXPECT_FALSE(IsGbkLeadByte(0xFF));
  EXPECT_FALSE(IsGbkLeadByte('A'));

  EXPECT_EQ(GbkCharLength(kZhang, 0), 2u);
  EXPECT_EQ(GbkCharLength(kTrailBackslash, 0), 2u);
  EXPECT_EQ(GbkCharLength("\x81\x40", 0), 2u);
  EXPECT_EQ(GbkCharLength("\x81\x7F", 0), 1u);  // 0x7F is never a trail byte
  EXPECT_EQ(GbkCharLength("\x81\x3F", 0), 1u);
  EXPECT_EQ(GbkCharLength("\x81\xFF", 0), 1u);
  EXPECT_EQ(GbkCharLength("\xD5", 0), 1u);  // lone lead byte at the end
  EXPECT_EQ(GbkCharLength("ab", 0), 1u);
  EXPECT_EQ(GbkCharLength("ab", 5), 1u);  // past the end never stalls a walk
}

TEST(GbkCharacters, BackslashAsTrailByteIsNotASeparator) {
  // "盶\" : 0xB1 0x5C 0x5C. Only the last byte is a real backslash.
  const std::string path = kTrailBackslash + "\\";
  EXPECT_EQ(FindByteOutsideChars(path, '\\'), 3);
  EXPECT_EQ(FindLastByteOutsideChars(path, '\\'), 3);
  EXPECT_EQ(FindByteOutsideChars(kTrailBackslash, '\\'), -1);
  EXPECT_EQ(FindLastByteOutsideChars(kTrailBackslash, '\\'), -1);

  const std::string twoFolders = "C:\\" + kTrailBackslash + "\\x.pst";
  EXPECT_EQ(FindByteOutsideChars(twoFolders, '\\'), 3);
  EXPECT_EQ(FindLastByteOutsideChars(twoFolders, '\\'), 6);
  EXPECT_EQ(FindByteOutsideChars("", '\\'), -1);
}

TEST(NumberText, ToTextIsDecimal) {
  EXPECT_EQ(ToText(0), "0");
  EXPECT_EQ(ToText(-45), "-45");
  EXPECT_EQ(ToText(INT32_MAX), "2147483647");
  EXPECT_EQ(ToText(INT32_MIN), "-2147483648");
}

TEST(NumberText, ToIntegerReadsLeadingNumber) {
  EXPECT_EQ(ToInteger("123"), 123);
  EXPECT_EQ(ToInteger("  42abc"), 42);
  EXPECT_EQ(ToInteger("\t\r\n 7"), 7);
  EXPECT_EQ(ToInteger("-15"), -15);
  EXPECT_EQ(ToInteger("+15"), 15);
  EXPECT_EQ(ToInteger("3.9"), 3);  // the fraction is dropped
  EXPECT_EQ(ToInteger(""), 0);
  EXPECT_EQ(ToInteger("abc"), 0);
  EXPECT_EQ(ToInteger("-"), 0);
  EXPECT_EQ(ToInteger("- 5"), 0);  // no blank between sign and digits
  EXPECT_EQ(ToInteger("--5"), 0);
  EXPECT_EQ(ToInteger(kZhang + "5"), 0);
}

TEST(NumberText, ToIntegerTakesFullWidthForms) {
  // "１２３" (0xA3 0xB1 ...) and a full-width blank and minus before it.
  EXPECT_EQ(ToInteger("\xA3\xB1\xA3\xB2\xA3\xB3"), 123);
  EXPECT_EQ(ToInteger(kFullBlank + "\xA3\xAD\xA3\xB9"), -9);
  EXPECT_EQ(ToInteger("1\xA3\xB0" "0"), 100);
}

TEST(NumberText, ToIntegerSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(ToInteger("2147483647"), INT32_MAX);
  EXPECT_EQ(ToInteger("2147483648"), INT32_MAX);
  EXPECT_EQ(ToInteger("99999999999999999999"), INT32_MAX);
  EXPECT_EQ(ToInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(ToInteger("-2147483649"), INT32_MIN);
  EXPECT_EQ(ToInteger("-99999999999999999999"), INT32_MIN);
  EXPECT_EQ(ToInteger("000000000000000000012"), 12);
}

TEST(WidthConversion, FullWidthForms) {
  EXPECT_EQ(ToFullWidth("A"), kFullA);
  EXPECT_EQ(ToFullWidth("!"), "\xA3\xA1");
  EXPECT_EQ(ToFullWidth("}"), "\xA3\xFD");
  EXPECT_EQ(ToFullWidth("~"), "\xA1\xAB");
  EXPECT_EQ(ToFullWidth(" "), kFullBlank);
  EXPECT_EQ(ToFullWidth(kZhang), kZhang);
  // Control bytes, DEL and bytes that are no ASCII character stay.
  EXPECT_EQ(ToFullWidth(std::string("\t\x7F\x80\xFF", 4)), std::string("\t\x7F\x80\xFF", 4));
  // A trail byte that looks like ASCII is part of its character.
  EXPECT_EQ(ToFullWidth(kTrailBackslash + "a"), kTrailBackslash + "\xA3\xE1");
  EXPECT_EQ(ToFullWidth(""), "");
}

TEST(WidthConversion, HalfWidthForms) {
  EXPECT_EQ(ToHalfWidth(kFullA), "A");
  EXPECT_EQ(ToHalfWidth(kFullBlank), " ");
  EXPECT_EQ(ToHalfWidth("\xA1\xAB"), "~");
  EXPECT_EQ(ToHalfWidth("\xA3\xFE"), "~");
  EXPECT_EQ(ToHalfWidth("\xA1\xEE\xA1\xEF"), "**");  // the two stars
  EXPECT_EQ(ToHalfWidth(kZhang + kFullA + "b"), kZhang + "Ab");
  // 0xB1 0xA3 is one character; the 0xA3 inside it starts no full-width form.
  EXPECT_EQ(ToHalfWidth("\xB1\xA3\xC1"), "\xB1\xA3\xC1");
}

TEST(WidthConversion, RoundTripOfEveryPrintableAscii) {
  for (int c = 0x20; c <= 0x7E; ++c) {
    const std::string ascii(1, static_cast<char>(c));
    const std::string full = ToFullWidth(ascii);
    ASSERT_EQ(full.size(), 2u) << c;
    EXPECT_GE(static_cast<uint8_t>(full[0]), 0xA1) << c;
    EXPECT_EQ(GbkCharLength(full, 0), 2u) << c;
    EXPECT_EQ(ToHalfWidth(full), ascii) << c;
  }
}

TEST(Case, ToUpperFoldsOnlyAsciiCharacters) {
  EXPECT_EQ(ToUpper("abcXYZ09"), "ABCXYZ09");
  EXPECT_EQ(ToUpper(kTrailLowerA + "a"), kTrailLowerA + "A");
  EXPECT_EQ(ToUpper("\xA3\xE1"), "\xA3\xE1");  // full-width "ａ" stays
}

TEST(Slicing, LengthLeftMidRight) {
  EXPECT_EQ(TextLength(kZhang + "ab"), 4);
  EXPECT_EQ(TextLength(""), 0);

  EXPECT_EQ(TextLeft("abcdef", 2), "ab");
  EXPECT_EQ(TextLeft("abc", 9), "abc");
  EXPECT_EQ(TextLeft("abc", 0), "");
  EXPECT_EQ(TextLeft("abc", -3), "");

  EXPECT_EQ(TextMid("abcdef", 2, 3), "bcd");
  EXPECT_EQ(TextMid("abcdef", 5, 10), "ef");
  EXPECT_EQ(TextMid("abcdef", 0, 2), "ab");
  EXPECT_EQ(TextMid("abcdef", -7, 2), "ab");
  EXPECT_EQ(TextMid("abcdef", 7, 1), "");
  EXPECT_EQ(TextMid("abcdef", 2, 0), "");
  EXPECT_EQ(TextMid("abcdef", 2, -1), "");
  EXPECT_EQ(TextMid("", 1, 1), "");
  EXPECT_EQ(TextMid("abc", INT32_MAX, INT32_MAX), "");

  EXPECT_EQ(TextRight("abcdef", 2), "ef");
  EXPECT_EQ(TextRight("abc", 5), "abc");
  EXPECT_EQ(TextRight("abc", 0), "");
  EXPECT_EQ(TextRight("abc", -1), "");
}

TEST(Blanks, TrimBothRemovesAsciiAndFullWidthBlanksAtTheEnds) {
  EXPECT_EQ(TrimBoth("  ab c  "), "ab c");
  EXPECT_EQ(TrimBoth(kFullBlank + " " + kZhang + kFullBlank + kSan + " " + kFullBlank),
            kZhang + kFullBlank + kSan);
  EXPECT_EQ(TrimBoth("   "), "");
  EXPECT_EQ(TrimBoth(kFullBlank + kFullBlank), "");
  EXPECT_EQ(TrimBoth(""), "");
  EXPECT_EQ(TrimBoth("\tx\t"), "\tx\t");  // only blanks, not tabs
  // 0xB0 0xA1 then 0xA1 0xA1: the first 0xA1 belongs to a character, so the
  // blank pair is the last character and goes, but the character stays.
  EXPECT_EQ(TrimBoth("\xB0\xA1\xA1\xA1"), "\xB0\xA1");
  // 0xB0 0xA1 0xA1: the trailing lone 0xA1 is no blank.
  EXPECT_EQ(TrimBoth("\xB0\xA1\xA1"), "\xB0\xA1\xA1");
}

TEST(Blanks, SpaceTextAndRemoveAllSpaces) {
  EXPECT_EQ(SpaceText(3), "   ");
  EXPECT_EQ(SpaceText(0), "");
  EXPECT_EQ(SpaceText(-2), "");

  EXPECT_EQ(RemoveAllSpaces(" a b" + kFullBlank + "c "), "abc");
  EXPECT_EQ(RemoveAllSpaces(kZhang + kFullBlank + kSan), kZhang + kSan);
  EXPECT_EQ(RemoveAllSpaces("\xB0\xA1\xA1\xA1\xA1"), "\xB0\xA1\xA1");
  EXPECT_EQ(RemoveAllSpaces("\tx"), "\tx");
}

TEST(Bytes, CharCodeAtIsSigned) {
  const std::string text = "A" + kZhang;
  EXPECT_EQ(CharCodeAt(text, 1), 'A');
  EXPECT_EQ(CharCodeAt(text, 2), static_cast<signed char>(0xD5));
  EXPECT_LT(CharCodeAt(text, 3), 0);
  EXPECT_EQ(CharCodeAt(text, 0), 0);
  EXPECT_EQ(CharCodeAt(text, 4), 0);
  EXPECT_EQ(CharCodeAt("", 1), 0);
}

TEST(Search, FindTextPositionsAndStart) {
  EXPECT_EQ(FindText("abcabc", "bc"), 2);
  EXPECT_EQ(FindText("abcabc", "bc", 3), 5);
  EXPECT_EQ(FindText("abcabc", "bc", 5), 5);
  EXPECT_EQ(FindText("abcabc", "bc", 6), -1);
  EXPECT_EQ(FindText("abcabc", "bc", 0), 2);
  EXPECT_EQ(FindText("abcabc", "bc", -9), 2);
  EXPECT_EQ(FindText("abcabc", "bc", 100), -1);
  EXPECT_EQ(FindText("abc", "abcd"), -1);
  EXPECT_EQ(FindText("abc", ""), -1);
  EXPECT_EQ(FindText("", "a"), -1);
  EXPECT_EQ(FindText(kZhang + kSan, kSan), 3);
}

TEST(Search, FindTextNeverMatchesInsideATwoByteCharacter) {
  // 0xD5 0xC5 0xC8 0xFD: the bytes 0xC5 0xC8 look like a character but
  // straddle two.
  EXPECT_EQ(FindText(kZhang + kSan, "\xC5\xC8"), -1);
  EXPECT_EQ(FindText(kTrailBackslash + "\\", "\\"), 3);
  EXPECT_EQ(FindText(kTrailLowerA + "a", "a"), 3);
  // A start inside a character begins at the next character.
  EXPECT_EQ(FindText(kTrailBackslash + "\\\\", "\\", 2), 3);
  // A search text ending in a lone lead byte matches no whole character.
  EXPECT_EQ(FindText(kZhang + kSan, "\xD5"), -1);
  EXPECT_EQ(FindText("x\xD5", "\xD5"), 2);
}

TEST(Search, IgnoreCaseFoldsAsciiOnly) {
  EXPECT_EQ(FindText("Hello", "hELLO", 1, true), 1);
  EXPECT_EQ(FindText("Hello", "hELLO", 1, false), -1);
  // The trail byte "a" of 0xB1 0x61 and "A" of 0xB1 0x41 are not letters.
  EXPECT_EQ(FindText(kTrailUpperA, kTrailLowerA, 1, true), -1);
  EXPECT_EQ(FindText(kTrailUpperA + "A", "a", 1, true), 3);
  EXPECT_EQ(FindText(kTrailLowerA, kTrailLowerA, 1, true), 1);
  // Full-width letters are two-byte characters: never folded.
  EXPECT_EQ(FindText("\xA3\xC1", "\xA3\xE1", 1, true), -1);
}

TEST(Search, FindTextReverse) {
  EXPECT_EQ(FindTextReverse("a\\b\\c", "\\"), 4);
  EXPECT_EQ(FindTextReverse("abc", "x"), -1);
  EXPECT_EQ(FindTextReverse("abc", ""), -1);
  EXPECT_EQ(FindTextReverse("aaa", "aa"), 2);
  EXPECT_EQ(FindTextReverse("C:\\dir\\" + kTrailBackslash, "\\"), 7);
  EXPECT_EQ(FindTextReverse(kZhang + kSan + kZhang, kZhang), 5);
}

TEST(Replace, EveryOccurrence) {
  EXPECT_EQ(ReplaceSubText("a#b#c", "#", "\""), "a\"b\"c");
  EXPECT_EQ(ReplaceSubText("aaaa", "aa", "b"), "bb");
  EXPECT_EQ(ReplaceSubText("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceSubText("abc", "abc", ""), "");
  EXPECT_EQ(ReplaceSubText("xAx", "a", "-"), "xAx");
  EXPECT_EQ(ReplaceSubText("xAxa", "a", "-", false), "x-x-");
  // Replacing with text that contains the old part does not loop.
  EXPECT_EQ(ReplaceSubText("aa", "a", "aa"), "aaaa");
  // The "\" inside 0xB1 0x5C stays.
  EXPECT_EQ(ReplaceSubText(kTrailBackslash + "\\", "\\", "/"), kTrailBackslash + "/");
  // The "#" of the quote name and a Chinese character in the old part.
  EXPECT_EQ(ReplaceSubText("(#\xD2\xFD\xBA\xC5)", "#\xD2\xFD\xBA\xC5", "\""), "(\")");  // #引号
}

TEST(Split, PiecesBetweenSeparators) {
  const std::string filter = "NPC" + std::string("\xCE\xC4\xB5\xB5") + "|*.pst";  // NPC文档|*.pst
  EXPECT_EQ(SplitText(filter, "|"), (std::vector<std::string>{"NPC\xCE\xC4\xB5\xB5", "*.pst"}));
  EXPECT_EQ(SplitText("abc", "|"), (std::vector<std::string>{"abc"}));
  EXPECT_EQ(SplitText("a||b|", "|"), (std::vector<std::string>{"a", "", "b", ""}));
  EXPECT_EQ(SplitText("|", "|"), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(SplitText("a::b", "::"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitText("abc", ""), (std::vector<std::string>{"abc"}));
  EXPECT_TRUE(SplitText("", "|").empty());
  // "|" is 0x7C, a possible trail byte: 0xB1 0x7C is one character.
  EXPECT_EQ(SplitText("\xB1\x7C|x", "|"), (std::vector<std::string>{"\xB1\x7C", "x"}));
}

}  // namespace
}  // namespace korvath::platform
