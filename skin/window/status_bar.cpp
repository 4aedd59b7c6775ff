#include "skin/window/status_bar.h"

#include <windows.h>

#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/graphics.h"
#include "gdip/image.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/string_format.h"
#include "platform/gdi_object.h"
#include "skin/core/drawing_values.h"
#include "skin/core/window_list.h"
#include "skin/window/form_render.h"

namespace korvath::skin {

namespace {
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr int kUnitPixel = 2;
constexpr int kCentre = 1;
}  // namespace

void SkinPaintStatusSegment(int32_t n, gdip::Graphics& graphics, bool insideRender, int32_t index) {
  SkinWindowRecord* record = SkinRecordAt(n);
  if (!record || index < 1 || size_t(index) > record->StatusBarSegmentRects.size() ||
      size_t(index) > record->StatusBarSegments.size())
    return;
  SkinWindowRecord& r = *record;
  const StatusBarSegment& segment = r.StatusBarSegments[size_t(index) - 1];
  const gdip::Rect& box = r.StatusBarSegmentRects[size_t(index) - 1];
  const int x = box.x, y = box.y, w = box.width, h = r.StatusBarHeight;
  if (!insideRender) {
    graphics.FromHDC(r.BackDC.get());
    SkinBlitPart2(n, RECT{x, y, x + w, y + h});
  }
  {
    gdip::LinearGradientBrush band;
    band.CreateFromPoints(MakePointF(float(x), float(y)), MakePointF(float(x), float(y + h)),
                          SkinArgbFromColorRef(kWhite, 60), SkinArgbFromColorRef(kWhite, 10));
    graphics.FillRectangle(band, float(x), float(y + 1), float(w), float(h - 1));
  }
  gdip::SolidBrush text;
  text.Create(SkinArgbFromColorRef(segment.textColor, 255));
  gdip::Font font;
  font.CreateFromName(r.StatusBarFontName, float(r.StatusBarFontSize), 0, kUnitPixel);
  gdip::StringFormat format;
  format.Create();
  format.SetAlign(0);
  format.SetLineAlign(kCentre);
  gdip::RectF layout{float(x + 3), float(y + 2), float(w - 3), float(h)};
  if (!segment.image.empty()) {
    gdip::Image image;
    image.FromStream(segment.image);
    int iw = image.GetWidth(), ih = image.GetHeight();
    if (ih >= h) {
      ih = int(float(h) * 0.7f);
      iw = ih;
    }
    graphics.DrawImageRect(image, float(x + 2), float(y) + float(h - ih) / 2, float(iw), float(ih));
    layout = {float(x + iw + 5), float(y + 2), float(w - iw - 5), float(h)};
  }
  graphics.DrawString(segment.text, font, text, layout, &format);
  if (insideRender) return;
  BitBlt(r.ChildBackDC.get(), x, y, w, h, r.BackDC.get(), x, y, SRCCOPY);
  platform::WindowDC dc = platform::WindowDC::Client(r.Window);
  BitBlt(dc.get(), x, y, w, h, r.BackDC.get(), x, y, SRCCOPY);
  graphics.Delete();
}

}  // namespace korvath::skin
