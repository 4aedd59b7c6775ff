#include "skin/message_box/dialog_paint.h"

#include <algorithm>

#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/image.h"
#include "platform/window_geometry.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/engine_state.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/colours.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"
#include "skin/form/form_background.h"
#include "skin/message_box/caption_text.h"
#include "skin/message_box/dialog_layout.h"

namespace korvath::skin {

namespace {

constexpr char kTitleFace[] = "\xBA\xDA\xCC\xE5";  // "黑体"
constexpr int32_t kCaptionBandHeight = 30;

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

void PaintBackground(gdip::Graphics& graphics, const gdip::GraphicsPath& path, const OwnerLook& look, int w,
                     int h) {
  SkinFillSolid(graphics, SkinArgbFromColorRef(look.fill, 255), path);
  DrawImageUnder(graphics, look.picture, w, h);
  SkinFillSolid(graphics, SkinArgbFromColorRef(look.fill, 150), path);
  SkinFillSolid(graphics, SkinArgbFromColorRef(kWhite, 50), path);
}

void PaintBands(gdip::Graphics& graphics, float w, float h, float band) {
  SkinFillGradient(graphics, MakePointF(0, 0), MakePointF(0, 31), SkinArgbFromColorRef(kWhite, 60),
                   SkinArgbFromColorRef(kWhite, 150), gdip::RectF{0, 0, w, kCaptionBandHeight});
  SkinFillGradient(graphics, MakePointF(0, 29), MakePointF(0, h - band + 6), SkinArgbFromColorRef(kWhite, 150),
                   SkinArgbFromColorRef(kWhite, 225),
                   gdip::RectF{0, kCaptionBandHeight, w, h - band - kCaptionBandHeight});
  SkinFillGradient(graphics, MakePointF(0, h - band), MakePointF(0, h), SkinArgbFromColorRef(kWhite, 220),
                   SkinArgbFromColorRef(kWhite, 100), gdip::RectF{0, h - band, w, band});
}

// The whole box into its back buffer: background, bands, separator, outline,
// title and caption items.
void PaintBox(SkinWindowRecord& box, int w, int h) {
  gdip::Graphics graphics;
  if (!SkinGraphicsOnDC(graphics, box.BackDC.get(), kSkinSmoothPictureRendering)) return;
  const gdip::GraphicsPath path = RoundRectPathI(0, 0, float(w - 1), float(h - 1), 6);
  if (!path.NativePath()) return;
  PaintBackground(graphics, path, LookOf(box), w, h);
  graphics.SetClipPath(path);
  const float band = float(box.ButtonBandHeight);
  PaintBands(graphics, float(w), float(h), band);
  // The separator above the button band, crisp.
  SkinApplyRenderQuality(graphics,
                         {.smoothing = Gdiplus::SmoothingModeDefault, .pixelOffset = Gdiplus::PixelOffsetModeDefault});
  SkinStrokeLine(graphics, SkinArgbFromColorRef(kWhite, 255), 2, float(h) - band, float(w - 2), float(h) - band);
  SkinStrokeLine(graphics, SkinArgbFromColorRef(kBlack, 60), 2, float(h) - band, float(w - 2), float(h) - band);
  SkinApplyRenderQuality(graphics, kSkinSmoothPictureRendering);
  graphics.ResetClip();
  SkinStroke(graphics, SkinArgbFromColorRef(kWhite, 200), path);
  SkinStroke(graphics, SkinArgbFromColorRef(kBlack, 150), path);
  SkinCaptionText(graphics, GetControlText(box.Window), SkinMakeRect(8, -3, float(w), float(kCaptionBandHeight)),
                  {.textColour = kBlack,
                   .glowColour = kWhite,
                   .blurDivisor = 4,
                   .face = kTitleFace,
                   .style = 0,
                   .size = 12.0f,
                   .horizontalAlign = Gdiplus::StringAlignmentNear,
                   .verticalAlign = Gdiplus::StringAlignmentCenter});
  for (size_t i = 1; i <= box.CaptionItems.size(); ++i) {
    SkinCaptionBlit(box, static_cast<int32_t>(i), graphics, true);
  }
}

// Clips the visible direct children of the box out of `dc`, whose origin
// lies at `origin` in the box's window coordinates.
void ExcludeChildrenAt(HWND box, HDC dc, POINT origin) {
  ForEachChild(box, [&](HWND child) {
    if (!IsWindowVisible(child)) return;
    RECT r = platform::WindowRectIn(child, box);
    OffsetRect(&r, -origin.x, -origin.y);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  });
}

}  // namespace

void SkinDialogCaptionPaint(SkinWindowRecord& box) {
  const RECT bounds = platform::WindowRect(box.Window);
  const int w = bounds.right - bounds.left;
  const int h = bounds.bottom - bounds.top;
  // One back buffer per box: the previous one goes before the new one is made.
  box.BackDC.Reset();
  box.BackDC = SkinMemoryDc::Create(w, h);
  PaintBox(box, w, h);
  platform::WindowDC dc = SkinExcludeChildren(box.Window);
  BitBlt(dc.get(), 0, 0, w, h, box.BackDC.get(), 0, 0, SRCCOPY);
}

bool SkinDialogPrintClient(const SkinWindowRecord& box, HDC dc) {
  if (!box.BackDC) return false;
  const RECT bounds = platform::WindowRect(box.Window);
  const POINT origin = DialogClientOrigin(box.Window);
  platform::SavedDCState kept(dc);
  ExcludeChildrenAt(box.Window, dc, origin);
  BitBlt(dc, -origin.x, -origin.y, bounds.right - bounds.left, bounds.bottom - bounds.top, box.BackDC.get(), 0, 0,
         SRCCOPY);
  return true;
}

void SkinCaptionBlit(SkinWindowRecord& box, int32_t item, gdip::Graphics& graphics, bool fullPaint, bool hover) {
  if (item < 1 || size_t(item) > box.CaptionItems.size() || !box.BackDC) return;
  CaptionItem& caption = box.CaptionItems[size_t(item) - 1];
  const RECT bounds = platform::WindowRect(box.Window);
  const float w = float(bounds.right - bounds.left);
  const float h = float(bounds.bottom - bounds.top);
  const int ix = static_cast<int>(caption.Bounds.x);
  const int iy = static_cast<int>(caption.Bounds.y);
  const int iw = static_cast<int>(caption.Bounds.width);
  const int ih = static_cast<int>(caption.Bounds.height);
  if (!fullPaint) {
    if (!SkinGraphicsOnDC(graphics, box.BackDC.get(), kSkinSmoothRendering)) return;
    graphics.SetClipRect(float(ix), float(iy + 2), float(iw - 2), float(ih));
    if (hover) {
      const gdip::GraphicsPath plate = RoundRectPath(float(ix + 6), float(iy + 2), float(iw - 12), float(ih - 4), 5);
      SkinFillGradient(graphics, MakePointF(float(ix + 3), float(iy + 2)), MakePointF(float(ix + 3), float(iy + ih - 2)),
                       SkinArgbFromColorRef(kWhite, 10), SkinArgbFromColorRef(kRed, 200), plate);
      SkinStroke(graphics, SkinArgbFromColorRef(kBlack, 100), plate);
      SkinStroke(graphics, SkinArgbFromColorRef(kWhite, 130),
                 RoundRectPath(float(ix + 7), float(iy + 3), float(iw - 14), float(ih - 6), 3));
    } else {
      // The box's background, rebuilt under the clip.
      const OwnerLook look = LookOf(box);
      graphics.Clear(SkinArgbFromColorRef(look.fill, 255));
      DrawImageAt(graphics, look.picture, 0, 0);
      SkinFillSolid(graphics, SkinArgbFromColorRef(look.fill, 150), 0, 0, w, h);
      SkinFillSolid(graphics, SkinArgbFromColorRef(kWhite, 50), 0, 0, w, h);
      SkinFillGradient(graphics, MakePointF(0, 0), MakePointF(0, 31), SkinArgbFromColorRef(kWhite, 60),
                       SkinArgbFromColorRef(kWhite, 150), gdip::RectF{0, 0, w, 31});
    }
  }
  DrawImageAt(graphics, &ItemPicture(caption), float(ix), float(iy + 3));
  if (!fullPaint) {
    graphics.Delete();
    platform::WindowDC dc = SkinExcludeChildren(box.Window);
    BitBlt(dc.get(), ix, iy, iw, ih, box.BackDC.get(), ix, iy, SRCCOPY);
  }
}

platform::WindowDC SkinExcludeChildren(HWND window) {
  platform::WindowDC dc = platform::WindowDC::Whole(window);
  ExcludeChildrenAt(window, dc.get(), POINT{0, 0});
  return dc;
}

}  // namespace korvath::skin
