#include "skin/draw/font_cache.h"

#include <map>
#include <string>
#include <tuple>

#include "gdip/font.h"
#include "platform/slim_lock.h"

namespace korvath::skin {

namespace {

using FontKey = std::tuple<std::string, float, int, int>;

// The kept fonts are only ever copied, under the lock: a box's fade-in
// thread paints too, and a GDI+ object must not be used by two threads at
// once. Never destroyed: at the end of the process GDI+ may be gone already
// (SkinReleaseKeptFonts empties it while GDI+ is up). Not among the engine's
// caches (engine_caches.h) for the same reason: the engine's reset leaves
// GDI+ running, and a font must go while GDI+ is up.
struct KeptFonts {
  SRWLOCK lock = SRWLOCK_INIT;
  std::map<FontKey, gdip::Font> fonts;
};

KeptFonts& Kept() {
  static KeptFonts* kept = new KeptFonts;
  return *kept;
}

}  // namespace

bool SkinFontFromName(gdip::Font& target, std::string_view face, float size, int style, Gdiplus::Unit unit) {
  KeptFonts& kept = Kept();
  FontKey key{std::string(face), size, style, int(unit)};
  bool copied = false;
  {
    const platform::SlimLockHold hold(kept.lock, platform::LockUse::Exclusive);
    auto found = kept.fonts.find(key);
    if (found == kept.fonts.end()) {
      gdip::Font made;
      if (made.CreateFromName(face, size, style, unit)) {
        found = kept.fonts.emplace(std::move(key), std::move(made)).first;
      }
    }
    copied = found != kept.fonts.end() && found->second.Clone(target);
  }
  if (!copied) target.SetNativeObject(nullptr);
  return copied;
}

void SkinReleaseKeptFonts() {
  KeptFonts& kept = Kept();
  const platform::SlimLockHold hold(kept.lock, platform::LockUse::Exclusive);
  kept.fonts.clear();
}

}  // namespace korvath::skin
