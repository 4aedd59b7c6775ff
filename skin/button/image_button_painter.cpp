#include "skin/button/image_button_painter.h"

#include <gdiplus.h>

#include <optional>

#include "gdip/brush.h"
#include "gdip/image.h"
#include "skin/button/button_drawing.h"
#include "skin/core/engine_startup.h"
#include "skin/core/window_props.h"
#include "skin/draw/colours.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/shape_drawing.h"

namespace korvath::skin {

namespace {

// A state's fallback frame around the normal picture.
struct Frame {
  float grow;  // added to the picture's size
  int32_t radius;
  gdip::Argb pen, top, bottom;
};

// Draws the picture at (2, 2), at its own size or stretched to the item
// less one pixel; returns the size it was drawn at.
gdip::SizeF DrawFace(gdip::Graphics& g, const ByteSet& picture, bool stretch, float W, float H) {
  gdip::Image image;
  // A picture that does not decode draws nothing and has no size of its own.
  if (!image.FromStream(picture)) return stretch ? gdip::SizeF{W - 1, H - 1} : gdip::SizeF{};
  const gdip::SizeF size = stretch ? gdip::SizeF{W - 1, H - 1}
                                   : gdip::SizeF{float(image.GetWidth()), float(image.GetHeight())};
  g.DrawImageRect(image, 2, 2, size.width, size.height);
  return size;
}

gdip::SizeF PictureSize(const ByteSet& picture, bool stretch, float W, float H) {
  if (stretch) return {W - 1, H - 1};
  gdip::Image image;
  if (!image.FromStream(picture)) return {};
  return {float(image.GetWidth()), float(image.GetHeight())};
}

}  // namespace

void ButtonSkinPaintImage(const ButtonRef& ref, HDC dc, UINT state, const RECT& rect) {
  if (!ref) return;
  const HWND window = ref->window;
  const SkinButtonEntry& entry = *ref;
  SkinCanvas canvas(*ref.record, window, rect, kButtonCanvas);
  if (!canvas) return;
  gdip::Graphics& g = canvas.graphics();
  const float W = float(canvas.width()), H = float(canvas.height());
  const COLORREF theme = SkinEngine.options.SkinThemeColor;
  const ByteSet* own = &entry.NormalImage;
  std::optional<Frame> frame;
  if (HasState(state, ODS_DISABLED)) {
    own = &entry.DisabledImage;
    frame = Frame{2, 5, SkinArgbFromColorRef(kBlack, 80), SkinArgbFromColorRef(kWhite, 60),
                  SkinArgbFromColorRef(kBlack, 100)};
  } else if (HasState(state, ODS_HOTLIGHT)) {
    own = &entry.HoverImage;
    frame = Frame{3, 3, SkinArgbFromColorRef(theme, 250), SkinArgbFromColorRef(kWhite, 120),
                  SkinArgbFromColorRef(theme, 100)};
  } else if (HasState(state, ODS_SELECTED)) {
    own = &entry.PressedImage;
    frame = Frame{3, 3, SkinArgbFromColorRef(theme, 250), SkinArgbFromColorRef(kBlack, 60),
                  SkinArgbFromColorRef(kWhite, 100)};
  }
  gdip::SizeF size;
  if (!own->empty() || !frame) {
    size = DrawFace(g, *own, entry.StretchImage, W, H);
  } else {
    // No picture of the state's own: the normal one inside the state's frame.
    size = PictureSize(entry.NormalImage, entry.StretchImage, W, H);
    const gdip::GraphicsPath path =
        RoundRectPath(0, 0, size.width + frame->grow, size.height + frame->grow, frame->radius);
    SkinStroke(g, frame->pen, path);
    SkinFillGradient(g, {0, 0}, {0, size.height + frame->grow}, frame->top, frame->bottom, path);
    DrawFace(g, entry.NormalImage, entry.StretchImage, W, H);
  }
  if (!entry.Caption.empty()) {
    const auto colour = COLORREF(GetSkinProp(window, prop::Kj_Ztys));
    if (entry.CaptionEffectColor) {
      SkinDrawControlText(g, entry.Caption, SkinMakeRect(2, 2, size.width, size.height - 2),
                          GlowingCaptionLook(entry, colour));
    } else {
      const CaptionStyle style = {.face = entry.FontFace,
                                  .size = float(entry.FontSize),
                                  .style = entry.FontStyle,
                                  .unit = Gdiplus::UnitWorld,
                                  .align = Gdiplus::StringAlignmentCenter,
                                  .lineAlign = Gdiplus::StringAlignmentCenter};
      DrawPlainCaption(g, entry.Caption, style, SkinArgbFromColorRef(colour, 255), {2, 2, size.width, size.height});
    }
  }
  canvas.Finish();
  canvas.CopyTo(dc);
}

void ToggleSkinPaintImage(const ButtonRef& ref, HDC dc, UINT state, const RECT& rect) {
  if (!ref) return;
  const HWND window = ref->window;
  SkinCanvas canvas(*ref.record, window, rect, kButtonCanvas);
  if (!canvas) return;
  gdip::Graphics& g = canvas.graphics();
  const bool checked = SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
  DrawPictureAt(g, checked ? ref->PressedImage : ref->NormalImage, 0, 0);
  if (HasState(state, ODS_DISABLED)) {
    gdip::SolidBrush wash;
    if (wash.Create(SkinArgbFromColorRef(kSilver, 120))) {
      g.FillRectangle(wash, float(rect.left), float(rect.top), float(canvas.width()),
                      float(canvas.height()));
    }
  }
  canvas.Finish();
  canvas.CopyTo(dc);
}

}  // namespace korvath::skin
