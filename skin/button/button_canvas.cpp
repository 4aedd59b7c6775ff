#include "skin/button/button_canvas.h"

#include <gdiplus.h>

#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/image.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/path_gradient_brush.h"
#include "gdip/pen.h"
#include "gdip/string_format.h"
#include "platform/gdi_object.h"
#include "skin/core/control_entries.h"
#include "skin/core/child_layer.h"
#include "skin/core/drawing_values.h"
#include "skin/core/font_cache.h"
#include "skin/core/parent_background.h"
#include "skin/core/rounded_path.h"
#include "skin/core/skin_graphics.h"

namespace korvath::skin {

ButtonCanvas::ButtonCanvas(HWND window, const RECT& rect)
    : window_(window),
      width_(rect.right - rect.left),
      height_(rect.bottom - rect.top),
      surface_(SkinPaintParentBackground(window, rect)) {
  ready_ = surface_ && SkinGraphicsOnDC(graphics_, surface_.get());
}

SkinMemoryDc ButtonCanvas::Finish() {
  graphics_.Delete();
  if (surface_) SkinPaintChildBackground(window_, surface_.get());
  return std::move(surface_);
}

void ButtonCanvas::CopyTo(HDC target) {
  SkinMemoryDc picture = Finish();
  if (picture) BitBlt(target, 0, 0, width_, height_, picture.get(), 0, 0, SRCCOPY);
}

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
