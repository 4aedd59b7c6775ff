// Random and mutated ".pst" texts through the reader's parsing: it must never
// read outside its texts (the sanitizers watch the native build) and must
// agree with itself when the same bytes arrive in pieces.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/npc_script.h"
#include "app/npc_script_reader.h"
#include "platform/text_lines.h"
#include "tests/app/npc_test_record.h"

using namespace korvath::app;
using korvath::platform::ScanTextLine;
using korvath::platform::SplitTextLines;
using korvath::platform::TextLineScan;

namespace {

// The bytes that matter most to the parser, often.
const char kAlphabet[] = "\"=;() \t\r\n\x1A\xA1\xB0\xD5\xC5\\#引号abcfollowplayer0123456789-";

std::string RandomText(std::mt19937& rng, size_t maxLength) {
  std::uniform_int_distribution<size_t> length(0, maxLength);
  std::uniform_int_distribution<int> pick(0, 3);
  std::uniform_int_distribution<int> anyByte(0, 255);
  std::uniform_int_distribution<size_t> fromAlphabet(0, sizeof(kAlphabet) - 2);
  std::string text(length(rng), '\0');
  for (char& c : text) c = pick(rng) == 0 ? char(anyByte(rng)) : kAlphabet[fromAlphabet(rng)];
  return text;
}

std::string Mutate(std::mt19937& rng, std::string text) {
  std::uniform_int_distribution<int> edits(1, 8);
  std::uniform_int_distribution<int> kind(0, 3);
  std::uniform_int_distribution<int> anyByte(0, 255);
  for (int n = edits(rng); n > 0 && !text.empty(); --n) {
    std::uniform_int_distribution<size_t> at(0, text.size() - 1);
    switch (kind(rng)) {
      case 0: text[at(rng)] = char(anyByte(rng)); break;
      case 1: text.erase(at(rng), 1 + at(rng) % 16); break;
      case 2: text.insert(at(rng), RandomText(rng, 12)); break;
      case 3: text.resize(at(rng)); break;
    }
  }
  return text;
}

// Every line read through scans of chunks that end at random places, as a
// file is read through its read-ahead.
std::vector<std::string> LinesInChunks(std::mt19937& rng, const std::string& bytes) {
  std::vector<std::string> lines;
  std::uniform_int_distribution<size_t> chunk(1, 7);
  size_t pos = 0, available = 0;
  while (pos < bytes.size()) {
    bool atEnd = available >= bytes.size();
    TextLineScan scan = ScanTextLine(std::string_view(bytes).substr(pos, available - pos), atEnd);
    if (!scan.complete) {
      available = std::min(bytes.size(), available + chunk(rng));
      continue;
    }
    lines.push_back(bytes.substr(pos, scan.lineLength));
    if (scan.textEnded) break;
    pos += scan.consumed;
    available = std::max(available, pos);
  }
  return lines;
}

void Parse(const std::string& bytes) {
  std::vector<std::string> kept = KeptLinesOfFile(bytes);
  std::optional<NpcScriptValues> read = ParseNpcScript(kept);
  if (read) {
    EXPECT_GE(kept.size(), 19u);
    EXPECT_LE(read->name.size(), kept[0].size());
  }
  BehaviourFromLines(kept);
  std::vector<std::string> pieces;
  SplitQuoted(bytes, "\"", "\"", pieces);
  for (const std::string& piece : pieces) EXPECT_LE(piece.size(), bytes.size());
}

}  // namespace

TEST(ReaderFuzz, RandomTextsNeverBreakTheParse) {
  std::mt19937 rng(20240611);
  for (int i = 0; i < 20000; ++i) Parse(RandomText(rng, 400));
}

TEST(ReaderFuzz, MutatedWrittenFilesNeverBreakTheParse) {
  std::mt19937 rng(7);
  std::vector<std::string> seeds;
  for (int behaviour = 0; behaviour < 8; ++behaviour) {
    NpcRecord npc = korvath::app::testdata::StartRecord();
    npc.NpcBehaviourText = std::string(BehaviourStatementOfItem(behaviour));
    BuildNpcScript(npc, ScriptInput{"5000", "张三", "C:\\"});
    seeds.push_back(NpcScriptFileBytes(npc.NpcOutputLines));
  }
  std::uniform_int_distribution<size_t> seed(0, seeds.size() - 1);
  for (int i = 0; i < 20000; ++i) Parse(Mutate(rng, seeds[seed(rng)]));
}

TEST(ReaderFuzz, LinesReadInChunksAreTheLinesOfTheWhole) {
  std::mt19937 rng(99);
  for (int i = 0; i < 5000; ++i) {
    std::string bytes = RandomText(rng, 200);
    ASSERT_EQ(LinesInChunks(rng, bytes), SplitTextLines(bytes)) << i;
  }
}
