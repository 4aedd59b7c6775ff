#pragma once
// What the painters keep to save work (fonts measured, pictures decoded,
// siblings walked, faces drawn): one registry of the drawing vocabulary, one
// cache per type, each made at its first use and emptied by the engine's
// reset together with the state it was worked out from. Finding a cache takes
// the registry's lock; a cache that threads share keeps a lock of its own for
// what it holds.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace korvath::skin {

class SkinEngineCaches {
 public:
  SkinEngineCaches() = default;
  SkinEngineCaches(const SkinEngineCaches&) = delete;
  SkinEngineCaches& operator=(const SkinEngineCaches&) = delete;

  // The cache of this type, made now (value-initialised) when there is none.
  template <class Cache>
  Cache& Get() {
    return *static_cast<Cache*>(
        FindOrMake(&Tag<Cache>::id, [] { return std::shared_ptr<void>(std::make_shared<Cache>()); }));
  }
  // Forgets every cache (SkinEngineReset); the next Get makes its cache anew.
  void Clear();
  // How many caches are made.
  size_t Count() const;

 private:
  // One object per type, told apart by the address of its tag.
  template <class Cache>
  struct Tag {
    static constexpr char id = 0;
  };
  void* FindOrMake(const void* tag, std::shared_ptr<void> (*make)());

  mutable SRWLOCK lock_ = SRWLOCK_INIT;
  std::vector<std::pair<const void*, std::shared_ptr<void>>> caches_;
};

// The one registry: made at its first use and kept until the process ends.
// The engine's state asks for it while the state itself is made, so that the
// registry outlives it, and the engine's reset (SkinEngineReset) empties it.
SkinEngineCaches& SkinEngineCacheRegistry();

// The engine's cache of this type.
template <class Cache>
Cache& SkinEngineCache() {
  return SkinEngineCacheRegistry().Get<Cache>();
}

}  // namespace korvath::skin
