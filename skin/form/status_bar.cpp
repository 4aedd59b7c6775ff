#include "skin/form/status_bar.h"

#include <windows.h>

#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/graphics.h"
#include "gdip/image.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/string_format.h"
#include "platform/gdi_object.h"
#include "skin/core/window_record.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/font_cache.h"
#include "skin/draw/skin_graphics.h"
#include "skin/form/form_render.h"

namespace korvath::skin {

void SkinPaintStatusSegment(const SkinWindowRecord& r, gdip::Graphics& graphics, bool insideRender, int32_t index) {
  if (index < 1 || size_t(index) > r.StatusBarSegmentRects.size() || size_t(index) > r.StatusBarSegments.size())
    return;
  const StatusBarSegment& segment = r.StatusBarSegments[size_t(index) - 1];
  const gdip::Rect& box = r.StatusBarSegmentRects[size_t(index) - 1];
  const int x = box.x, y = box.y, w = box.width, h = r.StatusBarHeight;
  if (!insideRender) {
    if (!SkinGraphicsOnDC(graphics, r.BackDC.get())) return;
    SkinBlitPart2(r, RECT{x, y, x + w, y + h});
  }
  if (gdip::LinearGradientBrush band;
      band.CreateFromPoints(MakePointF(float(x), float(y)), MakePointF(float(x), float(y + h)),
                            SkinArgbFromColorRef(kWhite, 60), SkinArgbFromColorRef(kWhite, 10)))
    graphics.FillRectangle(band, float(x), float(y + 1), float(w), float(h - 1));
  gdip::SolidBrush text;
  gdip::Font font;
  gdip::StringFormat format;
  const bool lettering = text.Create(SkinArgbFromColorRef(segment.textColor, 255)) &&
                         SkinFontFromName(font, r.StatusBarFontName, float(r.StatusBarFontSize), 0, Gdiplus::UnitPixel) &&
                         format.Create();
  format.SetAlign(Gdiplus::StringAlignmentNear);
  format.SetLineAlign(Gdiplus::StringAlignmentCenter);
  gdip::RectF layout{float(x + 3), float(y + 2), float(w - 3), float(h)};
  if (!segment.image.empty()) {
    gdip::Image image;
    (void)image.FromStream(segment.image);  // a picture that does not decode has size 0 and draws nothing
    int iw = image.GetWidth(), ih = image.GetHeight();
    if (ih >= h) {
      ih = int(float(h) * 0.7f);
      iw = ih;
    }
    graphics.DrawImageRect(image, float(x + 2), float(y) + float(h - ih) / 2, float(iw), float(ih));
    layout = {float(x + iw + 5), float(y + 2), float(w - iw - 5), float(h)};
  }
  if (lettering) graphics.DrawString(segment.text, font, text, layout, &format);
  if (insideRender) return;
  BitBlt(r.ChildBackDC.get(), x, y, w, h, r.BackDC.get(), x, y, SRCCOPY);
  platform::WindowDC dc = platform::WindowDC::Client(r.Window);
  BitBlt(dc.get(), x, y, w, h, r.BackDC.get(), x, y, SRCCOPY);
  graphics.Delete();
}

}  // namespace korvath::skin
