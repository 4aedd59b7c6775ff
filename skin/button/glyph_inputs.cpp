#include "skin/button/glyph_inputs.h"

#include <gdiplus.h>

#include <string>

#include "gdip/font.h"
#include "gdip/graphics.h"
#include "gdip/string_format.h"
#include "skin/core/control_entries.h"
#include "skin/core/window_props.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/font_cache.h"

namespace korvath::skin {

namespace {

// The caption without an effect colour: left-aligned, centred vertically,
// unwrapped, in pixel units.
CaptionStyle PlainCaptionStyle(const GlyphInputs& in) {
  return {.face = in.face,
          .size = float(in.size),
          .style = in.style,
          .unit = Gdiplus::UnitPixel,
          .flags = Gdiplus::StringFormatFlagsNoWrap,
          .align = Gdiplus::StringAlignmentNear,
          .lineAlign = Gdiplus::StringAlignmentCenter};
}

}  // namespace

GlyphInputs GlyphInputsFor(HWND button, const SkinButtonEntry& entry, UINT state) {
  GlyphInputs in;
  in.checked = SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
  if ((state | ODS_DISABLED) == state) {
    in.disabled = true;
  } else if ((state | ODS_HOTLIGHT) == state) {
    in.hot = true;
    in.pressed = (state | ODS_SELECTED) == state;
  }
  in.focused = entry.Focused;
  in.caption = entry.Caption;
  in.fromImages = entry.GlyphFromImages;
  in.images = &entry.GlyphImages;
  in.face = entry.FontFace;
  in.size = entry.FontSize;
  in.style = entry.FontStyle;
  in.captionColour = COLORREF(GetSkinProp(button, prop::Kj_Ztys));
  in.effectColour = entry.CaptionEffectColor;
  return in;
}

void SetGlyphClip(gdip::Graphics& g, const GlyphInputs& in, int32_t x, int32_t y, int32_t width, int32_t height) {
  const gdip::RectF clip = ToRectF(in.clip.value_or(RECT{x, y, x + width + 1, y + height + 1}));
  g.SetClipRect(clip.x, clip.y, clip.width, clip.height, Gdiplus::CombineModeReplace);
}

void DrawGlyphCaption(gdip::Graphics& g, const GlyphInputs& in, COLORREF colour, const gdip::RectF& plainLayout,
                      const gdip::RectF& effectLayout) {
  if (in.effectColour) {
    SkinDrawControlText(g, in.caption, effectLayout,
                        {.textColour = in.captionColour,
                         .glowColour = *in.effectColour,
                         .blurDivisor = in.blur,
                         .face = in.face,
                         .style = in.style,
                         .size = float(in.size),
                         .verticalAlign = Gdiplus::StringAlignmentCenter});
    return;
  }
  DrawPlainCaption(g, in.caption, PlainCaptionStyle(in), SkinArgbFromColorRef(colour, 254), plainLayout);
}

std::optional<gdip::RectF> GlyphCaptionBounds(gdip::Graphics& g, const GlyphInputs& in,
                                              const gdip::RectF& plainLayout) {
  const CaptionStyle style = PlainCaptionStyle(in);
  gdip::Font font;
  gdip::StringFormat format;
  gdip::RectF box;
  if (in.caption.empty() || !SkinFontFromName(font, style.face, style.size, style.style, style.unit) ||
      !format.Create(style.flags, 0)) {
    return std::nullopt;
  }
  format.SetAlign(style.align);
  format.SetLineAlign(style.lineAlign);
  if (!g.MeasureString(in.caption, font, plainLayout, &format, box)) return std::nullopt;
  return box;
}

}  // namespace korvath::skin
