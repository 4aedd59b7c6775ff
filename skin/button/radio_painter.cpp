#include "skin/button/radio_painter.h"

#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "gdip/graphics.h"
#include "skin/button/button_drawing.h"
#include "skin/core/engine_startup.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

constexpr int32_t kFocusRingCorner = 3;
constexpr int kFocusRingAlpha = 220;
constexpr int kFocusTintAlpha = 40;

// A ring in the focus ring's colour round the caption, faintly tinted
// inside: the focused button at a glance, within the button's own height.
void DrawCaptionFocus(gdip::Graphics& g, const GlyphInputs& in, const gdip::RectF& caption, int32_t x, int32_t y,
                      int32_t width, int32_t height) {
  const std::optional<gdip::RectF> text = GlyphCaptionBounds(g, in, caption);
  const float left = std::floor(caption.x);
  const float right = std::min(text ? std::ceil(text->x + text->width) : float(x + width), float(x + width - 1));
  const gdip::GraphicsPath ring = RoundRectPath(left, float(y), right - left, float(height - 1), kFocusRingCorner);
  SkinFillSolid(g, SkinArgbFromColorRef(kFocusRing, kFocusTintAlpha), ring);
  SkinStroke(g, SkinArgbFromColorRef(kFocusRing, kFocusRingAlpha), ring);
}

}  // namespace

void RadioSkinGlyph(gdip::Graphics& g, int32_t x, int32_t y, int32_t width, int32_t height, const GlyphInputs& in) {
  const float fx = float(x), yc = float(y) + float(height - 12) / 2;
  const COLORREF theme = SkinEngine.options.SkinThemeColor;
  const gdip::GraphicsPath body = EllipsePath(fx + 2, yc, 12, 12);
  int32_t glyphWidth = 0;
  // Image mode: the picture for the look, at its own size.
  auto picture = [&](GlyphImage n) { glyphWidth = DrawPictureAt(g, in.Image(n), fx, float(y), height); };

  SetGlyphClip(g, in, x, y, width, height);
  if (!in.fromImages) {
    SkinApplyRenderQuality(g, kSkinSmoothRendering);
    SkinFillSolid(g, SkinArgbFromColorRef(kWhite, 254), body);
    SkinFillGradient(g, {fx + 3, yc + 1}, {fx + 10, yc + 11}, SkinArgbFromColorRef(kBlack, 100),
                     SkinArgbFromColorRef(kBlack, 0), body);
    glyphWidth = 13;
  }
  if (in.hot && !in.disabled) {
    if (in.fromImages) {
      picture(in.checked ? kCheckedHotImage : kUncheckedHotImage);
    } else {
      // Only the ring between the body and the halo takes the glow.
      const gdip::GraphicsPath halo = EllipsePath(fx - 1, yc - 3, 18, 18);
      g.SetClipPath(body, Gdiplus::CombineModeIntersect);
      g.SetClipPath(halo, Gdiplus::CombineModeXor);
      FillRadial(g, halo, SkinArgbFromColorRef(kWhite, 254), SkinArgbFromColorRef(kWhite, 0), 0.4f);
      FillRadial(g, halo, SkinArgbFromColorRef(theme, 255), SkinArgbFromColorRef(kWhite, 0), 0.3f);
      SkinFillGradient(g, {fx + 3, yc + 1}, {fx + 11, yc + 12}, SkinArgbFromColorRef(theme, 100),
                       SkinArgbFromColorRef(kBlack, 0), body);
      SetGlyphClip(g, in, x, y, width, height);
    }
  }
  if (!in.fromImages) {
    SkinStroke(g, SkinArgbFromColorRef(kBlack, 200), body);
    SkinStroke(g, SkinArgbFromColorRef(kWhite, 254), EllipsePath(fx + 3, float(y) + float(height - 11) / 2 + 1, 9, 9));
  }
  if (in.pressed && !in.disabled && in.fromImages) picture(in.checked ? kCheckedPressedImage : kUncheckedPressedImage);
  if (in.checked) {
    if (in.fromImages) {
      if (!in.hot) picture(in.disabled ? kCheckedDisabledImage : kCheckedImage);
    } else {
      const gdip::GraphicsPath dot = EllipsePath(fx + 5, yc + 3, 6, 6);
      const COLORREF rim = in.disabled ? kDisabledText : theme;
      SkinStroke(g, SkinArgbFromColorRef(kBlack, 150), dot);
      SkinStroke(g, SkinArgbFromColorRef(theme, 150), dot);
      FillRadial(g, dot, SkinArgbFromColorRef(kWhite, 80), SkinArgbFromColorRef(rim, 254), 0);
    }
  } else if (in.fromImages && !in.hot) {
    picture(in.disabled ? kUncheckedDisabledImage : kUncheckedImage);
  }
  const float cx = fx + float(glyphWidth) + 2;
  const gdip::RectF caption{cx, float(y) + 2, float(width), float(height)};
  if (in.focused && !in.disabled) DrawCaptionFocus(g, in, caption, x, y, width, height);
  DrawGlyphCaption(g, in, in.disabled ? kDisabledText : in.captionColour, caption,
                   {cx, float(y), float(width), float(height) + 2});
}

void RadioSkinPaint(const ButtonRef& ref, HDC dc, UINT state, const RECT& rect) {
  if (!ref) return;
  const HWND window = ref->window;
  const GlyphInputs in = GlyphInputsFor(window, *ref, state);
  SkinCanvas canvas(*ref.record, window, rect, kButtonCanvas);
  if (!canvas) return;
  RadioSkinGlyph(canvas.graphics(), rect.left, rect.top, canvas.width(), canvas.height(), in);
  canvas.Finish();
  canvas.CopyTo(dc);
}

}  // namespace korvath::skin
