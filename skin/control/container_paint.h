#pragma once
// Painting a framed container: the skinned background behind it, its own
// frame by kind, stored as its cached look in the owner's child layer and
// copied to the window once.
#include <windows.h>

#include "skin/control/container_skin.h"

namespace korvath::skin {

// Paints the container's entry in full, through the window's own DC with its
// children clipped out, and marks its look clean at its present size.
void ContainerSkinPaint(const ContainerRef& container);
// Paints the entry in full onto `dc` (a DC whose origin is the window's
// client origin) with the window's children clipped out, and marks its look
// clean at its present size.
void ContainerSkinPaint(const ContainerRef& container, HDC dc);

// Fills `rect` of `dc` (a DC whose origin is the window's client origin) with
// the skinned background behind that part of the window, tinted with the
// colour of the window's own container entry (else of the container it sits
// in); `owner` is the window's skinned top-level record. A group box's tint
// starts 4 pixels below `rect.top` and spans the whole width: the caption
// strip meets the frame's tint at its top line; the band above takes the tint
// of a coloured container around the group box.
void ContainerBackground(const SkinWindowRecord& owner, HWND window, HDC dc, const RECT& rect);

}  // namespace korvath::skin
