#include "skin/button/vector_button_painter.h"

#include <gdiplus.h>

#include "gdip/pen.h"
#include "platform/gdi_object.h"
#include "skin/button/button_drawing.h"
#include "skin/button/button_lookup.h"
#include "skin/button/cross_fade.h"
#include "skin/core/engine_startup.h"
#include "skin/core/window_props.h"
#include "skin/draw/colours.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

constexpr int32_t kVectorCorner = 5;
constexpr int32_t kDefaultRingAlpha = 100;
// A face from a skin picture is drawn anti-aliased at half-pixel centres; the
// vector face keeps GDI+'s defaults.
constexpr SkinRenderQuality kPictureQuality{.smoothing = Gdiplus::SmoothingModeAntiAlias,
                                            .pixelOffset = Gdiplus::PixelOffsetModeHighQuality};

// The picture a push button is drawn with: its own, else its form's.
SkinPicture* PictureOf(const ButtonRef& button) {
  if (button->HasPicture) return &button->Picture;
  if (button.record->HasPicture) return &button.record->Picture;
  return nullptr;
}

struct Face {
  gdip::Graphics& g;
  float left, top, width, height;
  SkinPicture* picture;  // null in vector mode
  int32_t inset = 0, corner = kVectorCorner;

  gdip::PointF Top() const { return {left, top}; }
  gdip::Rect Bounds() const { return {int32_t(left), int32_t(top), int32_t(width), int32_t(height)}; }
  gdip::PointF Bottom() const { return {left, top + height - 1}; }
  gdip::GraphicsPath Path() const { return RoundRectPath(left, top, width - 1, height - 1, corner); }
  gdip::GraphicsPath InsetPath() const {
    return RoundRectPathI(left + inset - 1, top + inset - 1, width - 2 * inset + 1, height - 2 * inset + 1, corner);
  }
  void ClipToInset() const { g.SetClipPath(InsetPath(), Gdiplus::CombineModeReplace); }
};

void PaintDisabled(Face& f) {
  const gdip::GraphicsPath path = RoundRectPath(f.left, f.top, f.width - 1, f.height - 1, kVectorCorner);
  SkinFillSolid(f.g, SkinArgbFromColorRef(kSilver, 255), path);
  SkinFillGradient(f.g, f.Top(), {f.left, f.top + f.height}, SkinArgbFromColorRef(kWhite, 10),
                   SkinArgbFromColorRef(kWhite, 50), path);
  if (f.picture) {
    f.g.ResetClip();
    SkinPictureDraw(f.g, *f.picture, f.Bounds(), SkinPicture::kDisabled);
  } else {
    SkinStroke(f.g, SkinArgbFromColorRef(kBlack, 80), path);
  }
}

void PaintEnabled(Face& f, UINT state) {
  const gdip::GraphicsPath path = f.Path();
  SkinFillGradient(f.g, f.Top(), f.Bottom(), SkinArgbFromColorRef(kWhite, 30), SkinArgbFromColorRef(kGrey, 60), path);
  const COLORREF theme = SkinEngine.options.SkinThemeColor;
  if (HasState(state, ODS_HOTLIGHT)) {
    if (f.picture) {
      SkinFillGradient(f.g, f.Top(), f.Bottom(), SkinArgbFromColorRef(theme, 30), SkinArgbFromColorRef(kBlack, 10),
                       path);
      f.g.ResetClip();
      SkinPictureDraw(f.g, *f.picture, f.Bounds(), SkinPicture::kHot);
      f.ClipToInset();
    } else {
      SkinFillGradient(f.g, f.Top(), f.Bottom(), SkinArgbFromColorRef(theme, 60), SkinArgbFromColorRef(kWhite, 80),
                       path);
      SkinFillGradient(f.g, f.Top(), f.Bottom(), SkinArgbFromColorRef(kWhite, 100), SkinArgbFromColorRef(theme, 30),
                       path);
      SkinStroke(f.g, SkinArgbFromColorRef(kBlack, 150), path);
      SkinStroke(f.g, SkinArgbFromColorRef(theme, 100), path);
    }
  } else if (HasState(state, ODS_FOCUS)) {
    if (f.picture) {
      f.g.ResetClip();
      SkinPictureDraw(f.g, *f.picture, f.Bounds(), SkinPicture::kFocused);
      f.ClipToInset();
    } else {
      f.g.SetClipPath(path, Gdiplus::CombineModeReplace);
      SkinStrokePath(f.g, path, 3, SkinArgbFromColorRef(kFocusRing, 120));
      f.g.ResetClip();
      SkinStroke(f.g, SkinArgbFromColorRef(kBlack, 80), path);
    }
  } else if (f.picture) {
    f.g.ResetClip();
    SkinPictureDraw(f.g, *f.picture, f.Bounds(), SkinPicture::kNormal);
    f.ClipToInset();
  } else {
    SkinStroke(f.g, SkinArgbFromColorRef(kBlack, 120), path);
  }
  if (HasState(state, ODS_DEFAULT) && !f.picture) {
    // The default button's frame is heavier: a second outline just inside.
    SkinStroke(f.g, SkinArgbFromColorRef(kBlack, kDefaultRingAlpha),
               RoundRectPath(f.left + 1, f.top + 1, f.width - 3, f.height - 3, kVectorCorner));
  }
  if (HasState(state, ODS_SELECTED)) {
    const gdip::GraphicsPath pressed = RoundRectPath(f.left + 2, f.top + 2, f.width - 3, f.height - 3, kVectorCorner);
    SkinFillGradient(f.g, {2, 2}, {2, f.height - 2}, SkinArgbFromColorRef(theme, 60), SkinArgbFromColorRef(kWhite, 100),
                     pressed);
  }
}

