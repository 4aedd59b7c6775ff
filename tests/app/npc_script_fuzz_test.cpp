// Random and mutated ".pst" texts through the reader's parsing: it must never
// read outside its texts (the sanitizers watch the native build).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/npc_script_reader.h"
#include "tests/app/npc_test_record.h"

using namespace korvath::app;

namespace {
const char kAlphabet[] = "\"=;() \t\r\n\x1A\xA1\xB0\xD5\xC5\\#引号abcfollowplayer0123456789-";

std::string RandomText(std::mt19937& rng, size_t maxLength, std::string text = {}) {
  for (size_t n = rng() % (maxLength + 1); n > 0; --n) {
    char c = rng() % 4 ? kAlphabet[rng() % (sizeof kAlphabet - 1)] : char(rng());
    text.insert(text.empty() ? 0 : rng() % text.size(), 1, c);
  }
  return text;
}

void Parse(const std::string& bytes) {
  std::vector<std::string> kept = KeptLinesOfFile(bytes);
  if (std::optional<NpcScriptValues> read = ParseNpcScript(kept)) {
    EXPECT_GE(kept.size(), 19u);
    EXPECT_LE(read->name.size(), kept[0].size());
  }
  std::vector<std::string> pieces;
  SplitQuoted(bytes, "\"", "\"", pieces);
}
}  // namespace

TEST(ReaderFuzz, RandomAndMutatedFilesNeverBreakTheParse) {
  std::mt19937 rng(20240611);
  const std::string written = testdata::StartFileBytes();
  for (int i = 0; i < 20000; ++i) {
    Parse(RandomText(rng, 400));
    std::string mutated = RandomText(rng, 8, written);
    mutated.erase(rng() % mutated.size(), rng() % 16);
    Parse(i % 3 ? mutated : mutated.substr(0, rng() % mutated.size()));
  }
}
