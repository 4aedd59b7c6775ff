#pragma once
// A picture stretched over a 32-bit DIB section with GDI+'s default bilinear
// sampling, computed here instead of by GDI+: the same samples, weights and
// rounding as GDI+ under Wine (the one it runs on here), about ten times
// faster, since GDI+ resamples through floating point per pixel and then
// blends through a temporary bitmap. Used where a whole picture is stretched
// at the default modes (no anti-aliasing, default interpolation, compositing
// and pixel offset) onto an area that starts at the DIB's origin.
#include <windows.h>

namespace korvath::gdip {
class Bitmap;
}  // namespace korvath::gdip

namespace korvath::skin {

// Draws the whole `picture` stretched to width x height at (0, 0) of the DIB
// section selected into `dc`, over what the DIB holds (source-over). False,
// with nothing drawn, when the DC holds no 32-bit DIB section, the size is
// empty or larger than the DIB, a 24-bit picture (a JPEG's) is to be made
// larger, or the picture's pixels cannot be read: the caller then draws with
// GDI+.
bool SkinStretchPictureBilinear(gdip::Bitmap& picture, HDC dc, int width, int height);

}  // namespace korvath::skin
