// The line rules of the runtime's FileReadLine, whole and read in chunks.
#include <gtest/gtest.h>

#include <random>
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

TEST(TextLines, LinesReadInChunksAreTheLinesOfTheWhole) {
  const char alphabet[] = "=; \t\r\n\x1A\xA1\xB0\xD5\xC5\\ab09";
  std::mt19937 rng(99);
  for (int i = 0; i < 5000; ++i) {
    std::string bytes(rng() % 200, '\0');
    for (char& c : bytes) c = rng() % 4 ? alphabet[rng() % (sizeof alphabet - 1)] : char(rng());
    Lines lines;
    for (size_t pos = 0, available = 0; pos < bytes.size();) {
      TextLineScan scan = ScanTextLine(std::string_view(bytes).substr(pos, available - pos), available >= bytes.size());
      if (!scan.complete) {  // a lead byte at the end of a chunk waits for its trail
        available = std::min(bytes.size(), available + 1 + rng() % 7);
        continue;
      }
      lines.push_back(bytes.substr(pos, scan.lineLength));
      if (scan.textEnded) break;
      pos += scan.consumed;
      available = std::max(available, pos);
    }
    ASSERT_EQ(lines, SplitTextLines(bytes)) << i;
  }
}
