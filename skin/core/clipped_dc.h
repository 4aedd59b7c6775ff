#pragma once
// Device contexts with a window's child windows clipped out, so that a
// picture copied onto a window does not paint over its children, and the
// small walks over a window's direct children that painters need around
// them. Every walk takes the direct children in Z order, none skipped by
// class.
#include <windows.h>

#include <optional>

#include "platform/gdi_object.h"

namespace korvath::skin {

// Calls `visit` with each direct child of the window, in Z order.
template <class Visit>
void ForEachChild(HWND window, Visit visit) {
  for (HWND child = FindWindowExW(window, nullptr, nullptr, nullptr); child;
       child = FindWindowExW(window, child, nullptr, nullptr)) {
    visit(child);
  }
}

// The window's own DC (GetDC, given back by the owner) with its visible
// children clipped out (see the other overload).
platform::WindowDC SkinGetClippedDC(HWND window);
// Clips the window's visible children out of `dc` (adding to its clipping)
// and returns the same DC. Each child's rectangle is taken in the window's
// client coordinates, from 0 at the least, and limited to the size the skin
// last painted the window at: a skinned top-level window's client size in
// its record, the size that the object of its `Wxk_LBID` callback slot
// reports (SkinRequestPaintedSize), or a registered container's painted
// size; windows without a known size are not limited. WS_EX_TRANSPARENT
// children are clipped out only in the transparent-background mode.
HDC SkinGetClippedDC(HWND window, HDC dc);
// The same with the size limit given by the caller, who knows it (nullopt:
// no limit).
HDC SkinClipChildren(HWND window, HDC dc, std::optional<SIZE> paintedSize);
// SkinExcludeChildrenClip, the same walk for a back buffer, lives with the
// child layer (child_layer.h), its user.
// True when the window's extended style has WS_EX_TRANSPARENT.
bool IsWindowExTransparent(HWND window);
// The window's rectangle in its parent's client coordinates; (0, 0, 0, 0)
// for a skinned top-level window.
RECT SkinChildRectInParent(HWND window);
// True for a "ListBox" with LBS_OWNERDRAWFIXED or LBS_OWNERDRAWVARIABLE.
bool SkinIsOwnerDrawListBox(HWND window);
// Invalidates every visible direct child, background included (they paint at
// their next WM_PAINT).
void SkinInvalidateVisibleChildren(HWND window);
// Invalidates and at once repaints every direct child with WS_EX_TRANSPARENT,
// visible or not.
void SkinRedrawChildren(HWND window);

}  // namespace korvath::skin
