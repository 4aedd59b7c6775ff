#pragma once
// What a program may hand the background theme's call
// (SkinSetBackgroundTheme) instead of a theme colour.
#include <windows.h>

namespace korvath::skin {

// Take the background colour that the same call sets as the theme colour.
inline constexpr COLORREF kThemeFromBackground = 0xFFFFFFFF;

}  // namespace korvath::skin
