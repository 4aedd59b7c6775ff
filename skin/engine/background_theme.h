#pragma once
// The background every skinned window is painted on and the theme colour
// that tints its highlights.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace korvath::skin {

// Sets the theme colour (0xDDCA22 when not given; 0xFFFFFFFF: the
// background colour), then the background: with neither picture nor colour
// nothing more; with a colour only, that colour; with a picture (a file path
// wins over bytes) the picture, placed in `mode` (4 when not given), and
// around it the given colour or else the picture's edge colour. Then every
// skinned window is painted again.
void SkinSetBackgroundTheme(const std::string& imagePath, std::span<const uint8_t> imageBytes,
                            std::optional<COLORREF> backgroundColor = std::nullopt,
                            std::optional<COLORREF> themeColor = std::nullopt,
                            std::optional<int32_t> mode = std::nullopt);

}  // namespace korvath::skin
