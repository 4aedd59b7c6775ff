#include "skin/draw/control_text.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <mutex>
#include <optional>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/font_family.h"
#include "gdip/graphics.h"
#include "gdip/string_format.h"
#include "platform/gbk_convert.h"
#include "platform/gdi_object.h"
#include "platform/message_params.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/engine_caches.h"
#include "skin/draw/font_cache.h"
#include "skin/draw/line_breaks.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

// What both text passes draw with.
struct TextSetup {
  std::string face;
  float size;
  int32_t style;
  Gdiplus::StringAlignment horizontalAlign;
  Gdiplus::StringAlignment verticalAlign;
  bool wrap;
  bool ellipsis;
  const gdip::StringFormat* callerFormat;

  // A format or font that GDI+ does not make stays empty: the text is then
  // drawn with GDI+'s default format, or not at all.
  void BuildFormat(gdip::StringFormat& format) const {
    if (!format.Create(Gdiplus::StringFormatFlagsLineLimit)) return;
    if (ellipsis) format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
    if (!wrap) format.SetFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsLineLimit);
    format.SetAlign(horizontalAlign);
    format.SetLineAlign(verticalAlign);
  }
  bool BuildFont(gdip::Font& font) const {
    return SkinFontFromName(font, face, size, style, Gdiplus::UnitWorld);
  }
  const gdip::StringFormat* Choose(const gdip::StringFormat& own) const {
    return callerFormat ? callerFormat : &own;
  }
};

// The text blurred by drawing it small and growing it back, shifted one pixel
// right and down: a W x H picture (empty when W or H is 0).
gdip::Bitmap BlurredGlow(const TextSetup& setup, std::string_view text, int width, int height,
                         float shrunkWidth, float shrunkHeight, COLORREF glowColour) {
  // Any step that GDI+ cannot make leaves the glow empty: the text is still
  // drawn, without its halo.
  gdip::Bitmap sharp;
  if (!sharp.CreateWithFormat(width, height)) return {};
  {
    gdip::StringFormat format;
    setup.BuildFormat(format);
    gdip::Font font;
    gdip::SolidBrush brush;
    gdip::Graphics graphics;
    if (!setup.BuildFont(font) || !brush.Create(SkinArgbFromColorRef(glowColour, 255)) ||
        !SkinGraphicsOnImage(graphics, sharp)) {
      return {};
    }
    graphics.DrawString(text, font, brush, SkinMakeRect(0, 0, float(width), float(height)),
                        setup.Choose(format));
  }
  gdip::Bitmap shrunk;
  if (!shrunk.CreateWithFormat(int(shrunkWidth), int(shrunkHeight))) return {};
  {
    gdip::Graphics graphics;
    if (!SkinGraphicsOnImage(graphics, shrunk, kSkinBlurRendering)) return {};
    graphics.DrawImageRect(sharp, 0, 0, shrunkWidth, shrunkHeight);
  }
  gdip::Bitmap grown;
  if (!grown.CreateWithFormat(width, height)) return {};
  {
    gdip::Graphics graphics;
    if (!SkinGraphicsOnImage(graphics, grown, kSkinBlurRendering)) return {};
    graphics.DrawImageRect(shrunk, 1, 1, float(width), float(height));
  }
  return grown;
}

template <class Text>
Text JoinLines(const std::vector<Text>& lines, typename Text::value_type lineBreak) {
  Text joined;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) joined += lineBreak;
    joined += lines[i];
  }
  return joined;
}

}  // namespace

std::string GetControlText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(size_t(length) + 1, L'\0');
  text.resize(size_t(std::max(GetWindowTextW(window, text.data(), length + 1), 0)));
  return platform::WideToGbk(text).text;
}

std::string SkinTextLines::Joined() const { return JoinLines(lines, '\n'); }

