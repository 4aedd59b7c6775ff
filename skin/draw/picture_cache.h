#pragma once
// Small built-in pictures decoded once. Decoding a PNG through GDI+ costs
// about a millisecond a picture under Wine, more than the rest of a control's
// paint; the painters that draw the same few glyphs at every paint take them
// from here instead, as bitmaps over pixels kept until the engine's next start
// (an engine cache: SkinEngineReset empties it).
#include <cstdint>
#include <span>

namespace korvath::gdip {
class Bitmap;
}

namespace korvath::skin {

// Makes `target` a 32-bit ARGB bitmap of the PNG file `png` (one of the
// program's constant pictures: the cache is keyed by its address). The bytes
// are decoded at the first call after the engine's start only. False, with `target` holding nothing,
// when they are no picture.
[[nodiscard]] bool SkinLoadCachedPicture(gdip::Bitmap& target, std::span<const uint8_t> png);

}  // namespace korvath::skin
