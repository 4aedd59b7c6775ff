// Reading a ".pst" back: the text routines, the positional map and the
// behaviour recognised from the lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/npc_script.h"
#include "app/npc_script_reader.h"
#include "tests/app/npc_test_record.h"

using namespace korvath::app;
using namespace korvath::app::testdata;
using Pieces = std::vector<std::string>;

namespace {
std::string WrittenFile(NpcRecord npc, const std::string& hp = "5000") {
  EXPECT_TRUE(BuildNpcScript(npc, ScriptInput{hp, "王五", "C:\\"}).accepted());
  return NpcScriptFileBytes(npc.NpcOutputLines);
}
NpcScriptValues Parse(const std::string& bytes) { return ParseNpcScript(KeptLinesOfFile(bytes)).value(); }
}  // namespace

TEST(ReaderText, TextBetweenAndSplitQuoted) {
  EXPECT_EQ(TextBetween("int View =800;", "=", ";"), "800");
  EXPECT_EQ(TextBetween("a(b)c)", "(", ")"), "b");
  EXPECT_EQ(TextBetween(")before(", "(", ")"), "");
  EXPECT_EQ(TextBetween("(no closing", "(", ")"), "");
  EXPECT_EQ(TextBetween("say \"hi\" now", "#引号", "#引号"), "hi");
  EXPECT_EQ(TextBetween("[a][b]", "[", "]", 3), "b");
  EXPECT_EQ(TextBetween("xABy", "a", "Y", 1, true), "B");
  EXPECT_EQ(TextBetween("xABy", "a", "Y"), "");

  Pieces pieces;
  EXPECT_EQ(SplitQuoted("g_self, \"follow\", \"player\"", "\"", "\"", pieces), 3);
  EXPECT_EQ(pieces, (Pieces{"follow", ", ", "player"}));
  EXPECT_EQ(SplitQuoted("nothing quoted", "\"", "\"", pieces), 0);
  EXPECT_TRUE(pieces.empty());
  SplitQuoted("<a><bb><ccc>", "<", ">", pieces, false, 3);
  EXPECT_EQ(pieces, (Pieces{"a", "bb"}));
  SplitQuoted("<a><b>", "<", ">", pieces, false, 0, "(", ")", true, true);
  EXPECT_EQ(pieces, (Pieces{"<(a)>", "<(b)>"}));
  SplitQuoted("<a><b>", "<", ">", pieces, false, 0, {}, {}, false, false, 4);
  EXPECT_EQ(pieces, (Pieces{"b"}));
}

TEST(Reader, AWrittenFileReadsBackEveryValueAndBehaviour) {
  NpcRecord npc{.NpcModel = 19, .NpcWeapon = 10, .NpcWeapon2 = 48, .NpcTeam = 2, .NpcView = 2000,
                .NpcThink = 10, .NpcAttack1 = 30, .NpcAttack2 = 30, .NpcAttack3 = 30, .NpcGuard = 100,
                .NpcDodge = 15, .NpcJump = 20, .NpcLook = 55, .NpcBurst = 60, .NpcAim = 65,
                .NpcGetItem = 70, .NpcSpawn = 42, .NpcHp = 777};
  for (int behaviour = 0; behaviour < 8; ++behaviour) {
    SCOPED_TRACE(behaviour);
    npc.NpcBehaviourText = std::string(BehaviourStatementOfItem(behaviour));
    NpcScriptValues read = Parse(WrittenFile(npc, "777"));
    EXPECT_EQ(read.name, "王五");
    EXPECT_EQ(std::vector<int32_t>(read.values.begin() + 1, read.values.end()), Numbers(npc));
    EXPECT_EQ(read.behaviour, BehaviourTable()[size_t(behaviour)].name);
  }
  npc.NpcBehaviourText = std::string(BehaviourStatementOfItem(6));
  std::string bytes = WrittenFile(npc);
  bytes.replace(bytes.find("\"kill\""), 6, "\"KILL\"");  // no behaviour in capitals
  EXPECT_FALSE(Parse(bytes).behaviour);
}

TEST(Reader, BlankLinesDoNotShiftPositionsButATabLineDoes) {
  EXPECT_EQ(Parse("\r\n   \r\n\xA1\xA1\r\n" + StartFileBytes()).values[1], 1);
  std::vector<std::string> shifted = KeptLinesOfFile("\t\r\n" + StartFileBytes());
  ASSERT_EQ(shifted.size(), 31u);
  NpcScriptValues read = ParseNpcScript(shifted).value();
  EXPECT_EQ(read.name, "");
  EXPECT_EQ(read.values[2], 1);  // the model's line lands on the weapon
  EXPECT_EQ(read.behaviour, "巡逻跟随");
}

TEST(Reader, DamagedLinesGiveEmptyTextsAndZeros) {
  std::vector<std::string> kept = KeptLinesOfFile(StartFileBytes());
  kept[0] = "string Name=\"张\"三\";";
  kept[5] = "int View 800;";
  kept[6] = "int Think =80";
  EXPECT_EQ(ParseNpcScript(kept)->name, "张");
  EXPECT_EQ(ParseNpcScript(kept)->values[5], 0);
  EXPECT_EQ(ParseNpcScript(kept)->values[6], 0);
  kept[0] = "string Name=\"张三;";
  EXPECT_EQ(ParseNpcScript(kept)->name, "");
}

TEST(Reader, FewerThanNineteenKeptLinesAreRefused) {
  std::vector<std::string> kept = KeptLinesOfFile(StartFileBytes());
  kept.resize(19);
  EXPECT_EQ(ParseNpcScript(kept)->values[18], 5000);
  kept.resize(18);
  EXPECT_FALSE(ParseNpcScript(kept));
  EXPECT_FALSE(ParseNpcScript({}));
  std::string bytes = StartFileBytes();
  bytes.insert(bytes.find("int Jump"), 1, '\0');  // a NUL byte ends the text
  EXPECT_EQ(KeptLinesOfFile(bytes).size(), 12u);
  EXPECT_FALSE(ParseNpcScript(KeptLinesOfFile(bytes)));
}
