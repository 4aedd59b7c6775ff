#include "platform/pinyin.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace korvath::platform {
namespace {

std::string Bytes(uint8_t lead, uint8_t trail) { return {static_cast<char>(lead), static_cast<char>(trail)}; }

// GBK bytes, with the character in the comment.
const std::string kZhang = "\xD5\xC5";  // 张
const std::string kSan = "\xC8\xFD";    // 三
const std::string kChang = "\xB3\xA4";  // 长
const std::string kXing = "\xD0\xD0";   // 行
const std::string kLv = "\xC2\xCC";     // 绿

TEST(Pinyin, KnownCharacters) {
  EXPECT_EQ(GetPinyin(kZhang), "zhang");
  EXPECT_EQ(GetPinyin(kSan), "san");
  EXPECT_EQ(GetPinyin("\xB0\xA1"), "a");     // 啊, the first GB2312 character
  EXPECT_EQ(GetPinyin("\xF7\xFE"), "zha");   // 齄, the last one
  EXPECT_EQ(GetPinyin("\xD6\xD0"), "zhong"); // 中
  EXPECT_EQ(GetPinyin("\xB9\xFA"), "guo");   // 国
  // Unihan gives zhǎng as 长's customary reading, cháng as the other.
  EXPECT_EQ(GetPinyin(kChang, 1), "zhang");
  EXPECT_EQ(GetPinyin(kChang, 2), "chang");
  // ü is written v.
  EXPECT_EQ(GetPinyin(kLv), "lv");
  EXPECT_EQ(GetPinyin("\xC5\xAE"), "nv");  // 女
}

TEST(Pinyin, ReadingNumbers) {
  EXPECT_EQ(GetPinyin(kXing, 1), "xing");
  EXPECT_EQ(GetPinyin(kXing, 2), "hang");
  EXPECT_FALSE(GetPinyin(kXing, 3).empty());
  EXPECT_EQ(GetPinyin(kXing, 4), "");
  EXPECT_EQ(GetPinyin(kXing, 0), "xing");   // below 1 counts as 1
  EXPECT_EQ(GetPinyin(kXing, -5), "xing");
  EXPECT_EQ(GetPinyin(kSan, 2), "");         // one reading only
  EXPECT_EQ(GetPinyin(kXing, 1000), "");
}

TEST(Pinyin, LooksOnlyAtTheFirstTwoBytes) {
  EXPECT_EQ(GetPinyin(kZhang + kSan), "zhang");
  EXPECT_EQ(GetPinyin(kZhang + "abc"), "zhang");
  EXPECT_EQ(GetPinyin("a" + kZhang), "");
}

TEST(Pinyin, EmptyForAnythingButAGb2312ChineseCharacter) {
  EXPECT_EQ(GetPinyin(""), "");
  EXPECT_EQ(GetPinyin("\xD5"), "");          // one byte only
  EXPECT_EQ(GetPinyin("ab"), "");
  EXPECT_EQ(GetPinyin("\xA3\xC1"), "");      // full-width A
  EXPECT_EQ(GetPinyin("\xA1\xA1"), "");      // full-width blank
  EXPECT_EQ(GetPinyin("\x81\x40"), "");      // GBK extension character
  EXPECT_EQ(GetPinyin(Bytes(0xAF, 0xA1)), "");  // row below the Chinese rows
  EXPECT_EQ(GetPinyin(Bytes(0xF8, 0xA1)), "");  // row above
  EXPECT_EQ(GetPinyin(Bytes(0xB0, 0xA0)), "");  // trail below 0xA1
  EXPECT_EQ(GetPinyin(Bytes(0xB0, 0xFF)), "");
  EXPECT_EQ(GetPinyin(Bytes(0xD7, 0xFA)), "");  // unassigned codes of GB2312
  EXPECT_EQ(GetPinyin(Bytes(0xD7, 0xFE)), "");
}

TEST(Pinyin, EveryEntryIsLowerCaseAsciiLetters) {
  int characters = 0;
  for (int lead = 0xB0; lead <= 0xF7; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      const std::string ch = Bytes(lead, trail);
      const bool unassigned = lead == 0xD7 && trail >= 0xFA;
      if (!GetPinyin(ch, 1).empty()) ++characters;
      EXPECT_NE(GetPinyin(ch, 1).empty(), !unassigned) << std::hex << lead << " " << trail;
      for (int reading = 1; reading <= 3; ++reading) {
        const std::string syllable = GetPinyin(ch, reading);
        if (reading > 1 && syllable.empty()) continue;
        for (char c : syllable) ASSERT_TRUE(c >= 'a' && c <= 'z') << std::hex << lead << " " << trail;
        ASSERT_LE(syllable.size(), 6u) << syllable;
        if (reading > 1) {
          EXPECT_NE(syllable, GetPinyin(ch, reading - 1));
        }
      }
      // Readings stand without gaps.
      if (GetPinyin(ch, 2).empty()) {
        EXPECT_EQ(GetPinyin(ch, 3), "");
      }
    }
  }
  EXPECT_EQ(characters, 6763);  // every GB2312 Chinese character has a reading
}

}  // namespace
}  // namespace korvath::platform
