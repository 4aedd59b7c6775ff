#include "platform/pinyin.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

TEST(Pinyin, ReadingsOfKnownCharactersAndNothingForOtherBytes) {
  using korvath::platform::GetPinyin;
  const std::tuple<const char*, int, const char*> cases[] = {
      {"\xD5\xC5", 1, "zhang"}, {"\xB0\xA1", 1, "a"}, {"\xF7\xFE", 1, "zha"},  // 张, first, last
      {"\xB3\xA4", 1, "zhang"}, {"\xB3\xA4", 2, "chang"},  // 长: the customary reading first
      {"\xC2\xCC", 1, "lv"}, {"\xD0\xD0", 2, "hang"}, {"\xD0\xD0", 0, "xing"},  // 绿; 行
      {"\xD0\xD0", 4, ""}, {"\xC8\xFD", 2, ""}, {"\xD5\xC5\xC8\xFD", 1, "zhang"}, {"a\xD5\xC5", 1, ""},
      {"\xD5", 1, ""}, {"\xA3\xC1", 1, ""}, {"\x81\x40", 1, ""}, {"\xF8\xA1", 1, ""}, {"\xB0\xA0", 1, ""}};
  for (auto [text, reading, pinyin] : cases) EXPECT_EQ(GetPinyin(text, reading), pinyin) << text << reading;
  int characters = 0;
  for (int lead = 0xB0; lead <= 0xF7; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      const std::string ch = {char(lead), char(trail)}, readings[] = {"", GetPinyin(ch, 1), GetPinyin(ch, 2), GetPinyin(ch, 3)};
      characters += !readings[1].empty();
      EXPECT_EQ(readings[1].empty(), lead == 0xD7 && trail >= 0xFA) << lead << " " << trail;
      for (int r = 1; r <= 3; ++r) {  // lower-case letters, readings distinct and without gaps
        ASSERT_TRUE(readings[r].size() <= 6 && readings[r].find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos);
        if (r > 1) EXPECT_TRUE(readings[r].empty() || (readings[r] != readings[r - 1] && !readings[r - 1].empty()));
      }
    }
  }
  EXPECT_EQ(characters, 6763);
}
