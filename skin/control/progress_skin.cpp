// ProgressSkinInstall (declared with the other installers) and the bar's
// procedure and painter.
#include "skin/control/progress_skin.h"

#include <commctrl.h>

#include <algorithm>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "gdip/graphics_path.h"
#include "platform/gdi_object.h"
#include "skin/control/control_installers.h"
#include "skin/control/control_pictures.h"
#include "skin/core/child_walk.h"
#include "skin/core/entry_install.h"
#include "skin/core/colours.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/child_layer.h"
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

constexpr UINT kSweepInterval = 30;
constexpr int32_t kSweepStep = 5;
constexpr int32_t kSquareFrame = 1;

const SkinRenderQuality kProgressRendering{.smoothing = Gdiplus::SmoothingModeAntiAlias,
                                           .interpolation = Gdiplus::InterpolationModeHighQualityBilinear};

gdip::Argb Colour(COLORREF colour, int32_t alpha) { return gdip::Argb(SkinArgbFromColorRef(colour, alpha)); }

SkinProgressEntry* ProgressEntryOf(HWND window) {
  return SkinFindEntry(window, &SkinWindowRecord::Progresses).get();
}

void Paint(HWND window) {
  ProgressSkinPaint(int32_t(GetSkinProp(window, prop::Hw_FuID)), int32_t(GetSkinProp(window, prop::Hw_lbID)));
}

SkinWindowPicture Picture(const SkinProgressEntry& entry);

// The one painter of the bar's client, for WM_PAINT and WM_PRINTCLIENT: the
// bar's picture, which `dc` clips to what is dirty. Returns the picture.
SkinWindowPicture Paint(HWND window, HDC dc, const RECT& dirty) {
  const SkinProgressEntry* entry = ProgressEntryOf(window);
  if (!entry || IsRectEmpty(&dirty)) return {};
  SkinWindowPicture picture = Picture(*entry);
  SkinCopyWindowPictureToClient(window, dc, picture);
  return picture;
}

UINT_PTR TimerId(HWND window) { return UINT_PTR(GetSkinProp(window, prop::Hw_lbID)); }

bool Sweeps(const SkinProgressEntry* entry) { return entry && !entry->vertical && entry->sweepOn != 0; }

void OnShown(HWND window, WPARAM shown) {
  if (!shown) {
    KillTimer(window, TimerId(window));
  } else if (Sweeps(ProgressEntryOf(window))) {
    SetTimer(window, TimerId(window), kSweepInterval, nullptr);
  }
}

// The sweep's timer ends with the sweep: its tick after the sweep was
// switched off (or for a bar the skin no longer knows) stops it instead.
void OnSweepStep(HWND window, WPARAM id) {
  SkinProgressEntry* entry = ProgressEntryOf(window);
  if (!Sweeps(entry)) {
    if (id == TimerId(window)) KillTimer(window, id);
    return;
  }
  InvalidateRect(window, nullptr, FALSE);
  RECT r = {};
  GetWindowRect(window, &r);
  entry->sweepOffset += kSweepStep;
  if (entry->sweepOffset >= r.right - r.left) entry->sweepOffset = -entry->sweepWidth;
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
  SkinStroke(g, Colour(kWhite, 160), path);
  SkinStroke(g, Colour(entry.frameColor, 120), path);

  path.Reset();
  AddShape(path, square, 1, 1, w - 3, h - 3, 3);
  const gdip::PointF troughEnd = entry.vertical ? MakePointF(w - 1, 0) : MakePointF(0, h - 1);
  SkinFillGradient(g, MakePointF(0, 0), troughEnd, Colour(kWhite, 160),
                   square ? Colour(kWhite, 160) : Colour(kBlack, 30), path);

  PBRANGE range = {};
  SendMessageW(window, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
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
  SkinFillGradient(g, from, to, square ? Colour(entry.barColor, 220) : Colour(kWhite, 100),
                   Colour(entry.barColor, 220), path);
  if (square) SkinStroke(g, Colour(entry.barColor, 255), path);
  if (Sweeps(&entry)) DrawSweep(g, entry, boxH);
  g.ResetClip();
}

// The whole bar over what lies beneath it; the picture goes into the child
// layer too.
SkinWindowPicture Picture(const SkinProgressEntry& entry) {
  const HWND window = entry.window;
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  SkinWindowPicture picture{SkinPaintParentBackground(window, RECT{0, 0, width, height}), width, height};
  if (!picture) return {};
  {
    gdip::Bitmap canvas;
    gdip::Graphics g;
    if (SkinGraphicsOnMemoryDC(g, canvas, picture.dc.get(), kProgressRendering)) {
      DrawBar(g, window, entry, width, height);
    }
  }
  SkinPaintChildBackground(window, picture.dc.get(), false, true);
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
  SkinProgressEntry* entry = ProgressEntryOf(bar);
  if (!entry) return false;
  entry->sweepOn = on ? 1 : 0;
  entry->sweepImage = image;
  if (!width) {
    gdip::Bitmap sweep;
    width = SkinLoadCachedPicture(sweep, ProgressSweepImage(image)) ? int32_t(sweep.GetWidth()) : 0;
  }
  entry->sweepWidth = *width;
  entry->sweepOffset = -entry->sweepWidth;
  if (Sweeps(entry) && IsWindowVisible(bar)) {
    SetTimer(bar, TimerId(bar), kSweepInterval, nullptr);
  } else {
    KillTimer(bar, TimerId(bar));
  }
  InvalidateRect(bar, nullptr, FALSE);
  return true;
}

void ProgressSkinInstall(SkinWindowRecord& record, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  SkinForEachUnskinnedChild(parent, PROGRESS_CLASSW, [&](HWND bar) {
    SkinTakeEntry(record, &SkinWindowRecord::Progresses, bar, {.procedure = &ProgressSkinWndProc},
                  [&](const SkinEntryRef<SkinProgressEntry>& entry) {
                    entry->vertical = (GetWindowLongW(bar, GWL_STYLE) & PBS_VERTICAL) != 0;
                    entry->barColor = SkinEngine.options.SkinThemeColor;
                    entry->frameColor = 0;
                  });
  });
}

LRESULT CALLBACK ProgressSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:           KillTimer(window, TimerId(window)); break;
    case WM_SHOWWINDOW:        OnShown(window, wParam); break;
    case WM_TIMER:             OnSweepStep(window, wParam); break;
    case WM_PAINT:             return SkinPaintWindowPicture(window, Paint);
    case WM_PRINTCLIENT:       return SkinPrintWindowPicture(window, reinterpret_cast<HDC>(wParam), Paint);
    case WM_NCPAINT:           Paint(window); return 1;
    case WM_MOVE:              Paint(window); break;
    case WM_ERASEBKGND:        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT); return 1;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(window); break;
    default:                   break;
  }
  return SkinForward(window, message, wParam, lParam);
}

void ProgressSkinPaint(int32_t recordNumber, int32_t entryNumber) {
  SkinWindowRecord* record = SkinRecordAt(recordNumber);
  const SkinProgressEntry* entry = record ? SkinEntryAt(record->Progresses, entryNumber) : nullptr;
  if (!entry || !entry->window) return;
  SkinShowWindowPicture(entry->window, Picture(*entry));
}

}  // namespace korvath::skin
