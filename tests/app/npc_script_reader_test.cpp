// Reading a ".pst" back: the text routines, the positional map and the
// behaviour recognised from the lines.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/npc_script.h"
#include "app/npc_script_reader.h"
#include "platform/text_commands.h"
#include "tests/app/npc_test_record.h"

using namespace korvath::app;
using namespace korvath::app::testdata;
using Lines = std::vector<std::string>;

TEST(Reader, TextBetweenAndSplitQuoted) {
  EXPECT_EQ(TextBetween("a(b)c)", "(", ")") + TextBetween(")before(", "(", ")"), "b");
  EXPECT_EQ(TextBetween("say \"hi\" now", "#引号", "#引号"), "hi");
  EXPECT_EQ(TextBetween("[a][b]", "[", "]", 3) + TextBetween("xABy", "a", "Y", 1, true) + TextBetween("xABy", "a", "Y"), "bB");
  Lines pieces;
  EXPECT_EQ(SplitQuoted("g_self, \"follow\", \"player\"", "\"", "\"", pieces), 3);
  EXPECT_EQ(pieces, (Lines{"follow", ", ", "player"}));
  SplitQuoted("<a><bb><ccc>", "<", ">", pieces, false, 7, "(", ")", true, true);  // shaped pieces below 7 bytes
  EXPECT_EQ(pieces, (Lines{"<(a)>", "<(bb)>"}));
}

TEST(Reader, AWrittenFileReadsBackEveryValueAndBehaviour) {
  NpcRecord npc{.NpcModel = 19, .NpcWeapon = 10, .NpcWeapon2 = 48, .NpcTeam = 2, .NpcView = 2000, .NpcThink = 10,
                .NpcAttack1 = 30, .NpcAttack2 = 30, .NpcAttack3 = 30, .NpcGuard = 100, .NpcDodge = 15, .NpcJump = 20,
                .NpcLook = 55, .NpcBurst = 60, .NpcAim = 65, .NpcGetItem = 70, .NpcSpawn = 42, .NpcHp = 777};
  for (int behaviour = 0; behaviour < 8; ++behaviour) {
    SCOPED_TRACE(behaviour);
    NpcRecord written = npc;
    written.NpcBehaviourText = std::string(BehaviourStatementOfItem(behaviour));
    ASSERT_TRUE(BuildNpcScript(written, ScriptInput{"777", "王五", "C:\\"}).accepted());
    std::string bytes = NpcScriptFileBytes(written.NpcOutputLines);
    if (behaviour == 6) bytes.replace(bytes.find("\"kill\""), 6, "\"KILL\"");  // no behaviour in capitals
    NpcScriptValues read = ParseNpcScript(KeptLinesOfFile(bytes)).value();
    EXPECT_EQ(read.name, "王五");
    EXPECT_EQ(std::vector<int32_t>(read.values.begin() + 1, read.values.end()), Numbers(npc));
    EXPECT_EQ(read.behaviour, behaviour == 6 ? std::nullopt : std::optional(BehaviourTable()[size_t(behaviour)].name));
  }
}

TEST(Reader, BlankLinesAreSkippedDamagedLinesGiveZerosAndShortFilesAreRefused) {
  EXPECT_EQ(ParseNpcScript(KeptLinesOfFile("\r\n   \r\n\xA1\xA1\r\n" + StartFileBytes()))->values[1], 1);
  Lines kept = KeptLinesOfFile("\t\r\n" + StartFileBytes());  // a tab line is kept: all move down
  ASSERT_EQ(kept.size(), 31u);
  EXPECT_EQ(ParseNpcScript(kept)->values[2], 1);
  EXPECT_EQ(ParseNpcScript(kept)->behaviour, "巡逻跟随");
  kept = KeptLinesOfFile(StartFileBytes());
  kept[0] = "string Name=\"张\"三\";";
  kept[5] = "int View 800;";
  kept[6] = "int Think =80";
  EXPECT_EQ(ParseNpcScript(kept)->name, "张");
  EXPECT_EQ(std::pair(ParseNpcScript(kept)->values[5], ParseNpcScript(kept)->values[6]), std::pair(0, 0));
  kept.resize(19);
  EXPECT_EQ(ParseNpcScript(kept)->values[18], 5000);
  kept.resize(18);
  EXPECT_FALSE(ParseNpcScript(kept));
  std::string bytes = StartFileBytes();
  bytes.insert(bytes.find("int Jump"), 1, '\0');  // a NUL byte ends the text
  EXPECT_EQ(KeptLinesOfFile(bytes).size(), 12u);
}

