// The freed-block watches, which the tests of what outlives its free stand
// on: a block freed while the first watches is held and known, a write into
// it afterwards is seen, and a block freed outside it is not among the held;
// a block allocated while the second watches is known once freed, and a read
// of it afterwards is seen, also after the watch, while reads before its
// free are not.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>

#include "tests/support/freed_blocks.h"

using testsupport::FreedBlockWatch;
using testsupport::FreedReadWatch;

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

TEST(FreedBlocks, AReadOfABlockAllocatedWhileReadWatchedIsSeenOnceItIsFreed) {
  auto* unwatched = new std::array<char, 24>{};
  std::array<char, 24>* first = nullptr;
  std::array<char, 5000>* second = nullptr;
  {
    FreedReadWatch watch;
    first = new std::array<char, 24>{};
    second = new std::array<char, 5000>{};
    static_cast<volatile char*>(first->data())[23] = 1;
    EXPECT_EQ(static_cast<volatile char*>(second->data())[4999], 0);
    Release(first);
    EXPECT_TRUE(FreedReadWatch::Freed(first));
    EXPECT_FALSE(FreedReadWatch::Freed(second));
    EXPECT_EQ(FreedReadWatch::Touched(), 0);
    EXPECT_EQ(static_cast<volatile char*>(first->data())[23], char(0xDD));  // its fill
    EXPECT_EQ(FreedReadWatch::Touched(), 1);
  }
  Release(second);
  EXPECT_EQ(static_cast<volatile char*>(second->data())[4999], char(0xDD));  // on its second page
  EXPECT_EQ(FreedReadWatch::Touched(), 2);
  Release(unwatched);
  EXPECT_FALSE(FreedReadWatch::Freed(unwatched));
}
