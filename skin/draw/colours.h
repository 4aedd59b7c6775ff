#pragma once
// The plain colours every painter of the engine uses (Windows colours,
// 0x00BBGGRR).
#include <windows.h>

namespace korvath::skin {

inline constexpr COLORREF kWhite = 0xFFFFFF;
inline constexpr COLORREF kBlack = 0x000000;
inline constexpr COLORREF kRed = 0x0000FF;
inline constexpr COLORREF kGrey = 0x808080;
inline constexpr COLORREF kSilver = 0xC0C0C0;
// The caption of a disabled control.
inline constexpr COLORREF kDisabledText = 0x606060;
// The focus ring of every control keeps the engine's first theme colour,
// whatever the theme.
inline constexpr COLORREF kFocusRing = 0xDDCA22;

}  // namespace korvath::skin
