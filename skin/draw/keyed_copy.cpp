#include "skin/draw/keyed_copy.h"

#include <cstdint>

#include "platform/gdi_object.h"
#include "skin/draw/section_pixels.h"

namespace korvath::skin {

namespace {

constexpr DWORD kAndWithBrush = 0x00A000C9;  // DPa

// True when the picture's bits are readable, every pixel of `keyArea` is the
// key (as a fill with the key's colour leaves it) and no pixel outside it has
// the key's red, green and blue (whatever its fourth byte: a pixel that may
// be the key counts as one): a plain copy beside `keyArea` then copies what
// TransparentBlt would.
bool KeyOnlyIn(HDC picture, COLORREF key, const RECT& keyArea) {
  const std::optional<SectionPixels> section = SkinSection32(picture);
  if (!section) return false;
  GdiFlush();
  const uint32_t rgb = (uint32_t(GetRValue(key)) << 16) | (uint32_t(GetGValue(key)) << 8) | GetBValue(key);
  for (int y = 0; y < section->height; ++y) {
    const uint32_t* pixel = section->Row(y);
    const bool rowCrossesArea = y >= keyArea.top && y < keyArea.bottom;
    for (int x = 0; x < section->width; ++x) {
      if (rowCrossesArea && x >= keyArea.left && x < keyArea.right) {
        if (pixel[x] != rgb) return false;
      } else if ((pixel[x] & 0x00FFFFFFu) == rgb) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

void SkinKeyedCopy(HDC target, const RECT& place, HDC picture, COLORREF key, std::optional<RECT> keyArea) {
  const int x = place.left, y = place.top;
  const int width = place.right - place.left, height = place.bottom - place.top;
  if (!KeyOnlyIn(picture, key, keyArea.value_or(RECT{}))) {
    TransparentBlt(target, x, y, width, height, picture, 0, 0, width, height, key);
    return;
  }
  {
    platform::SavedDCState keep(target);
    if (keyArea) ExcludeClipRect(target, x + keyArea->left, y + keyArea->top, x + keyArea->right, y + keyArea->bottom);
    BitBlt(target, x, y, width, height, picture, 0, 0, SRCCOPY);
  }
  // TransparentBlt leaves the fourth byte of every pixel it passes over 0,
  // the key's as well: the whole rectangle is ANDed with white.
  const platform::GdiBrush white(CreateSolidBrush(RGB(255, 255, 255)));
  const HGDIOBJ previous = SelectObject(target, white.get());
  PatBlt(target, x, y, width, height, kAndWithBrush);
  SelectObject(target, previous);
}

}  // namespace korvath::skin
