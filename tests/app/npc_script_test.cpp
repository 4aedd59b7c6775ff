// The writer's validation and the bytes of the ".pst", for the edge cases of
// the form's input.
#include <gtest/gtest.h>

#include <string>

#include "app/npc_script.h"
#include "tests/app/npc_test_record.h"

using namespace korvath::app;
using korvath::app::testdata::StartFileBytes;
using korvath::app::testdata::StartRecord;

namespace {

ScriptInput Input(std::string name, std::string hp = "5000",
                  std::string folder = "C:\\AI文件夹\\") {
  return ScriptInput{std::move(hp), std::move(name), std::move(folder)};
}

// Builds and returns the file's bytes; fails the test when refused.
std::string FileFor(NpcRecord& npc, const ScriptInput& input) {
  BuildVerdict verdict = BuildNpcScript(npc, input);
  EXPECT_TRUE(verdict.accepted()) << verdict.message;
  return NpcScriptFileBytes(npc.NpcOutputLines);
}

std::string Line(const NpcRecord& npc, int element) { return npc.NpcOutputLines[size_t(element - 1)]; }

}  // namespace

TEST(ScriptFile, StartValuesGiveTheWholeFileByteForByte) {
  NpcRecord npc = StartRecord();
  EXPECT_EQ(FileFor(npc, Input("张三")), StartFileBytes());
  EXPECT_EQ(npc.NpcFilePart, "zhangsan");
  EXPECT_EQ(npc.NpcFilePath, "C:\\AI文件夹\\zhangsan.pst");
}

TEST(ScriptFile, BodyIs141BytesWithElevenLineEndsNoneAtItsEnd) {
  std::string_view body = NpcScriptBody();
  EXPECT_EQ(body.size(), 141u);
  size_t ends = 0;
  for (size_t at = body.find("\r\n"); at != std::string_view::npos; at = body.find("\r\n", at + 2))
    ++ends;
  EXPECT_EQ(ends, 11u);
  EXPECT_EQ(body.substr(0, 4), "\r\n\r\n");
  EXPECT_NE(body.back(), '\n');
}

TEST(ScriptFile, HasFortyTwoLinesAndEndsWithABraceAndTenLineEnds) {
  for (int behaviour = 0; behaviour < 8; ++behaviour) {
    NpcRecord npc = StartRecord();
    npc.NpcBehaviourText = std::string(BehaviourStatementOfItem(behaviour));
    std::string bytes = FileFor(npc, Input("张三"));
    size_t lines = 0;
    for (char c : bytes) lines += c == '\n';
    EXPECT_EQ(lines, behaviour == 7 ? 43u : 42u) << behaviour;
    std::string tail = "}";
    for (int i = 0; i < 10; ++i) tail += "\r\n";
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail) << behaviour;
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
  }
}

TEST(ScriptFile, NeutralCampAndWeaponsEighteenAndFiftySix) {
  NpcRecord npc = StartRecord();
  npc.NpcTeam = 0;
  FileFor(npc, Input("张三"));
  EXPECT_EQ(Line(npc, 5), "int Team =0;");
  EXPECT_EQ(Line(npc, 3), "int Weapon =18;");
  EXPECT_EQ(Line(npc, 4), "int Weapon2 = 56;");
  EXPECT_EQ(Line(npc, 18), "int Spawn =42;");
  for (int element = 22; element <= 30; ++element) EXPECT_TRUE(Line(npc, element).empty());
}

TEST(ScriptFile, NegativeAndLargeValuesAreWrittenAsPlainDecimals) {
  NpcRecord npc = StartRecord();
  npc.NpcModel = -7;
  npc.NpcView = 2147483647;
  FileFor(npc, Input("张三"));
  EXPECT_EQ(Line(npc, 2), "int Model =-7;");
  EXPECT_EQ(Line(npc, 6), "int View =2147483647;");
}

TEST(NameRule, BlanksAroundAndBetweenAreRemoved) {
  NpcRecord npc = StartRecord();
  FileFor(npc, Input(" 张\xA1\xA1三 "));
  EXPECT_EQ(npc.NpcName, "张三");
  EXPECT_EQ(Line(npc, 1), "string Name=\"张三\";");
}

TEST(NameRule, FullWidthLettersAreWrittenInAscii) {
  NpcRecord npc = StartRecord();
  FileFor(npc, Input("\xA3\xC1\xA3\xE2张"));  // full-width "Ab" and 张
  EXPECT_EQ(npc.NpcName, "Ab张");
  EXPECT_EQ(Line(npc, 1), "string Name=\"Ab张\";");
  EXPECT_EQ(npc.NpcFilePart, "zhang");
}

