#include "skin/draw/image_strip.h"

#include <string>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "gdip/pen.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

constexpr COLORREF kMagenta = RGB(0xFF, 0x00, 0xFF);
// The pixel row on which separator columns are looked for.
constexpr int kSeparatorRow = 2;

// The picture decoded; bytes that do not decode give an empty bitmap, whose
// size reads 0 x 0.
gdip::Bitmap Decoded(std::span<const uint8_t> picture) {
  gdip::Bitmap bitmap;
  if (!bitmap.FromStream(picture)) return {};
  return bitmap;
}

// Two one-pixel magenta lines each way around the centre of a cell, drawn on
// the cut-out before it is saved.
void DrawGuides(gdip::Bitmap& cell, float width, float height) {
  gdip::Graphics graphics;
  if (!SkinGraphicsOnImage(graphics, cell)) return;
  gdip::Pen pen;
  if (!pen.CreateFromColor(SkinArgbFromColorRef(kMagenta), 1.0f)) return;
  const float midY = height / 2;
  const float midX = width / 2;
  graphics.DrawLine(pen, 0, midY - 1, width, midY - 1);
  graphics.DrawLine(pen, 0, midY + 1, width, midY + 1);
  graphics.DrawLine(pen, midX - 1, 0, midX - 1, height);
  graphics.DrawLine(pen, midX + 1, 0, midX + 1, height);
}

// The area of the picture as a PNG file of its own; empty when GDI+ refuses
// the area (empty, or reaching past the picture).
std::vector<uint8_t> SaveArea(const gdip::Bitmap& picture, const gdip::RectF& area, bool guides) {
  gdip::Bitmap cell;
  if (!picture.CloneArea(area, gdip::kPixelFormat32bppArgb, cell)) return {};
  if (guides) DrawGuides(cell, area.width, area.height);
  std::string png(gdip::kPngFormat);
  return cell.SaveToStream(&png);
}

}  // namespace

const ImageStrip::Cell* ImageStrip::CellAt(int32_t n) const {
  if (n < 1 || size_t(n) > cells_.size()) return nullptr;
  return &cells_[size_t(n) - 1];
}

void ImageStrip::Clear() { cells_.clear(); }

int32_t ImageStrip::Load(std::span<const uint8_t> picture, std::optional<COLORREF> keyColour) {
  Clear();
  keyColour_ = keyColour.value_or(kMagenta);
  return Split(picture);
}

int32_t ImageStrip::Split(std::span<const uint8_t> picture) {
  const gdip::Bitmap bitmap = Decoded(picture);
  width_ = bitmap.GetWidth();
  height_ = bitmap.GetHeight();
  const gdip::Argb key = SkinArgbFromColorRef(keyColour_);

  auto append = [&](int left, int width) {
    const gdip::RectF area = SkinMakeRect(float(left), 0, float(width), float(height_));
    cells_.push_back(Cell{width, height_, SaveArea(bitmap, area, false)});
  };
  int start = 0;
  for (int x = 1; x < width_; ++x) {
    if (bitmap.GetPixel(x, kSeparatorRow) == key) {
      append(start, x - start);
      start = x + 1;
    }
  }
  append(start, width_ - start);
  return GetCount();
}

int32_t ImageStrip::SplitFixed(std::span<const uint8_t> picture, int32_t cellSize, bool guides,
                               bool alongX) {
  Clear();
  const gdip::Bitmap bitmap = Decoded(picture);
  width_ = bitmap.GetWidth();
  height_ = bitmap.GetHeight();
  // A size below 1 would never advance the cut: no cells at all.
  if (cellSize >= 1) {
    const int32_t extent = alongX ? width_ : height_;
    for (int32_t at = 0; at < extent; at += cellSize) {
      const gdip::RectF area = alongX
                                   ? SkinMakeRect(float(at), 0, float(cellSize), float(height_))
                                   : SkinMakeRect(0, float(at), float(width_), float(cellSize));
      cells_.push_back(Cell{alongX ? cellSize : width_, alongX ? height_ : cellSize,
                            SaveArea(bitmap, area, guides)});
    }
  }
  return GetCount();
}

int32_t ImageStrip::SplitByWidth(std::span<const uint8_t> picture, int32_t cellWidth, bool guides) {
  return SplitFixed(picture, cellWidth, guides, true);
}

int32_t ImageStrip::SplitByHeight(std::span<const uint8_t> picture, int32_t cellHeight, bool guides) {
  return SplitFixed(picture, cellHeight, guides, false);
}

int32_t ImageStrip::AddCell(std::span<const uint8_t> picture) {
  gdip::Image image;
  // A cell that does not decode is kept with a size of 0 x 0.
  const bool decoded = image.FromStream(picture);
  Cell cell{decoded ? image.GetWidth() : 0, decoded ? image.GetHeight() : 0,
            std::vector<uint8_t>(picture.begin(), picture.end())};
  image.Dispose();
  width_ += cell.width;
  cells_.push_back(std::move(cell));
  return GetCount();
}

bool ImageStrip::RemoveCell(int32_t n) {
  if (n < 1 || size_t(n) > cells_.size()) return false;
  width_ -= cells_[size_t(n) - 1].width;
  cells_.erase(cells_.begin() + (n - 1));
  return true;
}

std::vector<uint8_t> ImageStrip::GetCellPicture(int32_t n) const {
  const Cell* cell = CellAt(n);
  return cell ? cell->picture : std::vector<uint8_t>{};
}

int32_t ImageStrip::GetCellWidth(int32_t n) const {
  const Cell* cell = CellAt(n);
  return cell ? cell->width : 0;
}

int32_t ImageStrip::GetCellHeight(int32_t n) const {
  const Cell* cell = CellAt(n);
  return cell ? cell->height : 0;
}

}  // namespace korvath::skin
