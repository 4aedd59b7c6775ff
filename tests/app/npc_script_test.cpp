// The writer's validation and the bytes of the ".pst" for the edge cases of
// the form's input.
#include <gtest/gtest.h>

#include <string>

#include "app/npc_script.h"
#include "tests/app/npc_test_record.h"

using namespace korvath::app;
using korvath::app::testdata::StartRecord;

namespace {
ScriptInput Input(std::string name, std::string hp = "5000", std::string folder = "C:\\AI文件夹\\") {
  return ScriptInput{std::move(hp), std::move(name), std::move(folder)};
}
}  // namespace

TEST(ScriptFile, StartValuesGiveTheWholeFileByteForByte) {
  NpcRecord npc = StartRecord();
  ASSERT_TRUE(BuildNpcScript(npc, Input("张三")).accepted());
  EXPECT_EQ(NpcScriptFileBytes(npc.NpcOutputLines), testdata::StartFileBytes());
  EXPECT_EQ(npc.NpcFilePath, "C:\\AI文件夹\\zhangsan.pst");
}

TEST(ScriptFile, NameHpAndFolderRules) {
  struct Case {
    const char *name, *hp, *folder, *line1, *path;
    int32_t hpValue;
  };
  const Case cases[] = {  // 表 ends in 0x5C: it is no separator
      {" 张\xA1\xA1三 ", "0", "D:\\npc", "string Name=\"张三\";", "D:\\npc\\zhangsan.pst", 3000},
      {"\xA3\xC1\xA3\xE2张", "-5", "D:\\", "string Name=\"Ab张\";", "D:\\zhang.pst", 3000},
      {"张;三", "12ab", "D:\\表", "string Name=\"张;三\";", "D:\\表\\zhangsan.pst", 12},
      {"张", "\xA3\xB1\xA3\xB2", "D:\\表\\", "string Name=\"张\";", "D:\\表\\zhang.pst", 12},
      {"张", " 77", "D:\\", "string Name=\"张\";", "D:\\zhang.pst", 77},
      {"张", "0150", "D:\\", "string Name=\"张\";", "D:\\zhang.pst", 150},
      {"张", "", "D:\\", "string Name=\"张\";", "D:\\zhang.pst", 3000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line1);
    NpcRecord npc = StartRecord();
    ASSERT_TRUE(BuildNpcScript(npc, Input(c.name, c.hp, c.folder)).accepted());
    EXPECT_EQ(npc.NpcOutputLines[0], c.line1);
    EXPECT_EQ(npc.NpcFilePath, c.path);
    EXPECT_EQ(npc.NpcHp, c.hpValue);
    EXPECT_EQ(npc.NpcOutputLines[18], "int HP = " + std::to_string(c.hpValue) + ";");
  }
}

TEST(ScriptFile, RefusalsLeaveTheBuiltLinesAndPathAlone) {
  NpcRecord npc = StartRecord();
  ASSERT_TRUE(BuildNpcScript(npc, Input("张三")).accepted());
  const NpcRecord built = npc;
  ScriptInput notGbk = Input("张三"), folderNotGbk = Input("李四");
  notGbk.nameExact = false;
  folderNotGbk.folderExact = false;
  const ScriptInput cases[] = {Input("  \xA1\xA1 "), Input(""), Input("张\"三"), Input("张\xA3\xA2三"),
                               Input("张\r\n三"), Input("张\t三"), Input("Abc123"),
                               Input("\xA3\xA1\xA3\xA3"), notGbk, folderNotGbk};
  for (const ScriptInput& c : cases) {
    SCOPED_TRACE(c.nameText);
    EXPECT_FALSE(BuildNpcScript(npc, c).accepted());
    EXPECT_EQ(npc.NpcOutputLines, built.NpcOutputLines);
    EXPECT_EQ(npc.NpcFilePath, built.NpcFilePath);
  }
  EXPECT_EQ(BuildNpcScript(npc, Input(" ")).message, EmptyNameMessage());
}

TEST(ScriptFile, HitChancesUpToOneHundredPass) {
  const int cases[][4] = {{40, 40, 20, 1}, {40, 40, 30, 0}, {100, 0, 0, 1}, {100, 10, 0, 0}, {-5, 100, 5, 1}};
  for (const auto& c : cases) {
    NpcRecord npc = StartRecord();
    npc.NpcAttack1 = c[0], npc.NpcAttack2 = c[1], npc.NpcAttack3 = c[2];
    EXPECT_EQ(BuildNpcScript(npc, Input("张三")).message, c[3] ? "" : HitChanceMessage()) << c[0] << c[1] << c[2];
  }
}
