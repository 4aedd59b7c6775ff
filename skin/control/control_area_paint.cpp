// The frame-mode face of a control-layer control.
#include "skin/control/control_skin.h"

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "skin/draw/chevron_images.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/picture_cache.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

void SkinControlAreaPaint(HWND window, HDC dc) {
  RECT client = {};
  GetClientRect(window, &client);
  const gdip::RectF area = ToRectF(client);
  const float l = area.x, t = area.y, w = area.width, h = area.height;
  // The band is filled through GDI: white that GDI+ writes carries an
  // alpha byte, and Wine's TransparentBlt then no longer sees the key in it.
  {
    const platform::GdiRegion band(CreateRectRgnIndirect(&client));
    const platform::GdiRegion inside(
        CreateRectRgn(client.left + 3, client.top + 3, client.right - 3, client.bottom - 3));
    CombineRgn(band.get(), band.get(), inside.get(), RGN_XOR);
    FillRgn(dc, band.get(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  gdip::Graphics g;
  if (!SkinGraphicsOnDC(g, dc)) return;
  g.SetClipRect(l, t, w, h, Gdiplus::CombineModeReplace);
  g.SetClipRect(l + 3, t + 3, w - 6, h - 6, Gdiplus::CombineModeXor);
  SkinStroke(g, SkinArgbFromColorRef(0, 120), 1.0f, l, t, w - 1, h - 1);
  SkinStroke(g, SkinArgbFromColorRef(0, 10), 1.0f, l + 1, t + 1, w - 3, h - 3);
  g.ResetClip();
  SkinFillSolid(g, SkinArgbFromColorRef(0xFF8800, 80), w - 20, t + 3, 17, h - 7);
  SkinStroke(g, SkinArgbFromColorRef(0, 100), 1.0f, w - 20, t + 3, 17, h - 7);
  gdip::Bitmap chevron;
  if (SkinLoadCachedPicture(chevron, ChevronDownImage())) {
    g.DrawImageRect(chevron, w - 15, t + (h - 11) / 2 + 3, float(chevron.GetWidth()),
                    float(chevron.GetHeight()));
  }
}

}  // namespace korvath::skin