TEST(NameRule, SemicolonStaysInTheName) {
  NpcRecord npc = StartRecord();
  FileFor(npc, Input("张;三"));
  EXPECT_EQ(Line(npc, 1), "string Name=\"张;三\";");
}

TEST(NameRule, RefusalsLeaveTheBuiltLinesAndPathAlone) {
  NpcRecord npc = StartRecord();
  FileFor(npc, Input("张三"));
  const auto lines = npc.NpcOutputLines;
  const std::string path = npc.NpcFilePath;

  struct Case {
    const char* what;
    ScriptInput input;
  };
  ScriptInput notGbk = Input("张三");
  notGbk.nameExact = false;
  ScriptInput folderNotGbk = Input("李四");
  folderNotGbk.folderExact = false;
  const Case cases[] = {
      {"blanks only", Input("  \xA1\xA1 ")},
      {"empty", Input("")},
      {"double quote", Input("张\"三")},
      {"full-width double quote", Input("张\xA3\xA2三")},
      {"line break", Input("张\r\n三")},
      {"tab", Input("张\t三")},
      {"no Chinese character", Input("Abc123")},
      {"only signs", Input("\xA3\xA1\xA3\xA3")},
      {"a character GBK lacks", notGbk},
      {"a folder GBK lacks", folderNotGbk},
  };
  for (const Case& c : cases) {
    BuildVerdict verdict = BuildNpcScript(npc, c.input);
    EXPECT_FALSE(verdict.accepted()) << c.what;
    EXPECT_EQ(npc.NpcOutputLines, lines) << c.what;
    EXPECT_EQ(npc.NpcFilePath, path) << c.what;
  }
}

TEST(NameRule, EmptyNameGivesItsOwnMessage) {
  NpcRecord npc = StartRecord();
  EXPECT_EQ(BuildNpcScript(npc, Input(" ")).message, EmptyNameMessage());
  EXPECT_TRUE(npc.NpcName.empty());
}

TEST(HitChances, SumsUpToOneHundredPass) {
  struct Case {
    int a1, a2, a3;
    bool accepted;
  };
  const Case cases[] = {{40, 40, 20, true}, {40, 40, 30, false}, {100, 0, 0, true},
                        {100, 10, 0, false}, {10, 10, 10, true}, {-5, 100, 5, true}};
  for (const Case& c : cases) {
    NpcRecord npc = StartRecord();
    npc.NpcAttack1 = c.a1;
    npc.NpcAttack2 = c.a2;
    npc.NpcAttack3 = c.a3;
    BuildVerdict verdict = BuildNpcScript(npc, Input("张三"));
    EXPECT_EQ(verdict.accepted(), c.accepted) << c.a1 << " " << c.a2 << " " << c.a3;
    if (!c.accepted) {
      EXPECT_EQ(verdict.message, HitChanceMessage());
      // The name and file part are already set when the sum is refused.
      EXPECT_EQ(npc.NpcFilePart, "zhangsan");
    }
  }
}

TEST(HpRule, TextsWithoutAPositiveNumberGiveThreeThousand) {
  struct Case {
    const char* text;
    int32_t hp;
  };
  const Case cases[] = {{"0", 3000},   {"-5", 3000}, {"abc", 3000}, {"", 3000}, {"12ab", 12},
                        {" 77", 77},   {"99", 99},   {"0150", 150}, {"\xA3\xB1\xA3\xB2", 12}};
  for (const Case& c : cases) {
    NpcRecord npc = StartRecord();
    FileFor(npc, Input("张三", c.text));
    EXPECT_EQ(npc.NpcHp, c.hp) << c.text;
    EXPECT_EQ(Line(npc, 19), "int HP = " + std::to_string(c.hp) + ";") << c.text;
  }
}

TEST(FolderText, ABackslashIsAddedOnlyWhenMissing) {
  NpcRecord npc = StartRecord();
  FileFor(npc, Input("张三", "1", "D:\\npc"));
  EXPECT_EQ(npc.NpcFilePath, "D:\\npc\\zhangsan.pst");
  FileFor(npc, Input("张三", "1", "D:\\"));
  EXPECT_EQ(npc.NpcFilePath, "D:\\zhangsan.pst");
}

TEST(FolderText, ATrailByteThatLooksLikeABackslashIsNoSeparator) {
  // 表 is 0xB1 0x5C: its second byte is the value of "\".
  NpcRecord npc = StartRecord();
  FileFor(npc, Input("张三", "1", "D:\\表"));
  EXPECT_EQ(npc.NpcFilePath, "D:\\表\\zhangsan.pst");
  FileFor(npc, Input("张三", "1", "D:\\表\\"));
  EXPECT_EQ(npc.NpcFilePath, "D:\\表\\zhangsan.pst");
}
