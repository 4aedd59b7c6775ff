#pragma once
// Memory that runs out, made to: a test program that lists
// failing_allocation.cpp among its sources (it is in no library) has its
// operator new replaced, and while a FailingAllocation lives, one allocation
// made by the thread that made it fails with std::bad_alloc. Other threads
// allocate as usual.
#include <cstddef>
#include <functional>

namespace testsupport {

class FailingAllocation {
 public:
  // The `nth` allocation from now (1: the next one) among those of at least
  // `bytes` bytes.
  explicit FailingAllocation(int nth = 1, std::size_t bytes = 0);
  ~FailingAllocation();
  FailingAllocation(const FailingAllocation&) = delete;
  FailingAllocation& operator=(const FailingAllocation&) = delete;

  // Whether that allocation has failed.
  bool Failed() const;
};

// Whether `call`, run with its `nth` allocation of at least `bytes` bytes
// failing, failed that allocation and let the std::bad_alloc out.
bool ThrowsWhenAnAllocationFails(const std::function<void()>& call, int nth = 1, std::size_t bytes = 0);

// Runs `call` with its first allocation failing, then with its second, and
// so on, until a run in which no allocation failed (at most `most` runs);
// `check` follows each run, told which allocation was to fail and whether
// it did. Returns how many runs had one fail (`most` when every run had).
int EachAllocationFailingInTurn(const std::function<void()>& call,
                                const std::function<void(int nth, bool failed)>& check, int most = 5000);

}  // namespace testsupport
