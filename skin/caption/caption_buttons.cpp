#include "skin/caption/caption_buttons.h"

#include <windows.h>

#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/image.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/pen.h"
#include "platform/gdi_object.h"
#include "skin/caption/caption_surfaces.h"
#include "skin/core/engine_startup.h"
#include "skin/core/window_record.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {


struct ItemBox {
  int x = 0, y = 0, w = 0, h = 0;
};

ItemBox BoxOf(const CaptionItem& item) {
  return {int(item.Bounds.x - 1), int(item.Bounds.y), item.Width, item.Height};
}

void FillVertical(gdip::Graphics& graphics, const gdip::GraphicsPath& path, int x, int y, int height,
                  gdip::Argb top, gdip::Argb bottom) {
  SkinFillGradient(graphics, MakePointF(float(x), float(y)), MakePointF(float(x), float(y + height)), top, bottom, path);
}

void DrawGlyph(gdip::Graphics& graphics, const SkinWindowRecord& r, const CaptionItem& item, const ItemBox& b,
               int width) {
  const gdip::Image& glyph = item.Kind == CaptionItemKind::MaximizeRestore && r.Maximized ? item.RestoreGlyph : item.ItemGlyph;
  if (glyph.NativeImage()) graphics.DrawImageRect(glyph, float(b.x), float(b.y), float(width), float(b.h));
}

// Puts the item's rectangle of the back buffer on the window.
void ShowItem(const SkinWindowRecord& r, const ItemBox& b) {
  platform::WindowDC dc = platform::WindowDC::Client(r.Window);
  BitBlt(dc.get(), b.x, b.y, b.w, b.h, r.BackDC.get(), b.x, b.y, SRCCOPY);
}

void Separator(gdip::Graphics& graphics, int xs, int sy, int sh, int alpha) {
  gdip::GraphicsPath path;
  gdip::LinearGradientBrush fade;
  gdip::Pen pen;
  if (!path.Create() ||
      !fade.CreateFromPoints(MakePointF(float(xs), float(sy)), MakePointF(float(xs), float(sy + sh - 3)),
                             SkinArgbFromColorRef(kBlack, alpha), SkinArgbFromColorRef(kBlack, 0)) ||
      !pen.CreateFromBrush(fade, 1.0f))
    return;
  path.AddLine(float(xs), float(sy + 1), float(xs), float(sy + sh - 4));
  graphics.DrawPath(pen, path);
}

void PaintPressed(const SkinWindowRecord& r, const CaptionItem& item, gdip::Graphics& graphics) {
  const ItemBox b = BoxOf(item);
  if (!SkinGraphicsOnDC(graphics, r.BackDC.get())) return;
  SkinBlitPart(r, RECT{b.x, b.y, b.x + b.w, b.y + b.h});
  gdip::GraphicsPath shape;
  if (shape.Create()) {
    if (item.Kind == CaptionItemKind::Close) {
      SkinPathAddCloseShape(shape, b.x, b.y, b.w, b.h, 5);
      FillVertical(graphics, shape, b.x, b.y, b.h, SkinArgbFromColorRef(kRed, 255), SkinArgbFromColorRef(kWhite, 30));
    } else {
      shape.AddRectangle(float(b.x), float(b.y), float(b.w), float(b.h));
      FillVertical(graphics, shape, b.x, b.y, b.h, SkinArgbFromColorRef(kBlack, 80), SkinArgbFromColorRef(kWhite, 5));
    }
  }
  DrawGlyph(graphics, r, item, b, b.w - 1);
  ShowItem(r, b);
  graphics.Delete();
}

}  // namespace

