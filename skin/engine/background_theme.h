#pragma once
// The background every skinned window is painted on and the theme colour
// that tints its highlights and gradients.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "skin/values/theme_colour.h"

namespace korvath::skin {

// Sets the theme colour: the given one, 0xDDCA22 when none is given, or,
// for kThemeFromBackground (0xFFFFFFFF), the background colour that this
// call sets (none set: the theme colour stays). Then the background:
// - with neither picture nor colour, nothing more;
// - with a colour only, that colour and no picture (the mode stays);
// - with a picture (a file path, GBK text of code page 936, wins over
//   bytes), the picture, and around it the given colour or else the mean
//   colour of pixels drawn from the picture's right tenth (black for a
//   picture that does not decode, which then shows nothing). `mode` (4 when
//   not given) places it in each window's client area, at its own size
//   unless said:
//     0  in the top-left corner, its right and bottom edges fading into
//        the colour around it over 30 % of its width;
//     1  in the top-right corner, its left and bottom edges fading so;
//     2  centred;  3  stretched over the whole client area;
//     4  along the top, repeated across the width, every other copy
//        mirrored;
//     5  bottom-left;  6  bottom-right;  7  bottom, centred;
//     8  right, centred;  9  top, centred;  10  left, centred;
//     any other mode: no picture, the colour alone.
// The mode is 0 until a picture is set; a form's own picture
// (FormSkinSettings, attach.h) takes the mode set then when it names none.
// Then every skinned window is painted again: the visible ones at once, a
// hidden one when it shows.
void SkinSetBackgroundTheme(const std::string& imagePath, std::span<const uint8_t> imageBytes,
                            std::optional<COLORREF> backgroundColor = std::nullopt,
                            std::optional<COLORREF> themeColor = std::nullopt,
                            std::optional<int32_t> mode = std::nullopt);

}  // namespace korvath::skin
