#include "skin/draw/skin_picture.h"

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "gdip/texture_brush.h"
#include "skin/draw/drawing_values.h"

namespace korvath::skin {

// One of the nine pieces of a state.
struct SkinPicturePiece {
  int32_t width = 0;
  int32_t height = 0;
  // The piece's pixels; null when absent or when its copy failed.
  std::shared_ptr<const gdip::Bitmap> picture;
};

// The order of a loaded state's nine pieces.
enum Piece {
  kTopLeft, kBottomLeft, kTopRight, kBottomRight,
  kLeftEdge, kTopEdge, kRightEdge, kBottomEdge, kCentre, kPieceCount
};

struct SkinPictureStates {
  std::vector<SkinPicturePiece> pieces[SkinPicture::kStateCount];
};

// The engine's hold on a picture's insides.
struct SkinPictureInsides {
  static const std::vector<SkinPicturePiece>* Pieces(const SkinPicture& picture, SkinPicture::State state) {
    if (!picture.states_ || state < SkinPicture::kNormal || state > SkinPicture::kDisabled) return nullptr;
    return &picture.states_->pieces[state - SkinPicture::kNormal];
  }
  static gdip::Rect Destination(const SkinPicture& picture) {
    const SkinPicture::Bounds& b = picture.bounds_;
    return {b.left, b.top, b.width, b.height};
  }
  static void SetDestination(const SkinPicture& picture, int32_t left, int32_t top, int32_t width, int32_t height) {
    picture.bounds_ = {left, top, width, height};
  }
  static void Unload(SkinPicture& picture) { picture.loaded_ = false; }
};

namespace {

// Divider pixels: the colour key at full alpha (a magenta pixel with any other
// alpha is an ordinary pixel).
const gdip::Argb kDividerPixel = SkinArgbFromColorRef(0xFF00FF);

struct Cut {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool present = false;
};

// The divider scans of one picture. Reads outside the picture give 0, never
// a divider.
class DividerScan {
 public:
  explicit DividerScan(const gdip::Bitmap& bitmap)
      : bitmap_(bitmap), width_(bitmap.GetWidth()), height_(bitmap.GetHeight()) {}

  int width() const { return width_; }
  int height() const { return height_; }
  bool IsDivider(int x, int y) const { return bitmap_.GetPixel(x, y) == kDividerPixel; }

  // The first x from `from` to `to` (either direction) whose pixel in row y is
  // a divider; nullopt when there is none.
  std::optional<int> InRow(int y, int from, int to) const {
    const int step = from <= to ? 1 : -1;
    for (int x = from; x != to + step; x += step) {
      if (IsDivider(x, y)) return x;
    }
    return std::nullopt;
  }
  std::optional<int> InColumn(int x, int from, int to) const {
    const int step = from <= to ? 1 : -1;
    for (int y = from; y != to + step; y += step) {
      if (IsDivider(x, y)) return y;
    }
    return std::nullopt;
  }

