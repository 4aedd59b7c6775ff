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

}  // namespace testsupport
