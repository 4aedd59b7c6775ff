#include "skin/button/glyph_inputs.h"

#include <gdiplus.h>

#include <string>

#include "gdip/graphics.h"
#include "skin/core/control_entries.h"
#include "skin/core/control_text.h"
#include "skin/core/drawing_values.h"
#include "skin/core/window_props.h"

namespace korvath::skin {

GlyphInputs GlyphInputsFor(HWND button, const SkinButtonEntry& entry, UINT state) {
  GlyphInputs in;
  in.checked = SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
  if ((state | ODS_DISABLED) == state) {
    in.disabled = true;
  } else if ((state | ODS_HOTLIGHT) == state) {
    in.hot = true;
    in.pressed = (state | ODS_SELECTED) == state;
  }
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
  const CaptionStyle style = {.face = in.face,
                              .size = float(in.size),
                              .style = in.style,
                              .unit = Gdiplus::UnitPixel,
                              .flags = Gdiplus::StringFormatFlagsNoWrap,
                              .align = Gdiplus::StringAlignmentNear,
                              .lineAlign = Gdiplus::StringAlignmentCenter};
  DrawPlainCaption(g, in.caption, style, SkinArgbFromColorRef(colour, 254), plainLayout);
}

}  // namespace korvath::skin
