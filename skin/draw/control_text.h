#pragma once
// Captions of skinned controls: which font a control uses, and drawing a
// caption in the engine's look (a soft glow, a thin halo, the text on top).
#include <windows.h>
// After windows.h, whose types it uses.
#include <gdiplus.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gdip/geometry.h"

namespace korvath::gdip {
class Graphics;
class StringFormat;
}  // namespace korvath::gdip

namespace korvath::skin {

// "宋体" in code page 936: the engine's caption face when none is known.
inline constexpr char kDefaultFontFace[] = "\xCB\xCE\xCC\xE5";
inline constexpr int32_t kDefaultFontSize = 12;

struct SkinFontInfo {
  std::string face = kDefaultFontFace;  // family name, GBK
  int32_t size = kDefaultFontSize;      // GDI+ em size, truncated toward zero
  int32_t style = 0;                    // GDI+ FontStyle bits
};

// The window's text (its caption) as GBK; empty for none.
std::string GetControlText(HWND window);

// The control's font (WM_GETFONT). No font, an empty family name or a size of
// (nearly) zero fall back to "宋体" and 12. The style is the one the font was
// made with (weight from FW_SEMIBOLD up counts as bold), and so is the size
// of a font made with a character height (a negative height).
SkinFontInfo SkinControlFontMetrics(HWND window);

// How a glowing caption is drawn: its colours, the glow's blur, its font and
// its place in the layout rectangle.
struct ControlTextLook {
  COLORREF textColour = 0;
  COLORREF glowColour = 0;
  int32_t blurDivisor = 4;  // below 1 counts as 1
  std::string_view face = kDefaultFontFace;
  int32_t style = 0;  // GDI+ FontStyle bits
  float size = float(kDefaultFontSize);
  Gdiplus::StringAlignment horizontalAlign = Gdiplus::StringAlignmentNear;
  Gdiplus::StringAlignment verticalAlign = Gdiplus::StringAlignmentNear;
  bool wrap = true;
  bool ellipsis = false;
  // A caller's format replaces alignment, wrap and ellipsis.
  const gdip::StringFormat* format = nullptr;
};

// Draws `text` (GBK) in the layout rectangle on the caller's graphics: the
// glow is the text in the glow colour, shrunk by the blur divisor and grown
// back (so blurred), one pixel right and down; then a halo of the glow colour
// at alpha 60 and the text itself at alpha 254, both centred one pixel right
// of and below the rectangle's corner. Leaves the caller's text rendering
// hint at AntiAliasGridFit.
void SkinDrawControlText(gdip::Graphics& graphics, std::string_view text, const gdip::RectF& layout,
                         const ControlTextLook& look);

// A caption drawn with a solid brush in the layout rectangle: its font and
// its string format.
struct CaptionStyle {
  std::string_view face;
  float size = 12;
  int32_t style = 0;
  Gdiplus::Unit unit = Gdiplus::UnitWorld;
  int32_t flags = 0;  // string format flags
  Gdiplus::StringAlignment align = Gdiplus::StringAlignmentNear;
  Gdiplus::StringAlignment lineAlign = Gdiplus::StringAlignmentNear;
  bool hotkeyPrefix = false;                        // "&x" underlines x
  std::optional<Gdiplus::StringTrimming> trimming;  // none: the format's default
};
// Draws `text` (GBK) so; nothing for an empty text or a font GDI+ does not
// make.
void DrawPlainCaption(gdip::Graphics& graphics, std::string_view text, const CaptionStyle& style,
                      gdip::Argb colour, const gdip::RectF& layout);

// A text laid out in lines as SkinDrawControlText draws it without wrapping.
struct SkinTextLines {
  std::vector<std::string> lines;  // GBK, without their line breaks
  float width = 0;                 // of the widest line, format padding included
  float height = 0;                // of all the lines
  // The lines joined by line breaks: the text to draw, unwrapped, in a
  // layout at least `width` wide and `height` high.
  std::string Joined() const;
};

// Breaks `text` (GBK) into lines no wider than `maxWidth` pixels when drawn
// with the face, size and style (line_breaks.h says where lines break), and
// measures them as the text pass of SkinDrawControlText would draw them.
// Without a usable font nothing can be measured: the text's own lines are
// kept and the sizes are 0.
SkinTextLines SkinLayOutControlText(std::string_view text, float maxWidth, const SkinFontInfo& font);

}  // namespace korvath::skin
