#include "skin/core/window_picture.h"

#include "platform/gdi_object.h"

namespace korvath::skin {

void SkinShowWindowPicture(HWND window, const SkinWindowPicture& picture) {
  if (!picture) return;
  platform::WindowDC screen = platform::WindowDC::Whole(window);
  BitBlt(screen.get(), 0, 0, picture.width, picture.height, picture.dc.get(), 0, 0, SRCCOPY);
}

namespace {

// The client's corner in window coordinates.
POINT ClientCorner(HWND window) {
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  POINT corner = {0, 0};
  ClientToScreen(window, &corner);
  return {corner.x - bounds.left, corner.y - bounds.top};
}

}  // namespace

void SkinCopyWindowPictureToClient(HWND window, HDC clientDc, const SkinWindowPicture& picture) {
  if (!picture || !clientDc) return;
  const POINT corner = ClientCorner(window);
  BitBlt(clientDc, -corner.x, -corner.y, picture.width, picture.height, picture.dc.get(), 0, 0, SRCCOPY);
}

void SkinShowWindowPictureFrame(HWND window, const SkinWindowPicture& picture) {
  if (!picture) return;
  const POINT corner = ClientCorner(window);
  RECT client = {};
  GetClientRect(window, &client);
  if (corner.x == 0 && corner.y == 0 && client.right == picture.width && client.bottom == picture.height) return;
  platform::WindowDC screen = platform::WindowDC::Whole(window);
  ExcludeClipRect(screen.get(), corner.x, corner.y, corner.x + client.right, corner.y + client.bottom);
  BitBlt(screen.get(), 0, 0, picture.width, picture.height, picture.dc.get(), 0, 0, SRCCOPY);
}

}  // namespace korvath::skin
