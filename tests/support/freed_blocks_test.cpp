// The freed-block watch, which the tests of what outlives its free stand on:
// a block freed while it watches is held and known, a write into it
// afterwards is seen, and a block freed outside it is not among the held.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>

#include "tests/support/freed_blocks.h"

using testsupport::FreedBlockWatch;

// A block freed out of the test's sight, as the engine frees its objects:
// what the test reads and writes after the free is what a stale pointer of
// the engine's would.
template <size_t N>
[[gnu::noinline]] void Release(std::array<char, N>* block) {
  delete block;
}

TEST(FreedBlocks, ABlockFreedWhileWatchedIsHeldAndAWriteIntoItIsSeen) {
  auto* unwatched = new std::array<char, 24>{};
  Release(unwatched);
  FreedBlockWatch watch;
  EXPECT_FALSE(FreedBlockWatch::Freed(unwatched));
  auto* first = new std::array<char, 24>{};
  auto* second = new std::array<char, 40>{};
  Release(first);
  Release(second);
  EXPECT_TRUE(FreedBlockWatch::Freed(first));
  EXPECT_TRUE(FreedBlockWatch::Freed(second));
  EXPECT_EQ(FreedBlockWatch::Written(), 0);
  static_cast<volatile char*>(second->data())[39] = 1;  // its last byte
  EXPECT_EQ(FreedBlockWatch::Written(), 1);
}
