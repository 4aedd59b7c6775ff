#include "skin/button/picture_button_painter.h"

#include <gdiplus.h>

#include <algorithm>

#include "gdip/image.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/pen.h"
#include "skin/button/button_drawing.h"
#include "skin/button/button_lookup.h"
#include "skin/core/window_props.h"
#include "skin/draw/colours.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

struct Face {
  gdip::Graphics& g;
  const SkinButtonEntry& entry;
  float X, Y, W, H;    // the rectangle's left, top, width and height
  float R = 0, B = 0;  // the picture's corner size and inset

  bool picture() const { return entry.HasPicture; }
  gdip::Rect Bounds() const { return {int32_t(X), int32_t(Y), int32_t(W), int32_t(H)}; }
  // The picture faces are drawn anti-aliased at half-pixel centres, and the
  // paint keeps that for what follows.
  void Smooth() const {
    SkinApplyRenderQuality(g, {.smoothing = Gdiplus::SmoothingModeAntiAlias,
                               .pixelOffset = Gdiplus::PixelOffsetModeHighQuality});
  }
  gdip::GraphicsPath InsetPathI() const {
    return RoundRectPathI(X + B - 1, Y + B - 1, W - B - 2, H - B - 2, int32_t(R));
  }
  void Outlines() const {
    SkinStroke(g, SkinArgbFromColorRef(kBlack, 60), RoundRectPath(X, Y, W - 2, H - 2, 5));
    SkinStroke(g, SkinArgbFromColorRef(kWhite, 120), RoundRectPath(X + 1, Y + 1, W - 4, H - 4, 5));
  }
};

void PaintDisabled(const Face& f) {
  if (f.picture()) {
    f.Smooth();
    SkinFillGradient(f.g, {f.X, f.Y}, {f.X, f.Y + f.H}, SkinArgbFromColorRef(kGrey, 50),
                     SkinArgbFromColorRef(kWhite, 0),
                     RoundRectPath(f.X + f.B - 1, f.Y + f.B - 1, f.W - f.B + 1, f.H - f.B + 1, int32_t(f.R)));
    SkinPictureDraw(f.g, f.entry.Picture, f.Bounds(), SkinPicture::kDisabled);
    return;
  }
  SkinFillGradient(f.g, {1, 1}, {1, f.H}, SkinArgbFromColorRef(kGrey, 50), SkinArgbFromColorRef(kWhite, 0),
                   RoundRectPath(f.X + 2, f.Y + 2, f.W - 6, f.H - 6, 5));
  if (f.entry.ShowFrame) {
    gdip::GraphicsPath frame = NewPath();
    frame.AddRoundRect(f.X, f.Y, f.W - 2, f.H - 2, 8);
    SkinStroke(f.g, SkinArgbFromColorRef(kBlack, 150), frame);
  }
}

void PaintHot(const Face& f) {
  if (f.picture()) {
    f.Smooth();
    SkinFillGradient(f.g, {f.X, f.Y}, {f.X, f.Y + f.H}, SkinArgbFromColorRef(kWhite, 50),
                     SkinArgbFromColorRef(kBlack, 10), f.InsetPathI());
    SkinPictureDraw(f.g, f.entry.Picture, f.Bounds(), SkinPicture::kHot);
    return;
  }
  SkinFillGradient(f.g, {f.X + 1, f.Y + 1}, {f.X + 1, f.Y + f.H - 4}, SkinArgbFromColorRef(kWhite, 50),
                   SkinArgbFromColorRef(kWhite, 40), RoundRectPath(f.X + 2, f.Y + 1, f.W - 5, f.H - 4, 2));
  // A highlight line, full white in its middle and fading out to both ends.
  gdip::LinearGradientBrush fade;
  gdip::Pen pen;
  if (!fade.CreateFromPoints({f.X + 1, f.Y + 1}, {f.W - 1, f.Y + 1}, SkinArgbFromColorRef(kWhite, 0),
                             SkinArgbFromColorRef(kWhite, 255))) {
    return;
  }
  fade.SetLinearBlend(0.5f, 1.0f);
  if (!pen.CreateFromBrush(fade, 2)) return;
  gdip::GraphicsPath line = NewPath();
  line.AddLine(f.X + 1, f.H - 3, f.W - 1, f.H - 3);
  f.g.DrawPath(pen, line);
}

void PaintFocus(const Face& f, bool hot) {
  if (f.picture()) {
    const gdip::GraphicsPath path = f.InsetPathI();
    f.g.SetClipPath(path, Gdiplus::CombineModeReplace);
    SkinFillGradient(f.g, {f.X, f.Y}, {f.X, f.Y + f.H}, SkinArgbFromColorRef(kWhite, 160),
                     SkinArgbFromColorRef(kWhite, 50), path);
    f.g.ResetClip();
    if (hot) {
      SkinPictureDraw(f.g, f.entry.Picture, f.Bounds(), SkinPicture::kHot);
    } else {
      SkinPictureDraw(f.g, f.entry.Picture, f.Bounds(), SkinPicture::kFocused);
    }
    return;
  }
  SkinFillGradient(f.g, {2, 3}, {2, f.H}, SkinArgbFromColorRef(kWhite, 60), SkinArgbFromColorRef(kWhite, 50),
                   RoundRectPath(f.X + 2, f.Y + 2, f.W - 5, f.H - 5, 2));
  f.Outlines();
}

