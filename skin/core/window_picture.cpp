#include "skin/core/window_picture.h"

#include "platform/gdi_object.h"

namespace korvath::skin {

namespace {

// The picture onto `dc` with its corner at (x, y).
void Copy(HDC dc, int x, int y, const SkinCanvas& picture) {
  BitBlt(dc, x, y, picture.width(), picture.height(), picture.dc(), 0, 0, SRCCOPY);
}

// The client's corner in window coordinates.
POINT ClientCorner(HWND window) {
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  POINT corner = {0, 0};
  ClientToScreen(window, &corner);
  return {corner.x - bounds.left, corner.y - bounds.top};
}

}  // namespace

void SkinShowWindowPicture(HWND window, const SkinCanvas& picture) {
  if (!picture.dc()) return;
  platform::WindowDC screen = platform::WindowDC::Whole(window);
  Copy(screen.get(), 0, 0, picture);
}

void SkinCopyWindowPictureToClient(HWND window, HDC clientDc, const SkinCanvas& picture) {
  if (!picture.dc() || !clientDc) return;
  const POINT corner = ClientCorner(window);
  Copy(clientDc, -corner.x, -corner.y, picture);
}

void SkinShowWindowPictureFrame(HWND window, const SkinCanvas& picture) {
  if (!picture.dc()) return;
  const POINT corner = ClientCorner(window);
  RECT client = {};
  GetClientRect(window, &client);
  if (corner.x == 0 && corner.y == 0 && client.right == picture.width() && client.bottom == picture.height()) return;
  platform::WindowDC screen = platform::WindowDC::Whole(window);
  ExcludeClipRect(screen.get(), corner.x, corner.y, corner.x + client.right, corner.y + client.bottom);
  Copy(screen.get(), 0, 0, picture);
}

LRESULT SkinPaintWindowPicture(HWND window, const SkinWindowPicturePainter& paint) {
  platform::PaintScope scope(window);
  SkinShowWindowPictureFrame(window, paint(scope.dc(), scope.dirty()));
  return 0;
}

LRESULT SkinPrintWindowPicture(HWND window, HDC dc, const SkinWindowPicturePainter& paint) {
  RECT client = {};
  GetClientRect(window, &client);
  paint(dc, client);
  return 0;
}

}  // namespace korvath::skin
