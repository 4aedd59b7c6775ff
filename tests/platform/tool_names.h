#pragma once
// What the tool's file names are made of, for the tests that try every name
// the tool writes.
#include <set>
#include <string>
#include <vector>

#include "platform/pinyin.h"

namespace korvath::platform {

// The syllables the tool's file names are made of: the first reading of
// every GB2312 Chinese character, as the save takes it.
inline std::vector<std::wstring> ToolNameSyllables() {
  std::set<std::string> found;
  for (int lead = 0xB0; lead <= 0xF7; ++lead)
    for (int trail = 0xA1; trail <= 0xFE; ++trail) found.insert(GetPinyin(std::string{char(lead), char(trail)}, 1));
  found.erase("");
  std::vector<std::wstring> syllables;
  for (const std::string& s : found) syllables.emplace_back(s.begin(), s.end());
  return syllables;
}

}  // namespace korvath::platform
