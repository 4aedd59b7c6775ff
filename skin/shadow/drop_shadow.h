#pragma once
// Giving a skinned top-level window its drop shadow, and keeping the shadow
// window on the window's rectangle. The shadow window itself, its class
// procedure and its painter are in shadow_window.h.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "skin/values/byte_set.h"
#include "skin/core/window_record.h"

namespace korvath::skin {

// What ShadowAttach sets; everything left out has its default.
struct ShadowOptions {
  int32_t depth = 10;          // margin of the shadow beyond each edge, pixels
  int32_t sides = 15;          // the painter's position code (15: all four sides)
  COLORREF colour = 0;         // black
  int32_t alpha = 80;          // 0 .. 255, larger is darker
  const ByteSet* image = nullptr;  // a picture over (or instead of) the shadow
  int32_t imageX = 0;
  int32_t imageY = 0;
  int32_t placement = 0;
  bool clipInner = true;       // the picture stays off the owner's client area
  bool useImage = false;       // draw the picture instead of the generated shadow
  bool dragOwner = false;      // a press on the shadow moves the owner
};

// Stores the settings in the window's record and creates its shadow window,
// or updates the one it has (which then follows and repaints; a hidden one
// is repainted too, for when it shows again). False when the window has no
// record.
bool ShadowAttach(HWND window, const ShadowOptions& options = {});
// The same for the record's window.
void ShadowAttach(SkinWindowRecord& r, const ShadowOptions& options = {});
// A "yinyWindow" owned by the record's window, reaching `depth` beyond each
// of its edges, visible when the owner shows and is not minimised. Painted
// before it is returned when the owner shows already, otherwise when the
// owner shows (ShadowShowWith).
HWND ShadowWindowCreate(SkinWindowRecord& owner, int32_t depth, COLORREF colour, int32_t alpha, int32_t sides);
// Moves a visible shadow of the record's window onto the window's rectangle
// grown by the depth: the given rectangle (screen coordinates, the window's
// new place), or the window's own rectangle when none is given. With
// `redraw` the picture is built again (a change of size repaints anyway).
// The shadow of a minimised window is hidden instead.
void ShadowWindowFollow(SkinWindowRecord& r, bool redraw = false, std::optional<RECT> rect = std::nullopt);
// The shadow goes with the record's window: hidden with it or while it is
// minimised, and shown with it (in place beside it, drawn) unless the window
// is maximised, which casts none. Nothing for a window without a shadow.
void ShadowShowWith(SkinWindowRecord& r, bool shown);
// Lets the shadow take mouse input, so that dragging it moves its owner.
void ShadowWindowSetStyle(HWND shadow);

}  // namespace korvath::skin
