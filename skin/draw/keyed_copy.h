#pragma once
// A picture copied with the areas of one colour left out.
#include <windows.h>

#include <optional>

namespace korvath::skin {

// Copies `place`'s size of `picture` (a memory DC over a 32-bit DIB section,
// as SkinMemoryDc makes) from its (0, 0) to `place` in `target`, leaving out
// the pixels of colour `key`: what TransparentBlt does, to the byte.
// `keyArea` is where the caller filled the picture with the key (picture
// coordinates). A picture whose key pixels are all there, and all of the
// key, takes two plain transfers; under Wine TransparentBlt costs two DCs,
// two bitmaps and five transfers (about 0.1 ms for a combo box).
void SkinKeyedCopy(HDC target, const RECT& place, HDC picture, COLORREF key,
                   std::optional<RECT> keyArea = std::nullopt);

}  // namespace korvath::skin