namespace {
// The split as it was first written: every search walks from the text's
// start. The reader's split must cut exactly these pieces, only faster.
int FirstSplitQuoted(std::string_view text, std::string_view opening, std::string_view closing, Lines& pieces,
                     bool ignoreCase, int maxLength, std::string_view prefix, std::string_view suffix,
                     bool addOpening, bool addClosing, int start) {
  pieces.clear();
  if (opening.empty() || closing.empty()) return 0;
  for (int pos = start < 1 ? 1 : start;;) {
    const int p = korvath::platform::FindText(text, opening, pos, ignoreCase);
    if (p < 1) break;
    pos = p + int(opening.size());
    const int q = korvath::platform::FindText(text, closing, pos, ignoreCase);
    if (q < pos) break;
    std::string piece = std::string(prefix) + std::string(text.substr(size_t(pos - 1), size_t(q - pos))) + std::string(suffix);
    if (addOpening) piece = std::string(opening) + piece;
    if (addClosing) piece += closing;
    if (maxLength == 0 || int(piece.size()) < maxLength) pieces.push_back(std::move(piece));
  }
  return int(pieces.size());
}
}  // namespace

// The lines the reader splits (every behaviour's line 29, the shapes above)
// and random texts of quotes, brackets and two-byte characters whose trail
// bytes look like them, under every option.
TEST(Reader, SplitQuotedCutsThePiecesOfTheFirstAlgorithm) {
  std::vector<std::string> texts = {"g_self, \"follow\", \"player\"", "<a><bb><ccc>", "\"\"\"", "((a)(b)))", ""};
  for (int behaviour = 0; behaviour < 8; ++behaviour) {
    NpcRecord npc{.NpcBehaviourText = std::string(BehaviourStatementOfItem(behaviour))};
    ASSERT_TRUE(BuildNpcScript(npc, ScriptInput{"5000", "王五", "C:\\"}).accepted());
    for (const std::string& line : KeptLinesOfFile(NpcScriptFileBytes(npc.NpcOutputLines))) texts.push_back(TextBetween(line, "(", ")"));
  }
  const char alphabet[] = "\"\"\"()<>aA \xB1\x22\xB1\x28\xD5\xC5\xA1";  // "\xB1\x22": a quote as a trail byte
  std::mt19937 rng(20261207);
  for (int i = 0; i < 3000; ++i) {
    std::string text(rng() % 40, ' ');
    for (char& c : text) c = alphabet[rng() % (sizeof alphabet - 1)];
    texts.push_back(text);
  }
  const std::pair<const char*, const char*> marks[] = {{"\"", "\""}, {"(", ")"}, {"<", ">"}, {"a", "A"}, {"\"\"", "\""}, {"\xD5\xC5", "\""}, {"", "\""}};
  for (const std::string& text : texts) {
    for (const auto& [opening, closing] : marks) {
      const int variant = int(rng() % 64), start = int(rng() % 8) - 2;
      const bool ignoreCase = variant & 1, addOpening = variant & 2, addClosing = variant & 4;
      const int maxLength = variant & 8 ? int(rng() % 6) : 0;
      const std::string prefix = variant & 16 ? "[" : "", suffix = variant & 32 ? "]" : "";
      Lines got, expected;
      const int n = SplitQuoted(text, opening, closing, got, ignoreCase, maxLength, prefix, suffix, addOpening, addClosing, start);
      FirstSplitQuoted(text, opening, closing, expected, ignoreCase, maxLength, prefix, suffix, addOpening, addClosing, start);
      ASSERT_EQ(got, expected) << ::testing::PrintToString(text) << " " << opening << closing << " " << variant << " " << start;
      ASSERT_EQ(n, int(expected.size()));
    }
  }
}

// Random and mutated texts: the parse must never read outside them (the
// sanitizers watch the native build).
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
