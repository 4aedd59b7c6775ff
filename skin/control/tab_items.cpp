#include "skin/control/tab_items.h"

#include <commctrl.h>

#include <optional>
#include <string>

#include "gdip/brush.h"
#include "gdip/font.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "gdip/string_format.h"
#include "platform/gbk_convert.h"
#include "platform/message_params.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/window_props.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/engine_caches.h"
#include "skin/draw/font_cache.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

enum Side { kTop = 0, kLeft = 1, kRight = 2, kBottom = 3 };
constexpr int32_t kOuterRadius = 5;
constexpr int32_t kInnerRadius = 3;

using ShapeBuilder = void (*)(gdip::GraphicsPath&, int32_t, int32_t, int32_t, int32_t, int32_t);

ShapeBuilder BuilderFor(int32_t side) {
  switch (side) {
    case kLeft:   return &TabShapePathB;
    case kRight:  return &TabShapePathD;
    case kBottom: return &TabShapePathC;
    default:      return &TabShapePathA;
  }
}

struct Box {
  int32_t x, y, w, h;
};

Box OuterBox(int32_t side, const RECT& r) {
  const int32_t w = r.right - r.left, h = r.bottom - r.top;
  if (side == kRight) return {r.left + 1, r.top, w, h - 1};
  return {r.left, r.top, w - 1, h - 1};
}

Box InnerBox(int32_t side, const RECT& r) {
  const int32_t w = r.right - r.left, h = r.bottom - r.top;
  switch (side) {
    case kTop:  return {r.left + 1, r.top + 1, w - 3, h - 1};
    case kLeft: return {r.left + 1, r.top + 1, w - 1, h - 3};
    default:    return {r.left + 1, r.top + 1, w - 3, h - 3};
  }
}

// The gradient's two points and whether its first colour is the outer edge's.
struct Gradient {
  gdip::PointF from, to;
  bool outerFirst;
};

Gradient GradientFor(int32_t side, bool selected, const RECT& r) {
  const gdip::RectF box = ToRectF(r);
  const float l = box.x, t = box.y, w = box.width, h = box.height;
  switch (side) {
    case kLeft:   return {MakePointF(l, t), MakePointF(l + w, t), true};
    case kBottom: return {MakePointF(l, t), MakePointF(l, t + h), false};
    case kRight:
      return selected ? Gradient{MakePointF(l, t), MakePointF(l + w, t), false}
                      : Gradient{MakePointF(l + 1, t), MakePointF(l + w - 1, t), false};
    default:      return {MakePointF(l, t), MakePointF(l, t + h), true};
  }
}

void Build(gdip::GraphicsPath& path, int32_t side, const Box& b, int32_t radius) {
  path.Reset();
  BuilderFor(side)(path, b.x, b.y, b.w, b.h, radius);
}

std::string ItemText(HWND window, int32_t index) {
  wchar_t buffer[256] = {};
  TCITEMW item = {};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = buffer;
  item.cchTextMax = 256;
  platform::SendWithPointer(window, TCM_GETITEMW, WPARAM(index), &item);
  return platform::WideToGbk(buffer).text;
}

// Whether GDI+ lays out text top to bottom for
// StringFormatFlagsDirectionVertical. Wine's does not: it sets the text
// across and wraps it within the narrow tab. Probed once while the engine
// runs.
struct VerticalTextProbe {
  std::optional<bool> vertical;
};

bool LaysOutVerticalText(const gdip::Graphics& g, const gdip::Font& font) {
  std::optional<bool>& vertical = SkinEngineCache<VerticalTextProbe>().vertical;
  if (!vertical) {
    gdip::StringFormat format;
    gdip::RectF box{};
    vertical = format.Create(Gdiplus::StringFormatFlagsDirectionVertical, 0) &&
               g.MeasureString("WWWW", font, std::nullopt, &format, box) && box.height > box.width;
  }
  return *vertical;
}

// A caption of a tab at the left or right, running top to bottom: by the
// format where GDI+ supports it, else set across and turned a quarter turn
// clockwise about the layout's middle.
void DrawVerticalCaption(gdip::Graphics& g, const std::string& text, const gdip::Font& font,
                         const gdip::SolidBrush& brush, gdip::StringFormat& format, const gdip::RectF& layout) {
  if (LaysOutVerticalText(g, font)) {
    format.SetFlags(Gdiplus::StringFormatFlagsDirectionVertical);
    g.DrawString(text, font, brush, layout, &format);
    return;
  }
  g.TranslateWorldTransform(layout.x + layout.width / 2, layout.y + layout.height / 2);
  g.RotateWorldTransform(90);
  g.DrawString(text, font, brush,
               SkinMakeRect(-layout.height / 2, -layout.width / 2, layout.height, layout.width), &format);
  g.ResetWorldTransform();
}

}  // namespace

