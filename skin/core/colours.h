#pragma once
// The plain colours every painter of the engine uses (Windows colours,
// 0x00BBGGRR).
#include <windows.h>

namespace korvath::skin {

inline constexpr COLORREF kWhite = 0xFFFFFF;
inline constexpr COLORREF kBlack = 0x000000;
inline constexpr COLORREF kRed = 0x0000FF;

}  // namespace korvath::skin
