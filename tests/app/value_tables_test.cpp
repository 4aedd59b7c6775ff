#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/model_names.h"
#include "app/value_tables.h"
#include "platform/pinyin.h"

using namespace korvath::app;

TEST(ValueTables, WeaponIdsBothWaysAndIdsOfNoItemGiveTheFirst) {
  const int32_t ids[12] = {17, 16, 15, 14, 18, 51, 56, 13, 48, 10, 11, 12};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(WeaponIdToIndex(WeaponIdOfItem(i)) * 100 + WeaponIdOfItem(i), i * 100 + ids[i]);
  EXPECT_EQ(WeaponIdToIndex(28) * 100 + WeaponIdToIndex(58), 906);
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
  EXPECT_STREQ(ModelNames()[0], "\xBD\xA3\xBF\xCD");  // 剑客
}
