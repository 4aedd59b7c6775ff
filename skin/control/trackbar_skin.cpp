// TrackbarSkinInstall (declared with the other installers), the track bar's
// procedure and its paint routine.
#include "skin/control/trackbar_skin.h"

#include <commctrl.h>

#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "skin/control/control_installers.h"
#include "skin/core/child_walk.h"
#include "skin/core/entry_install.h"
#include "skin/core/hover.h"
#include "skin/core/entry_lookup.h"
#include "skin/core/child_layer.h"
#include "skin/core/engine_state.h"
#include "skin/core/parent_background.h"
#include "skin/core/skin_graphics.h"
#include "skin/core/window_list.h"
#include "skin/core/window_picture.h"
#include "skin/core/window_props.h"
#include "skin/core/entry_lookup.h"

namespace korvath::skin {

namespace {


bool HasAll(LONG style, LONG mask) { return (style & mask) == mask; }

int32_t TickPlacement(LONG style) {
  if (HasAll(style, TBS_NOTICKS)) return 3;
  if (HasAll(style, TBS_TOP)) return 0;
  if (HasAll(style, TBS_BOTH)) return 2;
  return 1;
}

// A vertical track bar's channel as the painter takes it: left and right
// along the track, top and bottom across it, the way Windows reports it.
// Wine reports the true rectangle, which is swapped back here.
RECT ChannelAlongTheTrack(const RECT& reported, bool vertical) {
  if (!vertical || reported.bottom - reported.top <= reported.right - reported.left) return reported;
  return RECT{reported.top, reported.left, reported.bottom, reported.right};
}

SkinEntryRef<SkinTrackbarEntry> Find(HWND window) { return SkinFindEntry(window, &SkinWindowRecord::Trackbars); }

void Paint(HWND window) {
  const auto f = Find(window);
  if (f) TrackbarSkinPaint(f.owner, f.number);
}

SkinWindowPicture Picture(const SkinTrackbarEntry& entry);

// The one painter of the track bar's client, for WM_PAINT and
// WM_PRINTCLIENT: the bar's picture, which `dc` clips to what is dirty.
// Returns the picture.
SkinWindowPicture Paint(HWND window, HDC dc, const RECT& dirty) {
  const auto f = Find(window);
  if (!f || IsRectEmpty(&dirty)) return {};
  SkinWindowPicture picture = Picture(*f);
  SkinCopyWindowPictureToClient(window, dc, picture);
  return picture;
}

// The hot look is drawn once when the mouse comes over the track bar from
// elsewhere, not at every move.
void OnMouseMove(HWND window) {
  const auto f = Find(window);
  if (!f) return;
  if (SkinHoverEnter(*f.record, {.window = window, .number = f.number, .kind = HoverKind::Trackbar})) {
    f->hot = true;
    TrackbarSkinPaint(f.owner, f.number);
  }
}

void OnMouseLeave(HWND window) {
  const auto f = Find(window);
  if (!f) return;
  SkinHoverLeave(*f.record);
  f->hot = false;
  TrackbarSkinPaint(f.owner, f.number);
}

}  // namespace

void TrackbarSkinInstall(SkinWindowRecord& record, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  SkinForEachUnskinnedChild(parent, TRACKBAR_CLASSW, [&](HWND bar) {
    const LONG style = GetWindowLongW(bar, GWL_STYLE);
    SkinTakeEntry(record, &SkinWindowRecord::Trackbars, bar, {.procedure = &TrackbarSkinWndProc},
                  [&](const SkinEntryRef<SkinTrackbarEntry>& entry) {
                    entry->vertical = HasAll(style, TBS_VERT);
                    entry->tickPlacement = TickPlacement(style);
                    entry->selectionRange = HasAll(style, TBS_ENABLESELRANGE);
                  });
  });
}

bool TrackbarSkinSetPictures(HWND window, const SkinPicture& channel, const SkinPicture& thumb,
                             const SkinPicture& filled) {
  const auto f = Find(window);
  if (!f) return false;
  f->channelPicture = channel;
  f->thumbPicture = thumb;
  f->filledPicture = filled;
  f->pictureMode = true;
  InvalidateRect(window, nullptr, FALSE);
  return true;
}

LRESULT CALLBACK TrackbarSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:         OnMouseMove(window); break;
    case WM_MOUSELEAVE:        OnMouseLeave(window); break;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(window); break;
    case WM_MOVE:              Paint(window); break;
    case WM_ERASEBKGND:        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT); return 1;
    case WM_PAINT:             return SkinPaintWindowPicture(window, Paint);
    case WM_PRINTCLIENT:       return SkinPrintWindowPicture(window, reinterpret_cast<HDC>(wParam), Paint);
    case WM_NCPAINT:           Paint(window); return 1;
    default:                   break;
  }
  return SkinForward(window, message, wParam, lParam);
}

void TrackbarSkinPaint(int32_t ownerIndex, int32_t entryNumber) {
  SkinWindowRecord* record = SkinRecordAt(ownerIndex);
  const SkinTrackbarEntry* entry = record ? SkinEntryAt(record->Trackbars, entryNumber) : nullptr;
  if (!entry || !entry->window) return;
  SkinShowWindowPicture(entry->window, Picture(*entry));
}

namespace {

// The whole track bar over what lies beneath it; the picture goes into the
// child layer too.
SkinWindowPicture Picture(const SkinTrackbarEntry& entry) {
  const HWND window = entry.window;
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;

  TrackbarParts parts;
  parts.width = float(width);
  parts.height = float(height);
  parts.position = int32_t(SendMessageW(window, TBM_GETPOS, 0, 0));
  parts.maximum = int32_t(SendMessageW(window, TBM_GETRANGEMAX, 0, 0));
  parts.minimum = int32_t(SendMessageW(window, TBM_GETRANGEMIN, 0, 0));
  RECT channel = {};
  SendMessageW(window, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  parts.channel = ChannelAlongTheTrack(channel, entry.vertical);
  SendMessageW(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&parts.thumb));
  if (entry.selectionRange && !entry.pictureMode) {
    parts.selectionStart = int32_t(SendMessageW(window, TBM_GETSELSTART, 0, 0));
    parts.selectionEnd = int32_t(SendMessageW(window, TBM_GETSELEND, 0, 0));
  }
  parts.background = SkinEngine.options.SkinOptTrackbar != 0;
  parts.vertical = entry.vertical;
  parts.selectionRange = entry.selectionRange;
  parts.tickPlacement = entry.tickPlacement;
  parts.hot = entry.hot;
  parts.pictureMode = entry.pictureMode;
  parts.channelPicture = &entry.channelPicture;
  parts.thumbPicture = &entry.thumbPicture;
  parts.filledPicture = &entry.filledPicture;
  parts.nudge = true;

  SkinWindowPicture picture{SkinPaintParentBackground(window, RECT{0, 0, width, height}), width, height};
  if (!picture) return {};
  {
    gdip::Bitmap canvas;
    gdip::Graphics g;
    if (SkinGraphicsOnMemoryDC(g, canvas, picture.dc.get())) TrackbarSkinDrawParts(g, parts);
  }
  SkinPaintChildBackground(window, picture.dc.get());
  return picture;
}

}  // namespace

}  // namespace korvath::skin
