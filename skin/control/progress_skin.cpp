// ProgressSkinInstall (declared with the other installers) and the bar's
// procedure and painter.
#include "skin/control/progress_skin.h"

#include <commctrl.h>

#include <algorithm>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "platform/message_params.h"
#include "platform/window_geometry.h"
#include "skin/control/control_installers.h"
#include "skin/control/control_pictures.h"
#include "skin/core/child_layer.h"
#include "skin/core/child_walk.h"
#include "skin/core/engine_state.h"
#include "skin/core/entry_install.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/skin_canvas.h"
#include "skin/core/skin_message.h"
#include "skin/core/window_picture.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/picture_cache.h"
#include "skin/draw/rounded_path.h"
#include "skin/draw/shape_drawing.h"
#include "skin/draw/skin_graphics.h"

namespace korvath::skin {

namespace {

constexpr UINT kSweepInterval = 30;
constexpr int32_t kSweepStep = 5;
constexpr int32_t kSquareFrame = 1;

const SkinRenderQuality kProgressRendering{.smoothing = Gdiplus::SmoothingModeAntiAlias,
                                           .interpolation = Gdiplus::InterpolationModeHighQualityBilinear};

ProgressRef Find(HWND window) { return SkinFindEntry(window, &SkinWindowRecord::Progresses); }

SkinCanvas Picture(const ProgressRef& bar);

// The sweep's timer carries the bar's entry number (its `Hw_lbID`).
UINT_PTR TimerId(const ProgressRef& bar) { return UINT_PTR(bar.number); }

bool Sweeps(const SkinProgressEntry* entry) { return entry && !entry->vertical && entry->sweepOn != 0; }

void OnShown(const SkinMessage& m, const ProgressRef& bar) {
  if (!m.wParam) {
    KillTimer(m.window, TimerId(bar));
  } else if (Sweeps(bar.get())) {
    SetTimer(m.window, TimerId(bar), kSweepInterval, nullptr);
  }
}

// The sweep's timer ends with the sweep: its tick after the sweep was
// switched off (or for a bar the skin no longer knows) stops it instead.
void OnSweepStep(const SkinMessage& m, const ProgressRef& bar) {
  if (!Sweeps(bar.get())) {
    if (m.timer() == TimerId(bar)) KillTimer(m.window, m.timer());
    return;
  }
  InvalidateRect(m.window, nullptr, FALSE);
  bar->sweepOffset += kSweepStep;
  if (bar->sweepOffset >= platform::Width(platform::WindowRect(m.window))) bar->sweepOffset = -bar->sweepWidth;
}

// The glow over the filled part, inside the clip the fill set.
void DrawSweep(gdip::Graphics& g, const SkinProgressEntry& entry, float height) {
  gdip::Bitmap sweep;
  if (!SkinLoadCachedPicture(sweep, ProgressSweepImage(entry.sweepImage))) return;
  g.DrawImageRect(sweep, float(entry.sweepOffset), 0, float(sweep.GetWidth()), height);
}

void AddShape(gdip::GraphicsPath& path, bool square, float x, float y, float w, float h, int32_t corner) {
  if (square) {
    path.AddRectangle(x, y, w, h);
  } else {
    SkinPathAddRoundRect(path, x, y, w, h, corner);
  }
}

void DrawBar(gdip::Graphics& g, HWND window, const SkinProgressEntry& entry, int width, int height) {
  const bool square = entry.squareFrame == kSquareFrame;
  const float w = float(width), h = float(height);
  gdip::GraphicsPath path;
  if (!path.Create()) return;
  AddShape(path, square, 0, 0, w - 1, h - 1, 5);
  SkinStroke(g, SkinArgbFromColorRef(kWhite, 160), path);
  SkinStroke(g, SkinArgbFromColorRef(entry.frameColor, 120), path);

  path.Reset();
  AddShape(path, square, 1, 1, w - 3, h - 3, 3);
  const gdip::PointF troughEnd = entry.vertical ? MakePointF(w - 1, 0) : MakePointF(0, h - 1);
  SkinFillGradient(g, MakePointF(0, 0), troughEnd, SkinArgbFromColorRef(kWhite, 160),
                   square ? SkinArgbFromColorRef(kWhite, 160) : SkinArgbFromColorRef(kBlack, 30), path);

  PBRANGE range = {};
  platform::SendWithPointer(window, PBM_GETRANGE, FALSE, &range);
  const int32_t position = int32_t(SendMessageW(window, PBM_GETPOS, 0, 0));
  const int32_t length = ProgressFillLength(entry.vertical ? height : width, position, range.iLow, range.iHigh);
  if (length <= 0) return;
  const float top = entry.vertical ? float(height - length) : 0;
  const float boxW = entry.vertical ? w : float(length), boxH = entry.vertical ? float(length) : h;
  const gdip::PointF from = MakePointF(0, top);
  const gdip::PointF to = entry.vertical ? MakePointF(w - 1, top) : MakePointF(0, h - 1);
  path.Reset();
  if (square) {
    path.AddRectangle(1, top + 1, boxW - 2, boxH - 2);
  } else {
    SkinPathAddRoundRect(path, 0, top + 1, boxW - 2, boxH - 2, 3);
  }
  g.SetClipPath(path, Gdiplus::CombineModeReplace);
  SkinFillGradient(g, from, to,
                   square ? SkinArgbFromColorRef(entry.barColor, 220) : SkinArgbFromColorRef(kWhite, 100),
                   SkinArgbFromColorRef(entry.barColor, 220), path);
  if (square) SkinStroke(g, SkinArgbFromColorRef(entry.barColor, 255), path);
  if (Sweeps(&entry)) DrawSweep(g, entry, boxH);
  g.ResetClip();
}

// The whole bar over what lies beneath it; the picture goes into the child
// layer too.
SkinCanvas Picture(const ProgressRef& bar) {
  const SkinProgressEntry& entry = *bar;
  const HWND window = entry.window;
  const RECT bounds = platform::WindowRect(window);
  const int width = platform::Width(bounds), height = platform::Height(bounds);
  SkinCanvas picture(*bar.record, window, RECT{0, 0, width, height},
                     {.drawing = SkinCanvasDrawing::OnPixels, .quality = kProgressRendering});
  if (!picture.dc()) return {};
  if (picture) DrawBar(picture.graphics(), window, entry, width, height);
  picture.Finish(SkinLayerCopy::WindowRect);
  return picture;
}

}  // namespace

int32_t ProgressFillLength(int32_t size, int32_t position, int32_t low, int32_t high) {
  const int64_t span = int64_t(high) - low;
  if (span <= 0) return 0;
  const int64_t length = int64_t(size) * (int64_t(position) - low) / span;
  return int32_t(std::clamp<int64_t>(length, 0, size));
}

bool ProgressSkinSetSweep(HWND bar, bool on, int32_t image, std::optional<int32_t> width) {
  const ProgressRef found = Find(bar);
  if (!found) return false;
  found->sweepOn = on ? 1 : 0;
  found->sweepImage = image;
  if (!width) {
    gdip::Bitmap sweep;
    width = SkinLoadCachedPicture(sweep, ProgressSweepImage(image)) ? int32_t(sweep.GetWidth()) : 0;
  }
  found->sweepWidth = *width;
  found->sweepOffset = -found->sweepWidth;
  if (Sweeps(found.get()) && IsWindowVisible(bar)) {
    SetTimer(bar, TimerId(found), kSweepInterval, nullptr);
  } else {
    KillTimer(bar, TimerId(found));
  }
  InvalidateRect(bar, nullptr, FALSE);
  return true;
}

void ProgressSkinInstall(SkinWindowRecord& record, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  SkinForEachUnskinnedChild(parent, PROGRESS_CLASSW, [&](HWND bar) {
    SkinTakeEntry(record, &SkinWindowRecord::Progresses, bar, {.procedure = &ProgressSkinWndProc},
                  [&](const ProgressRef& entry) {
                    entry->vertical = (GetWindowLongW(bar, GWL_STYLE) & PBS_VERTICAL) != 0;
                    entry->barColor = SkinEngine.options.SkinThemeColor;
                    entry->frameColor = 0;
                  });
  });
}

namespace {

// The skin's part of a message to ProgressSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  const HWND window = m.window;
  const UINT message = m.message;
  const ProgressRef bar = Find(window);
  const auto picture = [&] { return bar ? Picture(bar) : SkinCanvas{}; };
  switch (message) {
    case WM_DESTROY:           KillTimer(window, TimerId(bar)); break;
    case WM_SHOWWINDOW:        OnShown(m, bar); break;
    case WM_TIMER:             OnSweepStep(m, bar); break;
    case WM_PAINT:             return SkinPaintWindowPicture(window, picture);
    case WM_PRINTCLIENT:       return SkinPrintWindowPicture(window, m.dc(), picture);
    case WM_NCPAINT:           ProgressSkinPaint(bar); return 1;
    case WM_MOVE:              ProgressSkinPaint(bar); break;
    case WM_ERASEBKGND:        SetBkMode(m.dc(), TRANSPARENT); return 1;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(bar, window); break;
    default:                   break;
  }
  return m.Forward();
}

}  // namespace

LRESULT CALLBACK ProgressSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({window, message, wParam, lParam}, &SkinPart);
}

void ProgressSkinPaint(const ProgressRef& bar) {
  if (!bar || !bar->window) return;
  SkinShowWindowPicture(bar->window, Picture(bar));
}

}  // namespace korvath::skin
