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

LRESULT SkinPaintWindowPicture(HWND window, const SkinWindowPictureMaker& picture) {
  platform::PaintScope scope(window);
  if (IsRectEmpty(&scope.dirty())) return 0;
  const SkinCanvas shown = picture();
  SkinCopyWindowPictureToClient(window, scope.dc(), shown);
  SkinShowWindowPictureFrame(window, shown);
  return 0;
}

LRESULT SkinPrintWindowPicture(HWND window, HDC dc, const SkinWindowPictureMaker& picture) {
  RECT client = {};
  GetClientRect(window, &client);
  if (!IsRectEmpty(&client)) SkinCopyWindowPictureToClient(window, dc, picture());
  return 0;
}

}  // namespace korvath::skin
