// The track bar's drawing, from the geometry its paint routine read.
#include <algorithm>
#include <array>

#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/path_gradient_brush.h"
#include "skin/control/trackbar_skin.h"
#include "skin/core/engine_state.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"
#include "skin/draw/skin_picture.h"

namespace korvath::skin {

namespace {

constexpr int kBarThickness = 4;

struct Geometry {
  const TrackbarParts& p;
  int across() const { return (p.channel.bottom - p.channel.top - kBarThickness) / 2; }
  // The bar's corner: along the track from the channel's start, across it
  // centred on the channel.
  int barX() const { return int(p.left) + (p.vertical ? p.channel.top + across() : p.channel.left); }
  int barY() const { return int(p.top) + (p.vertical ? p.channel.left : p.channel.top + across()); }
  int length() const { return p.channel.right - p.channel.left; }
};

void DrawBackground(gdip::Graphics& g, gdip::GraphicsPath& path, const TrackbarParts& p) {
  path.Reset();
  SkinPathAddRoundRect(path, p.left, p.top, p.width - 1, p.height - 1, 5);
  SkinStroke(g, SkinArgbFromColorRef(kBlack, 30), path);
  path.Reset();
  SkinPathAddRoundRect(path, p.left + 1, p.top + 1, p.width - 2, p.height - 2, 3);
  const gdip::PointF end = p.vertical ? MakePointF(p.left + p.width - 1, 0) : MakePointF(0, p.top + p.height - 1);
  SkinFillGradient(g, MakePointF(0, 0), end, SkinArgbFromColorRef(kWhite, 160), SkinArgbFromColorRef(kBlack, 30), path);
}

void DrawChannel(gdip::Graphics& g, gdip::GraphicsPath& path, const Geometry& geo) {
  const float x = float(geo.barX()), y = float(geo.barY());
  const float w = float(geo.p.vertical ? kBarThickness : geo.length());
  const float h = float(geo.p.vertical ? geo.length() : kBarThickness);
  path.Reset();
  SkinPathAddRoundRect(path, x, y, w, h, 1);
  SkinFillSolid(g, SkinArgbFromColorRef(kWhite, 200), path);
  const gdip::PointF across = geo.p.vertical ? MakePointF(x + kBarThickness, y) : MakePointF(x, y + kBarThickness);
  SkinFillGradient(g, MakePointF(x, y), across, SkinArgbFromColorRef(geo.p.channelColour, 80),
                   SkinArgbFromColorRef(geo.p.channelColour, 60), path);
  SkinStroke(g, SkinArgbFromColorRef(kBlack, 80), path);
}

// A 2-pixel strip inside the bar, `from` and `length` along the track.
void DrawStrip(gdip::Graphics& g, const Geometry& geo, int from, int length, gdip::Argb pen, gdip::Argb fill) {
  const bool vertical = geo.p.vertical;
  const float x = float(vertical ? geo.barX() + 1 : from), y = float(vertical ? from : geo.barY() + 1);
  gdip::GraphicsPath strip;
  if (!strip.Create()) return;
  strip.AddRectangle(x, y, vertical ? 2.0f : float(length), vertical ? float(length) : 2.0f);
  SkinStroke(g, pen, strip);
  SkinFillSolid(g, fill, strip);
}

void DrawSelection(gdip::Graphics& g, const Geometry& geo) {
  const TrackbarParts& p = geo.p;
  const auto span = TrackbarSelectionSpan(geo.length(), p.selectionStart, p.selectionEnd, p.minimum, p.maximum);
  if (!span) return;
  const int start = (p.vertical ? geo.barY() : geo.barX()) + span->offset - 1 + 2;
  DrawStrip(g, geo, start, span->length - 3, SkinArgbFromColorRef(kWhite, 150), SkinArgbFromColorRef(kWhite, 200));
}

void DrawFill(gdip::Graphics& g, const Geometry& geo, COLORREF colour) {
  const TrackbarParts& p = geo.p;
  const RECT& ch = p.channel;
  const RECT& th = p.thumb;
  int length = p.vertical ? (th.top - ch.left - 1) + (th.bottom - th.top - 6) / 2
                          : (th.left - ch.left - 1) + (th.right - th.left - 6) / 2;
  if (p.position == p.maximum) length += 10;
  const int start = (p.vertical ? geo.barY() : geo.barX()) + 1;
  DrawStrip(g, geo, start, length - 1, SkinArgbFromColorRef(colour, 200), SkinArgbFromColorRef(colour, 200));
}

void DrawThumb(gdip::Graphics& g, const Geometry& geo) {
  const TrackbarParts& p = geo.p;
  const RECT& ch = p.channel;
  const RECT& th = p.thumb;
  const int d = p.hot ? 12 : 10;
  int x = 0, y = 0;
  if (p.vertical) {
    x = int(p.left) + ch.top + geo.across() - d / 2 + 2;
    y = int(p.top) + th.top + (th.bottom - th.top - d) / 2;
    if (th.bottom >= ch.right) y = ch.right - d + 1;
    if (th.top <= ch.left) y = ch.left;
  } else {
    x = int(p.left) + th.left + (th.right - th.left - d) / 2;
    y = int(p.top) + ch.top + geo.across() - d / 2 + 2 + (p.tickPlacement == 2 ? 1 : 0);
    if (th.right >= ch.right) x = ch.right - d + 1;
    if (th.left <= ch.left) x = ch.left;
  }
  gdip::GraphicsPath circle;
  if (!circle.Create()) return;
  circle.AddEllipse(float(x), float(y), float(d), float(d));
  SkinFillSolid(g, SkinArgbFromColorRef(kWhite, 255), circle);
  gdip::PathGradientBrush rim;
  if (rim.CreateFromPath(circle)) {
    rim.SetCenterColor(SkinArgbFromColorRef(kWhite, 255));
    const std::array<gdip::Argb, 1> surround{SkinArgbFromColorRef(p.thumbRimColour, 100)};
    rim.SetSurroundColorsWithCount(surround);
    g.FillPath(rim, circle);
  }
  SkinStroke(g, SkinArgbFromColorRef(kBlack, 80), circle);
}

// ---- picture mode ----------------------------------------------------------

// The clip of the whole drawing: the given rectangle, or none.
void RestoreClip(gdip::Graphics& g, const TrackbarParts& p) {
  if (p.clip) {
    const gdip::RectF c = ToRectF(*p.clip);
    g.SetClipRect(c.x, c.y, c.width, c.height, Gdiplus::CombineModeReplace);
  } else {
    g.ResetClip();
  }
}

SkinPictureSize SizeOf(const SkinPicture* picture, bool hot) {
  if (!picture) return {};
  return hot ? picture->GetStateSize2() : picture->GetStateSize1();
}

void DrawPicture(gdip::Graphics& g, const SkinPicture* picture, const gdip::Rect& box, bool hot) {
  if (picture) SkinPictureDraw(g, *picture, box, hot ? SkinPicture::kHot : SkinPicture::kNormal);
}

// The channel's box (also the filled part's), laid across the track on the
// picture's thickness. Along the track it runs over the whole channel.
gdip::Rect TrackBox(const TrackbarParts& p, SkinPictureSize picture) {
  const RECT& ch = p.channel;
  gdip::Rect box = p.vertical ? gdip::Rect{int(p.left) + ch.top, int(p.top) + ch.left, ch.bottom - ch.top,
                                           ch.right - ch.left}
                              : gdip::Rect{int(p.left) + ch.left, int(p.top) + ch.top, ch.right - ch.left,
                                           ch.bottom - ch.top};
  int32_t& across = p.vertical ? box.x : box.y;
  int32_t& thickness = p.vertical ? box.width : box.height;
  if (p.selectionRange) {
    across += (thickness - kBarThickness) / 2;
    thickness = kBarThickness;
  }
  const int32_t size = p.vertical ? picture.width : picture.height;
  across += (thickness - size) / 2;
  if (size > thickness) thickness = size;
  return box;
}

void ClipTo(gdip::Graphics& g, const gdip::Rect& r) {
  g.SetClipRect(float(r.x), float(r.y), float(r.width), float(r.height), Gdiplus::CombineModeIntersect);
}

void DrawChannelPicture(gdip::Graphics& g, const TrackbarParts& p) {
  const gdip::Rect box = TrackBox(p, SizeOf(p.channelPicture, p.hot));
  ClipTo(g, box);
  DrawPicture(g, p.channelPicture, box, p.hot);
  RestoreClip(g, p);
}

// The filled part runs to the thumb's middle, or over the whole channel at
// the maximum.
void DrawFilledPicture(gdip::Graphics& g, const TrackbarParts& p) {
  const RECT& ch = p.channel;
  const RECT& th = p.thumb;
  const gdip::Rect box = TrackBox(p, SizeOf(p.filledPicture, p.hot));
  gdip::Rect clip = box;
  int32_t length = p.vertical ? th.top - ch.left + (th.bottom - th.top) / 2
                              : th.left - ch.left + (th.right - th.left) / 2;
  if (p.position == p.maximum) length = ch.right - ch.left;
  (p.vertical ? clip.height : clip.width) = length;
  ClipTo(g, clip);
  DrawPicture(g, p.filledPicture, box, p.hot);
  RestoreClip(g, p);
}

// The thumb picture in the native thumb's box, moved so that the picture
// sits in its middle along the track and, across it, one pixel off the
// middle (up or left with the nudge).
void DrawThumbPicture(gdip::Graphics& g, const TrackbarParts& p) {
  const RECT& th = p.thumb;
  const SkinPictureSize picture = SizeOf(p.thumbPicture, p.hot);
  gdip::Rect box{int(p.left) + th.left, int(p.top) + th.top, th.right - th.left, th.bottom - th.top};
  const int32_t nudge = p.nudge.value_or(false) ? -1 : 1;
  if (p.vertical) {
    box.y += (box.height - picture.height) / 2;
    box.x += (box.width - picture.width + 1) / 2 + nudge;
  } else {
    box.x += (box.width - picture.width) / 2;
    box.y += (box.height - picture.height + 1) / 2 + nudge;
  }
  DrawPicture(g, p.thumbPicture, box, p.hot);
}

}  // namespace

std::optional<TrackbarSpan> TrackbarSelectionSpan(int32_t length, int32_t start, int32_t end, int32_t minimum,
                                                  int32_t maximum) {
  const int64_t range = int64_t(maximum) - minimum;
  if (range <= 0) return std::nullopt;
  const auto along = [&](int32_t value) {
    return int32_t((int64_t(std::clamp(value, minimum, maximum)) - minimum) * length / range);
  };
  return TrackbarSpan{along(start), along(end) - along(start)};
}

void TrackbarSkinDrawParts(gdip::Graphics& graphics, const TrackbarParts& parts) {
  SkinApplyRenderQuality(graphics, {.smoothing = Gdiplus::SmoothingModeAntiAlias,
                                    .interpolation = Gdiplus::InterpolationModeHighQualityBilinear});
  if (parts.clip) RestoreClip(graphics, parts);
  gdip::GraphicsPath path;
  if (!path.Create()) return;
  const Geometry geo{parts};
  if (parts.background) DrawBackground(graphics, path, parts);
  if (parts.pictureMode) {
    DrawChannelPicture(graphics, parts);
    DrawFilledPicture(graphics, parts);
    DrawThumbPicture(graphics, parts);
    return;
  }
  DrawChannel(graphics, path, geo);
  if (parts.selectionRange) DrawSelection(graphics, geo);
  DrawFill(graphics, geo, parts.fillColour.value_or(SkinEngine.options.SkinThemeColor));
  DrawThumb(graphics, geo);
}

}  // namespace korvath::skin
