#pragma once
// One scroll bar of a skinned control as the control's entry keeps it: the
// overlay that shows it and where its parts lay when it was last drawn.
// Edits ("Edit", "RichEdit20A") keep their bars in the edit list, every other
// class in the child list. A procedure takes the bars from the entry it
// found; the window forms of scroll_bars.h find the entry first.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/core/control_entries.h"
#include "skin/core/entry_lookup.h"
#include "skin/draw/drawing_values.h"
#include "skin/edit/scroll_bars.h"

namespace korvath::skin {

enum class ScrollBarAxis { Vertical, Horizontal };

struct ScrollBarSlot {
  HWND control = nullptr;                   // null: the control has no entry
  const SkinWindowRecord* owner = nullptr;  // the control's owner record
  HWND overlay = nullptr;                   // null: the bar has no overlay
  ScrollBarParts* parts = nullptr;          // null: the control has no entry
  ScrollBarAxis axis = ScrollBarAxis::Vertical;
};

// The bar on `axis` of the control whose entry is `control` (the parts are
// the entry's own, good while the entry lives).
template <class Entry>
ScrollBarSlot SkinScrollBarSlot(const SkinFoundEntry<Entry>& control, ScrollBarAxis axis) {
  Entry* entry = control.get();
  if (!entry) return {.axis = axis};
  const bool vertical = axis == ScrollBarAxis::Vertical;
  return {entry->window, control.record, vertical ? entry->vScrollOverlay : entry->hScrollOverlay,
          vertical ? &entry->vScrollParts : &entry->hScrollParts, axis};
}
// The same with the entry found from the window and its class.
ScrollBarSlot SkinScrollBarSlot(HWND control, ScrollBarAxis axis);

// Whether the bar is shown: it has an overlay and its control the bar's
// scroll style.
inline bool SkinBarShown(const ScrollBarSlot& bar) {
  return bar.overlay &&
         (bar.axis == ScrollBarAxis::Vertical ? HasVScrollStyle(bar.control) : HasHScrollStyle(bar.control));
}

// Draws the bar into its overlay with `hotPart` highlighted and records where
// its parts lie (VScrollPaint for a bar in hand).
void SkinPaintScrollBar(const ScrollBarSlot& bar, int32_t hotPart = kScrollPartNone);
// The same picture with nothing highlighted onto `dc`, a DC of the overlay's
// client area (its WM_PRINTCLIENT); nothing is recorded, shown or kept.
void SkinPrintScrollBar(const ScrollBarSlot& bar, HDC dc);
// The part of the bar under the screen point (SkinVScrollMouse's rule).
int32_t SkinScrollBarPartAt(const ScrollBarSlot& bar, POINT screen);

// Shows or hides the control's overlays with their bars (`show` when given,
// else with the control's WS_VISIBLE) and, while the control is visible,
// places them over their bars, above their siblings.
void SkinSyncScrollOverlays(const ScrollBarSlot& vertical, const ScrollBarSlot& horizontal,
                            std::optional<bool> show);
// Repaints an overlay whose thumb is no longer where the bar has it: what
// keeps the overlays in step with changes that no scroll message announces
// (lines added, a position set by the program, text typed). The control's
// own drawing is kept off its overlays (WS_CLIPSIBLINGS, given with them).
void SkinRefreshMovedScrollBars(const ScrollBarSlot& vertical, const ScrollBarSlot& horizontal);

template <class Entry>
void SkinSyncScrollOverlays(const SkinFoundEntry<Entry>& control, std::optional<bool> show = std::nullopt) {
  SkinSyncScrollOverlays(SkinScrollBarSlot(control, ScrollBarAxis::Vertical),
                         SkinScrollBarSlot(control, ScrollBarAxis::Horizontal), show);
}

template <class Entry>
void SkinRefreshMovedScrollBars(const SkinFoundEntry<Entry>& control) {
  SkinRefreshMovedScrollBars(SkinScrollBarSlot(control, ScrollBarAxis::Vertical),
                             SkinScrollBarSlot(control, ScrollBarAxis::Horizontal));
}

// Repaints the control's overlays with `hotPart` highlighted: the vertical
// one (when `vertical`) and then the horizontal one (when `horizontal`), each
// only when the control has that bar's scroll style and an overlay for it.
template <class Entry>
void SkinRepaintScrollOverlays(const SkinFoundEntry<Entry>& control, int32_t hotPart = kScrollPartNone,
                               bool vertical = true, bool horizontal = true) {
  const ScrollBarSlot v = SkinScrollBarSlot(control, ScrollBarAxis::Vertical);
  const ScrollBarSlot h = SkinScrollBarSlot(control, ScrollBarAxis::Horizontal);
  const bool paintV = vertical && SkinBarShown(v);
  const bool paintH = horizontal && SkinBarShown(h);
  if (paintV) SkinPaintScrollBar(v, hotPart);
  if (paintH) SkinPaintScrollBar(h, hotPart);
}

// Creates the overlay of the control's vertical / horizontal bar: shown over
// the bar when `visible`, else hidden at 0, 0 with a 10 x 10 placeholder
// size; on top of its siblings either way. Null when creation fails. Its
// owner is `owner`, the control's owner record.
HWND VScrollOverlayCreate(const SkinWindowRecord& owner, HWND control, bool visible);
HWND HScrollOverlayCreate(const SkinWindowRecord& owner, HWND control, bool visible);

}  // namespace korvath::skin
