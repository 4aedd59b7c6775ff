#include "skin/caption/caption_title.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/graphics.h"
#include "gdip/string_format.h"
#include "platform/gdi_object.h"
#include "skin/caption/caption_surfaces.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_record.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/font_cache.h"
#include "skin/draw/gdi_blend.h"
#include "skin/draw/section_pixels.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

constexpr int kIconSize = 17;
constexpr int kLineLimit = 0x2000;  // StringFormatFlagsLineLimit
constexpr int kNoWrap = 0x1000;     // StringFormatFlagsNoWrap

// Where icon and title go. The text box is the caption's height below its
// top inset, and ends left of the caption buttons, so the title never runs
// under them and what a new title restores covers all the old one drew.
struct TitleGeometry {
  int x0 = 0, y0 = 0;
  gdip::RectF layout;
  RECT restore{};
};

TitleGeometry Geometry(const SkinWindowRecord& r) {
  RECT client{};
  GetClientRect(r.Window, &client);
  TitleGeometry g;
  g.x0 = SkinEngine.forms.SkinResizeBorder + 6;
  g.y0 = SkinEngine.forms.SkinResizeBorder + 1;
  const float left = float(r.HideIcon ? g.x0 - 3 : g.x0 + 20);
  const float top = float(g.y0 + 3);
  float width = float(client.right - r.ButtonStripWidth - 10 - 2 * SkinEngine.forms.SkinResizeBorder);
  // The halo reaches one pixel past the box; the strip's first separator
  // lies two pixels left of its first item.
  width = std::min(width, float(r.ButtonStripLeft - 2) - left - 1);
  g.layout = {left, top, std::max(width, 0.0f), std::max(float(r.CaptionHeight) - top, 0.0f)};
  g.restore = {std::min(g.x0, int(left) - 1), g.y0, int(left + g.layout.width) + 1, r.CaptionHeight};
  if (g.restore.right < g.restore.left) g.restore.right = g.restore.left;
  return g;
}

bool MakeFormat(gdip::StringFormat& format, const ControlTextLook& look) {
  if (!format.Create(kLineLimit)) return false;
  if (look.ellipsis) format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
  if (!look.wrap) format.SetFlags(kNoWrap | kLineLimit);
  format.SetAlign(look.horizontalAlign);
  format.SetLineAlign(look.verticalAlign);
  return true;
}

// The font and the format of a text, made once for all its passes.
struct TextTools {
  gdip::Font font;
  gdip::StringFormat format;

  bool Make(const ControlTextLook& look) {
    return SkinFontFromName(font, look.face, look.size, look.style, Gdiplus::UnitWorld) && MakeFormat(format, look);
  }
};

// One pass of the text in one colour into each of the layout boxes.
void DrawPass(gdip::Graphics& graphics, std::string_view text, const TextTools& tools, gdip::Argb argb,
              std::span<const gdip::RectF> boxes) {
  gdip::SolidBrush brush;
  if (!brush.Create(argb)) return;
  for (const gdip::RectF& box : boxes) graphics.DrawString(text, tools.font, brush, box, &tools.format);
}

// The halo's copies are one text in one colour, each moved by whole pixels.
// Through a DC, GDI+ lays out, renders and blends every copy anew. On a
// 32-bit section of the engine the text is drawn once, onto a transparent
// layer (where GDI+ leaves its colours as they are), and every copy is
// blended from that layer in turn, as GDI blends GDI+'s layers: the same
// pixels. False, with nothing drawn, where that cannot be done.
constexpr int kHaloMargin = 8;  // room for glyphs that overhang their box

