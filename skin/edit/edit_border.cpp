// The frame ring of a skinned edit.
#include "gdip/brush.h"
#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "skin/core/child_layer.h"
#include "skin/core/control_background.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_startup.h"
#include "skin/core/frame_geometry.h"
#include "skin/core/parent_background.h"
#include "skin/core/skin_graphics.h"
#include "skin/core/entry_lookup.h"
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

void EditSkinBorderPaint(HWND window, std::optional<bool> focused, std::optional<bool> hot) {
  if (const SkinEditEntry* entry = SkinEditEntryOf(window)) {
    focused = focused.value_or(entry->focused);
    hot = hot.value_or(entry->hot);
  }
  RECT windowRect = {};
  GetWindowRect(window, &windowRect);
  const int width = windowRect.right - windowRect.left;
  const int height = windowRect.bottom - windowRect.top;
  const RECT client = SkinGetFrameGeometry(window);

  SkinMemoryDc memory = SkinPaintParentBackground(window, RECT{0, 0, width, height});
  if (!memory) return;
  const SkinTint veil = SkinEngine.options.SkinTransparentMode ? SkinControlTint(window) : SkinTint{0xFFFFFF, 255};
  SkinFillPicture(memory.get(), width, height, veil.colour, veil.alpha);
  {
    gdip::Bitmap canvas;
    gdip::Graphics graphics;
    if (SkinGetBorderKind(window) != kBorderNone && SkinGraphicsOnMemoryDC(graphics, canvas, memory.get())) {
      SkinDrawControlBorder(window, focused.value_or(false), hot.value_or(false), graphics);
    }
  }
  {
    platform::WindowDC screen = platform::WindowDC::Whole(window);
    ExcludeClipRect(screen.get(), client.left, client.top, client.right, client.bottom);
    if (HasVScrollStyle(window)) ExcludeScrollBar(screen.get(), window, OBJID_VSCROLL, windowRect);
    if (HasHScrollStyle(window)) ExcludeScrollBar(screen.get(), window, OBJID_HSCROLL, windowRect);
    BitBlt(screen.get(), 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
  }
  SkinFillKey(memory.get(), client);
  SkinPaintChildBackgroundKeyed(window, memory.get(), kSkinKeyColour, false, client);
}

void SkinPaintWindowDcBackground(HWND window, HDC target, std::optional<int32_t> alpha) {
  const RECT client = SkinGetFrameGeometry(window);
  const int w = client.right - client.left;
  const int h = client.bottom - client.top;
  SkinMemoryDc memory = SkinFillControlBackground(window, alpha);
  if (!memory) return;
  if (target) {
    BitBlt(target, 0, 0, w, h, memory.get(), 0, 0, SRCCOPY);
    return;
  }
  platform::WindowDC screen = platform::WindowDC::Whole(window);
  BitBlt(screen.get(), client.left, client.top, w, h, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace korvath::skin