SkinTextLines SkinLayOutControlText(std::string_view text, float maxWidth, const SkinFontInfo& font) {
  // The format and font of the text pass, with wrapping off: the lines are
  // broken here, where they are measured.
  const TextSetup setup{font.face, float(font.size), font.style, Gdiplus::StringAlignmentNear,
                        Gdiplus::StringAlignmentNear, false, false, nullptr};
  const std::wstring wide = platform::GbkToWide(text);
  gdip::Bitmap surface;
  gdip::Graphics graphics;
  gdip::StringFormat format;
  gdip::Font drawn;
  setup.BuildFormat(format);
  const bool measurable = surface.CreateWithFormat(1, 1) &&
                          SkinGraphicsOnImage(graphics, surface, kSkinSmoothTextRendering) && setup.BuildFont(drawn);
  auto measure = [&](std::wstring_view piece) {
    gdip::RectF box{};
    if (!measurable || piece.empty() || !graphics.MeasureStringSimple(piece, drawn, std::nullopt, &format, box)) {
      return 0.0f;
    }
    return box.width;
  };
  const std::vector<std::wstring> lines = BreakTextLines(wide, maxWidth, measure);
  SkinTextLines laid;
  for (const std::wstring& line : lines) {
    laid.width = std::max(laid.width, measure(line));
    laid.lines.push_back(platform::WideToGbk(line).text);
  }
  // GDI+ lays every line of a text out again from the rest of the text: a
  // text of many lines is measured a block of lines at a time (one block for
  // any box's message), so that its cost grows with its length, not with the
  // square of it. An empty last line still takes its height: a space holds it.
  constexpr size_t kLinesMeasuredTogether = 64;
  for (size_t first = 0; measurable && first < lines.size(); first += kLinesMeasuredTogether) {
    const size_t end = std::min(lines.size(), first + kLinesMeasuredTogether);
    const std::vector<std::wstring> block(lines.begin() + ptrdiff_t(first), lines.begin() + ptrdiff_t(end));
    gdip::RectF box{};
    if (!graphics.MeasureStringSimple(JoinLines(block, L'\n') + L" ", drawn, std::nullopt, &format, box)) {
      laid.height = 0;
      break;
    }
    laid.height += box.height;
  }
  return laid;
}