bool DrawHaloOnSection(HDC surface, const gdip::Graphics& graphics, std::string_view text, const TextTools& tools,
                       gdip::Argb argb, std::span<const gdip::RectF> boxes) {
  const std::optional<SectionPixels> section = SkinSection32(surface);
  if (!section || boxes.empty()) return false;
  const gdip::RectF& first = boxes.front();
  if (!(first.x >= 0 && first.y >= 0)) return false;
  std::vector<POINT> moves;
  for (const gdip::RectF& box : boxes) {
    const float dx = box.x - first.x, dy = box.y - first.y;
    if (dx != std::floor(dx) || dy != std::floor(dy) || box.width != first.width || box.height != first.height)
      return false;
    moves.push_back(POINT{LONG(dx), LONG(dy)});
  }
  const int width = int(std::ceil(first.x + first.width)) + kHaloMargin;
  const int height = int(std::ceil(first.y + first.height)) + kHaloMargin;
  std::vector<uint32_t> pixels(size_t(width) * size_t(height), 0);
  {
    gdip::Bitmap layer;
    gdip::Graphics onLayer;
    if (!layer.CreateFromScan0(width, height, width * 4, gdip::kPixelFormat32bppArgb, pixels.data()) ||
        !onLayer.FromImage(layer) || !onLayer.SetTextRenderingHint(graphics.GetTextRenderingHint()))
      return false;
    DrawPass(onLayer, text, tools, argb, std::span(&first, 1));
  }
  GdiFlush();
  for (const POINT& move : moves) {
    for (int y = 0; y < height; ++y) {
      const int ty = y + move.y;
      if (ty < 0 || ty >= section->height) continue;
      uint32_t* line = section->Row(ty);
      const uint32_t* from = pixels.data() + size_t(y) * size_t(width);
      for (int x = std::max(0, -int(move.x)); x < width && x + move.x < section->width; ++x)
        if (from[x] >> 24) line[x + move.x] = SkinOverThroughGdi(from[x], line[x + move.x]);
    }
  }
  return true;
}

}  // namespace

RECT SkinCaptionTitleRect(const SkinWindowRecord& r) { return Geometry(r).restore; }

void SkinPaintCaption(SkinWindowRecord& r, gdip::Graphics& graphics, bool insideRender,
                      std::optional<std::string_view> title) {
  const TitleGeometry g = Geometry(r);
  if (!insideRender) {
    if (!SkinGraphicsOnDC(graphics, r.BackDC.get())) return;
    SkinBlitPart(r, g.restore);
  }
  if (!r.HideIcon && SkinEngine.options.AppIcon)
    DrawIconEx(r.BackDC.get(), g.x0, g.y0, SkinEngine.options.AppIcon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
  const std::string text = title ? std::string(*title) : GetControlText(r.Window);

  if (!r.TitleHaloColor) {
    gdip::Font font;
    gdip::SolidBrush brush;
    if (SkinFontFromName(font, r.TitleFontName, float(r.TitleFontSize), r.TitleFontBold ? 1 : 0, Gdiplus::UnitWorld) &&
        brush.Create(SkinArgbFromColorRef(r.TitleColor, 255)))
      graphics.DrawString(text, font, brush, g.layout);
  } else {
    const ControlTextLook look{.textColour = r.TitleColor,
                               .glowColour = *r.TitleHaloColor,
                               .face = r.TitleFontName,
                               .style = r.TitleFontBold ? 1 : 0,
                               .size = float(r.TitleFontSize)};
    if (r.TitleGlow)
      SkinDrawControlText(graphics, text, g.layout, look);
    else
      SkinDrawText(graphics, text, g.layout, look, 1, r.BackDC.get());
  }
  if (insideRender) return;

  const RECT& c = g.restore;
  const int width = c.right - c.left, height = c.bottom - c.top;
  if (width > 0 && height > 0) {
    BitBlt(r.ChildBackDC.get(), c.left, c.top, width, height, r.BackDC.get(), c.left, c.top, SRCCOPY);
    platform::WindowDC dc = SkinFormClippedDC(r);
    BitBlt(dc.get(), c.left, c.top, width, height, r.BackDC.get(), c.left, c.top, SRCCOPY);
  }
  graphics.Delete();
}

void SkinDrawText(gdip::Graphics& graphics, std::string_view text, const gdip::RectF& layout,
                  const ControlTextLook& look, int32_t haloOffset, HDC surface) {
  const float o = float(haloOffset);
  const gdip::RectF moved[] = {{layout.x + o, layout.y, layout.width, layout.height},
                               {layout.x - o, layout.y, layout.width, layout.height},
                               {layout.x, layout.y + o, layout.width, layout.height},
                               {layout.x, layout.y - o, layout.width, layout.height}};
  const gdip::Argb haloArgb = SkinArgbFromColorRef(look.glowColour, 150);
  TextTools tools;
  if (!tools.Make(look)) return;
  if (!DrawHaloOnSection(surface, graphics, text, tools, haloArgb, moved)) DrawPass(graphics, text, tools, haloArgb, moved);
  DrawPass(graphics, text, tools, SkinArgbFromColorRef(look.textColour, 255), std::span(&layout, 1));
}

}  // namespace korvath::skin
