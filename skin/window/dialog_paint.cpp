#include "skin/window/dialog_paint.h"

#include <algorithm>
#include <string>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/brush.h"
#include "gdip/font_family.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/linear_gradient_brush.h"
#include "gdip/pen.h"
#include "gdip/string_format.h"
#include "skin/core/colours.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/control_text.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_state.h"
#include "skin/core/layered_window.h"
#include "skin/core/rounded_path.h"
#include "skin/core/skin_graphics.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/window/form_background.h"

namespace korvath::skin {

namespace {

constexpr char kTitleFace[] = "\xBA\xDA\xCC\xE5";  // "黑体"
constexpr int32_t kCaptionBandHeight = 30;

gdip::Argb Colour(COLORREF colour, int32_t alpha) { return gdip::Argb(SkinArgbFromColorRef(colour, alpha)); }

// Brushes and pens that GDI+ does not make stay empty: drawing with one
// draws nothing.
gdip::SolidBrush Solid(COLORREF colour, int32_t alpha) {
  gdip::SolidBrush brush;
  if (!brush.Create(Colour(colour, alpha))) return {};
  return brush;
}

gdip::Pen ThinPen(COLORREF colour, int32_t alpha, float width = 1) {
  gdip::Pen pen;
  if (!pen.CreateFromColor(Colour(colour, alpha), width)) return {};
  return pen;
}

// A vertical gradient from the first point's colour to the second's.
gdip::LinearGradientBrush Gradient(float x1, float y1, COLORREF c1, int32_t a1, float x2, float y2, COLORREF c2,
                                   int32_t a2) {
  gdip::LinearGradientBrush brush;
  if (!brush.CreateFromPoints(MakePointF(x1, y1), MakePointF(x2, y2), Colour(c1, a1), Colour(c2, a2))) return {};
  return brush;
}

// What the box is painted in: its owner form's colour and image, or the
// engine's background theme where the owner has none. A picture takes longer
// to decode than the rest of the box takes to paint (the tool's 557 x 800
// one 6 to 8 ms): it is decoded once and kept, the owner's with the owner's
// record (its later boxes find it there, until the form fits its background
// again), the theme's with the box's, so that a repaint, or a caption item's
// normal look after the mouse leaves it, only draws it.
struct OwnerLook {
  COLORREF fill = 0;
  const gdip::Image* picture = nullptr;
};

OwnerLook LookOf(SkinWindowRecord& box) {
  SkinWindowRecord* owner = SkinRecordOfWindow(GetWindow(box.Window, GW_OWNER));
  OwnerLook look{SkinEngine.options.SkinBackgroundColor};
  if (owner && owner->BackColor) look.fill = *owner->BackColor;
  if (owner && !owner->SkinImage.empty())
    look.picture = &SkinKeptBackgroundPicture(owner->Background, owner->SkinImage);
  else if (!SkinEngine.options.SkinBackgroundImage.empty())
    look.picture = &SkinKeptBackgroundPicture(box.Background, SkinEngine.options.SkinBackgroundImage);
  return look;
}

// The image at its own pixel size, whatever its resolution; nothing when it
// did not decode.
void DrawImageAt(gdip::Graphics& graphics, const gdip::Image* image, float x, float y) {
  if (!image || !image->NativeImage()) return;
  graphics.DrawImageRect(*image, x, y, float(image->GetWidth()), float(image->GetHeight()));
}

// The part of the image that a w x h area at the corner shows, at the
// image's own pixel size: the same pixels as the whole image drawn there,
// without GDI+ reading the rest of it (the tool's picture is 557 x 800, a box
// a fraction of that).
void DrawImageUnder(gdip::Graphics& graphics, const gdip::Image* image, int w, int h) {
  if (!image || !image->NativeImage()) return;
  const float pw = float(std::min<int>(w, int(image->GetWidth())));
  const float ph = float(std::min<int>(h, int(image->GetHeight())));
  graphics.DrawImageRectRect(*image, 0, 0, pw, ph, 0, 0, pw, ph);
}

// A caption item's picture, decoded at the item's first paint and kept with
// the item.
const gdip::Image& ItemPicture(CaptionItem& item) {
  if (!item.ItemGlyph.NativeImage() && !item.ItemImage.empty())
    static_cast<void>(item.ItemGlyph.FromStream(item.ItemImage));
  return item.ItemGlyph;
}

RECT WindowBounds(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

void PaintBackground(gdip::Graphics& graphics, const gdip::GraphicsPath& path, const OwnerLook& look, int w,
                     int h) {
  graphics.FillPath(Solid(look.fill, 255), path);
  DrawImageUnder(graphics, look.picture, w, h);
  graphics.FillPath(Solid(look.fill, 150), path);
  graphics.FillPath(Solid(kWhite, 50), path);
}

void PaintBands(gdip::Graphics& graphics, float w, float h, float band) {
  graphics.FillRectangle(Gradient(0, 0, kWhite, 60, 0, 31, kWhite, 150), 0, 0, w, kCaptionBandHeight);
  graphics.FillRectangle(Gradient(0, 29, kWhite, 150, 0, h - band + 6, kWhite, 225), 0, kCaptionBandHeight, w,
                         h - band - kCaptionBandHeight);
  graphics.FillRectangle(Gradient(0, h - band, kWhite, 220, 0, h, kWhite, 100), 0, h - band, w, band);
}

// The whole box into its back buffer: background, bands, separator, outline,
// title and caption items.
void PaintBox(HWND box, SkinWindowRecord& record, int32_t index, int w, int h) {
  gdip::Graphics graphics;
  gdip::GraphicsPath path;
  if (!SkinGraphicsOnDC(graphics, record.BackDC.get(), kSkinSmoothPictureRendering) || !path.Create()) return;
  SkinPathAddRoundRectI(path, 0, 0, float(w - 1), float(h - 1), 6);
  PaintBackground(graphics, path, LookOf(record), w, h);
  graphics.SetClipPath(path);
  const float band = float(record.ButtonBandHeight);
  PaintBands(graphics, float(w), float(h), band);
  // The separator above the button band, crisp.
  SkinApplyRenderQuality(graphics,
                         {.smoothing = Gdiplus::SmoothingModeDefault, .pixelOffset = Gdiplus::PixelOffsetModeDefault});
  graphics.DrawLine(ThinPen(kWhite, 255), 2, float(h) - band, float(w - 2), float(h) - band);
  graphics.DrawLine(ThinPen(kBlack, 60), 2, float(h) - band, float(w - 2), float(h) - band);
  SkinApplyRenderQuality(graphics, kSkinSmoothPictureRendering);
  graphics.ResetClip();
  graphics.DrawPath(ThinPen(kWhite, 200), path);
  graphics.DrawPath(ThinPen(kBlack, 150), path);
  SkinCaptionText(graphics, GetControlText(box), SkinMakeRect(8, -3, float(w), float(kCaptionBandHeight)), kBlack,
                  kWhite, 4, std::string(kTitleFace), std::nullopt, 12.0f, Gdiplus::StringAlignmentNear,
                  Gdiplus::StringAlignmentCenter);
  for (size_t i = 1; i <= record.CaptionItems.size(); ++i) {
    SkinCaptionBlit(index, static_cast<int32_t>(i), graphics, true);
  }
}

// What a caption text's picture shows, all that its pixels depend on.
struct CaptionTextLook {
  std::string text;
  std::string face;
  COLORREF textColour = 0;
  COLORREF glowColour = 0;
  int32_t blur = 1;
  int32_t style = 0;
  int emSize = 0;
  int width = 0;
  int height = 0;
  Gdiplus::StringAlignment align = Gdiplus::StringAlignmentNear;
  Gdiplus::StringAlignment lineAlign = Gdiplus::StringAlignmentNear;
  bool operator==(const CaptionTextLook&) const = default;
};

// The title with its glow takes longer than all the rest of a box to draw
// (the blur resamples the whole caption band twice, over 2 ms under Wine),
// and boxes show the same few titles at the same widths: the last picture
// made is kept, as plain pixels so that nothing needs GDI+ when the process
// ends, and a box with the same title only draws it.
struct KeptCaptionText {
  CaptionTextLook look;
  std::vector<uint32_t> pixels;  // ARGB, rows top to bottom, width x height
};

KeptCaptionText& KeptCaptionTextPicture() {
  static KeptCaptionText kept;
  return kept;
}

// The text with its blurred glow into `kept`'s pixels (transparent before):
// the glow outline is shrunk by the blur factor and grown back, the sharp
// text lies one pixel higher. False when GDI+ made no picture.
bool DrawCaptionTextPicture(KeptCaptionText& kept) {
  const CaptionTextLook& look = kept.look;
  const int32_t s = look.blur;
  const int wi = look.width;
  const int hi = look.height;
  const int smallW = wi / s;
  const int smallH = hi / s;
  gdip::FontFamily family;
  gdip::StringFormat format;
  // Without a face or a format there is no text to draw.
  if (!family.CreateFromName(look.face) || !format.Create()) return false;
  format.SetAlign(look.align);
  format.SetLineAlign(look.lineAlign);
  auto outline = [&](float top) {
    gdip::GraphicsPath path;
    if (!path.Create()) return path;
    path.AddString(look.text, family, look.emSize, SkinMakeRect(0, top, float(wi), float(hi)), look.style, format);
    return path;
  };

  gdip::Bitmap glow;
  gdip::Graphics g;
  if (!glow.CreateFromScan0(wi, hi, wi * 4, gdip::kPixelFormat32bppArgb, kept.pixels.data()) ||
      !SkinGraphicsOnImage(g, glow, kSkinBlurRendering)) {
    return false;
  }
  {
    const gdip::GraphicsPath shape = outline(s / 2.0f);
    g.DrawPath(ThinPen(look.glowColour, 255), shape);
    g.FillPath(Solid(look.glowColour, 255), shape);
  }
  if (smallW >= 1 && smallH >= 1) {
    gdip::Bitmap shrunk;
    gdip::Graphics sg;
    if (shrunk.CreateWithFormat(smallW, smallH) && SkinGraphicsOnImage(sg, shrunk, kSkinBlurRendering)) {
      sg.DrawImageRect(glow, 0, 0, float(smallW), float(smallH));
    }
    sg.Delete();
    g.Clear(0);
    g.DrawImageRect(shrunk, 0, 0, float(wi), float(hi));
  }
  {
    const gdip::GraphicsPath sharp = outline(s / 2.0f - 1);
    g.DrawPath(ThinPen(look.glowColour, 200, 2), sharp);
    g.DrawPath(ThinPen(look.textColour, 254), sharp);
    g.FillPath(Solid(look.textColour, 255), sharp);
  }
  return true;
}

}  // namespace

void SkinDialogCaptionPaint(HWND box) {
  const int32_t index = static_cast<int32_t>(GetSkinProp(box, prop::Hw_lbID));
  SkinWindowRecord* record = SkinRecordOfWindow(box);
  if (!record) return;
  const RECT bounds = WindowBounds(box);
  const int w = bounds.right - bounds.left;
  const int h = bounds.bottom - bounds.top;
  // One back buffer per box: the previous one goes before the new one is made.
  record->BackDC.Reset();
  record->BackDC = SkinMemoryDc::Create(w, h);
  PaintBox(box, *record, index, w, h);
  platform::WindowDC dc = SkinExcludeChildren(box);
  BitBlt(dc.get(), 0, 0, w, h, record->BackDC.get(), 0, 0, SRCCOPY);
}

void SkinCaptionText(gdip::Graphics& graphics, std::string_view text, const gdip::RectF& layout,
                     COLORREF textColour, COLORREF glowColour, int32_t blurFactor, std::optional<std::string> face,
                     std::optional<int32_t> style, std::optional<float> size, Gdiplus::StringAlignment align,
                     Gdiplus::StringAlignment lineAlign) {
  const int wi = static_cast<int>(layout.width);
  const int hi = static_cast<int>(layout.height);
  if (wi < 1 || hi < 1) return;
  CaptionTextLook look{std::string(text),
                       face.value_or(kDefaultFontFace),
                       textColour,
                       glowColour,
                       std::max<int32_t>(1, blurFactor),
                       style.value_or(0),
                       static_cast<int>(size.value_or(13.0f)),
                       wi,
                       hi,
                       align,
                       lineAlign};
  KeptCaptionText& kept = KeptCaptionTextPicture();
  if (!(kept.look == look)) {
    kept.look = std::move(look);
    kept.pixels.assign(size_t(wi) * size_t(hi), 0);
    if (!DrawCaptionTextPicture(kept)) {
      kept.look = {};
      kept.pixels.clear();
      return;
    }
  }
  gdip::Bitmap picture;
  if (!picture.CreateFromScan0(wi, hi, wi * 4, gdip::kPixelFormat32bppArgb, kept.pixels.data())) return;
  graphics.DrawImageRect(picture, layout.x, layout.y, float(wi), float(hi));
}

void SkinCaptionBlit(int32_t index, int32_t item, gdip::Graphics& graphics, bool fullPaint, bool hover) {
  SkinWindowRecord* record = SkinRecordAt(index);
  if (!record || item < 1 || size_t(item) > record->CaptionItems.size() || !record->BackDC) return;
  CaptionItem& caption = record->CaptionItems[size_t(item) - 1];
  const RECT bounds = WindowBounds(record->Window);
  const float w = float(bounds.right - bounds.left);
  const float h = float(bounds.bottom - bounds.top);
  const int ix = static_cast<int>(caption.Bounds.x);
  const int iy = static_cast<int>(caption.Bounds.y);
  const int iw = static_cast<int>(caption.Bounds.width);
  const int ih = static_cast<int>(caption.Bounds.height);
  if (!fullPaint) {
    if (!SkinGraphicsOnDC(graphics, record->BackDC.get(), kSkinSmoothRendering)) return;
    graphics.SetClipRect(float(ix), float(iy + 2), float(iw - 2), float(ih));
    if (hover) {
      gdip::GraphicsPath plate;
      if (plate.Create()) {
        SkinPathAddRoundRect(plate, float(ix + 6), float(iy + 2), float(iw - 12), float(ih - 4), 5);
        graphics.FillPath(
            Gradient(float(ix + 3), float(iy + 2), kWhite, 10, float(ix + 3), float(iy + ih - 2), kRed, 200), plate);
        graphics.DrawPath(ThinPen(kBlack, 100), plate);
      }
      gdip::GraphicsPath highlight;
      if (highlight.Create()) {
        SkinPathAddRoundRect(highlight, float(ix + 7), float(iy + 3), float(iw - 14), float(ih - 6), 3);
        graphics.DrawPath(ThinPen(kWhite, 130), highlight);
      }
    } else {
      // The box's background, rebuilt under the clip.
      const OwnerLook look = LookOf(*record);
      graphics.Clear(Colour(look.fill, 255));
      DrawImageAt(graphics, look.picture, 0, 0);
      graphics.FillRectangle(Solid(look.fill, 150), 0, 0, w, h);
      graphics.FillRectangle(Solid(kWhite, 50), 0, 0, w, h);
      graphics.FillRectangle(Gradient(0, 0, kWhite, 60, 0, 31, kWhite, 150), 0, 0, w, 31);
    }
  }
  DrawImageAt(graphics, &ItemPicture(caption), float(ix), float(iy + 3));
  if (!fullPaint) {
    graphics.Delete();
    platform::WindowDC dc = SkinExcludeChildren(record->Window);
    BitBlt(dc.get(), ix, iy, iw, ih, record->BackDC.get(), ix, iy, SRCCOPY);
  }
}

platform::WindowDC SkinExcludeChildren(HWND window) {
  platform::WindowDC dc = platform::WindowDC::Whole(window);
  ForEachChild(window, [&](HWND child) {
    if (!IsWindowVisible(child)) return;
    const RECT r = SkinRectInParentWindow(child);
    ExcludeClipRect(dc.get(), r.left, r.top, r.right, r.bottom);
  });
  return dc;
}

LRESULT DialogSkinHitTest(HWND box, LPARAM lParam) {
  const SkinWindowRecord* record = SkinRecordOfWindow(box);
  const RECT r = WindowBounds(box);
  const int32_t x = static_cast<int16_t>(LoWord(static_cast<int32_t>(lParam)));
  const int32_t y = HiWord(static_cast<int32_t>(lParam));
  const int32_t stripLeft = record ? record->ButtonStripLeft : 0;
  if (r.left + stripLeft < x && x < r.right - 5 && r.top + 3 < y && y <= r.top + 20) return HTCLOSE;
  if (y <= r.top + 25) return HTCAPTION;
  return HTCLIENT;
}

}  // namespace korvath::skin
