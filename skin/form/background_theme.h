#pragma once
// The engine-wide background every skinned window is painted on: a colour, or
// an image with a matching colour around it, and the theme colour that tints
// highlights and gradients. Also the two image routines that make a picture
// fit that colour (sampling its edge, fading its inner edges into a colour).
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "skin/values/byte_set.h"
#include "skin/values/theme_colour.h"

namespace korvath::gdip {
class Bitmap;
}  // namespace korvath::gdip

namespace korvath::skin {

struct SkinWindowRecord;

// Described at the door: skin/engine/background_theme.h, with the placement
// modes of the image (SkinBackgroundMode, in the engine's state, painted by
// form_background.h). The repaint drops
// every skinned window's children's colour brushes, hidden windows' too.
void SkinSetBackgroundTheme(const std::string& imagePath, std::span<const uint8_t> imageBytes,
                            std::optional<COLORREF> backgroundColor, std::optional<COLORREF> themeColor,
                            std::optional<int32_t> mode);

// The mean colour of `sampleCount` pixels drawn at random from the image's
// right strip (`stripWidth` wide, a tenth of the width by default; the
// bottom `stripHeight` rows when given above 0, else the whole height). The
// image comes from the file when a path is given, else from the bytes. An
// image that does not decode gives black; a count below 1 gives black too.
COLORREF SkinSampleEdgeColor(std::span<const uint8_t> imageBytes, int32_t sampleCount,
                             std::optional<int32_t> stripWidth = std::nullopt,
                             std::optional<int32_t> stripHeight = std::nullopt,
                             const std::string& imagePath = {});

// The image as PNG bytes with its right (or, with fadeRight false, its left)
// edge and its bottom edge fading into `fadeColor` over `fadeWidth` pixels
// (30 % of the width by default). Empty when the image does not decode.
ByteSet SkinImageGradientOverlay(std::span<const uint8_t> imageBytes,
                                 std::optional<int32_t> fadeWidth = std::nullopt,
                                 std::optional<COLORREF> fadeColor = std::nullopt,
                                 std::optional<bool> fadeRight = std::nullopt,
                                 const std::string& imagePath = {});

// The same from a picture decoded before.
COLORREF SkinSampleEdgeColor(const gdip::Bitmap& picture, int32_t sampleCount,
                             std::optional<int32_t> stripWidth = std::nullopt,
                             std::optional<int32_t> stripHeight = std::nullopt);

// Drops the WM_CTLCOLOR brushes (and their bitmaps) handed to the list-type
// and edit children of the record's window, and with `includeDropDowns` those
// of the layered drop-down lists (whose list is then emptied), so that new
// ones are cut from the new background.
void SkinResetChildBrushes(const SkinWindowRecord& r, bool includeDropDowns = true);

}  // namespace korvath::skin
