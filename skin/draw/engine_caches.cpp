#include "skin/draw/engine_caches.h"

#include "platform/slim_lock.h"

namespace korvath::skin {

void* SkinEngineCaches::FindOrMake(const void* tag, std::shared_ptr<void> (*make)()) {
  const platform::SlimLockHold hold(lock_, platform::LockUse::Exclusive);
  for (const auto& [kind, cache] : caches_) {
    if (kind == tag) return cache.get();
  }
  return caches_.emplace_back(tag, make()).second.get();
}

void SkinEngineCaches::Clear() {
  std::vector<std::pair<const void*, std::shared_ptr<void>>> gone;
  {
    const platform::SlimLockHold hold(lock_, platform::LockUse::Exclusive);
    gone.swap(caches_);
  }
  // Destroyed outside the lock: a cache's end may reach the engine again.
}

SkinEngineCaches& SkinEngineCacheRegistry() {
  static SkinEngineCaches registry;
  return registry;
}

size_t SkinEngineCaches::Count() const {
  const platform::SlimLockHold hold(lock_, platform::LockUse::Shared);
  return caches_.size();
}

}  // namespace korvath::skin
