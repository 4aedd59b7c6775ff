#include "skin/edit/control_frame.h"

#include "gdip/graphics.h"
#include "platform/gdi_object.h"
#include "skin/core/control_entries.h"
#include "skin/core/engine_startup.h"
#include "skin/core/skin_canvas.h"
#include "skin/draw/colours.h"
#include "skin/draw/drawing_values.h"
#include "skin/draw/shape_drawing.h"

namespace korvath::skin {

namespace {


void Stroke(gdip::Graphics& graphics, COLORREF colour, int32_t alpha, float x, float y, float w, float h) {
  SkinStroke(graphics, SkinArgbFromColorRef(colour, alpha), 1.0f, x, y, w, h);
}

}  // namespace

int32_t SkinGetBorderKind(HWND window) {
  if (HasStyleMask(window, WS_BORDER)) return kBorderFlat;
  const LONG ex = GetWindowLongW(window, GWL_EXSTYLE);
  for (LONG mask : {WS_EX_WINDOWEDGE, WS_EX_OVERLAPPEDWINDOW, WS_EX_CLIENTEDGE,
                    WS_EX_DLGMODALFRAME, WS_EX_PALETTEWINDOW}) {
    if (HasStyleMask(ex, mask)) return kBorderEdge;
  }
  return kBorderNone;
}

void SkinDrawControlBorder(HWND window, const SkinEditEntry* entry, std::optional<bool> focused,
                           std::optional<bool> hot, gdip::Graphics& graphics) {
  const bool isFocused = focused.value_or(entry && entry->focused);
  const bool isHot = hot.value_or(entry && entry->hot);
  RECT r = {};
  GetWindowRect(window, &r);
  const float w = static_cast<float>(r.right - r.left);
  const float h = static_cast<float>(r.bottom - r.top);
  if (isHot && SkinGetBorderKind(window) == kBorderEdge) {
    Stroke(graphics, kWhite, 60, 0, 0, w - 1, h - 1);
    Stroke(graphics, SkinEngine.options.SkinThemeColor, 90, 0, 0, w - 1, h - 1);
    Stroke(graphics, SkinEngine.options.SkinThemeColor, 180, 1, 1, w - 3, h - 3);
  } else if (isFocused) {
    Stroke(graphics, SkinEngine.options.SkinThemeColor, 180, 0, 0, w - 1, h - 1);
  } else {
    Stroke(graphics, kBlack, 80, 0, 0, w - 1, h - 1);
  }
}

void SkinFillKey(HDC dc, const RECT& area) {
  const platform::GdiBrush key(CreateSolidBrush(kSkinKeyColour));
  FillRect(dc, &area, key.get());
}

void SkinFillPicture(SkinCanvas& picture, COLORREF colour, int32_t alpha) {
  if (colour == kWhite && alpha == 255) {
    PatBlt(picture.dc(), 0, 0, picture.width(), picture.height(), WHITENESS);
    return;
  }
  if (picture) {
    SkinFillSolid(picture.graphics(), SkinArgbFromColorRef(colour, alpha), 0, 0, float(picture.width()),
                  float(picture.height()));
  }
}

}  // namespace korvath::skin
