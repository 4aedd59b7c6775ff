#include "skin/edit/ip_address_dots.h"

#include "gdip/graphics.h"
#include "gdip/pen.h"
#include "platform/window_geometry.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

std::vector<POINT> SkinIpAddressDotPositions(HWND control) {
  const RECT client = platform::ClientRect(control);
  std::vector<POINT> dots;
  for (HWND field = FindWindowExW(control, nullptr, L"Edit", nullptr); field;
       field = FindWindowExW(control, field, L"Edit", nullptr)) {
    const RECT r = platform::WindowRectIn(field, control);
    dots.push_back(POINT{r.right + 1, client.bottom / 2});
  }
  return dots;
}

void SkinPaintIpAddressDots(HWND control, HDC dc) {
  const std::vector<POINT> dots = SkinIpAddressDotPositions(control);
  gdip::Graphics graphics;
  gdip::Pen pen;
  if (!SkinGraphicsOnDC(graphics, dc) ||
      !pen.CreateFromColor(SkinArgbFromColorRef(RGB(0, 0, 0)), 1.0f)) {
    return;
  }
  for (const POINT& dot : dots) graphics.DrawEllipse(pen, float(dot.x), float(dot.y), 1.0f, 1.0f);
}

}  // namespace korvath::skin
