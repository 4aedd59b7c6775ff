#pragma once
// Layered windows: pictures with per-pixel alpha pushed from a memory DC
// (drop shadows, fades, animations), and windows made translucent with a
// constant alpha and the magenta colour key (message boxes, drop-down lists).
#include <windows.h>

#include <cstdint>
#include <optional>

namespace korvath::skin {

// What SkinUpdateLayered pushes; everything else not given has its default.
struct LayeredUpdate {
  // The picture (32-bit, premultiplied alpha). Default: the back buffer of the
  // window's record, the window's whole composed picture.
  std::optional<HDC> sourceDc;
  std::optional<int32_t> alpha;  // constant alpha over the picture; 255
  // Screen position and size; the window's current window rectangle.
  std::optional<int32_t> x;
  std::optional<int32_t> y;
  std::optional<int32_t> width;
  std::optional<int32_t> height;
  int32_t sourceX = 0;
  int32_t sourceY = 0;
};

// UpdateLayeredWindow with ULW_ALPHA (AC_SRC_OVER, AC_SRC_ALPHA). Without a
// source DC and without a record of its own (or with a record that has no
// back buffer yet) the window is left alone.
void SkinUpdateLayered(HWND window, const LayeredUpdate& update = {});

// One picture SkinUpdateLayered has pushed: the window, where it was put
// (screen coordinates) and its constant alpha.
struct LayeredFrame {
  HWND window = nullptr;
  RECT bounds{};
  int32_t alpha = 0;
};
using LayeredFrameWatcher = void (*)(const LayeredFrame& frame);
// Has `watcher` called after each push (null: none, the default), so that the
// frames of an animation, which pumps no messages between them, can be
// followed as they are shown. GUI thread only, like the pushes.
void SkinWatchLayeredFrames(LayeredFrameWatcher watcher);
// Adds WS_EX_LAYERED when missing. With `transparent`, adds WS_EX_LAYERED and
// WS_EX_TRANSPARENT together, but only to a window that has neither. Never
// removes a bit.
void SkinEnsureLayered(HWND window, bool transparent = false);
// Makes the window layered with a constant alpha and a colour key (magenta
// when none is given): pixels of exactly the key colour vanish.
void SkinSetWindowAlpha(HWND window, int32_t alpha, std::optional<COLORREF> key = std::nullopt);
// A combo box's open drop-down list made see-through (alpha 220, magenta
// key) and listed once in LayeredDropDownList, so that a new background
// theme can drop its brush; the list leaves it when it is destroyed, as it
// is with its combo box.
void SkinLayerDropDownList(HWND list);
// The window's rectangle relative to its parent's window rectangle (frame
// included); (0, 0, 0, 0) for a skinned top-level window. Without a parent it
// is the window's screen rectangle.
RECT SkinRectInParentWindow(HWND window);

}  // namespace korvath::skin
