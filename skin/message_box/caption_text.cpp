#include "skin/message_box/caption_text.h"

#include <algorithm>
#include <string>
#include <vector>

#include "gdip/bitmap.h"
#include "gdip/font_family.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/string_format.h"
#include "skin/draw/control_text.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/engine_caches.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

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
// made is kept, as plain pixels so that nothing needs GDI+ when it goes, and
// a box with the same title only draws it.
struct KeptCaptionText {
  CaptionTextLook look;
  std::vector<uint32_t> pixels;  // ARGB, rows top to bottom, width x height
};

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
    SkinStroke(g, SkinArgbFromColorRef(look.glowColour, 255), shape);
    SkinFillSolid(g, SkinArgbFromColorRef(look.glowColour, 255), shape);
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
    SkinStroke(g, SkinArgbFromColorRef(look.glowColour, 200), sharp, 2);
    SkinStroke(g, SkinArgbFromColorRef(look.textColour, 254), sharp);
    SkinFillSolid(g, SkinArgbFromColorRef(look.textColour, 255), sharp);
  }
  return true;
}

}  // namespace

void SkinCaptionText(gdip::Graphics& graphics, std::string_view text, const gdip::RectF& layout,
                     const ControlTextLook& look) {
  const int wi = static_cast<int>(layout.width);
  const int hi = static_cast<int>(layout.height);
  if (wi < 1 || hi < 1) return;
  CaptionTextLook shown{std::string(text),
                        std::string(look.face),
                        look.textColour,
                        look.glowColour,
                        std::max<int32_t>(1, look.blurDivisor),
                        look.style,
                        static_cast<int>(look.size),
                        wi,
                        hi,
                        look.horizontalAlign,
                        look.verticalAlign};
  KeptCaptionText& kept = SkinEngineCache<KeptCaptionText>();
  if (!(kept.look == shown)) {
    kept.look = std::move(shown);
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

}  // namespace korvath::skin
