#include "skin/core/control_text.h"

#include <algorithm>
#include <cmath>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/font_family.h"
#include "gdip/graphics.h"
#include "gdip/string_format.h"
#include "platform/gbk_convert.h"
#include "platform/gdi_object.h"
#include "skin/core/drawing_values.h"

namespace korvath::skin {

namespace {

// GDI+ enumeration values used here.
constexpr int kLineLimit = 0x2000;     // StringFormatFlagsLineLimit
constexpr int kNoWrap = 0x1000;        // StringFormatFlagsNoWrap
constexpr int kTrimmingEllipsis = 3;   // StringTrimmingEllipsisCharacter
constexpr int kUnitWorld = 0;
constexpr int kSmoothingAntiAlias = 4;
constexpr int kInterpolationHighQualityBicubic = 7;
constexpr int kCompositingGammaCorrected = 3;
constexpr int kPixelOffsetNone = 3;
constexpr int kTextAntiAliasGridFit = 3;

// What both text passes draw with.
struct TextSetup {
  std::string face;
  float size;
  int32_t style;
  int32_t horizontalAlign;
  int32_t verticalAlign;
  bool wrap;
  bool ellipsis;
  const gdip::StringFormat* callerFormat;

  void BuildFormat(gdip::StringFormat& format) const {
    format.Create(kLineLimit);
    if (ellipsis) format.SetTrimming(kTrimmingEllipsis);
    if (!wrap) format.SetFlags(kNoWrap | kLineLimit);
    format.SetAlign(horizontalAlign);
    format.SetLineAlign(verticalAlign);
  }
  void BuildFont(gdip::Font& font) const { font.CreateFromName(face, size, style, kUnitWorld); }
  const gdip::StringFormat* Choose(const gdip::StringFormat& own) const {
    return callerFormat ? callerFormat : &own;
  }
};

void SetSmoothQualities(gdip::Graphics& graphics) {
  graphics.SetSmoothingMode(kSmoothingAntiAlias);
  graphics.SetInterpolationMode(kInterpolationHighQualityBicubic);
  graphics.SetCompositingQuality(kCompositingGammaCorrected);
  graphics.SetPixelOffsetMode(kPixelOffsetNone);
}

// The text blurred by drawing it small and growing it back, shifted one pixel
// right and down: a W x H picture (empty when W or H is 0).
gdip::Bitmap BlurredGlow(const TextSetup& setup, std::string_view text, int width, int height,
                         float shrunkWidth, float shrunkHeight, COLORREF glowColour) {
  gdip::Bitmap sharp;
  sharp.CreateWithFormat(width, height);
  {
    gdip::StringFormat format;
    setup.BuildFormat(format);
    gdip::Font font;
    setup.BuildFont(font);
    gdip::SolidBrush brush;
    brush.Create(gdip::Argb(SkinArgbFromColorRef(glowColour, 255)));
    gdip::Graphics graphics;
    graphics.FromImage(sharp);
    graphics.DrawString(text, font, brush, SkinMakeRect(0, 0, float(width), float(height)),
                        setup.Choose(format));
  }
  gdip::Bitmap shrunk;
  shrunk.CreateWithFormat(int(shrunkWidth), int(shrunkHeight));
  {
    gdip::Graphics graphics;
    graphics.FromImage(shrunk);
    SetSmoothQualities(graphics);
    graphics.DrawImageRect(sharp, 0, 0, shrunkWidth, shrunkHeight);
  }
  gdip::Bitmap grown;
  grown.CreateWithFormat(width, height);
  {
    gdip::Graphics graphics;
    graphics.FromImage(grown);
    SetSmoothQualities(graphics);
    graphics.DrawImageRect(shrunk, 1, 1, float(width), float(height));
  }
  return grown;
}

}  // namespace

std::string GetControlText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(size_t(length) + 1, L'\0');
  text.resize(size_t(std::max(GetWindowTextW(window, text.data(), length + 1), 0)));
  return platform::WideToGbk(text).text;
}

SkinFontInfo SkinControlFontMetrics(HWND window) {
  SkinFontInfo info;
  const HFONT handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  if (!handle) return info;

  const platform::WindowDC dc = platform::WindowDC::Client(window);
  gdip::Font font;
  font.CreateFromHFONT(dc.get(), handle);
  const float size = font.GetSize();
  info.size = std::fabs(size) <= 1e-7f ? kDefaultFontSize : static_cast<int32_t>(size);
  info.style = font.GetStyle();
  gdip::FontFamily family;
  font.GetFamily(family);
  std::string face = family.GetName();
  if (!face.empty()) info.face = std::move(face);
  return info;
}

void SkinDrawControlText(gdip::Graphics& graphics, std::string_view text, const gdip::RectF& layout,
                         COLORREF textColour, COLORREF glowColour, std::optional<int32_t> blurDivisor,
                         std::optional<std::string> face, std::optional<int32_t> style,
                         std::optional<float> size, int32_t horizontalAlign, int32_t verticalAlign,
                         std::optional<bool> wrap, bool ellipsis, const gdip::StringFormat* format) {
  const TextSetup setup{face.value_or(kDefaultFontFace),
                        size.value_or(float(kDefaultFontSize)),
                        style.value_or(0),
                        horizontalAlign,
                        verticalAlign,
                        wrap.value_or(true),
                        ellipsis,
                        format};
  // A divisor below 1 would divide by zero or turn the sizes negative.
  const int32_t divisor = std::max<int32_t>(1, blurDivisor.value_or(4));
  const int width = static_cast<int>(layout.width);
  const int height = static_cast<int>(layout.height);
  const float x = layout.x;
  const float y = layout.y;

  {
    gdip::Bitmap glow = BlurredGlow(setup, text, width, height, float(width) / float(divisor),
                                    float(height) / float(divisor), glowColour);
    graphics.DrawImage(glow, x, y);
  }
  graphics.SetTextRenderingHint(kTextAntiAliasGridFit);

  gdip::StringFormat ownFormat;
  setup.BuildFormat(ownFormat);
  gdip::Font font;
  setup.BuildFont(font);
  const gdip::StringFormat* chosen = setup.Choose(ownFormat);
  {
    gdip::SolidBrush halo;
    halo.Create(gdip::Argb(SkinArgbFromColorRef(glowColour, 60)));
    const float offsets[4][2] = {{0, 1}, {2, 1}, {1, 0}, {1, 2}};
    for (const auto& offset : offsets) {
      graphics.DrawString(text, font, halo,
                          SkinMakeRect(x + offset[0], y + offset[1], float(width), float(height)), chosen);
    }
  }
  gdip::SolidBrush brush;
  brush.Create(gdip::Argb(SkinArgbFromColorRef(textColour, 254)));
  graphics.DrawString(text, font, brush, SkinMakeRect(x + 1, y + 1, float(width), float(height)), chosen);
}

}  // namespace korvath::skin