void PaintCaption(gdip::Graphics& g, HWND window, const SkinButtonEntry& entry, float W, float H) {
  CaptionStyle style = {.face = entry.FontFace,
                        .size = float(entry.FontSize),
                        .style = entry.FontStyle,
                        .unit = Gdiplus::UnitPixel,
                        .align = Gdiplus::StringAlignmentCenter};
  gdip::RectF box{0, 0, W, H};
  float effectTop = 0;
  if (entry.ImageBesideCaption && entry.NormalImage.empty()) {
    style.lineAlign = Gdiplus::StringAlignmentCenter;
  } else if (entry.ImageBesideCaption) {
    style.align = Gdiplus::StringAlignmentNear;
    style.lineAlign = Gdiplus::StringAlignmentCenter;
    gdip::Image image;
    float w = 0, h = 0;
    // An image that does not decode has no size: it takes no room.
    if (image.FromStream(entry.NormalImage) && image.GetHeight() > 0) {
      w = float(image.GetWidth());
      h = float(image.GetHeight());
      const float ratio = w / h;
      if (h - (H - 8) > 0.0000001f) {
        h = float(int32_t(H - 8));
        w = image.GetWidth() == image.GetHeight() ? h : float(int32_t(h * ratio));
      }
      if (entry.Caption.empty()) {
        g.DrawImageRect(image, (W - w) / 2, (H - h) / 2, w, h);
      } else {
        g.DrawImageRect(image, 3, (H - h) / 2 - 1, w, h);
      }
    }
    RECT client = {};
    GetClientRect(window, &client);
    box = {w + 5, 2, float(client.right - client.left) - w - 7, float(client.bottom - client.top) - 2};
    effectTop = 1;
  } else {
    const float s = float(int32_t((H - float(entry.FontSize) - 2) * 0.8f));
    gdip::Image image;
    if (image.FromStream(entry.NormalImage)) g.DrawImageRect(image, (W - s) / 2, H * 0.05f, s, s);
    style.trimming = Gdiplus::StringTrimmingEllipsisCharacter;
    box = {0, s + H * 0.05f + 2, W, H - s};
  }
  const auto colour = COLORREF(GetSkinProp(window, prop::Kj_Ztys));
  if (entry.CaptionEffectColor) {
    gdip::RectF effectBox = box;
    if (effectTop > 0) effectBox.y = effectTop;
    SkinDrawControlText(g, entry.Caption, effectBox,
                        {.textColour = colour,
                         .glowColour = *entry.CaptionEffectColor,
                         .face = entry.FontFace,
                         .style = entry.FontStyle,
                         .size = float(entry.FontSize),
                         .horizontalAlign = style.align,
                         .verticalAlign = style.lineAlign,
                         .wrap = false});
  } else {
    DrawPlainCaption(g, entry.Caption, style, SkinArgbFromColorRef(colour, 255), box);
  }
}

}  // namespace

void ButtonSkinPaint(const ButtonRef& ref, HDC dc, UINT state, const RECT& rect) {
  if (!ref) return;
  const HWND window = ref->window;
  SkinCanvas canvas(*ref.record, window, rect, kButtonCanvas);
  if (!canvas) return;
  const SkinButtonEntry& entry = *ref;
  Face f{canvas.graphics(), entry, float(rect.left), float(rect.top), float(canvas.width()), float(canvas.height())};
  if (entry.HasPicture) {
    f.R = float(entry.Picture.GetField2());
    f.B = float(entry.Picture.GetField3());
    if (entry.ShowFrame) {
      SkinFillGradient(f.g, {f.X, f.Y}, {f.X, f.Y + f.H}, SkinArgbFromColorRef(kWhite, 100),
                       SkinArgbFromColorRef(kBlack, 10), f.InsetPathI());
    }
  }
  const bool hot = HasState(state, ODS_HOTLIGHT);
  if (HasState(state, ODS_DISABLED)) {
    PaintDisabled(f);
  } else {
    if (hot) PaintHot(f);
    if (hot || HasState(state, ODS_FOCUS)) {
      PaintFocus(f, hot);
    } else if (entry.ShowFrame) {
      if (entry.HasPicture) {
        SkinPictureDraw(f.g, entry.Picture, f.Bounds(), SkinPicture::kNormal);
      } else {
        f.Outlines();
      }
    }
  }
  PaintCaption(f.g, window, entry, f.W, f.H);
  canvas.Finish();
  canvas.CopyTo(dc);
}

}  // namespace korvath::skin
