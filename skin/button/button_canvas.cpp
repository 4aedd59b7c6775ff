#include "skin/button/button_canvas.h"

#include <gdiplus.h>

#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/image.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/path_gradient_brush.h"
#include "gdip/pen.h"
#include "gdip/string_format.h"
#include "platform/gdi_object.h"
#include "skin/core/control_entries.h"
#include "skin/core/child_layer.h"
#include "skin/core/drawing_values.h"
#include "skin/core/font_cache.h"
#include "skin/core/parent_background.h"
#include "skin/core/rounded_path.h"
#include "skin/core/skin_graphics.h"

namespace korvath::skin {

ButtonCanvas::ButtonCanvas(HWND window, const RECT& rect)
    : window_(window),
      width_(rect.right - rect.left),
      height_(rect.bottom - rect.top),
      surface_(SkinPaintParentBackground(window, rect)) {
  ready_ = surface_ && SkinGraphicsOnDC(graphics_, surface_.get());
}

SkinMemoryDc ButtonCanvas::Finish() {
  graphics_.Delete();
  if (surface_) SkinPaintChildBackground(window_, surface_.get());
  return std::move(surface_);
}

void ButtonCanvas::CopyTo(HDC target) {
  SkinMemoryDc picture = Finish();
  if (picture) BitBlt(target, 0, 0, width_, height_, picture.get(), 0, 0, SRCCOPY);
}

gdip::Argb ColourAt(COLORREF colour, int32_t alpha) {
  return gdip::Argb(SkinArgbFromColorRef(colour, alpha));
}

gdip::GraphicsPath NewPath() {
  gdip::GraphicsPath path;
  // A path GDI+ does not make stays empty: figures added to it, and drawing
  // it, do nothing.
  if (!path.Create()) return {};
  return path;
}

gdip::GraphicsPath RoundRectPath(float x, float y, float width, float height, int32_t radius) {
  gdip::GraphicsPath path = NewPath();
  SkinPathAddRoundRect(path, x, y, width, height, radius);
  return path;
}

gdip::GraphicsPath RoundRectPathI(float x, float y, float width, float height, int32_t radius) {
  gdip::GraphicsPath path = NewPath();
  SkinPathAddRoundRectI(path, x, y, width, height, radius);
  return path;
}

gdip::GraphicsPath EllipsePath(float x, float y, float width, float height) {
  gdip::GraphicsPath path = NewPath();
  path.AddEllipse(x, y, width, height);
  return path;
}


void FillRadial(gdip::Graphics& g, const gdip::GraphicsPath& path, gdip::Argb centre, gdip::Argb surround,
                float focus) {
  gdip::PathGradientBrush brush;
  if (!brush.CreateFromPath(path)) return;
  brush.SetCenterColor(centre);
  const gdip::Argb surrounds[] = {surround};
  brush.SetSurroundColorsWithCount(surrounds);
  brush.SetFocusScales(focus, focus);
  g.FillPath(brush, path);
}

int32_t DrawPictureAt(gdip::Graphics& g, const ByteSet& picture, float x, float y, int32_t boxHeight) {
  if (picture.empty()) return 0;
  gdip::Image image;
  if (!image.FromStream(picture)) return 0;
  const int32_t w = image.GetWidth(), h = image.GetHeight();
  const float top = boxHeight < 0 ? y : y + float(boxHeight - h) / 2;
  g.DrawImageRect(image, x, top, float(w), float(h));
  return w;
}

void DrawPlainCaption(gdip::Graphics& g, std::string_view text, const CaptionStyle& style, gdip::Argb colour,
                      const gdip::RectF& layout) {
  if (text.empty()) return;
  gdip::SolidBrush brush;
  gdip::Font font;
  gdip::StringFormat format;
  if (!brush.Create(colour) || !SkinFontFromName(font, style.face, style.size, style.style, style.unit) ||
      !format.Create(style.flags, 0)) {
    return;
  }
  format.SetAlign(style.align);
  format.SetLineAlign(style.lineAlign);
  if (style.hotkeyPrefix) format.SetHotkeyPrefix(Gdiplus::HotkeyPrefixShow);
  if (style.trimming) format.SetTrimming(*style.trimming);
  g.DrawString(text, font, brush, layout, &format);
}

ControlTextLook GlowingCaptionLook(const SkinButtonEntry& entry, COLORREF textColour) {
  return {.textColour = textColour,
          .glowColour = entry.CaptionEffectColor.value_or(0),
          .face = entry.FontFace,
          .style = entry.FontStyle,
          .size = float(entry.FontSize),
          .horizontalAlign = Gdiplus::StringAlignmentCenter,
          .verticalAlign = Gdiplus::StringAlignmentCenter};
}

}  // namespace korvath::skin
