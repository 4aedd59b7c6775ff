// UpDownSkinInstall (declared with the other installers) and the up-down's
// procedure and painter.
#include "skin/control/updown_skin.h"

#include <commctrl.h>

#include <span>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "skin/control/control_installers.h"
#include "skin/core/child_layer.h"
#include "skin/core/child_walk.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_install.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/hot_control.h"
#include "skin/core/skin_canvas.h"
#include "skin/core/skin_message.h"
#include "skin/core/window_picture.h"
#include "skin/draw/chevron_images.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/picture_cache.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

constexpr int32_t kRadius = 3;

const SkinRenderQuality kUpDownRendering{.smoothing = Gdiplus::SmoothingModeAntiAlias,
                                         .compositing = Gdiplus::CompositingQualityHighQuality};

UpDownRef Find(HWND window) { return SkinFindEntry(window, &SkinWindowRecord::UpDowns); }

SIZE WindowSize(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// The half the point falls in: the second past the middle of the window.
int32_t HalfAt(const SkinUpDownEntry& entry, SIZE size, POINT point) {
  if (entry.horizontal) return point.x > size.cx / 2 ? 1 : 0;
  return point.y > size.cy / 2 ? 1 : 0;
}

// The point of the last button message, as that message carried it.
POINT LastButtonPoint(const SkinUpDownEntry& entry) { return SkinPointOf(LPARAM(entry.lastButtonPoint)); }

void OnMouseMove(const SkinMessage& m, const UpDownRef& control) {
  if (!control) return;
  const bool entered =
      SkinHotEnter(*control.record, {.window = m.window, .number = control.number, .kind = HoverKind::UpDown});
  const int32_t half = UpDownHitTest(control, m.point());
  if (!entered && half == control->hoveredHalf) return;
  UpDownSkinPaint(control, true, control->pressed, m.point());
  control->hover = true;
  control->hoveredHalf = half;
}

void OnMouseLeave(const UpDownRef& control) {
  if (!control) return;
  SkinHotLeave(*control.record);
  control->hover = false;
  UpDownSkinPaint(control, false);
}

void OnButton(const SkinMessage& m, const UpDownRef& control, bool down) {
  if (!control) return;
  control->pressed = down;
  control->lastButtonPoint = int32_t(m.lParam);
}

SkinCanvas Picture(const UpDownRef& control, bool isHover, bool isPressed, POINT at);

struct Half {
  float x, y, w, h;                 // the half's rounded rectangle
  gdip::PointF from, to;            // its gradient line
  float imageX, imageY;             // its chevron's centre box origin (before the image size)
  std::span<const uint8_t> (*chevron)();
};

void DrawHalf(gdip::Graphics& g, gdip::GraphicsPath& path, const Half& half, bool active, bool pressed,
              bool lighterWhenIdle) {
  path.Reset();
  SkinPathAddRoundRect(path, half.x, half.y, half.w, half.h, kRadius);
  gdip::Argb pen, start, end;
  const COLORREF theme = SkinEngine.options.SkinThemeColor;
  if (active) {
    pen = SkinArgbFromColorRef(theme, 200);
    start = pressed ? SkinArgbFromColorRef(theme, 100) : SkinArgbFromColorRef(kWhite, 100);
    end = pressed ? SkinArgbFromColorRef(kWhite, 150) : SkinArgbFromColorRef(theme, 150);
  } else {
    pen = SkinArgbFromColorRef(kBlack, 100);
    start = SkinArgbFromColorRef(kWhite, lighterWhenIdle ? 60 : 20);
    end = SkinArgbFromColorRef(theme, 100);
  }
  SkinFillGradient(g, half.from, half.to, start, end, path);
  gdip::Bitmap chevron;
  if (SkinLoadCachedPicture(chevron, half.chevron())) {
    const float iw = float(chevron.GetWidth()), ih = float(chevron.GetHeight());
    g.DrawImageRect(chevron, half.imageX - iw / 2, half.imageY - ih / 2, iw, ih);
  }
  SkinStroke(g, pen, path);
}

}  // namespace

void UpDownSkinInstall(SkinWindowRecord& record, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  SkinForEachUnskinnedChild(parent, UPDOWN_CLASSW, [&](HWND control) {
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    SkinTakeEntry(record, &SkinWindowRecord::UpDowns, control, {.procedure = &UpDownSkinWndProc},
                  [&](const UpDownRef& entry) { entry->horizontal = (style & UDS_HORZ) == UDS_HORZ; });
  });
}

