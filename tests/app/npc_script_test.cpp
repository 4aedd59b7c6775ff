// The writer: its value tables, the file name from the name's pinyin, the
// validation and the bytes of the ".pst" for the edge cases of the form's input.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/file_paths.h"
#include "app/model_names.h"
#include "app/npc_script.h"
#include "app/pinyin_name.h"
#include "app/value_tables.h"
#include "platform/pinyin.h"
#include "tests/app/npc_test_record.h"

using namespace korvath::app;
using korvath::app::testdata::StartRecord;

namespace {
ScriptInput Input(std::string name, std::string hp = "5000", std::string folder = "C:\\AI文件夹\\") {
  return ScriptInput{std::move(hp), std::move(name), std::move(folder)};
}

// Stands in for the exact test: only GB2312 Chinese characters count.
bool OnlyGb2312Chinese(std::string_view ch) {
  return ch.size() == 2 && uint8_t(ch[0]) >= 0xB0 && uint8_t(ch[0]) <= 0xF7 && uint8_t(ch[1]) >= 0xA1;
}
}  // namespace

TEST(ScriptFile, NameHpAndFolderRules) {
  struct Case {
    const char *name, *hp, *folder, *line1, *path;
    int32_t hpValue;
  };
  const Case cases[] = {  // 表 ends in 0x5C: it is no separator
      {" 张\xA1\xA1三 ", "0", "D:\\npc", "string Name=\"张三\";", "D:\\npc\\zhangsan.pst", 3000},
      {"\xA3\xC1\xA3\xE2张", "-5", "D:\\", "string Name=\"Ab张\";", "D:\\zhang.pst", 3000},
      {"张三", "12ab", "D:\\表", "string Name=\"张三\";", "D:\\表\\zhangsan.pst", 12},
      {"张", "\xA3\xB1\xA3\xB2", "D:\\表\\", "string Name=\"张\";", "D:\\表\\zhang.pst", 12},
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
  // A byte of 0x80 or above begins a two-byte character: a lone one, code
  // page 936's one-byte euro sign, cannot be saved and read back.
  for (const char* name : {"张\x80", "\x80张", "张\x80三"}) {
    EXPECT_EQ(BuildNpcScript(npc, Input(name)).message, UnsavableNameMessage()) << name;
    EXPECT_EQ(npc.NpcOutputLines, built.NpcOutputLines);
    EXPECT_EQ(npc.NpcFilePath, built.NpcFilePath);
  }
  EXPECT_EQ(NameFaultOf("张\x80"), NameFault::LoneHighByte);
  EXPECT_EQ(NameFaultOf("张\xD5"), NameFault::LoneHighByte);
  EXPECT_EQ(NameFaultOf("张\x80\""), NameFault::LoneHighByte);
  EXPECT_EQ(NameFaultOf("张;"), NameFault::BreaksStatement);
  EXPECT_EQ(NameFaultOf("乗亅表A"), NameFault::None);  // trail bytes below 0x80 are no characters of their own
  // A semicolon, typed half or full width, would end the script's statement
  // inside the name: refused with the double quote's message.
  const std::string quoteMessage = BuildNpcScript(npc, Input("张\"三")).message;
  ASSERT_FALSE(quoteMessage.empty());
  for (const char* name : {"张;三", "张\xA3\xBB三", ";"}) {
    EXPECT_EQ(BuildNpcScript(npc, Input(name)).message, quoteMessage) << name;
    EXPECT_EQ(npc.NpcOutputLines, built.NpcOutputLines);
    EXPECT_EQ(npc.NpcFilePath, built.NpcFilePath);
  }
}

TEST(ScriptFile, HitChancesUpToOneHundredPass) {
  const int cases[][4] = {{40, 40, 20, 1}, {40, 40, 30, 0}, {100, 0, 0, 1}, {100, 10, 0, 0}, {-5, 100, 5, 1}};
  for (const auto& c : cases) {
    NpcRecord npc = StartRecord();
    npc.NpcAttack1 = c[0], npc.NpcAttack2 = c[1], npc.NpcAttack3 = c[2];
    EXPECT_EQ(BuildNpcScript(npc, Input("张三")).message, c[3] ? "" : HitChanceMessage()) << c[0] << c[1] << c[2];
  }
}

TEST(ValueTables, WeaponIdsBothWaysAndIdsOfNoItemGiveTheFirst) {
  const int32_t ids[12] = {17, 16, 15, 14, 18, 51, 56, 13, 48, 10, 11, 12};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(std::pair(WeaponIdOfItem(i), WeaponIdToIndex(ids[i])), std::pair(ids[i], i));
  EXPECT_EQ(std::pair(WeaponIdToIndex(28), WeaponIdToIndex(58)), std::pair(9, 6));
  for (int id = -17; id <= 99; ++id) {  // the first weapon's four ids, and ids of no weapon
    bool first = id == 8 || id == 17 || id == 26 || id == 35, none = id < 1 || id > 58 || (id >= 37 && id <= 46);
    EXPECT_EQ(WeaponIdToIndex(id) == 0, first || none) << id;
  }
}

TEST(ValueTables, BehaviourStatementsHaveTheirExactLengthsAndNamesFindTheirItems) {
  const size_t bytes[8] = {35, 87, 35, 47, 34, 44, 45, 126};
  for (int i = 0; i < 8; ++i) {
    std::string_view s = BehaviourStatementOfItem(i);
    EXPECT_EQ(s.size(), bytes[i]) << i;
    EXPECT_TRUE(s.starts_with("\tChangeBehavior(g_self, ") && s.ends_with(");\r\n}")) << i;
    EXPECT_EQ(BehaviourIndexOfName(BehaviourTable()[size_t(i)].name), i);
  }
  EXPECT_FALSE(BehaviourIndexOfName("跟"));
}

// Twenty distinct names of whole GB2312 characters with a reading each: the
// combo box shows them and a name typed from them gives a file name.
TEST(ValueTables, ModelNamesAreTwentyDistinctNamesOfGb2312Characters) {
  EXPECT_EQ(std::set<std::string>(ModelNames().begin(), ModelNames().end()).size(), 20u);
  for (const std::string text : ModelNames())
    for (size_t i = 0; i < text.size() || i < 4; i += 2) EXPECT_NE(korvath::platform::GetPinyin(text.substr(i, 2)), "") << text;
}

TEST(NameToPinyin, SyllablesOfChineseCharactersAndWhatElseStays) {
  struct Case {
    const char *name, *pinyin, *halfWidth;
    bool separator = false, keepFullWidth = false;
    CjkTest test = &IsCjkTextByBytes;
  };
  const Case cases[] = {
      {"Abc12", "", "Abc12"},
      {"\xA3\xC1\xA3\xC2张", "zhang", "AB张"},
      {"\x81\xA1张\xB0\x90", "zhang", "\x81\xA1张\xB0\x90"},  // beyond GB2312
      // Beyond GB2312 with a trail byte below 0x80: 乗 (0x81 0x5C), 亅 (0x81 0x7C),
      // 丄 (0x81 0x41) count as Chinese too and give nothing.
      {"张乗亅丄", "zhang", "张乗亅丄"}, {"乗", "", "乗"},
      {"张三A", "zhangsan", "张三A"}, {"张三", "zhang san ", "张三", true}, {"张\xA1\xA1三", "zhang san", "张 三"},
      // Walked in fixed pairs, the control byte would pair with 张's lead byte.
      {"\x01张三\xB0", "zhangsan", "\x01张三\xB0"},
      {"A:b?张*<>|\"/\\", "Abzhang", "A:b?张*<>|\"/\\", false, false, &OnlyGb2312Chinese},
      {"A张", "\xA3\xC1zhang", "A张", false, true, &OnlyGb2312Chinese},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pinyin);
    std::string text = c.name;
    EXPECT_EQ(NameToPinyin(text, c.separator, c.keepFullWidth, c.test), c.pinyin);
    EXPECT_EQ(text, c.halfWidth);
  }
  for (const char* yes : {"张三", "\xA3\xC1", "乗", "亅丄", "\xA1\xA1张"}) EXPECT_TRUE(IsCjkTextByBytes(yes)) << yes;
  for (const char* no : {"\xA1\xA1", "A", "\xB0", "", "张A", "\x80", "张\xB0"}) EXPECT_FALSE(IsCjkTextByBytes(no)) << no;
}

