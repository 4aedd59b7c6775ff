#pragma once
// `SkinPicture`: the engine's scalable skin graphic as a program holds it. A
// program may load one and hands it to a form's attach (the buttons'
// picture, FormSkinSettings::buttonPicture) and to a panel's Create; what
// the engine does with it, cutting and drawing, is the engine's own
// (skin/draw/skin_picture.h).
//
// It holds one picture in up to four states (normal, hot, focused,
// disabled). Each state is cut once, when it is loaded, into nine pieces
// along divider lines that the picture shows with key pixels (opaque
// magenta, 0xFF00FF at full alpha, in its second row, its second column and
// its last column), and is drawn into a rectangle of any size: the corners
// at their natural size, the edges and the centre tiled over the space
// between them (a nine-grid). A picture without dividers is all corner:
// drawn once, at its size.
//
// A new picture is unloaded: the engine's painters then draw their own look
// instead. Copies share the pieces, which never change once cut; loading
// again gives the object new pieces without touching a copy's.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace korvath::skin {

// A state's source-picture size.
struct SkinPictureSize {
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const SkinPictureSize&, const SkinPictureSize&) = default;
};

// Each state's nine pieces, the engine's (skin/draw/skin_picture.cpp).
struct SkinPictureStates;

class SkinPicture {
 public:
  // The four looks, in the order LoadStates takes their pictures. A button
  // shows state 1 normally, 2 while hot, 3 while focused or pressed, 4 while
  // disabled.
  enum State { kNormal = 1, kHot, kFocused, kDisabled };
  static constexpr int kStateCount = 4;

  // Loads all four states from encoded pictures (PNG, JPEG, ...), each
  // copied; a state whose picture is not given gets state 1's pieces and
  // size, and bytes that do not decode give a 0 x 0 state that draws
  // nothing. `radius` (10 when not given) and `inset` (3) shape the rounded
  // outline that the engine draws with the picture; a panel also moves its
  // target in by the inset. Returns true.
  bool LoadStates(std::span<const uint8_t> picture1,
                  std::optional<std::span<const uint8_t>> picture2 = std::nullopt,
                  std::optional<std::span<const uint8_t>> picture3 = std::nullopt,
                  std::optional<std::span<const uint8_t>> picture4 = std::nullopt,
                  std::optional<int32_t> radius = std::nullopt,
                  std::optional<int32_t> inset = std::nullopt);

  // Loaded: LoadStates has run.
  bool GetField1() const { return loaded_; }
  // The outline's corner radius and its inset (both 0 until loaded).
  int32_t GetField2() const { return radius_; }
  int32_t GetField3() const { return inset_; }
  SkinPictureSize GetStateSize1() const { return sizes_[0]; }
  SkinPictureSize GetStateSize2() const { return sizes_[1]; }
  SkinPictureSize GetStateSize3() const { return sizes_[2]; }
  SkinPictureSize GetStateSize4() const { return sizes_[3]; }

 private:
  // The engine's hold on the pieces and on where the next draw goes
  // (skin/draw/skin_picture.cpp); no program's.
  friend struct SkinPictureInsides;

  // Where the next draw goes, in the coordinates of the graphics drawn on.
  struct Bounds {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
  };

  bool loaded_ = false;
  int32_t radius_ = 0;
  int32_t inset_ = 0;
  // Null until loaded.
  std::shared_ptr<const SkinPictureStates> states_;
  SkinPictureSize sizes_[kStateCount];
  // Not part of the picture's look, so a painter holding it read-only may
  // set it too.
  mutable Bounds bounds_{};
};

}  // namespace korvath::skin
