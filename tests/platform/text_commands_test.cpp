// The text commands on GBK bytes: a "\", "|" or letter can be the trail byte
// of a two-byte character and must never be taken for itself.
#include "platform/text_commands.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "platform/pinyin.h"
#include "platform/text_lines.h"
#include "tests/platform/text_properties.h"

namespace korvath::platform {
namespace {

using namespace korvath::platform::properties;

const std::string kZhang = "\xD5\xC5", kSan = "\xC8\xFD", kBlank = "\xA1\xA1";  // 张, 三, full-width blank
// Two-byte characters whose trail byte is "\" (0x5C), "a" and "A".
const std::string kTrailBackslash = "\xB1\x5C", kTrailA = "\xB1\x61", kTrailUpperA = "\xB1\x41";

TEST(TextCommands, TrailBytesAreNeverTakenForCharacters) {
  EXPECT_EQ(GbkCharLength("\x81\x7F", 0), 1u);  // 0x7F is never a trail byte
  EXPECT_EQ(GbkCharLength("ab", 5), 1u);        // past the end never stalls a walk
  EXPECT_EQ(FindByteOutsideChars(kTrailBackslash, '\\'), -1);
  EXPECT_EQ(FindText(kTrailUpperA + "A", "a", 1, true), 3);
  EXPECT_EQ(ReplaceSubText(kTrailBackslash + "\\", "\\", "/"), kTrailBackslash + "/");
  EXPECT_EQ(ReplaceSubText("xAxa", "a", "-", false), "x-x-");
  EXPECT_EQ(ReplaceSubText("aa", "a", "aa"), "aaaa");
  EXPECT_EQ(SplitText("\xB1\x7C|x||", "|"), (std::vector<std::string>{"\xB1\x7C", "x", "", ""}));
  EXPECT_EQ(ToUpper(kTrailA + "a"), kTrailA + "A");
  EXPECT_EQ(ToFullWidth(kTrailBackslash + "a~ "), kTrailBackslash + "\xA3\xE1\xA1\xAB" + kBlank);
  EXPECT_EQ(ToHalfWidth(kZhang + "\xA3\xC1\xA1\xEE\xB1\xA3\xC1"), kZhang + "A*\xB1\xA3\xC1");
  EXPECT_EQ(TrimBoth(kBlank + " " + kZhang + kBlank + kSan + " \xB0\xA1\xA1\xA1"), kZhang + kBlank + kSan + " \xB0\xA1");
  EXPECT_EQ(TrimBoth("\tx\xB0\xA1\xA1"), "\tx\xB0\xA1\xA1");  // tabs and a lone 0xA1 are no blanks
  EXPECT_EQ(RemoveAllSpaces(" a" + kBlank + "\xB0\xA1\xA1\xA1\xA1"), "a\xB0\xA1\xA1");
  EXPECT_EQ(TextMid("abc", INT32_MAX, INT32_MAX), "");
  EXPECT_EQ(CharCodeAt("A" + kZhang, 2), int(static_cast<signed char>(0xD5)));
  for (int c = 0x20; c <= 0x7E; ++c) EXPECT_EQ(ToHalfWidth(ToFullWidth(std::string(1, char(c)))), std::string(1, char(c)));
}

TEST(TextCommands, ToIntegerReadsTheLeadingNumberAndSaturates) {
  const std::pair<std::string, int32_t> cases[] = {
      {"  42abc", 42}, {"\t\r\n -15", -15}, {"+15", 15}, {"3.9", 3}, {"- 5", 0}, {"--5", 0}, {kZhang + "5", 0},
      {"\xA3\xB1\xA3\xB2\xA3\xB3", 123}, {kBlank + "\xA3\xAD\xA3\xB9", -9}, {"1\xA3\xB0" "0", 100},
      {"2147483648", INT32_MAX}, {"99999999999999999999", INT32_MAX}, {"-2147483649", INT32_MIN},
      {"-2147483648", INT32_MIN}, {"000000000000000000012", 12}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ToInteger(text), value) << text;
  EXPECT_EQ(ToText(INT32_MIN), "-2147483648");
}

// Seeded random bytes, most of them the ones that matter to GBK: under the
// sanitizers of the native build this looks for reads outside the text and
// overflow, and checks the properties that hold for any input.
TEST(TextCommands, RandomBytesKeepTheProperties) {
  const char interesting[] = " aAz\\|~19-+\t\x40\x5C\x7F\x80\x81\xA1\xA3\xAB\xB0\xB1\xC1\xD5\xC5\xEE\xF7\xFE\xFF";
  std::mt19937 rng(20240601);
  for (int i = 0; i < 100000; ++i) {
    std::string input(rng() % 41, '\0');
    for (char& c : input) c = rng() % 7 ? interesting[rng() % (sizeof interesting - 1)] : char(rng());
    ASSERT_EQ(CheckTextCommandProperties(input), "") << i << ": " << ::testing::PrintToString(input);
  }
}

// The same bytes for the properties of characters, width, numbers, lines and
// pinyin (the fuzz target checks them at length).
TEST(TextCommands, RandomBytesKeepTheCharacterLineAndPinyinProperties) {
  const char interesting[] = " aAz\\|~19-+\t\r\n\x1A\x40\x5C\x7F\x80\x81\xA1\xA3\xAB\xB0\xB1\xC1\xD5\xC5\xEE\xF7\xFE\xFF";
  std::mt19937 rng(20261101);
  for (int i = 0; i < 25000; ++i) {
    std::string input(rng() % 41, '\0');
    for (char& c : input) c = rng() % 7 ? interesting[rng() % (sizeof interesting - 1)] : char(rng());
    ASSERT_EQ(CheckGbkTextProperties(input) + CheckTextLineProperties(input) + CheckPinyinProperties(input), "")
        << i << ": " << ::testing::PrintToString(input);
  }
}

// The line rules of the runtime's FileReadLine (read in chunks: the file tests).
TEST(TextLines, LfEndsALineWithOneCrBeforeItAndNulOrEofEndsTheText) {
  EXPECT_EQ(SplitTextLines("a\r\nb\nc\r\r\n\r\n"), (std::vector<std::string>{"a", "b", "c\r", ""}));
  EXPECT_EQ(SplitTextLines(std::string("ab\0cd\ne", 7)), std::vector<std::string>{"ab"});
  EXPECT_EQ(SplitTextLines("a\nb\x1A" "c\nd"), (std::vector<std::string>{"a", "b"}));
  // A lead byte takes the byte after it when that is a trail byte; LF, CR
  // and NUL never are.
  EXPECT_EQ(SplitTextLines("张三\r\na\xB0\nb"), (std::vector<std::string>{"张三", "a\xB0", "b"}));
  EXPECT_EQ(SplitTextLines(std::string("\xB0\0x", 3)), std::vector<std::string>{"\xB0"});
}

TEST(TextLines, ALineScannedInChunksIsTheLineScannedWhole) {
  const char bytes[] = "\r\n\0\x1A\xB0\xA1\xD5\x5C\x7F" "ab ";
  std::mt19937 rng(20261207);
  for (int i = 0; i < 20000; ++i) {
    std::string text(rng() % 30, '\0');
    for (char& c : text) c = bytes[rng() % (sizeof bytes - 1)];
    const size_t chunk = 1 + rng() % 4;
    ASSERT_EQ(LinesReadInChunks(text, chunk), SplitTextLines(text)) << chunk << ": " << ::testing::PrintToString(text);
  }
}

TEST(Pinyin, ReadingsOfKnownCharactersAndNothingForOtherBytes) {
  const std::tuple<const char*, int, const char*> cases[] = {
      {"\xD5\xC5", 1, "zhang"}, {"\xB0\xA1", 1, "a"}, {"\xF7\xFE", 1, "zha"},  // 张, first, last
      {"\xB3\xA4", 1, "zhang"}, {"\xB3\xA4", 2, "chang"},  // 长: the customary reading first
      {"\xC2\xCC", 1, "lv"}, {"\xD0\xD0", 2, "hang"}, {"\xD0\xD0", 0, "xing"},  // 绿; 行
      {"\xD0\xD0", 4, ""}, {"\xC8\xFD", 2, ""}, {"\xD5\xC5\xC8\xFD", 1, "zhang"}, {"a\xD5\xC5", 1, ""},
      {"\xD5", 1, ""}, {"\xA3\xC1", 1, ""}, {"\x81\x40", 1, ""}, {"\xF8\xA1", 1, ""}, {"\xB0\xA0", 1, ""}};
  for (auto [text, reading, pinyin] : cases) EXPECT_EQ(GetPinyin(text, reading), pinyin) << text << reading;
  int characters = 0;
  for (int lead = 0xB0; lead <= 0xF7; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      const std::string ch = {char(lead), char(trail)}, readings[] = {"", GetPinyin(ch, 1), GetPinyin(ch, 2), GetPinyin(ch, 3)};
      characters += !readings[1].empty();
      EXPECT_EQ(readings[1].empty(), lead == 0xD7 && trail >= 0xFA) << lead << " " << trail;
      for (int r = 1; r <= 3; ++r) {  // lower-case letters, readings distinct and without gaps
        ASSERT_TRUE(readings[r].size() <= 6 && readings[r].find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos);
        if (r > 1) {
          EXPECT_TRUE(readings[r].empty() || (readings[r] != readings[r - 1] && !readings[r - 1].empty()));
        }
      }
    }
  }
  EXPECT_EQ(characters, 6763);
}

}  // namespace
}  // namespace korvath::platform
