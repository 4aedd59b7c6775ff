// The text commands on GBK bytes: a "\", "|" or letter can be the trail byte
// of a two-byte character and must never be taken for itself.
#include "platform/text_commands.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "platform/pinyin.h"
#include "platform/text_lines.h"

namespace korvath::platform {
namespace {

const std::string kZhang = "\xD5\xC5", kSan = "\xC8\xFD", kBlank = "\xA1\xA1";  // 张, 三, full-width blank
// Two-byte characters whose trail byte is "\" (0x5C), "a" and "A".
const std::string kTrailBackslash = "\xB1\x5C", kTrailA = "\xB1\x61", kTrailUpperA = "\xB1\x41";

// The first match, stated differently from the library: the same bytes,
// starting and ending on character boundaries of the text.
int ReferenceFind(std::string_view text, std::string_view part, int start) {
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
std::string CheckTextCommandProperties(std::string_view input) {
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

// A file read in chunks: each scan resumes where the last incomplete one
// stopped, and the lines are those of the whole bytes.
std::vector<std::string> LinesReadInChunks(std::string_view bytes, size_t chunk) {
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
        if (r > 1) EXPECT_TRUE(readings[r].empty() || (readings[r] != readings[r - 1] && !readings[r - 1].empty()));
      }
    }
  }
  EXPECT_EQ(characters, 6763);
}

}  // namespace
}  // namespace korvath::platform
