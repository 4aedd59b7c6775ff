#include "skin/draw/window_region.h"

#include "platform/gdi_object.h"

namespace korvath::skin {

void SkinSetRoundedRegion(HWND window, int width, int height, int ellipse) {
  platform::GdiRegion region(CreateRoundRectRgn(0, 0, width + 1, height + 1, ellipse, ellipse));
  // The window owns the region from here on.
  if (region) SetWindowRgn(window, region.Release(), TRUE);
}

}  // namespace korvath::skin
