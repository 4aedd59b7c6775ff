#include "platform/slim_lock.h"

namespace korvath::platform {

SlimLockHold::SlimLockHold(SRWLOCK& lock, LockUse use) noexcept : lock_(lock), use_(use) {
  if (use_ == LockUse::Exclusive) {
    AcquireSRWLockExclusive(&lock_);
  } else {
    AcquireSRWLockShared(&lock_);
  }
}

SlimLockHold::~SlimLockHold() {
  if (use_ == LockUse::Exclusive) {
    ReleaseSRWLockExclusive(&lock_);
  } else {
    ReleaseSRWLockShared(&lock_);
  }
}

}  // namespace korvath::platform
