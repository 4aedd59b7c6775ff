#pragma once
// What the radio-button and check-box glyph painters draw from: the state of
// the control and the entry's caption, font and pictures.
#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "gdip/geometry.h"
#include "skin/values/byte_set.h"

namespace korvath::gdip {
class Graphics;
}

namespace korvath::skin {

struct SkinButtonEntry;

// The glyph images (GlyphImage1 .. 8) by the look that each draws; a pressed
// one is drawn over the hot one.
enum GlyphImage : int {
  kUncheckedImage = 1,
  kUncheckedHotImage = 2,
  kCheckedImage = 3,
  kCheckedHotImage = 4,
  kCheckedPressedImage = 5,
  kUncheckedPressedImage = 6,
  kCheckedDisabledImage = 7,
  kUncheckedDisabledImage = 8,
};

struct GlyphInputs {
  std::string_view caption;
  bool hot = false;
  bool checked = false;
  bool pressed = false;  // only together with hot
  bool disabled = false;
  bool focused = false;  // the control has the keyboard's focus
  bool fromImages = false;  // draw GlyphImage1 .. 8 instead of vector shapes
  const std::array<ByteSet, 8>* images = nullptr;
  std::string_view face;
  int32_t size = 12;
  int32_t style = 0;
  COLORREF captionColour = 0;
  std::optional<COLORREF> effectColour;  // the caption's glow, when it has one
  std::optional<RECT> clip;  // default (x, y, x + W + 1, y + H + 1)
  int32_t blur = 4;
  // Check boxes: a frame of the tick animation.
  bool animating = false;
  int32_t frame = 0;

  const ByteSet& Image(GlyphImage n) const { return (*images)[size_t(n - 1)]; }
};

// The inputs of a paint of `button` in `state` (ODS_ bits): disabled wins
// over hot, and pressed counts only while hot; checked is BM_GETCHECK = 1
// (indeterminate draws unchecked); focused is the entry's; the caption
// colour is `Kj_Ztys`.
GlyphInputs GlyphInputsFor(HWND button, const SkinButtonEntry& entry, UINT state);

// Sets the glyph painters' clip: the inputs' clip rectangle, or the box
// (x, y, W + 1, H + 1).
void SetGlyphClip(gdip::Graphics& g, const GlyphInputs& in, int32_t x, int32_t y, int32_t width, int32_t height);
// The caption beside a glyph, left-aligned and centred vertically: with the
// effect colour through the engine's glow text in `effectLayout`, else in
// `colour` at alpha 254, unwrapped, in `plainLayout` (pixel units).
void DrawGlyphCaption(gdip::Graphics& g, const GlyphInputs& in, COLORREF colour, const gdip::RectF& plainLayout,
                      const gdip::RectF& effectLayout);
// The box that the caption's text takes in `plainLayout`, drawn so; none for
// an empty caption or one that cannot be measured.
std::optional<gdip::RectF> GlyphCaptionBounds(gdip::Graphics& g, const GlyphInputs& in,
                                              const gdip::RectF& plainLayout);

}  // namespace korvath::skin
