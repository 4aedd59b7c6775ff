#include "skin/button/button_drawing.h"

#include <gdiplus.h>

#include "gdip/graphics.h"
#include "gdip/image.h"
#include "skin/core/control_entries.h"

namespace korvath::skin {

int32_t DrawPictureAt(gdip::Graphics& g, const ByteSet& picture, float x, float y, int32_t boxHeight) {
  if (picture.empty()) return 0;
  gdip::Image image;
  if (!image.FromStream(picture)) return 0;
  const int32_t w = image.GetWidth(), h = image.GetHeight();
  const float top = boxHeight < 0 ? y : y + float(boxHeight - h) / 2;
  g.DrawImageRect(image, x, top, float(w), float(h));
  return w;
}

ControlTextLook GlowingCaptionLook(const SkinButtonEntry& entry, COLORREF textColour) {
  return {.textColour = textColour,
          .glowColour = entry.CaptionEffectColor.value_or(0),
          .face = entry.FontFace,
          .style = entry.FontStyle,
          .size = float(entry.FontSize),
          .horizontalAlign = Gdiplus::StringAlignmentCenter,
          .verticalAlign = Gdiplus::StringAlignmentCenter};
}

}  // namespace korvath::skin
