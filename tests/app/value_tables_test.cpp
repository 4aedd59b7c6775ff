#include <gtest/gtest.h>

#include <string>

#include "app/value_tables.h"

using namespace korvath::app;

TEST(WeaponTable, ItemsMapToTheGameIdsInListOrder) {
  const int32_t ids[12] = {17, 16, 15, 14, 18, 51, 56, 13, 48, 10, 11, 12};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(WeaponIdOfItem(i), ids[i]) << i;
  EXPECT_EQ(WeaponTable()[9].name, "毒镖");
  EXPECT_EQ(WeaponTable()[4].name, "重锤");
  EXPECT_EQ(WeaponIdOfItem(-1), 0);
  EXPECT_EQ(WeaponIdOfItem(12), 0);
}

TEST(WeaponTable, EveryWrittenIdReadsBackAsItsOwnItem) {
  for (int i = 0; i < 12; ++i) EXPECT_EQ(WeaponIdToIndex(WeaponIdOfItem(i)), i) << i;
}

TEST(WeaponTable, OtherIdsOfAWeaponShareItsItemAndUnknownIdsGiveTheFirst) {
  EXPECT_EQ(WeaponIdToIndex(26), 0);
  EXPECT_EQ(WeaponIdToIndex(8), 0);
  EXPECT_EQ(WeaponIdToIndex(10), 9);
  EXPECT_EQ(WeaponIdToIndex(28), 9);
  EXPECT_EQ(WeaponIdToIndex(58), 6);
  EXPECT_EQ(WeaponIdToIndex(99), 0);
  EXPECT_EQ(WeaponIdToIndex(0), 0);
  EXPECT_EQ(WeaponIdToIndex(-17), 0);
  // Of ids 1 to 58, only the first weapon's four and the ids of no weapon
  // (37 to 46) give item 0.
  for (int id = 1; id <= 58; ++id) {
    bool first = id == 8 || id == 17 || id == 26 || id == 35;
    bool none = id >= 37 && id <= 46;
    EXPECT_EQ(WeaponIdToIndex(id) == 0, first || none) << id;
  }
}

TEST(BehaviourTable, StatementsHaveTheirExactLengthsAndEndInABrace) {
  const size_t bytes[8] = {35, 87, 35, 47, 34, 44, 45, 126};
  for (int i = 0; i < 8; ++i) {
    std::string_view s = BehaviourStatementOfItem(i);
    EXPECT_EQ(s.size(), bytes[i]) << i;
    EXPECT_EQ(s.substr(0, 24), "\tChangeBehavior(g_self, ") << i;
    EXPECT_EQ(s.substr(s.size() - 5), ");\r\n}") << i;
  }
}

TEST(BehaviourTable, OnlyPatrolAndFollowHoldsTwoCalls) {
  for (int i = 0; i < 8; ++i) {
    std::string s(BehaviourStatementOfItem(i));
    size_t lines = 0;
    for (size_t at = s.find("\r\n"); at != std::string::npos; at = s.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, i == 7 ? 2u : 1u) << i;
  }
  EXPECT_EQ(BehaviourStatementOfItem(7),
            "\tChangeBehavior(g_self, \"patrol\", 129, 73, 133, 134, 71, 79, 78, 77, 74, 69);\r\n"
            "\tChangeBehavior(g_self, \"follow\", \"player\");\r\n}");
}

TEST(BehaviourTable, NamesFindTheirItems) {
  EXPECT_EQ(BehaviourIndexOfName("跟随"), 3);
  EXPECT_EQ(BehaviourIndexOfName("跟随老大"), 5);
  EXPECT_EQ(BehaviourIndexOfName("巡逻跟随"), 7);
  EXPECT_FALSE(BehaviourIndexOfName("跟"));
  EXPECT_TRUE(BehaviourStatementOfItem(8).empty());
}
