#pragma once
// Skinned scroll bars. A skinned edit or list-type control keeps its native
// scroll bars; over each one lies an overlay, a disabled "Static" child of
// the control's parent placed exactly over the bar, which shows the skinned
// bar. The overlay never takes the mouse: clicks and drags reach the native
// bar under it, and scrolling stays the control's own. The control's skin
// procedure repaints the overlays when the bar may have changed, highlights
// the part under the mouse and keeps them placed.
#include <windows.h>

#include <cstdint>

namespace korvath::skin {

// A part of one scroll bar: 0 none, 1 thumb, 3 first arrow (up or left),
// 4 second arrow (down or right).
enum ScrollBarPart : int32_t {
  kScrollPartNone = 0,
  kScrollPartThumb = 1,
  kScrollPartFirstArrow = 3,
  kScrollPartSecondArrow = 4,
};

// The overlays' procedures: WM_PAINT draws the bar with nothing highlighted,
// WM_PRINTCLIENT the same picture onto the given DC. Being disabled, an
// overlay is passed over by the mouse, which reaches the native bar beneath.
LRESULT CALLBACK VScrollOverlayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK HScrollOverlayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Draws the control's vertical / horizontal bar into its overlay, with
// `hotPart` highlighted, and records where the bar's parts lie for the hit
// tests. Nothing happens for a control without an entry or overlay; a
// vertical bar without a thumb keeps its last picture.
void VScrollPaint(HWND control, int32_t hotPart = kScrollPartNone);
void HScrollPaint(HWND control, int32_t hotPart = kScrollPartNone);

// True when the window has WS_VSCROLL or WS_HSCROLL.
bool HasScrollStyle(HWND window);
// Repaints the overlays of a skinned edit ("Edit" or "RichEdit20A" with an
// entry in its owner's edit list) with nothing highlighted: the vertical one
// (when `vertical`) and then the horizontal one (when `horizontal`), each
// only when the edit has that bar's scroll style and an overlay for it.
void SkinRepaintEditOverlays(HWND edit, bool vertical = true, bool horizontal = true);
// The part of the vertical / horizontal overlay under the screen point of a
// non-client mouse message (lParam), from the part rectangles the painter
// recorded; edges count as inside, the first arrow wins, then the second.
int32_t SkinVScrollMouse(HWND control, LPARAM lParam);
int32_t SkinHScrollMouse(HWND control, LPARAM lParam);

}  // namespace korvath::skin
