// The frame ring of a list-type control.
#include "platform/gdi_object.h"
#include "skin/core/engine_startup.h"
#include "skin/core/skin_canvas.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/frame_geometry.h"
#include "skin/draw/keyed_copy.h"
#include "skin/draw/shape_drawing.h"
#include "skin/edit/control_frame.h"
#include "skin/edit/painters.h"

namespace korvath::skin {

namespace {

struct FrameStroke {
  COLORREF colour;
  int32_t alpha;
  float width;
  float inset;  // 1 for the two-pixel hover ring
};

FrameStroke StrokeFor(bool hot, bool focused) {
  if (hot && SkinEngine.options.SkinHoverTracking) return {SkinEngine.options.SkinThemeColor, 200, 2.0f, 1.0f};
  if (hot || focused) return {SkinEngine.options.SkinThemeColor, 200, 1.0f, 0.0f};
  return {0x000000, 90, 1.0f, 0.0f};
}

}  // namespace

void ChildControlSkinPaintFrame(const ChildRef& child, std::optional<bool> hot, std::optional<bool> focused) {
  const SkinChildEntry* entry = child.get();
  if (!entry) return;
  HWND window = entry->window;
  const bool isHot = hot.value_or(entry->hot);
  const bool isFocused = focused.value_or(entry->focused);
  RECT windowRect = {};
  GetWindowRect(window, &windowRect);
  const int width = windowRect.right - windowRect.left;
  const int height = windowRect.bottom - windowRect.top;
  const RECT client = SkinGetFrameGeometry(window);

  // Drop-down lists and borderless controls have no ring to paint.
  if (SkinGetClassNameText(window) == "ComboLBox" || SkinGetBorderKind(window) == kBorderNone) return;
  SkinCanvas picture(*child.record, window, RECT{0, 0, width, height}, {.drawing = SkinCanvasDrawing::OnPixels});
  if (!picture.dc()) return;
  SkinFillPicture(picture, kWhite, SkinEngine.options.SkinTransparentMode ? SkinEngine.options.SkinAlpha : 255);
  if (picture) {
    const FrameStroke stroke = StrokeFor(isHot, isFocused);
    SkinStroke(picture.graphics(), SkinArgbFromColorRef(stroke.colour, stroke.alpha), stroke.width, stroke.inset,
               stroke.inset, width - 1 - stroke.inset, height - 1 - stroke.inset);
  }
  picture.EndDrawing();
  SkinFillKey(picture.dc(), client);
  {
    platform::WindowDC screen = platform::WindowDC::Whole(window);
    ExcludeClipRect(screen.get(), client.left, client.top, client.right, client.bottom);
    SkinKeyedCopy(screen.get(), RECT{0, 0, width, height}, picture.dc(), kSkinKeyColour, client);
  }
  picture.FinishKeyed(kSkinKeyColour, client);
}

}  // namespace korvath::skin
