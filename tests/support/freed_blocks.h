#pragma once
// Catching a use of memory after its free, where no address sanitizer runs
// (under Wine). A test program that lists freed_blocks.cpp among its sources
// has its operator new and delete replaced:
// - while a FreedBlockWatch lives, each block freed through the sized
//   delete (as every object and container of the engine is) is filled and
//   held back instead of being given back, so that nothing reuses it; the
//   watch then tells which blocks were freed and whether one was written
//   after its free;
// - while a FreedReadWatch lives, each block allocated lies on pages of its
//   own, and its free, whenever it comes, fills it and makes its pages
//   unreachable, never to be used again: a read of it afterwards (or a
//   write) faults, and the fault is counted, the pages opened again on the
//   fill and the code let go on, as over a held block.
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

class FreedReadWatch {
 public:
  FreedReadWatch();
  ~FreedReadWatch();  // the blocks allocated meanwhile stay on their pages
  FreedReadWatch(const FreedReadWatch&) = delete;
  FreedReadWatch& operator=(const FreedReadWatch&) = delete;
  // Whether the block at `start` was allocated while watched and is freed.
  static bool Freed(const void* start);
  // Freed blocks read or written since their free, counted from the watch's
  // start.
  static int Touched();
};

}  // namespace testsupport