void PaintCaption(gdip::Graphics& g, HWND button, const SkinButtonEntry& entry, UINT state, float width,
                  float height) {
  const auto textColour = COLORREF(GetSkinProp(button, prop::Kj_Ztys));
  if (entry.CaptionEffectColor) {
    SkinDrawControlText(g, entry.Caption, SkinMakeRect(0, 0, width, height + 2),
                        GlowingCaptionLook(entry, textColour));
    return;
  }
  const COLORREF colour =
      HasState(state, ODS_DISABLED) ? COLORREF(GetSkinProp(button, prop::Kj_Jzzts)) : textColour;
  const CaptionStyle style = {.face = entry.FontFace,
                              .size = float(entry.FontSize),
                              .style = entry.FontStyle,
                              .unit = Gdiplus::UnitWorld,
                              .align = Gdiplus::StringAlignmentCenter,
                              .lineAlign = Gdiplus::StringAlignmentCenter,
                              .hotkeyPrefix = true};
  DrawPlainCaption(g, entry.Caption, style, SkinArgbFromColorRef(colour, 255), {0, 2, width, height});
}

}  // namespace

void ButtonSkinPaintVector(const ButtonRef& ref, HDC dc, UINT state, const RECT& rect) {
  if (!ref) return;
  const HWND button = ref->window;
  // Owner-drawn buttons are not told that they are the default: the entry is.
  if (ref->DefaultButton) state |= ODS_DEFAULT;
  SkinCanvas canvas(*ref.record, button, rect, kButtonCanvas);
  if (!canvas) return;
  gdip::Graphics& g = canvas.graphics();
  Face face{g, float(rect.left), float(rect.top), float(canvas.width()), float(canvas.height()),
            PictureOf(ref)};
  if (face.picture) {
    SkinApplyRenderQuality(g, kPictureQuality);
    face.inset = face.picture->GetField3();
    face.corner = face.picture->GetField2();
    face.ClipToInset();
    SkinFillSolid(g, SkinArgbFromColorRef(kWhite, 160), face.InsetPath());
  } else {
    SkinFillSolid(g, SkinArgbFromColorRef(kWhite, 160), face.Path());
  }
  if (HasState(state, ODS_DISABLED)) {
    PaintDisabled(face);
  } else {
    PaintEnabled(face, state);
  }
  PaintCaption(g, button, *ref, state, face.width, face.height);

  const int32_t width = canvas.width(), height = canvas.height();
  canvas.Finish();
  SkinMemoryDc picture = canvas.Release();
  FadeStop(button);
  platform::WindowDC own;
  if (GetDeviceCaps(dc, HORZRES) == 0) {
    own = platform::WindowDC::Client(button);
    dc = own.get();
  }
  if (HasState(state, ODS_HOTLIGHT)) {
    FadeStart({.window = button, .width = width, .height = height, .picture = std::move(picture)});
  } else {
    BitBlt(dc, 0, 0, width, height, picture.get(), 0, 0, SRCCOPY);
  }
}

}  // namespace korvath::skin
