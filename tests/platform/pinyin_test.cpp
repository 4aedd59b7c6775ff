#include "platform/pinyin.h"

#include <gtest/gtest.h>

#include <string>

namespace korvath::platform {
namespace {

TEST(Pinyin, ReadingsOfKnownCharactersAndNothingForOtherBytes) {
  struct Case {
    const char* text;
    int reading;
    const char* pinyin;
  };
  const Case cases[] = {
      {"\xD5\xC5", 1, "zhang"}, {"\xB0\xA1", 1, "a"}, {"\xF7\xFE", 1, "zha"},  // 张, first, last
      {"\xB3\xA4", 1, "zhang"}, {"\xB3\xA4", 2, "chang"},  // 长: the customary reading first
      {"\xC2\xCC", 1, "lv"}, {"\xD0\xD0", 2, "hang"}, {"\xD0\xD0", 0, "xing"},  // 绿; 行
      {"\xD0\xD0", 4, ""}, {"\xC8\xFD", 2, ""}, {"\xD5\xC5\xC8\xFD", 1, "zhang"}, {"a\xD5\xC5", 1, ""},
      {"\xD5", 1, ""}, {"\xA3\xC1", 1, ""}, {"\x81\x40", 1, ""}, {"\xF8\xA1", 1, ""}, {"\xB0\xA0", 1, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(GetPinyin(c.text, c.reading), c.pinyin) << c.text << c.reading;
}

TEST(Pinyin, EveryGb2312CharacterHasOneToThreeDistinctLowerCaseReadings) {
  int characters = 0;
  for (int lead = 0xB0; lead <= 0xF7; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      const std::string ch = {char(lead), char(trail)};
      std::string readings[4];
      for (int r = 1; r <= 3; ++r) readings[r] = GetPinyin(ch, r);
      characters += !readings[1].empty();
      EXPECT_EQ(readings[1].empty(), lead == 0xD7 && trail >= 0xFA) << lead << " " << trail;
      for (int r = 1; r <= 3; ++r) {
        ASSERT_LE(readings[r].size(), 6u);
        for (char c : readings[r]) ASSERT_TRUE(c >= 'a' && c <= 'z') << lead << " " << trail;
        if (r > 1) EXPECT_TRUE(readings[r].empty() || (readings[r] != readings[r - 1] && !readings[r - 1].empty()));
      }
    }
  }
  EXPECT_EQ(characters, 6763);
}

}  // namespace
}  // namespace korvath::platform
