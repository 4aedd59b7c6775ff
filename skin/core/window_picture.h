#pragma once
// Skins that draw a control's whole window (frame included) as one picture
// show it on the window's own DC, or, for WM_PAINT and WM_PRINTCLIENT, on a
// DC whose origin is the client's corner.
#include <windows.h>

#include "skin/core/memory_dc.h"

namespace korvath::skin {

// A picture of the whole window, its top-left at the picture's (0, 0).
struct SkinWindowPicture {
  SkinMemoryDc dc;
  int width = 0;
  int height = 0;
  explicit operator bool() const { return bool(dc); }
};

// Onto the window's own whole-window DC.
void SkinShowWindowPicture(HWND window, const SkinWindowPicture& picture);
// Onto `clientDc`, a DC whose origin is the window's client corner.
void SkinCopyWindowPictureToClient(HWND window, HDC clientDc, const SkinWindowPicture& picture);
// Onto the window's frame only (nothing when it has none): a skin whose
// picture reaches into the frame redraws it with the client.
void SkinShowWindowPictureFrame(HWND window, const SkinWindowPicture& picture);

}  // namespace korvath::skin
