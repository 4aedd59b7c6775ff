#pragma once
// The fills and strokes the control painters are made of, each with a brush
// or pen of its own that lives for that one call. A brush or pen that
// GDI+ does not make draws nothing, and the painter goes on.
#include <windows.h>

#include <cstdint>

#include "gdip/geometry.h"

namespace korvath::gdip {
class Graphics;
class GraphicsPath;
}  // namespace korvath::gdip

namespace korvath::skin {

void SkinFillSolid(gdip::Graphics& graphics, gdip::Argb colour, float x, float y, float width, float height);
void SkinFillSolid(gdip::Graphics& graphics, gdip::Argb colour, const gdip::GraphicsPath& path);
// A linear gradient from `first` at `from` to `second` at `to`.
void SkinFillGradient(gdip::Graphics& graphics, gdip::PointF from, gdip::PointF to, gdip::Argb first,
                      gdip::Argb second, const gdip::GraphicsPath& path);
void SkinFillGradient(gdip::Graphics& graphics, gdip::PointF from, gdip::PointF to, gdip::Argb first,
                      gdip::Argb second, float x, float y, float width, float height);
void SkinStroke(gdip::Graphics& graphics, gdip::Argb colour, float penWidth, float x, float y, float width,
                float height);
void SkinStroke(gdip::Graphics& graphics, gdip::Argb colour, const gdip::GraphicsPath& path);
void SkinStrokeLine(gdip::Graphics& graphics, gdip::Argb colour, float x1, float y1, float x2, float y2);

}  // namespace korvath::skin
