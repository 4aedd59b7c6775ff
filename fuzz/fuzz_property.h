#pragma once
// What a fuzz target does with the name of a property that failed: libFuzzer
// takes the abort for a finding and keeps the input that caused it.
#include <cstdio>
#include <cstdlib>
#include <string>

namespace korvath::fuzz {

inline void RequireProperties(const std::string& failed) {
  if (failed.empty()) return;
  std::fprintf(stderr, "property failed: %s\n", failed.c_str());
  std::abort();
}

}  // namespace korvath::fuzz
