#include "skin/draw/thin_outline.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/pen.h"
#include "skin/draw/gdi_blend.h"
#include "skin/draw/section_pixels.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

// GDI+ traces a thin outline one straight segment at a time, after
// flattening its curves (by a pixel at most), and gives each segment its
// pixels from its two ends alone; but it sizes a layer of its own by the
// bounds of the whole path and goes over all of it. The flattened outline is
// traced here in pieces of a few segments with small bounds: a long edge
// alone, a corner's short segments together. Every piece of a figure starts
// where the one before ended, so their pixels together are the figure's.
constexpr float kFlatness = 1.0f;
constexpr float kPieceArea = 256.0f;

class PieceTracer {
 public:
  PieceTracer(gdip::Graphics& graphics, const gdip::Pen& pen) : graphics_(graphics), pen_(pen) {}

  bool Add(gdip::PointF p) {
    if (piece_.size() >= 2) {
      const float w = std::max(right_, p.x) - std::min(left_, p.x) + 1;
      const float h = std::max(bottom_, p.y) - std::min(top_, p.y) + 1;
      if (w * h > kPieceArea && !Flush()) return false;
    }
    if (piece_.empty()) left_ = right_ = p.x, top_ = bottom_ = p.y;
    left_ = std::min(left_, p.x), right_ = std::max(right_, p.x);
    top_ = std::min(top_, p.y), bottom_ = std::max(bottom_, p.y);
    piece_.push_back(p);
    return true;
  }

  // Traces what is gathered; the next piece starts at its last point.
  bool Flush() {
    if (piece_.size() >= 2 && !graphics_.DrawLines(pen_, piece_)) return false;
    if (!piece_.empty()) piece_.erase(piece_.begin(), piece_.end() - 1);
    return true;
  }

  bool EndFigure() {
    const bool traced = Flush();
    piece_.clear();
    return traced;
  }

 private:
  gdip::Graphics& graphics_;
  const gdip::Pen& pen_;
  std::vector<gdip::PointF> piece_;
  float left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};

bool TraceInPieces(gdip::Graphics& graphics, const gdip::Pen& pen, const gdip::GraphicsPath& path) {
  gdip::GraphicsPath flat;
  std::vector<gdip::PointF> points;
  std::vector<uint8_t> types;
  if (!path.Clone(flat) || !flat.Flatten(nullptr, kFlatness) || !flat.GetPoints(points) || !flat.GetTypes(types) ||
      points.size() != types.size())
    return false;
  PieceTracer tracer(graphics, pen);
  size_t start = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    const uint8_t kind = types[i] & Gdiplus::PathPointTypePathTypeMask;
    if (kind == Gdiplus::PathPointTypeStart) {
      if (!tracer.EndFigure()) return false;
      start = i;
    } else if (kind != Gdiplus::PathPointTypeLine) {
      return false;  // a flattened path holds straight lines only
    }
    if (!tracer.Add(points[i])) return false;
    if ((types[i] & Gdiplus::PathPointTypeCloseSubpath) && !tracer.Add(points[start])) return false;
  }
  return tracer.EndFigure();
}

// The section's pixels within `reach` of the edges of `bounds`, row by row:
// fn(pixel) for each.
template <class Fn>
void ForEachBandPixel(const SectionPixels& section, RECT bounds, int reach, Fn fn) {
  const int left = std::max<int>(bounds.left, 0), top = std::max<int>(bounds.top, 0);
  const int right = std::min<int>(bounds.right, section.width), bottom = std::min<int>(bounds.bottom, section.height);
  for (int y = top; y < bottom; ++y) {
    uint32_t* line = section.Row(y);
    auto run = [&](int from, int to) {
      for (int x = from; x < to; ++x) fn(line[x]);
    };
    if (y < top + reach || y >= bottom - reach) {
      run(left, right);
    } else {
      run(left, std::min(left + reach, right));
      run(std::max(right - reach, left + reach), right);
    }
  }
}

// An opaque colour that no pixel of `pixels` has: almost always the first
// tried, as a band holds a few thousand of the sixteen million.
uint32_t UnusedColour(const std::vector<uint32_t>& pixels) {
  uint32_t colour = 0xFF13579Bu;
  while (std::find(pixels.begin(), pixels.end(), colour) != pixels.end()) colour = 0xFF000000u | (colour * 2654435761u);
  return colour;
}

}  // namespace

bool SkinStrokeThinOutline(HDC memoryDc, const gdip::GraphicsPath& path, gdip::Argb colour, const RECT& bounds,
                           int reach) {
  const std::optional<SectionPixels> section = SkinSection32(memoryDc);
  if (!section) return false;
  // What GDI drew on the section must be in its bits before they are read.
  GdiFlush();
  std::vector<uint32_t> before;
  before.reserve(size_t(2 * reach) * size_t(std::max<LONG>(bounds.right - bounds.left, 0) + std::max<LONG>(bounds.bottom - bounds.top, 0)));
  ForEachBandPixel(*section, bounds, reach, [&](uint32_t pixel) { before.push_back(pixel); });
  // GDI+ traces the outline straight onto the section in a colour the band
  // does not hold (opaque: it replaces what lies under it); each pixel found
  // in that colour then gets the outline's colour over what it held, as GDI
  // blends GDI+'s layer.
  const uint32_t mark = UnusedColour(before);
  bool traced = false;
  {
    gdip::Bitmap canvas;
    gdip::Graphics graphics;
    gdip::Pen pen;
    traced = canvas.CreateFromScan0(section->width, section->height, section->DownStride(),
                                    gdip::kPixelFormat32bppArgb, section->TopRow()) &&
             SkinGraphicsOnImage(graphics, canvas) && pen.CreateFromColor(mark, 1.0f) &&
             TraceInPieces(graphics, pen, path);
  }
  size_t i = 0;
  ForEachBandPixel(*section, bounds, reach, [&](uint32_t& pixel) {
    const uint32_t was = before[i++];
    pixel = !traced ? was : pixel == mark ? SkinOverThroughGdi(colour, was) : pixel;
  });
  return traced;
}

}  // namespace korvath::skin
