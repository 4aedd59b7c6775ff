#include "skin/core/keyed_copy.h"

#include <cstdint>

#include "platform/gdi_object.h"

namespace korvath::skin {

namespace {

constexpr DWORD kAndWithBrush = 0x00A000C9;  // DPa

// True unless the picture's bits are readable and no pixel has the key's red,
// green and blue (whatever its fourth byte: a pixel that may be the key
// counts as the key).
bool MayHoldKey(HDC picture, COLORREF key) {
  DIBSECTION dib = {};
  if (GetObjectW(GetCurrentObject(picture, OBJ_BITMAP), sizeof(dib), &dib) != sizeof(dib) ||
      dib.dsBm.bmBitsPixel != 32 || !dib.dsBm.bmBits) {
    return true;
  }
  GdiFlush();
  const uint32_t rgb = (uint32_t(GetRValue(key)) << 16) | (uint32_t(GetGValue(key)) << 8) | GetBValue(key);
  const auto* bits = static_cast<const uint8_t*>(dib.dsBm.bmBits);
  for (int row = 0; row < dib.dsBm.bmHeight; ++row) {
    const auto* pixel = reinterpret_cast<const uint32_t*>(bits + size_t(row) * size_t(dib.dsBm.bmWidthBytes));
    for (int x = 0; x < dib.dsBm.bmWidth; ++x) {
      if ((pixel[x] & 0x00FFFFFFu) == rgb) return true;
    }
  }
  return false;
}

}  // namespace

void SkinKeyedCopy(HDC target, int x, int y, int width, int height, HDC picture, COLORREF key) {
  if (MayHoldKey(picture, key)) {
    TransparentBlt(target, x, y, width, height, picture, 0, 0, width, height, key);
    return;
  }
  BitBlt(target, x, y, width, height, picture, 0, 0, SRCCOPY);
  // TransparentBlt leaves the fourth byte of every pixel it copies 0: the
  // copy is ANDed with white.
  const platform::GdiBrush white(CreateSolidBrush(RGB(255, 255, 255)));
  const HGDIOBJ previous = SelectObject(target, white.get());
  PatBlt(target, x, y, width, height, kAndWithBrush);
  SelectObject(target, previous);
}

}  // namespace korvath::skin
