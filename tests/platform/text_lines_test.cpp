// The line rules of the runtime's FileReadLine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text_lines.h"

using namespace korvath::platform;
using Lines = std::vector<std::string>;

TEST(TextLines, LineEndsAreLfWithOneCrBeforeIt) {
  EXPECT_EQ(SplitTextLines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(SplitTextLines("a\r\r\nb\r"), (Lines{"a\r", "b\r"}));
  EXPECT_EQ(SplitTextLines("\r\n\r\n"), (Lines{"", ""}));
  EXPECT_EQ(SplitTextLines(""), Lines{});
  EXPECT_EQ(SplitTextLines("x\n"), Lines{"x"});
}

TEST(TextLines, NulOrEndOfFileByteEndsTheText) {
  EXPECT_EQ(SplitTextLines(std::string("ab\0cd\ne", 7)), Lines{"ab"});
  EXPECT_EQ(SplitTextLines("a\nb\x1A" "c\nd"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitTextLines(std::string("\0", 1)), Lines{""});
}

TEST(TextLines, TwoByteCharactersStayWhole) {
  // A lead byte takes the byte after it when that is a trail byte; LF, CR
  // and NUL never are, so they still end the line after a stray lead byte.
  EXPECT_EQ(SplitTextLines("张三\r\n李四"), (Lines{"张三", "李四"}));
  EXPECT_EQ(SplitTextLines("a\xB0\nb"), (Lines{"a\xB0", "b"}));
  EXPECT_EQ(SplitTextLines(std::string("\xB0\0x", 3)), Lines{"\xB0"});
}

TEST(TextLines, AScanThatReachesTheEndOfWhatIsThereAsksForMore) {
  TextLineScan scan = ScanTextLine("abc", false);
  EXPECT_FALSE(scan.complete);
  scan = ScanTextLine("abc", true);
  EXPECT_TRUE(scan.complete);
  EXPECT_EQ(scan.lineLength, 3u);
  // A lead byte as the last byte: its trail may come with the next chunk.
  EXPECT_TRUE(ScanTextLine("a\n", false).complete);
  EXPECT_FALSE(ScanTextLine("ab\xB0", false).complete);
  scan = ScanTextLine("ab\xB0", true);
  EXPECT_TRUE(scan.complete);
  EXPECT_EQ(scan.lineLength, 3u);
}

TEST(TextLines, ScanReportsLengthAndWhatToStepOver) {
  TextLineScan scan = ScanTextLine("ab\r\ncd", false);
  EXPECT_TRUE(scan.complete);
  EXPECT_EQ(scan.lineLength, 2u);
  EXPECT_EQ(scan.consumed, 4u);
  EXPECT_FALSE(scan.textEnded);
  scan = ScanTextLine(std::string("ab\0", 3), false);
  EXPECT_TRUE(scan.textEnded);
  EXPECT_EQ(scan.lineLength, 2u);
}
