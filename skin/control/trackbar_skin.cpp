// TrackbarSkinInstall (declared with the other installers), the track bar's
// procedure and its paint routine.
#include "skin/control/trackbar_skin.h"

#include <commctrl.h>

#include "platform/message_params.h"
#include "platform/window_geometry.h"
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
#include "skin/draw/drawing_values.h"

namespace korvath::skin {

namespace {

int32_t TickPlacement(LONG style) {
  if (HasStyleMask(style, TBS_NOTICKS)) return 3;
  if (HasStyleMask(style, TBS_TOP)) return 0;
  if (HasStyleMask(style, TBS_BOTH)) return 2;
  return 1;
}

// A vertical track bar's channel as the painter takes it: left and right
// along the track, top and bottom across it, the way Windows reports it.
// Wine reports the true rectangle, which is swapped back here.
RECT ChannelAlongTheTrack(const RECT& reported, bool vertical) {
  if (!vertical || reported.bottom - reported.top <= reported.right - reported.left) return reported;
  return RECT{reported.top, reported.left, reported.bottom, reported.right};
}

TrackbarRef Find(HWND window) { return SkinFindEntry(window, &SkinWindowRecord::Trackbars); }

SkinCanvas Picture(const TrackbarRef& trackbar);

// The hot look is drawn once when the mouse comes over the track bar from
// elsewhere, not at every move.
void OnMouseMove(const SkinMessage& m, const TrackbarRef& trackbar) {
  if (!trackbar) return;
  if (SkinHotEnter(*trackbar.record, {.window = m.window, .number = trackbar.number, .kind = HoverKind::Trackbar})) {
    trackbar->hot = true;
    TrackbarSkinPaint(trackbar);
  }
}

void OnMouseLeave(const TrackbarRef& trackbar) {
  if (!trackbar) return;
  SkinHotLeave(*trackbar.record);
  trackbar->hot = false;
  TrackbarSkinPaint(trackbar);
}

}  // namespace

void TrackbarSkinInstall(SkinWindowRecord& record, HWND parent) {
  if (!SkinEngine.options.SkinEnabled) return;
  SkinForEachUnskinnedChild(parent, TRACKBAR_CLASSW, [&](HWND bar) {
    const LONG style = GetWindowLongW(bar, GWL_STYLE);
    SkinTakeEntry(record, &SkinWindowRecord::Trackbars, bar, {.procedure = &TrackbarSkinWndProc},
                  [&](const TrackbarRef& entry) {
                    entry->vertical = HasStyleMask(style, TBS_VERT);
                    entry->tickPlacement = TickPlacement(style);
                    entry->selectionRange = HasStyleMask(style, TBS_ENABLESELRANGE);
                  });
  });
}

bool TrackbarSkinSetPictures(HWND window, const SkinPicture& channel, const SkinPicture& thumb,
                             const SkinPicture& filled) {
  const TrackbarRef trackbar = Find(window);
  if (!trackbar) return false;
  trackbar->channelPicture = channel;
  trackbar->thumbPicture = thumb;
  trackbar->filledPicture = filled;
  trackbar->pictureMode = true;
  InvalidateRect(window, nullptr, FALSE);
  return true;
}

namespace {

// The skin's part of a message to TrackbarSkinWndProc.
LRESULT SkinPart(const SkinMessage& m) {
  const HWND window = m.window;
  const UINT message = m.message;
  const TrackbarRef trackbar = Find(window);
  const auto picture = [&] { return trackbar ? Picture(trackbar) : SkinCanvas{}; };
  switch (message) {
    case WM_MOUSEMOVE:         OnMouseMove(m, trackbar); break;
    case WM_MOUSELEAVE:        OnMouseLeave(trackbar); break;
    case WM_WINDOWPOSCHANGING: SkinMarkParentDirty(trackbar, window); break;
    case WM_MOVE:              TrackbarSkinPaint(trackbar); break;
    case WM_ERASEBKGND:        SetBkMode(m.dc(), TRANSPARENT); return 1;
    case WM_PAINT:             return SkinPaintWindowPicture(window, picture);
    case WM_PRINTCLIENT:       return SkinPrintWindowPicture(window, m.dc(), picture);
    case WM_NCPAINT:           TrackbarSkinPaint(trackbar); return 1;
    default:                   break;
  }
  return m.Forward();
}

}  // namespace

LRESULT CALLBACK TrackbarSkinWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SkinMessageBoundary({window, message, wParam, lParam}, &SkinPart);
}

void TrackbarSkinPaint(const TrackbarRef& trackbar) {
  if (!trackbar || !trackbar->window) return;
  SkinShowWindowPicture(trackbar->window, Picture(trackbar));
}

namespace {

// The whole track bar over what lies beneath it; the picture goes into the
// child layer too.
SkinCanvas Picture(const TrackbarRef& trackbar) {
  const SkinTrackbarEntry& entry = *trackbar;
  const HWND window = entry.window;
  const RECT bounds = platform::WindowRect(window);
  const int width = platform::Width(bounds), height = platform::Height(bounds);

  TrackbarParts parts;
  parts.width = float(width);
  parts.height = float(height);
  parts.position = int32_t(SendMessageW(window, TBM_GETPOS, 0, 0));
  parts.maximum = int32_t(SendMessageW(window, TBM_GETRANGEMAX, 0, 0));
  parts.minimum = int32_t(SendMessageW(window, TBM_GETRANGEMIN, 0, 0));
  RECT channel = {};
  platform::SendWithPointer(window, TBM_GETCHANNELRECT, 0, &channel);
  parts.channel = ChannelAlongTheTrack(channel, entry.vertical);
  platform::SendWithPointer(window, TBM_GETTHUMBRECT, 0, &parts.thumb);
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

  SkinCanvas picture(*trackbar.record, window, RECT{0, 0, width, height},
                     {.drawing = SkinCanvasDrawing::OnPixels});
  if (!picture.dc()) return {};
  if (picture) TrackbarSkinDrawParts(picture.graphics(), parts);
  picture.Finish();
  return picture;
}

}  // namespace

}  // namespace korvath::skin
