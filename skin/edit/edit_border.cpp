// The frame ring of a skinned edit.
#include "platform/gdi_object.h"
#include "skin/core/control_background.h"
#include "skin/core/engine_startup.h"
#include "skin/core/skin_canvas.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/frame_geometry.h"
#include "skin/edit/control_frame.h"
#include "skin/edit/painters.h"

namespace korvath::skin {

namespace {

// Keeps a native scroll bar's pixels on screen: the overlay lies over it.
void ExcludeScrollBar(HDC dc, HWND window, LONG objectId, const RECT& windowRect) {
  SCROLLBARINFO info = {};
  info.cbSize = sizeof(info);
  GetScrollBarInfo(window, objectId, &info);
  ExcludeClipRect(dc, info.rcScrollBar.left - windowRect.left, info.rcScrollBar.top - windowRect.top,
                  info.rcScrollBar.right - windowRect.left, info.rcScrollBar.bottom - windowRect.top);
}

}  // namespace

void EditSkinBorderPaint(HWND window, const EditRef& edit, std::optional<bool> focused, std::optional<bool> hot) {
  if (!edit.record) return;
  RECT windowRect = {};
  GetWindowRect(window, &windowRect);
  const int width = windowRect.right - windowRect.left;
  const int height = windowRect.bottom - windowRect.top;
  const RECT client = SkinGetFrameGeometry(window);

  SkinCanvas picture(*edit.record, window, RECT{0, 0, width, height}, {.drawing = SkinCanvasDrawing::OnPixels});
  if (!picture.dc()) return;
  const SkinTint veil = SkinEngine.options.SkinTransparentMode ? SkinControlTint(window) : SkinTint{0xFFFFFF, 255};
  SkinFillPicture(picture, veil.colour, veil.alpha);
  if (picture && SkinGetBorderKind(window) != kBorderNone) {
    SkinDrawControlBorder(window, edit.get(), focused, hot, picture.graphics());
  }
  {
    platform::WindowDC screen = platform::WindowDC::Whole(window);
    ExcludeClipRect(screen.get(), client.left, client.top, client.right, client.bottom);
    if (HasVScrollStyle(window)) ExcludeScrollBar(screen.get(), window, OBJID_VSCROLL, windowRect);
    if (HasHScrollStyle(window)) ExcludeScrollBar(screen.get(), window, OBJID_HSCROLL, windowRect);
    picture.CopyTo(screen.get());
  }
  SkinFillKey(picture.dc(), client);
  picture.FinishKeyed(kSkinKeyColour, client);
}

void SkinPaintWindowDcBackground(const SkinWindowRecord& owner, HWND window, HDC target,
                                 std::optional<int32_t> alpha) {
  const RECT client = SkinGetFrameGeometry(window);
  const int w = client.right - client.left;
  const int h = client.bottom - client.top;
  SkinMemoryDc memory = SkinFillControlBackground(owner, window, alpha);
  if (!memory) return;
  if (target) {
    BitBlt(target, 0, 0, w, h, memory.get(), 0, 0, SRCCOPY);
    return;
  }
  platform::WindowDC screen = platform::WindowDC::Whole(window);
  BitBlt(screen.get(), client.left, client.top, w, h, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace korvath::skin
