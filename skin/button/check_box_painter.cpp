#include "skin/button/check_box_painter.h"

#include <gdiplus.h>

#include "gdip/graphics.h"
#include "gdip/image.h"
#include "skin/button/button_drawing.h"
#include "skin/button/image_recolor.h"
#include "skin/core/engine_startup.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_props.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/shape_drawing.h"

namespace korvath::skin {

namespace {

// Cells of the glyph strip.
constexpr int32_t kLargeTick = 1, kHotBox = 2, kSmallTick = 3, kPopTick = 4, kBox = 5, kDisabledBox = 6;
constexpr int32_t kCellWidth = 21;

// Draws strip cell n at `scale` of its size, centred where the full cell
// would be; returns the cell's own width.
int32_t DrawCell(gdip::Graphics& g, int32_t n, float x, float y, int32_t height, float scale = 1) {
  gdip::Image cell;
  if (!cell.FromStream(SkinGlyphStrip().GetCellPicture(n))) return 0;
  const float w = float(cell.GetWidth()), h = float(cell.GetHeight());
  g.DrawImageRect(cell, x + (w - scale * w) / 2, y + (float(height) - scale * h) / 2, scale * w, scale * h);
  return int32_t(w);
}

}  // namespace

void CheckBoxSkinGlyphImages(gdip::Graphics& g, int32_t x, int32_t y, int32_t width, int32_t height,
                             const GlyphInputs& in) {
  const float fx = float(x), fy = float(y);
  int32_t glyphWidth = 0;
  SetGlyphClip(g, in, x, y, width, height);
  if (!in.animating) {
    glyphWidth = DrawCell(g, in.disabled ? kDisabledBox : in.hot ? kHotBox : kBox, fx, fy, height);
    if (in.checked) glyphWidth = DrawCell(g, kSmallTick, fx, fy, height);
  } else {
    glyphWidth = DrawCell(g, kBox, fx, fy, height);
    if (in.frame == 0) {
      glyphWidth = kCellWidth;  // no tick; the caption keeps its place
    } else if (in.frame == kPopTick) {
      glyphWidth = DrawCell(g, kPopTick, fx, fy, height, in.checked ? 0.6f : 0.5f);
    } else {
      glyphWidth = DrawCell(g, in.frame, fx, fy, height);
    }
  }
  SetGlyphClip(g, in, x, y, width, height);
  const float cx = fx + float(glyphWidth) - 4;
  DrawGlyphCaption(g, in, in.captionColour, {cx, fy + 2, float(width), float(height) + 1},
                   {cx, fy + 1, float(width), float(height) + 1});
}

void CheckBoxSkinGlyphVector(gdip::Graphics& g, int32_t x, int32_t y, int32_t width, int32_t height,
                             const GlyphInputs& in) {
  const float fx = float(x), fy = float(y), t = fy + float(height - 12) / 2;
  const COLORREF theme = SkinEngine.options.SkinThemeColor;
  const gdip::GraphicsPath box = RectPath(fx + 2, t, 12, 12);
  int32_t glyphWidth = 0;
  auto picture = [&](GlyphImage n) { glyphWidth = DrawPictureAt(g, in.Image(n), fx, fy, height); };

  SetGlyphClip(g, in, x, y, width, height);
  if (!in.fromImages) {
    const gdip::GraphicsPath face = RectPath(fx + 3, t + 1, 11, 11);
    SkinFillSolid(g, SkinArgbFromColorRef(kWhite, 254), face);
    SkinFillGradient(g, {fx, t}, {fx, t + 12}, SkinArgbFromColorRef(kBlack, 40), SkinArgbFromColorRef(kWhite, 254),
                     face);
    glyphWidth = 13;
  }
  if (in.hot && !in.disabled) {
    if (in.fromImages) {
      picture(in.checked ? kCheckedHotImage : kUncheckedHotImage);
    } else {
      // The glow shows only in the ring of the halo outside the box.
      const gdip::GraphicsPath halo = RoundRectPath(fx - 1, t - 3, 18, 18, 6);
      g.SetClipPath(box, Gdiplus::CombineModeIntersect);
      g.SetClipPath(halo, Gdiplus::CombineModeXor);
      FillRadial(g, halo, SkinArgbFromColorRef(kWhite, 254), SkinArgbFromColorRef(kWhite, 0), 0.4f);
      FillRadial(g, halo, SkinArgbFromColorRef(theme, 255), SkinArgbFromColorRef(kWhite, 0), 0.3f);
      g.ResetClip();
      const float top = fy + float(height - 11) / 2;
      SkinFillGradient(g, {fx, top}, {fx + 12, top + 12}, SkinArgbFromColorRef(theme, 90),
                       SkinArgbFromColorRef(kWhite, 30), box);
    }
  }
  if (!in.fromImages) {
    SkinStroke(g, SkinArgbFromColorRef(kBlack, 150), box);
    SkinStroke(g, SkinArgbFromColorRef(kWhite, 254), RectPath(fx + 4, t + 1, 9, 10));
  }
  if (in.pressed && in.fromImages) picture(in.checked ? kCheckedPressedImage : kUncheckedPressedImage);
  if (in.checked) {
    if (in.fromImages && !in.hot) {
      picture(in.disabled ? kCheckedDisabledImage : kCheckedImage);
    } else {
      gdip::Image tick;
      if (tick.FromStream(RecolorImageBytes())) g.DrawImageRect(tick, fx + 2, t, 13, 12);
    }
  } else if (in.fromImages && !in.hot) {
    picture(in.disabled ? kUncheckedDisabledImage : kUncheckedImage);
  }
  SetGlyphClip(g, in, x, y, width, height);
  const float cx = fx + float(glyphWidth);
  DrawGlyphCaption(g, in, in.captionColour, {cx, fy + 1, float(width - glyphWidth + 2), float(height)},
                   {cx, fy, float(width), float(height) + 1});
}

void CheckBoxSkinPaint(const ButtonRef& ref, HDC dc, UINT state, const RECT& rect, bool animating,
                       int32_t frame) {
  if (!ref) return;
  const HWND window = ref->window;
  GlyphInputs in = GlyphInputsFor(window, *ref, state);
  in.animating = animating;
  in.frame = frame;
  SkinCanvas canvas(*ref.record, window, rect, kButtonCanvas);
  if (!canvas) return;
  if (GetSkinProp(window, prop::Xzk_dhxg) == 0) {
    CheckBoxSkinGlyphVector(canvas.graphics(), rect.left, rect.top, canvas.width(), canvas.height(), in);
  } else {
    CheckBoxSkinGlyphImages(canvas.graphics(), rect.left, rect.top, canvas.width(), canvas.height(), in);
  }
  canvas.Finish();
  canvas.CopyTo(dc);
}

}  // namespace korvath::skin
