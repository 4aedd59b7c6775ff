// Reading a ".pst" back: the text routines, the positional map and the
// behaviour recognised from the lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/npc_script.h"
#include "app/npc_script_reader.h"
#include "tests/app/npc_test_record.h"

using namespace korvath::app;
using korvath::app::testdata::StartFileBytes;
using korvath::app::testdata::StartRecord;

namespace {
std::string WrittenFile(int behaviour, const std::string& name = "张三") {
  NpcRecord npc = StartRecord();
  npc.NpcBehaviourText = std::string(BehaviourStatementOfItem(behaviour));
  ScriptInput input{"5000", name, "C:\\"};
  EXPECT_TRUE(BuildNpcScript(npc, input).accepted());
  return NpcScriptFileBytes(npc.NpcOutputLines);
}
}  // namespace

TEST(TextBetween, TakesTheBytesBetweenOpeningAndTheNextClosing) {
  EXPECT_EQ(TextBetween("int View =800;", "=", ";"), "800");
  EXPECT_EQ(TextBetween("a(b)c)", "(", ")"), "b");
  EXPECT_EQ(TextBetween("()", "(", ")"), "");
  EXPECT_EQ(TextBetween("no opening", "(", ")"), "");
  EXPECT_EQ(TextBetween("(no closing", "(", ")"), "");
  EXPECT_EQ(TextBetween(")before(", "(", ")"), "");
}

TEST(TextBetween, QuoteWordStandsForADoubleQuote) {
  EXPECT_EQ(TextBetween("say \"hi\" now", "#引号", "#引号"), "hi");
}

TEST(TextBetween, StartAndCaseOptions) {
  EXPECT_EQ(TextBetween("[a][b]", "[", "]", 3), "b");
  EXPECT_EQ(TextBetween("[a][b]", "[", "]", 0), "a");
  EXPECT_EQ(TextBetween("xABy", "a", "Y", 1, true), "B");
  EXPECT_EQ(TextBetween("xABy", "a", "Y"), "");
}

TEST(SplitQuoted, QuotedWordsAndTheTextBetweenThemArePieces) {
  std::vector<std::string> pieces;
  EXPECT_EQ(SplitQuoted("g_self, \"follow\", \"player\"", "\"", "\"", pieces), 3);
  EXPECT_EQ(pieces, (std::vector<std::string>{"follow", ", ", "player"}));
  EXPECT_EQ(SplitQuoted("g_self, \"wait\"", "\"", "\"", pieces), 1);
  EXPECT_EQ(pieces, (std::vector<std::string>{"wait"}));
  EXPECT_EQ(SplitQuoted("nothing quoted", "\"", "\"", pieces), 0);
  EXPECT_TRUE(pieces.empty());
}

TEST(SplitQuoted, OptionsShapeAndFilterThePieces) {
  std::vector<std::string> pieces;
  SplitQuoted("<a><bb><ccc>", "<", ">", pieces, false, 3);
  EXPECT_EQ(pieces, (std::vector<std::string>{"a", "bb"}));
  SplitQuoted("<a><b>", "<", ">", pieces, false, 0, "(", ")", true, true);
  EXPECT_EQ(pieces, (std::vector<std::string>{"<(a)>", "<(b)>"}));
  SplitQuoted("<a><b>", "<", ">", pieces, false, 0, {}, {}, false, false, 4);
  EXPECT_EQ(pieces, (std::vector<std::string>{"b"}));
  EXPECT_EQ(SplitQuoted("xxx", "", "", pieces), 0);
}

TEST(Reader, AWrittenFileReadsBackEveryValue) {
  NpcRecord npc = StartRecord();
  npc.NpcModel = 19;
  npc.NpcWeapon = 10;
  npc.NpcWeapon2 = 48;
  npc.NpcTeam = 2;
  npc.NpcView = 2000;
  npc.NpcThink = 10;
  npc.NpcAttack1 = 30;
  npc.NpcAttack2 = 30;
  npc.NpcAttack3 = 30;
  npc.NpcGuard = 100;
  npc.NpcDodge = 15;
  npc.NpcJump = 20;
  npc.NpcLook = 55;
  npc.NpcBurst = 60;
  npc.NpcAim = 65;
  npc.NpcGetItem = 70;
  npc.NpcBehaviourText = std::string(BehaviourStatementOfItem(6));
  ASSERT_TRUE(BuildNpcScript(npc, ScriptInput{"777", "王五", "C:\\"}).accepted());

  std::vector<std::string> kept = KeptLinesOfFile(NpcScriptFileBytes(npc.NpcOutputLines));
  ASSERT_EQ(kept.size(), 30u);
  std::optional<NpcScriptValues> read = ParseNpcScript(kept);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->name, "王五");
  const int32_t expected[19] = {0,  19, 10, 48, 2,  2000, 10, 30, 30, 30,
                                100, 15, 20, 55, 60, 65,   70, 42, 777};
  for (int i = 1; i < 19; ++i) EXPECT_EQ(read->values[size_t(i)], expected[i]) << "line " << i + 1;
  ASSERT_TRUE(read->behaviour);
  EXPECT_EQ(*read->behaviour, "杀死玩家");
}

