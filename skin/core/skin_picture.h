#pragma once
// `SkinPicture`: the engine's scalable skin graphic. It holds one picture in
// up to four states (normal, hot, focused or pressed, disabled). Each state is
// cut once, when it is loaded, into nine pieces along divider lines that the
// picture shows with key pixels (opaque magenta), and is drawn into a
// destination rectangle of any size: the corners at their natural size, the
// edges and the centre tiled over the space between them (a nine-grid).
//
// Pieces are kept as PNG bytes, so pictures copy and release as plain data;
// a copy is independent of the picture it was made from.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "skin/core/byte_set.h"

namespace korvath::gdip {
class Graphics;
}

namespace korvath::skin {

// One of the nine pieces of a state.
struct SkinPicturePiece {
  int32_t width = 0;
  int32_t height = 0;
  ByteSet picture;  // the piece as a PNG file; empty when absent or not copied
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
  static constexpr int kStateCount = 4;

  // Draws nine pieces into the destination rectangle (SetBounds) in the order
  // above; a piece without a picture is skipped. Nothing is clamped: corners
  // larger than the destination overlap, and edge and centre fills get the
  // zero or negative extents as computed. The graphics' own modes and clip
  // apply. Fewer than nine pieces (an unloaded state) draw nothing.
  void DrawNineGrid(gdip::Graphics& graphics, const std::vector<SkinPicturePiece>& pieces) const;
  // Replaces `pieces` by the nine pieces cut from the picture file and returns
  // its height << 16 | its width (0 when the bytes do not decode).
  int32_t LoadPicture(std::span<const uint8_t> picture, std::vector<SkinPicturePiece>& pieces) const;
  // The destination rectangle of the next draws, in the graphics' coordinates.
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  void DrawState1(gdip::Graphics& graphics) const { DrawNineGrid(graphics, states_[0]); }
  void DrawState2(gdip::Graphics& graphics) const { DrawNineGrid(graphics, states_[1]); }
  void DrawState3(gdip::Graphics& graphics) const { DrawNineGrid(graphics, states_[2]); }
  void DrawState4(gdip::Graphics& graphics) const { DrawNineGrid(graphics, states_[3]); }
  // Loaded.
  bool GetField1() const { return loaded_; }
  // The inset of the outline that users draw with the picture (default 3).
  int32_t GetField3() const { return inset_; }
  // That outline's corner radius (default 10).
  int32_t GetField2() const { return radius_; }
  // Loads all four states; a state whose picture is not given gets copies of
  // state 1's pieces and size. Returns true.
  bool LoadStates(std::span<const uint8_t> picture1,
                  std::optional<std::span<const uint8_t>> picture2 = std::nullopt,
                  std::optional<std::span<const uint8_t>> picture3 = std::nullopt,
                  std::optional<std::span<const uint8_t>> picture4 = std::nullopt,
                  std::optional<int32_t> radius = std::nullopt,
                  std::optional<int32_t> inset = std::nullopt);
  SkinPictureSize GetStateSize1() const { return sizes_[0]; }
  SkinPictureSize GetStateSize2() const { return sizes_[1]; }
  SkinPictureSize GetStateSize3() const { return sizes_[2]; }
  SkinPictureSize GetStateSize4() const { return sizes_[3]; }

  // The pieces of state 1 .. 4.
  const std::vector<SkinPicturePiece>& StatePieces(int state) const { return states_[state - 1]; }

 private:
  friend void SkinClearObjectField(SkinPicture& picture);

  bool loaded_ = false;
  int32_t radius_ = 0;
  int32_t inset_ = 0;
  std::vector<SkinPicturePiece> states_[kStateCount];
  int32_t left_ = 0;
  int32_t top_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  SkinPictureSize sizes_[kStateCount];
};

// Marks a new picture unloaded; run right after every creation.
void SkinClearObjectField(SkinPicture& picture);

}  // namespace korvath::skin
