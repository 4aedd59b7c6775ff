#pragma once
// A one-pixel outline on a 32-bit DIB section of the engine, with the pixels
// GDI+ gives when it strokes the path through the section's DC. Through a DC,
// GDI+ traces a thin outline onto a layer as large as the path's bounds and
// blends that whole layer through a temporary section: for a window's
// outline, every pixel of the window twice over for a ring of them. Here
// GDI+ traces the outline in small pieces straight onto the section, and
// only the pixels it traced get the outline's colour, blended as GDI blends.
#include <windows.h>

#include "gdip/geometry.h"

namespace korvath::gdip {
class GraphicsPath;
}  // namespace korvath::gdip

namespace korvath::skin {

// Strokes `path` with a one-pixel pen of `colour` onto the bottom-up DIB
// section selected into `memoryDc` (as the engine's memory DCs hold; GDI
// does not tell a top-down section from one). The outline must lie within
// `reach` pixels inside `bounds` (a rounded rectangle's lies within its
// corner size plus a pixel or two): only that band is looked at. False, with nothing drawn, when the DC holds no
// 32-bit DIB section or GDI+ could not trace: the caller strokes through GDI+.
bool SkinStrokeThinOutline(HDC memoryDc, const gdip::GraphicsPath& path, gdip::Argb colour, const RECT& bounds,
                           int reach);

}  // namespace korvath::skin
