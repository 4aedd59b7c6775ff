#pragma once
// Skins that draw a control's whole window (frame included) as one picture
// show it on the window's own DC, or, for WM_PAINT and WM_PRINTCLIENT, on a
// DC whose origin is the client's corner. The picture is a canvas
// (skin_canvas.h) of the window's size whose drawing has ended, its top-left
// at the window's corner.
#include <windows.h>

#include <functional>

#include "skin/core/skin_canvas.h"

namespace korvath::skin {

// Onto the window's own whole-window DC.
void SkinShowWindowPicture(HWND window, SkinCanvas picture);

// A skin's one maker of its window's picture in its state, from the entry
// its procedure found; an empty canvas when the window has no entry.
using SkinWindowPictureMaker = std::function<SkinCanvas()>;
// WM_PAINT through the paint scope: the picture onto the client, which the
// paint DC clips to what is dirty (nothing is made when nothing is); on
// screen the frame follows the client.
LRESULT SkinPaintWindowPicture(HWND window, const SkinWindowPictureMaker& picture);
// WM_PRINTCLIENT: the picture onto the DC given, at the client's corner.
LRESULT SkinPrintWindowPicture(HWND window, HDC dc, const SkinWindowPictureMaker& picture);

}  // namespace korvath::skin
