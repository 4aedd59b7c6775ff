#include "skin/draw/shape_drawing.h"

#include "gdip/brush.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/path_gradient_brush.h"
#include "gdip/pen.h"
#include "skin/draw/rounded_path.h"

namespace korvath::skin {

gdip::GraphicsPath NewPath() {
  gdip::GraphicsPath path;
  // A path GDI+ does not make stays empty: figures added to it, and drawing
  // it, do nothing.
  if (!path.Create()) return {};
  return path;
}

gdip::GraphicsPath RectPath(float x, float y, float width, float height) {
  gdip::GraphicsPath path = NewPath();
  path.AddRectangle(x, y, width, height);
  return path;
}

gdip::GraphicsPath RoundRectPath(float x, float y, float width, float height, int32_t radius) {
  gdip::GraphicsPath path = NewPath();
  SkinPathAddRoundRect(path, x, y, width, height, radius);
  return path;
}

gdip::GraphicsPath RoundRectPathI(float x, float y, float width, float height, int32_t radius) {
  gdip::GraphicsPath path = NewPath();
  SkinPathAddRoundRectI(path, x, y, width, height, radius);
  return path;
}

gdip::GraphicsPath EllipsePath(float x, float y, float width, float height) {
  gdip::GraphicsPath path = NewPath();
  path.AddEllipse(x, y, width, height);
  return path;
}

void FillRadial(gdip::Graphics& graphics, const gdip::GraphicsPath& path, gdip::Argb centre, gdip::Argb surround,
                float focus) {
  gdip::PathGradientBrush brush;
  if (!brush.CreateFromPath(path)) return;
  brush.SetCenterColor(centre);
  const gdip::Argb surrounds[] = {surround};
  brush.SetSurroundColorsWithCount(surrounds);
  brush.SetFocusScales(focus, focus);
  graphics.FillPath(brush, path);
}

void SkinStrokePath(gdip::Graphics& graphics, const gdip::GraphicsPath& path, int32_t width, gdip::Argb colour) {
  gdip::Pen pen;
  if (!pen.CreateFromColor(colour, 1.0f)) return;
  for (int32_t i = 1; i <= width; ++i) {
    pen.SetWidth(float(i));
    graphics.DrawPath(pen, path);
  }
}

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
                      gdip::Argb second, const gdip::RectF& rect) {
  gdip::LinearGradientBrush brush;
  if (brush.CreateFromPoints(from, to, first, second)) {
    graphics.FillRectangle(brush, rect.x, rect.y, rect.width, rect.height);
  }
}

void SkinStroke(gdip::Graphics& graphics, gdip::Argb colour, float penWidth, float x, float y, float width,
                float height) {
  gdip::Pen pen;
  if (pen.CreateFromColor(colour, penWidth)) graphics.DrawRectangle(pen, x, y, width, height);
}

void SkinStroke(gdip::Graphics& graphics, gdip::Argb colour, const gdip::GraphicsPath& path, float penWidth) {
  gdip::Pen pen;
  if (pen.CreateFromColor(colour, penWidth)) graphics.DrawPath(pen, path);
}

void SkinStrokeLine(gdip::Graphics& graphics, gdip::Argb colour, float x1, float y1, float x2, float y2) {
  gdip::Pen pen;
  if (pen.CreateFromColor(colour, 1.0f)) graphics.DrawLine(pen, x1, y1, x2, y2);
}

}  // namespace korvath::skin