// Options not given are off: no blank after a syllable, what is not Chinese
// copied half-width, and the byte test (乗 counts as Chinese and gives nothing).
TEST(NameToPinyin, OptionsNotGivenAreOff) {
  std::string text = "张\xA1\xA1三乗\xA3\xC1";
  EXPECT_EQ(NameToPinyin(text), "zhang san");
  EXPECT_EQ(text, "张 三乗A");
}

// The save and the name box take the file part from one rule: every
// two-byte character gives its pinyin and nothing else, letters, marks and
// blanks give nothing; the name box upper-cases it.
TEST(NameToPinyin, TheFilePartOfANameIsItsCharactersPinyinAlone) {
  const std::pair<const char*, const char*> cases[] = {
      {"张乗", "zhang"}, {" 张 亅Ab\xA1\xA1三 ", "zhangsan"}, {"\xA3\xC1丄李", "li"}, {"Abc", ""}, {"乗亅丄", ""}};
  for (const auto& [name, part] : cases) {
    SCOPED_TRACE(part);
    std::string text = name;
    EXPECT_EQ(NpcFilePartOf(text), part);
    NpcRecord npc = StartRecord();
    BuildNpcScript(npc, Input(name));
    EXPECT_EQ(npc.NpcFilePart, part);
  }
  // A name of characters beyond GB2312 alone has no file name.
  NpcRecord npc = StartRecord();
  EXPECT_EQ(BuildNpcScript(npc, Input("乗亅丄")).message, BuildNpcScript(npc, Input("Abc")).message);
  EXPECT_FALSE(BuildNpcScript(npc, Input("乗")).accepted());
}

TEST(FilePaths, ATrailByteThatLooksLikeABackslashIsNoSeparator) {
  // 表 is 0xB1 0x5C.
  EXPECT_EQ(PathDirectoryPart("C:\\表.pst") + "|" + PathDirectoryPart("zhangsan.pst"), "C:\\|");
  EXPECT_EQ(PathDirectoryPart("C:\\表\\a.pst"), "C:\\表\\");
  EXPECT_EQ(WithTrailingBackslash("D:\\表") + WithTrailingBackslash("C:\\npc\\") + WithTrailingBackslash(""), "D:\\表\\C:\\npc\\");
  EXPECT_EQ(OpenFileFilterBytes("NPC文档|*.pst"), std::string("NPC文档\0*.pst\0\0", 15));
}