void TabShapePathB(gdip::GraphicsPath& path, int32_t x, int32_t y, int32_t w, int32_t h, int32_t r) {
  const float half = float(r) / 2;
  path.AddLine(float(x + w), float(y), float(x) + half, float(y));
  path.AddLine(float(x), float(y) + half, float(x), float(y + h) - half);
  path.AddLine(float(x) + half, float(y + h), float(x + w), float(y + h));
}

void TabShapePathC(gdip::GraphicsPath& path, int32_t x, int32_t y, int32_t w, int32_t h, int32_t r) {
  const float half = float(r) / 2;
  path.AddLine(float(x), float(y), float(x), float(y + h) - half);
  path.AddLine(float(x) + half, float(y + h), float(x + w) - half, float(y + h));
  path.AddLine(float(x + w), float(y + h) - half, float(x + w), float(y));
}

void TabShapePathD(gdip::GraphicsPath& path, int32_t x, int32_t y, int32_t w, int32_t h, int32_t r) {
  const float fr = float(r);
  path.AddLine(float(x), float(y), float(x + w - r), float(y));
  path.AddArc(float(x + w - r), float(y), fr, fr, 270, 90);
  path.AddLine(float(x + w), float(y + r), float(x + w), float(y + h - r));
  path.AddArc(float(x + w - r - 1), float(y + h - r - 1), fr + 1, fr + 1, 0, 90);
  path.AddLine(float(x + w - r), float(y + h), float(x), float(y + h));
}

void TabSkinItemsPaint(const ContainerRef& tab, HDC dc, int32_t index, bool selected, int32_t side,
                       bool ownTint) {
  if (!tab) return;
  const SkinContainerEntry* entry = tab.get();
  const HWND window = entry->window;
  RECT r = {};
  platform::SendWithPointer(window, TCM_GETITEMRECT, WPARAM(index), &r);
  // A tab scrolled out of the row is not shown: Wine reports it as an empty
  // rectangle at the corner, Windows as one beyond the client area.
  RECT client = {}, shown = {};
  GetClientRect(window, &client);
  if (!IntersectRect(&shown, &r, &client)) return;
  gdip::Graphics g;
  gdip::GraphicsPath path;
  if (!SkinGraphicsOnDC(g, dc) || !path.Create()) return;

  Build(path, side, OuterBox(side, r), kOuterRadius);
  const Gradient gradient = GradientFor(side, selected, r);
  const auto fill = [&](gdip::Argb outer, gdip::Argb page) {
    SkinFillGradient(g, gradient.from, gradient.to, gradient.outerFirst ? outer : page,
                     gradient.outerFirst ? page : outer, path);
  };
  if (selected) {
    fill(SkinArgbFromColorRef(kWhite, 220), SkinArgbFromColorRef(kWhite, entry->backgroundAlpha));
    SkinStroke(g, SkinArgbFromColorRef(kBlack, 120), path);
    Build(path, side, InnerBox(side, r), kInnerRadius);
    SkinStroke(g, SkinArgbFromColorRef(kWhite, 120), path);
  } else {
    SkinFillSolid(g, SkinArgbFromColorRef(kWhite, 80), path);
    if (ownTint) {
      const gdip::Argb tint = SkinArgbFromColorRef(entry->backgroundColor, entry->backgroundAlpha);
      fill(tint, tint);
    } else {
      fill(SkinArgbFromColorRef(kWhite, 80), SkinArgbFromColorRef(SkinEngine.options.SkinThemeColor, 10));
    }
    SkinStroke(g, SkinArgbFromColorRef(kBlack, 70), path);
  }

  const std::string text = ItemText(window, index);
  if (text.empty()) return;
  gdip::SolidBrush brush;
  gdip::Font font;
  gdip::StringFormat format;
  if (!brush.Create(SkinArgbFromColorRef(COLORREF(GetSkinProp(window, prop::Kj_Ztys)), 255)) ||
      !SkinFontFromName(font, entry->captionFontFace, float(entry->captionFontSize), entry->captionFontStyle,
                           Gdiplus::UnitWorld) ||
      !format.Create(Gdiplus::StringFormatFlagsMeasureTrailingSpaces, 0)) {
    return;
  }
  format.SetAlign(Gdiplus::StringAlignmentCenter);
  format.SetLineAlign(Gdiplus::StringAlignmentCenter);
  const gdip::RectF tabBox = ToRectF(r);
  const gdip::RectF layout = SkinMakeRect(tabBox.x, tabBox.y + 3, tabBox.width, tabBox.height - 2);
  if (side == kLeft || side == kRight) {
    DrawVerticalCaption(g, text, font, brush, format, layout);
  } else {
    g.DrawString(text, font, brush, layout, &format);
  }
}

bool TabFindContainerEntry(const SkinWindowRecord& record, HWND window) {
  return SkinContainerNumberOf(record, window) > 0;
}

}  // namespace korvath::skin