TEST(Reader, EveryBehaviourOfTheWriterIsRecognised) {
  for (int i = 0; i < 8; ++i) {
    std::optional<NpcScriptValues> read = ParseNpcScript(KeptLinesOfFile(WrittenFile(i)));
    ASSERT_TRUE(read) << i;
    ASSERT_TRUE(read->behaviour) << i;
    EXPECT_EQ(*read->behaviour, BehaviourTable()[size_t(i)].name) << i;
  }
}

TEST(Reader, AWordInCapitalsIsNoBehaviour) {
  std::string bytes = WrittenFile(6);
  bytes.replace(bytes.find("\"kill\""), 6, "\"KILL\"");
  std::optional<NpcScriptValues> read = ParseNpcScript(KeptLinesOfFile(bytes));
  ASSERT_TRUE(read);
  EXPECT_FALSE(read->behaviour);
}

TEST(Reader, BlankLinesDoNotShiftPositionsButATabLineDoes) {
  std::string bytes = "\r\n   \r\n\xA1\xA1\r\n" + StartFileBytes();
  std::vector<std::string> kept = KeptLinesOfFile(bytes);
  EXPECT_EQ(kept.size(), 30u);
  EXPECT_EQ(ParseNpcScript(kept)->values[1], 1);

  std::vector<std::string> shifted = KeptLinesOfFile("\t\r\n" + StartFileBytes());
  EXPECT_EQ(shifted.size(), 31u);
  std::optional<NpcScriptValues> read = ParseNpcScript(shifted);
  EXPECT_EQ(read->name, "");           // line 1 is the tab line now
  EXPECT_EQ(read->values[2], 1);       // the model's line lands on the weapon
  EXPECT_EQ(*read->behaviour, "巡逻跟随");  // 31 kept lines
}

TEST(Reader, ANameWithAQuoteIsReadUpToTheQuote) {
  std::vector<std::string> kept = KeptLinesOfFile(StartFileBytes());
  kept[0] = "string Name=\"张\"三\";";
  EXPECT_EQ(ParseNpcScript(kept)->name, "张");
  kept[0] = "string Name=\"张三;";
  EXPECT_EQ(ParseNpcScript(kept)->name, "");
}

TEST(Reader, MissingEqualsOrSemicolonGivesZero) {
  std::vector<std::string> kept = KeptLinesOfFile(StartFileBytes());
  kept[5] = "int View 800;";
  kept[6] = "int Think =80";
  kept[7] = "int Attack1= x;";
  std::optional<NpcScriptValues> read = ParseNpcScript(kept);
  EXPECT_EQ(read->values[5], 0);
  EXPECT_EQ(read->values[6], 0);
  EXPECT_EQ(read->values[7], 0);
}

TEST(Reader, FewerThanNineteenKeptLinesAreRefused) {
  std::vector<std::string> kept = KeptLinesOfFile(StartFileBytes());
  kept.resize(18);
  EXPECT_FALSE(ParseNpcScript(kept));
  EXPECT_FALSE(ParseNpcScript({}));
  kept = KeptLinesOfFile(StartFileBytes());
  kept.resize(19);
  std::optional<NpcScriptValues> read = ParseNpcScript(kept);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->values[18], 5000);
  EXPECT_FALSE(read->behaviour);
}

TEST(Reader, ANulByteEndsTheText) {
  std::string bytes = StartFileBytes();
  bytes.insert(bytes.find("int Jump"), 1, '\0');
  std::vector<std::string> kept = KeptLinesOfFile(bytes);
  EXPECT_EQ(kept.size(), 12u);  // lines 1 to 12, then nothing
  EXPECT_FALSE(ParseNpcScript(kept));
  std::string eof = "a\r\nb\x1A\r\nc\r\n";
  EXPECT_EQ(KeptLinesOfFile(eof), (std::vector<std::string>{"a", "b"}));
}
