#include "tests/support/freed_blocks.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>

#include "platform/slim_lock.h"

namespace {

constexpr unsigned char kFill = 0xDD;

// ---- freed blocks held back -------------------------------------------------------
struct Block {
  unsigned char* start;
  std::size_t size;
};
bool holding = false;
Block held[16384];
std::size_t count = 0;

// ---- blocks on pages of their own ----------------------------------------------------
// One stretch of address space, taken at the first watch and handed out from
// its start, page by page, never twice; its blocks stand in it in the order
// of their allocation.
constexpr std::size_t kPage = 4096;
constexpr std::size_t kRegionPages = 65536;  // 256 MB
struct PageBlock {
  unsigned char* start;
  std::size_t size;
  bool freed;
};
unsigned char* region = nullptr;
std::size_t pagesUsed = 0;
PageBlock pageBlocks[kRegionPages];
std::size_t pageBlockCount = 0;
bool onPages = false;
int touched = 0;
SRWLOCK pageLock = SRWLOCK_INIT;

std::size_t PagesOf(std::size_t size) { return std::max<std::size_t>(1, (size + kPage - 1) / kPage); }

bool InRegion(const void* p) {
  const auto* byte = static_cast<const unsigned char*>(p);
  return region && byte >= region && byte < region + kRegionPages * kPage;
}

// The block whose pages hold `p`, or null.
PageBlock* PageBlockAt(const void* p) {
  const auto* byte = static_cast<const unsigned char*>(p);
  PageBlock* end = pageBlocks + pageBlockCount;
  PageBlock* after = std::upper_bound(pageBlocks, end, byte,
                                      [](const unsigned char* b, const PageBlock& block) { return b < block.start; });
  if (after == pageBlocks) return nullptr;
  PageBlock* block = after - 1;
  return byte < block->start + PagesOf(block->size) * kPage ? block : nullptr;
}

// A fault on the pages of a freed block: counted, and the pages opened again.
LONG CALLBACK OnFault(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
  if (record->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || record->NumberParameters < 2)
    return EXCEPTION_CONTINUE_SEARCH;
  const auto* address = reinterpret_cast<const void*>(record->ExceptionInformation[1]);
  if (!InRegion(address)) return EXCEPTION_CONTINUE_SEARCH;
  bool opened = false;
  {
    const korvath::platform::SlimLockHold hold(pageLock, korvath::platform::LockUse::Exclusive);
    PageBlock* block = PageBlockAt(address);
    DWORD before = 0;
    opened =
        block && block->freed && VirtualProtect(block->start, PagesOf(block->size) * kPage, PAGE_READWRITE, &before);
    if (opened) ++touched;
  }
  return opened ? EXCEPTION_CONTINUE_EXECUTION : EXCEPTION_CONTINUE_SEARCH;
}

void* AllocateOnPages(std::size_t size) {
  const korvath::platform::SlimLockHold hold(pageLock, korvath::platform::LockUse::Exclusive);
  const std::size_t pages = PagesOf(size);
  if (pagesUsed + pages > kRegionPages) return nullptr;
  void* start = region + pagesUsed * kPage;
  pageBlocks[pageBlockCount++] = {static_cast<unsigned char*>(start), size, false};
  pagesUsed += pages;
  return start;
}

void FreeOnPages(void* p) {
  const korvath::platform::SlimLockHold hold(pageLock, korvath::platform::LockUse::Exclusive);
  if (PageBlock* block = PageBlockAt(p); block && !block->freed) {
    std::memset(block->start, kFill, block->size);
    DWORD before = 0;
    VirtualProtect(block->start, PagesOf(block->size) * kPage, PAGE_NOACCESS, &before);
    block->freed = true;
  }
}

}  // namespace

void* operator new(std::size_t size) {
  if (onPages) {
    if (void* p = AllocateOnPages(size)) return p;
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
  if (InRegion(p)) {
    FreeOnPages(p);
    return;
  }
  std::free(p);
}

void operator delete(void* p, std::size_t size) noexcept {
  if (InRegion(p)) {
    FreeOnPages(p);
    return;
  }
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

// The region and the fault handler stay for the program's life: a block
// allocated while watched may be freed, and read, after the watch.
FreedReadWatch::FreedReadWatch() {
  if (!region) {
    region = static_cast<unsigned char*>(
        VirtualAlloc(nullptr, kRegionPages * kPage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    AddVectoredExceptionHandler(1, OnFault);
  }
  touched = 0;
  onPages = region != nullptr;
}

FreedReadWatch::~FreedReadWatch() { onPages = false; }

bool FreedReadWatch::Freed(const void* start) {
  const korvath::platform::SlimLockHold hold(pageLock, korvath::platform::LockUse::Shared);
  const PageBlock* block = InRegion(start) ? PageBlockAt(start) : nullptr;
  return block && block->start == start && block->freed;
}

int FreedReadWatch::Touched() { return touched; }

}  // namespace testsupport