void SkinPaintCaptionButtons(const SkinWindowRecord& r, gdip::Graphics& graphics, const CaptionItemPaint& paint) {
  const int32_t index = paint.item, hoverLevel = paint.hoverLevel;
  const bool insideRender = paint.insideRender, pressed = paint.pressed;
  if (index < 1 || size_t(index) > r.CaptionItems.size()) return;
  const CaptionItem& item = r.CaptionItems[size_t(index) - 1];
  if (pressed) {
    PaintPressed(r, item, graphics);
    return;
  }
  const ItemBox b = BoxOf(item);
  if (!insideRender && !SkinGraphicsOnDC(graphics, r.BackDC.get(), kSkinSmoothRendering)) return;
  SkinPaintCaptionHover(graphics, r, index, hoverLevel);
  if (gdip::GraphicsPath sheen; sheen.Create()) {
    sheen.AddRectangle(float(b.x - 1), float(b.y), float(b.w + 1), float(b.h - 1));
    FillVertical(graphics, sheen, b.x, b.y, b.h, SkinArgbFromColorRef(kWhite, 50), SkinArgbFromColorRef(kBlack, 0));
  }
  DrawGlyph(graphics, r, item, b, b.w);
  SkinPaintCaptionSeparators(r, index, graphics);
  if (insideRender) return;
  ShowItem(r, b);
  graphics.Delete();
}

void SkinPaintCaptionHover(gdip::Graphics& graphics, const SkinWindowRecord& r, int32_t index, int32_t level) {
  if (index < 1 || size_t(index) > r.CaptionItems.size()) return;
  const CaptionItem& item = r.CaptionItems[size_t(index) - 1];
  const ItemBox b = BoxOf(item);
  SkinBlitPart(r, RECT{b.x - 1, b.y, b.x + b.w + 1, b.y + b.h + 1});
  // At level 0 (the form's render, a fade's end) the outline, the tint and
  // the rim are wholly transparent: blended over the restored caption they
  // would change no pixel.
  if (level == 0) return;
  const bool close = item.Kind == CaptionItemKind::Close;

  if (gdip::GraphicsPath outline; outline.Create()) {
    TabShapePathA(outline, b.x, b.y, b.w, b.h, 1);
    FillVertical(graphics, outline, b.x, b.y, b.h + 1, SkinArgbFromColorRef(kBlack, level / 5),
                 SkinArgbFromColorRef(kWhite, 0));
  }
  if (gdip::GraphicsPath tint; tint.Create()) {
    if (close)
      SkinPathAddCloseShape(tint, b.x, b.y, b.w, b.h, 5);
    else
      TabShapePathA(tint, b.x, b.y, b.w, b.h, 1);
    FillVertical(graphics, tint, b.x, b.y, b.h + 1,
                 SkinArgbFromColorRef(close ? kRed : SkinEngine.options.SkinThemeColor, level),
                 SkinArgbFromColorRef(kWhite, 0));
  }
  gdip::GraphicsPath rim;
  gdip::LinearGradientBrush rimFade;
  gdip::Pen pen;
  if (!rim.Create() ||
      !rimFade.CreateFromPoints(MakePointF(float(b.x), float(b.y)), MakePointF(float(b.x), float(b.y + b.h + 1)),
                                SkinArgbFromColorRef(kWhite, int32_t(float(level) * 0.8f)),
                                SkinArgbFromColorRef(kWhite, 0)) ||
      !pen.CreateFromBrush(rimFade, 1.0f))
    return;
  const int rimHeight = int(float(b.h) * 0.8f);
  if (close)
    SkinPathAddCloseShape(rim, b.x, b.y, b.w - 1, rimHeight, 5);
  else
    TabShapePathA(rim, b.x, b.y, b.w - 1, rimHeight, 1);
  graphics.DrawPath(pen, rim);
}

void SkinPaintCaptionSeparators(const SkinWindowRecord& r, int32_t index, gdip::Graphics& graphics) {
  if (index < 1 || size_t(index) > r.CaptionItems.size()) return;
  const auto& items = r.CaptionItems;
  const int sy = r.ButtonStripTop, sh = r.ButtonStripHeight;
  Separator(graphics, int(items[size_t(index) - 1].Bounds.x - 2), sy, sh, index == 1 ? 100 : 60);
  if (size_t(index) < items.size()) Separator(graphics, int(items[size_t(index)].Bounds.x - 2), sy, sh, 60);
}

void SkinPathAddCloseShape(gdip::GraphicsPath& path, int32_t x, int32_t y, int32_t w, int32_t h, int32_t r) {
  const float left = float(x), top = float(y), right = float(x + w), bottom = float(y + h), corner = float(r);
  path.AddLine(left, bottom, left, top);
  path.AddLine(left, top, right - corner, top);
  path.AddArc(right - corner, top, corner, corner, 270, 90);
  path.AddLine(right, top + corner, right, bottom);
}

}  // namespace korvath::skin
