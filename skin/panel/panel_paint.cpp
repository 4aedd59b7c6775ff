// The panel's geometry and pictures: where its entries and its target go, the
// full picture kept in the back buffer, and the single-entry redraws.
#include <windows.h>

#include "gdip/brush.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/image.h"
#include "gdip/pen.h"
#include "platform/gdi_object.h"
#include "platform/message_params.h"
#include "platform/window_geometry.h"
#include "skin/core/child_layer.h"
#include "skin/core/clipped_dc.h"
#include "skin/core/layered_window.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/memory_dc.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"
#include "skin/panel/panel_window.h"
#include "skin/core/parent_background.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"

namespace korvath::skin {

namespace {

constexpr int kOutlineCorner = 8;
constexpr int kFrameAlpha = 200;
constexpr int kFocusRingAlpha = 200;
constexpr COLORREF kShadeColour = 0x000000;

// One stroke of the inner shade: its inset and its corner, fading inwards.
struct ShadeStroke {
  float inset;
  int corner;
  int alpha;
};
constexpr ShadeStroke kShadeStrokes[] = {{1, 5, 80}, {2, 3, 30}, {3, 1, 10}};

// Draws a picture scaled into a rectangle; an empty one draws nothing.
void DrawPicture(gdip::Graphics& graphics, const gdip::Image& picture, float x, float y,
                 float width, float height) {
  if (picture.GetNativeObject()) graphics.DrawImageRect(picture, x, y, width, height);
}

// What an unskinned parent shows under `area` of `window`: with no skinned
// window above the panel there is no back buffer to cut it from, so the
// parent is asked to paint its own background into the buffer, as if the
// panel were not there.
SkinMemoryDc UnskinnedParentBackground(HWND window, const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  SkinMemoryDc buffer = SkinMemoryDc::Create(width, height);
  if (!buffer) return buffer;
  const HDC dc = buffer.get();
  const HWND parent = GetParent(window);
  RECT all = {0, 0, width, height};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  POINT origin = {area.left, area.top};
  MapWindowPoints(window, parent, &origin, 1);
  POINT previous;
  SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
  SendMessageW(parent, WM_ERASEBKGND, WPARAM(platform::ToParam(dc)), 0);
  SendMessageW(parent, WM_PRINTCLIENT, WPARAM(platform::ToParam(dc)), PRF_CLIENT);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
  return buffer;
}

// `owner`: the panel's skinned top-level record, null when it has none.
SkinMemoryDc BackgroundUnder(const SkinWindowRecord* owner, HWND window, const RECT& area) {
  SkinMemoryDc buffer =
      owner ? SkinPaintParentBackground(*owner, window, area) : SkinPaintPieceBackground(window, area);
  if (!buffer) buffer = UnskinnedParentBackground(window, area);
  return buffer;
}

}  // namespace

void ZqkPanel::Layout() {
  const RECT c = platform::ClientRect(panel_);
  int total = 0;
  for (const ZqkWindowEntry& entry : entries_) total += entry.width + 1;
  const int k = int(GetSkinProp(panel_, prop::Kjsx_bkk));
  const int margin = k != 0 ? k : 2;

  int left = c.right - total - margin;
  for (ZqkWindowEntry& entry : entries_) {
    entry.rectangle.left = left;
    entry.rectangle.right = left + entry.width;
    entry.rectangle.top = (c.bottom - entry.height) / 2 + 1;
    entry.rectangle.bottom = entry.rectangle.top + entry.height;
    left = entry.rectangle.right + 1;
  }

  const RECT t = SkinRectInParentWindow(target_);
  MoveWindow(target_, iconWidth_ + k + 4, t.top, (c.right - c.left) - iconWidth_ - 8 - total - k,
             t.bottom - t.top, FALSE);
}

int ZqkPanel::HitTest(int x, int y) const {
  for (size_t i = 0; i < entries_.size(); ++i) {
    const RECT& r = entries_[i].rectangle;
    if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom) return int(i) + 1;
  }
  return 0;
}

const SkinWindowRecord* ZqkPanel::OwnerRecord() const { return SkinTopSkinnedRecord(panel_); }

SkinMemoryDc ZqkPanel::ComposeBackBuffer(const SkinWindowRecord* owner) const {
  const RECT c = platform::ClientRect(panel_);
  SkinMemoryDc buffer = BackgroundUnder(owner, panel_, c);
  if (!buffer) return buffer;

  gdip::Graphics g;
  gdip::GraphicsPath outline;
  // Without a graphics or a path the buffer keeps the bare background.
  if (!SkinGraphicsOnDC(g, buffer.get(), kSkinSmoothPictureRendering) || !outline.Create()) return buffer;
  const float right = float(c.right - 1);
  const float bottom = float(c.bottom - 1);
  const bool rounded = frameStyle_ == kPanelFrameRounded || frameStyle_ == kPanelFrameRoundedShaded;
  const bool rectangular =
      frameStyle_ == kPanelFrameRectangle || frameStyle_ == kPanelFrameRectangleShaded;
  if (picturePresent_) {
    const int corner = picture_.GetField2();
    const int inset = picture_.GetField3();
    SkinPathAddRoundRectI(outline, float(inset - 1), float(inset - 1), float(c.right - inset - 1),
                          float(c.bottom - inset - 1), corner);
    g.SetClipPath(outline);
  } else if (rounded) {
    SkinPathAddRoundRect(outline, 0, 0, right, bottom, kOutlineCorner);
    g.SetClipPath(outline);
  } else if (rectangular) {
    outline.AddRectangle(0, 0, right, bottom);
  }

  FillBackgroundPath(g, outline);

  if (picturePresent_) {
    g.ResetClip();
    SkinPictureDraw(g, picture_, gdip::Rect{0, 0, c.right, c.bottom}, SkinPicture::kNormal);
  } else if (frameStyle_ == kPanelFrameRoundedShaded || frameStyle_ == kPanelFrameRectangleShaded) {
    for (const ShadeStroke& stroke : kShadeStrokes) {
      gdip::GraphicsPath path;
      gdip::Pen pen;
      if (!path.Create() || !pen.CreateFromColor(SkinArgbFromColorRef(kShadeColour, stroke.alpha), 1))
        continue;
      if (frameStyle_ == kPanelFrameRoundedShaded) {
        SkinPathAddRoundRect(path, stroke.inset, stroke.inset, right, bottom, stroke.corner);
      } else {
        path.AddRectangle(stroke.inset, stroke.inset, right, bottom);
      }
      g.DrawPath(pen, path);
    }
  }
  g.ResetClip();

  if (!picturePresent_) {
    gdip::Pen pen;
    if (pen.CreateFromColor(SkinArgbFromColorRef(frameColour_, kFrameAlpha), 1)) g.DrawPath(pen, outline);
  }

  DrawIcon(g);
  for (size_t i = 0; i < entries_.size(); ++i) DrawEntry(int(i) + 1, &g);
  DrawFocusRing(g);
  return buffer;
}

