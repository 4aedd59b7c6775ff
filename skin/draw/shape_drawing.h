#pragma once
// The fills and strokes the control painters are made of, each with a brush
// or pen of its own that lives for that one call. A brush or pen that
// GDI+ does not make draws nothing, and the painter goes on.
#include <windows.h>

#include <cstdint>

#include "gdip/geometry.h"
#include "gdip/graphics_path.h"

namespace korvath::gdip {
class Graphics;
}  // namespace korvath::gdip

namespace korvath::skin {

// An empty path, ready for figures (empty, and drawing nothing, when GDI+
// makes none).
gdip::GraphicsPath NewPath();
// A closed rectangle, a closed rounded rectangle (skin corner semantics,
// rounded_path.h) and an ellipse, each a path of its own.
gdip::GraphicsPath RectPath(float x, float y, float width, float height);
gdip::GraphicsPath RoundRectPath(float x, float y, float width, float height, int32_t radius);
gdip::GraphicsPath RoundRectPathI(float x, float y, float width, float height, int32_t radius);
gdip::GraphicsPath EllipsePath(float x, float y, float width, float height);

// Fills the path with a gradient from `centre` at the middle to `surround`
// at the outline, full `centre` within the focus share.
void FillRadial(gdip::Graphics& graphics, const gdip::GraphicsPath& path, gdip::Argb centre, gdip::Argb surround,
                float focus);
// Strokes the path `width` times with pens 1, 2, ... `width` wide:
// translucent strokes build up next to the centre line (a focus ring).
void SkinStrokePath(gdip::Graphics& graphics, const gdip::GraphicsPath& path, int32_t width, gdip::Argb colour);

void SkinFillSolid(gdip::Graphics& graphics, gdip::Argb colour, float x, float y, float width, float height);
void SkinFillSolid(gdip::Graphics& graphics, gdip::Argb colour, const gdip::GraphicsPath& path);
// A linear gradient from `first` at `from` to `second` at `to`.
void SkinFillGradient(gdip::Graphics& graphics, gdip::PointF from, gdip::PointF to, gdip::Argb first,
                      gdip::Argb second, const gdip::GraphicsPath& path);
void SkinFillGradient(gdip::Graphics& graphics, gdip::PointF from, gdip::PointF to, gdip::Argb first,
                      gdip::Argb second, const gdip::RectF& rect);
void SkinStroke(gdip::Graphics& graphics, gdip::Argb colour, float penWidth, float x, float y, float width,
                float height);
void SkinStroke(gdip::Graphics& graphics, gdip::Argb colour, const gdip::GraphicsPath& path, float penWidth = 1);
void SkinStrokeLine(gdip::Graphics& graphics, gdip::Argb colour, float x1, float y1, float x2, float y2);

}  // namespace korvath::skin
