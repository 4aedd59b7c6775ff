#include "skin/window/box_brushes.h"

#include "skin/core/drawing_values.h"

namespace korvath::skin {

gdip::SolidBrush Solid(COLORREF colour, int32_t alpha) {
  gdip::SolidBrush brush;
  if (!brush.Create(SkinArgbFromColorRef(colour, alpha))) return {};
  return brush;
}

gdip::Pen ThinPen(COLORREF colour, int32_t alpha, float width) {
  gdip::Pen pen;
  if (!pen.CreateFromColor(SkinArgbFromColorRef(colour, alpha), width)) return {};
  return pen;
}

gdip::LinearGradientBrush Gradient(float x1, float y1, COLORREF c1, int32_t a1, float x2, float y2, COLORREF c2,
                                   int32_t a2) {
  gdip::LinearGradientBrush brush;
  if (!brush.CreateFromPoints(MakePointF(x1, y1), MakePointF(x2, y2), SkinArgbFromColorRef(c1, a1),
                              SkinArgbFromColorRef(c2, a2)))
    return {};
  return brush;
}

}  // namespace korvath::skin
