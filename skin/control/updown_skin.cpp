// UpDownSkinInstall (declared with the other installers) and the up-down's
// procedure and painter.
#include "skin/control/updown_skin.h"

#include <commctrl.h>

#include <span>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "platform/gdi_object.h"
#include "skin/control/control_installers.h"
#include "skin/core/child_walk.h"
#include "skin/core/entry_install.h"
#include "skin/core/colours.h"
#include "skin/core/hover.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/child_layer.h"
#include "skin/core/chevron_images.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_state.h"
#include "skin/core/parent_background.h"
#include "skin/core/picture_cache.h"
#include "skin/core/rounded_path.h"
#include "skin/core/shape_drawing.h"
#include "skin/core/skin_graphics.h"
#include "skin/core/window_list.h"
#include "skin/core/window_picture.h"
#include "skin/core/window_props.h"
#include "skin/core/entry_lookup.h"

namespace korvath::skin {

namespace {

constexpr int32_t kRadius = 3;

const SkinRenderQuality kUpDownRendering{.smoothing = Gdiplus::SmoothingModeAntiAlias,
                                         .compositing = Gdiplus::CompositingQualityHighQuality};

gdip::Argb Colour(COLORREF colour, int32_t alpha) { return gdip::Argb(SkinArgbFromColorRef(colour, alpha)); }

SkinEntryRef<SkinUpDownEntry> Find(HWND window) { return SkinFindEntry(window, &SkinWindowRecord::UpDowns); }

SIZE WindowSize(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

int32_t SignedX(LPARAM point) { return int16_t(LOWORD(point)); }
int32_t SignedY(LPARAM point) { return int16_t(HIWORD(point)); }

void OnMouseMove(HWND window, LPARAM lParam) {
  const auto f = Find(window);
  if (!f) return;
  const bool entered = SkinHoverEnter(*f.record, {.window = window, .number = f.number, .kind = HoverKind::UpDown});
  const int32_t half = UpDownHitTest(f.owner, f.number, lParam);
  if (!entered && half == f->hoveredHalf) return;
  UpDownSkinPaint(f.owner, f.number, true, f->pressed, lParam);
  f->hover = true;
  f->hoveredHalf = half;
}

void OnMouseLeave(HWND window) {
  const auto f = Find(window);
  if (!f) return;
  SkinHoverLeave(*f.record);
  f->hover = false;
  UpDownSkinPaint(f.owner, f.number, false);
}

void OnButton(HWND window, bool down, LPARAM lParam) {
  const auto f = Find(window);
  if (!f) return;
  f->pressed = down;
  f->lastButtonPoint = int32_t(lParam);
}

void Paint(HWND window) {
  const auto f = Find(window);
  if (f) UpDownSkinPaint(f.owner, f.number);
}

SkinWindowPicture Picture(const SkinUpDownEntry& entry, bool isHover, bool isPressed, LPARAM at);

// The one painter of the control's client, for WM_PAINT and WM_PRINTCLIENT:
// its picture in the entry's state, which `dc` clips to what is dirty.
// Returns the picture.
SkinWindowPicture Paint(HWND window, HDC dc, const RECT& dirty) {
  const auto f = Find(window);
  if (!f || IsRectEmpty(&dirty)) return {};
  const SkinUpDownEntry& entry = *f;
  SkinWindowPicture picture = Picture(entry, entry.hover, entry.pressed, LPARAM(entry.lastButtonPoint));
  SkinCopyWindowPictureToClient(window, dc, picture);
  return picture;
}

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
  if (active) {
    pen = Colour(SkinEngine.options.SkinThemeColor, 200);
    start = pressed ? Colour(SkinEngine.options.SkinThemeColor, 100) : Colour(kWhite, 100);
    end = pressed ? Colour(kWhite, 150) : Colour(SkinEngine.options.SkinThemeColor, 150);
  } else {
    pen = Colour(kBlack, 100);
    start = Colour(kWhite, lighterWhenIdle ? 60 : 20);
    end = Colour(SkinEngine.options.SkinThemeColor, 100);
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
                  [&](const SkinEntryRef<SkinUpDownEntry>& entry) {
                    entry->horizontal = (style & UDS_HORZ) == UDS_HORZ;
                  });
  });
}

