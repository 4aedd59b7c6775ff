#include "skin/core/window_picture.h"

#include "platform/gdi_object.h"

namespace korvath::skin {

namespace {

// The client's corner in window coordinates.
POINT ClientCorner(HWND window) {
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  POINT corner = {0, 0};
  ClientToScreen(window, &corner);
  return {corner.x - bounds.left, corner.y - bounds.top};
}

// Onto `clientDc`, a DC whose origin is the window's client corner.
void CopyToClient(HWND window, HDC clientDc, SkinCanvas& picture) {
  if (!picture.dc() || !clientDc) return;
  const POINT corner = ClientCorner(window);
  picture.CopyTo(clientDc, -corner.x, -corner.y);
}

// Onto the window's frame only (nothing when it has none): a skin whose
// picture reaches into the frame redraws it with the client.
void ShowFrame(HWND window, SkinCanvas& picture) {
  if (!picture.dc()) return;
  const POINT corner = ClientCorner(window);
  RECT client = {};
  GetClientRect(window, &client);
  if (corner.x == 0 && corner.y == 0 && client.right == picture.width() && client.bottom == picture.height()) return;
  platform::WindowDC screen = platform::WindowDC::Whole(window);
  ExcludeClipRect(screen.get(), corner.x, corner.y, corner.x + client.right, corner.y + client.bottom);
  picture.CopyTo(screen.get());
}

}  // namespace

void SkinShowWindowPicture(HWND window, SkinCanvas picture) {
  if (!picture.dc()) return;
  platform::WindowDC screen = platform::WindowDC::Whole(window);
  picture.CopyTo(screen.get());
}

LRESULT SkinPaintWindowPicture(HWND window, const SkinWindowPictureMaker& picture) {
  platform::PaintScope scope(window);
  if (IsRectEmpty(&scope.dirty())) return 0;
  SkinCanvas shown = picture();
  CopyToClient(window, scope.dc(), shown);
  ShowFrame(window, shown);
  return 0;
}

LRESULT SkinPrintWindowPicture(HWND window, HDC dc, const SkinWindowPictureMaker& picture) {
  RECT client = {};
  GetClientRect(window, &client);
  if (IsRectEmpty(&client)) return 0;
  SkinCanvas shown = picture();
  CopyToClient(window, dc, shown);
  return 0;
}

}  // namespace korvath::skin
