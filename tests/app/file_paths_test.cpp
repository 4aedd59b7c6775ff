#include <gtest/gtest.h>

#include <string>

#include "app/file_paths.h"

using namespace korvath::app;

TEST(PathDirectoryPart, KeepsTheFolderWithItsBackslash) {
  EXPECT_EQ(PathDirectoryPart("C:\\AI文件夹\\zhangsan.pst"), "C:\\AI文件夹\\");
  EXPECT_EQ(PathDirectoryPart("zhangsan.pst"), "");
  EXPECT_EQ(PathDirectoryPart("C:\\npc\\"), "C:\\npc\\");
  EXPECT_EQ(PathDirectoryPart(""), "");
}

TEST(PathDirectoryPart, ATrailByteThatLooksLikeABackslashDoesNotCut) {
  // 表 is 0xB1 0x5C: cutting at its second byte would split the character.
  EXPECT_EQ(PathDirectoryPart("C:\\表.pst"), "C:\\");
  EXPECT_EQ(PathDirectoryPart("C:\\表\\a.pst"), "C:\\表\\");
}

TEST(WithTrailingBackslash, AddsOneOnlyWhenMissing) {
  EXPECT_EQ(WithTrailingBackslash("C:\\npc"), "C:\\npc\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\npc\\"), "C:\\npc\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\"), "C:\\");
  EXPECT_EQ(WithTrailingBackslash("D:\\表"), "D:\\表\\");
  EXPECT_EQ(WithTrailingBackslash(""), "");
}

TEST(OpenFileFilterBytes, PiecesEndInNulAndTheLastInTwo) {
  EXPECT_EQ(OpenFileFilterBytes("NPC文档|*.pst"), std::string("NPC文档\0*.pst\0\0", 15));
  EXPECT_EQ(OpenFileFilterBytes("*.pst"), std::string("*.pst\0\0", 7));
  EXPECT_EQ(OpenFileFilterBytes("A|*.a|B|*.b"), std::string("A\0*.a\0B\0*.b\0\0", 13));
}
