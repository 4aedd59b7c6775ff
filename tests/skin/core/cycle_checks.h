#pragma once
// What a test of a few hundred cycles checks: enough for a leak of one
// object per cycle to show in the counts (tools/bench.sh runs 10,000 and
// prints the figures).
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>

#include "tests/skin/core/cycles.h"

namespace korvath::skin::cycles {

inline constexpr int kTestCycles = 300;
// Wine commits heap memory in steps: a little growth is no leak, while one
// decoded 131 x 16 strip per tenth cycle already adds megabytes.
inline constexpr size_t kByteSlack = 256u << 10;

inline void ExpectNothingLeft(const Figures& f) {
  EXPECT_EQ(f.faults, 0);
  EXPECT_EQ(f.after.gdi, f.before.gdi);
  EXPECT_EQ(f.after.memoryDcs, f.before.memoryDcs);
  EXPECT_EQ(f.after.windows, f.before.windows);
  EXPECT_LT(f.after.bytes, f.before.bytes + kByteSlack);
  std::printf("[ figures  ] %s\n", f.Describe().c_str());
}

}  // namespace korvath::skin::cycles
