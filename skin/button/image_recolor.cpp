#include "skin/button/image_recolor.h"

#include <string>

#include "gdip/bitmap.h"
#include "platform/embedded_image.h"
#include "skin/core/engine_startup.h"
#include "skin/draw/drawing_values.h"

namespace korvath::skin {

namespace {

// The GDI+ identifier of the PNG image format.
constexpr char kPngFormat[] = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";

// A channel scaled by the theme's channel, truncated.
int32_t Scale(int32_t channel, int32_t theme) { return int32_t(double(channel) / 255.0 * double(theme)); }

}  // namespace

std::span<const uint8_t> TickImage() { return platform::EmbeddedImageBytes(EmbeddedTickImage()); }

COLORREF ArgbToColorRef(uint32_t argb, uint8_t* alpha) {
  if (alpha) *alpha = uint8_t(argb >> 24);
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

ByteSet RecolorImageBytes() {
  gdip::Bitmap bitmap;
  if (!bitmap.FromStream(TickImage())) return {};
  const int32_t w = bitmap.GetWidth(), h = bitmap.GetHeight();
  if (w <= 0 || h <= 0) return {};
  const COLORREF theme = SkinEngine.options.SkinThemeColor;
  const int32_t tR = GetRValue(theme), tG = GetGValue(theme), tB = GetBValue(theme);
  for (int32_t i = 0; i < w; ++i) {
    for (int32_t j = 0; j < h; ++j) {
      const COLORREF c = ArgbToColorRef(bitmap.GetPixel(i, j));
      if (c == 0xFFFFFF) continue;
      const int32_t r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
      const int32_t grey = (r + g + b) / 3;
      const COLORREF tinted = RGB(Scale(r, tR), Scale(g, tG), Scale(b, tB));
      bitmap.SetPixel(i, j, SkinArgbFromColorRef(tinted, 255 - grey));
    }
  }
  std::string format = kPngFormat;
  return bitmap.SaveToStream(&format);
}

}  // namespace korvath::skin
