#include <gtest/gtest.h>

#include <string>

#include "app/pinyin_name.h"

using namespace korvath::app;

namespace {
std::string Pinyin(std::string& text, bool separator = false, bool keepFullWidth = false,
                   CjkTest test = &IsCjkTextByBytes) {
  return NameToPinyinWith(text, separator, keepFullWidth, test);
}

// Stands in for the exact test: only GB2312 Chinese characters count.
bool OnlyGb2312Chinese(std::string_view ch) {
  return ch.size() == 2 && uint8_t(ch[0]) >= 0xB0 && uint8_t(ch[0]) <= 0xF7 &&
         uint8_t(ch[1]) >= 0xA1;
}
}  // namespace

TEST(NameToPinyin, ChineseCharactersGiveTheirSyllables) {
  std::string name = "张三";
  EXPECT_EQ(Pinyin(name), "zhangsan");
  EXPECT_EQ(name, "张三");
}

TEST(NameToPinyin, LatinLettersAndDigitsGiveNothing) {
  std::string name = "张三A";
  EXPECT_EQ(Pinyin(name), "zhangsan");
  EXPECT_EQ(name, "张三A");
  std::string latin = "Abc12";
  EXPECT_EQ(Pinyin(latin), "");
}

TEST(NameToPinyin, FullWidthLettersComeBackHalfWidth) {
  std::string name = "\xA3\xC1\xA3\xC2张";
  EXPECT_EQ(Pinyin(name), "zhang");
  EXPECT_EQ(name, "AB张");
}

TEST(NameToPinyin, CharactersOutsideGb2312GiveNothing) {
  // GBK characters beyond GB2312: first byte below 0xB0, second below 0xA1.
  std::string name = "\x81\xA1张\xB0\x90";
  EXPECT_EQ(Pinyin(name), "zhang");
}

TEST(NameToPinyin, SeparatorFollowsEverySyllable) {
  std::string name = "张三";
  EXPECT_EQ(Pinyin(name, true), "zhang san ");
}

TEST(NameToPinyin, FullWidthBlankBecomesABlank) {
  std::string name = "张\xA1\xA1三";
  EXPECT_EQ(Pinyin(name), "zhang san");
}

TEST(NameToPinyin, AStraySingleByteDoesNotShiftTheCharactersAfterIt) {
  // Walked in fixed pairs, the control byte would pair with 张's first byte.
  std::string name = "\x01张三";
  EXPECT_EQ(Pinyin(name), "zhangsan");
  std::string lone = "张三\xB0";  // a lead byte without its trail at the end
  EXPECT_EQ(Pinyin(lone), "zhangsan");
}

TEST(NameToPinyin, CharactersNotAllowedInFileNamesAreDropped) {
  std::string name = "A:b?张*<>|\"/\\";
  EXPECT_EQ(Pinyin(name, false, false, &OnlyGb2312Chinese), "Abzhang");
  std::string kept = "A张";
  EXPECT_EQ(Pinyin(kept, false, true, &OnlyGb2312Chinese), "\xA3\xC1zhang");
}

TEST(IsCjkTextByBytes, TwoByteCharactersCountBlanksAndSingleBytesDoNot) {
  EXPECT_TRUE(IsCjkTextByBytes("张"));
  EXPECT_TRUE(IsCjkTextByBytes("张三"));
  EXPECT_TRUE(IsCjkTextByBytes("\xA3\xC1"));  // full-width A: any two-byte character
  EXPECT_FALSE(IsCjkTextByBytes("\xA1\xA1"));  // the full-width blank
  EXPECT_FALSE(IsCjkTextByBytes("A"));
  EXPECT_FALSE(IsCjkTextByBytes("\xB0"));
  EXPECT_FALSE(IsCjkTextByBytes(""));
  EXPECT_FALSE(IsCjkTextByBytes("张A"));
}
