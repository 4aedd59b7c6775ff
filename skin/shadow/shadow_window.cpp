#include "skin/shadow/shadow_window.h"

#include <cmath>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/pen.h"
#include "skin/core/layered_window.h"
#include "skin/core/skin_message.h"
#include "skin/core/window_list.h"
#include "skin/core/window_props.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/memory_dc.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

constexpr float kOutlineWidth = 10;
constexpr int32_t kPositionFrame = 15;
constexpr int32_t kPositionGlow = 16;

// Halves away from zero.
int32_t Round(float value) { return static_cast<int32_t>(std::lround(value)); }

// A side bit counts as set when OR-ing it into the position leaves it alone.
bool HasSide(int32_t position, int32_t side) { return (position | side) == position; }

struct ShadowSettings {
  int32_t position = 0;
  int32_t depth = 0;
  COLORREF colour = 0;
  int32_t alpha = 0;
};

ShadowSettings ReadSettings(HWND shadow) {
  return ShadowSettings{static_cast<int32_t>(GetSkinProp(shadow, prop::Yyck_yyWz)),
                        static_cast<int32_t>(GetSkinProp(shadow, prop::Yyck_yysd)),
                        static_cast<COLORREF>(GetSkinProp(shadow, prop::Yyck_yyys)),
                        static_cast<int32_t>(GetSkinProp(shadow, prop::Yyck_Tmd))};
}

// Step 1: the outline in the shadow colour, on a layer of the full size
// (an owner with square corners gets a square one).
bool DrawOutline(gdip::Bitmap& layer, const ShadowSettings& shadow, const gdip::SizeF& size, bool square) {
  const float d = float(shadow.depth), w = size.width, h = size.height;
  if (!layer.CreateWithFormat(static_cast<int>(w), static_cast<int>(h))) return false;
  gdip::Graphics g;
  gdip::Pen pen;
  gdip::GraphicsPath outline;
  if (!SkinGraphicsOnImage(g, layer) ||
      !pen.CreateFromColor(SkinArgbFromColorRef(shadow.colour, shadow.alpha), kOutlineWidth) ||
      !outline.Create()) {
    return false;
  }
  // The outline sits a little lower than the owner's top edge, so that the
  // finished shadow falls slightly towards the bottom.
  if (shadow.position == kPositionGlow) {
    SkinPathAddRoundRect(outline, 0, 0, w, h, 1);
  } else if (square) {
    outline.AddRectangle(d + 2, d + Round(0.15f * d), w - 2 * d - 4, h - 2 * d - 2 - Round(0.15f * d));
  } else {
    SkinPathAddRoundRect(outline, d + 3, d + Round(0.18f * d), w - 2 * d - 4,
                         h - 2 * d - 2 - Round(0.15f * d), 1);
  }
  return g.DrawPath(pen, outline);
}

// Steps 2 to 4: shrink by 0.6 d, thicken by four draws, enlarge again.
bool Blur(gdip::Bitmap& layer, float d, int w, int h) {
  const int sw = static_cast<int>(std::floor(w / (0.6f * d)));
  const int sh = static_cast<int>(std::floor(h / (0.6f * d)));
  if (sw < 1 || sh < 1) return false;
  gdip::Bitmap small;
  {
    gdip::Graphics g;
    if (!small.CreateWithFormat(sw, sh) || !SkinGraphicsOnImage(g, small, kSkinBlurRendering)) return false;
    g.DrawImageRect(layer, 0, 0, float(sw), float(sh));
  }
  layer.Dispose();
  gdip::Bitmap thick;
  {
    gdip::Graphics g;
    if (!thick.CreateWithFormat(sw, sh) || !SkinGraphicsOnImage(g, thick)) return false;
    for (int i = 0; i < 4; ++i) g.DrawImage(small, 0, 0);
  }
  small.Dispose();
  gdip::Graphics g;
  if (!layer.CreateWithFormat(w, h) || !SkinGraphicsOnImage(g, layer, kSkinBlurRendering)) return false;
  return g.DrawImageRect(thick, 0, 0, float(w), float(h));
}

// Step 5 for positions 15 and 16: everything but the owner's area.
void CopyFrame(gdip::Graphics& graphics, const gdip::Bitmap& ring, float d, float w, float h,
               bool rounded) {
  graphics.SetClipRect(0, 0, w, h);
  if (rounded) {
    gdip::GraphicsPath cutOut;
    if (!cutOut.Create()) return;
    SkinPathAddRoundRect(cutOut, d, d, w - 2 * d, h - 2 * d, 10);
    graphics.SetClipPath(cutOut, Gdiplus::CombineModeXor);
  } else {
    graphics.SetClipRect(d, d, w - 2 * d, h - 2 * d, Gdiplus::CombineModeXor);
  }
  graphics.DrawImage(ring, 0, 0);
}

