// Where texts break into lines, with a width of 10 per Chinese character and
// 6 per other character: the message boxes' texts (Chinese, paths with and
// without blanks in their names, punctuation) never run wider than the
// width and never lose or cut a character.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "skin/draw/line_breaks.h"

namespace {

using korvath::skin::BreakTextLines;
using Lines = std::vector<std::wstring>;

float Width(std::wstring_view text) {
  float width = 0;
  for (wchar_t c : text) width += c >= 0x2E80 ? 10.0f : 6.0f;
  return width;
}

Lines Break(std::wstring_view text, float maxWidth) { return BreakTextLines(text, maxWidth, Width); }

// Every character of the text, in order, apart from the spaces a break took.
std::wstring Joined(const Lines& lines) {
  std::wstring all;
  for (const std::wstring& line : lines) all += line;
  return all;
}

std::wstring WithoutSpaces(std::wstring_view text) {
  std::wstring kept;
  for (wchar_t c : text) {
    if (c != L' ') kept += c;
  }
  return kept;
}

TEST(LineBreaks, ATextThatFitsStaysOneLineAndItsOwnBreaksStay) {
  EXPECT_EQ(Break(L"", 100), Lines{});
  EXPECT_EQ(Break(L"\u4EBA\u7269\u540D\u5B57!", 100), Lines{L"\u4EBA\u7269\u540D\u5B57!"});
  EXPECT_EQ(Break(L"ab\r\n\ncd\n", 100), (Lines{L"ab", L"", L"cd", L""}));
  EXPECT_EQ(Break(L"ab   ", 12), Lines{L"ab"});  // trailing spaces take no room
}

TEST(LineBreaks, WordsBreakAtSpacesWhichTheBreakSwallows) {
  EXPECT_EQ(Break(L"one two three four", 50), (Lines{L"one two", L"three", L"four"}));
  EXPECT_EQ(Break(L"one    two", 30), (Lines{L"one", L"two"}));
}

TEST(LineBreaks, ChineseBreaksBetweenCharactersButNeverBeforeClosingPunctuation) {
  // 10 per character: five fit in 50, but "!" may not start a line.
  EXPECT_EQ(Break(L"\u4E00\u4E8C\u4E09\u56DB\u4E94!", 50), (Lines{L"\u4E00\u4E8C\u4E09\u56DB", L"\u4E94!"}));
  EXPECT_EQ(Break(L"\u4E00\u4E8C\u4E09\u56DB\u4E94\u516D", 50), (Lines{L"\u4E00\u4E8C\u4E09\u56DB\u4E94", L"\u516D"}));
  // Nor after opening punctuation: "[" stays with what it opens.
  EXPECT_EQ(Break(L"\u4E00\u4E8C\u4E09\u56DB[\u4E94", 50), (Lines{L"\u4E00\u4E8C\u4E09\u56DB", L"[\u4E94"}));
}

TEST(LineBreaks, APathBreaksAfterASeparatorWhereOneIsNear) {
  // 6 per character, 60 wide: ten characters fit.
  EXPECT_EQ(Break(L"C:\\abcd\\efgh\\ijkl.pst", 60), (Lines{L"C:\\abcd\\", L"efgh\\", L"ijkl.pst"}));
}

// The blanks of a path are its names' own (a folder "x  " is not "x "):
// at every width, no line breaks at them or ends in them, so that the lines
// hold every character of the text, each blank where it stands. Blanks at
// a name's end, at its start and inside it, one or two, and a name of blank
// runs alone that a line must be cut in; beside them the path breaks after
// its separators as ever.
TEST(LineBreaks, APathsBlanksAreNeverLostAtABreak) {
  std::wstring runs = L"C:\\";
  for (int i = 0; i < 30; ++i) runs += L"a  ";
  const std::wstring texts[] = {
      L"NPC\u6587\u4EF6[C:\\abcdefg\\x  \\zhangsan.pst]\u5DF2\u7ECF\u751F\u6210!",
      L"C:\\Program Files\\Korvath NPC\\ai  x\\  lead\\x \\zhangsan.pst",
      runs + L"\\zhangsan.pst",
  };
  for (const std::wstring& text : texts) {
    for (float maxWidth = 30; maxWidth <= 200; ++maxWidth) {
      SCOPED_TRACE(std::string(text.begin(), text.end()) + " in " + std::to_string(maxWidth));
      const Lines lines = Break(text, maxWidth);
      EXPECT_EQ(Joined(lines), text);
      for (const std::wstring& line : lines) EXPECT_LE(Width(line), maxWidth);
    }
  }
  // Where a line can end after a separator, it does, the blanks kept with
  // their name.
  EXPECT_EQ(Break(L"C:\\abcdefg\\x  \\zhangsan.pst", 78), (Lines{L"C:\\abcdefg\\", L"x  \\zhangsan.", L"pst"}));
}

TEST(LineBreaks, ARunWithoutABreakIsCutBetweenCharactersAndNothingIsLost) {
  const std::wstring path = L"C:\\" + std::wstring(200, L'x') + L"\\zhangsan.pst";
  const std::wstring text = L"NPC\u6587\u4EF6[" + path + L"]\u4FDD\u5B58\u5931\u8D25,\u8BF7\u68C0\u67E5!";
  for (const float maxWidth : {60.0f, 200.0f, 333.0f, 1000.0f}) {
    SCOPED_TRACE(maxWidth);
    const Lines lines = Break(text, maxWidth);
    EXPECT_EQ(Joined(lines), text);
    for (const std::wstring& line : lines) EXPECT_LE(Width(line), maxWidth) << std::string(line.begin(), line.end());
    EXPECT_LE(lines.size(), size_t(Width(text) / maxWidth) + 3);  // no line wastes most of its room
  }
  // A long run is cut where the width ends, not back at the last separator.
  const Lines lines = Break(L"C:\\" + std::wstring(100, L'x'), 60);
  EXPECT_EQ(lines.front(), L"C:\\xxxxxxx");
}

TEST(LineBreaks, ACharacterWiderThanTheWidthStandsAloneAndTheBreakingGoesOn) {
  EXPECT_EQ(Break(L"\u4E00\u4E8C a", 8), (Lines{L"\u4E00", L"\u4E8C", L"a"}));
  // Nor are the two halves of a character beyond the BMP (UTF-16) parted.
  const std::wstring pair = {wchar_t(0xD840), wchar_t(0xDC00)};
  EXPECT_EQ(Break(pair + pair, 30), (Lines{pair, pair}));
}

// A narrower width never gives different lines as long as it still holds the
// widest line: a painter that breaks again at the width that a layout made
// for those lines, or at any width between, draws the same lines (and the
// static skin's cache answers those widths with them).
TEST(LineBreaks, TheWidestLineWidthGivesTheSameLinesAgain) {
  const std::wstring texts[] = {
      L"NPC\u5B58\u6863\u6587\u4EF6[Z:\\work\\build\\tests\\app\\AI\u6587\u4EF6\u5939\\zhangsan.pst]"
      L"\u5DF2\u7ECF\u5B58\u5728,\u662F\u5426\u8986\u76D6!",
      L"one two three four five six seven eight nine ten",
      L"C:\\" + std::wstring(150, L'y') + L"\\a.pst]\u4E0D\u662F\u6709\u6548\u7684NPC\u6587\u6863",
      L"NPC\u6587\u4EF6[C:\\abc\\x  \\y \\  z\\a  a  a  a  a  a  a  a\\a.pst]\u5DF2\u7ECF\u751F\u6210!",
  };
  for (const std::wstring& text : texts) {
    for (float maxWidth = 40; maxWidth < 400; maxWidth += 37) {
      const Lines lines = Break(text, maxWidth);
      float widest = 0;
      for (const std::wstring& line : lines) widest = std::max(widest, Width(line));
      EXPECT_EQ(Break(text, widest), lines) << maxWidth;
      for (float between = std::ceil(widest); between < maxWidth; ++between) {
        EXPECT_EQ(Break(text, between), lines) << maxWidth << " " << between;
      }
      EXPECT_EQ(WithoutSpaces(Joined(lines)), WithoutSpaces(text));
    }
  }
}

}  // namespace

// A text far longer than a box can show (a folder of 100,000 characters):
// the spans measured stay near a line's length, so that the characters
// measured in all grow with the text's length, not with its square.
TEST(LineBreaks, ALongTextIsMeasuredInSpansNearALinesLength) {
  std::wstring text;
  while (text.size() < 100000) text += L"SavedCharactersOfTheCampaign\\";
  size_t measured = 0;
  const Lines lines = BreakTextLines(text, 1000, [&](std::wstring_view span) {
    measured += span.size();
    return Width(span);
  });
  EXPECT_EQ(Joined(lines), text);
  EXPECT_GT(lines.size(), 500u);
  EXPECT_LT(measured, 30 * text.size());
}