namespace {

// Fonts described alike measure alike on the screen's DCs. A form's controls
// share a few fonts, and finding a font's family makes GDI+ go through the
// installed fonts: each font is measured once.
struct MeasuredFont {
  LOGFONTW described;
  SkinFontInfo info;
};
constexpr size_t kMeasuredFontsKept = 16;

bool DescribedAlike(const LOGFONTW& a, const LOGFONTW& b) {
  return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
         a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
         a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
         a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
         a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
         wcsncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

struct MeasuredFonts {
  std::mutex lock;
  std::vector<MeasuredFont> fonts;  // the latest last
};

std::optional<SkinFontInfo> MeasuredBefore(const LOGFONTW& described) {
  MeasuredFonts& measured = SkinEngineCache<MeasuredFonts>();
  const std::lock_guard<std::mutex> hold(measured.lock);
  for (const MeasuredFont& font : measured.fonts) {
    if (DescribedAlike(font.described, described)) return font.info;
  }
  return std::nullopt;
}

void KeepMeasured(const LOGFONTW& described, const SkinFontInfo& info) {
  MeasuredFonts& measured = SkinEngineCache<MeasuredFonts>();
  const std::lock_guard<std::mutex> hold(measured.lock);
  if (measured.fonts.size() >= kMeasuredFontsKept) measured.fonts.erase(measured.fonts.begin());
  measured.fonts.push_back({described, info});
}

}  // namespace

SkinFontInfo SkinControlFontMetrics(HWND window) {
  SkinFontInfo info;
  const HFONT handle = platform::FromParam<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  if (!handle) return info;
  // The size and style the control asked for: a face that stands in for a
  // missing one (Wine's for "宋体") may be a heavier cut with other metrics,
  // which GDI+ would report as bold and of another em size. A negative height
  // is the em height in pixels.
  LOGFONTW asked = {};
  const bool described = GetObjectW(handle, sizeof asked, &asked) != 0;
  if (described) {
    if (std::optional<SkinFontInfo> known = MeasuredBefore(asked)) return *known;
  }

  const platform::WindowDC dc = platform::WindowDC::Client(window);
  gdip::Font font;
  if (!font.CreateFromHFONT(dc.get(), handle)) return info;
  const float size = font.GetSize();
  info.size = std::fabs(size) <= 1e-7f ? kDefaultFontSize : static_cast<int32_t>(size);
  if (described) {
    if (asked.lfHeight < 0) info.size = -asked.lfHeight;
    info.style = (asked.lfWeight >= FW_SEMIBOLD ? Gdiplus::FontStyleBold : 0) |
                 (asked.lfItalic ? Gdiplus::FontStyleItalic : 0) |
                 (asked.lfUnderline ? Gdiplus::FontStyleUnderline : 0) |
                 (asked.lfStrikeOut ? Gdiplus::FontStyleStrikeout : 0);
  } else {
    info.style = font.GetStyle();
  }
  gdip::FontFamily family;
  if (!font.GetFamily(family)) return info;
  std::string face = family.GetName();
  if (!face.empty()) info.face = std::move(face);
  if (described) KeepMeasured(asked, info);
  return info;
}

void SkinDrawControlText(gdip::Graphics& graphics, std::string_view text, const gdip::RectF& layout,
                         const ControlTextLook& look) {
  const COLORREF textColour = look.textColour, glowColour = look.glowColour;
  const TextSetup setup{std::string(look.face), look.size,       look.style,    look.horizontalAlign,
                        look.verticalAlign,     look.wrap,       look.ellipsis, look.format};
  // A divisor below 1 would divide by zero or turn the sizes negative.
  const int32_t divisor = std::max<int32_t>(1, look.blurDivisor);
  const int width = static_cast<int>(layout.width);
  const int height = static_cast<int>(layout.height);
  const float x = layout.x;
  const float y = layout.y;

  {
    gdip::Bitmap glow = BlurredGlow(setup, text, width, height, float(width) / float(divisor),
                                    float(height) / float(divisor), glowColour);
    if (glow.GetNativeObject()) graphics.DrawImage(glow, x, y);
  }
  SkinApplyRenderQuality(graphics, kSkinSmoothTextRendering);

  gdip::StringFormat ownFormat;
  setup.BuildFormat(ownFormat);
  gdip::Font font;
  if (!setup.BuildFont(font)) return;
  const gdip::StringFormat* chosen = setup.Choose(ownFormat);
  gdip::SolidBrush halo;
  if (halo.Create(SkinArgbFromColorRef(glowColour, 60))) {
    const float offsets[4][2] = {{0, 1}, {2, 1}, {1, 0}, {1, 2}};
    for (const auto& offset : offsets) {
      graphics.DrawString(text, font, halo,
                          SkinMakeRect(x + offset[0], y + offset[1], float(width), float(height)), chosen);
    }
  }
  gdip::SolidBrush brush;
  if (!brush.Create(SkinArgbFromColorRef(textColour, 254))) return;
  graphics.DrawString(text, font, brush, SkinMakeRect(x + 1, y + 1, float(width), float(height)), chosen);
}

void DrawPlainCaption(gdip::Graphics& graphics, std::string_view text, const CaptionStyle& style,
                      gdip::Argb colour, const gdip::RectF& layout) {
  if (text.empty()) return;
  gdip::SolidBrush brush;
  gdip::Font font;
  gdip::StringFormat format;
  if (!brush.Create(colour) || !SkinFontFromName(font, style.face, style.size, style.style, style.unit) ||
      !format.Create(style.flags, 0)) {
    return;
  }
  format.SetAlign(style.align);
  format.SetLineAlign(style.lineAlign);
  if (style.hotkeyPrefix) format.SetHotkeyPrefix(Gdiplus::HotkeyPrefixShow);
  if (style.trimming) format.SetTrimming(*style.trimming);
  graphics.DrawString(text, font, brush, layout, &format);
}

}  // namespace korvath::skin