 private:
  const gdip::Bitmap& bitmap_;
  int width_;
  int height_;
};

// Where the nine pieces lie in a picture, from the dividers in its second
// row (x = a, b), its second column (y = c, d) and its last column (e, f):
// the column left of a divider and the row above one belong to no piece, nor
// do the divider lines themselves.
std::array<Cut, kPieceCount> CutPieces(const DividerScan& scan) {
  const int w = scan.width();
  const int h = scan.height();
  std::array<Cut, kPieceCount> cut{};
  Cut& topLeft = cut[kTopLeft];
  Cut& bottomLeft = cut[kBottomLeft];
  Cut& topRight = cut[kTopRight];
  Cut& bottomRight = cut[kBottomRight];

  const int left = scan.InRow(1, 1, w).value_or(w + 1) - 1;
  const int top = scan.InColumn(1, 1, h).value_or(h + 1) - 1;
  topLeft = Cut{0, 0, left, top, true};

  if (top != h) {
    const int y = scan.InColumn(1, h, 1).value_or(0);
    bottomLeft = Cut{0, y + 1, left, h - y - 1, true};
  }
  if (topLeft.width != w) {
    const int x = scan.InRow(1, w, 1).value_or(0);
    // A last column without dividers leaves the right side undefined: it
    // then mirrors the left side's rows.
    const std::optional<int> e = scan.InColumn(w - 1, 1, h);
    topRight = Cut{x + 1, 0, w - (x + 1), e ? *e - 1 : top, true};
  }
  if (topLeft.height != h && topLeft.width != w) {
    const std::optional<int> f = scan.InColumn(w - 1, h, 1);
    const int y = f ? *f : h - bottomLeft.height - 1;
    bottomRight = Cut{topRight.x, y + 1, topRight.width, h - (y + 1), true};
  }

  const Cut& p1 = topLeft;
  const Cut& p2 = bottomLeft;
  const Cut& p3 = topRight;
  const Cut& p4 = bottomRight;
  cut[kLeftEdge] = Cut{0, p1.height + 2, p1.width, h - p2.height - 1 - (p1.height + 2), true};
  cut[kTopEdge] = Cut{p1.width + 2, 0, w - p3.width - 1 - (p1.width + 2), p3.height, true};
  cut[kRightEdge] =
      Cut{w - p3.width, p3.height + 2, p3.width, h - p4.height - 1 - (p3.height + 2), true};
  cut[kBottomEdge] =
      Cut{p2.width + 2, h - p4.height, w - p4.width - 1 - (p2.width + 2), p4.height, true};
  cut[kCentre] = Cut{p1.width + 2, p1.height + 2, w - p3.width - 1 - (p1.width + 2),
                                  h - p2.height - 1 - (p1.height + 2), true};
  return cut;
}

// A copy of the piece's pixels; null for a rectangle that is empty or not
// inside the picture, or when the copy fails.
std::shared_ptr<const gdip::Bitmap> CopyPiece(const gdip::Bitmap& bitmap, const Cut& cut, int w, int h) {
  if (cut.width <= 0 || cut.height <= 0 || cut.x < 0 || cut.y < 0 || cut.x + cut.width > w ||
      cut.y + cut.height > h) {
    return nullptr;
  }
  auto piece = std::make_shared<gdip::Bitmap>();
  const gdip::RectF area{static_cast<float>(cut.x), static_cast<float>(cut.y),
                         static_cast<float>(cut.width), static_cast<float>(cut.height)};
  if (!bitmap.CloneArea(area, gdip::kPixelFormat32bppArgb, *piece)) return nullptr;
  return piece;
}

SkinPictureSize SizeOf(int32_t packed) {
  return SkinPictureSize{static_cast<int16_t>(LoWord(packed)), HiWord(packed)};
}

// Cuts a picture file into its nine pieces, in the order above, and returns
// its height << 16 | its width (0 when the bytes do not decode).
int32_t LoadPicture(std::span<const uint8_t> picture, std::vector<SkinPicturePiece>& pieces) {
  pieces.clear();
  gdip::Bitmap bitmap;
  // Bytes that do not decode leave the bitmap empty: a 0 x 0 picture.
  static_cast<void>(bitmap.FromStream(picture));
  const DividerScan scan(bitmap);
  const int w = scan.width();
  const int h = scan.height();
  for (const Cut& cut : CutPieces(scan)) {
    if (!cut.present) {
      pieces.push_back(SkinPicturePiece{});
      continue;
    }
    pieces.push_back(SkinPicturePiece{cut.width, cut.height, CopyPiece(bitmap, cut, w, h)});
  }
  return static_cast<int32_t>((static_cast<uint32_t>(h) << 16) | static_cast<uint32_t>(w));
}

// Draws nine pieces into the rectangle (fewer, an unloaded state, draw
// nothing).
void DrawNineGrid(gdip::Graphics& graphics, const std::vector<SkinPicturePiece>& pieces, const gdip::Rect& bounds) {
  if (pieces.size() < kPieceCount) return;
  auto p = [&](Piece k) -> const SkinPicturePiece& { return pieces[k]; };
  const int32_t X = bounds.x, Y = bounds.y, W = bounds.width, H = bounds.height;
  struct Place {
    Piece piece;
    bool tiled;
    int32_t x, y, width, height;
  };
  const Place places[kPieceCount] = {
      {kTopLeft, false, X, Y, p(kTopLeft).width, p(kTopLeft).height},
      {kBottomLeft, false, X, Y + H - p(kBottomLeft).height, p(kBottomLeft).width,
       p(kBottomLeft).height},
      {kTopRight, false, X + W - p(kTopRight).width, Y, p(kTopRight).width, p(kTopRight).height},
      {kBottomRight, false, X + W - p(kBottomRight).width, Y + H - p(kBottomRight).height,
       p(kBottomRight).width, p(kBottomRight).height},
      {kLeftEdge, true, X, Y + p(kTopLeft).height, p(kLeftEdge).width,
       H - p(kTopLeft).height - p(kBottomLeft).height},
      {kTopEdge, true, X + p(kTopLeft).width, Y, W - p(kTopLeft).width - p(kTopRight).width,
       p(kTopEdge).height},
      {kRightEdge, true, X + W - p(kRightEdge).width, Y + p(kTopRight).height,
       p(kRightEdge).width, H - p(kTopRight).height - p(kBottomRight).height},
      {kBottomEdge, true, X + p(kTopLeft).width, Y + H - p(kBottomEdge).height,
       W - p(kBottomLeft).width - p(kBottomRight).width, p(kBottomEdge).height},
      {kCentre, true, X + p(kTopLeft).width, Y + p(kTopLeft).height,
       W - p(kTopLeft).width - p(kTopRight).width, H - p(kTopLeft).height - p(kBottomLeft).height},
  };
  for (const Place& place : places) {
    const gdip::Bitmap* image = p(place.piece).picture.get();
    if (!image) continue;
    const float x = static_cast<float>(place.x);
    const float y = static_cast<float>(place.y);
    const float width = static_cast<float>(place.width);
    const float height = static_cast<float>(place.height);
    if (!place.tiled) {
      graphics.DrawImageRect(*image, x, y, width, height);
      continue;
    }
    // The tiling starts at the fill's own corner: nothing is stretched.
    gdip::TextureBrush brush;
    if (!brush.Create(*image, Gdiplus::WrapModeTile)) continue;
    brush.TranslateTransform(x, y, Gdiplus::MatrixOrderPrepend);
    graphics.FillRectangle(brush, x, y, width, height);
  }
}

}  // namespace

bool SkinPicture::LoadStates(std::span<const uint8_t> picture1,
                             std::optional<std::span<const uint8_t>> picture2,
                             std::optional<std::span<const uint8_t>> picture3,
                             std::optional<std::span<const uint8_t>> picture4,
                             std::optional<int32_t> radius, std::optional<int32_t> inset) {
  loaded_ = false;
  states_.reset();
  radius_ = radius.value_or(10);
  inset_ = inset.value_or(3);
  auto states = std::make_shared<SkinPictureStates>();
  sizes_[0] = SizeOf(LoadPicture(picture1, states->pieces[0]));
  const std::optional<std::span<const uint8_t>> others[] = {picture2, picture3, picture4};
  for (int k = 1; k < kStateCount; ++k) {
    if (others[k - 1]) {
      sizes_[k] = SizeOf(LoadPicture(*others[k - 1], states->pieces[k]));
    } else {
      states->pieces[k] = states->pieces[0];
      sizes_[k] = sizes_[0];
    }
  }
  states_ = std::move(states);
  loaded_ = true;
  return true;
}

void SkinPictureSetBounds(const SkinPicture& picture, int32_t left, int32_t top, int32_t width, int32_t height) {
  SkinPictureInsides::SetDestination(picture, left, top, width, height);
}

void SkinPictureDrawState(gdip::Graphics& graphics, const SkinPicture& picture, SkinPicture::State state) {
  if (const std::vector<SkinPicturePiece>* pieces = SkinPictureInsides::Pieces(picture, state))
    DrawNineGrid(graphics, *pieces, SkinPictureInsides::Destination(picture));
}

void SkinPictureDraw(gdip::Graphics& graphics, const SkinPicture& picture, const gdip::Rect& rect,
                     SkinPicture::State state) {
  SkinPictureSetBounds(picture, rect.x, rect.y, rect.width, rect.height);
  SkinPictureDrawState(graphics, picture, state);
}

void SkinClearObjectField(SkinPicture& picture) { SkinPictureInsides::Unload(picture); }

}  // namespace korvath::skin