LRESULT CALLBACK UpDownSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:         OnMouseMove(window, lParam); break;
    case WM_MOUSELEAVE:        OnMouseLeave(window); break;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(window); break;
    case WM_MOVE:              Paint(window); break;
    case WM_ERASEBKGND:        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT); return 1;
    case WM_PAINT:             return SkinPaintWindowPicture(window, Paint);
    case WM_PRINTCLIENT:       return SkinPrintWindowPicture(window, reinterpret_cast<HDC>(wParam), Paint);
    case WM_LBUTTONDOWN:       OnButton(window, true, lParam); break;
    case WM_LBUTTONUP:         OnButton(window, false, lParam); break;
    case WM_NCPAINT:           return 1;
    default:                   break;
  }
  return SkinForward(window, message, wParam, lParam);
}

int32_t UpDownHitTest(int32_t recordIndex, int32_t entryNumber, LPARAM point) {
  SkinWindowRecord* record = SkinRecordAt(recordIndex);
  const SkinUpDownEntry* entry = record ? SkinEntryAt(record->UpDowns, entryNumber) : nullptr;
  if (!entry) return -1;
  const SIZE size = WindowSize(entry->window);
  if (entry->horizontal) return SignedX(point) > size.cx / 2 ? 1 : 0;
  return SignedY(point) > size.cy / 2 ? 1 : 0;
}

void UpDownSkinPaint(int32_t recordIndex, int32_t entryNumber, std::optional<bool> hover,
                     std::optional<bool> pressed, std::optional<LPARAM> point) {
  SkinWindowRecord* record = SkinRecordAt(recordIndex);
  const SkinUpDownEntry* entry = record ? SkinEntryAt(record->UpDowns, entryNumber) : nullptr;
  if (!entry || !entry->window) return;
  SkinShowWindowPicture(entry->window, Picture(*entry, hover.value_or(entry->hover), pressed.value_or(entry->pressed),
                                               point.value_or(LPARAM(entry->lastButtonPoint))));
}

namespace {

// The whole control over what lies beneath it, its halves in the given
// state; the picture goes into the child layer too.
SkinWindowPicture Picture(const SkinUpDownEntry& entry, bool isHover, bool isPressed, LPARAM at) {
  const HWND window = entry.window;
  const SIZE size = WindowSize(window);
  const int w = size.cx, h = size.cy, hh = h / 2, hw = w / 2;
  // -1: no half is lit while the mouse is away.
  int activeHalf = -1;
  if (isHover) activeHalf = entry.horizontal ? (SignedX(at) > hw ? 1 : 0) : (SignedY(at) > hh ? 1 : 0);

  SkinWindowPicture picture{SkinPaintParentBackground(window, RECT{0, 0, w, h}), w, h};
  if (!picture) return {};
  if (gdip::Graphics g; SkinGraphicsOnDC(g, picture.dc.get(), kUpDownRendering)) {
    gdip::GraphicsPath path;
    if (path.Create()) {
      SkinPathAddRoundRect(path, 0, 0, float(w - 1), float(h - 1), kRadius);
      SkinFillSolid(g, Colour(kWhite, 160), path);
      const float fw = float(w), fh = float(h), fhh = float(hh), fhw = float(hw);
      // Chevrons centred in their halves.
      const Half first = entry.horizontal
                             ? Half{0, 0, fhw - 1, fh - 1, MakePointF(0, 0), MakePointF(fhw - 1, 0), fhw / 2,
                                    fh / 2, &ChevronLeftImage}
                             : Half{0, 0, fw - 1, fhh - 1, MakePointF(0, 0), MakePointF(0, fhh - 1), fw / 2,
                                    fhh / 2, &ChevronUpImage};
      const Half second = entry.horizontal
                              ? Half{fhw, 0, fhw - 1, fh - 1, MakePointF(fhw - 1, 0), MakePointF(fw, 0),
                                     fhw + fhw / 2, fh / 2, &ChevronRightImage}
                              : Half{0, fhh, fw - 1, fhh - 1, MakePointF(0, fhh), MakePointF(0, fh), fw / 2,
                                     fhh + fhh / 2, &ChevronDownImage};
      DrawHalf(g, path, first, activeHalf == 0, isPressed, !entry.horizontal);
      DrawHalf(g, path, second, activeHalf == 1, isPressed, false);
    }
  }
  SkinPaintChildBackground(window, picture.dc.get(), false, true);
  return picture;
}

}  // namespace

}  // namespace korvath::skin
