// Random and mutated ".pst" texts through the reader's parsing: it must never
// read outside its texts (the sanitizers watch the native build).
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/npc_script_reader.h"
#include "tests/app/npc_test_record.h"

using namespace korvath::app;

TEST(ReaderFuzz, RandomAndMutatedFilesNeverBreakTheParse) {
  const char alphabet[] = "\"=;() \t\r\n\x1A\xA1\xB0\xD5\xC5\\#引号abcfollowplayer0123456789-";
  std::mt19937 rng(20240611);
  for (int i = 0; i < 40000; ++i) {
    std::string text = i % 2 ? "" : testdata::StartFileBytes();  // random, or a written file mutated
    for (size_t n = rng() % (i % 2 ? 400 : 9); n > 0; --n)
      text.insert(text.empty() ? 0 : rng() % text.size(), 1, rng() % 4 ? alphabet[rng() % (sizeof alphabet - 1)] : char(rng()));
    if (i % 2 == 0) text.erase(rng() % text.size(), i % 3 ? rng() % 16 : std::string::npos);
    const std::vector<std::string> kept = KeptLinesOfFile(text);
    if (std::optional<NpcScriptValues> read = ParseNpcScript(kept)) {
      EXPECT_GE(kept.size(), 19u);
      EXPECT_LE(read->name.size(), kept[0].size());
    }
    std::vector<std::string> pieces;
    SplitQuoted(text, "\"", "\"", pieces);
  }
}
