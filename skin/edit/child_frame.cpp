// The frame ring of a list-type control.
#include "gdip/bitmap.h"
#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "skin/core/child_layer.h"
#include "skin/core/colours.h"
#include "skin/core/drawing_values.h"
#include "skin/core/engine_startup.h"
#include "skin/core/frame_geometry.h"
#include "skin/core/keyed_copy.h"
#include "skin/core/parent_background.h"
#include "skin/core/skin_graphics.h"
#include "skin/core/window_list.h"
#include "skin/edit/control_frame.h"
#include "skin/core/shape_drawing.h"
#include "skin/edit/painters.h"

namespace korvath::skin {

namespace {


struct FrameStroke {
  COLORREF colour;
  uint8_t alpha;
  float width;
  float inset;  // 1 for the two-pixel hover ring
};

FrameStroke StrokeFor(bool hot, bool focused) {
  if (hot && SkinEngine.options.SkinHoverTracking) return {SkinEngine.options.SkinThemeColor, 200, 2.0f, 1.0f};
  if (hot || focused) return {SkinEngine.options.SkinThemeColor, 200, 1.0f, 0.0f};
  return {0x000000, 90, 1.0f, 0.0f};
}

}  // namespace

void ChildControlSkinPaintFrame(int32_t record, int32_t entry, std::optional<bool> hot,
                                std::optional<bool> focused) {
  SkinWindowRecord* owner = SkinRecordAt(record);
  const SkinChildEntry* child = owner ? SkinEntryAt(owner->Children, entry) : nullptr;
  if (!child) return;
  HWND window = child->window;
  const bool isHot = hot.value_or(child->hot);
  const bool isFocused = focused.value_or(child->focused);
  RECT windowRect = {};
  GetWindowRect(window, &windowRect);
  const int width = windowRect.right - windowRect.left;
  const int height = windowRect.bottom - windowRect.top;
  const RECT client = SkinGetFrameGeometry(window);

  // Drop-down lists and borderless controls have no ring to paint.
  if (SkinGetClassNameText(window) == "ComboLBox" || SkinGetBorderKind(window) == kBorderNone) return;
  SkinMemoryDc memory = SkinPaintParentBackground(window, RECT{0, 0, width, height});
  if (!memory) return;
  SkinFillPicture(memory.get(), width, height, kWhite,
                  SkinEngine.options.SkinTransparentMode ? SkinEngine.options.SkinAlpha : 255);
  {
    gdip::Bitmap canvas;
    gdip::Graphics graphics;
    const FrameStroke stroke = StrokeFor(isHot, isFocused);
    if (SkinGraphicsOnMemoryDC(graphics, canvas, memory.get())) {
      SkinStroke(graphics, SkinArgbFromColorRef(stroke.colour, stroke.alpha), stroke.width, stroke.inset,
                 stroke.inset, width - 1 - stroke.inset, height - 1 - stroke.inset);
    }
  }
  SkinFillKey(memory.get(), client);
  platform::WindowDC screen = platform::WindowDC::Whole(window);
  ExcludeClipRect(screen.get(), client.left, client.top, client.right, client.bottom);
  SkinKeyedCopy(screen.get(), 0, 0, width, height, memory.get(), kSkinKeyColour, client);
  SkinPaintChildBackgroundKeyed(window, memory.get(), kSkinKeyColour, false, client);
}

}  // namespace korvath::skin
