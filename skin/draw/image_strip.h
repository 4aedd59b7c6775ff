#pragma once
// One picture cut into cells, each kept as a small PNG of its own, so that
// painters can ask for cell n by number and draw it with GDI+. The engine's
// one instance holds the check-box glyph strip.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace korvath::skin {

class ImageStrip {
 public:
  // Forgets every cell, sets the key colour (magenta when none is given) and
  // cuts the picture at its key-coloured columns. Returns the cell count.
  int32_t Load(std::span<const uint8_t> picture, std::optional<COLORREF> keyColour = std::nullopt);
  // Cuts the picture at every column whose pixel on row 2 is the key colour,
  // fully opaque (column 0 is never a separator), and appends the cells after
  // the ones already held. k separators give k + 1 cells; bytes that are no
  // image give one empty cell. Returns the cell count.
  int32_t Split(std::span<const uint8_t> picture);
  // Forgets every cell and cuts cells of a fixed width (or height), left to
  // right (top to bottom). A last cell reaching past the picture's edge
  // counts, with an empty picture. A size below 1 gives no cells. With
  // guides, each cell gets two magenta lines each way around its centre.
  int32_t SplitByWidth(std::span<const uint8_t> picture, int32_t cellWidth, bool guides);
  int32_t SplitByHeight(std::span<const uint8_t> picture, int32_t cellHeight, bool guides);

  // Appends a cell holding a copy of the picture; the strip's width grows by
  // its width. Returns the cell count.
  int32_t AddCell(std::span<const uint8_t> picture);
  // False when there is no cell n (1-based).
  bool RemoveCell(int32_t n);

  // Cell n's PNG bytes (1-based); empty when there is no cell n.
  std::vector<uint8_t> GetCellPicture(int32_t n) const;
  int32_t GetCount() const { return int32_t(cells_.size()); }
  int32_t GetWidth() const { return width_; }
  int32_t GetHeight() const { return height_; }
  // 0 when there is no cell n.
  int32_t GetCellWidth(int32_t n) const;
  int32_t GetCellHeight(int32_t n) const;

 private:
  struct Cell {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> picture;  // a PNG file; empty when the cut failed
  };

  const Cell* CellAt(int32_t n) const;
  void Clear();
  int32_t SplitFixed(std::span<const uint8_t> picture, int32_t cellSize, bool guides, bool alongX);

  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<Cell> cells_;
  COLORREF keyColour_ = RGB(0xFF, 0x00, 0xFF);
};

}  // namespace korvath::skin
