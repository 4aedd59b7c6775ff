#include "skin/caption/caption_surfaces.h"

#include "skin/core/clipped_dc.h"
#include "skin/core/window_record.h"

namespace korvath::skin {

void SkinBlitPart(const SkinWindowRecord& r, const RECT& rect) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (r.BackDC.get() && r.CaptionDC.get() && width > 0 && height > 0)
    BitBlt(r.BackDC.get(), rect.left, rect.top, width, height, r.CaptionDC.get(), rect.left, rect.top, SRCCOPY);
}

platform::WindowDC SkinFormClippedDC(const SkinWindowRecord& r) {
  platform::WindowDC dc = platform::WindowDC::Client(r.Window);
  SkinFormClippedDC(r, dc.get());
  return dc;
}

HDC SkinFormClippedDC(const SkinWindowRecord& r, HDC dc) {
  return SkinClipChildren(r.Window, dc, SIZE{r.ClientWidth, r.ClientHeight});
}

}  // namespace korvath::skin
