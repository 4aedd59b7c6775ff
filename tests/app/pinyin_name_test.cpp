#include <gtest/gtest.h>

#include <string>

#include "app/file_paths.h"
#include "app/pinyin_name.h"

using namespace korvath::app;

namespace {
// Stands in for the exact test: only GB2312 Chinese characters count.
bool OnlyGb2312Chinese(std::string_view ch) {
  return ch.size() == 2 && uint8_t(ch[0]) >= 0xB0 && uint8_t(ch[0]) <= 0xF7 && uint8_t(ch[1]) >= 0xA1;
}
}  // namespace

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
      {"张三A", "zhangsan", "张三A"}, {"张三", "zhang san ", "张三", true}, {"张\xA1\xA1三", "zhang san", "张 三"},
      // Walked in fixed pairs, the control byte would pair with 张's lead byte.
      {"\x01张三\xB0", "zhangsan", "\x01张三\xB0"},
      {"A:b?张*<>|\"/\\", "Abzhang", "A:b?张*<>|\"/\\", false, false, &OnlyGb2312Chinese},
      {"A张", "\xA3\xC1zhang", "A张", false, true, &OnlyGb2312Chinese},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pinyin);
    std::string text = c.name;
    EXPECT_EQ(NameToPinyinWith(text, c.separator, c.keepFullWidth, c.test), c.pinyin);
    EXPECT_EQ(text, c.halfWidth);
  }
  for (const char* yes : {"张三", "\xA3\xC1"}) EXPECT_TRUE(IsCjkTextByBytes(yes)) << yes;
  for (const char* no : {"\xA1\xA1", "A", "\xB0", "", "张A"}) EXPECT_FALSE(IsCjkTextByBytes(no)) << no;
}

TEST(FilePaths, ATrailByteThatLooksLikeABackslashIsNoSeparator) {
  // 表 is 0xB1 0x5C.
  EXPECT_EQ(PathDirectoryPart("C:\\表.pst") + "|" + PathDirectoryPart("zhangsan.pst"), "C:\\|");
  EXPECT_EQ(PathDirectoryPart("C:\\表\\a.pst"), "C:\\表\\");
  EXPECT_EQ(WithTrailingBackslash("D:\\表") + WithTrailingBackslash("C:\\npc\\") + WithTrailingBackslash(""), "D:\\表\\C:\\npc\\");
  EXPECT_EQ(OpenFileFilterBytes("NPC文档|*.pst"), std::string("NPC文档\0*.pst\0\0", 15));
}
