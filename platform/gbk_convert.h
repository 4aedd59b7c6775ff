#pragma once
// Conversions between the program's texts (GBK, code page 936, whatever the
// system's ANSI code page is) and the UTF-16 of the W API.
#include <string>
#include <string_view>

namespace korvath::platform {

inline constexpr unsigned kGbkCodePage = 936;

std::wstring GbkToWide(std::string_view text);

// `exact` is false when some character has no GBK form; `text` then holds
// the system's default character in its place and must not be used as if it
// were what the user typed.
struct GbkText {
  std::string text;
  bool exact = true;
};
GbkText WideToGbk(std::wstring_view text);

}  // namespace korvath::platform
