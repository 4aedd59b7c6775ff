#pragma once
// A slim reader/writer lock (SRWLOCK) held for one scope. Taking such a lock
// by hand and releasing it at the end of a block leaves it held when anything
// between throws (an allocation that fails): every later taker then waits
// forever, the same thread too, since the lock is not recursive. A hold
// releases it on every way out of its scope, a throw included; the program
// takes its slim locks through holds alone: the hold's own object
// (slim_lock.cpp) is the one object of the program that calls the system's
// lock functions (tools/check_library_symbols.py).
#include <windows.h>

namespace korvath::platform {

// Shared: readers beside each other; exclusive: one taker alone.
enum class LockUse { Shared, Exclusive };

class SlimLockHold {
 public:
  SlimLockHold(SRWLOCK& lock, LockUse use) noexcept;
  ~SlimLockHold();
  SlimLockHold(const SlimLockHold&) = delete;
  SlimLockHold& operator=(const SlimLockHold&) = delete;

 private:
  SRWLOCK& lock_;
  const LockUse use_;
};

}  // namespace korvath::platform
