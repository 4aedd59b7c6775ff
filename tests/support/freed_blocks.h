#pragma once
// Catching a write into memory after its free, where no address sanitizer
// runs (under Wine). A test program that lists freed_blocks.cpp among its
// sources has its sized operator delete replaced: while a FreedBlockWatch
// lives, each block freed through it (as every object and container of the
// engine is) is filled and held back instead of being given back, so that
// nothing reuses it; the watch then tells which blocks were freed and
// whether one was written after its free.
#include <cstddef>

namespace testsupport {

class FreedBlockWatch {
 public:
  FreedBlockWatch();
  ~FreedBlockWatch();  // gives the held blocks back
  FreedBlockWatch(const FreedBlockWatch&) = delete;
  FreedBlockWatch& operator=(const FreedBlockWatch&) = delete;
  // Whether the block at `start` was freed while watched.
  static bool Freed(const void* start);
  // Freed blocks written since their free.
  static int Written();
};

}  // namespace testsupport
