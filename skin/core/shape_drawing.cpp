#include "skin/core/shape_drawing.h"

#include "gdip/brush.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/pen.h"

namespace korvath::skin {

void SkinFillSolid(gdip::Graphics& graphics, gdip::Argb colour, float x, float y, float width, float height) {
  gdip::SolidBrush brush;
  if (brush.Create(colour)) graphics.FillRectangle(brush, x, y, width, height);
}

void SkinFillSolid(gdip::Graphics& graphics, gdip::Argb colour, const gdip::GraphicsPath& path) {
  gdip::SolidBrush brush;
  if (brush.Create(colour)) graphics.FillPath(brush, path);
}

void SkinFillGradient(gdip::Graphics& graphics, gdip::PointF from, gdip::PointF to, gdip::Argb first,
                      gdip::Argb second, const gdip::GraphicsPath& path) {
  gdip::LinearGradientBrush brush;
  if (brush.CreateFromPoints(from, to, first, second)) graphics.FillPath(brush, path);
}

void SkinFillGradient(gdip::Graphics& graphics, gdip::PointF from, gdip::PointF to, gdip::Argb first,
                      gdip::Argb second, float x, float y, float width, float height) {
  gdip::LinearGradientBrush brush;
  if (brush.CreateFromPoints(from, to, first, second)) graphics.FillRectangle(brush, x, y, width, height);
}

void SkinStroke(gdip::Graphics& graphics, gdip::Argb colour, float penWidth, float x, float y, float width,
                float height) {
  gdip::Pen pen;
  if (pen.CreateFromColor(colour, penWidth)) graphics.DrawRectangle(pen, x, y, width, height);
}

void SkinStroke(gdip::Graphics& graphics, gdip::Argb colour, const gdip::GraphicsPath& path) {
  gdip::Pen pen;
  if (pen.CreateFromColor(colour, 1.0f)) graphics.DrawPath(pen, path);
}

void SkinStrokeLine(gdip::Graphics& graphics, gdip::Argb colour, float x1, float y1, float x2, float y2) {
  gdip::Pen pen;
  if (pen.CreateFromColor(colour, 1.0f)) graphics.DrawLine(pen, x1, y1, x2, y2);
}

}  // namespace korvath::skin
