#pragma once
// What a program hands a label's attach (LabelSkinAttach): how the label's
// text is drawn.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace korvath::skin {

// How a label is drawn; each setting not given takes the default in brackets.
struct LabelSettings {
  std::optional<std::string> fontFace;         // GBK text, code page 936 ("宋体")
  std::optional<int32_t> fontSize;             // pixels (12)
  std::optional<int32_t> fontStyle;            // GDI+ style bits (0)
  std::optional<COLORREF> textColour;          // (0, black)
  std::optional<COLORREF> haloColour;          // given: the text gets a soft halo (none)
  std::optional<int32_t> horizontalAlignment;  // GDI+ string alignment (0, near)
  std::optional<int32_t> verticalAlignment;    // (1, centre)
  std::optional<bool> wrap;                    // (false: one line)
};

}  // namespace korvath::skin