// Step 5 for a set of sides: each side's strip in turn.
void CopySides(gdip::Graphics& graphics, const gdip::Bitmap& ring, int32_t position, float d, float w,
               float h) {
  const bool top = HasSide(position, 1);
  const bool bottom = HasSide(position, 2);
  const bool left = HasSide(position, 4);
  const bool right = HasSide(position, 8);
  auto copy = [&](float x, float y, float width, float height) {
    graphics.SetClipRect(x, y, width, height);
    graphics.DrawImage(ring, 0, 0);
  };
  if (top) copy(d, 0, right ? w - d : w - 2 * d, d);
  if (bottom) copy(d, h - d, right ? w - d : w - 2 * d, d);
  if (left) {
    if (top && bottom) copy(0, 0, d, h);
    else if (bottom) copy(0, d + 5, d, h - d - 5);
    else if (top) copy(0, 0, d, h - 2 * d);
    else copy(0, d + 5, d, h - 2 * d - 5);
  }
  if (right) {
    if (top) copy(w - d, d, d, h - 2 * d);
    else copy(w - d, d + 5, d, h - 2 * d - 5);
  }
}

// The record's picture over the shadow, kept off the owner's client area
// (but for a 3-pixel band) when the record asks for the cut-out.
void DrawShadowPicture(gdip::Graphics& graphics, const SkinWindowRecord& record, HWND owner,
                       int32_t depth, float w, float h) {
  gdip::Bitmap picture;
  if (!picture.FromStream(record.ShadowImage)) return;
  const float iw = float(picture.GetWidth());
  const float ih = float(picture.GetHeight());
  RECT client{};
  GetClientRect(owner, &client);
  const float d = float(depth);
  if (record.ShadowClipInner) {
    graphics.SetClipRect(0, 0, w, h);
    graphics.SetClipRect(d + 3, d + 3, float(client.right - 6), float(client.bottom - 6),
                         Gdiplus::CombineModeXor);
  }
  const float x = float(record.ShadowOffsetX);
  const float y = float(record.ShadowOffsetY);
  if (record.ShadowPlacement == 0) {
    // Negative values count from the right or bottom, pulled in by 2d.
    graphics.DrawImageRect(picture, x >= 0 ? x : w + x - 2 * d, y >= 0 ? y : h + y - 2 * d, iw, ih);
  } else if (record.ShadowPlacement == 1) {
    graphics.DrawImageRect(picture, x, y, iw, ih);
  }
  graphics.ResetClip();
}

// The window that casts the shadow (`Yyck_Glck`) and its record (null: the
// owner is no skinned window).
struct ShadowOwner {
  HWND window = nullptr;
  SkinWindowRecord* record = nullptr;
};

ShadowOwner OwnerOf(HWND shadow) {
  const HWND owner = GetSkinPropHandle<HWND>(shadow, prop::Yyck_Glck);
  return {owner, SkinRecordOfWindow(owner)};
}

// Starts the platform's move loop on an owner that drags by its shadow.
void OnShadowPressed(const ShadowOwner& owner) {
  if (owner.record && owner.record->ShadowDragsOwner) SendMessageW(owner.window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace

void ShadowBuildImage(gdip::Graphics& graphics, int32_t position, int32_t depth, COLORREF colour,
                      int32_t alpha, int32_t width, int32_t height, bool square) {
  // A depth of 0 would divide by zero: such a shadow stays transparent.
  if (depth >= 1 && width >= 1 && height >= 1) {
    const float d = float(depth);
    const float w = float(width);
    const float h = float(height);
    gdip::Bitmap ring;
    if (DrawOutline(ring, {position, depth, colour, alpha}, {w, h}, square) && Blur(ring, d, width, height)) {
      if (position == kPositionFrame || position == kPositionGlow) {
        CopyFrame(graphics, ring, d, w, h, position == kPositionGlow || !square);
      } else {
        CopySides(graphics, ring, position, d, w, h);
      }
    }
  }
  graphics.ResetClip();
}

namespace {

void Redraw(const ShadowOwner& owner, HWND shadow) {
  SkinWindowRecord* record = owner.record;
  if (record) record->ShadowDrawn = true;
  RECT client{};
  GetClientRect(shadow, &client);
  const int32_t w = client.right;
  const int32_t h = client.bottom;
  // The surface starts fully transparent. Declared before the Graphics that
  // draws on it, so that the Graphics goes first.
  SkinMemoryDc surface = SkinMemoryDc::Create(w, h);
  // Without a graphics the shadow is shown transparent.
  if (gdip::Graphics graphics; SkinGraphicsOnDC(graphics, surface.get())) {
    const ShadowSettings settings = ReadSettings(shadow);
    const bool square = record && !record->HasBorder;
    if (!record || !record->ShadowFromImage) {
      ShadowBuildImage(graphics, settings.position, settings.depth, settings.colour, settings.alpha, w, h,
                       square);
    }
    if (record && !record->ShadowImage.empty()) {
      DrawShadowPicture(graphics, *record, owner.window, settings.depth, float(w), float(h));
    }
  }
  SkinUpdateLayered(shadow, {.sourceDc = surface.get(), .alpha = 255});
}

}  // namespace

void ShadowRedraw(SkinWindowRecord& owner, HWND shadow) { Redraw({owner.Window, &owner}, shadow); }

namespace {

// The skin's part of a message to ShadowWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  switch (m.message) {
    case WM_SIZE: Redraw(OwnerOf(m.window), m.window); break;
    case WM_LBUTTONDOWN: OnShadowPressed(OwnerOf(m.window)); break;
  }
  // Handled or not, every message also gets the default processing.
  return m.Forward();
}

}  // namespace

LRESULT CALLBACK ShadowWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary(
      {.window = window, .message = message, .wParam = wParam, .lParam = lParam, .slot = nullptr}, &SkinPart);
}

}  // namespace korvath::skin