// Two pixels wide, just outside the entry, so that the entry's own redraws
// as the mouse comes and goes leave it as it is.
void ZqkPanel::DrawFocusRing(gdip::Graphics& graphics) const {
  if (!focused_ || entries_.empty()) return;
  const RECT& r = entries_.front().rectangle;
  SkinStroke(graphics, SkinArgbFromColorRef(kFocusRing, kFocusRingAlpha), 2, float(r.left) - 1.5f,
             float(r.top) - 1.5f, float(r.right - r.left) + 2, float(r.bottom - r.top) + 2);
}

void ZqkPanel::RebuildBackBuffer(const SkinWindowRecord* owner) { backBuffer_ = ComposeBackBuffer(owner); }

void ZqkPanel::EnsureBackBuffer(const SkinWindowRecord* owner) {
  if (!redrawPending_ && backBuffer_) return;
  RebuildBackBuffer(owner);
  redrawPending_ = 0;
}

void ZqkPanel::Paint() {
  // Off screen (its form not shown yet, or the panel hidden) nothing would
  // show the picture: the panel's next WM_PAINT draws it.
  if (!IsWindowVisible(panel_)) {
    redrawPending_ = 1;
    return;
  }
  const SkinWindowRecord* owner = OwnerRecord();
  RebuildBackBuffer(owner);
  Present(owner);
  SkinInvalidateVisibleChildren(panel_);
}

// The one painter of the panel's window, for WM_PAINT and WM_PRINTCLIENT:
// the kept picture, with the children's places left to the children.
void ZqkPanel::ShowBackBuffer(HDC dc) const {
  if (!backBuffer_ || !dc) return;
  const RECT c = platform::ClientRect(panel_);
  platform::SavedDCState keep(dc);
  SkinGetClippedDC(panel_, dc);
  BitBlt(dc, c.left, c.top, c.right - c.left, c.bottom - c.top, backBuffer_.get(), c.left, c.top,
         SRCCOPY);
}

void ZqkPanel::Present(const SkinWindowRecord* owner, HDC dc) const {
  if (!backBuffer_) return;
  platform::WindowDC own;
  if (!dc) {
    own = platform::WindowDC::Client(panel_);
    dc = own.get();
  }
  ShowBackBuffer(dc);
  // The picture goes into the window's child layer too, which the skin
  // restores the panel's place from.
  if (owner) SkinPaintChildBackground(*owner, panel_, backBuffer_.get());
}

void ZqkPanel::DrawEntry(int number, gdip::Graphics* buffer) const {
  if (number < 1 || number > int(entries_.size())) return;
  const ZqkWindowEntry& entry = entries_[number - 1];
  const RECT& r = entry.rectangle;
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  const gdip::Image& image =
      entry.pressed ? entry.pressedPicture : entry.hover ? entry.hoverPicture : entry.normalPicture;

  if (buffer) {
    DrawPicture(*buffer, image, float(r.left), float(r.top), float(width), float(height));
    return;
  }
  SkinMemoryDc piece = BackgroundUnder(OwnerRecord(), panel_, r);
  if (!piece) return;
  {
    gdip::Graphics g;
    gdip::GraphicsPath path;
    if (!SkinGraphicsOnDC(g, piece.get()) || !path.Create()) return;
    path.AddRectangle(0, 0, float(width), float(height));
    FillBackgroundPath(g, path);
    DrawPicture(g, image, 0, 0, float(width), float(height));
  }
  platform::WindowDC dc = platform::WindowDC::Client(panel_);
  BitBlt(dc.get(), r.left, r.top, width, height, piece.get(), 0, 0, SRCCOPY);
}

void ZqkPanel::DrawIcon(gdip::Graphics& graphics) const {
  if (!iconPicture_.GetNativeObject()) return;
  const RECT c = platform::ClientRect(panel_);
  const int k = int(GetSkinProp(panel_, prop::Kjsx_bkk));
  DrawPicture(graphics, iconPicture_, float(k + 3), float((c.bottom - iconHeight_) / 2),
                   float(iconWidth_), float(iconHeight_));
}

void ZqkPanel::FillBackgroundPath(gdip::Graphics& graphics, gdip::GraphicsPath& path) const {
  gdip::SolidBrush brush;
  if (brush.Create(SkinArgbFromColorRef(backgroundColour_, backgroundAlpha_ & 0xFF)))
    graphics.FillPath(brush, path);
}

}  // namespace korvath::skin
