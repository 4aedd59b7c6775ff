#include <gtest/gtest.h>

#include <string>

#include "app/value_tables.h"

using namespace korvath::app;

TEST(WeaponTable, ItemsGiveTheGameIdsAndEveryIdFindsItsItem) {
  const int32_t ids[12] = {17, 16, 15, 14, 18, 51, 56, 13, 48, 10, 11, 12};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(WeaponIdOfItem(i), ids[i]) << i;
    EXPECT_EQ(WeaponIdToIndex(ids[i]), i) << i;
  }
  EXPECT_EQ(WeaponIdOfItem(12), 0);
  EXPECT_EQ(WeaponIdToIndex(28), 9);
  EXPECT_EQ(WeaponIdToIndex(58), 6);
  // Of ids 1 to 58, only the first weapon's four and the ids of no weapon
  // (37 to 46) give item 0; so do ids outside.
  for (int id = -17; id <= 99; ++id) {
    bool first = id == 8 || id == 17 || id == 26 || id == 35;
    bool none = id < 1 || id > 58 || (id >= 37 && id <= 46);
    EXPECT_EQ(WeaponIdToIndex(id) == 0, first || none) << id;
  }
}

TEST(BehaviourTable, StatementsHaveTheirExactLengthsAndNamesFindTheirItems) {
  const size_t bytes[8] = {35, 87, 35, 47, 34, 44, 45, 126};
  for (int i = 0; i < 8; ++i) {
    std::string_view s = BehaviourStatementOfItem(i);
    EXPECT_EQ(s.size(), bytes[i]) << i;
    EXPECT_EQ(s.substr(0, 24), "\tChangeBehavior(g_self, ") << i;
    EXPECT_EQ(s.substr(s.size() - 5), ");\r\n}") << i;
    EXPECT_EQ(BehaviourIndexOfName(BehaviourTable()[size_t(i)].name), i);
  }
  EXPECT_FALSE(BehaviourIndexOfName("跟"));
  EXPECT_TRUE(BehaviourStatementOfItem(8).empty());
}
