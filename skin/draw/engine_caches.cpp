#include "skin/draw/engine_caches.h"

namespace korvath::skin {

void* SkinEngineCaches::FindOrMake(const void* tag, std::shared_ptr<void> (*make)()) {
  AcquireSRWLockExclusive(&lock_);
  void* found = nullptr;
  for (const auto& [kind, cache] : caches_) {
    if (kind != tag) continue;
    found = cache.get();
    break;
  }
  if (!found) found = caches_.emplace_back(tag, make()).second.get();
  ReleaseSRWLockExclusive(&lock_);
  return found;
}

void SkinEngineCaches::Clear() {
  std::vector<std::pair<const void*, std::shared_ptr<void>>> gone;
  AcquireSRWLockExclusive(&lock_);
  gone.swap(caches_);
  ReleaseSRWLockExclusive(&lock_);
  // Destroyed outside the lock: a cache's end may reach the engine again.
}

SkinEngineCaches& SkinEngineCacheRegistry() {
  static SkinEngineCaches registry;
  return registry;
}

size_t SkinEngineCaches::Count() const {
  AcquireSRWLockShared(&lock_);
  const size_t count = caches_.size();
  ReleaseSRWLockShared(&lock_);
  return count;
}

}  // namespace korvath::skin