namespace {

// The skin's part of a message to UpDownSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  const HWND window = m.window;
  const UINT message = m.message;
  const UpDownRef control = Find(window);
  const auto picture = [&] {
    return control ? Picture(control, control->hover, control->pressed, LastButtonPoint(*control)) : SkinCanvas{};
  };
  switch (message) {
    case WM_MOUSEMOVE:         OnMouseMove(m, control); break;
    case WM_MOUSELEAVE:        OnMouseLeave(control); break;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(control, window); break;
    case WM_MOVE:              UpDownSkinPaint(control); break;
    case WM_ERASEBKGND:        SetBkMode(m.dc(), TRANSPARENT); return 1;
    case WM_PAINT:             return SkinPaintWindowPicture(window, picture);
    case WM_PRINTCLIENT:       return SkinPrintWindowPicture(window, m.dc(), picture);
    case WM_LBUTTONDOWN:       OnButton(m, control, true); break;
    case WM_LBUTTONUP:         OnButton(m, control, false); break;
    case WM_NCPAINT:           return 1;
    default:                   break;
  }
  return m.Forward();
}

}  // namespace

LRESULT CALLBACK UpDownSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({window, message, wParam, lParam}, &SkinPart);
}

int32_t UpDownHitTest(const UpDownRef& control, POINT point) {
  if (!control) return -1;
  return HalfAt(*control, WindowSize(control->window), point);
}

void UpDownSkinPaint(const UpDownRef& control, std::optional<bool> hover, std::optional<bool> pressed,
                     std::optional<POINT> point) {
  if (!control || !control->window) return;
  const SkinUpDownEntry& entry = *control;
  SkinShowWindowPicture(entry.window, Picture(control, hover.value_or(entry.hover), pressed.value_or(entry.pressed),
                                              point.value_or(LastButtonPoint(entry))));
}

namespace {

// The whole control over what lies beneath it, its halves in the given
// state; the picture goes into the child layer too.
SkinCanvas Picture(const UpDownRef& control, bool isHover, bool isPressed, POINT at) {
  const SkinUpDownEntry& entry = *control;
  const HWND window = entry.window;
  const SIZE size = WindowSize(window);
  const int w = size.cx, h = size.cy, hh = h / 2, hw = w / 2;
  // -1: no half is lit while the mouse is away.
  const int activeHalf = isHover ? HalfAt(entry, size, at) : -1;

  SkinCanvas picture(*control.record, window, RECT{0, 0, w, h},
                     {.drawing = SkinCanvasDrawing::ThroughDc, .quality = kUpDownRendering});
  if (!picture.dc()) return {};
  if (gdip::GraphicsPath path; picture && path.Create()) {
    gdip::Graphics& g = picture.graphics();
    SkinPathAddRoundRect(path, 0, 0, float(w - 1), float(h - 1), kRadius);
    SkinFillSolid(g, SkinArgbFromColorRef(kWhite, 160), path);
    const float fw = float(w), fh = float(h), fhh = float(hh), fhw = float(hw);
    // Chevrons centred in their halves.
    const Half first = entry.horizontal
                           ? Half{0, 0, fhw - 1, fh - 1, MakePointF(0, 0), MakePointF(fhw - 1, 0), fhw / 2, fh / 2,
                                  &ChevronLeftImage}
                           : Half{0, 0, fw - 1, fhh - 1, MakePointF(0, 0), MakePointF(0, fhh - 1), fw / 2, fhh / 2,
                                  &ChevronUpImage};
    const Half second = entry.horizontal
                            ? Half{fhw, 0, fhw - 1, fh - 1, MakePointF(fhw - 1, 0), MakePointF(fw, 0),
                                   fhw + fhw / 2, fh / 2, &ChevronRightImage}
                            : Half{0, fhh, fw - 1, fhh - 1, MakePointF(0, fhh), MakePointF(0, fh), fw / 2,
                                   fhh + fhh / 2, &ChevronDownImage};
    DrawHalf(g, path, first, activeHalf == 0, isPressed, !entry.horizontal);
    DrawHalf(g, path, second, activeHalf == 1, isPressed, false);
  }
  picture.Finish(SkinLayerCopy::WindowRect);
  return picture;
}

}  // namespace

}  // namespace korvath::skin
