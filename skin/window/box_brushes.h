#pragma once
// The brushes and pens a skinned message box is painted with, each of one
// Windows colour at an alpha. One that GDI+ does not make stays empty:
// drawing with it draws nothing.
#include <windows.h>

#include <cstdint>

#include "gdip/brush.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/pen.h"

namespace korvath::skin {

gdip::SolidBrush Solid(COLORREF colour, int32_t alpha);
gdip::Pen ThinPen(COLORREF colour, int32_t alpha, float width = 1);
// A gradient from the first point's colour to the second's.
gdip::LinearGradientBrush Gradient(float x1, float y1, COLORREF c1, int32_t a1, float x2, float y2, COLORREF c2,
                                   int32_t a2);

}  // namespace korvath::skin
