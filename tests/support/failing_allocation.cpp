#include "tests/support/failing_allocation.h"

#include <cstdlib>
#include <new>

namespace {

// Plain values: a thread's first look at them allocates through malloc, not
// through the operator new below.
thread_local bool armed = false;
thread_local int left = 0;
thread_local std::size_t fromBytes = 0;
thread_local bool failed = false;

}  // namespace

void* operator new(std::size_t size) {
  if (armed && size >= fromBytes && --left == 0) {
    armed = false;
    failed = true;
    throw std::bad_alloc();
  }
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
// Out of line: inlined where a `new` of this file is undone, their free()
// would meet that `new` and GCC would take the pair for a mismatch.
[[gnu::noinline]] void operator delete(void* block) noexcept { std::free(block); }
[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace testsupport {

FailingAllocation::FailingAllocation(int nth, std::size_t bytes) {
  failed = false;
  left = nth;
  fromBytes = bytes;
  armed = nth > 0;
}

FailingAllocation::~FailingAllocation() { armed = false; }

bool FailingAllocation::Failed() const { return failed; }

bool ThrowsWhenAnAllocationFails(const std::function<void()>& call, int nth, std::size_t bytes) {
  FailingAllocation failing(nth, bytes);
  try {
    call();
  } catch (const std::bad_alloc&) {
    return failing.Failed();
  }
  return false;
}

int EachAllocationFailingInTurn(const std::function<void()>& call,
                                const std::function<void(int nth, bool failed)>& check, int most) {
  int failures = 0;
  for (int nth = 1; nth <= most; ++nth) {
    bool failed = false;
    {
      const FailingAllocation failing(nth);
      call();
      failed = failing.Failed();
    }
    check(nth, failed);
    if (!failed) break;
    ++failures;
  }
  return failures;
}

}  // namespace testsupport
