#pragma once
// The rounded outlines of skinned windows, buttons, frames and menu items.
#include <cstdint>

namespace korvath::gdip {
class GraphicsPath;
}

namespace korvath::skin {

// Appends a closed rounded rectangle to the path. `radius` (clamped to
// 1 .. 100) is the width and height of a corner's ellipse, in pixels, so the
// visible corner radius is half of it; it is not limited by the rectangle's
// size. The bottom-right corner's ellipse is one pixel larger, with its edges
// still on the rectangle's right and bottom. Each call closes its figure.
void SkinPathAddRoundRect(gdip::GraphicsPath& path, float x, float y, float width, float height,
                          int32_t radius);
// The same outline from integer arcs (positions truncated toward zero), all
// four corners of the same size.
void SkinPathAddRoundRectI(gdip::GraphicsPath& path, float x, float y, float width, float height,
                           int32_t radius);
// Appends one open figure, the outline of a tab: up the left edge from the
// bottom, a rounded top-left corner, the top edge, a rounded top-right corner
// and down the right edge; no bottom edge. Corner arcs are r x r boxes.
void TabShapePathA(gdip::GraphicsPath& path, int32_t x, int32_t y, int32_t w, int32_t h, int32_t r);

}  // namespace korvath::skin
