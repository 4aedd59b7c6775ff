#pragma once
// `SkinPicture`: the engine's scalable skin graphic. It holds one picture in
// up to four states (normal, hot, focused, disabled). Each state is
// cut once, when it is loaded, into nine pieces along divider lines that the
// picture shows with key pixels (opaque magenta), and is drawn into a
// destination rectangle of any size: the corners at their natural size, the
// edges and the centre tiled over the space between them (a nine-grid).
//
// Pieces are decoded once, when loaded, and never change afterwards: copies
// share them, and loading again gives the object new pieces without touching
// a copy's.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "gdip/geometry.h"

namespace korvath::gdip {
class Bitmap;
class Graphics;
}  // namespace korvath::gdip

namespace korvath::skin {

// One of the nine pieces of a state.
struct SkinPicturePiece {
  int32_t width = 0;
  int32_t height = 0;
  // The piece's pixels; null when absent or when its copy failed.
  std::shared_ptr<const gdip::Bitmap> picture;
};

// A state's source-picture size.
struct SkinPictureSize {
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const SkinPictureSize&, const SkinPictureSize&) = default;
};

class SkinPicture {
 public:
  // The order of a loaded state's nine pieces.
  enum Piece {
    kTopLeft, kBottomLeft, kTopRight, kBottomRight,
    kLeftEdge, kTopEdge, kRightEdge, kBottomEdge, kCentre, kPieceCount
  };
  // The looks a button painter picks from. Pressing has no look here: a
  // pressed button shows the look of its other state (state 3 while it has
  // the focus), with its painter's pressed shading, if any, over it.
  enum State { kNormal = 1, kHot, kFocused, kDisabled };
  static constexpr int kStateCount = 4;

  // Loads all four states; a state whose picture is not given gets state 1's
  // pieces and size. Returns true.
  bool LoadStates(std::span<const uint8_t> picture1,
                  std::optional<std::span<const uint8_t>> picture2 = std::nullopt,
                  std::optional<std::span<const uint8_t>> picture3 = std::nullopt,
                  std::optional<std::span<const uint8_t>> picture4 = std::nullopt,
                  std::optional<int32_t> radius = std::nullopt,
                  std::optional<int32_t> inset = std::nullopt);

  // Stores the destination rectangle of the draws that follow, in the
  // coordinates of the graphics drawn on. It is where the next draw goes, not
  // part of the picture's look, so a painter holding the picture read-only
  // may set it too.
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) const;
  // Draws nine pieces into the destination rectangle: the corners at their
  // size, the edges and the centre tiled from their fill's corner; a piece
  // without a picture is skipped. Nothing is clamped: corners larger than the
  // rectangle overlap, and edge and centre fills get the zero or negative
  // extents as computed. The graphics' own modes and clip apply. Fewer than
  // nine pieces (an unloaded state) draw nothing.
  void DrawNineGrid(gdip::Graphics& graphics, const std::vector<SkinPicturePiece>& pieces) const;
  // The normal, hot, focused and disabled looks, drawn into the destination
  // rectangle.
  void DrawState1(gdip::Graphics& graphics) const { DrawNineGrid(graphics, states_[0]); }
  void DrawState2(gdip::Graphics& graphics) const { DrawNineGrid(graphics, states_[1]); }
  void DrawState3(gdip::Graphics& graphics) const { DrawNineGrid(graphics, states_[2]); }
  void DrawState4(gdip::Graphics& graphics) const { DrawNineGrid(graphics, states_[3]); }
  // SetBounds(rect), then the state's draw.
  void Draw(gdip::Graphics& graphics, const gdip::Rect& rect, State state) const;

  // Loaded: LoadStates has run.
  bool GetField1() const { return loaded_; }
  // The corner radius of the outline that users draw with the picture
  // (default 10 once loaded).
  int32_t GetField2() const { return radius_; }
  // That outline's inset; the panel moves its target in by it too (default 3
  // once loaded).
  int32_t GetField3() const { return inset_; }
  SkinPictureSize GetStateSize1() const { return sizes_[0]; }
  SkinPictureSize GetStateSize2() const { return sizes_[1]; }
  SkinPictureSize GetStateSize3() const { return sizes_[2]; }
  SkinPictureSize GetStateSize4() const { return sizes_[3]; }

 private:
  friend void SkinClearObjectField(SkinPicture& picture);

  // Cuts a picture file into its nine pieces, in the order above, and
  // returns its height << 16 | its width (0 when the bytes do not decode).
  static int32_t LoadPicture(std::span<const uint8_t> picture, std::vector<SkinPicturePiece>& pieces);

  bool loaded_ = false;
  int32_t radius_ = 0;
  int32_t inset_ = 0;
  std::vector<SkinPicturePiece> states_[kStateCount];
  SkinPictureSize sizes_[kStateCount];
  mutable gdip::Rect bounds_{};
};

// Marks a new picture unloaded; run right after every creation.
void SkinClearObjectField(SkinPicture& picture);

}  // namespace korvath::skin
