#include "skin/form/form_background.h"

#include <windows.h>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/pen.h"
#include "gdip/picture_decode.h"
#include "gdip/texture_brush.h"
#include "platform/gdi_object.h"
#include "platform/window_geometry.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_record.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/picture_stretch.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/skin_graphics.h"
#include "skin/draw/thin_outline.h"
#include "skin/form/background_theme.h"

namespace korvath::skin {

namespace {


void GdiFill(HDC dc, const RECT& area, COLORREF colour) {
  platform::GdiBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &area, brush.get());
}

int32_t ImageMode(const SkinWindowRecord& r) {
  return r.SkinImage.empty() ? SkinEngine.options.SkinBackgroundMode : r.SkinImageMode;
}

// Where a mode puts an image of iw x ih in a W x H client; false: no image.
bool Placement(int32_t mode, float W, float H, float iw, float ih, gdip::RectF& at, bool& natural) {
  natural = mode == 0 || mode == 1 || mode == 4;
  switch (mode) {
    case 0: at = {0, 0, iw, ih}; return true;
    case 1: at = {W - iw, 0, iw, ih}; return true;
    case 2: at = {(W - iw) / 2, (H - ih) / 2, iw, ih}; return true;
    case 3: at = {0, 0, W, H}; return true;
    case 4: at = {0, 0, iw, ih}; return true;
    case 5: at = {0, H - ih, iw, ih}; return true;
    case 6: at = {W - iw, H - ih, iw, ih}; return true;
    case 7: at = {(W - iw) / 2, H - ih, iw, ih}; return true;
    case 8: at = {W - iw, (H - ih) / 2, iw, ih}; return true;
    case 9: at = {(W - iw) / 2, 0, iw, ih}; return true;
    case 10: at = {0, (H - ih) / 2, iw, ih}; return true;
    default: return false;
  }
}

// Mode 4 draws a strip as wide as the client: the picture repeated and
// mirrored in turn.
bool MirroredStrip(const gdip::Bitmap& picture, int width, gdip::Bitmap& strip) {
  const int ih = picture.GetHeight();
  if (!strip.CreateWithFormat(width, ih)) return false;
  gdip::Graphics graphics;
  gdip::TextureBrush tiles;
  if (SkinGraphicsOnImage(graphics, strip) && tiles.Create(picture, Gdiplus::WrapModeTileFlipX))
    graphics.FillRectangle(tiles, 0, 0, float(width), float(ih));
  return true;
}

// The base fill with the prepared picture placed in its mode, at the client
// size. A picture stretched over the whole client is sampled here as GDI+
// would sample it, in a tenth of the time.
void FitPicture(gdip::Bitmap& image, int32_t mode, COLORREF base, const RECT& client, HDC surface) {
  GdiFill(surface, client, base);
  if (mode == 3 && image.NativeImage() && SkinStretchPictureBilinear(image, surface, client.right, client.bottom))
    return;
  gdip::Graphics graphics;
  if (!image.NativeImage() || !SkinGraphicsOnDC(graphics, surface)) return;
  gdip::RectF at;
  bool natural = false;
  if (!Placement(mode, float(client.right), float(client.bottom), float(image.GetWidth()),
                 float(image.GetHeight()), at, natural))
    return;
  if (natural)
    graphics.DrawImage(image, at.x, at.y);
  else
    graphics.DrawImageRect(image, at.x, at.y, at.width, at.height);
}

// The form's kept lower background, fitted again when the picture, the
// mode, the base colour or the size changed since it was last fitted.
// A form that cannot be resized lets its decoded picture go once fitted (a
// 557 x 800 picture holds about 1.7 MB): it is decoded again only if the form
// is fitted again.
HDC FittedBackground(SkinWindowRecord& r, const ByteSet& source, COLORREF base, const RECT& client) {
  FormBackgroundCache& kept = r.Background;
  if (kept.source != source) static_cast<void>(SkinKeptBackgroundPicture(kept, source));
  const int32_t mode = ImageMode(r);
  if (!kept.fitted || kept.mode != mode || kept.base != base || kept.width != client.right ||
      kept.height != client.bottom) {
    kept.fitted.Reset();
    kept.fitted = SkinMemoryDc::Create(client);
    kept.mode = mode;
    kept.base = base;
    kept.width = client.right;
    kept.height = client.bottom;
    // Mode 4 fits a strip made from the picture; the others the kept picture
    // itself, read without a copy of it.
    if (mode == 4) {
      gdip::Bitmap strip;
      SkinLoadBackgroundImage(r, strip);
      FitPicture(strip, mode, base, client, kept.fitted.get());
    } else {
      static_cast<void>(SkinKeptBackgroundPicture(kept, source));
      FitPicture(kept.picture, mode, base, client, kept.fitted.get());
    }
    if (!r.Resizable) {
      kept.picture.Dispose();
      kept.decoded = false;
    }
  }
  return kept.fitted.get();
}

// A one-pixel outline of the form, within `reach` pixels of the client's
// edges: onto the back buffer's own pixels (those GDI+ gives through its DC,
// without the window-sized layer GDI+ blends there), or through GDI+ where
// that fails.
void StrokeOutline(gdip::Graphics& graphics, HDC back, const gdip::GraphicsPath& path, gdip::Argb colour,
                   const RECT& client, int reach) {
  if (SkinStrokeThinOutline(back, path, colour, client, reach)) return;
  if (gdip::Pen pen; pen.CreateFromColor(colour, 1.0f)) graphics.DrawPath(pen, path);
}

}  // namespace

