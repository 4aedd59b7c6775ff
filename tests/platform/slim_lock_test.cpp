// A slim lock held for a scope: free again when the scope ends, however it
// ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <new>

#include "platform/slim_lock.h"

namespace {

using korvath::platform::LockUse;
using korvath::platform::SlimLockHold;

bool FreeForAWriter(SRWLOCK& lock) {
  if (!TryAcquireSRWLockExclusive(&lock)) return false;
  ReleaseSRWLockExclusive(&lock);
  return true;
}

bool FreeForAReader(SRWLOCK& lock) {
  if (!TryAcquireSRWLockShared(&lock)) return false;
  ReleaseSRWLockShared(&lock);
  return true;
}

// A shared hold lets readers in beside it and keeps a writer out, an
// exclusive one keeps both out; at the end of its scope the lock is free,
// also when the scope is left by a throw (an allocation that fails).
TEST(SlimLockHold, KeepsOthersOutAsItsUseSaysAndIsReleasedOnEveryWayOut) {
  for (const LockUse use : {LockUse::Shared, LockUse::Exclusive}) {
    SCOPED_TRACE(use == LockUse::Shared ? "shared" : "exclusive");
    SRWLOCK lock = SRWLOCK_INIT;
    {
      const SlimLockHold hold(lock, use);
      EXPECT_FALSE(FreeForAWriter(lock));
      EXPECT_EQ(FreeForAReader(lock), use == LockUse::Shared);
    }
    EXPECT_TRUE(FreeForAWriter(lock));
    bool thrown = false;
    try {
      const SlimLockHold hold(lock, use);
      throw std::bad_alloc();
    } catch (const std::bad_alloc&) {
      thrown = true;
    }
    EXPECT_TRUE(thrown);
    EXPECT_TRUE(FreeForAWriter(lock));
  }
}

}  // namespace
