#include "tests/support/freed_blocks.h"

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>

namespace {

constexpr unsigned char kFill = 0xDD;
struct Block {
  unsigned char* start;
  std::size_t size;
};
bool holding = false;
Block held[16384];
std::size_t count = 0;

}  // namespace

void operator delete(void* p) noexcept { std::free(p); }

void operator delete(void* p, std::size_t size) noexcept {
  if (p && holding && count < std::size(held)) {
    std::memset(p, kFill, size);
    held[count++] = {static_cast<unsigned char*>(p), size};
    return;
  }
  std::free(p);
}

namespace testsupport {

FreedBlockWatch::FreedBlockWatch() {
  count = 0;
  holding = true;
}

FreedBlockWatch::~FreedBlockWatch() {
  holding = false;
  for (std::size_t i = 0; i < count; ++i) std::free(held[i].start);
  count = 0;
}

bool FreedBlockWatch::Freed(const void* start) {
  for (std::size_t i = 0; i < count; ++i)
    if (held[i].start == start) return true;
  return false;
}

int FreedBlockWatch::Written() {
  int written = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const Block& b = held[i];
    for (std::size_t k = 0; k < b.size; ++k) {
      if (b.start[k] != kFill) {
        ++written;
        break;
      }
    }
  }
  return written;
}

}  // namespace testsupport
