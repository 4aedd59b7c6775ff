#include "app/value_tables.h"

namespace korvath::app {

const std::array<WeaponItem, 12>& WeaponTable() {
  static const std::array<WeaponItem, 12> table = {{
      {"大刀", 17}, {"长枪", 16}, {"长剑", 15}, {"匕首", 14}, {"重锤", 18}, {"指虎", 51},
      {"忍刀", 56}, {"双刺", 13}, {"乾坤刀", 48}, {"毒镖", 10}, {"飞轮", 11}, {"火统", 12},
  }};
  return table;
}

int32_t WeaponIdOfItem(int index) {
  const auto& table = WeaponTable();
  return (index >= 0 && index < int(table.size())) ? table[size_t(index)].id : 0;
}

namespace {
// The game numbers each weapon's variants in four series; every id of a row
// stands for the same list item.
constexpr int32_t kWeaponIds[12][4] = {
    {8, 17, 26, 35}, {7, 16, 25, 34},  {6, 15, 24, 33},  {5, 14, 23, 32},
    {9, 18, 27, 36}, {51, 52, 53, 54}, {55, 56, 57, 58}, {4, 13, 22, 31},
    {47, 48, 49, 50}, {1, 10, 19, 28}, {2, 11, 20, 29},  {3, 12, 21, 30},
};

std::optional<int> WeaponRowOfId(int32_t id) {
  for (int index = 0; index < 12; ++index)
    for (int32_t candidate : kWeaponIds[index])
      if (candidate == id) return index;
  return std::nullopt;
}
}  // namespace

int WeaponIdToIndex(int32_t id) { return WeaponRowOfId(id).value_or(0); }

bool IsKnownWeaponId(int32_t id) { return WeaponRowOfId(id).has_value(); }

const std::array<BehaviourItem, 8>& BehaviourTable() {
  static const std::array<BehaviourItem, 8> table = {{
      {"张望", "\tChangeBehavior(g_self, \"wait\");\r\n}"},
      {"巡逻",
       "\tChangeBehavior(g_self, \"patrol\", 5, 15, 16, 20, 89, 91, 11, 10, 8, 116, 115, 7, 6);"
       "\r\n}"},
      {"等待", "\tChangeBehavior(g_self, \"idle\");\r\n}"},
      {"跟随", "\tChangeBehavior(g_self, \"follow\", \"player\");\r\n}"},
      {"乱跑", "\tChangeBehavior(g_self, \"run\");\r\n}"},
      {"跟随老大", "\tChangeBehavior(g_self, \"follow\", \"vip\");\r\n}"},
      {"杀死玩家", "\tChangeBehavior(g_self, \"kill\", \"player\");\r\n}"},
      {"巡逻跟随",
       "\tChangeBehavior(g_self, \"patrol\", 129, 73, 133, 134, 71, 79, 78, 77, 74, 69);\r\n"
       "\tChangeBehavior(g_self, \"follow\", \"player\");\r\n}"},
  }};
  return table;
}

std::string_view BehaviourStatementOfItem(int index) {
  const auto& table = BehaviourTable();
  return (index >= 0 && index < int(table.size())) ? table[size_t(index)].statement
                                                   : std::string_view();
}

std::optional<int> BehaviourIndexOfName(std::string_view name) {
  const auto& table = BehaviourTable();
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i].name == name) return int(i);
  return std::nullopt;
}

}  // namespace korvath::app
