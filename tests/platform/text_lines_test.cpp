// The line rules of the runtime's FileReadLine (read in chunks: the file tests).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text_lines.h"

using namespace korvath::platform;
using Lines = std::vector<std::string>;

TEST(TextLines, LfEndsALineWithOneCrBeforeItAndNulOrEofEndsTheText) {
  EXPECT_EQ(SplitTextLines("a\r\nb\nc\r\r\n\r\n"), (Lines{"a", "b", "c\r", ""}));
  EXPECT_EQ(SplitTextLines(std::string("ab\0cd\ne", 7)), Lines{"ab"});
  EXPECT_EQ(SplitTextLines("a\nb\x1A" "c\nd"), (Lines{"a", "b"}));
  // A lead byte takes the byte after it when that is a trail byte; LF, CR
  // and NUL never are.
  EXPECT_EQ(SplitTextLines("张三\r\na\xB0\nb"), (Lines{"张三", "a\xB0", "b"}));
  EXPECT_EQ(SplitTextLines(std::string("\xB0\0x", 3)), Lines{"\xB0"});
}