const gdip::Bitmap& SkinKeptBackgroundPicture(FormBackgroundCache& kept, const ByteSet& source) {
  if (kept.source != source) {
    kept.source = source;
    kept.decoded = false;
    kept.fitted.Reset();
  }
  if (!kept.decoded) {
    kept.decoded = true;
    // A picture that does not decode leaves the bitmap empty: no image.
    static_cast<void>(gdip::DecodePicture(kept.source, kept.picture));
  }
  return kept.picture;
}

void SkinLoadBackgroundImage(SkinWindowRecord& r, gdip::Bitmap& bitmap) {
  const ByteSet& source = r.SkinImage.empty() ? SkinEngine.options.SkinBackgroundImage : r.SkinImage;
  if (source.empty()) return;
  // The decoded picture is kept with the record (a resizable form's until it
  // goes), so a new size or mode does not decode it again.
  const gdip::Bitmap& picture = SkinKeptBackgroundPicture(r.Background, source);
  if (ImageMode(r) == 4) {
    static_cast<void>(MirroredStrip(picture, platform::ClientRect(r.Window).right, bitmap));
    return;
  }
  // A picture that did not decode leaves the bitmap empty.
  if (picture.NativeImage()) static_cast<void>(picture.Clone(bitmap));
}

void SkinPaintBackground(gdip::Graphics& graphics, SkinWindowRecord& r) {
  const RECT client = platform::ClientRect(r.Window);
  const float W = float(client.right);
  HDC back = r.BackDC.get();
  const COLORREF base = r.SkinImage.empty() ? SkinEngine.options.SkinBackgroundColor : r.SkinImageColor;
  const ByteSet& source = r.SkinImage.empty() ? SkinEngine.options.SkinBackgroundImage : r.SkinImage;
  if (source.empty())
    GdiFill(back, client, base);
  else if (client.right > 0 && client.bottom > 0)
    BitBlt(back, 0, 0, client.right, client.bottom, FittedBackground(r, source, base, client), 0, 0, SRCCOPY);

  if (r.BackColor) {
    RECT area = client;
    if (r.CaptionBand) area.top = r.CaptionHeight;
    if (r.BackAlpha == 255) {
      GdiFill(back, area, *r.BackColor);
    } else {
      if (gdip::SolidBrush brush; brush.Create(SkinArgbFromColorRef(*r.BackColor, r.BackAlpha)))
        graphics.FillRectangle(brush, 0, float(area.top), W, float(area.bottom - area.top));
    }
  }

  if (r.CaptionBand) {
    // Black counts as no colour here: the band stays white.
    const bool coloured = r.BackColor.value_or(0) > 0;
    const gdip::Argb top = coloured ? SkinArgbFromColorRef(*r.BackColor, int32_t(float(r.BackAlpha) * 0.2f))
                                    : SkinArgbFromColorRef(kWhite, 150);
    const gdip::Argb bottom =
        coloured ? SkinArgbFromColorRef(*r.BackColor, r.BackAlpha) : SkinArgbFromColorRef(kWhite, 0);
    if (gdip::LinearGradientBrush band;
        band.CreateFromPoints(MakePointF(0, 0), MakePointF(0, float(r.CaptionHeight)), top, bottom))
      graphics.FillRectangle(band, 0, 0, W, float(r.CaptionHeight));
  }
}

// Both outlines' corners (7 and 6 pixels, the inner one a pixel in) with a
// pixel or two to spare.
constexpr int kOutlineReach = 10;

void SkinPaintBorder(const SkinWindowRecord& r, gdip::Graphics& graphics) {
  const RECT client = platform::ClientRect(r.Window);
  const float W = float(client.right), H = float(client.bottom);
  if (gdip::GraphicsPath outer; outer.Create()) {
    SkinPathAddRoundRect(outer, 0, 0, W - 1, H - 1, 7);
    StrokeOutline(graphics, r.BackDC.get(), outer, SkinArgbFromColorRef(kBlack, 155), client, kOutlineReach);
  }
  if (r.ShadowWindow) return;
  if (gdip::GraphicsPath inner; inner.Create()) {
    SkinPathAddRoundRect(inner, 1, 1, W - 3, H - 3, 6);
    StrokeOutline(graphics, r.BackDC.get(), inner, SkinArgbFromColorRef(kWhite, 140), client, kOutlineReach);
  }
}

}  // namespace korvath::skin
