// The text commands on GBK bytes: a "\", "|" or letter can be the trail byte
// of a two-byte character and must never be taken for itself.
#include "platform/text_commands.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/platform/text_commands_properties.h"

namespace korvath::platform {
namespace {

const std::string kZhang = "\xD5\xC5", kSan = "\xC8\xFD", kBlank = "\xA1\xA1";  // 张, 三, full-width blank
// Two-byte characters whose trail byte is "\" (0x5C), "a" and "A".
const std::string kTrailBackslash = "\xB1\x5C", kTrailA = "\xB1\x61", kTrailUpperA = "\xB1\x41";

TEST(TextCommands, TrailBytesAreNeverTakenForCharacters) {
  EXPECT_EQ(GbkCharLength("\x81\x7F", 0), 1u);  // 0x7F is never a trail byte
  EXPECT_EQ(GbkCharLength("ab", 5), 1u);        // past the end never stalls a walk
  EXPECT_EQ(FindByteOutsideChars(kTrailBackslash, '\\'), -1);
  EXPECT_EQ(FindLastByteOutsideChars("C:\\" + kTrailBackslash + "\\x.pst", '\\'), 6);
  EXPECT_EQ(FindText(kZhang + kSan, "\xC5\xC8"), -1);  // straddles two characters
  EXPECT_EQ(FindText(kTrailBackslash + "\\\\", "\\", 2), 3);  // a start inside a character
  EXPECT_EQ(FindText(kZhang + kSan, "\xD5"), -1);
  EXPECT_EQ(FindText(kTrailUpperA + "A", "a", 1, true), 3);
  EXPECT_EQ(FindText("\xA3\xC1", "\xA3\xE1", 1, true), -1);  // full-width letters are not folded
  EXPECT_EQ(FindTextReverse("C:\\dir\\" + kTrailBackslash, "\\"), 7);
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
    ASSERT_EQ(testing::CheckTextCommandProperties(input), "") << i << ": " << ::testing::PrintToString(input);
  }
}

}  // namespace
}  // namespace korvath::platform
