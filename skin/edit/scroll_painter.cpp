// The skinned scroll bar drawn into its overlay: the parent's background, a
// translucent white track, a shaded thumb, two arrow buttons with chevrons,
// and a highlight on the part under the mouse.
#include <span>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "platform/gdi_object.h"
#include "skin/core/engine_startup.h"
#include "skin/core/skin_canvas.h"
#include "skin/core/window_props.h"
#include "skin/draw/chevron_images.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/picture_cache.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"
#include "skin/edit/scroll_bar_slot.h"
#include "skin/edit/scroll_bars.h"

namespace korvath::skin {

namespace {

constexpr int kArrowLength = 17;  // each arrow button's share of the bar
// Chevrons are drawn at their own size, bilinear and gamma-corrected;
// shapes are not anti-aliased.
constexpr SkinRenderQuality kBarRendering{.interpolation = Gdiplus::InterpolationModeHighQualityBilinear,
                                          .compositing = Gdiplus::CompositingQualityGammaCorrected};

struct Box {
  float x, y, w, h;
};

// Where one bar's pieces go, in overlay coordinates. Both bars share the
// drawing; only this geometry differs between them.
struct BarLayout {
  RECT parts[3];                 // first arrow, second arrow, thumb
  Box thumb;
  gdip::PointF thumbFrom, thumbTo;
  Box arrows[2];
  gdip::PointF arrowFrom[2], arrowTo[2];
  std::span<const uint8_t> images[2];
  // Image placement from the image's size.
  POINT (*imageAt[2])(int barW, int barH, int thickness, int imageW, int imageH);
};

BarLayout VerticalLayout(int W, int H, int B, int T, int U) {
  const float fb = float(B);
  const int L = U - T;
  return BarLayout{
      {{1, 1, W - 2, kArrowLength}, {1, H - kArrowLength, W - 2, H - 1}, {1, T, B + 1, U}},
      {float(W - B) / 2 + 1, float(T), fb - 3, float(L - 1)},
      {1, float(T)}, {fb - 2, float(T)},
      {{1, 1, fb - 3, 15}, {1, float(H - kArrowLength), fb - 3, 15}},
      {{1, 1}, {1, float(H - kArrowLength)}},
      {{fb - 2, 1}, {fb - 2, float(H - kArrowLength)}},
      {ChevronUpImage(), ChevronDownImage()},
      {[](int, int, int b, int w, int h) { return POINT{(b - w) / 2, (15 - h) / 2 + 2}; },
       [](int, int barH, int b, int w, int h) { return POINT{(b - w) / 2, barH - 15 + (15 - h) / 2}; }},
  };
}

BarLayout HorizontalLayout(int W, int H, int B, int T, int U) {
  const float fb = float(B);
  const int L = U - T;
  return BarLayout{
      {{1, 1, kArrowLength, H - 2}, {W - kArrowLength, 1, W - 4, H - 1}, {T, 1, U, B + 1}},
      {float(T), float(H - B) / 2 + 1, float(L - 1), fb - 3},
      {float(T), 1}, {float(T), fb - 2},
      {{1, 1, 15, fb - 3}, {float(W - kArrowLength), 1, 15, fb - 3}},
      {{1, 1}, {float(W - kArrowLength), 1}},
      {{1, fb - 2}, {float(W - kArrowLength), fb - 2}},
      {ChevronLeftImage(), ChevronRightImage()},
      {[](int, int, int b, int w, int h) { return POINT{(15 - w) / 2 + 1, (b - h) / 2}; },
       [](int barW, int, int b, int w, int h) {
         return POINT{barW - kArrowLength + (15 - w) / 2 + 1, (b - h) / 2};
       }},
  };
}

gdip::GraphicsPath RoundBox(const Box& box, int32_t radius) {
  return RoundRectPath(box.x, box.y, box.w, box.h, radius);
}

void DrawTrack(gdip::Graphics& g, HWND control, int W, int H) {
  auto colour = static_cast<COLORREF>(GetSkinProp(control, prop::Kj_bjys));
  auto alpha = static_cast<int32_t>(GetSkinProp(control, prop::Kj_bjystmd));
  if (colour == 0 && alpha == 0) {
    colour = kWhite;
    alpha = SkinEngine.options.SkinAlpha;
  }
  SkinFillSolid(g, SkinArgbFromColorRef(colour, alpha), 0, 0, float(W), float(H));
  SkinFillGradient(g, {0, 0}, {float(W), 0}, SkinArgbFromColorRef(kWhite, 40), SkinArgbFromColorRef(kWhite, 80),
                   gdip::RectF{0, 0, float(W), float(H)});
}

void DrawThumb(gdip::Graphics& g, const BarLayout& layout, bool hot) {
  const COLORREF theme = SkinEngine.options.SkinThemeColor;
  const gdip::GraphicsPath path = RoundBox(layout.thumb, 2);
  if (hot) {
    SkinFillSolid(g, SkinArgbFromColorRef(kWhite, 100), path);
    SkinFillGradient(g, layout.thumbFrom, layout.thumbTo, SkinArgbFromColorRef(theme, 20),
                     SkinArgbFromColorRef(theme, 80), path);
  } else {
    SkinFillGradient(g, layout.thumbFrom, layout.thumbTo, SkinArgbFromColorRef(kWhite, 50),
                     SkinArgbFromColorRef(theme, 50), path);
    SkinFillGradient(g, layout.thumbFrom, layout.thumbTo, SkinArgbFromColorRef(kWhite, 0),
                     SkinArgbFromColorRef(kWhite, 150), path);
  }
  SkinStroke(g, SkinArgbFromColorRef(kBlack, 60), path);
}

void DrawArrow(gdip::Graphics& g, const BarLayout& layout, int i, bool hot, int W, int H, int B) {
  const gdip::GraphicsPath path = RoundBox(layout.arrows[i], 1);
  if (hot) {
    SkinFillSolid(g, SkinArgbFromColorRef(kWhite, 180), path);
    const COLORREF theme = SkinEngine.options.SkinThemeColor;
    SkinFillGradient(g, layout.arrowFrom[i], layout.arrowTo[i], SkinArgbFromColorRef(theme, 20),
                     SkinArgbFromColorRef(theme, 80), path);
    SkinStroke(g, SkinArgbFromColorRef(kBlack, 80), path);
  }
  SkinStroke(g, SkinArgbFromColorRef(kBlack, 30), path);
  gdip::Bitmap image;
  if (!SkinLoadCachedPicture(image, layout.images[i])) return;
  const int w = image.GetWidth(), h = image.GetHeight();
  const POINT at = layout.imageAt[i](W, H, B, w, h);
  g.DrawImageRect(image, float(at.x), float(at.y), float(w), float(h));
}

// The bar's picture over what lies beneath its overlay, with `hotPart`
// highlighted; where its parts lie goes into the entry when `recordParts`
// (once the picture is made). Empty for a bar without an overlay and for a
// vertical bar without a thumb, which keeps its last picture.
SkinCanvas DrawBar(const ScrollBarSlot& bar, int32_t hotPart, bool recordParts) {
  if (!bar.overlay || !bar.parts || !bar.owner) return {};
  const bool vertical = bar.axis == ScrollBarAxis::Vertical;
  RECT overlayRect = {};
  GetWindowRect(bar.overlay, &overlayRect);
  SCROLLBARINFO info = {};
  info.cbSize = sizeof(info);
  GetScrollBarInfo(bar.control, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info);
  // The bar's thickness is the size of its arrow buttons and of its thumb
  // across. Wine reports the thumb's length as the button size, so it is
  // taken from the bar's own rectangle, which agrees with the button size
  // on Windows.
  const RECT& rect = info.rcScrollBar;
  const int B = vertical ? rect.right - rect.left : rect.bottom - rect.top;
  const int T = info.xyThumbTop, U = info.xyThumbBottom;
  if (vertical && (B <= 0 || U - T <= 0)) return {};
  const bool enabled = info.rgstate[0] != STATE_SYSTEM_UNAVAILABLE;
  const int W = overlayRect.right - overlayRect.left;
  const int H = overlayRect.bottom - overlayRect.top;

  SkinCanvas canvas(*bar.owner, bar.overlay, RECT{0, 0, W, H},
                    {.drawing = SkinCanvasDrawing::OnPixels, .quality = kBarRendering});
  if (!canvas.dc()) return {};
  const BarLayout layout = vertical ? VerticalLayout(W, H, B, T, U) : HorizontalLayout(W, H, B, T, U);
  if (recordParts) {
    for (int i = 0; i < 3; ++i) (*bar.parts)[i] = layout.parts[i];
  }
  if (!canvas) return {};
  gdip::Graphics& g = canvas.graphics();
  DrawTrack(g, bar.control, W, H);
  if (enabled) DrawThumb(g, layout, hotPart == kScrollPartThumb);
  DrawArrow(g, layout, 0, enabled && hotPart == kScrollPartFirstArrow, W, H, B);
  DrawArrow(g, layout, 1, enabled && hotPart == kScrollPartSecondArrow, W, H, B);
  return canvas;
}

}  // namespace

void SkinPaintScrollBar(const ScrollBarSlot& bar, int32_t hotPart) {
  SkinCanvas picture = DrawBar(bar, hotPart, true);
  if (!picture) return;
  picture.Finish();
  platform::WindowDC screen = platform::WindowDC::Client(bar.overlay);
  picture.CopyTo(screen.get());
}

void SkinPrintScrollBar(const ScrollBarSlot& bar, HDC dc) {
  if (SkinCanvas picture = DrawBar(bar, kScrollPartNone, false)) picture.CopyTo(dc);
}

void VScrollPaint(HWND control, int32_t hotPart) {
  SkinPaintScrollBar(SkinScrollBarSlot(control, ScrollBarAxis::Vertical), hotPart);
}

void HScrollPaint(HWND control, int32_t hotPart) {
  SkinPaintScrollBar(SkinScrollBarSlot(control, ScrollBarAxis::Horizontal), hotPart);
}

}  // namespace korvath::skin
