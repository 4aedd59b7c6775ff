#pragma once
// The value tables behind the main window's lists: weapon items and their
// ids, behaviour items and the script statements they stand for. Texts are
// GBK.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace korvath::app {

struct WeaponItem {
  std::string_view name;
  int32_t id;
};
// The twelve items of both weapon lists, in list order.
const std::array<WeaponItem, 12>& WeaponTable();
// The weapon id of a list item; 0 for an index outside the list.
int32_t WeaponIdOfItem(int index);
// The list item for a weapon id: every id the lists write maps back to its
// own item, as do the other ids of the same weapon; any other id gives 0.
int WeaponIdToIndex(int32_t id);
// Whether the id is one that WeaponIdToIndex maps to an item (not to 0 for
// want of one).
bool IsKnownWeaponId(int32_t id);

struct BehaviourItem {
  std::string_view name;
  // One or two tab-indented ChangeBehavior calls, each ending in CR LF, then
  // the "}" that closes the script's OnStart block (no line end after it).
  std::string_view statement;
};
const std::array<BehaviourItem, 8>& BehaviourTable();
// The statement of a list item; empty for an index outside the list.
std::string_view BehaviourStatementOfItem(int index);
std::optional<int> BehaviourIndexOfName(std::string_view name);

// The HP written and shown in place of an HP text that is no usable number.
inline constexpr int32_t kDefaultHp = 3000;

// What the name and HP boxes take: the name box bytes of GBK text (8 Chinese
// characters), the HP box characters (a full-width digit is two bytes).
inline constexpr int kNameBoxBytes = 16;
inline constexpr int kHpBoxChars = 4;

// A numeric list: decimal items from `first` to `last` in steps of `step`.
struct NumericList {
  int first;
  int last;
  int step;
};
inline constexpr NumericList kViewRange{100, 2000, 100};
inline constexpr NumericList kTensRange{10, 100, 10};
inline constexpr NumericList kFivesRange{10, 100, 5};
// Whether the value is one of the list's items.
constexpr bool IsListItem(const NumericList& list, int64_t value) {
  return value >= list.first && value <= list.last && (value - list.first) % list.step == 0;
}

}  // namespace korvath::app
