#include "skin/draw/rounded_path.h"

#include <algorithm>

#include "gdip/graphics_path.h"

namespace korvath::skin {

namespace {
int32_t ClampRadius(int32_t radius) { return std::clamp(radius, 1, 100); }
int Truncate(float value) { return static_cast<int>(value); }
}  // namespace

// GDI+ joins each arc to the end of the previous one with a straight line,
// which draws the right, bottom and left edges; closing the figure draws the
// top edge. No status is looked at: a failed step leaves its status behind and
// the rest still runs.
void SkinPathAddRoundRect(gdip::GraphicsPath& path, float x, float y, float width, float height,
                          int32_t radius) {
  const float r = float(ClampRadius(radius));
  const float left = x;
  const float top = y;
  const float right = x + width;
  const float bottom = y + height;
  path.AddArc(right - r, top, r, r, 270, 90);
  path.AddArc(right - r - 1, bottom - r - 1, r + 1, r + 1, 0, 90);
  path.AddArc(left, bottom - r, r, r, 90, 90);
  path.AddArc(left, top, r, r, 180, 90);
  path.CloseFigure();
}

void SkinPathAddRoundRectI(gdip::GraphicsPath& path, float x, float y, float width, float height,
                           int32_t radius) {
  const int32_t r = ClampRadius(radius);
  const float left = x;
  const float top = y;
  const float right = x + width;
  const float bottom = y + height;
  path.AddArcI(Truncate(right - float(r)), Truncate(top), r, r, 270, 90);
  path.AddArcI(Truncate(right - float(r)), Truncate(bottom - float(r)), r, r, 0, 90);
  path.AddArcI(Truncate(left), Truncate(bottom - float(r)), r, r, 90, 90);
  path.AddArcI(Truncate(left), Truncate(top), r, r, 180, 90);
  path.AddLine(left + float(r), top, right - float(r) / 2, top);
  path.CloseFigure();
}

void TabShapePathA(gdip::GraphicsPath& path, int32_t x, int32_t y, int32_t w, int32_t h, int32_t r) {
  const float left = float(x), top = float(y), right = float(x + w), bottom = float(y + h);
  const float corner = float(r);
  path.AddLine(left, bottom, left, top + corner);
  path.AddArc(left, top, corner, corner, 180, 90);
  path.AddLine(left + corner, top, right - corner, top);
  path.AddArc(right - corner, top, corner, corner, 270, 90);
  path.AddLine(right, top + corner, right, bottom);
}

}  // namespace korvath::skin
