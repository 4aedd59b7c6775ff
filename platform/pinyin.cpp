#include "platform/pinyin.h"

#include <cstdint>

namespace korvath::platform {

namespace {

#include "platform/pinyin_table.inc"

constexpr uint8_t kFirstLead = 0xB0;
constexpr uint8_t kLastLead = 0xF7;
constexpr uint8_t kFirstTrail = 0xA1;
constexpr uint8_t kLastTrail = 0xFE;
constexpr int kTrailsPerLead = kLastTrail - kFirstTrail + 1;
constexpr int kReadingsPerChar = sizeof kPinyinReadings[0] / sizeof kPinyinReadings[0][0];

static_assert(sizeof kPinyinReadings / sizeof kPinyinReadings[0] ==
              size_t(kLastLead - kFirstLead + 1) * kTrailsPerLead);

}  // namespace

std::string GetPinyin(std::string_view text, int reading) {
  if (text.size() < 2) return {};
  const auto lead = static_cast<uint8_t>(text[0]);
  const auto trail = static_cast<uint8_t>(text[1]);
  if (lead < kFirstLead || lead > kLastLead || trail < kFirstTrail || trail > kLastTrail) return {};
  if (reading < 1) reading = 1;
  if (reading > kReadingsPerChar) return {};
  const int index = (lead - kFirstLead) * kTrailsPerLead + (trail - kFirstTrail);
  const uint16_t syllable = kPinyinReadings[index][reading - 1];
  if (syllable == 0 || syllable > kPinyinSyllableCount) return {};
  return kPinyinSyllables[syllable - 1];
}

}  // namespace korvath::platform
